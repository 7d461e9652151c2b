// The real rotation editor over its real template and a throw-away game
// folder, driven through its controls' notifications; the real save dialog
// where the editor asks for a file name.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "rotation/map_rotation_dlg.h"
#include "tests/file_bytes.h"
#include "servers/server_manager.h"
#include "tests/windows/temp_game_tree.h"
#include "tests/windows/window_probe.h"

namespace {

const char kEditorCaption[] = "Map Rotation";
const char kSaveCaption[] = "Save As";
const char kNotSavedCaption[] = "Rotation Not Saved";

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Entries(HWND editor)
{
    std::vector<std::string> entries;
    for (int i = 0; i < ListBoxCount(editor, IDC_ROTATION_ENTRIES); ++i)
        entries.push_back(ListBoxText(editor, IDC_ROTATION_ENTRIES, i));
    return entries;
}

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM param)
{
    OwnedSearch& search = *reinterpret_cast<OwnedSearch*>(param);
    if (::GetWindow(window, GW_OWNER) != search.owner || !::IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// The window, a question box most likely, that `owner` opens; null when
// none came within five seconds.
HWND WaitForOwnedWindow(HWND owner)
{
    for (int wait = 0; wait < 250; ++wait) {
        OwnedSearch search{owner, nullptr};
        ::EnumWindows(FindOwned, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        ::Sleep(20);
    }
    return nullptr;
}

class RotationEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateServerManager());
        ASSERT_NE(g_serverManager, nullptr);
        ASSERT_TRUE(g_serverManager->AddServer());
        // Fallout's maps are listed sorted: Canyon before Dunes.
        m_game.AddFile("Fallout", "Dunes.dls");
        m_game.AddFile("Fallout", "Canyon.dls");
        m_game.AddFile("TeamEscape", "Harbour.dls");
        m_game.AddFile("TeamEscape", "Canyon.dls");
        m_game.AddFile("HostageRescue", "Alley.dls");
        m_game.AddFile("HostageRescue", "dunes.dls");
        m_game.AddFile("Cooperative", "Bay.dls");
    }

    void TearDown() override
    {
        if (m_editor.GetSafeHwnd() != nullptr)
            ::DestroyWindow(m_editor.GetSafeHwnd());
        EXPECT_TRUE(DestroyServerManager());
    }

    ServerConfig& Server() const { return *g_serverManager->Current(); }
    std::string PathIn(const std::string& name) const { return m_game.Root() + "\\" + name; }

    // Names an existing rotation file of these bytes as the server's.
    std::string UseRotationFile(const std::string& name, const std::string& bytes)
    {
        const std::string path = PathIn(name);
        WriteFileBytes(path, bytes);
        CopyText(Server().rotationFile, path.c_str());
        return path;
    }

    HWND Open()
    {
        EXPECT_TRUE(m_editor.Create());
        m_window = m_editor.GetSafeHwnd();
        return m_window;
    }

    void Add(const std::string& mode, const std::string& map) const
    {
        ChooseItem(m_window, IDC_ROTATION_GAMEMODE, mode);
        ChooseItem(m_window, IDC_ROTATION_MAP, map);
        Click(m_window, IDC_ROTATION_ADD);
    }

    // OK, with the save dialog answered by `answer` if it comes up.
    bool PressOk(const std::function<void(HWND)>& answer = [](HWND dialog) { PressButton(dialog, IDCANCEL); })
    {
        ModalAnswerer saveDialog(kSaveCaption, answer);
        Click(m_window, IDOK);
        return saveDialog.Answered();
    }

    bool EditorOpen() const { return ::IsWindow(m_window) != FALSE; }

    UnexpectedModalGuard m_modalGuard;  // first made, last gone
    TempGameTree m_game;
    CMapRotationDlg m_editor{nullptr};
    HWND m_window = nullptr;
};

// --- Opening ---------------------------------------------------------------

TEST_F(RotationEditorTest, NewRotationStartsEmptyOnFalloutsFirstMap)
{
    Server().gameMode = 5;
    const HWND editor = Open();
    EXPECT_EQ(ControlText(editor, IDC_ROTATION_PATH), "[new rotation file]");
    EXPECT_EQ(ListBoxCount(editor, IDC_ROTATION_ENTRIES), 0);
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_GAMEMODE), "Fallout");
    EXPECT_EQ(ItemCount(editor, IDC_ROTATION_MAP), 2);
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), "Canyon");
    // The editor's game mode is not the server's.
    EXPECT_EQ(Server().gameMode, 5);
}

