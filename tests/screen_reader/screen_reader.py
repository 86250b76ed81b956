"""Screen-reader walks: a program driven by keys under Orca, checked by what
Orca speaks.

A walk is a table of steps, each a `Step(name, keys, heard)`: the keys sent
(xdotool key names such as "Tab", "space", "alt+h", sent in order to the
window that has the focus), then what must be heard, in that order, among
the "SPEECH OUTPUT:" lines of Orca's debug log: a string is one utterance
exactly as Orca logs it (with its role words and closing period: "159." and
not "15."), `Within(text)` a text heard whole inside one utterance (the
program's own text, whatever Orca says around it). Other utterances may come
between them. A step whose utterances are not all
heard within its timeout fails, and the walk prints what was heard in it;
the walk goes on with the next step, so that one run names every row that
fails.

The desktop is private: an Xvfb of its own (the first free display of the
range given), with its own cookie, openbox as its window manager, Orca with
a preferences folder of its own, and speech-dispatcher started by Orca with
the dummy output module and a null sound device, all with a home, runtime
and configuration folders of their own under a temporary folder. It needs a
D-Bus session bus of its own, on which the accessibility bus is started:
run a walk under `dbus-run-session`, e.g.

    dbus-run-session -- python3 tests/screen_reader/qt_walk.py build/dev/app/Zenalto

Orca writes its debug log to a pseudo-terminal that this module reads as it
comes (a file would hold it in Orca's buffer), so each step waits for the
lines it expects, not for a fixed time.

Walking a second program, such as a browser showing the page, under the same
kind of session: write a module beside this one with its own table and start
the program with `Desktop.start`, e.g.

    from screen_reader import Desktop, Step, run_walk

    STEPS = [
        Step("start", (), ["Zenalto document."]),
        Step("Calcular by Space", ("Tab", "space"), ["..."]),
    ]

    with Desktop(displays=range(30, 40)) as desktop:
        profile = desktop.folder("firefox-profile")
        ok = run_walk(desktop, STEPS, start=lambda: desktop.start(
            ["firefox-esr", "--no-remote", "--profile", str(profile), url],
            env={"GNOME_ACCESSIBILITY": "1"}))
    sys.exit(0 if ok else 1)

`start` runs after the first step's listening has begun, so that what Orca
says as the program's window appears belongs to that step. Every program
started through `Desktop.start` gets the desktop's environment (display,
folders, LANG=C.UTF-8) and is ended, with its process group, when the
desktop closes. `Desktop.heard_since(mark)` and `Desktop.wait_for(...)` serve
checks that a table does not express.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty
from dataclasses import dataclass, field
from pathlib import Path

# What Orca logs for each utterance: the text in quotes, then the voice's
# name when it is not the default one, then the voice's settings (a dict,
# nested in later Orcas).
_SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)? ?(?:\{.*\})?$")

# Orca's greeting once its speech is up and it listens to the desktop.
ORCA_READY = "Screen reader on."


@dataclass
class Step:
    name: str
    keys: tuple = ()
    heard: list = field(default_factory=list)
    timeout: float = 10.0


@dataclass(frozen=True)
class Within:
    text: str

    def __repr__(self):
        return f"within {self.text!r}"


def _matches(wanted, utterance):
    if isinstance(wanted, Within):
        return wanted.text in utterance
    return wanted == utterance


class WalkError(RuntimeError):
    pass


def _displays_from_environment():
    text = os.environ.get("ZENALTO_SCREEN_READER_DISPLAYS", "20-29")
    first, _, last = text.partition("-")
    return range(int(first), int(last or first) + 1)


class _OrcaLog:
    """Orca's debug log, read from a pseudo-terminal line by line as Orca
    writes it; every utterance kept in order, with a condition to wait on."""

    def __init__(self, copy_path):
        self._master, slave = os.openpty()
        # No newline translation, no echo: the lines as Orca wrote them.
        tty.setraw(slave)
        self.path = os.ttyname(slave)
        self._slave = slave
        self._copy = open(copy_path, "w", encoding="utf-8")
        self.spoken = []
        self._changed = threading.Condition()
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()

    def _read(self):
        pending = b""
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:
                break
            if not chunk:
                break
            pending += chunk
            *lines, pending = pending.split(b"\n")
            with self._changed:
                for raw in lines:
                    line = raw.decode("utf-8", "replace").rstrip("\r")
                    self._copy.write(line + "\n")
                    match = _SPOKEN.search(line)
                    if match:
                        self.spoken.append(match.group(1))
                self._copy.flush()
                self._changed.notify_all()

    def mark(self):
        with self._changed:
            return len(self.spoken)

    def since(self, mark):
        with self._changed:
            return list(self.spoken[mark:])

    def wait_for(self, utterances, mark, timeout):
        """Waits until `utterances` have been spoken in that order since
        `mark`; returns whether they were."""
        deadline = time.monotonic() + timeout
        with self._changed:
            while True:
                if _in_order(utterances, self.spoken[mark:]):
                    return True
                left = deadline - time.monotonic()
                if left <= 0:
                    return False
                self._changed.wait(left)

    def wait_quiet(self, quiet, timeout):
        """Waits until nothing has been spoken for `quiet` seconds (at most
        `timeout`), so that a step's last words are not taken for the next's."""
        # Every line of the log wakes the wait, spoken or not: the quiet is
        # measured from the last utterance.
        deadline = time.monotonic() + timeout
        with self._changed:
            count, since = len(self.spoken), time.monotonic()
            while True:
                now = time.monotonic()
                if len(self.spoken) != count:
                    count, since = len(self.spoken), now
                if now - since >= quiet or now >= deadline:
                    return
                self._changed.wait(min(since + quiet, deadline) - now)

    def close(self):
        for fd in (self._slave, self._master):
            try:
                os.close(fd)
            except OSError:
                pass
        self._thread.join(timeout=5)
        self._copy.close()


def _in_order(wanted, spoken):
    # Several texts may be heard in one utterance (a dialog read whole).
    position = 0
    for utterance in spoken:
        while position < len(wanted) and _matches(wanted[position], utterance):
            position += 1
    return position == len(wanted)


class Desktop:
    """Xvfb, openbox and Orca on a private display; see the module's text."""

    def __init__(self, displays=None, keep=None):
        self.displays = displays if displays is not None else _displays_from_environment()
        self._keep = keep  # a folder to copy the logs into at the end
        self._work = Path(tempfile.mkdtemp(prefix="zenalto-screen-reader-"))
        self._processes = []
        self._log = None
        self.env = {}

    # The context manager: everything started is ended at the end.
    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def folder(self, name):
        path = self._work / name
        path.mkdir(parents=True, exist_ok=True)
        return path

    def _start(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise WalkError("no D-Bus session bus: run the walk under dbus-run-session")
        home = self.folder("home")
        runtime = self.folder("runtime")
        runtime.chmod(0o700)
        config = self.folder("home/.config")
        env = {
            key: value for key, value in os.environ.items()
            if key in ("PATH", "DBUS_SESSION_BUS_ADDRESS", "TERM")
        }
        env.update(
            HOME=str(home),
            XDG_CONFIG_HOME=str(config),
            XDG_DATA_HOME=str(self.folder("home/.local/share")),
            XDG_CACHE_HOME=str(self.folder("home/.cache")),
            XDG_RUNTIME_DIR=str(runtime),
            LANG="C.UTF-8",
            LC_ALL="C.UTF-8",
            XAUTHORITY=str(self._work / "Xauthority"),
        )
        self.env = env

        # speech-dispatcher, spawned by Orca's client, speaks through its
        # dummy module into libao's null device: nothing needs a sound card.
        speechd = self.folder("home/.config/speech-dispatcher")
        (speechd / "speechd.conf").write_text(
            'AddModule "dummy" "sd_dummy" ""\n'
            'DefaultModule dummy\n'
            'AudioOutputMethod "libao"\n', encoding="utf-8")
        (home / ".libao").write_text("default_driver=null\n", encoding="utf-8")

        self._start_x()
        self._start_window_manager()
        self._start_orca()

    def _start_x(self):
        cookie = os.urandom(16).hex()
        for number in self.displays:
            if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
                continue
            Path(self.env["XAUTHORITY"]).touch()
            subprocess.run(["xauth", "-q", "-f", self.env["XAUTHORITY"], "add", f":{number}", ".",
                            cookie], check=True, env=self.env)
            read_end, write_end = os.pipe()
            xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-auth", self.env["XAUTHORITY"], "-nolisten", "tcp",
                 "-screen", "0", "1024x768x24", "-displayfd", str(write_end)],
                pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                stderr=open(self._work / "xvfb.log", "w"), env=self.env)
            os.close(write_end)
            with os.fdopen(read_end) as ready:
                said = ready.readline().strip()
            if said == str(number):
                self._processes.append(xvfb)
                self.env["DISPLAY"] = f":{number}"
                return
            xvfb.wait()
        raise WalkError(f"no free X display in {self.displays.start}-{self.displays.stop - 1}")

    def _start_window_manager(self):
        # openbox runs its --startup command once it manages the screen.
        ready = self._work / "openbox-ready"
        self.start(["openbox", "--sm-disable", "--startup", f"touch {ready}"], log="openbox")
        self._wait(ready.exists, 20, "openbox did not start")

    def _start_orca(self):
        self._log = _OrcaLog(self._work / "orca-debug.log")
        mark = self._log.mark()
        self.start(["orca", "--replace", "--user-prefs", str(self.folder("orca")),
                    "--debug-file", self._log.path], log="orca")
        if not self._log.wait_for([ORCA_READY], mark, 60):
            raise WalkError("Orca did not start:\n" + self._tail("orca.log"))
        log = (self._work / "orca-debug.log").read_text(encoding="utf-8", errors="replace")
        if "Speech Dispatcher service failed to connect" in log:
            raise WalkError("Orca could not reach speech-dispatcher:\n" + self._tail("orca.log"))

    def _wait(self, condition, timeout, message):
        # Only for what announces itself by nothing but a file.
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                raise WalkError(message)
            time.sleep(0.05)

    def _tail(self, name):
        path = self._work / name
        return path.read_text(errors="replace")[-4000:] if path.exists() else ""

    def start(self, argv, env=None, log=None):
        """Starts a program on the desktop in a process group of its own;
        it is ended when the desktop closes."""
        name = log or Path(argv[0]).name
        process = subprocess.Popen(
            argv, env={**self.env, **(env or {})}, stdin=subprocess.DEVNULL,
            stdout=open(self._work / f"{name}.log", "w"), stderr=subprocess.STDOUT,
            start_new_session=True)
        self._processes.append(process)
        return process

    def keys(self, *names):
        """Sends the keys, in order, to the window that has the focus."""
        if names:
            subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True, env=self.env)

    def mark(self):
        return self._log.mark()

    def heard_since(self, mark):
        return self._log.since(mark)

    def wait_for(self, utterances, mark, timeout=10.0):
        return self._log.wait_for(utterances, mark, timeout)

    def wait_quiet(self, quiet=0.5, timeout=5.0):
        self._log.wait_quiet(quiet, timeout)

    def close(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except (ProcessLookupError, PermissionError):
                    process.terminate()
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()
        self._processes.clear()
        if self._log is not None:
            self._log.close()
            self._log = None
        if self._keep:
            keep = Path(self._keep)
            keep.mkdir(parents=True, exist_ok=True)
            for path in self._work.glob("*.log"):
                shutil.copy(path, keep / path.name)
        shutil.rmtree(self._work, ignore_errors=True)


def run_walk(desktop, steps, start=None, out=sys.stdout):
    """Runs the steps in order; `start` (a callable) starts the program once
    the first step listens. Prints each step's result, and for a step that
    fails what was wanted and every utterance heard in it. Returns whether
    every step passed."""
    failed = []
    for index, step in enumerate(steps):
        mark = desktop.mark()
        if index == 0 and start is not None:
            start()
        desktop.keys(*step.keys)
        began = time.monotonic()
        ok = desktop.wait_for(step.heard, mark, step.timeout)
        if ok:
            # What the step still says belongs to it, not to the next one.
            desktop.wait_quiet()
        heard = desktop.heard_since(mark)
        took = time.monotonic() - began
        print(f"{'ok  ' if ok else 'FAIL'} {step.name} ({took:.1f} s)", file=out)
        if not ok:
            failed.append(step.name)
            print("     wanted, in this order:", file=out)
            for utterance in step.heard:
                print(f"       {utterance!r}", file=out)
            print("     heard:", file=out)
        for utterance in heard:
            print(f"     SPEECH OUTPUT: {utterance!r}", file=out)
    if failed:
        print(f"{len(failed)} of {len(steps)} steps failed: {', '.join(failed)}", file=out)
    else:
        print(f"all {len(steps)} steps passed", file=out)
    return not failed
