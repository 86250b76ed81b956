"""The Qt program as a blind student walks it with Orca: the altitude heard
whole at start, both results heard as soon as "Calcular" writes them, the
radius a choice from the list writes, a refused calculation's message box
heard whole with the focus back on the button after it, and the About
window's description heard as it opens.

    dbus-run-session -- python3 tests/screen_reader/qt_walk.py build/dev/app/Zenalto [LOGS]

LOGS, when given, is a folder that keeps Orca's and the program's logs.
"""

import sys

from screen_reader import Desktop, Step, Within, run_walk

# Each utterance as Orca 43 speaks it: the program's own texts with Orca's
# role words and closing period.
STEPS = [
    Step("start: Text1 whole", (), [
        "Altura del Satelite (Km) text.",
        "159.",
    ]),
    # Tab five times from Text1 reaches Calcular.
    Step("Calcular by Space: both results", ("Tab",) * 5 + ("space",), [
        "Calcular push button.",
        Within("Velocidad Orbital (m/s) 7812.50598. Velocidad Orbital (Km/h) 28125.02151"),
    ]),
    # Back to the list; Down chooses its first entry.
    Step("a choice from the list: the radius", ("shift+Tab", "Down"), [
        Within("Radio Terrestre (Km) 6378.137"),
    ]),
    # Text1 emptied, then Calcular: the message box, then the focus back.
    Step("empty altitude: the message box", (
        "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "ctrl+a", "BackSpace",
        "Tab", "Tab", "Tab", "Tab", "Tab", "space"), [
        Within("Error en la introducción de datos"),
        Within(" Introduzca un valor de altitud satelital"),
    ]),
    Step("the message box closed: the focus back on Calcular", ("Return",), [
        "Calcular push button.",
    ]),
    Step("About: its description as it opens", ("alt+h", "c"), [
        Within("Sobre Zenalto Ver. 1.0"),
        Within("Este programa fue desarrollado con fines educativos solamente. Sirve de apoyo "
        "didáctico para el cálculo de órbitas satelitales en el curso de Mecánica Orbital "
        "del Instituto Tecnológico de Puerto Ficticio, para el que fue escrito."),
    ]),
]


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    program = sys.argv[1]
    with Desktop(keep=sys.argv[2] if len(sys.argv) == 3 else None) as desktop:
        ok = run_walk(desktop, STEPS, start=lambda: desktop.start([program], log="program"))
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
