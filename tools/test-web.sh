#!/usr/bin/env bash
# The web page end to end: builds it with the web preset (Emscripten), runs
# the WebAssembly tests of the core and the commands under node, then the
# page's tests (tests/web), served from 127.0.0.1, once in each engine:
# headless Chromium, headless Firefox ESR and WebKitGTK on a private Xvfb.
# The page's scripts and its service worker are linted first (ESLint, with
# .eslintrc.json), its C++ analysed (clang-tidy, cppcheck), its HTML checked
# (the Nu HTML Checker); the accessibility checkers run in Chromium. No display
# is needed. Installs what is missing, as install-deps.sh does.
#
#   bash tools/test-web.sh [ENGINE...]   # chromium firefox webkit (default: all three)
set -euo pipefail
cd "$(dirname "$0")/.."

engines=("$@")
((${#engines[@]} > 0)) || engines=(chromium firefox webkit)

bash tools/install-deps.sh cmake make libgtest-dev libfast-float-dev emscripten nodejs node-acorn \
  python3 python3-fonttools python3-brotli fonts-liberation2 python3-selenium \
  chromium chromium-driver \
  firefox-esr python3-websockets clang-tidy cppcheck \
  eslint node-chalk node-strip-ansi node-text-table \
  default-jre-headless \
  webkit2gtk-driver xvfb xauth xclip locales  # WebKitGTK takes its language from the locale
# default-jre-headless runs the Nu HTML Checker. The test tools from npm
# (axe-core, IBM's accessibility-checker-engine, the Nu HTML Checker's
# vnu-jar), pinned by tests/web/package-lock.json; node's own npm where node
# came with one, Debian's otherwise. No package's install script runs:
# vnu-jar's would fetch a Java runtime of its own.
command -v npm >/dev/null || bash tools/install-deps.sh npm
npm ci --prefix tests/web --no-audit --no-fund --loglevel=error --ignore-scripts

# Debian's Emscripten comes with its system libraries built, in a cache it
# only reads; another Emscripten builds them into the build folder.
if [[ $(em-config FROZEN_CACHE) != True && ! -w $(em-config CACHE) ]]; then
  export EM_CACHE=$PWD/build/web/emscripten-cache
fi

cmake --preset web
cmake --build --preset web
# Debian's ESLint finds its modules where Debian's node keeps them, whatever
# node runs it. Its default formatter needs node-chalk, node-strip-ansi and
# node-text-table, which the eslint package only recommends: they are
# installed above by name. controls.js is linted as joined from its parts in
# layout/web/controls/ (alone, each part uses names the others define), the
# service worker as built, its lists filled in.
NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH} eslint \
  build/web/layout/web/controls.js platform/web/platform.js platform/web/utf16.js app/web/register.js \
  build/web/site/sw.js
echo "eslint: clean"
# The C++ of the web build, read as Emscripten's clang reads it.
sysroot=$(em-config CACHE)/sysroot
bash tools/clang-tidy-build.sh build/web -- --target=wasm32-unknown-emscripten \
  "--sysroot=$sysroot" "-isystem$sysroot/include/compat" -D__EMSCRIPTEN__
bash tools/cppcheck-build.sh build/web -- --library=googletest --library=tests/cppcheck-emscripten.cfg \
  -D__EMSCRIPTEN__
ctest --preset web
# The page as built through the Nu HTML Checker: no error. (The About
# window's markup is in it, in its <template>; the message box too.)
java -jar tests/web/node_modules/vnu-jar/build/dist/vnu.jar --errors-only build/web/site/index.html
echo "vnu: no errors in index.html"

# Debian's python3-selenium belongs to Debian's own python3, whatever else
# PATH finds first.
export ZENALTO_WEB_SITE=$PWD/build/web/site ZENALTO_WEB_SCREENSHOTS=$PWD/build/web/screenshots
work=$(mktemp -d)
# shellcheck source=bench/private-xvfb.sh
source bench/private-xvfb.sh
trap 'stop_private_xvfb; rm -rf "$work"' EXIT

failed=()
for engine in "${engines[@]}"; do
  echo "== browser tests in $engine"
  if [[ $engine == webkit && -z $xvfb_pid ]]; then
    start_private_xvfb "$work" test-web
  fi
  start=$SECONDS
  if ! ZENALTO_WEB_ENGINE=$engine /usr/bin/python3 -m unittest discover -s tests/web -t tests/web -v; then
    failed+=("$engine")
  fi
  echo "== $engine: $((SECONDS - start)) s"
done
if ((${#failed[@]} > 0)); then
  echo "browser tests failed in: ${failed[*]}" >&2
  exit 1
fi
