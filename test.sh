#!/usr/bin/env bash
# Builds everything (Linux, browser, Windows cross build, sanitizer builds) and runs
# every suite; the last line reads "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")"
. tools/ci/deps.sh

passed=0
failed=0
log_dir=build/logs
mkdir -p "$log_dir"
start=$(date +%s)

# A step that is not a counted test (install, configure, build) counts as one
# failure when it breaks, so a broken build can never look green.
step() {
  local name=$1; shift
  echo "== $name"
  if ! "$@" > "$log_dir/$name.log" 2>&1; then
    echo "   FAILED, see $log_dir/$name.log:"
    tail -n 30 "$log_dir/$name.log" | sed 's/^/   /'
    failed=$((failed + 1))
    return 1
  fi
}

# Runs one ctest preset and adds its results to the totals.
run_suites() {
  local preset=$1; shift
  local junit="$PWD/$log_dir/$preset.junit.xml"
  rm -f "$junit"
  echo "== tests: $preset"
  ctest --preset "$preset" --output-junit "$junit" "$@" > "$log_dir/ctest-$preset.log" 2>&1
  grep -E '^[0-9]+% tests passed|\*\*\*|^[[:space:]]+[0-9]+ - ' "$log_dir/ctest-$preset.log" | sed 's/^/   /' | head -n 40
  if [ ! -s "$junit" ]; then
    echo "   no results from ctest ($preset)"
    failed=$((failed + 1))
    return
  fi
  local line tests fails
  line=$(tr '\n\t' '  ' < "$junit" | grep -m1 -o '<testsuite [^>]*>')
  tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
  fails=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
  passed=$((passed + tests - fails))
  failed=$((failed + fails))
}

# Runs a script that reports its own cases (end-to-end flows, equivalence
# checks) and ends with a line "N passed, N failed"; adds those to the totals.
# A script that ends without that line counts as one failure.
run_script() {
  local name=$1; shift
  echo "== $name"
  "$@" > "$log_dir/$name.log" 2>&1
  local rc=$? line
  grep -E '^(FAIL|SKIP|LACKS)|retried [1-9]' "$log_dir/$name.log" | sed 's/^/   /' | head -n 40
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$log_dir/$name.log" | tail -n 1)
  if [ -z "$line" ]; then
    echo "   no result line from $name (exit $rc), see $log_dir/$name.log:"
    tail -n 20 "$log_dir/$name.log" | sed 's/^/   /'
    failed=$((failed + 1))
    return
  fi
  echo "   $line"
  passed=$((passed + $(cut -d' ' -f1 <<<"$line")))
  failed=$((failed + $(cut -d' ' -f3 <<<"$line")))
  if [ "$rc" -ne 0 ] && [ "$(cut -d' ' -f3 <<<"$line")" -eq 0 ]; then
    echo "   $name exited $rc"
    failed=$((failed + 1))
  fi
}

step install waxdrop_install_deps

if step configure-linux cmake --preset linux && step build-linux cmake --build --preset linux; then
  run_suites linux
  # The Linux game itself, through the one table of flows on a private
  # desktop, then its Debian package (contents, fields, and a run from an
  # unpacking).
  run_script flows-linux python3 tests/e2e/flows.py linux build/linux
  # Broken media, unwritable scores, no sound: the game plays on regardless.
  run_script faults-linux python3 tests/e2e/fault_matrix.py linux build/linux
  run_script deb-package tests/e2e/deb_check.sh
fi
# The browser game: its npm packages (the synth, the browser driver), the
# page built by emscripten, the replays under node, then the flows and the
# faults through its adapter in headless Chromium.
if step npm-web npm ci --prefix app/web --no-audit --no-fund && step configure-web cmake --preset web &&
   step build-web cmake --build --preset web; then
  run_suites web
  if [ -x build/linux/waxdrop-media ]; then
    run_script flows-web python3 tests/e2e/flows.py web build/web
    run_script faults-web python3 tests/e2e/fault_matrix.py web build/web
  fi
fi

windows_built=
if step configure-windows cmake --preset windows && step build-windows cmake --build --preset windows; then
  run_suites windows -j2
  windows_built=yes
fi

# The Windows game itself, under Wine: played end to end through its window,
# packaged and started from the unpacked zip, and shown to play exactly as
# the Linux build does.
if [ -n "$windows_built" ]; then
  run_script flows-windows python3 tests/e2e/flows.py windows build/windows
  run_script faults-windows python3 tests/e2e/fault_matrix.py windows build/windows
  if step package-windows sh -c 'cd build/windows && rm -f waxdrop-*-win64.zip && cpack -G ZIP'; then
    run_script win32-package tests/e2e/zip_check.sh "$(ls build/windows/waxdrop-*-win64.zip | head -n 1)" build/windows
  fi
fi
# The same replays and media readings on the Linux build and each of the
# Windows and browser builds that was made.
if [ -x build/linux/waxdrop-replay ] && [ -x build/linux/waxdrop-media ]; then
  run_script same-game tests/e2e/same_game.sh build/linux build/windows build/web
fi

# Every Linux suite again under AddressSanitizer and UBSan; the threaded
# stress suites under ThreadSanitizer.
if step configure-asan cmake --preset asan && step build-asan cmake --build --preset asan; then
  run_suites asan -LE tsan
fi
if step configure-tsan cmake --preset tsan && step build-tsan cmake --build --preset tsan; then
  run_suites tsan -L tsan
fi

# Every reader of outside files under libFuzzer, for a bounded time each.
if step configure-fuzz cmake --preset fuzz && step build-fuzz cmake --build --preset fuzz; then
  run_suites fuzz -L fuzz
fi

echo "took $(( $(date +%s) - start )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
