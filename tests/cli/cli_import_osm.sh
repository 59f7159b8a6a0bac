#!/usr/bin/env bash
# Usage: cli_import_osm.sh TRASOLAN-CLI OSM-SAMPLES-DIR
# The import command on an OpenStreetMap extract, as a user runs it: the
# summary, JSON, the selection, a solve of the result, and errors.
set -u
CLI="$1"
SAMPLES="$2"
source "$(dirname "$0")/cli_support.sh"

check "import" exit_status 0 "$CLI" import "$SAMPLES/roads.osm" -o "$WORK/r.ga"
check "summary" grep -q '^imported: 2 towns, 12 transit points, 13 roads; towns left out: 2 ' \
    "$WORK/out"
check "thinning measured" grep -q '^thinning: road length .* px -> .* px (-0\.0' "$WORK/out"
check "nothing selected" grep -q '^selection: *(none)$' <("$CLI" info "$WORK/r.ga")

check "import selecting" exit_status 0 "$CLI" import "$SAMPLES/roads.osm" --places city,town,village \
    --select towns --start Руза --end звенигород --tolerance 0 --json -o "$WORK/s.ga"
check "JSON" grep -q '^{"format":"OpenStreetMap","towns":3,"transit_points":18,"roads":20,' \
    "$WORK/out"
check "selection by name" grep -q '^selection: *1 "Руза", 2 "Дубки", 0 "Звенигород"$' \
    <("$CLI" info "$WORK/s.ga")
check "solvable" grep -q '^solvable: *yes' <("$CLI" info "$WORK/s.ga")
check "solves" exit_status 0 "$CLI" solve "$WORK/s.ga" --seed 1

# Refusals are status 1 with the message; bad usage is 2.
check "no roads of these classes" exit_status 1 "$CLI" import "$SAMPLES/roads.osm" \
    --highways motorway -o "$WORK/x.ga"
check "no roads message" grep -q 'В файле нет дорог выбранных классов (motorway)' "$WORK/err"
check "nothing written" test ! -e "$WORK/x.ga"
check "unknown town" exit_status 1 "$CLI" import "$SAMPLES/roads.osm" --select towns \
    --end Москва -o "$WORK/x.ga"
check "bad box" exit_status 2 "$CLI" import "$SAMPLES/roads.osm" --bbox 1,2,3 -o "$WORK/x.ga"
check "start without selection" exit_status 2 "$CLI" import "$SAMPLES/roads.osm" --start Руза \
    -o "$WORK/x.ga"
check "bad selection" exit_status 2 "$CLI" import "$SAMPLES/roads.osm" --select all \
    -o "$WORK/x.ga"
check "option of another importer" exit_status 2 "$CLI" import "$SAMPLES/roads.osm" \
    --roads complete -o "$WORK/x.ga"

finish
