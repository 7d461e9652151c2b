#!/bin/bash
# Makes the README's screenshots from the real program: the tool runs on the
# demo game folder in a Wine virtual desktop on a private Xvfb display, a
# driver program clicks through it as an operator would, and each window is
# cut out of a picture of the screen into docs/.
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

desktop=screenshots,1000x600
# The demo's servers end by themselves a minute after the pictures.
export QYR_STANDIN_LIFETIME_MS=60000

cd "$work/Bin"
timeout 120 /usr/lib/wine/wine64 explorer /desktop=$desktop QYRSAT.exe </dev/null >/dev/null 2>&1 &
tool=$!

drive() {
    timeout 60 /usr/lib/wine/wine64 explorer /desktop=$desktop "$driver" "$@" </dev/null | tr -d '\r'
}

# Cuts the window with this caption out of the screen into docs/<file>.
shoot() {
    local caption=$1 file=$2 x y width height
    sleep 1
    read -r x y width height < <(drive "rect=$caption")
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$root/docs/$file"
    echo "docs/$file: $caption, ${width}x${height}"
}

drive new name=Friday choose=1011:Harbour choose=1018:24 \
      new name=Training choose=1010:Fallout choose=1011:Dunes check=1016 \
      new name=Tournament choose=1010:TeamEscape choose=1011:Canyon choose=1019:20\ min \
      select=0 start wait=500
shoot "$(drive caption)" main-window.png

drive about
shoot "About" about-box.png
drive "press=About:1"

drive select=2 check=1029 rotation \
      choose=1010:TeamEscape choose=1011:Canyon add \
      choose=1010:Fallout choose=1011:Dunes add \
      choose=1010:TeamDeathMatch choose=1011:Harbour add
shoot "Map Rotation" rotation-editor.png
drive "press=Map Rotation:2"

drive close
shoot "Running server(s)" closing-question.png
drive "press=Running server(s):6"
wait "$tool" || true
