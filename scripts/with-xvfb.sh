#!/usr/bin/env bash
# Runs a command on a private virtual X display with a window manager, so
# tests of the real program see what a desktop user would.
set -euo pipefail

display=""
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=":$n"
        break
    fi
done
[ -n "$display" ] || { echo "with-xvfb: no free X display number" >&2; exit 1; }

# Key auto-repeat off (-ardelay): a key that xdotool presses while the machine
# is loaded can outlive its release and repeat into windows opened later.
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -ardelay 600000 >/dev/null 2>&1 &
xvfb_pid=$!
openbox_pid=""
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY="$display"
for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "with-xvfb: Xvfb did not start on $display" >&2; exit 1; }

openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done

"$@"
