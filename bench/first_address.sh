#!/bin/bash
# Times ./run.sh from its start to the address it prints, as an operator
# meets it on a host whose packages are installed: on a copy of the
# checkout with nothing built and no Wine prefix (the first run), and again
# with nothing changed. Each run is then ended with Ctrl-C. Prints rows and
# notes for bench/run.sh (bench/bench_report.h).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/web-access.sh"

readonly warm_runs=3
copy=$(mktemp -d "$root/build/first-address.XXXXXX")
run=
# Ctrl-C, as at a terminal, and at most a minute to end.
end_run() {
    kill -INT -- "-$run" 2>/dev/null || true
    for _ in $(seq 600); do
        kill -0 "$run" 2>/dev/null || break
        sleep 0.1
    done
    kill -- "-$run" 2>/dev/null || true
    wait "$run" 2>/dev/null || true
    run=
}
finish() {
    [ -z "$run" ] || end_run
    rm -rf "$copy"
}
trap finish EXIT
trap 'exit 143' TERM

# The sources as they are now, nothing built.
tar -C "$root" --exclude=./build --exclude=./.git --exclude=node_modules -cf - . | tar -C "$copy" -xf -
port=6080
while web_access_port_in_use 127.0.0.1 "$port"; do port=$((port + 1)); done

# Prints the seconds from the start of ./run.sh to its address, at most
# LIMIT seconds, then ends the run.
seconds_to_address() {
    local limit=$1 log=$copy/run.log start now
    start=$(date +%s%N)
    # A job of its own, which Ctrl-C reaches as a whole.
    set -m
    env -u DISPLAY "$copy/run.sh" --port "$port" </dev/null >"$log" 2>&1 &
    run=$!
    set +m
    until grep -q '^Open ' "$log"; do
        now=$(date +%s%N)
        if ! kill -0 "$run" 2>/dev/null || [ $(((now - start) / 1000000000)) -ge "$limit" ]; then
            tail -5 "$log" >&2
            return 1
        fi
        sleep 0.05
    done
    now=$(date +%s%N)
    end_run
    local ms=$(((now - start) / 1000000))
    printf '%d.%03d\n' $((ms / 1000)) $((ms % 1000))
}

operation="./run.sh to its address printed"
printf '%s\t%s\t1\t%s\t\t\ts\n' "$operation" "first run: nothing built, no Wine prefix" "$(seconds_to_address 300)"
warm=()
for _ in $(seq $warm_runs); do
    warm+=("$(seconds_to_address 60)")
done
sorted=($(printf '%s\n' "${warm[@]}" | sort -n))
printf '%s\t%s\t%s\t%s\t%s\t%s\ts\n' "$operation" "second run, nothing changed" $warm_runs \
    "${sorted[$((warm_runs / 2))]}" "${sorted[0]}" "${sorted[$((warm_runs - 1))]}"
echo "# ./run.sh to its address: on a copy of the checkout, without a display; the first run configures and builds QYRSAT.exe and QYR.exe while Wine makes its prefix, the second finds both ready. The tool's window is on the page once it has started (cold start, above)"
