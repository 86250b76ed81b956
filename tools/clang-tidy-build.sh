#!/usr/bin/env bash
# clang-tidy, with the root's .clang-tidy, over the project's own translation
# units of one build folder (tools/own-sources.py), and the headers the
# .clang-tidy's HeaderFilterRegex names. Fails showing the
# findings when there are any; the whole output goes to BUILD/clang-tidy.log.
# A cross build is read as its compiler would: CLANG_ARGs after -- give clang
# the target and the system headers.
#
#   tools/clang-tidy-build.sh BUILD [--only REGEX] [--checks CHECKS] [-- CLANG_ARG...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
shift
only=.
checks=()
while (($# > 0)); do
  case $1 in
    --only) only=$2; shift 2 ;;
    --checks) checks=("-checks=$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "clang-tidy-build.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
# The compile commands are g++'s or em++'s: clang does not know some of
# their warning options.
extra=(-extra-arg=-Wno-unknown-warning-option)
for arg in "$@"; do extra+=("-extra-arg=$arg"); done
mapfile -t sources < <(python3 tools/own-sources.py "$build" | grep -E "$only")
log="$build/clang-tidy.log"
if ! run-clang-tidy -quiet -j 2 -p "$build" "${checks[@]}" "${extra[@]}" \
     "${sources[@]}" >"$log" 2>&1; then
  grep -E -A3 'warning:|error:' "$log" | head -n 200
  echo "clang-tidy found faults in $build (all of them in $log)" >&2
  exit 1
fi
echo "clang-tidy: clean in $build (${#sources[@]} files)"
