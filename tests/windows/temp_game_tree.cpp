#include "tests/windows/temp_game_tree.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string CurrentDirectory()
{
    char buffer[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

}  // namespace

TempGameTree::TempGameTree(Layout layout) : m_previousDirectory(CurrentDirectory())
{
    // A short root on the temp folder's drive leaves room for map names of
    // 200 characters and more within the path limit.
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string parent = std::string(temp, 3) + "qt";
    ::CreateDirectoryA(parent.c_str(), nullptr);
    static unsigned serial = 0;
    m_root = parent + "\\" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++serial);
    RemoveTree(m_root);
    EXPECT_TRUE(::CreateDirectoryA(m_root.c_str(), nullptr)) << m_root;
    EXPECT_TRUE(::CreateDirectoryA(BinFolder().c_str(), nullptr));
    if (layout == kWithData) {
        ::CreateDirectoryA((m_root + "\\Data").c_str(), nullptr);
        ::CreateDirectoryA((m_root + "\\Data\\LevelScripts").c_str(), nullptr);
    }
    EXPECT_TRUE(::SetCurrentDirectoryA(BinFolder().c_str()));
}

TempGameTree::~TempGameTree()
{
    ::SetCurrentDirectoryA(m_previousDirectory.c_str());
    RemoveTree(m_root);
    // Gone only when no other test's tree is left in it.
    ::RemoveDirectoryA(m_root.substr(0, m_root.rfind('\\')).c_str());
}

std::string TempGameTree::ModeFolder(const std::string& mode) const
{
    const std::string folder = m_root + "\\Data\\LevelScripts\\" + mode;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void TempGameTree::AddFile(const std::string& mode, const std::string& name) const
{
    const std::string path = ModeFolder(mode) + "\\" + name;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    ::CloseHandle(file);
}

void TempGameTree::AddFolder(const std::string& mode, const std::string& name) const
{
    const std::string path = ModeFolder(mode) + "\\" + name;
    ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr)) << path;
}