TEST_F(RotationEditorTest, ExistingFileListsItsEntriesInFileOrderNoneSelected)
{
    const std::string path =
        UseRotationFile("three.map", "Map = TeamEscape\\Canyon;\r\nMap = Fallout\\Dunes;\r\nMap = Cooperative\\Bay;\r\n");
    const HWND editor = Open();
    EXPECT_EQ(ControlText(editor, IDC_ROTATION_PATH), path);
    EXPECT_EQ(Entries(editor),
              (std::vector<std::string>{"TeamEscape\\Canyon", "Fallout\\Dunes", "Cooperative\\Bay"}));
    EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), -1);
    // Read, and copied, but not typed in.
    EXPECT_TRUE(IsControlEnabled(editor, IDC_ROTATION_PATH));
    EXPECT_TRUE(::GetWindowLongA(::GetDlgItem(editor, IDC_ROTATION_PATH), GWL_STYLE) & ES_READONLY);
}

TEST_F(RotationEditorTest, MissingFileShowsItsPathOverAnEmptyList)
{
    const std::string path = PathIn("absent.map");
    CopyText(Server().rotationFile, path.c_str());
    const HWND editor = Open();
    EXPECT_EQ(ControlText(editor, IDC_ROTATION_PATH), path);
    EXPECT_EQ(ListBoxCount(editor, IDC_ROTATION_ENTRIES), 0);
}

TEST_F(RotationEditorTest, WithoutCurrentServerShowsNothingAndClosesWithoutAskingForAFile)
{
    ASSERT_TRUE(g_serverManager->DeleteCurrentServer());
    const HWND editor = Open();
    EXPECT_EQ(ControlText(editor, IDC_ROTATION_PATH), "");
    EXPECT_EQ(ListBoxCount(editor, IDC_ROTATION_ENTRIES), 0);
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_GAMEMODE), "Fallout");
    EXPECT_EQ(ItemCount(editor, IDC_ROTATION_MAP), 0);
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(m_editor.ModelessResult(), IDOK);
}

// --- Editing the list ------------------------------------------------------

TEST_F(RotationEditorTest, AddAppendsModeBackslashMapAndSelectsIt)
{
    UseRotationFile("one.map", "Map = Fallout\\Dunes;\r\n");
    const HWND editor = Open();
    Add("TeamEscape", "Canyon");
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"Fallout\\Dunes", "TeamEscape\\Canyon"}));
    EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), 1);
    // Equal entries are welcome.
    Click(editor, IDC_ROTATION_ADD);
    EXPECT_EQ(Entries(editor),
              (std::vector<std::string>{"Fallout\\Dunes", "TeamEscape\\Canyon", "TeamEscape\\Canyon"}));
    EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), 2);
}

TEST_F(RotationEditorTest, AddDoesNothingWhileTheModeHasNoMaps)
{
    const HWND editor = Open();
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "PlantTheBomb");
    ASSERT_EQ(ItemCount(editor, IDC_ROTATION_MAP), 0);
    Click(editor, IDC_ROTATION_ADD);
    EXPECT_EQ(ListBoxCount(editor, IDC_ROTATION_ENTRIES), 0);
}

TEST_F(RotationEditorTest, RemoveTakesOnlyTheSelectedEntryAndLeavesNoneSelected)
{
    UseRotationFile("xyz.map", "Map = X;\r\nMap = Y;\r\nMap = Z;\r\n");
    const HWND editor = Open();
    Click(editor, IDC_ROTATION_REMOVE);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"X", "Y", "Z"}));

    ChooseListBoxItem(editor, IDC_ROTATION_ENTRIES, 1);
    Click(editor, IDC_ROTATION_REMOVE);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"X", "Z"}));
    EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), -1);
    Click(editor, IDC_ROTATION_REMOVE);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"X", "Z"}));
}

struct MoveCase {
    int button;
    int selected;
    std::vector<std::string> after;
    int selectedAfter;
};

