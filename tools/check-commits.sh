#!/usr/bin/env bash
# Commit subjects of 72 characters or fewer, as `git log --oneline`, mail
# and most tools show them whole: every commit since 9d92fda, the last one
# written before the project kept that length (the history before it stays
# as it was). Needs the history: in a shallow clone without that commit it
# says so and checks nothing.
#
#   bash tools/check-commits.sh
set -euo pipefail
cd "$(dirname "$0")/.."
since=9d92fda
if ! git rev-parse -q --verify "$since^{commit}" >/dev/null; then
  echo "check-commits.sh: $since is not in this clone's history; nothing checked"
  exit 0
fi
long=$(git log --format='%h %s' "$since..HEAD" |
       awk '{ subject = substr($0, index($0, " ") + 1) } length(subject) > 72')
if [[ -n $long ]]; then
  echo "check-commits.sh: commit subjects longer than 72 characters:" >&2
  echo "$long" >&2
  exit 1
fi
echo "commit subjects: $(git rev-list --count "$since..HEAD") since $since, none over 72 characters"
