"""Fault scenarios: a hung or killed player, damaged settings files, a very long working directory,
a restarted shell, and two Options dialogs at once. In each, the program must go on working, lose
nothing that was readable, and run nothing outside its command catalogue."""
import os
import random
import stat
import time

from harness import CENTRE, windows_path
from scenarios import LOW, HIGH, VK, buttons, direction, expect, expect_keys, hold, press


def hung_player(session):
    """A player that stops answering costs a bounded wait, never the remote itself."""
    session.start_player()
    program = session.start_brontavel()
    direction(LOW, CENTRE)(session)
    expect_keys(session, 0, press("playlist", VK["Z"]), "before the hang")
    open(session.hang_file, "w").close()
    session.wait_for(lambda: any(e[2] == "HANG" for e in session.player_events()), 5, "the player to hang")
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")

    def title():
        texts = session.window_texts("Brontavel") or ["title: "]
        return texts[0][len("title: "):]

    def press_button(held, value):
        posted = len(session.driver_reports())
        session.stick(CENTRE, CENTRE, held)
        session.wait_for(lambda: any(r[1] == "down" and int(r[2], 16) == value
                                     for r in session.driver_reports()[posted:]), 5, f"the driver to post {value:#x}")
        session.stick(CENTRE, CENTRE, 0)

    # Play goes to the hung player; Pause comes next, and its status shows only once the program has
    # given up on Play's key messages.
    press_button(1, 0x101)
    started = time.time()
    press_button(2, 0x202)
    session.wait_for(lambda: title() == "Button 2 pressed", 15, "the program to get past the hung player")
    waited = time.time() - started
    print(f"    the next gesture was handled {waited:.1f} s after a key went to the hung player")
    expect(waited < 10, "the key messages to a hung player must time out")
    session.xdotool("mousemove", str(x), str(y), "mousedown", "3", "mouseup", "3")
    session.wait_for(session.menu_open, 15, "the tray menu to open while the player hangs")
    session.xdotool("mousemove", "500", "300", "click", "1")  # dismiss the menu
    print("ok  the remote stays usable while the player hangs")
    os.remove(session.hang_file)
    session.wait_for(lambda: any(e[2] == "RESUME" for e in session.player_events()), 10, "the player to resume")
    session.wait_ready("STUDIO", "Winamp3")
    before = len([k for k in session.keys() if k[2] == VK["B"]])
    direction(HIGH, CENTRE)(session)
    session.wait_for(lambda: len([k for k in session.keys() if k[2] == VK["B"]]) == before + 2, 10,
                     "Next to reach the player once it answers again")
    print("ok  delivery works again once the player answers")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")


def player_killed(session):
    """The player killed while a direction repeats: no crash, and its next start is found."""
    player = session.start_player()
    session.start_brontavel()
    session.move_stick(LOW, CENTRE)
    session.wait_for(lambda: sum(1 for k in session.keys() if k[1] == "KEYDOWN") >= 3, 10, "the repeat to run")
    player.kill()
    player.wait(timeout=30)
    time.sleep(1.0)  # the stick stays held: the repeat goes on against no player, each tick looking for it
    session.wait_ready("Brontavel", timeout_ms=5000)
    session.move_stick(CENTRE, CENTRE)
    print("ok  the player killed mid-repeat: the program goes on")
    since = len(session.keys())
    session.start_player()
    direction(HIGH, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["B"]), "the next start of the player")


