#!/bin/bash
# The headless way in, end to end, tried from the outside. ./run.sh on a
# machine without a display serves the tool on a game folder; Debian's
# Chromium opens the address it prints, with a password made for the run
# (and is refused without it), and presses "New" and "Start" by clicks on
# the page; the folder's stand-in server then logs exactly one launch, with
# the default command line. Also: another user cannot open the run's
# display, every socket of the run listens on loopback only, an open
# address without a password starts nothing, a port in use is refused, and
# Ctrl-C leaves no process of the run behind, its server asked to close. A
# second run serves https with a certificate made here and the password of
# a file, and with a server set prints the start's line of the servers'
# history as the tool appends it to the set's log.
# Usage: browser_test.sh [SCREENSHOT.png], which keeps a picture of the page
# with the server started.
set -euo pipefail
screenshot=${1:+$(realpath "$1")}
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

default_command_line=' +server qyr +port 27015 +map TeamDeathMatch\Arena +maxplayers 16 +matchtime 30 +freezetime 4 +roundtime 5 +rankpoints 700 +damagemultiplier 1.500000 +jumpslowdown 0.500000 +friendlyfire +dedicated +specall +allowshadows +minimize +pure +hash +anticheat'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Each run carries a mark in its environment, which every process it
# starts, Wine's included, inherits.
mark=qyrsat-browser-test-$$
marked() {
    grep -lzx "QYRSAT_TEST_RUN=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 || true
}
# run.sh as on a machine without a display.
run_headless() {
    env -u DISPLAY QYRSAT_TEST_RUN="$1" ./run.sh "${@:2}"
}

game=$(mktemp -d "$root/build/browser-test.XXXXXX")
run=
finish() {
    local pid
    [ -z "$run" ] || kill -INT -- "-$run" 2>/dev/null || true
    sleep 1
    for pid in $(marked "$mark"); do kill "$pid" 2>/dev/null || true; done
    rm -rf "$game"
}
trap finish EXIT

echo "-- --listen 0.0.0.0 without a password starts nothing"
status=0
run_headless "$mark" --listen 0.0.0.0 >"$game/refused.log" 2>&1 || status=$?
[ $status -eq 2 ] || fail "exit status $status, not 2"
grep -q -- "--password-file" "$game/refused.log" || fail "the refusal does not name --password-file"
[ -z "$(marked "$mark")" ] || fail "the refused run left processes"

# start_run OPTION...: run.sh on the game folder, as a job of its own, as
# at a terminal: its own process group, which Ctrl-C reaches as a whole, and
# SIGINT not ignored as in a script's background. Sets url to its address.
start_run() {
    set -m
    env -u DISPLAY QYRSAT_TEST_RUN="$mark" ./run.sh --game "$game/Bin" --port "$port" "$@" </dev/null >"$game/run.log" 2>&1 &
    run=$!
    set +m
    for _ in $(seq 180); do
        grep -q '^Open ' "$game/run.log" && break
        kill -0 "$run" 2>/dev/null || { cat "$game/run.log"; fail "run.sh ended"; }
        sleep 0.5
    done
    url=$(sed -n 's/^Open //p' "$game/run.log")
}

