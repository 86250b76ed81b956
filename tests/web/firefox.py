"""Firefox ESR for the browser tests, driven over WebDriver BiDi: Debian has
no geckodriver, and Firefox itself speaks BiDi on the port given by
--remote-debugging-port. A small client over Debian's python3-websockets,
with the methods of webpage.SeleniumBrowser that the tests use."""

import asyncio
import base64
import itertools
import json
import re
import shutil
import subprocess
import tempfile
import threading
import time
from pathlib import Path

import websockets
from selenium.webdriver.common.keys import Keys

from webpage import FIREFOX, BrowserError, HEIGHT, WIDTH, free_port

# Prefs of a fresh profile: no first-run pages, updates, telemetry or
# background connections, nothing that could ask the tests a question.
PREFS = {
    "app.update.disabledForTesting": True,
    "browser.shell.checkDefaultBrowser": False,
    "browser.startup.homepage_override.mstone": "ignore",
    "browser.startup.page": 0,
    "browser.tabs.warnOnClose": False,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.reportingpolicy.firstRun": False,
    "network.captive-portal-service.enabled": False,
    "network.connectivity-service.enabled": False,
    "browser.safebrowsing.update.enabled": False,
    "extensions.update.enabled": False,
    "layout.css.devPixelsPerPx": "1.0",
}


class BiDiError(BrowserError):
    pass


class BiDiConnection:
    """One WebSocket to the browser; commands wait for their answer, events
    go to on_event (called on the connection's own thread)."""

    def __init__(self, url, on_event):
        self.on_event = on_event
        self._pending = {}
        self._ids = itertools.count(1)
        self.loop = asyncio.new_event_loop()
        self._thread = threading.Thread(target=self.loop.run_forever, daemon=True)
        self._thread.start()
        self.socket = self._wait(self._connect(url), 30)
        self._reader = asyncio.run_coroutine_threadsafe(self._read(), self.loop)

    @staticmethod
    async def _connect(url):
        return await websockets.connect(url, max_size=None, ping_interval=None)

    def _wait(self, coroutine, timeout):
        return asyncio.run_coroutine_threadsafe(coroutine, self.loop).result(timeout)

    async def _read(self):
        try:
            async for raw in self.socket:
                message = json.loads(raw)
                future = self._pending.pop(message.get("id"), None)
                if future is not None:
                    future.set_result(message)
                elif message.get("type") == "event":
                    self.on_event(message["method"], message["params"])
        finally:
            for future in self._pending.values():
                future.set_exception(BiDiError("the browser closed the connection"))
            self._pending.clear()

    async def _send(self, method, params):
        number = next(self._ids)
        future = self.loop.create_future()
        self._pending[number] = future
        await self.socket.send(json.dumps({"id": number, "method": method, "params": params}))
        return await future

    def command(self, method, params=None, timeout=60):
        answer = self._wait(self._send(method, params or {}), timeout)
        if answer.get("type") == "error":
            raise BiDiError(f"{method}: {answer.get('error')}: {answer.get('message')}")
        return answer["result"]

    def close(self):
        try:
            self._wait(self.socket.close(), 10)
        finally:
            self.loop.call_soon_threadsafe(self.loop.stop)
            self._thread.join(10)


def to_remote(value):
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [to_remote(item) for item in value]}
    raise TypeError(f"no BiDi form for {value!r}")


def from_remote(remote):
    kind, value = remote["type"], remote.get("value")
    if kind in ("undefined", "null"):
        return None
    if kind in ("string", "boolean"):
        return value
    if kind == "number":
        return value if not isinstance(value, str) else float(value.replace("Infinity", "inf"))
    if kind == "array":
        return [from_remote(item) for item in value]
    if kind == "object":
        return {key if isinstance(key, str) else from_remote(key): from_remote(item) for key, item in value}
    return remote  # a node and the like: its shared id and description


