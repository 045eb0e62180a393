#!/bin/sh
# Runs one test program on a virtual X server of its own. The server picks a free display number
# itself (-displayfd), so tests that start at the same time never race for one.
set -u
# The tests run in an X11 session of their own, whatever session the caller's desktop is.
XDG_SESSION_TYPE=x11
export XDG_SESSION_TYPE
unset WAYLAND_DISPLAY
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
server=$!
tries=0
while [ ! -s "$displayfile" ] && [ $tries -lt 200 ]; do
    sleep 0.05
    tries=$((tries + 1))
done
if [ ! -s "$displayfile" ]; then
    echo "run-with-xvfb: the virtual X server did not start" >&2
    kill "$server" 2>/dev/null
    rm -f "$displayfile"
    exit 1
fi
DISPLAY=":$(head -n 1 "$displayfile")"
export DISPLAY
# The test talks to this server through the xcb platform, whatever platform the caller chose. The program
# draws nothing with OpenGL: without the GLX integration Qt does not load the system's GL driver, whose
# one-time allocations LeakSanitizer would count as the test's leaks.
unset QT_QPA_PLATFORM
QT_XCB_GL_INTEGRATION=none
export QT_XCB_GL_INTEGRATION
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -f "$displayfile"
exit $status
