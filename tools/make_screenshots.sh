#!/usr/bin/env bash
# Makes the README's screenshots in docs/screenshots/ of the program built in
# build/, under a virtual X server with a window manager:
#
#   tools/make_screenshots.sh [--lang ru|en] [--out FOLDER] [PROGRAM]
#
# main-window.png  the Golden Ring map with the route the solver found
# solver-panel.png the solver panel after that run
# fitness.png      the fitness graph of the run
# learning.png     the teaching window after one crossover
#
# Needs Xvfb, openbox, xdotool and ImageMagick:
#   apt install xvfb openbox xdotool imagemagick
# The clicks into menus and windows are placed for the program's own layout
# (8-point sans serif, DejaVu where "MS Sans Serif" is missing).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
lang=ru
out="$root/docs/screenshots"
program="$root/build/src/app/trasolan"
while [ $# -gt 0 ]; do
    case "$1" in
    --lang) lang="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    *) program="$1"; shift ;;
    esac
done
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null ||
        { echo "make_screenshots: $tool is missing (apt install xvfb openbox xdotool imagemagick)" >&2; exit 1; }
done
[ -x "$program" ] || { echo "make_screenshots: no program at $program (build it first)" >&2; exit 1; }
mkdir -p "$out"

display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
export DISPLAY=":$display"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# Titles, and where the menu "Задача" sits on the menu bar.
if [ "$lang" = en ]; then
    main_title="Trasolan" panel_title="Results" fitness_title="Fitness of the individuals over time"
    learning_title="Learning crossover and mutation operations" task_menu_x=151
else
    main_title="Трасолан" panel_title="Результаты" fitness_title="График изменения приспособлености особей"
    learning_title="Обучение операциям кроссовера и мутации" task_menu_x=212
fi

# Waits for a visible window with exactly this title and prints its id.
window() {
    local id
    for _ in $(seq 1 100); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)" || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "make_screenshots: no window '$1'" >&2
    exit 1
}
shot() {
    sleep 0.7
    import -window "$1" "$out/$2"
    echo "$out/$2"
}

TRASOLAN_NO_SPLASH=1 "$program" --lang "$lang" "$root/examples/golden-ring.ga" >/dev/null 2>&1 &
pids+=($!)
main="$(window "$main_title")"
xdotool windowmove "$main" 20 20
xdotool windowactivate --sync "$main" 2>/dev/null || true

# F9: the panel opens and the run goes until its stop criterion.
xdotool key F9
panel="$(window "$panel_title")"
sleep 4
xdotool windowmove "$panel" 820 20
sleep 0.5
shot "$main" main-window.png
shot "$panel" solver-panel.png

# The fitness graph: the last item of the menu "Задача".
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool mousemove --window "$main" "$task_menu_x" 9 click 1
sleep 0.5
xdotool key Up Return
fitness="$(window "$fitness_title")"
shot "$fitness" fitness.png
xdotool key Escape
sleep 0.5

# The teaching window: two parents, one PMX crossover.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key ctrl+l
learning="$(window "$learning_title")"
# "Кроссовер", the rightmost button at the foot of the crossover tab.
xdotool mousemove --window "$learning" 425 316 click 1
shot "$learning" learning.png
xdotool key Escape
