// The server list's items: each server's mark before its name. The marks
// differ in shape as well as colour, are drawn at the list's font size
// whatever the display's scale, and take the system's text colours in high
// contrast; a selected item keeps the system's selection colours.
#include <windows.h>

#include <algorithm>
#include <string>

#include "admin/server_admin_dlg.h"
#include "servers/server_run_state.h"

namespace {

COLORREF MarkColour(RunMark mark)
{
    switch (mark) {
    case RunMark::Running:
        return RGB(16, 150, 48);
    case RunMark::Relaunched:
        return RGB(230, 150, 0);
    case RunMark::ShouldRun:
        return RGB(205, 30, 30);
    case RunMark::Stopped:
        break;
    }
    return RGB(128, 128, 128);
}

bool HighContrast()
{
    HIGHCONTRASTA contrast = {};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

// Selected into the DC while it lives, deleted after.
class GdiSelection {
public:
    GdiSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_object(object), m_old(::SelectObject(dc, object)) {}
    ~GdiSelection()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_object);
    }
    GdiSelection(const GdiSelection&) = delete;
    GdiSelection& operator=(const GdiSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

HPEN SolidPen(int width, COLORREF colour)
{
    LOGBRUSH brush = {BS_SOLID, colour, 0};
    return ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, static_cast<DWORD>(width),
                          &brush, 0, nullptr);
}

// In the square `box`: running a filled circle; relaunched a filled circle
// with its upper right quarter cut away; stopped a ring; should run but
// does not a cross.
void DrawMark(HDC dc, const RECT& box, RunMark mark, COLORREF colour)
{
    const int size = box.right - box.left;
    if (mark == RunMark::ShouldRun) {
        const int width = std::max(2, size / 4);
        const GdiSelection pen(dc, SolidPen(width, colour));
        const int inset = width / 2;
        ::MoveToEx(dc, box.left + inset, box.top + inset, nullptr);
        ::LineTo(dc, box.right - inset, box.bottom - inset);
        ::MoveToEx(dc, box.right - inset, box.top + inset, nullptr);
        ::LineTo(dc, box.left + inset, box.bottom - inset);
        return;
    }
    if (mark == RunMark::Stopped) {
        const int width = std::max(1, size / 7);
        const GdiSelection pen(dc, SolidPen(width, colour));
        const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        const int inset = width / 2;
        ::Ellipse(dc, box.left + inset, box.top + inset, box.right - inset + 1, box.bottom - inset + 1);
        ::SelectObject(dc, oldBrush);
        return;
    }
    const GdiSelection pen(dc, ::CreatePen(PS_SOLID, 1, colour));
    const GdiSelection brush(dc, ::CreateSolidBrush(colour));
    const int middleX = (box.left + box.right) / 2;
    const int middleY = (box.top + box.bottom) / 2;
    if (mark == RunMark::Relaunched)
        ::Pie(dc, box.left, box.top, box.right, box.bottom, middleX, box.top, box.right, middleY);
    else
        ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

}  // namespace

// The list keeps each item's mark in its item data, set by the refresh.
void CServerAdminDlg::OnDrawServerItem(const DRAWITEMSTRUCT& item)
{
    const HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    if (item.itemID != static_cast<UINT>(-1)) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        const COLORREF text = ::GetSysColor(selected                          ? COLOR_HIGHLIGHTTEXT
                                            : (item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                                              : COLOR_WINDOWTEXT);
        ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);

        // The mark is as high as a capital letter, a space's width in.
        TEXTMETRICA font = {};
        ::GetTextMetricsA(dc, &font);
        const int size = std::max(5, static_cast<int>(font.tmAscent - font.tmInternalLeading));
        const int left = area.left + font.tmAveCharWidth / 2 + 1;
        const int top = (area.top + area.bottom - size) / 2;
        const RECT box = {left, top, left + size, top + size};
        const RunMark mark = static_cast<RunMark>(item.itemData);
        DrawMark(dc, box, mark, HighContrast() ? text : MarkColour(mark));

        RECT name = area;
        name.left = box.right + font.tmAveCharWidth;
        ::SetTextColor(dc, text);
        ::SetBkMode(dc, TRANSPARENT);
        const std::string shown = m_serverList.GetText(static_cast<int>(item.itemID));
        ::DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &name,
                    DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0)
        ::DrawFocusRect(dc, &area);
}
