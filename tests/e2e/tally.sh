# Sourced by the end-to-end shell scripts: the one PASS/FAIL tally they keep,
# in the shape test.sh reads ("N passed, N failed" last).
# e2e_result NAME STATUS [DETAIL]: a PASS line when STATUS is 0, else FAIL;
# DETAIL (what was seen) goes in brackets after the name.
E2E_PASSED=0
E2E_FAILED=0
e2e_result() {
    local word=PASS
    if [ "$2" -eq 0 ] 2>/dev/null; then E2E_PASSED=$((E2E_PASSED + 1)); else word=FAIL; E2E_FAILED=$((E2E_FAILED + 1)); fi
    echo "$word $1${3:+ ($3)}"
}
# e2e_summary: the closing "N passed, N failed" line; fails when any failed.
e2e_summary() {
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
}
