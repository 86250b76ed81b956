#!/usr/bin/env python3
"""Runs the Qt tests of a CTest build on the Wayland platform plugin.

    tools/wayland-tests.py BUILD_DIR

Every test that CTest runs with QT_QPA_PLATFORM set runs here with its own
environment, but QT_QPA_PLATFORM=wayland, inside the compositor that
WAYLAND_DISPLAY names (tools/check-wayland.sh starts a headless weston). Test
functions or data rows listed in EXCLUDED are left out, each for the reason
given; everything else runs, row by row as `-datatags` lists it. Exit status 0
when all pass.
"""

import json
import os
import subprocess
import sys

# weston's headless backend has no seat: no keyboard, no pointer. Without one
# no window is ever activated and nothing gets the keyboard focus, popup menus
# cannot open (an xdg_popup needs the serial of an input event), and there is
# no clipboard (wl_data_device belongs to a seat). A Wayland compositor also
# chooses where top-level windows go; clients cannot place them.
NO_SEAT_FOCUS = "no seat in weston's headless backend: no window activation, no keyboard focus"
NO_SEAT_MENU = "no seat in weston's headless backend: a popup menu needs an input event's serial"
NO_SEAT_CLIPBOARD = "no seat in weston's headless backend: no clipboard"
PLACED_BY_COMPOSITOR = "a Wayland compositor places top-level windows itself"
EXCLUDED = {
    ("about_dialog_test", "windowOpensAsLaidOut"): PLACED_BY_COMPOSITOR,
    ("about_dialog_test", "eachWayOfClosingUnloads:Enter on OK"): NO_SEAT_FOCUS,
    ("about_dialog_test", "eachWayOfClosingUnloads:Esc"): NO_SEAT_FOCUS,
    ("about_dialog_test", "eachWayOfClosingUnloads:Esc with the focus on System Info"):
        NO_SEAT_FOCUS,
    ("about_dialog_test", "sysInfoRunsTheLauncherAndStaysOpen:Enter with the focus on System Info"):
        NO_SEAT_FOCUS,
    ("about_dialog_test", "sysInfoRunsTheLauncherAndStaysOpen:Alt+S"): NO_SEAT_FOCUS,
    ("form1_test", "opensWithItsStartValues"): NO_SEAT_FOCUS,
    ("form1_test", "tabVisitsTheControlsInTheirOrder"): NO_SEAT_FOCUS,
    ("form1_test", "wheelMovesOnlyTheControlWithTheFocus"): NO_SEAT_FOCUS,
    ("form1_test", "calculateFromButtonAndMenu"): NO_SEAT_MENU,
    ("form1_test", "borrarFromTheMenu"): NO_SEAT_MENU,
    ("form1_test", "helpFromTheMenu"): NO_SEAT_MENU,
    ("form1_test", "salirEndsTheProgramFromButtonAndMenu"): NO_SEAT_MENU,
    ("form1_test", "aboutOpensOneDialogFromButtonAndMenu"): NO_SEAT_MENU,
    ("form1_test", "injectedAboutDialogIsTheOneShown"): NO_SEAT_MENU,
    ("form1_bad_input_test", "pastedTextGivesResultsOrMessage"): NO_SEAT_CLIPBOARD,
    ("form1_bad_input_test", "longPasteKeepsTheFieldsLength"): NO_SEAT_CLIPBOARD,
    ("accessibility_test", "tabReachesEachControlByName"): NO_SEAT_FOCUS,
    ("scaling_test_2x", "windowsAreDrawnAtTheFactor:Form1"):
        "Qt 6.4's Wayland plugin at QT_SCALE_FACTOR=2 gives the main window's client "
        "area one pixel more each way (523x370); on Wayland the output's scale, not "
        "QT_SCALE_FACTOR, sets the density",
}


def excluded(test, function, tag, used):
    """The reason why FUNCTION:TAG of TEST is left out, or None; the entry
    that gave it goes into USED."""
    for (name, pattern), reason in EXCLUDED.items():
        if name != test:
            continue
        want_function, _, want_tag = pattern.partition(":")
        if want_function != function:
            continue
        if not want_tag or want_tag == tag or (
                want_tag.startswith("*") and tag.endswith(want_tag[1:])):
            used.add((name, pattern))
            return reason
    return None


def main():
    build = sys.argv[1]
    listing = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    failed = []
    listed, used = set(), set()
    for test in json.loads(listing)["tests"]:
        properties = {p["name"]: p["value"] for p in test.get("properties", [])}
        environment = properties.get("ENVIRONMENT") or []
        if not any(e.startswith("QT_QPA_PLATFORM=") for e in environment):
            continue
        env = dict(os.environ)
        env.update(e.split("=", 1) for e in environment)
        env["QT_QPA_PLATFORM"] = "wayland"
        listed.add(test["name"])
        command = test["command"]
        cwd = properties.get("WORKING_DIRECTORY")
        rows = subprocess.run(command + ["-datatags"], cwd=cwd, env=env, check=True,
                              capture_output=True, text=True).stdout.splitlines()
        selected, left_out = [], []
        for row in rows:
            _, function, *tag = row.split(" ", 2)
            tag = tag[0] if tag else ""
            name = f"{function}:{tag}" if tag else function
            reason = excluded(test["name"], function, tag, used)
            (left_out if reason else selected).append((name, reason))
        for name, reason in left_out:
            print(f"  {test['name']}: left out {name}: {reason}")
        if not selected:
            continue
        result = subprocess.run(command + [name for name, _ in selected], cwd=cwd, env=env,
                                capture_output=True, text=True, timeout=600)
        totals = [line for line in result.stdout.splitlines() if line.startswith("Totals")]
        print(f"{test['name']}: {'passed' if result.returncode == 0 else 'FAILED'}, "
              f"{totals[-1] if totals else 'no totals'}")
        if result.returncode != 0:
            failed.append(test["name"])
            sys.stdout.write(result.stdout + result.stderr)
    # An entry that leaves out nothing names a test that was renamed or
    # removed: it would hide nothing now, but it would hide a new test of that
    # name later.
    for name, pattern in sorted(set(EXCLUDED) - used):
        if name in listed:
            print(f"stale entry in EXCLUDED: {name} {pattern} matches no test row")
            failed.append(name)
    if failed:
        print("failed on Wayland: " + ", ".join(failed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