TEST_F(RotationEditorTest, MovesWrapAroundTheEnds)
{
    UseRotationFile("xyz.map", "Map = X;\r\nMap = Y;\r\nMap = Z;\r\n");
    const MoveCase cases[] = {
        {IDC_ROTATION_UP, 0, {"Y", "Z", "X"}, 2},
        {IDC_ROTATION_UP, 1, {"Y", "X", "Z"}, 0},
        {IDC_ROTATION_DOWN, 2, {"Z", "X", "Y"}, 0},
        {IDC_ROTATION_DOWN, 0, {"Y", "X", "Z"}, 1},
    };
    for (const MoveCase& move : cases) {
        const HWND editor = Open();
        ChooseListBoxItem(editor, IDC_ROTATION_ENTRIES, move.selected);
        Click(editor, move.button);
        EXPECT_EQ(Entries(editor), move.after) << move.button << " on " << move.selected;
        EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), move.selectedAfter);
        ::DestroyWindow(editor);
    }
}

TEST_F(RotationEditorTest, MovesNeedASelectionAndLeaveASingleEntryInPlace)
{
    UseRotationFile("xyz.map", "Map = X;\r\nMap = Y;\r\n");
    const HWND editor = Open();
    Click(editor, IDC_ROTATION_UP);
    Click(editor, IDC_ROTATION_DOWN);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), -1);

    ChooseListBoxItem(editor, IDC_ROTATION_ENTRIES, 1);
    Click(editor, IDC_ROTATION_REMOVE);
    ChooseListBoxItem(editor, IDC_ROTATION_ENTRIES, 0);
    for (int button : {IDC_ROTATION_UP, IDC_ROTATION_DOWN}) {
        Click(editor, button);
        EXPECT_EQ(Entries(editor), (std::vector<std::string>{"X"}));
        EXPECT_EQ(ListBoxSelection(editor, IDC_ROTATION_ENTRIES), 0);
    }
}

TEST_F(RotationEditorTest, EntriesOfAnyLengthStayWhole)
{
    const std::string entry = "Fallout\\" + std::string(300, 'w');
    const std::string bytes = "Map = " + entry + ";\r\nMap = Fallout\\Dunes;\r\n";
    const std::string path = UseRotationFile("long.map", bytes);
    const HWND editor = Open();
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{entry, "Fallout\\Dunes"}));
    ChooseListBoxItem(editor, IDC_ROTATION_ENTRIES, 0);
    Click(editor, IDC_ROTATION_DOWN);
    EXPECT_EQ(Entries(editor), (std::vector<std::string>{"Fallout\\Dunes", entry}));
    Click(editor, IDC_ROTATION_DOWN);
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

// --- Game mode -------------------------------------------------------------

TEST_F(RotationEditorTest, ModeChangeKeepsTheMapWhenTheNewModeHasItInAnyCase)
{
    Server().gameMode = 2;
    const HWND editor = Open();
    ChooseItem(editor, IDC_ROTATION_MAP, "Dunes");
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "HostageRescue");
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), "dunes");
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "Fallout");
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), "Dunes");
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "TeamEscape");
    EXPECT_EQ(ItemCount(editor, IDC_ROTATION_MAP), 2);
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), "Canyon");
    EXPECT_EQ(Server().gameMode, 2);
}

TEST_F(RotationEditorTest, ModeChangeComparesLongMapNamesWhole)
{
    const std::string stem(63, 'm');
    m_game.AddFile("Fallout", stem + "X.dls");
    m_game.AddFile("Cooperative", stem + "Y.dls");
    m_game.AddFile("PlantTheBomb", stem + "Y.dls");
    m_game.AddFile("PlantTheBomb", "A.dls");
    m_game.AddFile("PlantTheBomb", std::string(63, 'M') + "x.dls");
    const HWND editor = Open();
    ChooseItem(editor, IDC_ROTATION_MAP, stem + "X");
    // Alike in the first 63 characters is not the same map.
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "Cooperative");
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), "Bay");
    ChooseItem(editor, IDC_ROTATION_MAP, stem + "Y");
    ChooseItem(editor, IDC_ROTATION_GAMEMODE, "PlantTheBomb");
    EXPECT_EQ(SelectedItem(editor, IDC_ROTATION_MAP), stem + "Y");
}

