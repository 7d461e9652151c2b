// The compiled resources as the program gets them: the dialog templates read back from the resource section and created for real, the
// initial list items, the About item's text, the icon, the manifest and the
// version.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/dialog_items.h"
#include "res/resource.h"
#include "servers/server_config.h"
#include "servers/text_compare.h"

namespace {

HINSTANCE Instance()
{
    return ::GetModuleHandleA(nullptr);
}

// ---- The dialog template as stored (styles exactly as written, before the
// controls adjust their own, and positions in dialog units).

struct TemplateItem {
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::string windowClass;
    std::string text;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::string caption;
    int pointSize = 0;
    std::string font;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : p_(data) {}

    template <typename T>
    T Read()
    {
        T value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    // A name that is absent, an ordinal (given back as "#n") or a string.
    std::string ReadNameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Read<WORD>());
        p_ -= sizeof(WORD);
        return ReadString();
    }
    std::string ReadString()
    {
        std::string text;
        for (WORD c = Read<WORD>(); c != 0; c = Read<WORD>())
            text += static_cast<char>(c);  // every text here is ASCII
        return text;
    }
    void Skip(std::size_t bytes) { p_ += bytes; }
    void AlignToDword(const BYTE* start) { p_ += (4 - (p_ - start) % 4) % 4; }

private:
    const BYTE* p_;
};

// Templates name the predefined classes by number.
std::string ClassName(const std::string& stored)
{
    const char* const predefined[][2] = {
        {"#128", "Button"}, {"#129", "Edit"}, {"#130", "Static"}, {"#131", "ListBox"}, {"#133", "ComboBox"},
    };
    for (const auto& known : predefined)
        if (stored == known[0])
            return known[1];
    return stored;
}