echo "-- ./run.sh without a display prints the address"
cp -r demo/. "$game"
cp build/bin/QYR.exe "$game/Bin/"
port=6180
while [ -n "$(ss -Hltn "sport = :$port")" ]; do port=$((port + 1)); done
start_run
[[ $url =~ ^http://127\.0\.0\.1:$port/vnc\.html\?autoconnect=true\&resize=scale\&password=[A-Za-z0-9_-]{8}$ ]] ||
    { cat "$game/run.log"; fail "address '$url'"; }

echo "-- every listening socket of the run is on loopback"
listening=0
while read -r local_address pid; do
    grep -qx "$pid" <<<"$(marked "$mark")" || continue
    listening=$((listening + 1))
    [[ $local_address == 127.0.0.1:* ]] || fail "pid $pid listens on $local_address"
done < <(ss -Hltunp | sed -n 's/^\S\+\s\+\S\+\s\+\S\+\s\+\S\+\s\+\(\S\+\)\s.*pid=\([0-9]\+\).*/\1 \2/p')
[ $listening -ge 1 ] || fail "no listening socket of the run found"

echo "-- another user cannot open the run's display, even with the name of its cookie file"
display=$(marked "$mark" | xargs ps -o args= -p | sed -n 's/^x11vnc -display \(\S*\) .*/\1/p')
cookie=$(marked "$mark" | xargs ps -o args= -p | sed -n 's/^Xvfb .* -auth \(\S*\) .*/\1/p')
desktop=$(XAUTHORITY=$cookie xdpyinfo -display "$display" | sed -n 's/^ *dimensions: *\(\S*\) .*/\1/p') || true
[ -n "$desktop" ] || fail "the run's display '$display' does not open with its cookie file '$cookie'"
[[ $(runuser -u nobody -- env XAUTHORITY="$cookie" xdpyinfo -display "$display" 2>&1) == *"unable to open display"* ]] ||
    fail "user nobody opened the display $display, or could not be tried (this test needs root)"

echo "-- a second run on the same port is refused"
status=0
run_headless "$mark.second" --game "$game/Bin" --port "$port" >"$game/second.log" 2>&1 || status=$?
[ $status -eq 2 ] || fail "the second run on port $port ended with $status, not 2"
grep -q "Port $port is already in use" "$game/second.log" || { cat "$game/second.log"; fail "no clear message"; }
[ -z "$(marked "$mark.second")" ] || fail "the refused run left processes"

echo "-- Chromium presses New and Start"
timeout 120 node tests/web/press_new_start.js "$url" "$desktop" $screenshot || fail "the browser could not press New and Start"
starts=
for _ in $(seq 60); do
    starts=$(grep -a '^start ' "$game/Bin/qyr_standin.log" 2>/dev/null | tr -d '\r') && break
    sleep 0.5
done
[ "$(wc -l <<<"$starts")" -eq 1 ] || fail "launches: '$starts'"
[ "${starts#* cmdline=}" = "$default_command_line" ] || fail "command line '${starts#* cmdline=}'"
server=$(sed 's/^start pid=\([0-9]*\).*/\1/' <<<"$starts")

echo "-- Ctrl-C asks the server to close and leaves no process of the run"
[ -n "$(marked "$mark")" ] || fail "no process of the run found before Ctrl-C"
kill -INT -- "-$run"
for _ in $(seq 120); do
    kill -0 "$run" 2>/dev/null || break
    sleep 0.5
done
kill -0 "$run" 2>/dev/null && fail "run.sh still runs after Ctrl-C"
wait "$run" || true
run=
for _ in $(seq 20); do
    [ -z "$(marked "$mark")" ] && break
    sleep 0.5
done
[ -z "$(marked "$mark")" ] || fail "left behind: $(marked "$mark" | xargs ps -o pid=,args= -p)"
[ "$(grep -ac '^start ' "$game/Bin/qyr_standin.log")" -eq 1 ] || fail "more than one launch"
grep -aq "^close pid=$server " "$game/Bin/qyr_standin.log" || fail "the server was not asked to close: $(cat "$game/Bin/qyr_standin.log")"

echo "-- with --cert, --key and --password-file, all of it over https with the file's password;"
echo "   with --servers, the tool keeps its servers in the set, run.sh prints their history, and Ctrl-C leaves the one started marked running"
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout "$game/key.pem" -out "$game/cert.pem" 2>/dev/null
echo "tls-word" >"$game/password"
set_file="$game/my servers.ini"
echo "; an empty server set" >"$set_file"
start_run --cert "$game/cert.pem" --key "$game/key.pem" --password-file "$game/password" --servers "$set_file"
[ "$url" = "https://127.0.0.1:$port/vnc.html?autoconnect=true&resize=scale" ] || { cat "$game/run.log"; fail "address '$url'"; }
timeout 120 node tests/web/press_new_start.js "$url&password=tls-word" "$desktop" || fail "the browser could not press New and Start"
# The start's line of the set's log, as run.sh prints it: without its CR.
started='^\S+\tqyr\tstarted\tby the operator, process \d+$'
for _ in $(seq 60); do
    grep -q '^running=1' "$set_file" && grep -aqP "$started" "$game/run.log" && break
    sleep 0.5
done
grep -aqP "$started" "$game/run.log" || fail "no history line of the start in run.sh's output: $(cat "$game/run.log")"
kill -INT -- "-$run"
wait "$run" || true
run=
[ "$(grep -ac '^start ' "$game/Bin/qyr_standin.log")" -eq 2 ] || fail "launches: $(cat "$game/Bin/qyr_standin.log")"
[ "$(grep -c '^running=1' "$set_file")" -eq 1 ] && grep -q '^name="qyr"' "$set_file" ||
    fail "the set after Ctrl-C: $(cat "$set_file")"
