#!/usr/bin/env bash
# Runs the built program as a user would, on the X server that xvfb-run started,
# with a small window manager for Alt+F4: opens the cylindrical calculator from
# the keyboard, computes a density, copies the result to the clipboard, closes
# the calculator and the program, and checks the exit status.
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "e2e: $*" >&2
    exit 1
}

# Polls `condition` every 50 ms for at most 10 s.
wait_until() {
    local tries=200
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.05
    done
}

visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(visible_window "$1")" ]; }
has_no_window() { ! has_window "$1"; }
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
clipboard_is() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]; }
program_ended() { ! kill -0 "$app" 2>/dev/null; }

runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime_dir
app=
jwm -f "$here/e2e.jwmrc" &
wm=$!
trap 'kill "$wm" 2>/dev/null; [ -z "$app" ] || kill "$app" 2>/dev/null; rm -rf "$runtime_dir"' EXIT
wait_until wm_running || fail "the window manager did not start"

"$program" &
app=$!
wait_until has_window 'Varlo Package Density Calculator' || fail "no main window"
main=$(visible_window 'Varlo Package Density Calculator')
wait_until focus_is "$main" || fail "the main window did not get the focus"

# The focus starts on the cylindrical button: Enter opens the calculator.
xdotool key Return
wait_until has_window 'CYLINDRICAL SHAPE' || fail "no cylindrical calculator"
calculator=$(visible_window 'CYLINDRICAL SHAPE')
wait_until focus_is "$calculator" || fail "the calculator did not get the focus"

xdotool type 180
xdotool key Tab
xdotool type 60
xdotool key Tab
xdotool type 150
xdotool key Tab
xdotool type 1250
# Tab to "=", press it, Tab to the result and copy it.
xdotool key Tab Return Tab ctrl+c
wait_until clipboard_is 368.4 ||
    fail "clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)', not 368.4"

xdotool key alt+F4
wait_until has_no_window 'CYLINDRICAL SHAPE' || fail "Alt+F4 did not close the calculator"
wait_until focus_is "$main" || fail "the main window did not get the focus back"

xdotool key alt+F4
wait_until program_ended || fail "Alt+F4 did not end the program"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "exit status $status"
echo "e2e: cylindrical calculation through the real program: ok"
