"""The end-to-end scenarios: each drives the real program as a person would and checks what the
player received, what the screen showed and what the settings file holds."""
import os
import statistics
import time

from harness import CENTRE, ScenarioError, windows_path

LOW, HIGH = 1000, 64000
VK = {"Z": 0x5A, "B": 0x42, "X": 0x58, "C": 0x43, "V": 0x56, "F": 0x46, "S": 0x53, "A": 0x41,
      "UP": 0x26, "DOWN": 0x28, "LEFT": 0x25, "RIGHT": 0x27, "HOME": 0x24, "RETURN": 0x0D, "CONTROL": 0x11}
DEFAULT_BINDINGS = [5, 4, 8, 9, 10, 11, 13, 14, 1, 2, 15, 12, 21, 19, 23]


def expect(condition, message):
    if not condition:
        raise ScenarioError(message)


def write_settings(session, text, folder=None):
    with open(os.path.join(folder or session.run_dir, "Brontavel.ini"), "w", newline="\r\n") as f:
        f.write(text)


def press(window, vk):
    return [(window, "KEYDOWN", vk, 0), (window, "KEYUP", vk, 0)]


def expect_keys(session, since, expected, what):
    try:
        session.wait_for(lambda: len(session.keys(since)) >= len(expected), timeout=5, what=what)
    except ScenarioError:
        pass
    time.sleep(0.2)  # a window in which anything more that arrives would be a fault too
    got = session.keys(since)
    expect(got == expected, f"{what}: the player received {got}, expected {expected}")
    print(f"ok  {what}: {' '.join('%s:%s:0x%02x' % (w, e[3:].lower(), vk) for (w, e, vk, _) in got)}")
    return since + len(got)


def direction(x, y):
    return lambda s: s.gesture(x, y)


def fn_direction(x, y):
    """Button 4 down, the stick out and back, button 4 up: a hand using Fn."""
    def act(s):
        for state in ((CENTRE, CENTRE, 8), (x, y, 8), (CENTRE, CENTRE, 8), (CENTRE, CENTRE, 0)):
            s.move_stick(*state)
    return act


def buttons(*sequence):
    """Each set of held buttons in turn, then none."""
    def act(s):
        for held in sequence:
            s.move_stick(CENTRE, CENTRE, held)
        s.move_stick(CENTRE, CENTRE, 0)
    return act


def gestures(session):
    """Every default binding reaches the right player window with the right key, lParam 0."""
    write_settings(session, "[Options]\nRepeatDelay=5000\n")  # no repeats while a gesture is held
    session.start_player()
    session.start_brontavel()
    table = [
        ("Left: Previous", direction(LOW, CENTRE), press("playlist", VK["Z"])),
        ("Right: Next", direction(HIGH, CENTRE), press("playlist", VK["B"])),
        ("Up: Volume Up", direction(CENTRE, LOW), press("main", VK["UP"])),
        ("Down: Volume Down", direction(CENTRE, HIGH), press("main", VK["DOWN"])),
        ("Fn+Left: Rewind", fn_direction(LOW, CENTRE), press("playlist", VK["LEFT"])),
        ("Fn+Right: Fast Forward", fn_direction(HIGH, CENTRE), press("playlist", VK["RIGHT"])),
        ("Fn+Up: Playlist cursor up", fn_direction(CENTRE, LOW), press("playlist", VK["UP"])),
        ("Fn+Down: Playlist cursor down", fn_direction(CENTRE, HIGH), press("playlist", VK["DOWN"])),
        ("Button1: Play", buttons(1), press("playlist", VK["X"])),
        ("Button2: Pause", buttons(2), press("playlist", VK["C"])),
        ("Button3: To top of Playlist", buttons(4), press("playlist", VK["HOME"])),
        ("Button4: Play currently hilited", buttons(8), press("playlist", VK["RETURN"])),
        ("Fn+Button1: Crossfade toggle", buttons(8, 9, 8), press("playlist", VK["F"])),
        ("Fn+Button2: Shuffle toggle", buttons(8, 10, 8), press("playlist", VK["S"])),
    ]
    since = 0
    for what, act, expected in table:
        act(session)
        since = expect_keys(session, since, expected, what)
    buttons(8, 12, 8)(session)  # Fn+Button3: Exit/Start Winamp
    session.wait_for(lambda: any(e[1:3] == ("main", "CLOSE") for e in session.player_events()), 5,
                     "the close request of Fn+Button3")
    print("ok  Fn+Button3: Exit/Start Winamp: the player's main window was asked to close")


