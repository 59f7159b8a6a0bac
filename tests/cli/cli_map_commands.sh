#!/usr/bin/env bash
# Usage: cli_map_commands.sh TRASOLAN-CLI EXAMPLES-DIR
set -u
CLI="$1"
EXAMPLES="$2"
source "$(dirname "$0")/cli_support.sh"

# The same seed always gives the same file; another seed another one.
"$CLI" generate -n 30 -p 40 --seed 77 --select 5 -o "$WORK/a.ga"
"$CLI" generate -n 30 -p 40 --seed 77 --select 5 -o "$WORK/b.ga"
"$CLI" generate -n 30 -p 40 --seed 78 --select 5 -o "$WORK/c.ga"
check "same seed, same file" cmp -s "$WORK/a.ga" "$WORK/b.ga"
check "other seed, other file" bash -c "! cmp -s '$WORK/a.ga' '$WORK/c.ga'"

# Road counts follow the formula: 25 nodes at 75 % give 234 roads.
"$CLI" generate -n 25 --seed 1 -o "$WORK/d.ga"
check "default road count" grep -q "^roads: *234$" <("$CLI" info "$WORK/d.ga")
check "no selection" grep -q "^selection: *(none)$" <("$CLI" info "$WORK/d.ga")
check "a full share ends" exit_status 0 "$CLI" generate -n 40 -p 100 --seed 3 -o "$WORK/full.ga"
check "full share road count" grep -q "^roads: *780$" <("$CLI" info "$WORK/full.ga")

# A selected map can be solved.
check "selected map is solvable" grep -q "^solvable: *yes" <("$CLI" info "$WORK/a.ga")

# select with the selection the file already has gives the file back byte for byte.
for map in "$EXAMPLES"/*.ga; do
    ids=$(awk -F= '/^S_[0-9]+=/{gsub("\r","",$2); printf "%s ", $2}' "$map")
    "$CLI" select "$map" $ids -o "$WORK/same.ga"
    check "select keeps $(basename "$map")" cmp -s "$map" "$WORK/same.ga"
done
"$CLI" select "$EXAMPLES/villages.ga" 7 0 -o "$WORK/v.ga"
check "select sets the order" grep -q '^selection: *7 "Ивановка", 0 "Берёзовка"$' <("$CLI" info "$WORK/v.ga")

# Errors: a clear message on stderr and a non-zero status.
check "missing file" exit_status 1 "$CLI" info "$WORK/nothing.ga"
check "missing file message" grep -q "Cannot open file" "$WORK/err"
printf '[Options]\r\nCityCount=abc\r\n' >"$WORK/bad.ga"
check "bad file" exit_status 1 "$CLI" info "$WORK/bad.ga"
check "bad file message" grep -q "'abc' is not a valid integer value" "$WORK/err"
check "unknown node" exit_status 2 "$CLI" select "$EXAMPLES/villages.ga" 0 99 -o "$WORK/x.ga"
check "repeated node" exit_status 2 "$CLI" select "$EXAMPLES/villages.ga" 0 0 -o "$WORK/x.ga"
check "no output" exit_status 2 "$CLI" generate -n 5
check "bad count" exit_status 2 "$CLI" generate -n many -o "$WORK/x.ga"
check "too many roads" exit_status 1 "$CLI" generate -n 32767 -p 100 -o "$WORK/x.ga"
check "unknown command" exit_status 2 "$CLI" frobnicate
for command in generate select info solve crossover-test; do
    check "$command --help" exit_status 0 "$CLI" "$command" --help
done

finish
