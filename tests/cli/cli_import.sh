#!/usr/bin/env bash
# Usage: cli_import.sh TRASOLAN-CLI SAMPLES-DIR
# The import command as a user runs it on the hand-written sample files:
# counts, the roads rule, JSON, a solve on every imported map, and errors.
set -u
CLI="$1"
SAMPLES="$2"
source "$(dirname "$0")/cli_support.sh"

# Every sample imports, and its map can be solved.
check "tsp GEO" exit_status 0 "$CLI" import "$SAMPLES/goldenring9.tsp" -o "$WORK/g.ga"
check "GEO counts" grep -q '^roads: *36 (every pair)$' "$WORK/out"
check "GEO selection" grep -q '^selection: *9 cities, from "1" to "9"$' "$WORK/out"
check "tsp CRLF, nearest" exit_status 0 "$CLI" import "$SAMPLES/drill12.tsp" --roads nearest:3 \
    --json -o "$WORK/d.ga"
check "JSON report" grep -q '"nodes":12,"cities":12,.*"road_rule":"nearest","neighbours":3' \
    "$WORK/out"
check "csv with roads file" exit_status 0 "$CLI" import "$SAMPLES/volga.csv" \
    --roads-file "$SAMPLES/volga-roads.csv" -o "$WORK/v.ga"
check "roads from the file" grep -q '^roads: *9 (from the roads file)$' "$WORK/out"
check "csv Windows-1251" exit_status 0 "$CLI" import "$SAMPLES/villages-1251.csv" \
    --width 1600 --height 1200 -o "$WORK/w.ga"
check "Cyrillic names" grep -q '^selection: *5 cities, from "Берёзовка" to "Ивановка"$' "$WORK/out"
check "world cities list" exit_status 0 "$CLI" import "$SAMPLES/worldcities-like.csv" \
    -o "$WORK/c.ga"
for map in g d v w c; do
    check "$map.ga solvable" grep -q "^solvable: *yes" <("$CLI" info "$WORK/$map.ga")
    check "$map.ga solves" exit_status 0 "$CLI" solve "$WORK/$map.ga" --seed 1
done
# The surface holds every node within its margin.
check "within the surface" awk -F= '/^X=/{x=$2; gsub(",",".",x); gsub("\r","",x);
    if (x + 0 < 20 || x + 0 > 1580) bad=1} /^Y=/{y=$2; gsub(",",".",y); gsub("\r","",y);
    if (y + 0 < 20 || y + 0 > 1180) bad=1} END{exit bad}' "$WORK/w.ga"

# Errors: a bad file is a message with its line and status 1; bad usage is 2.
printf 'NAME : bad\nDIMENSION : 2\nNODE_COORD_SECTION\n1 0 0\n2 abc 1\n' >"$WORK/bad.tsp"
check "bad file" exit_status 1 "$CLI" import "$WORK/bad.tsp" -o "$WORK/x.ga"
check "bad file message" grep -q "Строка 5: ожидалось два числа координат узла, найдено «abc»." \
    "$WORK/err"
check "nothing written" test ! -e "$WORK/x.ga"
check "missing file" exit_status 1 "$CLI" import "$WORK/none.csv" -o "$WORK/x.ga"
check "unknown type" exit_status 2 "$CLI" import "$WORK/bad.txt" -o "$WORK/x.ga"
check "roads file for TSPLIB" exit_status 2 "$CLI" import "$SAMPLES/drill12.tsp" \
    --roads-file "$SAMPLES/volga-roads.csv" -o "$WORK/x.ga"
check "bad roads rule" exit_status 2 "$CLI" import "$SAMPLES/drill12.tsp" --roads near:3 \
    -o "$WORK/x.ga"
check "no output" exit_status 2 "$CLI" import "$SAMPLES/drill12.tsp"
check "import --help" exit_status 0 "$CLI" import --help

finish
