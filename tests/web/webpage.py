"""What the browser tests and the web benchmark share: a static server on
127.0.0.1 that can be taken off the network and brought back on the same
port, headless Chromium started with a fresh profile, and the floor page
staged with its picture."""

import http.server
import os
import shutil
import socket
import tempfile
import threading
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

REPO = Path(__file__).resolve().parents[2]
CHROMIUM = os.environ.get("ZENALTO_CHROMIUM", "/usr/lib/chromium/chromium")
CHROMEDRIVER = os.environ.get("ZENALTO_CHROMEDRIVER", "/usr/bin/chromedriver")

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
    Every request is logged in `requests` as (path, status)."""

    def __init__(self, folder, port=0):
        self.folder = str(folder)
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

        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

            def __init__(self, *args, **kwargs):
                super().__init__(*args, directory=folder, **kwargs)

            def end_headers(self):
                self.send_header("Cache-Control", "no-store")
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


class Browser:
    """Headless Chromium under chromedriver with its own fresh profile, in the
    given language for the page (navigator.language, Accept-Language)."""

    FLAGS = [
        "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
        "--disable-background-networking", "--disable-component-update", "--disable-sync",
        "--window-size=1024,768", "--force-device-scale-factor=1",
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

    def quit(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def stage_floor(into, site):
    """Copies the floor page (bench/web) into `into`, ready to be served, with
    the About dialog's picture and the built site's two font files."""
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
    return into
