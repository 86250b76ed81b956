#!/usr/bin/env bash
# The hardening checks: every test under AddressSanitizer and
# UndefinedBehaviorSanitizer (asan preset, GUI tests included, offscreen),
# each libFuzzer target for a short fixed time on a copy of its seeds (fuzz
# preset), clang-format, clang-tidy and cppcheck on the project's own
# sources. Installs what is missing first. Any failure fails the script.
#
#   FUZZ_SECONDS=30   how long each fuzz target runs
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
fuzz_seconds=${FUZZ_SECONDS:-30}

bash tools/install-deps.sh

# clang with libFuzzer and the sanitizer runtimes, the formatter and the two
# analysers.
bash tools/install-deps.sh clang libclang-rt-dev clang-format clang-tidy cppcheck

step() { printf '\n=== %s (%ds)\n' "$1" "$SECONDS"; }

step "clang-format"
# Every C++ file in the repository, in the style of .clang-format.
mapfile -d '' formatted < <(git ls-files -z '*.cpp' '*.h')
clang-format --dry-run --Werror "${formatted[@]}"
echo "clang-format: clean (${#formatted[@]} files)"

step "Sanitizer build and tests"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

step "Fuzz targets, ${fuzz_seconds} s each"
cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
runs="$root/build/fuzz/runs"
for target in value_of_text calculate_orbit_velocity get_key_value; do
  work="$runs/$target"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "tests/fuzz/corpus/$target/." "$work/corpus/" -r
  max_len=4096
  [[ $target == get_key_value ]] && max_len=2057  # 9 bytes of header and 2048 of data
  echo "--- $target"
  "$root/build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$fuzz_seconds" \
    -max_len="$max_len" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log.txt" 2>&1 || {
    tail -n 60 "$work/log.txt"
    echo "$target failed: the input is in $work/artifacts/" >&2
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^Done' "$work/log.txt" || true
done

# Both analysers read the project's own translation units: every source of
# the asan build, and the fuzz targets from the fuzz build.
step "clang-tidy"
bash tools/clang-tidy-build.sh build/asan
bash tools/clang-tidy-build.sh build/fuzz --only '/tests/fuzz/'

step "cppcheck"
bash tools/cppcheck-build.sh build/asan -- --library=googletest --library=qt --library=posix
bash tools/cppcheck-build.sh build/fuzz --only '/tests/fuzz/' -- --library=posix

step "All hardening checks passed"