def select_all(session):
    """The one command with a modifier: Ctrl down, A down, A up, Ctrl up, in this order."""
    write_settings(session, "[Options]\nC9=22\n")
    session.start_player()
    session.start_brontavel()
    buttons(1)(session)
    expect_keys(session, 0, [("playlist", "KEYDOWN", VK["CONTROL"], 0), ("playlist", "KEYDOWN", VK["A"], 0),
                             ("playlist", "KEYUP", VK["A"], 0), ("playlist", "KEYUP", VK["CONTROL"], 0)],
                "Select All in Playlist")


def hold(session, x, y, vk, presses):
    """Holds the stick until the player has had `presses` presses of vk, then lets go and watches a
    while longer. Returns the times of the presses before the centre report, and how many came after
    it (one may have been on its way when the report was posted)."""
    since = len(session.player_events())
    session.move_stick(x, y)
    times = lambda: [e[0] for e in session.player_events()[since:] if e[2] == "KEYDOWN" and e[3] == vk]
    session.wait_for(lambda: len(times()) >= presses, 10, f"{presses} presses of {vk:#x}")
    session.move_stick(CENTRE, CENTRE)
    centred = float([r for r in session.driver_reports() if r[1] == "move"][-1][0])
    time.sleep(0.6)  # a window in which a repeat that did not stop would press again, several times
    return [t for t in times() if t <= centred], len([t for t in times() if t > centred])


def repeat(session):
    """A held direction repeats after about 300 ms, then about every 100 ms, and stops at the centre."""
    session.start_player()
    session.start_brontavel()
    held, after = hold(session, LOW, CENTRE, VK["Z"], 6)
    intervals = [round(b - a, 1) for a, b in zip(held, held[1:])]
    report = f"presses {len(held)}; intervals (ms) {intervals}"
    with open(os.path.join(session.artifacts, "repeat-intervals.txt"), "w") as f:
        f.write(report + "\n")
    print("    " + report)
    expect(150 <= intervals[0] <= 800, "the first repeat comes after the repeat delay: " + report)
    expect(50 <= statistics.median(intervals[1:]) <= 300, "later repeats come at the repeat rate: " + report)
    expect(after <= 1, f"the repeat must stop at the centre, {after} presses came after it")
    print("ok  repeat delay, repeat rate, stop at the centre")


def player_restart(session):
    """A player closed and started again is found by the next command; no player is no crash."""
    session.start_player()
    session.start_brontavel()
    direction(LOW, CENTRE)(session)
    since = expect_keys(session, 0, press("playlist", VK["Z"]), "first player")
    session.tool("close", "STUDIO", check=True)
    expect(session.wait_gone("STUDIO", "Winamp3"), "the player did not close")
    session.start_player()
    direction(HIGH, CENTRE)(session)
    since = expect_keys(session, since, press("playlist", VK["B"]), "restarted player")
    session.tool("close", "STUDIO", check=True)
    expect(session.wait_gone("STUDIO", "Winamp3"), "the player did not close")
    for act in (direction(LOW, CENTRE), buttons(1), direction(CENTRE, LOW)):
        act(session)
    session.wait_ready("Brontavel", timeout_ms=5000)
    expect(session.keys(since) == [], "keys went somewhere with no player running")
    print("ok  no player: nothing delivered, the program still answers")