class FirefoxBrowser:
    """Headless Firefox ESR with a fresh profile, its viewport WIDTH x HEIGHT
    at scale 1, the page's language from intl.accept_languages."""

    engine = "firefox"

    def __init__(self, language="en-US"):
        self.profile = Path(tempfile.mkdtemp(prefix="zenalto-firefox-"))
        prefs = {**PREFS, "intl.accept_languages": language}
        (self.profile / "user.js").write_text(
            "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items()))
        self.errors = []
        self.log = self.profile.parent / f"{self.profile.name}.log"
        port = free_port()
        with open(self.log, "wb") as log:
            self.process = subprocess.Popen(
                [FIREFOX, "--headless", "--no-remote", "--profile", str(self.profile),
                 f"--remote-debugging-port={port}"],
                stdout=log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        try:
            url = self._listening_on()
            self.bidi = BiDiConnection(f"{url}/session", self._event)
            self.bidi.command("session.new", {"capabilities": {}})
            self.bidi.command("session.subscribe", {"events": ["log.entryAdded"]})
            # The window Firefox opens at start never gets the focus when
            # headless (document.hasFocus() stays false, and Enter or Space
            # on a focused button does nothing): the tests use a window of
            # their own, opened in front.
            first = self.bidi.command("browsingContext.getTree", {})["contexts"][0]["context"]
            self.context = self.bidi.command("browsingContext.create", {"type": "window", "background": False})["context"]
            self.bidi.command("browsingContext.close", {"context": first})
            self._size_viewport()
        except Exception:
            self.quit()
            raise

    def _listening_on(self):
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", self.log.read_text(errors="replace"))
            if found:
                return found.group(1)
            if self.process.poll() is not None:
                break
            time.sleep(0.1)
        raise RuntimeError(f"Firefox did not start its WebDriver BiDi server:\n{self.log.read_text(errors='replace')}")

    def _event(self, method, params):
        if method == "log.entryAdded" and params.get("level") == "error":
            self.errors.append(params.get("text"))

    def _size_viewport(self):
        self.bidi.command("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": WIDTH, "height": HEIGHT}, "devicePixelRatio": 1})

    def console_errors(self):
        errors, self.errors = self.errors, []
        return errors

    def get(self, url):
        self.bidi.command("browsingContext.navigate", {"context": self.context, "url": url, "wait": "complete"})

    def reload(self):
        self.bidi.command("browsingContext.reload", {"context": self.context, "wait": "complete"})

    def js(self, script, *args, user_activation=False):
        answer = self.bidi.command("script.callFunction", {
            "functionDeclaration": f"function() {{ {script}\n}}",
            "arguments": [to_remote(arg) for arg in args],
            "target": {"context": self.context}, "awaitPromise": True,
            "resultOwnership": "none", "userActivation": user_activation})
        if answer["type"] == "exception":
            details = answer["exceptionDetails"]
            raise BiDiError(f"script: {details.get('text')}")
        return from_remote(answer["result"])

    def _actions(self, source):
        self.bidi.command("input.performActions", {"context": self.context, "actions": [source]})

    def click(self, css, index=0):
        element = self.js("""const e = document.querySelectorAll(arguments[0])[arguments[1]];
                             e.scrollIntoView({block: 'nearest', inline: 'nearest'}); return e;""", css, index)
        origin = {"type": "element", "element": {"sharedId": element["sharedId"]}}
        self._actions({"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "x": 0, "y": 0, "origin": origin},
            {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]})

    def key_actions(self, actions):
        self._actions({"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown" if kind == "down" else "keyUp", "value": key} for kind, key in actions]})

    def paste(self, text):
        """A real paste: the text on the clipboard (a script allowed to by a
        user's activation), then Ctrl+V."""
        self.js("return navigator.clipboard.writeText(arguments[0]).then(() => true)", text,
                user_activation=True)
        self.key_actions([("down", Keys.CONTROL), ("down", "v"), ("up", "v"), ("up", Keys.CONTROL)])

    def screenshot(self, element_id, clip):
        shot = self.bidi.command("browsingContext.captureScreenshot", {
            "context": self.context, "origin": "viewport", "clip": {"type": "box", **clip}})
        return base64.b64decode(shot["data"])

    def set_offline(self, offline):
        self.bidi.command("emulation.setNetworkConditions", {
            "networkConditions": {"type": "offline"} if offline else None, "contexts": [self.context]})
        return True

    def new_tab(self):
        self._first_tab = self.context
        self.context = self.bidi.command("browsingContext.create", {"type": "tab", "background": False})["context"]
        self._size_viewport()

    def tab_gone(self):
        contexts = self.bidi.command("browsingContext.getTree", {"maxDepth": 0})["contexts"]
        return self.context not in [context["context"] for context in contexts]

    def close_tab(self):
        if not self.tab_gone():
            self.bidi.command("browsingContext.close", {"context": self.context})
        self.context = self._first_tab

    def has_role_and_name(self, element_id, role, name):
        """Whether the accessibility tree has a node of that role and name for
        the element (BiDi's accessibility locator; Firefox gives no role or
        name of an element directly)."""
        found = self.bidi.command("browsingContext.locateNodes", {
            "context": self.context, "locator": {"type": "accessibility", "value": {"role": role, "name": name}}})
        return any(node.get("value", {}).get("attributes", {}).get("id") == element_id for node in found["nodes"])

    def quit(self):
        try:
            if getattr(self, "bidi", None) is not None:
                try:
                    self.bidi.command("browser.close", {}, timeout=20)
                except Exception:
                    pass
                self.bidi.close()
        finally:
            try:
                self.process.wait(20)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)
            self.log.unlink(missing_ok=True)