DialogTemplate LoadTemplate(int templateId)
{
    DialogTemplate dialog;
    const HRSRC found = ::FindResourceA(Instance(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    if (!found)
        return dialog;
    const BYTE* start = static_cast<const BYTE*>(::LockResource(::LoadResource(Instance(), found)));
    TemplateReader in(start);
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != 0xFFFF)
        return dialog;  // not an extended template
    in.Skip(sizeof(DWORD));  // help id
    dialog.exStyle = in.Read<DWORD>();
    dialog.style = in.Read<DWORD>();
    const WORD count = in.Read<WORD>();
    in.Skip(2 * sizeof(short));  // position
    dialog.cx = in.Read<short>();
    dialog.cy = in.Read<short>();
    in.ReadNameOrOrdinal();  // menu
    in.ReadNameOrOrdinal();  // window class
    dialog.caption = in.ReadString();
    if (dialog.style & DS_SETFONT) {
        dialog.pointSize = in.Read<WORD>();
        in.Skip(sizeof(WORD) + 2 * sizeof(BYTE));  // weight, italic, character set
        dialog.font = in.ReadString();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword(start);
        TemplateItem item;
        in.Skip(2 * sizeof(DWORD));  // help id, extended style
        item.style = in.Read<DWORD>();
        item.x = in.Read<short>();
        item.y = in.Read<short>();
        item.cx = in.Read<short>();
        item.cy = in.Read<short>();
        item.id = static_cast<int>(in.Read<DWORD>());
        item.windowClass = ClassName(in.ReadNameOrOrdinal());
        item.text = in.ReadNameOrOrdinal();
        in.Skip(in.Read<WORD>());  // creation data
        dialog.items.push_back(item);
    }
    return dialog;
}

const TemplateItem* FindItem(const DialogTemplate& dialog, int id)
{
    for (const TemplateItem& item : dialog.items)
        if (item.id == id)
            return &item;
    return nullptr;
}

std::vector<int> TabStopsInTemplateOrder(const DialogTemplate& dialog)
{
    std::vector<int> ids;
    for (const TemplateItem& item : dialog.items)
        if (item.style & WS_TABSTOP)
            ids.push_back(item.id);
    return ids;
}

bool IsOfClass(const TemplateItem& item, const char* windowClass)
{
    return EqualNoCase(item.windowClass.c_str(), windowClass);
}

bool IsGroupBox(const TemplateItem& item)
{
    return IsOfClass(item, "Button") && (item.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// ---- The dialog created for real, hidden, as the framework creates it.

INT_PTR CALLBACK InertDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

class LiveDialog {
public:
    explicit LiveDialog(int templateId)
    {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
        ::InitCommonControlsEx(&classes);
        hwnd_ = ::CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId), nullptr, InertDialogProc, 0);
    }
    ~LiveDialog()
    {
        if (hwnd_)
            ::DestroyWindow(hwnd_);
    }
    LiveDialog(const LiveDialog&) = delete;
    LiveDialog& operator=(const LiveDialog&) = delete;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    std::string Text() const { return TextOf(hwnd_); }

    // The children in template order; index i is template item i.
    std::vector<HWND> Children() const
    {
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }
    static std::string TextOf(HWND window)
    {
        char text[256] = "";
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static std::string ClassOf(HWND window)
    {
        char name[64] = "";
        ::GetClassNameA(window, name, sizeof name);
        return name;
    }

private:
    HWND hwnd_ = nullptr;
};

// The font the system scales with the display and swaps for its own.
void ExpectSystemDialogFont(const DialogTemplate& dialog)
{
    EXPECT_EQ(dialog.style & DS_SHELLFONT, static_cast<DWORD>(DS_SHELLFONT));
    EXPECT_EQ(dialog.font, "MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, 8);
}

// ---- Group boxes.

struct GroupBox {
    const char* caption;
    std::vector<int> encloses;
};

const int kLeftPane[] = {IDC_SERVERLIST, IDC_NEW, IDC_START, IDC_STOP, IDC_DELETE};

// Every control the operator reaches outside the left pane.
std::vector<int> SettingsArea()
{
    std::vector<int> ids;
    for (int id : TabStopsInTemplateOrder(LoadTemplate(IDD_SERVERADMIN_DIALOG)))
        if (std::find(std::begin(kLeftPane), std::end(kLeftPane), id) == std::end(kLeftPane))
            ids.push_back(id);
    return ids;
}

// In template order.
std::vector<GroupBox> AdminGroupBoxes()
{
    return {
        {"", SettingsArea()},
        {"", {IDC_FRIENDLYFIRE, IDC_RESPAWN, IDC_IMMEDIATEPLAY, IDC_ALLOWSHADOWS, IDC_SPECTATEALL}},
        {"", std::vector<int>(std::begin(kLeftPane), std::end(kLeftPane))},
        {"", {IDC_DEDICATED, IDC_MINIMIZE, IDC_PURE, IDC_HASH, IDC_ANTICHEAT, IDC_OPENCHAT}},
        {"Extern IP", {IDC_USEEXTERNIP, IDC_EXTERNIP}},
        {"Map rotation", {IDC_USEMAPROTATION, IDC_ROTATIONFILE, IDC_BROWSE, IDC_ROTATIONBUTTON, IDC_MAPTIME}},
        {"Skin sets", {IDC_TEAM1SKINSET, IDC_TEAM2SKINSET}},
    };
}

bool Encloses(const TemplateItem& box, const TemplateItem& item, short height)
{
    return item.x >= box.x && item.y >= box.y && item.x + item.cx <= box.x + box.cx &&
           item.y + height <= box.y + box.cy;
}

// The closed height of a drop-down list, in dialog units: the template
// gives the height of the opened list.
constexpr short kClosedListHeight = 14;

}  // namespace

TEST(AdminWindowTemplate, IsTheFixedSizeMinimisableAppWindow)
{
    const DialogTemplate dialog = LoadTemplate(IDD_SERVERADMIN_DIALOG);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME;
    EXPECT_EQ(dialog.style & frame, frame);
    EXPECT_FALSE(dialog.style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_VISIBLE | WS_CHILD));
    EXPECT_TRUE(dialog.exStyle & WS_EX_APPWINDOW);
    ExpectSystemDialogFont(dialog);

    LiveDialog live(IDD_SERVERADMIN_DIALOG);
    ASSERT_TRUE(live.hwnd());
    EXPECT_EQ(live.Text(), "QYR " + std::to_string(QYRSAT_TEST_VERSION_MAJOR) + "." +
                               std::to_string(QYRSAT_TEST_VERSION_MINOR) + " Server Admin Tool");
}

TEST(AdminWindowTemplate, GroupBoxesComeFirstAndEncloseTheirControls)
{
    const DialogTemplate dialog = LoadTemplate(IDD_SERVERADMIN_DIALOG);

    // Drawn first, so that no frame is painted over a control it encloses.
    std::size_t index = 0;
    for (const GroupBox& box : AdminGroupBoxes()) {
        SCOPED_TRACE(box.caption);
        ASSERT_LT(index, dialog.items.size());
        const TemplateItem& item = dialog.items[index];
        EXPECT_TRUE(IsGroupBox(item));
        EXPECT_EQ(item.text, box.caption);
        EXPECT_EQ(item.id, IDC_STATIC);
        for (int id : box.encloses) {
            const TemplateItem* control = FindItem(dialog, id);
            ASSERT_TRUE(control) << id;
            const short height = IsOfClass(*control, "ComboBox") ? kClosedListHeight : control->cy;
            EXPECT_TRUE(Encloses(item, *control, height)) << id;
        }
        ++index;
    }
    for (; index < dialog.items.size(); ++index)
        EXPECT_FALSE(IsGroupBox(dialog.items[index])) << index;
}

// As laid out on the screen: no label or control covers another, and all
// lie inside the window. A typing slip in a position shows up here.
TEST(DialogLayout, NothingOverlapsAndEverythingIsInside)
{
    for (int templateId : {IDD_ABOUTBOX, IDD_SERVERADMIN_DIALOG, IDD_MAPROTATION, IDD_SERVERHISTORY, IDD_WATCHDOG}) {
        SCOPED_TRACE("template " + std::to_string(templateId));
        const DialogTemplate dialog = LoadTemplate(templateId);
        LiveDialog live(templateId);
        ASSERT_TRUE(live.hwnd());
        RECT client;
        ::GetClientRect(live.hwnd(), &client);
        std::vector<RECT> placed;
        const std::vector<HWND> children = live.Children();
        ASSERT_EQ(children.size(), dialog.items.size());
        for (std::size_t i = 0; i < children.size(); ++i) {
            RECT rect;
            ::GetWindowRect(children[i], &rect);
            ::MapWindowPoints(nullptr, live.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
            // The status bar places itself at the bottom, where the window
            // grows to make room for it as it opens.
            if (::GetDlgCtrlID(children[i]) == IDC_STATUSBAR)
                continue;
            EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
                        rect.bottom <= client.bottom)
                << "item " << i;
            if (IsGroupBox(dialog.items[i]))
                continue;
            for (std::size_t j = 0; j < placed.size(); ++j) {
                RECT common;
                EXPECT_FALSE(::IntersectRect(&common, &rect, &placed[j]))
                    << LiveDialog::TextOf(children[i]) << " (id " << ::GetDlgCtrlID(children[i])
                    << ") overlaps an earlier control";
            }
            placed.push_back(rect);
        }
    }
}

TEST(RotationEditorTemplate, IsAFixedSizeModalFrame)
{
    const DialogTemplate dialog = LoadTemplate(IDD_MAPROTATION);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(dialog.style & frame, frame);
    EXPECT_FALSE(dialog.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    ExpectSystemDialogFont(dialog);
    LiveDialog live(IDD_MAPROTATION);
    ASSERT_TRUE(live.hwnd());
    EXPECT_EQ(live.Text(), "Map Rotation");
}

TEST(AboutBoxTemplate, ShowsTheIconTheTitleTheVersionAndOk)
{
    const DialogTemplate dialog = LoadTemplate(IDD_ABOUTBOX);
    const DWORD frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    EXPECT_EQ(dialog.style & frame, frame);
    ExpectSystemDialogFont(dialog);
    ASSERT_EQ(dialog.items.size(), 4u);

    const TemplateItem& icon = dialog.items[0];
    EXPECT_EQ(icon.style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(icon.text, "#" + std::to_string(IDR_MAINFRAME));

    const TemplateItem& title = dialog.items[1];
    EXPECT_TRUE(title.style & SS_NOPREFIX);
    const std::size_t lineBreak = title.text.find('\n');
    ASSERT_NE(lineBreak, std::string::npos);
    EXPECT_NE(title.text.substr(0, lineBreak).find("QYR"), std::string::npos);
    EXPECT_EQ(title.text.substr(lineBreak + 1), "Server Admin Tool " + std::to_string(QYRSAT_TEST_VERSION_MAJOR) +
                                                    "." + std::to_string(QYRSAT_TEST_VERSION_MINOR));

    const TemplateItem& notice = dialog.items[2];
    EXPECT_EQ(notice.text.find('\n'), std::string::npos);
    EXPECT_FALSE(notice.text.empty());

    EXPECT_EQ(dialog.items[3].id, IDOK);
    EXPECT_EQ(dialog.items[3].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));

    LiveDialog live(IDD_ABOUTBOX);
    ASSERT_TRUE(live.hwnd());
    EXPECT_EQ(live.Text(), "About");
    EXPECT_EQ(LiveDialog::TextOf(live.Item(IDOK)), "OK");
    const HWND iconControl = live.Children()[0];
    EXPECT_TRUE(::SendMessageA(iconControl, STM_GETICON, 0, 0)) << "the icon resource was not found";
}

namespace {

std::vector<DialogListItems> LoadDialogItems(int templateId)
{
    const HRSRC found = ::FindResourceA(Instance(), MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(RT_DLGITEMS));
    if (!found)
        return {};
    const auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(Instance(), found)));
    return ParseDialogItems(data, ::SizeofResource(Instance(), found));
}

const std::vector<std::string>* ItemsOf(const std::vector<DialogListItems>& lists, int id)
{
    for (const DialogListItems& list : lists)
        if (list.controlId == id)
            return &list.items;
    return nullptr;
}

std::vector<std::string> GameModeKeywords()
{
    return std::vector<std::string>(kGameModes, kGameModes + kGameModeCount);
}

// Every unsorted drop-down list of the template has its items stored, and
// nothing else has: the sorted map lists are filled from the level scripts.
void ExpectItemsForEveryFixedList(int templateId, const std::vector<DialogListItems>& lists)
{
    const DialogTemplate dialog = LoadTemplate(templateId);
    std::vector<int> fixedLists;
    for (const TemplateItem& item : dialog.items)
        if (IsOfClass(item, "ComboBox") && !(item.style & CBS_SORT))
            fixedLists.push_back(item.id);
    std::vector<int> stored;
    for (const DialogListItems& list : lists)
        stored.push_back(list.controlId);
    // In whichever order: each list finds its own.
    std::sort(stored.begin(), stored.end());
    std::sort(fixedLists.begin(), fixedLists.end());
    EXPECT_EQ(stored, fixedLists);
}

void ExpectCountAndEnds(const std::vector<std::string>* items, std::size_t count, const char* first,
                        const char* last)
{
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), count);
    EXPECT_EQ(items->front(), first);
    EXPECT_EQ(items->back(), last);
    // Item 0 stores 0; every later item stores its leading number, so those
    // must rise for the leading-number rule to find one item per value.
    for (std::size_t i = 2; i < items->size(); ++i)
        EXPECT_GT(std::atoi((*items)[i].c_str()), std::atoi((*items)[i - 1].c_str())) << (*items)[i];
    EXPECT_EQ(std::atoi(items->front().c_str()), 0);
    EXPECT_GT(std::atoi((*items)[1].c_str()), 0);
}

}  // namespace

