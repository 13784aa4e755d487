#!/usr/bin/env python3
"""make demo: the real Brontavel.exe under Wine, on your display when DISPLAY is set (otherwise on a
virtual one), with the stand-in joystick and the stand-in player. It plays a short session of
gestures and prints, for each, the command it ran and the keys the player received."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sim"))
from desktop import CENTRE, ScenarioError, Session, read_ini  # noqa: E402

LOW, HIGH = 1000, 64000
KEY_NAMES = {0x5A: "Z", 0x42: "B", 0x58: "X", 0x43: "C", 0x26: "Up", 0x25: "Left", 0x0D: "Return", 0x46: "F"}

GESTURES = [  # (gesture number, what the hand does: stick positions and buttons held, one after another)
    (1, [(LOW, CENTRE, 0)]),
    (2, [(HIGH, CENTRE, 0)]),
    (3, [(CENTRE, LOW, 0)]),
    (9, [(CENTRE, CENTRE, 1)]),
    (10, [(CENTRE, CENTRE, 2)]),
    (5, [(CENTRE, CENTRE, 8), (LOW, CENTRE, 8), (CENTRE, CENTRE, 8)]),
    (12, [(CENTRE, CENTRE, 8)]),
    (13, [(CENTRE, CENTRE, 8), (CENTRE, CENTRE, 9), (CENTRE, CENTRE, 8)]),
]


def describe(keys):
    presses = []
    for window, event, vk, _ in keys:
        if event == "KEYDOWN":
            presses.append(f"{window}: {KEY_NAMES.get(vk, hex(vk))}")
    return ", ".join(presses) or "nothing"


def main():
    work = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "demo")
    build = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "windows-x86_64")
    with Session(build, work, use_own_display=True) as session:
        print(f"Wine desktop on display {session.display}; starting the stand-in player and Brontavel.exe ...")
        session.start_player()
        session.start_brontavel()
        # The program's own names for gestures and commands, so the transcript speaks as its dialog does.
        names = [line.split(" ", 2) for line in session.tool("names", check=True)[1].splitlines()]
        events = {int(number): name for kind, number, name in names if kind == "event"}
        commands = {int(number): name for kind, number, name in names if kind == "command"}
        settings = read_ini(os.path.join(session.run_dir, "Brontavel.ini"))
        print()
        print(f"{'gesture':<12} {'command':<24} keys the player received")
        print(f"{'-' * 12} {'-' * 24} {'-' * 36}")
        for number, hand in GESTURES:
            binding = int(settings[f"Options/C{number}"])
            since = len(session.keys())
            for state in hand + [(CENTRE, CENTRE, 0)]:
                session.move_stick(*state)
            time.sleep(0.2)
            print(f"{events[number]:<12} {commands.get(binding, '?'):<24} {describe(session.keys(since))}")
        since = len(session.keys())
        session.stick(LOW, CENTRE)
        time.sleep(1.0)
        session.screenshot("demo")
        session.stick(CENTRE, CENTRE)
        time.sleep(0.3)
        held = [t for (t, _, e, vk, _) in session.player_events() if e == "KEYDOWN" and vk == 0x5A]
        held = held[len(held) - sum(1 for k in session.keys(since) if k[1] == "KEYDOWN"):]
        gaps = ", ".join(f"{b - a:.0f}" for a, b in zip(held, held[1:]))
        print(f"{'Left, held':<12} {commands[5] + ' (repeats)':<24} playlist: Z x{len(held)}, gaps in ms: {gaps}")
        session.tool("close", "Brontavel", check=True)
        print()
        print(f"Brontavel closed cleanly. Screenshot: {os.path.relpath(session.artifacts)}/demo.png")


if __name__ == "__main__":
    try:
        main()
    except ScenarioError as error:
        print(f"demo failed: {error}")
        sys.exit(1)
