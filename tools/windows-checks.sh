# shellcheck shell=bash
# Sourced by the scripts that check Zenalto.exe and its packages under Wine
# as a user meets them (check-windows-program.sh, check-windows-msi.sh).
#
#   check WHAT GOT WANT   prints "ok   WHAT", or "FAIL WHAT: …" and counts it
#                         in $failures, so that a script reports every check
#                         before it fails
#   driver ARGS…          runs the test driver $driver_exe under Wine, its
#                         output without carriage returns

failures=0
check() {
  if [[ $2 == "$3" ]]; then
    echo "ok   $1"
  else
    echo "FAIL $1: '$2', not '$3'"
    failures=$((failures + 1))
  fi
}
driver() { wine "$driver_exe" "$@" | tr -d '\r'; }
