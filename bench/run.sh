#!/bin/bash
# Builds everything, runs every benchmark program and prints one markdown
# table of the results on standard output; the build, progress and failures
# go to the error stream. The Windows programs run under a private Wine
# session; the portable ones run there and natively as well. Last, ./run.sh
# is timed to its address on a fresh copy of the checkout.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/build.sh >&2

source scripts/wine-session.sh
wine_session_start >&2

readonly wine_where="Wine, Release build"
readonly native_where="native, Debug build under ASan+UBSan"
readonly host_where="this host, packages installed"
readonly per_program_timeout=150

# Each program prints tab-separated rows and "# " notes (bench/bench_report.h);
# the rows get where they ran put in front. bench_timeout, if set, bounds
# the program instead of per_program_timeout.
results=
failures=0
run_bench() {
    local where=$1
    shift
    local program
    program=$(basename "${*: -1}")
    echo "== $where: $program" >&2
    local output status=0
    output=$(timeout -k 5 "${bench_timeout:-$per_program_timeout}" "$@" </dev/null) || status=$?
    if [ $status -ne 0 ]; then
        echo "$program failed with status $status" >&2
        failures=$((failures + 1))
    fi
    while IFS= read -r line; do
        # Wine's console ends lines with CR LF.
        line=${line%$'\r'}
        case $line in
        "") ;;
        "# "*) results+="$line"$'\n' ;;
        *) results+="$where"$'\t'"$line"$'\n' ;;
        esac
    done <<<"$output"
}

on_wine() {
    run_bench "$wine_where" /usr/lib/wine/wine64 "build/bin/$1.exe"
}

on_wine real_tool_bench
on_wine admin_window_bench
on_wine map_catalogue_bench
on_wine process_bench
on_wine server_history_bench
on_wine alerts_bench
on_wine command_line_bench
run_bench "$native_where" build/native/bin/command_line_bench
on_wine rotation_bench
run_bench "$native_where" build/native/bin/rotation_bench
on_wine server_set_bench
run_bench "$native_where" build/native/bin/server_set_bench
results+="# $native_where: the portable logic as the tests build it, slower than a plain optimised build"$'\n'
bench_timeout=900 run_bench "$host_where" bench/first_address.sh

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on ${cpu:-an unknown processor}, $(nproc) cores, $memory," \
    "$(uname -sr), $(/usr/lib/wine/wine64 --version) on Xvfb."
echo
printf '%s' "$results" | awk -F'\t' '
    function thousands(number,    text, out) {
        text = sprintf("%.0f", number)
        out = ""
        while (length(text) > 3) {
            out = "," substr(text, length(text) - 2) out
            text = substr(text, 1, length(text) - 3)
        }
        return text out
    }
    function shown(value, unit) {
        if (value == "") return "–"
        if (unit == "bytes") return thousands(value) " bytes"
        if (unit == "MiB") return sprintf("%.1f MiB", value)
        if (unit == "us") unit = "µs"
        if (value >= 100) return sprintf("%.0f %s", value, unit)
        if (value >= 10) return sprintf("%.1f %s", value, unit)
        if (value >= 1) return sprintf("%.2f %s", value, unit)
        return sprintf("%.3f %s", value, unit)
    }
    BEGIN {
        print "| Operation | Size / count | Run under | Samples | Median | Best | Worst |"
        print "|---|---|---|--:|--:|--:|--:|"
    }
    /^# / {
        if (!(substr($0, 3) in noted)) { noted[substr($0, 3)] = 1; notes[++noteCount] = substr($0, 3) }
        next
    }
    {
        printf "| %s | %s | %s | %s | %s | %s | %s |\n", $2, $3, $1, $4, shown($5, $8), shown($6, $8), shown($7, $8)
    }
    END {
        if (noteCount > 0) print ""
        for (i = 1; i <= noteCount; ++i) print "- " notes[i]
    }'

if [ $failures -ne 0 ]; then
    echo "$failures benchmark program(s) failed; their rows are missing" >&2
    exit 1
fi
