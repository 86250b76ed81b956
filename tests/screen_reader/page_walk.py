"""The web page as a blind student walks it with Orca, in Firefox ESR and in
Chromium (each with a profile of its own, accessibility on): the altitude
heard whole at start, both results heard as soon as "Calcular" writes them,
the radius a choice from the list writes, a refused calculation's message
box heard whole (title and prompt), and the About window's description
heard as it opens. One table for both browsers.

    dbus-run-session -- python3 tests/screen_reader/page_walk.py SITE [BROWSER...] [--logs LOGS]

SITE is the built site's folder (build/web/site), served here from
127.0.0.1; BROWSER is firefox or chromium (default: both, in turn, each on a
desktop of its own). LOGS, when given, is a folder that keeps Orca's and
the browser's logs, one folder per browser.
"""

import functools
import http.server
import sys
import threading
from pathlib import Path

from screen_reader import Desktop, Step, Within, run_walk

# What Orca says, the same in both browsers: the program's own texts (its
# fields' accessible names and texts, its titles and prompts) inside Orca's
# utterances, whose role words differ between the browsers.
STEPS = [
    # The page opens with the focus in Text1.
    Step("start: Text1 whole", (), [
        Within("Altura del Satelite (Km)"),
        Within("159."),
    ], timeout=30),
    # Tab five times from Text1 reaches Calcular.
    Step("Calcular by Space: both results", ("Tab",) * 5 + ("space",), [
        Within("Calcular"),
        Within("Velocidad Orbital (m/s) 7812.50598. Velocidad Orbital (Km/h) 28125.02151"),
    ]),
    # Back to the list; Down chooses its first entry.
    Step("a choice from the list: the radius", ("shift+Tab", "Down"), [
        Within("Radio Terrestre (Km) 6378.137"),
    ]),
    # From the list, the About window by its menu, then closed by Esc. The
    # menu is heard before its letter is typed, as a student waits to hear
    # it.
    Step("Alt+H: the Help menu", ("alt+h",), [
        Within("Help menu"),
    ]),
    Step("About: its description as it opens", ("c",), [
        Within("Sobre Zenalto Ver. 1.0"),
        Within("Este programa fue desarrollado con fines educativos solamente. Sirve de apoyo "
               "didáctico para el cálculo de órbitas satelitales en el curso de Mecánica Orbital "
               "del Instituto Tecnológico de Puerto Ficticio, para el que fue escrito."),
    ]),
    Step("About closed: the focus back on the list", ("Escape",), [
        Within("Radio Terrestre"),
    ]),
    # Text1 emptied, then Calcular: the message box, title and prompt. (Last:
    # in Firefox Orca leaves focus mode when a modal box closes, and may
    # then take the letter of an access key for its own.)
    Step("empty altitude: the message box", (
        "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "ctrl+a", "BackSpace",
        "Tab", "Tab", "Tab", "Tab", "Tab", "space"), [
        Within("Error en la introducción de datos"),
        Within(" Introduzca un valor de altitud satelital"),
    ]),
    Step("the message box closed: the focus back on Calcular", ("Return",), [
        Within("Calcular"),
    ]),
]

FIREFOX_PREFS = {
    "app.update.disabledForTesting": True,
    "browser.aboutwelcome.enabled": False,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.tabs.warnOnClose": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "extensions.update.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
}


class Server:
    """The site on 127.0.0.1, on a port of its own, for the walk's length."""

    def __init__(self, folder):
        class Handler(http.server.SimpleHTTPRequestHandler):
            extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                              ".wasm": "application/wasm", ".js": "text/javascript",
                              ".webmanifest": "application/manifest+json"}

            def log_message(self, *args):
                pass

        handler = functools.partial(Handler, directory=str(folder))
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self._server.server_address[1]}/"
        threading.Thread(target=self._server.serve_forever, daemon=True).start()

    def stop(self):
        self._server.shutdown()
        self._server.server_close()


def browser_command(desktop, browser, url):
    profile = desktop.folder(f"{browser}-profile")
    if browser == "firefox":
        (profile / "user.js").write_text("".join(
            f'user_pref("{key}", {str(value).lower()});\n' for key, value in FIREFOX_PREFS.items()))
        return ["firefox-esr", "--no-remote", "--profile", str(profile), url], {"GNOME_ACCESSIBILITY": "1"}
    return ["chromium", "--no-sandbox", "--disable-gpu", "--no-first-run", "--no-default-browser-check",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--force-renderer-accessibility", "--start-maximized", f"--user-data-dir={profile}",
            url], {"ACCESSIBILITY_ENABLED": "1"}


def main():
    args = sys.argv[1:]
    logs = None
    if "--logs" in args:
        at = args.index("--logs")
        logs = Path(args[at + 1])
        del args[at:at + 2]
    if not args or any(b not in ("firefox", "chromium") for b in args[1:]):
        sys.exit(__doc__)
    site, browsers = args[0], args[1:] or ["firefox", "chromium"]
    server = Server(site)
    ok = True
    try:
        for browser in browsers:
            print(f"-- {browser}")
            with Desktop(keep=logs / browser if logs else None) as desktop:
                argv, env = browser_command(desktop, browser, server.url)
                ok = run_walk(desktop, STEPS, start=lambda: desktop.start(argv, env=env, log=browser)) and ok
    finally:
        server.stop()
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
