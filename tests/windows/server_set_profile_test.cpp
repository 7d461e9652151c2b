// The set format promises to read as the system's profile functions read an
// INI file. Checked against the system itself: every seed of the reader's
// fuzzer that is a set gives the same values through both.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "sets/server_set_format.h"
#include "tests/file_bytes.h"

namespace {

// The zero-separated list the profile functions answer with.
std::vector<std::string> Listed(const std::vector<char>& buffer, DWORD length)
{
    std::vector<std::string> names;
    for (DWORD i = 0; i < length; i += static_cast<DWORD>(names.back().size()) + 1)
        names.emplace_back(&buffer[i]);
    return names;
}

// The file as the system reads it, every value written back in quotes,
// which keep it as it is.
std::string AsTheSystemReadsIt(const std::string& path)
{
    std::vector<char> buffer(1 << 20);
    const DWORD size = static_cast<DWORD>(buffer.size());
    std::string text;
    for (const std::string& section :
         Listed(buffer, ::GetPrivateProfileSectionNamesA(buffer.data(), size, path.c_str()))) {
        text += "[" + section + "]\r\n";
        for (const std::string& key :
             Listed(buffer, ::GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size, path.c_str()))) {
            ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(), size, path.c_str());
            text += key + "=\"" + buffer.data() + "\"\r\n";
        }
    }
    return text;
}

std::string TableText(const ServerSetReading& reading)
{
    ServerManager table;
    std::string text;
    EXPECT_TRUE(table.ReplaceServers(reading.servers));
    EXPECT_TRUE(ServerSetText(table, text));
    return text;
}

}  // namespace

TEST(ServerSetProfile, SeedsReadAsTheSystemReadsThem)
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string corpus = std::string(self).substr(0, std::string(self).rfind('\\')) + "\\server_set_corpus\\";
    WIN32_FIND_DATAA found = {};
    const HANDLE search = ::FindFirstFileA((corpus + "*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << corpus;
    int sets = 0;
    do {
        const std::string path = corpus + found.cFileName;
        const ServerSetReading reading = ReadServerSetText(ReadFileBytes(path));
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !reading.isSet)
            continue;
        ++sets;
        EXPECT_EQ(TableText(ReadServerSetText(AsTheSystemReadsIt(path))), TableText(reading)) << path;
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    EXPECT_GE(sets, 3);
}