// --- Closing ---------------------------------------------------------------

TEST_F(RotationEditorTest, OkOverwritesTheNamedFileWithoutAQuestion)
{
    Server().gameMode = 1;
    const std::string path = UseRotationFile("set.map", "Map = Cooperative\\Bay;\r\n");
    Open();
    ChooseListBoxItem(m_window, IDC_ROTATION_ENTRIES, 0);
    Click(m_window, IDC_ROTATION_REMOVE);
    Add("Fallout", "Canyon");
    Add("TeamEscape", "Harbour");
    EXPECT_FALSE(PressOk());
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(m_editor.ModelessResult(), IDOK);
    // 22 and 26 bytes: "Map = ", the entry, ";" and CR LF.
    EXPECT_EQ(ReadFileBytes(path), "Map = Fallout\\Canyon;\r\nMap = TeamEscape\\Harbour;\r\n");
    EXPECT_EQ(std::string(Server().rotationFile), path);
    EXPECT_EQ(Server().gameMode, 1);
}

TEST_F(RotationEditorTest, OkWithNoEntriesLeavesAnEmptyFile)
{
    const std::string path = UseRotationFile("empty.map", "Map = Fallout\\Dunes;\r\n");
    Open();
    ChooseListBoxItem(m_window, IDC_ROTATION_ENTRIES, 0);
    Click(m_window, IDC_ROTATION_REMOVE);
    EXPECT_FALSE(PressOk());
    EXPECT_EQ(m_editor.ModelessResult(), IDOK);
    EXPECT_EQ(ReadFileBytes(path), "");
}

TEST_F(RotationEditorTest, ModalOkReturnsIdOkAndWritesTheFile)
{
    Server().gameMode = 3;
    const std::string path = UseRotationFile("modal.map", "");
    INT_PTR result = 0;
    {
        ModalAnswerer editor(kEditorCaption, [](HWND window) {
            ChooseItem(window, IDC_ROTATION_GAMEMODE, "TeamEscape");
            Click(window, IDC_ROTATION_ADD);
            PressButton(window, IDOK);
        });
        result = m_editor.DoModal();
        EXPECT_TRUE(editor.Answered());
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(ReadFileBytes(path), "Map = TeamEscape\\Canyon;\r\n");
    EXPECT_EQ(Server().gameMode, 3);
}

TEST_F(RotationEditorTest, CancelWritesNothingAndChangesNothing)
{
    Server().gameMode = 4;
    const std::string bytes = "Map = Fallout\\Dunes;\r\n";
    const std::string path = UseRotationFile("keep.map", bytes);
    INT_PTR result = 0;
    {
        ModalAnswerer editor(kEditorCaption, [](HWND window) {
            ChooseItem(window, IDC_ROTATION_GAMEMODE, "Cooperative");
            Click(window, IDC_ROTATION_ADD);
            PressButton(window, IDCANCEL);
        });
        result = m_editor.DoModal();
        EXPECT_TRUE(editor.Answered());
    }
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_EQ(std::string(Server().rotationFile), path);
    EXPECT_EQ(Server().gameMode, 4);
}

// --- Naming a new rotation in the save dialog ------------------------------

TEST_F(RotationEditorTest, SaveDialogNameGetsTheDefaultExtensionAndIsStored)
{
    Open();
    Add("Fallout", "Dunes");
    const std::string typed = PathIn("fresh");
    EXPECT_TRUE(PressOk([&](HWND dialog) { ChooseFileName(dialog, typed); }));
    EXPECT_FALSE(EditorOpen());
    EXPECT_EQ(m_editor.ModelessResult(), IDOK);
    EXPECT_EQ(std::string(Server().rotationFile), typed + ".map");
    EXPECT_EQ(ReadFileBytes(typed + ".map"), "Map = Fallout\\Dunes;\r\n");
    // The save dialog leaves the working directory, which the map lists need.
    char directory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    EXPECT_EQ(std::string(directory), m_game.BinFolder());
}

TEST_F(RotationEditorTest, CancelledSaveDialogReturnsToEditing)
{
    Open();
    Add("Fallout", "Dunes");
    Add("TeamEscape", "Harbour");
    EXPECT_TRUE(PressOk());
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Entries(m_window), (std::vector<std::string>{"Fallout\\Dunes", "TeamEscape\\Harbour"}));
    EXPECT_EQ(std::string(Server().rotationFile), "");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATION_PATH), "[new rotation file]");
}

