#include "tests/imports/windows_dlls.h"

#include "servers/text_compare.h"

namespace {

// msvcrt.dll is the C runtime Windows itself is built on and ships in every
// version. The newer universal C runtime (ucrtbase.dll and its
// api-ms-win-crt-* forwarders) is not listed: a plain Windows 7 lacks it.
const char* const kWindowsOwnDlls[] = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",  "kernel32.dll", "msvcrt.dll",
    "ntdll.dll",    "ole32.dll",    "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll",
    "uxtheme.dll",  "version.dll",  "winmm.dll",    "ws2_32.dll",
};

}  // namespace

bool IsWindowsOwnDll(const std::string& name)
{
    for (const char* own : kWindowsOwnDlls) {
        if (EqualNoCase(name.c_str(), own))
            return true;
    }
    return false;
}

std::vector<std::string> ForeignDlls(const std::vector<std::string>& names)
{
    std::vector<std::string> foreign;
    for (const std::string& name : names) {
        if (!IsWindowsOwnDll(name))
            foreign.push_back(name);
    }
    return foreign;
}
