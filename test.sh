#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite in a normal build, then the core tests again under AddressSanitizer
# and UBSan.
source "$(dirname "${BASH_SOURCE[0]}")/scripts-common.sh"

install_missing_packages

configure_and_build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRASOLAN_WERROR=ON
ctest --test-dir "$ROOT/build" --output-on-failure -j "$(nproc)"

configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTRASOLAN_SANITIZE=ON \
    -DTRASOLAN_GUI=OFF -DTRASOLAN_BENCH=OFF -DTRASOLAN_WERROR=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$(nproc)"
