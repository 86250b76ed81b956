#!/usr/bin/env bash
# cppcheck over the project's own translation units of one build folder
# (tools/own-sources.py), with the include folders they are compiled with.
# Headers of the system, Qt, the Windows API and Emscripten are not read
# (tests/cppcheck.supp); CPPCHECK_ARGs after -- name the libraries and the
# defines of a cross build.
#
#   tools/cppcheck-build.sh BUILD [--only REGEX] [-- CPPCHECK_ARG...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
shift
only=.
while (($# > 0)); do
  case $1 in
    --only) only=$2; shift 2 ;;
    --) shift; break ;;
    *) echo "cppcheck-build.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
mapfile -t sources < <(python3 tools/own-sources.py "$build" | grep -E "$only")
mapfile -t includes < <(python3 tools/own-sources.py "$build" --includes)
cppcheck --quiet --error-exitcode=1 --enable=warning,performance,portability \
  --std=c++20 --language=c++ --inline-suppr --suppressions-list=tests/cppcheck.supp -j 2 \
  "${includes[@]/#/-I}" "$@" "${sources[@]}"
echo "cppcheck: clean in $build (${#sources[@]} files)"
