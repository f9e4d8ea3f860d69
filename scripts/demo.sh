#!/usr/bin/env bash
# The demo `make run` shows: the program installed into <build>/demo (a prefix of its own, an
# installation folder with the sample pictures, and its own XDG_CONFIG_HOME, so that the user's
# real settings stay untouched), then the full-screen show on the sample pictures. A key press,
# a click or a mouse move ends it.
#
# Without a display it says how to run it under xvfb-run; there, DEMO_SECONDS=N runs the show
# for N seconds and keeps a screenshot in <build>/demo/shot.png.
set -euo pipefail
build=${1:-build}
demo=$(realpath -m "$build/demo")
prefix="$demo/usr"

cmake --install "$build" --prefix "$prefix" >/dev/null
export XDG_CONFIG_HOME="$demo/config"
export XDG_RUNTIME_DIR="$demo/runtime"
mkdir -p "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/corvane-slideshow-install" --app-path "$demo/app" >/dev/null
program="$prefix/bin/corvane-slideshow"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<MSG
Corvane Slideshow is installed in $demo (settings: $demo/app/config.ini).
There is no display here (DISPLAY is not set), so the show cannot start. Run it on a desktop,
or on a virtual X server, for example for ten seconds with a screenshot:

    DEMO_SECONDS=10 xvfb-run -a -s "-screen 0 1920x1080x24" make run

(the screenshot lands in $demo/shot.png), or directly:

    XDG_CONFIG_HOME=$demo/config xvfb-run -a $program /S
MSG
    exit 0
fi

echo "Starting the show on the sample pictures in $demo/app/Pics (a key, a click or a mouse move ends it)."
if [ -n "${DEMO_SECONDS:-}" ]; then
    "$program" /S &
    pid=$!
    sleep "$DEMO_SECONDS"
    if command -v xwd >/dev/null && command -v convert >/dev/null; then
        xwd -root -silent | convert xwd:- "$demo/shot.png" && echo "Screenshot: $demo/shot.png"
    fi
    kill -TERM "$pid" 2>/dev/null || true
    wait "$pid"
else
    exec "$program" /S
fi
