"""What the browser tests and the web benchmark share: a static server on
127.0.0.1 that can be taken off the network and brought back on the same
port, the three browsers the tests run in (Chromium, Firefox, WebKitGTK), each
started with a fresh profile behind one small set of methods, and the floor
page staged with its picture."""

import base64
import http.server
import os
import shutil
import socket
import subprocess
import tempfile
import threading
import time
from pathlib import Path

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

REPO = Path(__file__).resolve().parents[2]
CHROMIUM = os.environ.get("ZENALTO_CHROMIUM", "/usr/lib/chromium/chromium")
CHROMEDRIVER = os.environ.get("ZENALTO_CHROMEDRIVER", "/usr/bin/chromedriver")
FIREFOX = os.environ.get("ZENALTO_FIREFOX", "/usr/bin/firefox-esr")
WEBKIT_DRIVER = os.environ.get("ZENALTO_WEBKIT_DRIVER", "/usr/bin/WebKitWebDriver")
MINIBROWSER = os.environ.get("ZENALTO_MINIBROWSER")

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".css": "text/css; charset=utf-8",
    ".json": "application/json",
    ".webmanifest": "application/manifest+json",
    ".woff2": "font/woff2",
    ".jpg": "image/jpeg",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".ico": "image/vnd.microsoft.icon",
}


class StaticServer:
    """Serves one folder on 127.0.0.1. Nothing is cacheable by HTTP, so a page
    that loads while the server is down was served by its service worker.
    Every request is logged in `requests` as (path, status). `types` gives
    other media types to some extensions (".js": what a host that does not
    know it sends); the browser is told not to guess past them (nosniff)."""

    def __init__(self, folder, port=0, types=None):
        self.folder = str(folder)
        self.types = {**TYPES, **(types or {})}
        self.requests = []
        self._port = port
        self._server = None
        self._thread = None
        self.start()

    @property
    def url(self):
        return f"http://127.0.0.1:{self._port}/"

    def start(self):
        folder = self.folder
        log = self.requests
        types = self.types

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **types}

            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=folder, **kwargs)

            def end_headers(self):
                self.send_header("Cache-Control", "no-store")
                self.send_header("X-Content-Type-Options", "nosniff")
                super().end_headers()

            def log_request(self, code="-", size="-"):
                log.append((self.path.split("?", 1)[0], int(code)))

            def log_message(self, *args):
                pass

        class Server(http.server.ThreadingHTTPServer):
            allow_reuse_address = True
            daemon_threads = True

        self._server = Server(("127.0.0.1", self._port), Handler)
        self._port = self._server.server_address[1]
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()

    def stop(self):
        """Closes the listening socket: connections are refused until start()."""
        if self._server is not None:
            self._server.shutdown()
            self._server.server_close()
            self._thread.join()
            self._server = None


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


ENGINES = ("chromium", "firefox", "webkit")
ENGINE = os.environ.get("ZENALTO_WEB_ENGINE", "chromium")
WIDTH, HEIGHT = 1024, 768


class BrowserError(Exception):
    """A browser's answer that no WebDriver exception stands for."""