def exit_start(session):
    """Exit/Start Winamp closes the running player, and the next use starts it through Winamp.Lnk."""
    code, out = session.tool("shortcut", windows_path(os.path.join(session.run_dir, "Winamp.Lnk")),
                             windows_path(session.fixture("standin_player.exe")))
    expect(code == 0, "could not make Winamp.Lnk: " + out)
    write_settings(session, "[Options]\nC9=23\n")
    session.start_player()
    session.start_brontavel()
    buttons(1)(session)
    session.wait_for(lambda: any(e[1:3] == ("player", "EXIT") for e in session.player_events()), 10,
                     "the player to exit")
    print("ok  first use: the player closed")
    buttons(1)(session)
    session.wait_for(lambda: sum(e[1:3] == ("player", "START") for e in session.player_events()) == 2, 20,
                     "the player to start through Winamp.Lnk")
    session.wait_ready("STUDIO", "Winamp3")
    print("ok  second use: the player started through Winamp.Lnk")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "the new player's playlist")


MISSING_CLASS = "One or more of the Winamp windows could not be found.  Expect errors, otherwise, run Setup.exe."


def settings(session):
    """The settings file in the working directory as start-up leaves it, and the bindings in use."""
    defaults = {f"C{n}": str(c) for n, c in enumerate(DEFAULT_BINDINGS, start=1)}
    table = [  # (case, file before, keys after, the key Left presses, the "Error" box shown)
        ("no file", None, {**defaults, "RepeatRate": "<absent>", "RepeatDelay": "<absent>"}, "Z", False),
        ("hand-edited", "[Options]\nC1=03\nC5=99\nC6=-4\n", {**defaults, "C1": "3", "C5": "99", "C6": "-4"},
         "V", False),
        ("an empty class name", "[Options]\nMBClass=\nC1=7\n", {"C1": "7", "C2": "<absent>"}, "Z", True),
    ]
    session.start_player()
    for case, before, after, key, error_box in table:
        folder = os.path.join(session.run_dir, case)
        os.makedirs(folder)
        if before is not None:
            write_settings(session, before, folder)
        program = session.start_brontavel(folder=folder, ready=not error_box)
        if error_box:
            expect(session.wait_window("#32770", "Error"), f"{case}: no Error box")
            texts = session.window_texts("#32770", "Error")
            expect(f"Static: {MISSING_CLASS}" in texts, f"{case}: wrong Error box: {texts}")
            session.tool("close", "#32770", check=True)
            session.wait_ready("Brontavel")
        path = windows_path(os.path.join(folder, "Brontavel.ini"))
        for name, value in after.items():
            found = session.tool("ini-get", "Options", name, path, check=True)[1].strip()
            expect(found == value, f"{case}: {name} is {found}, expected {value}")
        since = len(session.keys())
        direction(LOW, CENTRE)(session)
        expect_keys(session, since, press("playlist", VK[key]), f"{case}: Left")
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, f"{case}: exit code")
        print(f"ok  {case}: the file holds what it should")


def startup(session):
    """A second copy, an old player, no joystick, and WM_CLOSE from another program."""
    first = session.start_brontavel()
    second = session.start_brontavel(folder=os.path.join(session.run_dir, "second"), ready=False)
    expect(second.wait(timeout=60) == 0, "the second copy must end with exit code 0")
    expect(session.window_texts("-", "Winamp 2.x Detected") is None, "the second copy showed something")
    print("ok  a second copy ends silently")
    session.tool("close", "Brontavel", check=True)
    expect(first.wait(timeout=30) == 0, "WM_CLOSE from another program must end it with exit code 0")
    print("ok  WM_CLOSE from another program: exit code 0")

    old = session.start_program(session.fixture("e2e_tool.exe"), ["window", "Winamp v1.x", "Winamp 2.91"])
    expect(session.wait_window("Winamp v1.x"), "the old player's window did not appear")
    seen = len(session.driver_reports())
    warned = session.start_brontavel(folder=os.path.join(session.run_dir, "warned"), ready=False)
    expect(session.wait_window("#32770", "Winamp 2.x Detected"), "no warning about the old player")
    texts = session.window_texts("#32770", "Winamp 2.x Detected")
    expect(any("works only for Winamp3" in line for line in texts), f"wrong warning text: {texts}")
    session.screenshot("old-player-warning")
    session.tool("close", "#32770", check=True)
    session.wait_started(seen)
    print("ok  an old player is warned about, then start-up goes on")
    session.tool("close", "Brontavel", check=True)
    expect(warned.wait(timeout=30) == 0, "exit code")
    session.tool("close", "Winamp v1.x")
    old.wait(timeout=30)

    unplugged = session.start_brontavel(folder=os.path.join(session.run_dir, "unplugged"), real_driver=True,
                                        ready=False)
    expect(session.wait_window("#32770", "Joystick Error"), "no Joystick Error box")
    texts = session.window_texts("#32770", "Joystick Error")
    expect(any("Can't get the Joystick." in line for line in texts), f"wrong joystick error text: {texts}")
    expect(session.tray_icon_position() is None, "the tray icon was left behind")
    session.screenshot("joystick-error")
    session.tool("close", "#32770", check=True)
    expect(unplugged.wait(timeout=30) == 0, "no joystick must end with exit code 0")
    print("ok  no joystick: the Joystick Error box, no tray icon, exit code 0")


