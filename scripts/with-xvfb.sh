#!/usr/bin/env bash
# Runs a command on a private virtual X display with a window manager, so
# tests of the real program see what a desktop user would.
set -euo pipefail

workdir=$(mktemp -d)
xvfb_pid=""
openbox_pid=""
# Xvfb makes the shared socket folder when there is none; it goes again once
# empty, so a run leaves /tmp as it found it.
socket_dir=/tmp/.X11-unix
[ -e "$socket_dir" ] && made_socket_dir="" || made_socket_dir=1
cleanup() {
    [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$workdir"
    [ -n "$made_socket_dir" ] && rmdir "$socket_dir" 2>/dev/null || true
}
trap cleanup EXIT

# Xvfb picks a free display itself (-displayfd), so runs started together
# never share one. Key auto-repeat is off (-r): a key left down by one test
# program would otherwise repeat into the windows of the next. (A long
# -ardelay does not serve: the server keeps the delay in 16 bits, so 600000 ms
# became 10 s.) Without -noreset the server resets whenever its last client
# leaves, and refuses a client that connects meanwhile: on a busy machine
# openbox, starting while the first xprop below left, was refused.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -r -noreset \
    3>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$workdir/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
done
[ -s "$workdir/display" ] || { echo "with-xvfb: Xvfb did not start" >&2; cat "$workdir/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$workdir/display")"

# openbox writes a log under the cache folder and reads its settings from the
# configuration folder: a home of its own in the work folder, so that a run
# leaves nothing in the user's, and the user's settings never change the
# window manager the tests expect.
mkdir "$workdir/home"
env -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="$workdir/home" \
    openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!
# openbox announces itself before it manages windows, and a window mapped in
# between can stay unmapped for good. Its client list, empty as it is, is
# published only once it manages.
managing() { xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -q 'WINDOW'; }
for _ in $(seq 1 300); do
    managing || ! kill -0 "$openbox_pid" 2>/dev/null && break
    sleep 0.05
done
managing || { echo "with-xvfb: openbox did not start" >&2; exit 1; }

"$@"