class SeleniumBrowser:
    """What the scenarios ask of a browser (webpage.open_browser), over a
    selenium WebDriver: a page's scripts, real pointer clicks and keys."""

    engine = None
    driver = None

    def get(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def js(self, script, *args):
        """Runs a function body (its arguments in `arguments`); a promise
        returned is waited for."""
        return self.driver.execute_script(script, *args)

    def click(self, css, index=0):
        """A mouse click at the middle of the index-th element matching css,
        whatever lies on top of it there."""
        # At the point, not at the element: WebKitWebDriver refuses to move
        # to an element that a modal dialog makes inert.
        x, y = self.js("""const e = document.querySelectorAll(arguments[0])[arguments[1]];
                          e.scrollIntoView({block: 'nearest', inline: 'nearest'});
                          const r = e.getBoundingClientRect();
                          return [Math.floor(r.left + r.width / 2), Math.floor(r.top + r.height / 2)];""",
                       css, index)
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()

    def key_actions(self, actions):
        """Presses and releases keys: ("down" | "up", key) pairs, keys as
        selenium's Keys or characters."""
        chain = ActionChains(self.driver)
        for kind, key in actions:
            (chain.key_down if kind == "down" else chain.key_up)(key)
        chain.perform()

    def new_tab(self):
        self._first_tab = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")

    def tab_gone(self):
        try:
            return self.driver.current_window_handle not in self.driver.window_handles
        except WebDriverException:
            return True

    def close_tab(self):
        if len(self.driver.window_handles) > 1:
            self.driver.close()
        self.driver.switch_to.window(self._first_tab)

    def role_and_name(self, element_id):
        """The element's computed role and accessible name (WebDriver's)."""
        element = self.driver.find_element(By.ID, element_id)
        return element.aria_role, element.accessible_name

    def has_role_and_name(self, element_id, role, name):
        return self.role_and_name(element_id) == (role, name)


class ChromiumBrowser(SeleniumBrowser):
    """Headless Chromium under chromedriver with its own fresh profile, in the
    given language for the page (navigator.language, Accept-Language)."""

    engine = "chromium"
    FLAGS = [
        "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        f"--window-size={WIDTH},{HEIGHT}", "--force-device-scale-factor=1",
    ]

    def __init__(self, language="en-US"):
        self.profile = tempfile.mkdtemp(prefix="zenalto-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in self.FLAGS + [f"--lang={language}", f"--accept-lang={language}",
                                  f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        except Exception:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise
        self.driver.set_script_timeout(20)
        self.driver.set_page_load_timeout(30)

    def console_errors(self):
        """The console's errors since the last call (uncaught exceptions,
        console.error, failed loads)."""
        return [entry["message"] for entry in self.driver.get_log("browser")
                if entry["level"] == "SEVERE"]

    def paste(self, text):
        """Text inserted at the caret as a paste inserts it, in one input
        event (the DevTools protocol's Input.insertText)."""
        self.driver.execute_cdp_cmd("Input.insertText", {"text": text})

    def screenshot(self, element_id, clip):
        """A PNG of the viewport's box `clip` (x, y, width, height)."""
        clip = {**clip, "scale": 1}
        shot = self.driver.execute_cdp_cmd("Page.captureScreenshot", {"format": "png", "clip": clip})
        return base64.b64decode(shot["data"])

    def set_offline(self, offline):
        if offline:
            self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": offline, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        if not offline:
            self.driver.execute_cdp_cmd("Network.disable", {})
        return True

    def quit(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


Browser = ChromiumBrowser  # the benchmark's browser


class WebKitBrowser(SeleniumBrowser):
    """WebKitGTK's MiniBrowser under WebKitWebDriver, on the X display of
    DISPLAY (tools/test-web.sh starts a private Xvfb). Its language is the
    C library's locale (LC_ALL), which must be generated (es_ES.UTF-8:
    install-deps.sh); a missing one falls back to C, an English. WebKitWebDriver has
    no console log: MiniBrowser writes the console to its standard output,
    which the driver's log file gathers."""

    engine = "webkit"

    def __init__(self, language="en-US"):
        if not os.environ.get("DISPLAY"):
            raise RuntimeError("WebKitGTK needs an X display: tools/test-web.sh starts a private Xvfb")
        minibrowser = MINIBROWSER or next(iter(sorted(Path("/usr/lib").glob("*/webkit2gtk-4.*/MiniBrowser"))), None)
        if minibrowser is None:
            raise FileNotFoundError("MiniBrowser is missing: install webkit2gtk-driver")
        self.folder = tempfile.mkdtemp(prefix="zenalto-webkit-")
        self.log = Path(self.folder) / "driver.log"
        self._log_seen = 0
        options = webdriver.WebKitGTKOptions()
        options.binary_location = str(minibrowser)
        for argument in ("--automation", "--enable-write-console-messages-to-stdout=true"):
            options.add_argument(argument)
        saved = {name: os.environ.get(name) for name in ("LC_ALL", "XDG_CACHE_HOME", "XDG_DATA_HOME")}
        os.environ.update(LC_ALL=f"{language.replace('-', '_')}.UTF-8", XDG_CACHE_HOME=f"{self.folder}/cache",
                          XDG_DATA_HOME=f"{self.folder}/data")
        try:
            self.driver = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options,
                                              service_log_path=str(self.log))
        except Exception:
            shutil.rmtree(self.folder, ignore_errors=True)
            raise
        finally:
            for name, value in saved.items():
                if value is None:
                    os.environ.pop(name, None)
                else:
                    os.environ[name] = value
        self.driver.set_script_timeout(20)
        self.driver.set_page_load_timeout(30)
        # The window holds a tool bar: the viewport is made WIDTH x HEIGHT.
        self.driver.set_window_size(WIDTH, HEIGHT)
        inner = self.js("return [innerWidth, innerHeight]")
        self.driver.set_window_size(2 * WIDTH - inner[0], 2 * HEIGHT - inner[1])

    def console_errors(self):
        text = self.log.read_text(errors="replace")
        new, self._log_seen = text[self._log_seen:], len(text)
        return [line for line in new.splitlines() if line.startswith("CONSOLE") and " ERROR " in line]

    def paste(self, text):
        """A real paste: the text put on the X clipboard with xclip, then
        Ctrl+V."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(), check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # xclip serves the text from a process of its own, which may not own
        # the clipboard yet when it returns: under load the paste then gave
        # the text before. Waits until the clipboard gives the new text.
        deadline = time.monotonic() + 5
        while subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                             timeout=5).stdout != text.encode():
            if time.monotonic() > deadline:
                raise BrowserError("the X clipboard never took the text to paste")
            time.sleep(0.02)
        self.key_actions([("down", Keys.CONTROL), ("down", "v"), ("up", "v"), ("up", Keys.CONTROL)])

    def screenshot(self, element_id, clip):
        """WebKitWebDriver takes no box of the viewport: the whole element."""
        return self.driver.find_element(By.ID, element_id).screenshot_as_png

    def set_offline(self, offline):
        return False  # WebKitWebDriver cannot take the page off the network

    def quit(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.folder, ignore_errors=True)


def open_browser(language="en-US", engine=ENGINE):
    """A fresh browser of the engine (ZENALTO_WEB_ENGINE by default)."""
    if engine == "chromium":
        return ChromiumBrowser(language)
    if engine == "webkit":
        return WebKitBrowser(language)
    if engine == "firefox":
        from firefox import FirefoxBrowser
        return FirefoxBrowser(language)
    raise ValueError(f"ZENALTO_WEB_ENGINE={engine}: not one of {', '.join(ENGINES)}")


def stage_floor(into, site, wait_for_fonts=True):
    """Copies the floor page (bench/web) into `into`, ready to be served, with
    the About dialog's picture and the built site's two font files. Without
    `wait_for_fonts` its text is drawn at once in a font at hand and in its
    own once that has come (font-display: swap), not hidden until then."""
    into = Path(into)
    fonts = [Path(site) / "fonts" / name for name in ("zenalto-sans.woff2", "zenalto-sans-bold.woff2")]
    for font in fonts:
        if not font.is_file():
            raise FileNotFoundError(f"{font} is missing: build the site first")
    if into.exists():
        shutil.rmtree(into)
    shutil.copytree(REPO / "bench" / "web", into)
    shutil.copy(REPO / "resources" / "images" / "about.jpg", into / "about.jpg")
    (into / "fonts").mkdir()
    for font in fonts:
        shutil.copy(font, into / "fonts" / font.name)
    if not wait_for_fonts:
        page = into / "index.html"
        text = page.read_text(encoding="utf-8")
        swapped = text.replace('format("woff2"); }', 'format("woff2"); font-display: swap; }')
        if swapped.count("font-display: swap") != 2:
            raise RuntimeError(f"{page}: not two @font-face rules to swap")
        page.write_text(swapped, encoding="utf-8")
    return into
