#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything and runs
# every test: the whole suite in a normal build, then again, benchmarks
# aside, under AddressSanitizer and UBSan (the windows' tests included).
source "$(dirname "${BASH_SOURCE[0]}")/scripts-common.sh"

install_missing_packages

check_format

configure_and_build "$ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRASOLAN_WERROR=ON
ctest --test-dir "$ROOT/build" --output-on-failure -j "$(nproc)"

configure_and_build "$ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DTRASOLAN_SANITIZE=ON \
    -DTRASOLAN_BENCH=OFF -DTRASOLAN_WERROR=ON
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0" \
    ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$(nproc)"
