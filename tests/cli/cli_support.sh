# Shared by the command-line test scripts (sourced): a work folder removed
# at exit, and the counting checks.
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
failures=0
passed=0

check() { # check DESCRIPTION COMMAND...
    local description="$1"
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $description"
        failures=$((failures + 1))
    fi
}

exit_status() { # exit_status EXPECTED COMMAND... (output in $WORK/out and $WORK/err)
    local expected="$1"
    shift
    "$@" >"$WORK/out" 2>"$WORK/err"
    [ $? -eq "$expected" ]
}

finish() { # the summary line and the script's status
    echo "$passed passed, $failures failed"
    [ "$failures" -eq 0 ]
}