def tray(session):
    """The tray as a person uses it: the menu, About, Options with a new binding, Exit."""
    session.start_player()
    program = session.start_brontavel()
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    settings_file = windows_path(os.path.join(session.run_dir, "Brontavel.ini"))

    def open_menu():
        session.xdotool("mousemove", str(x), str(y), "mousedown", "3")
        session.wait_for(session.menu_open, 10, "the right-button press to open the menu")
        session.xdotool("mouseup", "3")
        time.sleep(0.2)  # a window in which the menu would close on the release
        expect(session.menu_open(), "the menu must stay open when the button comes up")

    open_menu()
    session.screenshot("tray-menu")
    session.choose_menu_item(0, 3)
    about = "About Brontavel for Winamp"
    expect(session.wait_window("#32770", about, 10000), "About did not open")
    texts = session.window_texts("#32770", about)
    expect("Static: Brontavel for Winamp" in texts and "Static: v 3.1b" in texts, f"About box: {texts}")
    session.screenshot("about")
    session.activate(about)
    session.xdotool("key", "Escape")
    expect(session.wait_gone("#32770", about), "Escape must close the About box")
    print("ok  the menu opens on the right-button press; About shows and closes with Escape")

    open_menu()
    session.choose_menu_item(1, 3)
    options = "Brontavel Options"
    expect(session.wait_window("#32770", options, 10000), "Options did not open")
    session.activate(options)
    session.screenshot("options")
    session.xdotool("key", "Escape", "key", "Return")
    time.sleep(0.5)  # a window in which either key would close it
    expect(session.window_texts("#32770", options) is not None, "Enter or Escape closed Options")

    session.click_control(options, 1015)
    session.xdotool("key", "B", "key", "Return")  # "Button1"
    session.click_control(options, 1016)
    session.xdotool("key", "S", "key", "Return")  # "Stop": the first command after "Play" starting with S
    session.screenshot("options-before-set")
    session.click_control(options, 1017)
    buttons(1)(session)
    expect_keys(session, 0, press("playlist", VK["V"]), "Button1 after Set: Stop")
    value = session.tool("ini-get", "Options", "C9", settings_file)[1].strip()
    expect(value == "3", f"C9 in the file is {value}, expected 3")
    print("ok  a binding changed with Set is used by the very next gesture and written to the file")
    session.activate(options)
    session.xdotool("key", "alt+F4")
    expect(session.wait_gone("#32770", options), "Alt+F4 must close Options")
    rate = session.tool("ini-get", "Options", "RepeatRate", settings_file)[1].strip()
    expect(rate == "100", f"closing must save the repeat rate, found {rate}")
    print("ok  Enter and Escape leave Options open; closing it saves the repeat fields")

    open_menu()
    session.choose_menu_item(2, 3)
    expect(program.wait(timeout=30) == 0, "Exit must end the program with exit code 0")
    session.wait_for(lambda: session.tray_icon_position() is None, 10, "Exit to remove the tray icon")
    print("ok  Exit removes the icon and ends the program with exit code 0")


SCENARIOS = {f.__name__: f for f in (gestures, select_all, repeat, player_restart, exit_start, settings, startup,
                                     tray)}
