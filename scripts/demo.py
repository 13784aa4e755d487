#!/usr/bin/env python3
"""make demo: the real Brontavel.exe under Wine, on your display when DISPLAY is set (otherwise on a
virtual one), with the stand-in joystick and the stand-in players. First the edition for any player,
with no settings file, against a player that listens for the media keys; then a short session of
gestures with Winamp 3, printing for each the command it ran and what the player received; then a
short run of the classic edition with the classic player, and two media keys that any player hears. The D-pad
gives the directions as the stick does, and a pad that goes and comes back at another joystick number
is used again. On the way it photographs what a user sees, marked for the README: the icon in the notification area,
its menu, and Options with the three controls that change a binding."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sim"))
from desktop import CENTRE, DESKTOP_SIZE, ScenarioError, Session, read_ini  # noqa: E402

LOW, HIGH = 1000, 64000
KEY_NAMES = {0x5A: "Z", 0x42: "B", 0x58: "X", 0x43: "C", 0x26: "Up", 0x25: "Left", 0x0D: "Return", 0x46: "F",
             0xB3: "Play/Pause", 0xAF: "Volume Up", 0xB1: "Previous Track", 0xB0: "Next Track", 0xB2: "Stop"}
CLASSIC_IDS = {40044: "Previous track", 40045: "Play", 40058: "Volume up"}

# (gesture number, what the hand does: stick positions and buttons held, and where the D-pad points
# when it is pressed, one after another)
GESTURES = [
    (1, [(LOW, CENTRE, 0)]),
    (2, [(CENTRE, CENTRE, 0, 9000)]),
    (3, [(CENTRE, LOW, 0)]),
    (9, [(CENTRE, CENTRE, 1)]),
    (10, [(CENTRE, CENTRE, 2)]),
    (5, [(CENTRE, CENTRE, 8), (LOW, CENTRE, 8), (CENTRE, CENTRE, 8)]),
    (7, [(CENTRE, CENTRE, 8), (CENTRE, CENTRE, 8, 0), (CENTRE, CENTRE, 8)]),
    (12, [(CENTRE, CENTRE, 8)]),
    (13, [(CENTRE, CENTRE, 8), (CENTRE, CENTRE, 9), (CENTRE, CENTRE, 8)]),
]
# The edition for any player, out of the box: Left, Right, Button1, and on a pad of today the right
# shoulder (button 6) and Back (button 9); Up is held below.
ANY_PLAYER_GESTURES = [GESTURES[0], (2, [(HIGH, CENTRE, 0)]), GESTURES[3], (17, [(CENTRE, CENTRE, 0x20)]),
                       (20, [(CENTRE, CENTRE, 0x100)])]
# The classic edition: Left, Button1 and Up by the player's own command ids, then Fn+Up and Fn+Down
# bound to two media keys.
CLASSIC_GESTURES = [GESTURES[0], GESTURES[3], GESTURES[2],
                    (7, [(CENTRE, CENTRE, 8), (CENTRE, LOW, 8), (CENTRE, CENTRE, 8)]),
                    (8, [(CENTRE, CENTRE, 8), (CENTRE, HIGH, 8), (CENTRE, CENTRE, 8)])]


def describe(received):
    said = []
    for window, event, value, _ in received:
        if event == "KEYDOWN" and window != "media":  # a media key is told by its hot key below
            said.append(f"{window}: {KEY_NAMES.get(value, hex(value))}")
        elif event == "COMMAND":
            said.append(f"{window}: WM_COMMAND {value} ({CLASSIC_IDS.get(value, '?')})")
        elif event == "HOTKEY":
            said.append(f"media key {KEY_NAMES.get(value, hex(value))}")
    return ", ".join(said) or "nothing"


def play(session, gestures):
    """Makes each gesture and prints it, the command bound to it and what the players received."""
    names = [line.split(" ", 2) for line in session.tool("names", check=True)[1].splitlines()]
    events = {int(number): name for kind, number, name in names if kind == "event"}
    commands = {int(number): name for kind, number, name in names if kind == "command"}
    settings = read_ini(os.path.join(session.run_dir, "Brontavel.ini"))
    print()
    print(f"{'gesture':<18} {'command':<24} what the player received")
    print(f"{'-' * 18} {'-' * 24} {'-' * 40}")
    for number, hand in gestures:
        binding = int(settings[f"Options/C{number}"])
        since = len(session.keys())
        for state in hand + [(CENTRE, CENTRE, 0)]:
            session.move_stick(*state)
        time.sleep(0.2)
        gesture = events[number] + (" (D-pad)" if any(len(state) == 4 for state in hand) else "")
        print(f"{gesture:<18} {commands.get(binding, '?'):<24} {describe(session.keys(since))}")
    return commands


def hold(session, x, y, vk, label, commands, binding):
    """Holds the stick for a second and prints how often the key was pressed, and the gaps."""
    since = len(session.player_events())
    session.stick(x, y)
    time.sleep(1.0)
    session.screenshot("demo")
    session.stick(CENTRE, CENTRE)
    time.sleep(0.3)
    held = [t for (t, window, e, key, _) in session.player_events()[since:]
            if key == vk and (e == "HOTKEY" or e == "KEYDOWN" and window != "media")]
    gaps = ", ".join(f"{b - a:.0f}" for a, b in zip(held, held[1:]))
    print(f"{label:<18} {commands[binding] + ' (repeats)':<24} {KEY_NAMES[vk]} x{len(held)}, gaps in ms: {gaps}")


ACCENT = "#e8590c"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def marked(path, rings=(), badges=(), labels=(), crop=None):
    """Draws on a screenshot what a reader should find: rings (x, y, radius), numbered badges (x, y, number) and
    labels (x, y, text, ending at x), then keeps only crop (left, top, width, height)."""
    args = ["convert", path, "-fill", "none", "-stroke", ACCENT, "-strokewidth", "3"]
    for x, y, r in rings:
        args += ["-draw", f"circle {x},{y} {x + r},{y}"]
    for x, y, text in labels:
        args += ["-fill", ACCENT, "-stroke", "none", "-font", BOLD, "-pointsize", "15", "-gravity", "NorthEast",
                 "-annotate", f"+{DESKTOP_SIZE[0] - x}+{y}", text, "-gravity", "NorthWest"]
    for x, y, number in badges:
        args += ["-fill", ACCENT, "-stroke", "none", "-draw", f"circle {x},{y} {x + 10},{y}",
                 "-fill", "white", "-font", BOLD, "-pointsize", "14", "-annotate", f"+{x - 4}+{y + 5}", str(number)]
    if crop:
        left, top, width, height = crop
        args += ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    subprocess.run(args + [path], check=True)


def photograph_tray(session):
    """The icon in the notification area, ringed, and its menu open beside it."""
    width, height = DESKTOP_SIZE
    corner = (width - 300, height - 130, 300, 130)
    # A notification would hide both: the shell takes it away after 10 to 30 seconds.
    session.wait_for(lambda: not session.balloons(), 40, "the notification to go")
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    marked(session.screenshot("tray-icon"), rings=[(x, y - 1, 12)],
           labels=[(x - 4, y - 44, "Brontavel's icon"), (x - 4, y - 26, "right-click it for the menu")],
           crop=corner)
    session.xdotool("mousemove", str(x), str(y), "mousedown", "3")
    session.wait_for(session.menu_open, 10, "the menu to open")
    session.xdotool("mouseup", "3")
    time.sleep(0.3)  # lets the menu finish drawing
    marked(session.screenshot("tray-menu"), crop=corner)
    session.xdotool("key", "Escape")


def photograph_options(session):
    """Options opened from the icon, its event list, command list and Set marked 1, 2, 3: the way to change what
    a gesture does."""
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "1")
    if not session.wait_window("#32770", "Brontavel Options", 10000):
        raise ScenarioError("Options did not open from the tray icon")
    session.wait_ready("-", "Brontavel Options")
    rect = lambda control: [int(v) for v in session.tool("rect", "Brontavel Options", str(control), check=True)[1].split()]
    badges = [(right - 10, top - 12, n) for n, (_, top, right, _) in enumerate(map(rect, (1015, 1016, 1017)), start=1)]
    left, top, right, bottom = rect(0)
    session.xdotool("mousemove", "10", "10")  # the pointer out of the picture
    marked(session.screenshot("options"), badges=badges, crop=(left - 10, top - 10, right - left + 20, bottom - top + 20))
    session.tool("close", "#32770", "Brontavel Options", check=True)


def main():
    work = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "demo")
    build = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "build", "windows-x86_64")
    with Session(build, work, use_own_display=True) as session:
        print(f"Wine desktop on display {session.display}; the edition for any player (Brontavel-AnyPlayer.zip), "
              "with no settings file, and a player that listens for the media keys:")
        media = session.start_player("media")
        session.start_brontavel(edition="anyplayer")
        # Started by hand, it says which edition runs and where its icon is: photographed while the
        # notification is up.
        session.wait_for(lambda: session.tool("balloons")[1].strip(), 15, "the notification")
        path = session.screenshot("notification")
        width, height = DESKTOP_SIZE
        subprocess.run(["convert", path, "-crop", f"{width}x200+0+{height - 200}", "+repage", path], check=True)
        commands = play(session, ANY_PLAYER_GESTURES)
        hold(session, CENTRE, LOW, 0xAF, "Up, held", commands, 39)
        photograph_tray(session)
        photograph_options(session)
        session.tool("close", "Brontavel", check=True)
        session.wait_window("Brontavel", verb="gone")
        session.tool("close", "MediaKeyListener", check=True)
        media.wait(timeout=30)
        os.remove(os.path.join(session.run_dir, "Brontavel.ini"))

        print()
        print("The Winamp 3 edition with Winamp 3:")
        session.start_player()
        session.start_brontavel()
        commands = play(session, GESTURES)
        hold(session, LOW, CENTRE, 0x5A, "Left, held", commands, 5)
        # The pad sleeps and wakes up at another joystick number, as a Bluetooth pad may.
        seen = len(session.driver_reports())
        session.unplug()
        session.wait_for(lambda: any(r[1:3] == ["absent", "0"] for r in session.driver_reports()[seen:]), 5,
                         "the program to see that the pad went")
        went = time.time()
        session.plug(3)
        session.wait_for(lambda: any(r[1:3] == ["caps", "2"] for r in session.driver_reports()[seen:]), 10,
                         "the pad at joystick 3 to be taken")
        print(f"\nThe pad went away, and came back as joystick 3: used again {time.time() - went:.1f} s later.")
        play(session, GESTURES[:2])
        session.tool("close", "Brontavel", check=True)
        session.tool("close", "STUDIO", check=True)
        session.wait_window("Brontavel", verb="gone")

        print()
        print("The classic edition (Brontavel2x.zip) with the classic player, and a player that hears the media keys:")
        session.start_player("classic")
        session.start_player("media")
        with open(os.path.join(session.run_dir, "Brontavel.ini"), "w", newline="\r\n") as f:
            f.write("[Options]\nC7=35\nC8=39\n")  # Fn+Up: Any player: Play/Pause; Fn+Down: Windows volume up
        session.start_brontavel(edition="classic")
        play(session, CLASSIC_GESTURES)
        session.tool("close", "Brontavel", check=True)
        print()
        print(f"Brontavel closed cleanly. Pictures: {os.path.relpath(session.artifacts)}/"
              "{demo,notification,tray-icon,tray-menu,options}.png")


if __name__ == "__main__":
    try:
        main()
    except ScenarioError as error:
        print(f"demo failed: {error}")
        sys.exit(1)
