#!/usr/bin/env bash
# Writes examples/osm-region.ga: a synthetic OpenStreetMap extract, made by
# make_osm_extract (20 towns, 3 of them cities, and 8 villages between
# 37°E and 39.4°E, 55.4°N and 56.5°N), imported by trasolan-cli with the
# default road classes and tolerance and every town selected.
# Run from the repository root after building: tools/osm/make_osm_example.sh [BUILD-DIR]
set -euo pipefail
build="${1:-build}"
extract="$(mktemp --suffix=.osm.pbf)"
trap 'rm -f "$extract"' EXIT
"$build/tools/make_osm_extract" "$extract" --seed 1
"$build/src/app/cli/trasolan-cli" import "$extract" --select towns -o examples/osm-region.ga
