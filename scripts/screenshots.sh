#!/bin/bash
# Makes the README's screenshots from the real program, at 100% and at 150%:
# the tool runs on the demo game folder in a Wine virtual desktop on a
# private Xvfb display, a driver program clicks through it as an operator
# would, and each window is cut out of a picture of the screen into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
scripts/build.sh windows

work=build/screenshots
rm -rf "$work"
cp -r demo "$work"
cp build/bin/QYRSAT.exe build/bin/QYR.exe "$work/Bin/"
driver=$root/build/tools/ui_driver.exe

# The tool in a web browser, from the browser test's real run; before this
# script's own Wine session, so that ./run.sh finds the prefix free.
tests/web/browser_test.sh docs/in-browser.png
echo "docs/in-browser.png: the tool in Chromium"

source scripts/wine-session.sh
wine_session_start

# The demo's servers end by themselves a minute after the pictures.
export QYR_STANDIN_LIFETIME_MS=60000
cd "$work/Bin"

# With no window manager on the display, Wine draws the windows' frames
# itself once told to; a virtual desktop would as well, but does not open
# at 150%. The prefix gets both settings back at the end, whatever happens.
setting() {
    /usr/lib/wine/wine64 reg "$@" /f >/dev/null 2>&1
}
set_dpi() {
    setting add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"
}
setting add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
trap "set_dpi 96; setting delete 'HKCU\\Software\\Wine\\X11 Driver' /v Decorated; wine_session_stop" EXIT

drive() {
    timeout 60 /usr/lib/wine/wine64 "$driver" "$@" </dev/null | tr -d '\r'
}

# Starts the tool at this scale.
open_tool() {
    set_dpi "$1"
    timeout 150 /usr/lib/wine/wine64 QYRSAT.exe </dev/null >/dev/null 2>&1 &
    tool=$!
    opened=$SECONDS
}

# Cuts the window with this caption out of the screen into docs/<file>.
shoot() {
    local caption=$1 file=$2 x y width height
    sleep 1
    read -r x y width height < <(drive "rect=$caption")
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$root/docs/$file"
    echo "docs/$file: $caption, ${width}x${height}"
}

# At 100%: Friday runs; Training crashes a second after each start, and the
# watchdog's tick half a minute after the tool opened starts it again;
# Tournament's start fails while QYR.exe is away. The stand-in takes the
# crash switch from the password, which the command line passes as is.
open_tool 96
drive new type=1006:Friday choose=1011:Harbour choose=1018:24 \
      new type=1006:Training choose=1010:Fallout choose=1011:Dunes check=1016 \
      type=1009:"+exitafter 1000 av" start \
      new type=1006:Tournament choose=1010:TeamEscape choose=1011:Canyon choose=1019:20\ min \
      select=0 start wait=500
mv QYR.exe QYR.exe.away
drive select=1 start
mv QYR.exe.away QYR.exe
drive select=0
until_tick=$((opened + 35 - SECONDS))
[ "$until_tick" -le 0 ] || sleep "$until_tick"
shoot "$(drive caption)" main-window.png

drive command=0x10
shoot "About" about-box.png
drive "press=About:1"

# The watchdog's options and the alerts, as they open: both off.
drive command=0x50
shoot "Watchdog" watchdog.png
drive "press=Watchdog:2"
drive command=0x60
shoot "Alerts" alerts.png
drive "press=Alerts:2"

drive select=1 check=1029 rotation \
      choose=1010:TeamEscape choose=1011:Canyon add \
      choose=1010:Fallout choose=1011:Dunes add \
      choose=1010:TeamDeathMatch choose=1011:Harbour add
shoot "Map Rotation" rotation-editor.png
drive "press=Map Rotation:2"

drive close
shoot "Running server(s)" closing-question.png
drive "press=Running server(s):6"
wait "$tool" || true

# At 150%, the Server menu open.
open_tool 144
drive new type=1006:Friday new type=1006:Training new type=1006:Tournament select=0 start wait=500 \
      menu=s wait=500
shoot "$(drive caption)" main-window-150.png
drive escape escape close "press=Running server(s):6"
wait "$tool" || true