def damaged_settings(session):
    """Damaged, hostile or unwritable settings files: the program starts, uses what it can read, keeps
    what it cannot, and runs nothing outside the catalogue."""
    session.start_player()

    def start_in(name, content, mode=None):
        folder = os.path.join(session.run_dir, name)
        os.makedirs(folder)
        path = os.path.join(folder, "Brontavel.ini")
        with open(path, "wb") as f:
            f.write(content)
        if mode is not None:
            os.chmod(path, mode)
        return session.start_brontavel(folder=folder), path

    def finish(program, what):
        session.wait_ready("Brontavel", timeout_ms=5000)
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, f"{what}: exit code")

    folder = os.path.join(session.run_dir, "read-only folder")
    os.makedirs(folder)
    os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR)
    program = session.start_brontavel(folder=os.path.join(session.run_dir, "program"), cwd=folder)
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "read-only folder: the defaults are used")
    expect(os.listdir(folder) == [], "nothing can be written in a read-only folder")
    finish(program, "read-only folder")

    program, path = start_in("read-only", b"[Options]\r\nC1=3\r\n", stat.S_IRUSR | stat.S_IRGRP)
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["V"]), "read-only file: its binding is used")
    with open(path, "rb") as f:
        expect(f.read() == b"[Options]\r\nC1=3\r\n", "a read-only file must not change")
    finish(program, "read-only file")

    noise = bytes(random.Random(7).randrange(256) for _ in range(4000)).replace(b"[", b"(")
    program, path = start_in("garbage", noise + b"\r\n[Shortcuts]\r\nS1=C:\\Music\\all.m3u\r\n")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "binary garbage: the defaults are used")
    value = session.tool("ini-get", "Shortcuts", "S1", windows_path(path), check=True)[1].strip()
    expect(value == "C:\\Music\\all.m3u", f"binary garbage: the readable shortcut was lost ({value})")
    finish(program, "binary garbage")

    long_line = b"[Options]\r\nC1=2\r\n" + b"x" * (1 << 20) + b"=1\r\nC2=3\r\n"
    program, path = start_in("long-line", long_line)
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    direction(HIGH, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["C"]) + press("playlist", VK["V"]),
                "a megabyte-long line: the keys around it are read")
    expect(os.path.getsize(path) > (1 << 20), "a megabyte-long line: the file lost it")
    finish(program, "long line")

    program, path = start_in("duplicates", b"[Options]\r\nC1=3\r\n[Options]\r\nC1=4\r\nC2=1\r\n")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    direction(HIGH, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["V"]) + press("playlist", VK["B"]),
                "duplicated sections: the first one counts")
    with open(path, "rb") as f:
        expect(b"C2=1" in f.read(), "duplicated sections: the second one's lines were lost")
    finish(program, "duplicated sections")

    starts = sum(1 for e in session.player_events() if e[2] == "START")
    program, path = start_in("out-of-range", b"[Options]\r\nC1=99\r\nC2=-5\r\nC3=2147483648\r\nC9=35\r\n"
                                             b"C10=4294967319\r\nRepeatRate=-1\r\nRepeatDelay=abc\r\n")
    since = len(session.keys())
    for act in (direction(LOW, CENTRE), direction(HIGH, CENTRE), direction(CENTRE, LOW), buttons(1)):
        act(session)
    buttons(4)(session)  # To top of Playlist: the program is alive and well
    expect_keys(session, since, press("playlist", VK["HOME"]), "values out of range run nothing")
    time.sleep(0.5)  # a window in which a wrongly started player would show up
    expect(sum(1 for e in session.player_events() if e[2] == "START") == starts, "nothing may be started")
    finish(program, "values out of range")
    print("ok  read-only folder and file, garbage, a megabyte line, duplicated sections, values out of range")


damaged_settings.honour_permissions = True


def long_directory(session):
    """A working directory longer than 241 characters: the settings land in the right file."""
    folder = session.run_dir
    while len(windows_path(folder)) < 250:
        folder = os.path.join(folder, "d" * min(20, 250 - len(windows_path(folder))))
    print(f"    working directory of {len(windows_path(folder))} characters")
    session.start_player()
    program = session.start_brontavel(folder=folder)
    settings_file = os.path.join(folder, "Brontavel.ini")
    expect(os.path.exists(settings_file), "the settings file is not in the working directory")
    with open(settings_file, "rb") as f:
        expect(b"C15=23" in f.read(), "the bindings were not written")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    print("ok  the settings land in the working directory")


def shell_restart(session):
    """When the shell starts again and asks every program for its icon, the icon comes back."""
    session.start_brontavel()
    session.wait_for(session.tray_icon_position, 10, "the tray icon")
    session.tool("tray-delete", "Brontavel", "888", check=True)
    session.wait_for(lambda: session.tray_icon_position() is None, 10, "the icon to go")
    session.tool("broadcast", "TaskbarCreated", check=True)
    session.wait_for(session.tray_icon_position, 10, "the icon to come back")
    print("ok  TaskbarCreated brings the icon back")


def two_options_dialogs(session):
    """Two Options dialogs open at once, each closed in turn: the one closed last decides."""
    session.start_player()
    session.start_brontavel()
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    session.xdotool("mousemove", str(x), str(y), "mousedown", "3", "mouseup", "3")
    session.wait_for(session.menu_open, 10, "the tray menu")
    session.choose_menu_item(1, 3)
    expect(session.wait_window("#32770", "Brontavel Options", 10000), "the first Options did not open")
    session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "1")
    count = lambda: session.tool("count", "#32770", "Brontavel Options")[1].strip()
    session.wait_for(lambda: count() == "2", 10, "a second Options dialog")
    for typed, left in (("50", "1"), ("70", "0")):
        session.click_control("Brontavel Options", 1013)
        session.xdotool("key", "End", "key", "shift+Home", "type", typed)
        session.activate("Brontavel Options")
        session.xdotool("key", "alt+F4")
        session.wait_for(lambda: count() == left, 10, f"the dialog with {typed} to close")
    rate = session.tool("ini-get", "Options", "RepeatRate",
                        windows_path(os.path.join(session.run_dir, "Brontavel.ini")))[1].strip()
    expect(rate == "70", f"the dialog closed last must decide the file, found {rate}")
    times, _ = hold(session, LOW, CENTRE, VK["Z"], 10)
    gaps = [b - a for a, b in zip(times, times[1:])][1:]
    expect(gaps and 60 <= sorted(gaps)[len(gaps) // 2] <= 90, f"the repeat rate in use must be 70 ms: {gaps}")
    print("ok  of two open dialogs the one closed last decides, in the file and in memory")


FAULTS = {f.__name__: f for f in (hung_player, player_killed, damaged_settings, long_directory, shell_restart,
                                  two_options_dialogs)}