TEST(DialogItems, AdminWindowListsHoldTheirFixedItems)
{
    const std::vector<DialogListItems> lists = LoadDialogItems(IDD_SERVERADMIN_DIALOG);
    ExpectItemsForEveryFixedList(IDD_SERVERADMIN_DIALOG, lists);

    const std::vector<std::string>* modes = ItemsOf(lists, IDC_GAMEMODE);
    ASSERT_TRUE(modes);
    EXPECT_EQ(*modes, GameModeKeywords()) << "an item index must be the game-mode number";
    const std::vector<std::string>* playOn = ItemsOf(lists, IDC_PLAYON);
    ASSERT_TRUE(playOn);
    EXPECT_EQ(*playOn, (std::vector<std::string>{"LAN", "Internet"}));

    ExpectCountAndEnds(ItemsOf(lists, IDC_MAXPLAYERS), 17, "No Limit", "32");
    ExpectCountAndEnds(ItemsOf(lists, IDC_MATCHTIME), 11, "No limit", "120 min");
    ExpectCountAndEnds(ItemsOf(lists, IDC_FREEZETIME), 21, "No limit", "20 seconds");
    EXPECT_EQ((*ItemsOf(lists, IDC_FREEZETIME))[1], "1 second");
    ExpectCountAndEnds(ItemsOf(lists, IDC_ROUNDTIME), 15, "No limit", "30 min");
    ExpectCountAndEnds(ItemsOf(lists, IDC_MAPTIME), 11, "No limit", "120 min");
    EXPECT_EQ(*ItemsOf(lists, IDC_MAPTIME), *ItemsOf(lists, IDC_MATCHTIME));

    const std::vector<std::string> skinSets = {"Original", "Custom1", "Custom2"};
    for (int id : {IDC_TEAM1SKINSET, IDC_TEAM2SKINSET}) {
        ASSERT_TRUE(ItemsOf(lists, id));
        EXPECT_EQ(*ItemsOf(lists, id), skinSets);
    }
}

