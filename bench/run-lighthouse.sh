#!/usr/bin/env bash
# Lighthouse on the page, as a benchmark (CI does not run it): N runs with
# the mobile preset (Lighthouse's default: a throttled phone) and N with the
# desktop one, in Debian's headless Chromium, the page served from
# 127.0.0.1. Prints the median of each category's score per preset, the
# audits that failed in any run (how many runs), and the machine's load,
# which moves the performance score; then the legible-text audit on phones
# and tablets, upright and on their side.
#
#   bench/run-lighthouse.sh [-n RUNS] [SITE]     # RUNS defaults to 5
#
# Lighthouse comes from npm, pinned by bench/lighthouse/package-lock.json,
# and runs on the machine's node (20 or later). SITE defaults to
# build/web/site, built here first with the web preset. Reports go to
# build/web/lighthouse/.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=5
site=
while (($# > 0)); do
  case $1 in
    -n) runs=$2; shift 2 ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    *) site=$1; shift ;;
  esac
done

bash tools/install-deps.sh chromium python3
command -v npm >/dev/null || bash tools/install-deps.sh npm
npm ci --prefix bench/lighthouse --no-audit --no-fund --loglevel=error
if [[ -z $site ]]; then
  site=build/web/site
  cmake --preset web >/dev/null
  cmake --build --preset web --target zenalto_site
fi

out=$PWD/build/web/lighthouse
rm -rf "$out"
mkdir -p "$out"
# The tests' server: the page's types, nothing cacheable.
port_file=$out/port
/usr/bin/python3 -c '
import sys, time
sys.path.insert(0, "tests/web")
from webpage import StaticServer
server = StaticServer(sys.argv[1])
open(sys.argv[2], "w").write(server.url)
while True:
    time.sleep(3600)
' "$site" "$port_file" &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [[ -s $port_file ]] && break; sleep 0.1; done
url=$(cat "$port_file")

export CHROME_PATH=${ZENALTO_CHROMIUM:-/usr/lib/chromium/chromium}
echo "Lighthouse $(bench/lighthouse/node_modules/.bin/lighthouse --version), node $(node --version)," \
  "$("$CHROME_PATH" --version 2>/dev/null | head -1), $runs runs per preset, $url"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for preset in mobile desktop; do
  extra=()
  [[ $preset == desktop ]] && extra=(--preset=desktop)
  for run in $(seq "$runs"); do
    bench/lighthouse/node_modules/.bin/lighthouse "$url" "${extra[@]}" --quiet \
      --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run" \
      --output=json --output-path="$out/$preset-$run.json"
  done
done
# The legible-text audit once per screen, phones and tablets both ways:
# Lighthouse's phone is 412 x 823.
for screen in 412x823 823x412 360x640 844x390 768x1024 1024x768 1280x800; do
  bench/lighthouse/node_modules/.bin/lighthouse "$url" --quiet --only-audits=font-size \
    --screenEmulation.mobile --screenEmulation.width="${screen%x*}" \
    --screenEmulation.height="${screen#*x}" --screenEmulation.deviceScaleFactor=2 \
    --chrome-flags="--headless=new --no-sandbox --disable-gpu --no-first-run" \
    --output=json --output-path="$out/screen-$screen.json"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

/usr/bin/python3 - "$out" <<'PY'
import json, statistics, sys
from collections import Counter
from pathlib import Path
out = Path(sys.argv[1])
for preset in ("mobile", "desktop"):
    reports = [json.loads(p.read_text()) for p in sorted(out.glob(f"{preset}-*.json"))]
    scores = {}
    failed = Counter()
    for report in reports:
        for key, category in report["categories"].items():
            scores.setdefault(key, []).append(category["score"] * 100)
        for audit in report["audits"].values():
            if audit.get("scoreDisplayMode") in ("binary", "numeric", "metricSavings") and audit.get("score") is not None and audit["score"] < 0.9:
                failed[(audit["id"], audit["title"])] += 1
    print(f"\n{preset}, {len(reports)} runs: median (min-max)")
    for key, values in scores.items():
        print(f"  {key:16} {statistics.median(values):5.0f}  ({min(values):.0f}-{max(values):.0f})")
    print("  audits below 0.9 (runs):")
    for (audit, title), count in sorted(failed.items()):
        print(f"    {audit}: {title} ({count}/{len(reports)})")
    metrics = {}
    for report in reports:
        for metric in ("first-contentful-paint", "largest-contentful-paint", "total-blocking-time", "cumulative-layout-shift", "speed-index"):
            metrics.setdefault(metric, []).append(report["audits"][metric]["numericValue"])
    for metric, values in metrics.items():
        print(f"  {metric:26} median {statistics.median(values):8.1f}")
print("\nlegible text (font-size audit, mobile emulation):")
for path in sorted(out.glob("screen-*.json"), key=lambda p: [int(n) for n in p.stem[7:].split("x")]):
    audit = json.loads(path.read_text())["audits"]["font-size"]
    print(f"  {path.stem[7:]:>9}  {'pass' if audit['score'] == 1 else 'FAIL'}  {audit.get('displayValue', '')}")
PY