TEST_F(RotationEditorTest, SavePathTooLongForTheRecordIsRefused)
{
    // Exactly 256 characters: one too many for the record, yet within what
    // the system's own paths allow.
    std::string folder = m_game.Root();
    while (folder.size() < 230) {
        folder += "\\" + std::string(40, 'd');
        folder.resize(std::min<std::size_t>(folder.size(), 230));
        ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    const std::string typed = folder + "\\" + std::string(21, 'r') + ".map";
    ASSERT_EQ(typed.size(), kTextSize);
    Open();
    Add("Fallout", "Dunes");
    EXPECT_TRUE(PressOk([&](HWND dialog) { ChooseFileName(dialog, typed); }));
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(std::string(Server().rotationFile), "");
    EXPECT_EQ(Entries(m_window), (std::vector<std::string>{"Fallout\\Dunes"}));
    EXPECT_FALSE(FileExists(typed));
}

// --- A rotation that cannot be written -------------------------------------

class UnwritableRotationTest : public RotationEditorTest {
protected:
    // OK, answering the warning; returns its text.
    std::string PressOkExpectingWarning(const std::function<void(HWND)>& saveAnswer = [](HWND dialog) {
        PressButton(dialog, IDCANCEL);
    })
    {
        std::string text;
        HICON icon = nullptr;
        ModalAnswerer warning(kNotSavedCaption, [&](HWND box) {
            text = MessageBoxText(box);
            icon = MessageBoxIcon(box);
            PressButton(box, IDOK);
        });
        PressOk(saveAnswer);
        EXPECT_TRUE(warning.Answered());
        EXPECT_EQ(icon, ::LoadIconA(nullptr, IDI_ERROR));
        return text;
    }
};

TEST_F(UnwritableRotationTest, MissingFolderIsReportedAndTheEditorStaysOpen)
{
    const std::string path = PathIn("nowhere\\r.map");
    CopyText(Server().rotationFile, path.c_str());
    Open();
    Add("Fallout", "Dunes");
    EXPECT_EQ(PressOkExpectingWarning().rfind("The rotation file could not be written:\n" + path + "\n\n", 0), 0u);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Entries(m_window), (std::vector<std::string>{"Fallout\\Dunes"}));
    EXPECT_EQ(std::string(Server().rotationFile), path);
    EXPECT_FALSE(FileExists(path));
}

TEST_F(UnwritableRotationTest, ReadOnlyFileIsKeptAndReported)
{
    const std::string bytes = "Map = Cooperative\\Bay;\r\n";
    const std::string path = UseRotationFile("locked.map", bytes);
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Open();
    Add("Fallout", "Dunes");
    EXPECT_NE(PressOkExpectingWarning().find(path + "\n\nThe file is read-only."), std::string::npos);
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(Entries(m_window), (std::vector<std::string>{"Cooperative\\Bay", "Fallout\\Dunes"}));
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

// A name chosen in the save dialog is taken back when its file cannot be
// written: the next OK asks again.
TEST_F(UnwritableRotationTest, ChosenNameIsTakenBackWhenTheWriteFails)
{
    const std::string path = PathIn("chosen.map");
    WriteFileBytes(path, "Map = Cooperative\\Bay;\r\n");
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Open();
    Add("Fallout", "Dunes");
    bool asked = false;
    const std::string text = PressOkExpectingWarning([&](HWND dialog) {
        ChooseFileName(dialog, path);
        // The dialog asks before it lets an existing file be replaced.
        const HWND question = WaitForOwnedWindow(dialog);
        asked = question != nullptr;
        if (asked)
            PressButton(question, IDYES);
    });
    EXPECT_TRUE(asked);
    EXPECT_NE(text.find(path), std::string::npos) << text;
    ASSERT_TRUE(EditorOpen());
    EXPECT_EQ(std::string(Server().rotationFile), "");
    EXPECT_EQ(Entries(m_window), (std::vector<std::string>{"Fallout\\Dunes"}));
}

}  // namespace
