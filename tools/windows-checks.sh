# shellcheck shell=bash
# Sourced by the scripts that check Zenalto.exe and its packages under Wine
# as a user meets them (check-windows-program.sh, check-windows-msi.sh).
#
#   check WHAT GOT WANT   prints "ok   WHAT", or "FAIL WHAT: …" and counts it
#                         in $failures, so that a script reports every check
#                         before it fails
#   driver ARGS…          runs the test driver $driver_exe under Wine, its
#                         output without carriage returns
#   reg_value KEY NAME    the data of a registry value as reg.exe shows it
#                         (after its type), or nothing
#   reg_listing KEY       reg.exe's listing of KEY and every key below it

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
# Wine's reg.exe now and then answers nothing, or fails, on a busy machine,
# for a value it gives on the next try: an empty answer is asked again,
# twice at most, and a failure never ends the calling script.
reg_value() {
  local value attempt
  for attempt in 1 2 3; do
    value=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
      sed -n "s/^ *$2 *REG_[A-Z_]* *//p" || true)
    [[ -n $value ]] && break
    ((attempt < 3)) && sleep 1
  done
  echo "$value"
}
# (A listing is never empty: it names the key itself.)
reg_listing() {
  local listing attempt
  for attempt in 1 2 3; do
    listing=$(wine reg query "$1" /s 2>/dev/null | tr -d '\r' || true)
    [[ -n $listing ]] && break
    ((attempt < 3)) && sleep 1
  done
  echo "$listing"
}
