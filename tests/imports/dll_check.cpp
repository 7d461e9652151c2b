// dll_check FILE...: fails unless every FILE is a Windows program that
// needs no DLL beyond Windows' own. Prints each file's DLLs either way, so
// a failure shows what crept in.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/imports/import_table.h"
#include "tests/imports/windows_dlls.h"

namespace {

bool ReadFile(const char* path, std::vector<unsigned char>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

std::string Joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

bool Check(const char* path)
{
    std::vector<unsigned char> image;
    if (!ReadFile(path, image)) {
        std::printf("%s: cannot be read\n", path);
        return false;
    }
    const ImportedDlls dlls = ReadImportedDlls(image);
    if (!dlls.ok()) {
        std::printf("%s: %s\n", path, dlls.error.c_str());
        return false;
    }
    std::printf("%s needs: %s\n", path, Joined(dlls.names).c_str());
    const std::vector<std::string> foreign = ForeignDlls(dlls.names);
    if (!foreign.empty())
        std::printf("%s needs DLLs that are not Windows' own: %s\n", path, Joined(foreign).c_str());
    return foreign.empty();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::printf("usage: dll_check FILE...\n");
        return 2;
    }
    bool allOwn = true;
    for (int i = 1; i < argc; ++i)
        allOwn = Check(argv[i]) && allOwn;
    return allOwn ? 0 : 1;
}
