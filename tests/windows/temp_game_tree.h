// A throw-away game folder for one test: <temp>\Bin, the current directory
// while the object lives, and <temp>\Data\LevelScripts\<mode>\ beside it.
#pragma once

#include <string>

class TempGameTree {
public:
    enum Layout { kWithData, kWithoutData };

    explicit TempGameTree(Layout layout = kWithData);
    ~TempGameTree();
    TempGameTree(const TempGameTree&) = delete;
    TempGameTree& operator=(const TempGameTree&) = delete;

    // Creates an empty level-script file, or a folder, in the mode's folder.
    void AddFile(const std::string& mode, const std::string& name) const;
    void AddFolder(const std::string& mode, const std::string& name) const;

    const std::string& Root() const { return m_root; }
    std::string BinFolder() const { return m_root + "\\Bin"; }

private:
    std::string ModeFolder(const std::string& mode) const;

    std::string m_root;
    std::string m_previousDirectory;
};