TEST(DialogItems, RotationEditorOffersTheGameModesInTheirOrder)
{
    const std::vector<DialogListItems> lists = LoadDialogItems(IDD_MAPROTATION);
    ExpectItemsForEveryFixedList(IDD_MAPROTATION, lists);
    ASSERT_TRUE(ItemsOf(lists, IDC_ROTATION_GAMEMODE));
    EXPECT_EQ(*ItemsOf(lists, IDC_ROTATION_GAMEMODE), GameModeKeywords());
    EXPECT_TRUE(LoadDialogItems(IDD_ABOUTBOX).empty());
}

// Every size the system asks for at the usual display scales has an image
// of its own in full colour with alpha, not a scaled copy of another.
TEST(Resources, IconHasItsOwnImageOfEverySizeInFullColour)
{
    const HRSRC group = ::FindResourceA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(14));
    ASSERT_TRUE(group);
    const auto* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(Instance(), group)));
    WORD count;
    std::memcpy(&count, directory + 4, sizeof count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;  // width, height, colours, reserved, planes, bits, ...
        WORD bitCount;
        std::memcpy(&bitCount, entry + 6, sizeof bitCount);
        EXPECT_EQ(entry[0], entry[1]);
        EXPECT_EQ(bitCount, 32);
        sizes.push_back(entry[0] == 0 ? 256 : entry[0]);
    }
    const std::vector<int> wanted = {16, 20, 24, 32, 40, 48, 64, 256};
    EXPECT_EQ(sizes, wanted);

    for (int size : wanted) {
        const HICON icon = static_cast<HICON>(
            ::LoadImageA(Instance(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_TRUE(icon) << size;
        ICONINFO info;
        ASSERT_TRUE(::GetIconInfo(icon, &info));
        BITMAP colour = {};
        ::GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        ::DestroyIcon(icon);
    }
}

TEST(Resources, VersionIsTheProjectVersion)
{
    char path[MAX_PATH];
    ASSERT_GT(::GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(QYRSAT_TEST_VERSION_MINOR, QYRSAT_TEST_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, QYRSAT_TEST_VERSION_PATCH)));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    const std::string version = std::to_string(QYRSAT_TEST_VERSION_MAJOR) + "." +
                                std::to_string(QYRSAT_TEST_VERSION_MINOR) + "." +
                                std::to_string(QYRSAT_TEST_VERSION_PATCH);
    for (const char* name : {"FileVersion", "ProductVersion"}) {
        char* text = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
        ASSERT_TRUE(::VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_EQ(std::string(text), version) << name;
    }
}

// The manifest is read by the loader, which then hands out version 6 of the
// common controls; a manifest it cannot read would leave version 5 quietly.
TEST(Resources, ManifestBringsCommonControlsVersion6)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_INTERNET_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&classes));
    const HMODULE controls = ::GetModuleHandleA("comctl32.dll");
    ASSERT_TRUE(controls);
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(controls, path, MAX_PATH);
    std::string lower(path);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("common-controls_6595b64144ccf1df_6."), std::string::npos) << path;
}
