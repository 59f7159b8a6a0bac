#!/usr/bin/env bash
# Installs what is missing, builds, and starts Трасолан on a sample map.
# Any arguments are passed to the program (for instance another map file).
source "$(dirname "${BASH_SOURCE[0]}")/scripts-common.sh"

install_missing_packages
configure_and_build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ $# -eq 0 ]; then
    set -- "$ROOT/examples/golden-ring.ga"
fi

PROGRAM="$ROOT/build/src/app/trasolan"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting under a virtual X server (Ctrl+C stops it)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$PROGRAM" "$@"
fi
exec "$PROGRAM" "$@"
