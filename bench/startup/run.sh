#!/usr/bin/env bash
# Start-up benchmark of Varlo Calculator: the time from process start until the
# main window is mapped, and the resident memory one second later, median of
# repeated runs, beside the same figures for a minimal Qt Widgets window (the
# floor no Qt program can go below). Runs under its own Xvfb unless DISPLAY is
# set; needs a built program.
#
#   bench/startup/run.sh [BUILD_DIR] [RUNS]      (defaults: build, 10)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
runs=${2:-10}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi

program=$build/app/varlo-calculator
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }

tools=$build/bench-startup
mkdir -p "$tools"
if [ ! -x "$tools/startup_probe" ] || [ "$here/startup_probe.cpp" -nt "$tools/startup_probe" ]; then
    g++ -std=c++20 -O2 -Wall -Wextra -Werror "$here/startup_probe.cpp" -lX11 -o "$tools/startup_probe"
fi
if [ ! -x "$tools/floor" ] || [ "$here/floor.cpp" -nt "$tools/floor" ]; then
    # shellcheck disable=SC2046 # pkg-config prints several words on purpose
    g++ -std=c++20 -O2 -fPIC "$here/floor.cpp" $(pkg-config --cflags --libs Qt6Widgets) \
        -o "$tools/floor"
fi

export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$tools/program.txt"
: >"$tools/floor.txt"
# One warm-up run each fills the page cache, then the two alternate.
"$tools/startup_probe" 'Varlo Package Density Calculator' "$program" >/dev/null
"$tools/startup_probe" 'Varlo Startup Floor' "$tools/floor" >/dev/null
for _ in $(seq "$runs"); do
    "$tools/startup_probe" 'Varlo Package Density Calculator' "$program" >>"$tools/program.txt"
    "$tools/startup_probe" 'Varlo Startup Floor' "$tools/floor" >>"$tools/floor.txt"
done

program_ms=$(cut -d' ' -f1 "$tools/program.txt" | median)
program_kib=$(cut -d' ' -f2 "$tools/program.txt" | median)
floor_ms=$(cut -d' ' -f1 "$tools/floor.txt" | median)
floor_kib=$(cut -d' ' -f2 "$tools/floor.txt" | median)

printf 'median of %d runs          window mapped (ms)   resident 1 s later (KiB)\n' "$runs"
printf '%-28s %18s %26s\n' "varlo-calculator" "$program_ms" "$program_kib"
printf '%-28s %18s %26s\n' "minimal Qt Widgets window" "$floor_ms" "$floor_kib"
awk -v a="$program_ms" -v b="$floor_ms" -v c="$program_kib" -v d="$floor_kib" \
    'BEGIN { printf "%-28s %18.2f %26.2f   (aim: at most 1.30)\n", "ratio", a / b, c / d }'
