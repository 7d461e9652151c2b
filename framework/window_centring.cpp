#include "framework/window_centring.h"

#include "framework/dialog_placement.h"

namespace {

ScreenRect ToScreenRect(const RECT& rect)
{
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

// An owner that is hidden or minimised gives no place to centre over; the
// window then takes the middle of the work area its owner is on.
void CentreWindow(HWND window)
{
    HWND owner = ::GetWindow(window, GW_OWNER);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoA(::MonitorFromWindow(owner != nullptr ? owner : window, MONITOR_DEFAULTTONEAREST),
                           &monitor))
        return;
    if (owner != nullptr && (!::IsWindowVisible(owner) || ::IsIconic(owner)))
        owner = nullptr;
    RECT centre = monitor.rcWork;
    if (owner != nullptr)
        ::GetWindowRect(owner, &centre);
    RECT own = {};
    ::GetWindowRect(window, &own);
    const ScreenPoint origin =
        CentredOrigin(own.right - own.left, own.bottom - own.top, ToScreenRect(centre), ToScreenRect(monitor.rcWork));
    ::SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
