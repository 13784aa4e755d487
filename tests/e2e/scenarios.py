#!/usr/bin/env python3
"""The end-to-end scenarios: each drives the real program as a person would and checks what the
player received, what the screen showed and what the settings file holds, faults included: a hung
or killed player, damaged settings files, a restarted shell."""
import os
import random
import shutil
import signal
import stat
import statistics
import sys
import time
import traceback
from xml.etree import ElementTree

from harness import TestSession  # first: it finds the simulated desktop
from desktop import (CENTRE, HAT_CENTRED, PLAYSTATION_PAD, XBOX_360_PAD, XBOX_PAD, ScenarioError, read_ini,  # noqa: E402
                     windows_path)

LOW, HIGH = 1000, 64000
VK = {"Z": 0x5A, "B": 0x42, "X": 0x58, "C": 0x43, "V": 0x56, "F": 0x46, "S": 0x53, "A": 0x41,
      "UP": 0x26, "DOWN": 0x28, "LEFT": 0x25, "RIGHT": 0x27, "HOME": 0x24, "RETURN": 0x0D, "CONTROL": 0x11}
# In a settings case's keys after: the file holds all fifteen bindings, those not named as a first
# start writes them.
EVERY_BINDING = "every binding"


def expect(condition, message):
    if not condition:
        raise ScenarioError(message)


def write_settings(session, text, folder=None):
    with open(os.path.join(folder or session.run_dir, "Brontavel.ini"), "w", newline="\r\n") as f:
        f.write(text)


def expect_box(session, caption, text, screenshot=None):
    """Waits for a message box, checks its text, optionally photographs it, and dismisses it."""
    expect(session.wait_window("#32770", caption), f"no '{caption}' box")
    # A message box takes its caption before its text: found by the caption, it may not say anything yet.
    says = lambda: any(line.startswith(f"Static: {text}") for line in session.window_texts("#32770", caption) or [])
    try:
        session.wait_for(says, 10, "")
    except ScenarioError:
        raise ScenarioError(f"the '{caption}' box says {session.window_texts('#32770', caption)}")
    if screenshot:
        session.screenshot(screenshot)
    # By its caption: a box with no owner may lie below a dialog that stays on top, such as Options.
    session.tool("close", "#32770", caption, check=True)


def press(window, vk):
    return [(window, "KEYDOWN", vk, 0), (window, "KEYUP", vk, 0)]


def expect_keys(session, since, expected, what, only=None):
    """What the players received from the since-th on must be expected; with only, what that window
    received."""
    received = lambda: [k for k in session.keys(since) if only in (None, k[0])]
    try:
        session.wait_for(lambda: len(received()) >= len(expected), timeout=5, what=what)
    except ScenarioError:
        pass
    time.sleep(0.2)  # a window in which anything more that arrives would be a fault too
    got = received()
    if only == "media":  # the hook and the hot key are told of a key in either order
        got, expected = sorted(got), sorted(expected)
    expect(got == expected, f"{what}: the player received {got}, expected {expected}")
    shown = [f"{w}:command:{vk}" if e == "COMMAND" else f"{w}:{e.lower().replace('key', '')}:{vk:#04x}" for (w, e, vk, _) in got]
    print(f"ok  {what}: {' '.join(shown) or 'nothing'}")
    return len(session.keys())


def direction(x, y):
    """The stick out and back."""
    def act(s):
        s.move_stick(x, y)
        s.move_stick(CENTRE, CENTRE)
    return act


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


def command(player_id):
    return [("main", "COMMAND", player_id, 0)]


def media_key(vk):
    """A media key as a keyboard types it: its press and its release, both with the extended-key flag (1), as a
    low-level keyboard hook sees them, and the hot key that a player hears."""
    return [("media", "HOTKEY", vk, 0), ("media", "KEYDOWN", vk, 1), ("media", "KEYUP", vk, 1)]


def dpad(hat, fn=False):
    """The D-pad pressed and let go; with fn, inside a press of button 4."""
    def act(s):
        for held, at in ((8, HAT_CENTRED), (8, hat), (8, HAT_CENTRED), (0, HAT_CENTRED)) if fn else ((0, hat), (0, HAT_CENTRED)):
            s.move_stick(CENTRE, CENTRE, held, at)
    return act


# The fifteen gestures in their order, as a hand makes each.
HANDS = [direction(LOW, CENTRE), direction(HIGH, CENTRE), direction(CENTRE, LOW), direction(CENTRE, HIGH),
         fn_direction(LOW, CENTRE), fn_direction(HIGH, CENTRE), fn_direction(CENTRE, LOW), fn_direction(CENTRE, HIGH),
         buttons(1), buttons(2), buttons(4), buttons(8), buttons(8, 9, 8), buttons(8, 10, 8), buttons(8, 12, 8)]
SELECT_ALL = [("playlist", "KEYDOWN", VK["CONTROL"], 0)] + press("playlist", VK["A"]) + [("playlist", "KEYUP", VK["CONTROL"], 0)]
# Each edition with the built-in bindings (Fn+Button3 bound to "Select All in Playlist", the one command
# with a modifier): Winamp 3 by its keys, the classic player by its documented command ids.
DEFAULTS_RECEIVED = {
    "Winamp 3": [press("playlist", VK["Z"]), press("playlist", VK["B"]), press("main", VK["UP"]),
                 press("main", VK["DOWN"]), press("playlist", VK["LEFT"]), press("playlist", VK["RIGHT"]),
                 press("playlist", VK["UP"]), press("playlist", VK["DOWN"]), press("playlist", VK["X"]),
                 press("playlist", VK["C"]), press("playlist", VK["HOME"]), press("playlist", VK["RETURN"]),
                 press("playlist", VK["F"]), press("playlist", VK["S"]), SELECT_ALL],
    "classic": [command(40044), command(40048), command(40058), command(40059), command(40061), command(40060),
                press("playlist", VK["UP"]), press("playlist", VK["DOWN"]), command(40045), command(40046),
                press("playlist", VK["HOME"]), press("playlist", VK["RETURN"]), [], command(40023), SELECT_ALL],
}
# The media keys, bound to Left, Right, Up, Down, Button1, Button2 and Button3: any player hears them.
# Button4 starts and closes the player.
MEDIA_BINDINGS = "C1=39\nC2=35\nC3=36\nC4=37\nC9=38\nC10=40\nC11=41\nC12=23\n"
MEDIA_RECEIVED = [(n, media_key(vk)) for n, vk in zip((1, 2, 3, 4, 9, 10, 11), (0xAF, 0xB3, 0xB0, 0xB1, 0xB2, 0xAE, 0xAD))]
# The edition for any player out of the box: previous, next, Windows' volume up and down, the same with
# Fn, play/pause (Button1 and Button2), mute, nothing for Button4 alone (it is Fn), the same with Fn.
ANY_PLAYER_RECEIVED = [(n, media_key(vk) if vk else []) for n, vk in enumerate(
    (0xB1, 0xB0, 0xAF, 0xAE, 0xB1, 0xB0, 0xAF, 0xAE, 0xB3, 0xB3, 0xAD, None, 0xB3, 0xB3, 0xAD), start=1)]
# The D-pad's four directions, alone and with Fn, then a diagonal, which no zone takes: what the stick's
# gestures 1..8 send, then nothing.
DPAD = (27000, 9000, 0, 18000)
DPAD_HANDS = [dpad(hat) for hat in DPAD] + [dpad(hat, fn=True) for hat in DPAD] + [dpad(13500)]
DPAD_RECEIVED = list(enumerate(DEFAULTS_RECEIVED["Winamp 3"][:8] + [[]], start=1))


def gestures(session):
    """Every gesture reaches the player in the way its edition drives it: Winamp 3's windows by their
    keys, the classic player by its documented command ids (with no "Winamp 2.x Detected" box, and
    started and closed by "Exit/Start Winamp"). In both, the media keys reach any player that listens
    for them, and a held one repeats. Windows' own joystick driver is used, never one planted beside
    the program."""
    session.start_player("media")
    # A winmm.dll left beside the program, as in a Downloads folder: Windows' own driver must be used.
    shutil.copy(os.path.join(session.build_dir, "tests", "e2e", "winmm.dll"), session.run_dir)
    mark = os.path.join(session.run_dir, "planted.mark")
    session.tool("shortcut", windows_path(os.path.join(session.run_dir, "Winamp.Lnk")),
                 windows_path(session.program("standin_player.exe")), "classic", check=True)
    since = 0
    for edition, form in (("Winamp 3", ""), ("classic", "classic")):
        player = session.start_player(form)
        # No repeat while a gesture is held, whatever the machine's load; Left is held on purpose later.
        # Each round: the settings, what each gesture sends, the hands that make them, the pad's joystick
        # number, and a Left held to repeat (the key it repeats, its command, the D-pad's direction).
        rounds = [("RepeatDelay=5000\nC15=22\n", list(enumerate(DEFAULTS_RECEIVED[edition], start=1)), HANDS, 1, None),
                  ("RepeatDelay=1500\n" + MEDIA_BINDINGS, MEDIA_RECEIVED, HANDS, 1, (0xAF, "Windows volume up", HAT_CENTRED))]
        if edition == "Winamp 3":  # the D-pad, of the only pad there, which Windows put at joystick 7
            rounds.append(("RepeatDelay=1500\n", DPAD_RECEIVED, DPAD_HANDS, 7, (VK["Z"], "Previous", 27000)))
        for bindings, received, hands, number, held_left in rounds:
            write_settings(session, "[Options]\n" + bindings)
            session.plug(number)
            program = session.start_brontavel(env={"BRONTAVEL_PLANTED_MARK": windows_path(mark)},
                                              edition=form)
            expect(session.tool("count", "#32770", "-")[1].strip() == "0", f"{edition}: a box at start-up")
            # A media key is typed as a keyboard types it: the listener's hot key takes the press, and the
            # release goes to whichever window has the focus, as it would from the keyboard itself.
            only = "media" if received is MEDIA_RECEIVED else None
            for n, expected in received:
                hands[n - 1](session)
                since = expect_keys(session, since, expected, f"{edition}: gesture {n}{' on the D-pad' if hands is DPAD_HANDS else ''}", only)
            if held_left:
                vk, what, hat = held_left
                held, after = hold(session, LOW, CENTRE, vk, 3, hat)
                expect(len(held) >= 3 and after <= 1, f"{edition}: a held Left bound to {what} must repeat, then stop")
                expect(held[1] - held[0] > 1200, f"{edition}: the first repeat must wait the delay: {held[1] - held[0]:.0f} ms")
                print(f"ok  {edition}: a held Left {'on the D-pad ' if hands is DPAD_HANDS else ''}bound to {what} "
                      f"repeated {len(held)} times, the first after {held[1] - held[0]:.0f} ms")
            if received is MEDIA_RECEIVED and edition == "classic":
                # Button4, Exit/Start Winamp: closes the classic player, starts it through Winamp.Lnk, closes it.
                events = lambda kind: len([e for e in session.player_events() if e[1:3] == ("player", kind)])
                before = {kind: events(kind) for kind in ("START", "EXIT")}
                for step, (kind, more) in enumerate((("EXIT", 1), ("START", 1), ("EXIT", 2))):
                    buttons(8)(session)
                    session.wait_for(lambda: events(kind) >= before[kind] + more, 20, f"Exit/Start Winamp, step {step + 1}")
                    if kind == "START":
                        session.wait_ready("Winamp v1.x")
                expect([w for w, e, _, _ in session.keys(since) if e == "CLOSE"] == ["main", "main"],
                       "the close request must go to the classic player's main window")
                print("ok  classic: Exit/Start Winamp closed the player, started it through Winamp.Lnk, closed it")
            since = len(session.keys())
            session.tool("close", "Brontavel", check=True)
            expect(program.wait(timeout=30) == 0, f"{edition}: exit code")
        if edition == "Winamp 3":
            session.tool("close", "STUDIO", check=True)
            player.wait(timeout=30)
            since = len(session.keys())
    # The edition for any player, with no settings file: every gesture presses its media key at once,
    # with no box and no beep (there is no Winamp to miss), whether a classic player's window is open
    # or not, and the file then names them.
    ini = os.path.join(session.run_dir, "Brontavel.ini")
    session.plug(1)
    beeps = session.beeps()
    # Then with a classic player's window open, and Button4 bound to Winamp 3's Play, which is not running.
    rounds = ((False, ANY_PLAYER_RECEIVED, None), (True, [ANY_PLAYER_RECEIVED[n - 1] for n in (1, 2, 9)] + [(12, [])], "C12=1"))
    for classic_open, gestures_made, bindings in rounds:
        classic = session.start_player("classic") if classic_open else None
        os.remove(ini)
        if bindings:
            write_settings(session, "[Options]\n" + bindings + "\n")
        program = session.start_brontavel(env={"BRONTAVEL_PLANTED_MARK": windows_path(mark)}, edition="anyplayer")
        where = f"for any player{', a classic player open' if classic_open else ''}"
        expect(session.tool("count", "#32770", "-")[1].strip() == "0", f"{where}: a box at start-up")
        for n, expected in gestures_made:
            HANDS[n - 1](session)
            since = expect_keys(session, since, expected, f"{where}: gesture {n}", "media")
        held, after = hold(session, CENTRE, LOW, 0xAF, 3)
        expect(len(held) >= 3 and after <= 1, f"{where}: a held Up must repeat Windows volume up, then stop")
        found = read_ini(ini)
        expect(all(found.get(f"Options/C{n}", "").isdigit() for n in range(1, 16)), f"{where}: the settings file holds {found}")
        expect(session.beeps() == beeps, f"{where}: it beeped {session.beeps() - beeps} times")
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, f"{where}: exit code")
        if classic:
            session.tool("close", "Winamp v1.x", check=True)
            classic.wait(timeout=30)
        since = len(session.keys())
    print("ok  for any player: the media keys from the first press, no box, no beep, a held Up repeats, the file names them")
    expect(not os.path.exists(mark), "the winmm.dll beside the program was loaded")
    print("ok  the winmm.dll beside the program was never loaded")


def hold(session, x, y, vk, presses, hat=HAT_CENTRED, buttons=0, z=CENTRE, lt=0, rt=0):
    """Holds the stick (or the D-pad, buttons, or an Xbox pad's triggers on z) until the player has had `presses`
    presses of vk (a key or a media key), then lets go and watches a while longer. Returns the times of the presses
    before the program read the pad let go, and how many came after it (one may have been on its way)."""
    since = len(session.player_events())
    session.move_stick(x, y, buttons, hat, z=z, lt=lt, rt=rt)
    # A player key's press, or a media key's hot key (its press is seen by the hook too, and not counted twice).
    times = lambda: [e[0] for e in session.player_events()[since:]
                     if e[3] == vk and (e[2] == "HOTKEY" or e[2] == "KEYDOWN" and e[1] != "media")]
    session.wait_for(lambda: len(times()) >= presses, 10, f"{presses} presses of {vk:#x}")
    session.move_stick(CENTRE, CENTRE)
    centred = session.reads()[-1][0]
    time.sleep(0.6)  # a window in which a repeat that did not stop would press again, several times
    return [t for t in times() if t <= centred], len([t for t in times() if t > centred])


def pad_button(buttons=0, lt=0, rt=0):
    """A button of today's pads pressed and let go, or an Xbox pad's trigger."""
    def act(s):
        s.move_stick(CENTRE, CENTRE, buttons, lt=lt, rt=rt)
        s.move_stick(CENTRE, CENTRE)
    return act


# Today's pads: how a hand makes gestures 16..23 (the shoulders, the triggers, Back, Start, the stick
# presses) on each, and what Options calls gestures 9..23 (buttons 1-4 with the pad's own names beside).
# An Xbox Series pad, held back from the tray as Windows does, is heard through XInput, its triggers apart.
TODAYS_PADS = [
    ("Xbox", XBOX_PAD, [pad_button(0x10), pad_button(0x20), pad_button(lt=255), pad_button(rt=255), pad_button(0x40),
                        pad_button(0x80), pad_button(0x100), pad_button(0x200)],
     ["Button1 (A)", "Button2 (B)", "Button3 (X)", "Button4 (Y)", "Fn+Button1 (Fn+A)", "Fn+Button2 (Fn+B)",
      "Fn+Button3 (Fn+X)", "LB", "RB", "LT", "RT", "View", "Menu", "Left stick press", "Right stick press"]),
    ("PlayStation", PLAYSTATION_PAD, [pad_button(1 << n) for n in range(4, 12)],
     ["Button1 (Square)", "Button2 (Cross)", "Button3 (Circle)", "Button4 (Triangle)", "Fn+Button1 (Fn+Square)",
      "Fn+Button2 (Fn+Cross)", "Fn+Button3 (Fn+Circle)", "L1", "R1", "L2", "R2", "Share", "Options", "L3", "R3"]),
]
# Out of the box, the shoulders skip tracks, the triggers change the volume, Back stops, Start pauses (for
# any player: plays or pauses), the left stick press mutes for any player.
PAD_BUTTONS_RECEIVED = {
    "": [press("playlist", VK["Z"]), press("playlist", VK["B"]), press("main", VK["DOWN"]), press("main", VK["UP"]),
         press("playlist", VK["V"]), press("playlist", VK["C"]), [], []],
    "anyplayer": [media_key(vk) if vk else [] for vk in (0xB1, 0xB0, 0xAE, 0xAF, 0xB2, 0xB3, 0xAD, None)],
}


# Each pad's Start (Menu, Options): with button 4 held first, it pauses the remote and resumes it.
START_BUTTON = {"Xbox": 0x80, "PlayStation": 0x200}
PAUSED_NOTICE = "Brontavel paused: button 4 and Start to resume"


def pause_from_the_pad(session, make, since, left_paused):
    """Button 4, then Start: the remote pauses, says so across the room, greys its icon, and Start alone reaches
    nothing; the same again resumes it, and Start plays or pauses again; with left_paused, once more."""
    start = START_BUTTON[make]
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    for paused, notice, tip in [(True, PAUSED_NOTICE, "Brontavel: paused"), (False, "Brontavel resumed", "Brontavel"),
                                (True, PAUSED_NOTICE, "Brontavel: paused")][:3 if left_paused else 2]:
        chord = len(session.driver_reports())
        buttons(8, 8 | start, 8)(session)
        if session.read_by_xinput():  # felt in the hand, as Focus assist may hold the notice back
            expect_rumble(session, chord, 1 if paused else 2, f"{make} pad, {'paused' if paused else 'resumed'}")
        session.wait_for(lambda: notice in [text for _, text in session.balloons()], 10, f"the notice '{notice}'")
        # Greyed, the icon has no red knob.
        session.wait_for(lambda: (session.tray_icon_position() is None) == paused, 10, f"the icon, paused: {paused}")
        expect(session.tip(x, y)[1] == tip, f"the tip must read '{tip}'")
        pad_button(start)(session)
        since = expect_keys(session, since, [] if paused else PAD_BUTTONS_RECEIVED[""][5],
                            f"{make} pad: Start {'while paused' if paused else 'once resumed'}")
    return since


def expect_rumble(session, since, pulses, what):
    """The pad rumbled that many short pulses from the since-th log line on, each stopped within 300 ms, and
    the motors are off now."""
    motors = lambda: [(float(r[0]), r[3] != "0" or r[4] != "0") for r in session.driver_reports()[since:] if r[1] == "rumble"]
    session.wait_for(lambda: len(motors()) >= 2 * pulses, 5, f"{what}: {pulses} pulses")
    time.sleep(0.4)  # a window in which a third pulse, or motors left on, would show
    got = motors()
    expect([on for _, on in got] == [True, False] * pulses, f"{what}: the motors went {[on for _, on in got]}")
    longest = max(off - on for (on, _), (off, _) in zip(got[::2], got[1::2]))
    expect(longest < 300, f"{what}: a pulse lasted {longest:.0f} ms")
    print(f"ok  {what}: {pulses} pulse{'s' if pulses > 1 else ''} of the motors, the longest {longest:.0f} ms")


def todays_pads(session):
    """An Xbox pad, then a PlayStation pad in its place: each shoulder, trigger, Back, Start and stick press
    reaches the player with the edition's defaults (Winamp 3's, then those for any player), a held trigger
    repeats, and Options lists the buttons by the names of the pad in hand."""
    session.start_player("media")
    session.start_player()
    ini = os.path.join(session.run_dir, "Brontavel.ini")
    since = 0
    for form, where in (("", "Winamp 3"), ("anyplayer", "for any player")):
        if os.path.exists(ini):
            os.remove(ini)
        session.plug(1, model=TODAYS_PADS[0][1])
        program = session.start_brontavel(edition=form, args=["/atlogon"])  # no notification over the tray
        for make, model, hands, names in TODAYS_PADS:
            section = len(session.driver_reports())
            if make != TODAYS_PADS[0][0]:  # unplugged, and another pad plugged in at the same number
                gone = len(session.driver_reports())
                session.unplug()
                session.wait_for(lambda: ["absent", "0"] in [r[1:] for r in session.driver_reports()[gone:]], 5, "the pad to go")
                session.plug(1, model=model)
                session.wait_for(lambda: ["acquire", "0"] in [r[1:] for r in session.driver_reports()[gone:]], 10,
                                 f"the {make} pad to be taken")
            for n, (hand, expected) in enumerate(zip(hands, PAD_BUTTONS_RECEIVED[form]), start=16):
                hand(session)
                since = expect_keys(session, since, expected, f"{where}, {make} pad: gesture {n} ({names[n - 9]})",
                                    "media" if form else None)
            # The Xbox pad through XInput and nothing else (the joystick driver and DirectInput would run
            # each press twice); the PlayStation pad the moment it changes, through DirectInput: no poll.
            log = [r[1] for r in session.driver_reports()[section:]]
            if make == "Xbox":
                expect("xinput" in log and not {"state", "read", "acquire"} & set(log), f"{make} pad: read by {set(log)}")
            else:
                taken = len(log) - log[::-1].index("acquire")
                expect("state" in log[taken:] and not {"read", "xinput"} & set(log[taken:]), f"{make} pad: read by {set(log[taken:])}")
            # The left trigger held (a PlayStation pad's L2 is its button 7).
            vk = 0xAE if form else VK["DOWN"]
            held, after = hold(session, CENTRE, CENTRE, vk, 3, **(dict(lt=255) if make == "Xbox" else dict(buttons=0x40)))
            expect(len(held) >= 3 and after <= 1, f"{where}, {make} pad: a held left trigger must repeat, then stop")
            since = len(session.keys())
            if make == "Xbox":  # apart, the triggers work together: both pressed in one read are both pressed
                pad_button(lt=255, rt=255)(session)
                since = expect_keys(session, since, PAD_BUTTONS_RECEIVED[form][2] + PAD_BUTTONS_RECEIVED[form][3],
                                    f"{where}, {make} pad: both triggers at once", "media" if form else None)
            if not form:  # left paused as this edition ends: the next begins unpaused all the same
                since = pause_from_the_pad(session, make, since, left_paused=make == TODAYS_PADS[-1][0])
            if form:
                x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
                session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "1")
                expect(session.wait_window("#32770", "Brontavel Options", 10000), "Options did not open")
                listed = session.tool("items", "Brontavel Options", "1015", check=True)[1].splitlines()
                expect(listed[8:] == names and len(listed) == 23, f"{make} pad: Options lists {listed}")
                session.tool("close", "#32770", "Brontavel Options", check=True)
                expect(session.wait_window("#32770", "Brontavel Options", verb="gone"), "Options must close")
                print(f"ok  {make} pad: Options lists {', '.join(listed[8:])}")
        found = read_ini(ini)
        expect(all(f"Options/C{n}" in found for n in range(16, 24)), f"{where}: the file names C16 to C23: {found}")
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, f"{where}: exit code")
    print("ok  an Xbox and a PlayStation pad: every shoulder, trigger, Back, Start and stick press out of the box")


BATTERY_NOTICE = "Brontavel: the pad's battery is low"


def xinput_pads(session):
    """Xbox pads heard from the tray through XInput: an Xbox 360 pad, whose changes Windows also gives
    DirectInput, runs each press once; a Series pad, held back from DirectInput, comes with its battery
    low; it goes while a trigger repeats and comes back at another slot; an empty slot is asked only when
    a pad is looked for, and an Xbox pad that connects while another pad rests is taken at the next look."""
    session.start_player()
    session.plug(1, model=XBOX_360_PAD)
    session.start_brontavel(args=["/atlogon"])  # no notification over the tray
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    events = lambda kind, since=0: [r for r in session.driver_reports()[since:] if r[1] == kind]
    # A take ends with the battery's reading, after the pad's own: a hand that moves before the take has
    # read the pad is where the pad started, as a button held while a pad is taken is, and presses nothing.
    take_ended = lambda since, after=0.0: session.wait_for(
        lambda: [r for r in events("battery", since) if float(r[0]) > after], 5, "the take to end")
    since = 0
    for hand, expected, what in ((direction(LOW, CENTRE), press("playlist", VK["Z"]), "Left"),
                                 (buttons(1), press("playlist", VK["X"]), "A"),
                                 (dpad(9000), press("playlist", VK["B"]), "the D-pad's Right")):
        hand(session)
        since = expect_keys(session, since, expected, f"Xbox 360 pad: {what}, once")
    time.sleep(1)  # at rest a while: a slot asked on every tick would show
    log = {r[1] for r in session.driver_reports()}
    expect(not {"state", "read", "acquire", "xempty"} & log, f"the Xbox 360 pad: read by {log}")
    print("ok  an Xbox 360 pad through XInput alone: each press once, no empty slot asked")

    gone = len(session.driver_reports())
    session.unplug()
    session.wait_for(lambda: events("xempty", gone), 5, "the program to see the pad go")
    session.plug(2, model=dict(XBOX_PAD, battery=1), slot=3)  # a Series pad, its battery low, at another slot
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: [r for r in events("xinput", gone) if r[2] == "2"], 10, "the Series pad to be taken at slot 3")
    session.wait_for(lambda: BATTERY_NOTICE in [text for _, text in session.balloons()], 10, "the battery notice")
    expect(session.tip(x, y)[1] == "Brontavel: pad battery low", "the tip must say that the battery is low")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    since = expect_keys(session, since, press("playlist", VK["Z"]), "the Series pad, held back from DirectInput: Left")
    print("ok  a Series pad at another slot, held back from DirectInput: taken, its battery said to be low, Left")

    # The left trigger held (Volume Down) while the pad goes: the repeat stops, the tip says it waits; back
    # at slot 1, unreported, it is found by the look that follows a loss.
    downs = lambda after=0.0: len([e for e in session.player_events() if e[2:4] == ("KEYDOWN", VK["DOWN"]) and e[0] > after])
    session.move_stick(CENTRE, CENTRE, lt=255)
    session.wait_for(lambda: downs() >= 3, 10, "the left trigger to repeat")
    gone = len(session.driver_reports())
    session.unplug()
    lost = float(session.wait_for(lambda: events("xempty", gone), 5, "the program to see the pad go")[0][0])
    time.sleep(0.6)
    expect(downs(lost) <= 1, f"the repeat went on after the pad went: {downs(lost)} presses")
    expect(session.tip(x, y)[1] == "Brontavel: waiting for a joystick", "waiting must win over the battery")
    session.stick(CENTRE, CENTRE)  # the hand lets go while the pad is away
    session.plug(2, slot=1)
    session.wait_for(lambda: [r for r in events("xinput", gone) if r[2] == "0"], 10, "the pad to be taken back at slot 1")
    take_ended(gone)
    since = len(session.keys())
    direction(HIGH, CENTRE)(session)
    since = expect_keys(session, since, press("playlist", VK["B"]), "the Series pad back at slot 1: Right")
    print("ok  the pad goes while a trigger repeats: the repeat stops, the tip waits; back at another slot, it works")

    # A PlayStation pad (no XInput) in use: the slots are asked only at the look every 5 s, and a Series pad that
    # connects meanwhile (at joystick 2, slot 1) is taken by it, the PlayStation pad lying still.
    gone = len(session.driver_reports())
    session.unplug()
    session.wait_for(lambda: events("xempty", gone), 5, "the program to see the pad go")
    session.plug(1, model=PLAYSTATION_PAD)
    session.tool("broadcast", "device-change", check=True)
    taken = float(session.wait_for(lambda: events("acquire", gone), 10, "the PlayStation pad to be taken")[0][0])
    session.other.update(XBOX_PAD, slot=1)
    session.plug_other(2)
    found = session.wait_for(lambda: [r for r in events("xinput", gone) if float(r[0]) > taken], 12,
                             "the Series pad to be taken by a look")
    asked = [float(r[0]) for r in events("xempty", gone) if taken < float(r[0]) < float(found[0][0])]
    expect(len(asked) <= 8, f"empty slots asked {len(asked)} times in {float(found[0][0]) - taken:.0f} ms")
    take_ended(gone, taken)
    since = len(session.keys())
    session.move_stick(LOW, CENTRE, pad=session.other)
    session.move_stick(CENTRE, CENTRE, pad=session.other)
    expect_keys(session, since, press("playlist", VK["Z"]), "the Series pad taken while the PlayStation pad rests: Left")
    print(f"ok  a PlayStation pad in use: {len(asked)} empty slots asked in {float(found[0][0]) - taken:.0f} ms; "
          "a Series pad that connects is taken at the next look")


GAME_LIST = "HKCU\\System\\GameConfigStore\\Children"


def games(session):
    """Out of every game's way: a borderless window over the screen from a program Windows' game features know
    pauses the remote (nothing reaches the player, the icon greys, the tip says why) and the pad's pause chord
    inside it pauses nothing; the same window from a program they do not know (a film, a browser) pauses
    nothing; a program named in PauseFor pauses it too. The first start writes both keys for a user to find."""
    session.start_player()
    ini = os.path.join(session.run_dir, "Brontavel.ini")
    program = session.start_brontavel(args=["/atlogon"])
    found = read_ini(ini)
    expect(found.get("Options/PauseInFullScreen") == "1" and found.get("Options/PauseFor") == "",
           f"a first start must write PauseInFullScreen=1 and PauseFor=: {found}")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    with open(ini, "r+", newline="") as f:  # taken at the next start; spaces, case and an empty entry are nothing
        text = f.read().replace("PauseFor=\r\n", "PauseFor= ;Launcher.EXE ; \r\n")
        f.seek(0)
        f.write(text)
    # Three programs that show the same borderless window: a game Windows has seen, a film player it has not,
    # and a game library's launcher the user named. A key of another type in the list is no game.
    programs = {}
    for name in ("game", "film", "launcher"):
        programs[name] = os.path.join(session.run_dir, name + ".exe")
        shutil.copy(session.program("window_tool.exe"), programs[name])
    session.wine("reg", "add", GAME_LIST + "\\Brontavel-test-game", "/v", "MatchedExeFullPath", "/d",
                 windows_path(programs["game"]), "/f")
    session.wine("reg", "add", GAME_LIST + "\\Brontavel-test-other", "/v", "MatchedExeFullPath", "/t", "REG_DWORD",
                 "/d", "7", "/f")
    try:
        program = session.start_brontavel(args=["/atlogon"])
        x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
        since = len(session.keys())
        for name, paused in (("game", True), ("film", False), ("launcher", True)):
            window = session.start_program(programs[name], ["game", name.title()])
            expect(session.in_front(name.title(), 20000), f"the {name} window must come in front")
            direction(LOW, CENTRE)(session)
            since = expect_keys(session, since, [] if paused else press("playlist", VK["Z"]), f"Left over the {name}")
            if paused:
                # The icon follows at the gesture Windows gave no word of (Wine tells no change of the window in front).
                session.wait_for(lambda: session.tray_icon_position() is None, 10, f"the icon to grey for the {name}")
                expect(session.tip(x, y)[1] == "Brontavel: paused for a game", f"the tip over the {name}")
                if name == "game":  # the game takes the chord: it neither pauses nor resumes the remote
                    buttons(8, 8 | 0x200, 8)(session)
            session.tool("close", "BrontavelGame", check=True)
            window.wait(timeout=30)
            direction(HIGH, CENTRE)(session)
            since = expect_keys(session, since, press("playlist", VK["B"]), f"Right once the {name} has gone")
            session.wait_for(lambda: session.tray_icon_position(), 10, "the icon to be red again")
            expect(session.tip(x, y)[1] == "Brontavel", f"the tip once the {name} has gone")
        print("ok  a game Windows knows and a program PauseFor names pause the remote, grey the icon and say so; the "
              "chord inside the game leaves it unpaused; a film's window pauses nothing")
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, "exit code")
    finally:
        session.wine("reg", "delete", GAME_LIST, "/f")


def player_comes_and_goes(session):
    """The player killed while a direction repeats, gestures with no player, "Exit/Start Winamp"
    starting it through Winamp.Lnk, the new player's windows found, and then closed; all of it from a
    folder whose name the code page cannot write."""
    home = os.path.join(session.run_dir, OTHER_SCRIPT)
    os.makedirs(home)
    code, out = session.tool("shortcut", windows_path(os.path.join(session.run_dir, "Winamp.Lnk")),
                             windows_path(session.program("standin_player.exe")))
    expect(code == 0, "could not make Winamp.Lnk: " + out)
    os.rename(os.path.join(session.run_dir, "Winamp.Lnk"), os.path.join(home, "Winamp.Lnk"))
    write_settings(session, "[Options]\nC9=23\n", home)  # Button1: Exit/Start Winamp
    player = session.start_player()
    session.start_brontavel(home)
    session.move_stick(LOW, CENTRE)
    session.wait_for(lambda: len(session.keys()) >= 6, 10, "the repeat to run")
    player.kill()
    player.wait(timeout=30)
    beeps = session.beeps()
    # The stick stays held: the repeat goes on with no player, each tick looking for it, and the
    # Winamp 3 edition beeps that its player is missing.
    session.wait_for(lambda: session.beeps() > beeps, 10, "a beep for the missing player")
    session.move_stick(CENTRE, CENTRE)
    since = len(session.keys())
    for act in (direction(HIGH, CENTRE), direction(CENTRE, LOW)):
        act(session)
    session.wait_ready("Brontavel", timeout_ms=5000)
    expect(session.keys(since) == [], "keys went somewhere with no player running")
    print("ok  the player killed mid-repeat, then gestures with no player: nothing delivered, no crash")

    events = lambda *what: [e for e in session.player_events() if e[1:3] == what]
    buttons(1)(session)
    session.wait_for(lambda: len(events("player", "START")) == 2, 20, "the player to start through Winamp.Lnk")
    session.wait_ready("STUDIO", "Winamp3")
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "the new player's playlist")
    buttons(1)(session)
    session.wait_for(lambda: events("player", "EXIT"), 10, "the player to exit")
    expect([e[1] for e in session.player_events() if e[2] == "CLOSE"] == ["main"],
           "the close request must go to the player's main window")
    print("ok  Exit/Start Winamp started the player through Winamp.Lnk, then closed its main window")


MISSING_CLASS = "One or more of the Winamp windows could not be found.  Expect errors, otherwise, run Setup.exe."
OLD_PLAYER = ("Brontavel has detected that you are currently running Winamp 2.x.  This version of Brontavel works "
              "only for Winamp3.  Unzip and use the Brontavel.exe in Brontavel2x.zip to use Brontavel with Winamp "
              "versions 2.x.")
WHERE_IT_IS = ("Right-click the joystick icon in the notification area for the menu, or double-click it for Options. "
               "Windows may keep the icon under the ^ arrow beside the clock.")
OTHER_SCRIPT = "Дмитрий 音乐"  # no Western code page can write it: the program must use its short name
NO_JOYSTICK = ("Can't get the Joystick.  Make sure your joystick is a) plugged in, b) installed in windows control "
               "panel, c) not being used by another program.")


def long_folder(base, length):
    """A folder under base whose Windows path is length characters long, or one more: the same
    length wherever the suite runs."""
    folder = base
    while len(windows_path(folder)) < length:
        folder = os.path.join(folder, "d" * min(20, length - len(windows_path(folder))))
    return folder


def settings(session):
    """What start-up makes of the settings file in its working directory, damaged, hostile and
    unwritable ones included: it starts, uses what it can read, keeps what it cannot read, and runs
    nothing outside the command catalogue."""
    defaults = {EVERY_BINDING: True}
    noise = bytes(random.Random(7).randrange(256) for _ in range(4000)).replace(b"[", b"(")
    deep = long_folder(session.run_dir, 250)
    table = [  # case, folder, file before (None: none), what is read-only, keys after, keys Left and Right press
        ("no file", None, None, None, {**defaults, "Options/RepeatRate": None, "Options/RepeatDelay": None}, "ZB"),
        ("a folder 250 characters long", deep, None, None, defaults, "ZB"),
        ("hand-edited, out of range", None, b"[Options]\r\nC1=99\r\nC2=-5\r\nC5=3\r\nRepeatRate=-1\r\nRepeatDelay=abc\r\n",
         None, {**defaults, "Options/C1": "99", "Options/C2": "-5", "Options/C5": "3"}, ""),
        ("an empty class name", None, b"[Options]\r\nMBClass=\r\nC1=7\r\n", None, {"Options/C1": "7", "Options/C2": None}, "ZB"),
        ("damaged", None, noise + b"\r\n[Options]\r\nC1=3\r\n" + b"x" * (1 << 20) + b"=1\r\nC2=2\r\n[Options]\r\nC1=4\r\n",
         None, {"Options/C1": "3", "Options/C2": "2"}, "VC"),
        ("a folder named in another script", os.path.join(session.run_dir, OTHER_SCRIPT), b"[Options]\r\nC1=3\r\n", None,
         {**defaults, "Options/C1": "3"}, "VB"),
        ("a read-only file", None, b"[Options]\r\nC1=3\r\n", "file", {"Options/C1": "3", "Options/C2": None}, "VB"),
        ("a read-only folder", None, None, "folder", {}, "ZB"),
    ]
    session.start_player()
    first_start = None
    for case, folder, before, read_only, after, keys in table:
        after = dict(after)
        folder = folder or os.path.join(session.run_dir, case)
        os.makedirs(folder)
        path = os.path.join(folder, "Brontavel.ini")
        if before is not None:
            with open(path, "wb") as f:
                f.write(before)
        if read_only == "file":
            os.chmod(path, stat.S_IRUSR)
        if read_only == "folder":
            os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR)
        program = session.start_brontavel(folder=os.path.join(session.run_dir, case + " program"), cwd=folder,
                                          ready=case != "an empty class name" and not read_only)
        box = (("Error", MISSING_CLASS) if case == "an empty class name" else
               ("Settings Not Saved", f"Brontavel cannot save its settings in {windows_path(path)}.") if read_only else None)
        if box:  # shown once, however many writes fail, and the program goes on
            expect_box(session, *box, screenshot="box " + case)
            expect(not session.wait_window("#32770", box[0], 1000), f"{case}: the '{box[0]}' box came twice")
            session.wait_ready("Brontavel")
        found = read_ini(path) if os.path.exists(path) else {}
        if after.pop(EVERY_BINDING, False):
            bindings = {f"Options/C{n}": found.get(f"Options/C{n}") for n in range(1, 16)}
            first_start = first_start or bindings  # the first case has no file
            expect(all((v or "").lstrip("-").isdigit() for v in first_start.values()), f"a first start wrote {first_start}")
            after = {**first_start, **after}
        for name, value in after.items():
            expect(found.get(name) == value, f"{case}: {name} is {found.get(name)}, expected {value}")
        since = len(session.keys())
        direction(LOW, CENTRE)(session)
        direction(HIGH, CENTRE)(session)
        expect_keys(session, since, [k for key in keys for k in press("playlist", VK[key])], f"{case}: Left, Right")
        if case == "hand-edited, out of range":  # a rate of -1 and a delay of 0 ("abc") mean the defaults
            held, _ = hold(session, CENTRE, LOW, VK["UP"], 3)
            gaps = [round(b - a) for a, b in zip(held, held[1:])]
            expect(250 <= gaps[0] <= 800 and 60 <= gaps[1] <= 250, f"{case}: Up repeated after {gaps} ms")
        session.tool("close", "Brontavel", check=True)
        expect(program.wait(timeout=30) == 0, f"{case}: exit code")
        if before is not None and case != "damaged":  # what Wine cannot parse it may drop
            with open(path, "rb") as f:
                kept = f.read()
            for line in before.split(b"\r\n"):
                expect(line in kept, f"{case}: the file lost a line of its own: {line[:40]}")
        expect(read_only != "folder" or os.listdir(folder) == [], f"{case}: something was written")
    expect(len([e for e in session.player_events() if e[2] == "START"]) == 1, "nothing may start the player")
    # An Xbox 360 pad polled (no XInput, no DirectInput): the layout from the make and the buttons it has (ten,
    # not the most it could have), its triggers on Z.
    session.plug(model=XBOX_360_PAD)
    program = session.start_brontavel(folder=os.path.join(session.run_dir, "polled Xbox pad"))
    since = len(session.keys())
    for hand in (pad_button(lt=255), pad_button(rt=255)):
        hand(session)
    expect_keys(session, since, press("main", VK["DOWN"]) + press("main", VK["UP"]), "an Xbox pad polled: LT, RT")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    # Where DirectInput finds no pad (Wine's own here), the pad is polled, as on Windows 95.
    expect(not [r for r in session.driver_reports() if r[1] == "acquire"], "DirectInput was used")


def startup(session):
    """Where the icon is after a start by hand, a second copy, an old player, no joystick, WM_CLOSE from
    another program, the start at logon with the pad still asleep, through a restart of the shell, and
    then the pad going and coming back and the computer resuming from sleep."""
    balloons = session.balloons
    first = session.start_brontavel()
    shown = session.wait_for(balloons, 15, "a notification after a start by hand")
    expect(shown[0][1] == WHERE_IT_IS, f"the notification says {shown}")
    session.screenshot("notification")
    second = session.start_brontavel(folder=os.path.join(session.run_dir, "second"), ready=False)
    expect(second.wait(timeout=60) == 0, "the second copy must end with exit code 0")
    expect(session.tool("count", "#32770", "-")[1].strip() == "0", "the second copy showed something itself")
    again = session.wait_for(lambda: [b for b in balloons() if b[0] != shown[0][0]], 15,
                             "the running copy to show a new notification when started again")
    expect(again[0][1] == WHERE_IT_IS, f"the second notification says {again}")
    print("ok  started by hand it says where its icon is; a second copy ends silently, and the first says it again")
    # The running copy cannot be told (it hangs here; with higher rights, Windows filters the message):
    # the new copy says itself where the icon is, then ends.
    os.kill(first.pid, signal.SIGSTOP)
    try:
        third = session.start_brontavel(folder=os.path.join(session.run_dir, "third"), ready=False)
        expect_box(session, "Brontavel is already running", WHERE_IT_IS)
        expect(third.wait(timeout=60) == 0, "a copy that could not tell the running one must end with exit code 0")
    finally:
        os.kill(first.pid, signal.SIGCONT)
    print("ok  when the running copy cannot be told, the new one says where the icon is")
    session.tool("close", "Brontavel", check=True)
    expect(first.wait(timeout=30) == 0, "WM_CLOSE from another program must end it with exit code 0")
    print("ok  WM_CLOSE from another program: exit code 0")
    # A copy whose window goes before it answers (one that found no pad is giving up): nothing runs,
    # and the new copy starts as any start does.
    decoy = session.start_program(session.program("window_tool.exe"), ["decoy", "Brontavel", "Brontavel.ShowWhereItIs"])
    session.wait_ready("Brontavel")
    racer = session.start_brontavel(folder=os.path.join(session.run_dir, "racer"))
    expect(decoy.wait(timeout=30) == 0 and session.tool("count", "#32770", "-")[1].strip() == "0",
           "a copy started as the running one went must show nothing")
    session.tool("close", "Brontavel", check=True)
    expect(racer.wait(timeout=30) == 0, "a copy started as the running one went must run, and end with exit code 0")
    print("ok  started as the running copy goes, without an answer: it starts as any start does")

    old = session.start_player("classic")
    seen = len(session.driver_reports())
    warned = session.start_brontavel(folder=os.path.join(session.run_dir, "warned"), ready=False)
    expect_box(session, "Winamp 2.x Detected", OLD_PLAYER, "old-player-warning")
    session.wait_started(seen)
    print("ok  an old player is warned about, then start-up goes on")
    session.tool("close", "Brontavel", check=True)
    expect(warned.wait(timeout=30) == 0, "exit code")
    session.tool("close", "Winamp v1.x")
    old.wait(timeout=30)

    session.unplug()
    seen = len(session.driver_reports())
    unplugged = session.start_brontavel(folder=os.path.join(session.run_dir, "unplugged"), ready=False)
    expect(session.wait_window("#32770", "Joystick Error"), "no Joystick Error box")
    expect(session.tray_icon_position() is None, "the tray icon was left behind")
    session.plug()
    # Started again while the box is up: the copy that gave up is not the running one, so the new one
    # starts as any start does, and the first ends when its box is dismissed.
    again = session.start_brontavel(folder=os.path.join(session.run_dir, "started again"))
    session.wait_for(balloons, 15, "the new copy to say that it runs")
    expect_box(session, "Joystick Error", NO_JOYSTICK, "joystick-error")
    expect(unplugged.wait(timeout=30) == 0, "no joystick must end with exit code 0")
    expect(again.poll() is None and session.tray_icon_position(), "the copy started while the box was up must run on")
    session.tool("close", "Brontavel", check=True)
    expect(again.wait(timeout=30) == 0, "exit code")
    print("ok  no joystick: the Joystick Error box, no tray icon, exit code 0; started again meanwhile, it runs")

    # At logon a wireless pad is often still asleep: started with the switch, the program waits for it.
    session.start_player()
    for accept in (False, True):
        session.unplug()
        seen = len(session.driver_reports())
        waiting = session.start_brontavel(folder=os.path.join(session.run_dir, "at logon"), args=["/atlogon"],
                                          ready=False)
        session.wait_started(seen, ("absent", "15"))
        expect(session.window_texts("#32770", "Joystick Error") is None, "at logon there must be no error box")
        x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon while waiting")
        if not accept:  # a second copy at logon ends as ever, neither shows anything, and Exit ends the first
            expect(session.start_brontavel(folder=os.path.join(session.run_dir, "second"), ready=False,
                                           args=["/atlogon"]).wait(60) == 0, "a second copy must end silently")
            time.sleep(3)  # a window in which a notification would appear: the shell shows one after 2 s
            expect(balloons() == [], f"at logon nothing may be shown: {balloons()}")
            expect(waiting.poll() is None, f"the copy waiting at logon ended by itself, exit code {waiting.returncode}")
            session.tool("close", "Brontavel", check=True)
            expect(waiting.wait(timeout=30) == 0, "exit code while waiting")
            session.wait_for(lambda: session.tray_icon_position() is None, 10, "the icon to go with the program")
            continue
        # The shell starts again and asks every program for its icon: it comes back, still waiting.
        session.tool("tray-delete", "Brontavel", "888", check=True)
        session.wait_for(lambda: session.tray_icon_position() is None, 10, "the icon to go")
        session.tool("broadcast", "TaskbarCreated", check=True)
        x, y = session.wait_for(session.tray_icon_position, 10, "TaskbarCreated to bring the icon back")
        wide = session.tip_width(x, y)
        session.screenshot("tip-waiting")
        session.plug()
        session.tool("broadcast", "device-change", check=True)
        session.wait_for(lambda: ["caps", "0", "1"] in [r[1:] for r in session.driver_reports()[seen:]], 15,
                         "the pad to be taken")
        narrow = session.tip_width(x, y)
        expect(wide > 1.8 * narrow, f"the tip must say it waits, then only 'Brontavel': {wide} and {narrow} pixels")
        since = len(session.keys())
        direction(LOW, CENTRE)(session)
        expect_keys(session, since, press("playlist", VK["Z"]), "at logon, once the pad wakes: Left")
    print("ok  at logon: no error box, the icon waits with its tip saying so, comes back with the shell, and the "
          "remote works once the pad wakes")

    # Months of use: the pad goes away (while Left repeats, then at rest) with no change of devices
    # reported, and comes back at another number, reported or not; other devices come and go and the
    # computer sleeps while Left is held.
    lines = lambda *what: [float(r[0]) for r in session.driver_reports() if r[1:1 + len(what)] == list(what)]
    # The pad went from joystick id: the poll finds it absent, DirectInput finds its device lost.
    gone_from = lambda id: [float(r[0]) for r in session.driver_reports() if r[1] in ("absent", "lost") and r[2] == str(id)]
    z_presses = lambda after=0.0: len([e for e in session.player_events() if e[2:4] == ("KEYDOWN", VK["Z"]) and e[0] > after])
    steps = [  # how the pad comes back: its number, whether it has a hat, the change Windows reports
        (4, True, "device-change"), (1, True, "resume-critical"),
        # Found by a look every 5 s; a pad without a hat reads 0 there, which must not be "up".
        (6, False, None)]
    timings = []
    for step, (number, has_hat, change) in enumerate(steps):
        gone_at = len(gone_from(session.pad["number"] - 1))
        if step == 0:
            start = z_presses()
            session.move_stick(LOW, CENTRE)
            session.wait_for(lambda: z_presses() >= start + 4, 10, "Left to repeat")
        went = time.time()
        session.unplug()
        session.wait_for(lambda: len(gone_from(session.pad["number"] - 1)) > gone_at, 5, "the program to see that the pad went")
        lost = gone_from(session.pad["number"] - 1)[gone_at]
        if step == 0:
            timings.append(f"the repeat stopped {1000 * (time.time() - went):.0f} ms after the pad went")
        time.sleep(0.5)  # the pad stays away a while; a runaway repeat would press five times meanwhile
        if step == 0:
            expect(z_presses(lost) <= 1, f"the repeat went on after the pad went: {z_presses(lost)} presses")
            expect(abs(session.tip_width(x, y) - wide) <= 2, "the tip must say that it waits for the pad")
            expect(session.tool("count", "#32770", "-")[1].strip() == "0" and waiting.poll() is None,
                   "the pad going away must show nothing and end nothing")
        session.stick(CENTRE, CENTRE)  # the hand lets go while the pad is away
        session.plug(number, has_hat)
        if change:
            session.tool("broadcast", change, check=True)
        what = f"back at joystick {number}{'' if has_hat else ' without a hat'}, {change or 'unreported'}"
        # Taken once DirectInput has it: a hand that moves before would find its push counted as where
        # the pad was when taken, which is no gesture.
        taken = session.wait_for(lambda: [t for t in lines("acquire", str(number - 1)) if t > lost], 15,
                                 f"{what}: the pad to be taken")[0]
        # At once on a change or a resume, not by the next look, which comes 5 s after the pad went.
        expect(not change or taken - lost < 4500, f"{what}: taken {taken - lost:.0f} ms after the pad went")
        since = len(session.keys())
        direction(LOW, CENTRE)(session)
        expect_keys(session, since, press("playlist", VK["Z"]), f"{what}: Left")
        timings.append(f"{what}: taken {taken - lost:.0f} ms after the pad went")
    # With the pad there, a change of devices or a resume must not stop a held direction.
    start = z_presses()
    session.move_stick(LOW, CENTRE)
    session.wait_for(lambda: z_presses() >= start + 4, 10, "Left to repeat")
    taken = len(lines("caps"))
    for change in ("device-change", "resume"):
        before = z_presses()
        session.tool("broadcast", change, check=True)
        session.wait_for(lambda: z_presses() >= before + 3, 5, f"Left to go on repeating after a {change}")
    expect(len(lines("caps")) == taken, "the pad in use was taken again")
    session.move_stick(CENTRE, CENTRE)

    # A wheel is plugged in at joystick 2. The pad goes and at once answers at joystick 3 (a quick
    # replug, unreported): it is looked for at once and taken there, not the wheel. Then it goes for
    # good: the wheel stands in. The pad wakes at joystick 1 while the wheel holds Left: the wheel's
    # Left goes on repeating, and the pad is taken back once the wheel is let go.
    session.plug_other(2)
    gone = len(gone_from(5))
    session.plug(3)
    lost = session.wait_for(lambda: gone_from(5)[gone:], 5, "the pad to go from joystick 6")[0]
    found = session.wait_for(lambda: [t for t in lines("read", "2") if t > lost], 10, "a look at joystick 3")[0]
    expect(found - lost < 1500, f"the pad was looked for {found - lost:.0f} ms after it went, not at once")
    session.wait_for(lambda: [t for t in lines("acquire", "2") if t > lost], 10, "the pad at joystick 3 to be taken")
    timings.append(f"a quick replug to joystick 3 found {found - lost:.0f} ms after the pad went")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "the pad at joystick 3, a wheel at 2: Left")
    gone = len(gone_from(2))
    session.unplug()
    session.wait_for(lambda: len(gone_from(2)) > gone, 5, "the pad to go from joystick 3")
    lost = gone_from(2)[gone]
    session.wait_for(lambda: [t for t in lines("acquire", "1") if t > lost], 10, "the wheel to be taken")
    since = len(session.keys())
    session.move_stick(LOW, CENTRE, pad=session.other)
    session.move_stick(CENTRE, CENTRE, pad=session.other)
    expect_keys(session, since, press("playlist", VK["Z"]), "the pad gone, the wheel stands in: Left")
    start = z_presses()
    session.move_stick(LOW, CENTRE, pad=session.other)
    session.wait_for(lambda: z_presses() >= start + 4, 10, "the wheel's Left to repeat")
    looked = len(lines("read", "0"))
    session.plug(1)
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: len(lines("read", "0")) > looked, 10, "a look at joystick 1")
    before = z_presses()
    session.wait_for(lambda: z_presses() >= before + 3, 5, "the wheel's Left to go on repeating while the pad answers")
    let_go = time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000  # the stand-ins' clock
    session.move_stick(CENTRE, CENTRE, pad=session.other)
    session.wait_for(lambda: [t for t in lines("acquire", "0") if t > let_go], 10, "the pad to be taken back")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    since = expect_keys(session, since, press("playlist", VK["Z"]), "the pad taken back at joystick 1: Left")
    session.stick(LOW, CENTRE, pad=session.other)  # the wheel is read no more
    direction(HIGH, CENTRE)(session)
    session.stick(CENTRE, CENTRE, pad=session.other)
    expect_keys(session, since, press("playlist", VK["B"]), "the wheel held left, the pad pushed right")
    session.plug_other(None)
    print("ok  the pad goes and comes back at another number, the computer sleeps: no runaway repeat, no box, no "
          "restart, a held direction goes on through changes of devices; another device stands in while the pad is "
          "away, and the pad is taken back once it is let go; " + "; ".join(timings))
    direct_input_edges(session, waiting, lines)


def tap(session, buttons):
    """A quick tap: the button let go the moment the pad has reported it pressed, well within a read put off."""
    seen = len(session.driver_reports())
    reported = lambda held: [r for r in session.driver_reports()[seen:] if r[1] == "report" and r[5] == str(held)]
    session.stick(CENTRE, CENTRE, buttons)
    session.wait_for(lambda: reported(buttons), 5, "the pad to report the press", every=0.001)
    session.stick(CENTRE, CENTRE)
    session.wait_for(lambda: reported(0), 5, "the pad to report the release", every=0.001)


def direct_input_edges(session, program, lines):
    """What Windows' DirectInput does that Wine's rarely shows: the pad wakes while another device rests, its
    acquisition is taken away for a moment or held by another program, a driver numbers the devices its own
    way, a device has no Z where the joystick driver says it has, a stick at a zone's edge, quick taps on a pad
    that reports all the time; and the device let go before the window it was given."""
    clock = lambda: time.clock_gettime(time.CLOCK_MONOTONIC_RAW) * 1000  # the stand-ins' clock
    after = lambda start, *what: [t for t in lines(*what) if t > start]
    # The pad gone, the wheel stands in and lies still; the pad wakes at joystick 1: taken at once.
    session.plug_other(2)
    start = clock()
    session.unplug()
    lost = session.wait_for(lambda: after(start, "lost", "0"), 5, "the pad to go")[0]
    session.wait_for(lambda: after(lost, "acquire", "1"), 10, "the wheel to be taken")
    session.plug(1)
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: after(lost, "acquire", "0"), 5, "the pad to be taken while the wheel rests")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "the pad taken while the wheel rests: Left")
    session.plug_other(None)
    # Left held while another program takes the acquisition for a moment: the repeat goes on, nothing is taken anew.
    z_presses = lambda: len([e for e in session.player_events() if e[2:4] == ("KEYDOWN", VK["Z"])])
    session.move_stick(LOW, CENTRE)
    start = z_presses()
    session.wait_for(lambda: z_presses() >= start + 3, 10, "Left to repeat")
    taken = len(lines("caps"))
    start = clock()
    session.interrupt()
    cut = session.wait_for(lambda: after(start, "interrupted", "0"), 5, "the acquisition to be taken away")[0]
    session.wait_for(lambda: after(cut, "acquire", "0"), 5, "the pad to be acquired again")
    before = z_presses()
    session.wait_for(lambda: z_presses() >= before + 3, 5, "Left to go on repeating")
    expect(len(lines("caps")) == taken, "a moment's loss of acquisition was taken for a lost pad")
    session.move_stick(CENTRE, CENTRE)
    print("ok  a resting wheel stands in and the pad that wakes is taken at once; a moment's loss of acquisition "
          "keeps a held Left repeating")
    # Another program holds the pad exclusively: the poll serves meanwhile, and DirectInput again once it lets go.
    start = clock()
    session.interrupt(exclusive=True)
    cut = session.wait_for(lambda: after(start, "interrupted", "0"), 5, "the acquisition to be taken away")[0]
    # Taken anew (its first reading from the joystick driver) once DirectInput has refused it.
    session.wait_for(lambda: after(cut, "refused", "0")[1:], 10, "the pad to be taken anew")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "the pad held by another program, the poll serves: Left")
    expect(after(cut, "read", "0"), "the poll must serve while DirectInput cannot")
    session.pad["exclusive"] = 0
    session.write_pad()
    session.tool("broadcast", "device-change", check=True)
    back = session.wait_for(lambda: after(cut, "acquire", "0"), 10, "DirectInput to serve again")[0]
    since = len(session.keys())
    direction(HIGH, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["B"]), "DirectInput serves again: Right")
    expect(not after(back + 200, "read", "0"), "the poll must stop once DirectInput serves")
    print("ok  the pad held by another program: the poll serves, then DirectInput again once it lets go")
    # A pad that DirectInput must poll sets no event: the poll reads it.
    gone = len(session.driver_reports())
    session.unplug()
    session.wait_for(lambda: [r for r in session.driver_reports()[gone:] if r[1] in ("lost", "absent")], 5, "the pad to go")
    session.pad["polled"] = 1
    session.plug(1)
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: [r for r in session.driver_reports()[gone:] if r[1] == "caps"], 10, "the polled pad to be taken")
    since = len(session.keys())
    direction(LOW, CENTRE)(session)
    expect_keys(session, since, press("playlist", VK["Z"]), "a pad DirectInput must poll, read by the poll: Left")
    session.unplug()
    session.pad["polled"] = 0
    session.plug(1)
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: [r for r in session.driver_reports()[gone:] if r[1] == "acquire"], 10, "the pad to be taken")
    # The zones where the joystick driver has them: x = 4999 is Left, 5001 nothing, whichever way the pad is read.
    for x, expected in ((4999, press("playlist", VK["Z"])), (5001, [])):
        since = len(session.keys())
        direction(x, CENTRE)(session)
        expect_keys(session, since, expected, f"the stick at x = {x} through DirectInput")
    # Quick taps on a pad that reports 250 times a second with nothing changed: each one reaches the player.
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    expect(not lines("orphaned"), "DirectInput's device was still acquired when its window went")
    program = session.start_brontavel(folder=os.path.join(session.run_dir, "noisy"), args=["/atlogon"],
                                      env={"BRONTAVEL_STANDIN_NOISE_HZ": "250"})
    time.sleep(0.5)  # reads that find nothing new: the next is put off
    since = len(session.keys())
    for _ in range(5):
        tap(session, 1)
    expect_keys(session, since, press("playlist", VK["X"]) * 5, "five quick taps of Button 1 on a noisy pad")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    # A driver that numbers the devices its own way (DirectInput lists the pad at joystick 1 as its sixth, after
    # a wheel at 2): the pad is the device of its own make, not the first listed.
    session.plug_other(2)
    session.pad["dinput_id"] = 6
    session.plug(1, model=XBOX_360_PAD)
    since = len(session.keys())
    program = session.start_brontavel(folder=os.path.join(session.run_dir, "renumbered"), args=["/atlogon"])
    pad_button(0x10)(session)  # LB: Previous
    expect_keys(session, since, press("playlist", VK["Z"]), "the pad at joystick 1, its own DirectInput number 6: LB")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    # An Xbox pad at joystick 3 with no Z where the joystick driver says it has one (the triggers on Z): no trigger
    # is held, so the pad is at rest, and the wheel waking at joystick 1 is taken at once.
    session.plug_other(None)
    session.pad["dinput_id"] = 0
    session.plug(3, model=dict(XBOX_360_PAD, has_z=2))
    since = len(session.keys())
    program = session.start_brontavel(folder=os.path.join(session.run_dir, "no Z"), args=["/atlogon"])
    start = clock()
    session.plug_other(1)
    session.tool("broadcast", "device-change", check=True)
    session.wait_for(lambda: after(start, "acquire", "0"), 10, "joystick 1 to be taken from a pad whose Z DirectInput lacks")
    expect(session.keys(since) == [], f"a Z that DirectInput does not have was read as a trigger: {session.keys(since)}")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    session.plug_other(None)
    print("ok  zones at the joystick driver's edges; five quick taps on a noisy pad; the device of the pad's own "
          "make; no trigger from a Z DirectInput lacks; the device let go before its window")


# Where Windows 8 and later keep which Startup shortcuts the user turned off (Task Manager, Settings).
STARTUP_APPROVED = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder"


def tray(session):
    """The tray as a person uses it, with the program in a folder whose name the code page cannot
    write: the menu, About, Start with Windows, Options with a new binding and a new repeat rate, a
    file chosen there, two Options dialogs at once, the repeat they set, Exit."""
    opened = os.path.join(session.run_dir, "opened.txt")
    programs = os.path.join(session.run_dir, "programs")
    home, elsewhere = os.path.join(programs, OTHER_SCRIPT), os.path.join(session.run_dir, "elsewhere")
    for folder, settings_folder, name in ((session.run_dir, home, "right"), (elsewhere, elsewhere, "decoy"),
                                          (home, None, "chosen")):
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name + ".bat"), "w", newline="\r\n") as f:
            f.write(f'@echo {name}^|%CD%>> "{windows_path(opened)}"\n')  # and the folder it was started in
        if settings_folder:
            os.makedirs(settings_folder, exist_ok=True)
            write_settings(session, f"[Shortcuts]\nS9={windows_path(os.path.join(folder, name + '.bat'))}\n",
                           settings_folder)
    session.start_player()
    program = session.start_brontavel(home, args=["/atlogon"])  # no notification of a start by hand over the menu
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    settings_file = lambda: read_ini(os.path.join(home, "Brontavel.ini"))
    openings = lambda: [line.split("|") for line in open(opened).read().splitlines()] if os.path.exists(opened) else []
    opened_files = lambda: [name for name, _ in openings()]

    def open_menu():
        session.xdotool("mousemove", str(x), str(y), "mousedown", "3")
        session.wait_for(session.menu_open, 10, "the right-button press to open the menu")
        session.xdotool("mouseup", "3")
        time.sleep(0.2)  # a window in which the menu would close on the release
        expect(session.menu_open(), "the menu must stay open when the button comes up")

    open_menu()
    session.screenshot("tray-menu")
    session.choose_menu_item(0, 5)
    about = "About Brontavel for Winamp"
    expect(session.wait_window("#32770", about, 10000), "About did not open")
    texts = session.window_texts("#32770", about)
    expect("Static: Brontavel for Winamp" in texts and "Static: v 3.1b" in texts, f"About box: {texts}")
    layout = dict(line.split("|") for line in session.tool("layout", about, "185", "115", check=True)[1].splitlines())
    for text, rect in (("Brontavel for Winamp", (43, 6, 94, 8)), ("v 3.1b", (75, 14, 22, 8))):
        got = tuple(map(int, layout[text].split()))
        expect(all(abs(a - b) <= 1 for a, b in zip(got, rect)), f"About box: '{text}' at {got}, expected {rect}")
    session.screenshot("about")
    # A click on the caption would start a move, which swallows a key that comes before the release.
    # The box in front with the focus, the key is sent; the X server may not yet route keys to the
    # virtual desktop then. A box still in front with the focus 5 s later never had the key (Escape is
    # the dialog manager's own, nothing of the program's): that hiccup of the simulated desktop, and
    # only it, is said and met by one more key.
    for attempt in range(2):
        expect(session.in_front(about), "the About box must come to the front with the focus")
        session.xdotool("key", "Escape")
        if session.wait_window("#32770", about, 5000, verb="gone"):
            break
        if attempt == 0 and session.in_front(about, 1000):
            print("    the simulated desktop: Escape sent through the X server did not reach the About box; sent once more")
    expect(session.wait_window("#32770", about, 1000, verb="gone"), "Escape must close the About box")
    print("ok  the menu opens on the right-button press; About shows and closes with Escape")

    startup = lambda: session.tool("startup", check=True)[1].splitlines()
    shortcuts = lambda: [line.split("|") for line in startup()[1:]]
    exe = windows_path(os.path.join(home, "Brontavel.exe"))
    # One the user made by hand, or an older Brontavel without the switch, counts as this program's too.
    # (Wine's shell links keep a target only in the code page, so this one names the exe by its short name.)
    short_exe = session.tool("short", exe, check=True)[1].strip()
    session.tool("shortcut", startup()[0] + "\\Old Brontavel.lnk", short_exe, check=True)
    ours = [["Brontavel.lnk", exe, "/atlogon", windows_path(home)]]
    folder = os.path.join(session.prefix, "drive_c", startup()[0][3:].replace("\\", "/"))
    try:  # a shortcut left behind would start this copy in every later run of the prefix
        for marked, after in ((True, []), (False, ours), (True, [])):
            open_menu()
            expect(session.menu_item_marked(3, 5) == marked,
                   f"Start with Windows must {'' if marked else 'not '}be checked")
            session.screenshot(f"tray-menu-{'checked' if marked else 'unchecked'}")
            session.choose_menu_item(3, 5)
            try:
                session.wait_for(lambda: shortcuts() == after, 10, "")
            except ScenarioError:
                raise ScenarioError(f"the Startup folder holds {shortcuts()}, expected {after}")
        # Windows' own list of startup apps turns the shortcut off and leaves it in the folder: the mark
        # follows Windows, and choosing the item turns it on there again (other flags kept, the time gone).
        # A value Windows never writes, of another type or length, turns nothing off and is left as it is.
        approved = lambda: session.registry_value(STARTUP_APPROVED, "Brontavel.lnk")
        for kind, data, marked, after, then in (
                ("REG_BINARY", "030000001779BD0117D9D101", False, ("REG_BINARY", "020000000000000000000000"), ours),
                ("REG_BINARY", "07000000B2C533AE16D9D101", False, ("REG_BINARY", "060000000000000000000000"), ours),
                ("REG_BINARY", "03000000", True, ("REG_BINARY", "03000000"), []),
                ("REG_DWORD", "3", False, ("REG_DWORD", "0x3"), ours),
                ("REG_DWORD", "3", True, ("REG_DWORD", "0x3"), [])):
            session.wine("reg", "add", STARTUP_APPROVED, "/v", "Brontavel.lnk", "/t", kind, "/d", data, "/f")
            open_menu()
            expect(session.menu_item_marked(3, 5) == marked,
                   f"Start with Windows must {'' if marked else 'not '}be checked beside {kind} {data}")
            session.choose_menu_item(3, 5)
            session.wait_for(lambda: shortcuts() == then, 10, f"the Startup folder to hold {then} beside {kind} {data}")
            expect(approved() == after, f"Windows' list must hold {after}, not {approved()}")
        os.chmod(folder, stat.S_IRUSR | stat.S_IXUSR)
        open_menu()
        session.choose_menu_item(3, 5)
        expect_box(session, "Start with Windows", "Brontavel could not add its shortcut to the Startup folder")
    finally:
        os.chmod(folder, stat.S_IRWXU)
        session.clear_startup_folder()
    expect(startup()[1:] == [], "a failure must change nothing")
    print("ok  Start with Windows makes and removes the Startup shortcut, shows the mark as Windows' list of startup "
          "apps has it and turns it on there, reports a failure")

    # Paused from the menu: the icon greys, the tip says so, and no notification (the user is at the screen);
    # gestures reach nothing, and a second start does not resume it. The same item resumes.
    for paused in (True, False):
        open_menu()
        expect(session.menu_item_marked(2, 5) != paused, f"Pause must {'not ' if paused else ''}be checked")
        session.choose_menu_item(2, 5)
        session.wait_for(lambda: (session.tray_icon_position() is None) == paused, 10, f"the icon, paused: {paused}")
        expect(session.tip(x, y)[1] == ("Brontavel: paused" if paused else "Brontavel"), "the tip")
        time.sleep(2.5)  # a window in which a notification would appear: Wine's shell shows one after 2 s
        shown = [text for _, text in session.balloons()]
        expect(PAUSED_NOTICE not in shown and "Brontavel resumed" not in shown, f"the menu must show no notice: {shown}")
        if paused:
            session.screenshot("tray-paused")
            second = session.start_brontavel(folder=os.path.join(session.run_dir, "second"), ready=False)
            expect(second.wait(timeout=60) == 0, "the second copy must end with exit code 0")
            session.wait_for(session.balloons, 15, "the running copy to say where it is")
            expect(session.tray_icon_position() is None, "a second start must not resume")
            # The pad gone while paused: waiting is the news the user must act on.
            gone = len(session.driver_reports())
            session.unplug()
            session.wait_for(lambda: [r for r in session.driver_reports()[gone:] if r[1] in ("lost", "absent")], 5,
                             "the pad to go")
            session.wait_for(lambda: session.tip(x, y)[1] == "Brontavel: waiting for a joystick", 10,
                             "the tip to say it waits, paused or not")
            session.plug()
            session.tool("broadcast", "device-change", check=True)
            session.wait_for(lambda: [r for r in session.driver_reports()[gone:] if r[1] == "acquire"], 10,
                             "the pad to be taken again")
            expect(session.tip(x, y)[1] == "Brontavel: paused", "the pad back, the tip must say paused again")
        since = len(session.keys())
        buttons(1)(session)
        expect_keys(session, since, [] if paused else press("playlist", VK["X"]),
                    f"Button1 {'while paused' if paused else 'once resumed'}")
    print("ok  Pause from the menu greys the icon, says so in the tip, stops every gesture, outlasts a second start")

    open_menu()
    session.choose_menu_item(1, 5)
    options = "Brontavel Options"
    expect(session.wait_window("#32770", options, 10000), "Options did not open")
    expect(session.in_front(options), "Options must come to the front with the focus")
    session.screenshot("options")
    # Then what is typed in the field that has the focus shows that the keys before it reached Options.
    # A click into the field (not the caption, which starts a move) makes sure the keys go there.
    session.click_control(options, 1013)
    session.xdotool("key", "Escape", "key", "Return", "key", "End", "key", "shift+Home", "type", "150")
    rate = lambda: [t for t in session.window_texts("#32770", options) or [] if t.startswith("Edit: ")][:1]
    session.wait_for(lambda: rate() == ["Edit: 150"], 10, f"the keys to reach Options: {rate()}")
    expect(session.window_texts("#32770", options) is not None, "Enter or Escape closed Options")

    session.click_control(options, 1015)
    session.xdotool("key", "B", "key", "Return")  # "Button1"
    session.click_control(options, 1016)
    session.xdotool("key", "S", "key", "Return")  # "Stop": the first command after "Play" starting with S
    session.screenshot("options-before-set")
    session.click_control(options, 1017)
    since = len(session.keys())
    buttons(1)(session)
    expect_keys(session, since, press("playlist", VK["V"]), "Button1 after Set: Stop")
    expect(settings_file()["Options/C9"] == "3", f"C9 in the file is {settings_file()['Options/C9']}, expected 3")
    print("ok  a binding changed with Set is used by the very next gesture and written to the file")

    # The last command, a media key, is stored at once and asks for no file.
    session.click_control(options, 1016)
    session.xdotool("key", "End", "key", "Return")  # "Windows volume mute"
    session.click_control(options, 1017)
    session.wait_for(lambda: settings_file()["Options/C9"] == "41", 10, "Set to store the media key")
    expect(session.tool("count", "#32770", "-")[1].strip() == "1", "a media key must ask for no file")
    print("ok  Set with a media key stores it and asks for no file")

    def pick_command(from_end):
        """Selects the command that many lines above the last in the Options' command list."""
        session.click_control(options, 1016)
        session.xdotool("key", "End", *["key", "Up"] * from_end, "key", "Return")

    def choose_with_set(file_number, *typed):
        """Set with "Execute/Open File n" selected: its chooser opens, and the keys are typed in it."""
        session.click_control(options, 1017)
        chooser = f"Choose File {file_number}"
        expect(session.wait_window("#32770", chooser, 10000), f"Set with File {file_number} must ask for the file")
        session.click_control(chooser, 0)
        session.xdotool(*typed)
        return chooser

    # A file chosen in the program's own folder, which the chooser opens in: kept by a name the
    # settings file can hold, bound only now, and opened by the next gesture.
    pick_command(7)  # "Execute/Open File 9"
    chooser = choose_with_set(9, "type", "chosen.bat")
    expect(settings_file()["Options/C9"] == "41", "the binding must wait for the file")
    session.xdotool("key", "Return")
    expect(session.wait_window("#32770", chooser, verb="gone"), "the chooser must close on the chosen file")
    try:
        session.wait_for(lambda: settings_file()["Options/C9"] == "34", 10, "")
    except ScenarioError:
        raise ScenarioError(f"no binding once the file was chosen; on screen: {session.window_texts('#32770', chooser)}")
    value = settings_file()["Shortcuts/S9"]
    expect("?" not in value and value.upper().endswith(".BAT"), f"S9 must name the chosen file reachably: {value}")
    buttons(1)(session)
    session.wait_for(lambda: opened_files() == ["chosen"], 20, "the chosen file to open")
    print(f"ok  a file chosen in a folder named in another script is kept as {value}, then bound, and opens")

    # Another file command: while its chooser browses another folder, which moves the process's current
    # directory, the gesture still opens the file of the program's own settings; cancelled, the
    # gesture keeps its binding. A name too long to keep is refused, and the user told why.
    pick_command(8)  # "Execute/Open File 8"
    chooser = choose_with_set(8, "type", windows_path(elsewhere))
    session.xdotool("key", "Return")
    files = len(os.listdir(elsewhere))
    session.wait_for(lambda: session.tool("list-count", chooser)[1].strip() == str(files), 10,
                     "the chooser to show the other folder")
    buttons(1)(session)
    session.wait_for(lambda: opened_files() == ["chosen", "chosen"], 20, "File 9 to open again")
    # Meanwhile the program's folder loses the short name Wine made for it (its parent can no longer be
    # listed, as on a volume that keeps no 8.3 names): the chooser gone, the program must be back in its
    # own folder all the same, where what the gestures open is started.
    os.chmod(programs, stat.S_IRWXU & ~stat.S_IRUSR)
    try:
        session.click_control(chooser, 0)
        session.xdotool("key", "Escape")
        expect(session.wait_window("#32770", chooser, verb="gone"), "Escape must cancel the chooser")
    finally:
        os.chmod(programs, stat.S_IRWXU)
    buttons(1)(session)
    session.wait_for(lambda: len(openings()) == 3, 20, "File 9 to open once more")
    first, _, last = [folder for _, folder in openings()]
    expect(last == first != windows_path(elsewhere), f"File 9 opened in {last}, not where the program started: {first}")
    # Past the 199 characters the settings file keeps, within what the chooser takes.
    long_file = os.path.join(long_folder(session.run_dir, 212), "far.bat")
    os.makedirs(os.path.dirname(long_file))
    open(long_file, "w").close()
    pick_command(8)  # the cancelled chooser left the list showing the kept binding, File 9
    choose_with_set(8, "type", windows_path(long_file))
    session.xdotool("key", "Return")
    expect_box(session, chooser, "The file's full name is too long for Brontavel: it keeps names of up to 199 "
               "characters, where a Chinese, Japanese or Korean character counts as two.")
    found = settings_file()
    expect(found["Options/C9"] == "34" and "Shortcuts/S8" not in found,
           f"a cancelled or refused file must change nothing: C9={found['Options/C9']}, S8={found.get('Shortcuts/S8')}")
    shown = session.window_texts("#32770", options)
    expect("ComboBox: Execute/Open File 9" in shown, f"Options must show the binding that was kept: {shown}")
    print("ok  a cancelled chooser, or a name too long to keep, leaves the gesture as it was, and Options shows it; the "
          "user is told why; the chooser gone, what a gesture opens starts in the program's folder again")

    # The folder can no longer be written: the first write that fails says so, once; a file chosen after
    # that is used all the same until the program ends, as that notice promises.
    os.chmod(os.path.join(home, "Brontavel.ini"), stat.S_IRUSR)
    try:
        pick_command(9)  # "Execute/Open File 7"
        seventh = choose_with_set(7, "type", windows_path(os.path.join(elsewhere, "decoy.bat")))
        session.xdotool("key", "Return")
        # Options stays on top of other windows: only a box that Options owns comes in front of it.
        expect(session.in_front("Settings Not Saved"), "the notice must open in front of Options")
        owner = session.tool("owner", "Settings Not Saved")[1].strip()
        expect(owner == options, f"the notice for a chosen file must belong to Options, not to '{owner}'")
        expect_box(session, "Settings Not Saved", "Brontavel cannot save its settings in")
        expect(session.wait_window("#32770", seventh, verb="gone"), "the chooser must close")
        buttons(1)(session)
        session.wait_for(lambda: opened_files()[-1:] == ["decoy"], 20, "the file chosen while unsaved to open")
        pick_command(0)  # "Windows volume mute"
        session.click_control(options, 1017)
        expect(not session.wait_window("#32770", "Settings Not Saved", 500), "the notice came twice")
    finally:
        os.chmod(os.path.join(home, "Brontavel.ini"), stat.S_IRUSR | stat.S_IWUSR)
    print("ok  with the folder unwritable, the notice comes once and a file chosen after it is used")

    session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "1")
    count = lambda: session.tool("count", "#32770", options)[1].strip()
    # The second dialog is a window before its controls are made: ready once the one found has them.
    session.wait_for(lambda: count() == "2" and session.tool("rect", options, "1013")[0] == 0, 10,
                     "a double-click to open a second Options dialog")
    session.wait_ready("#32770", options)
    # Each saves its own fields: the one closed last decides. What a user cannot mean is refused first.
    for typed, left in (("0", "2"), ("50", "1"), ("70", "0")):
        session.click_control(options, 1013)
        session.xdotool("key", "End", "key", "shift+Home", "type", typed)
        session.click_control(options, 0)
        session.xdotool("key", "alt+F4")
        if left == "2":
            expect_box(session, "Repeat Rate", "Repeat Rate takes whole milliseconds from 10 to 10000")
            expect(count() == "2" and settings_file().get("Options/RepeatRate") != typed, "0 must be refused")
            continue
        session.wait_for(lambda: count() == left, 10, f"Alt+F4 to close the dialog with {typed}")
    expect(settings_file()["Options/RepeatRate"] == "70", "the dialog closed last must decide the file")
    held, after = hold(session, LOW, CENTRE, VK["Z"], 8)
    intervals = [round(b - a, 1) for a, b in zip(held, held[1:])]
    print(f"    presses {len(held)}; intervals (ms) {intervals}")
    expect(150 <= intervals[0] <= 800, f"the first repeat must come after the repeat delay: {intervals}")
    expect(60 <= statistics.median(intervals[1:]) <= 90, f"later repeats must come at the rate of 70 ms: {intervals}")
    expect(after <= 1, f"the repeat must stop at the centre, {after} presses came after it")
    print("ok  Enter and Escape leave Options open; a repeat rate of 0 is refused; the dialog closed last decides "
          "the repeat rate, which is used")

    # Exit while Options is open keeps what was typed there, as the dialog's own close would.
    session.xdotool("mousemove", str(x), str(y), "click", "--repeat", "2", "1")
    session.wait_for(lambda: count() == "1", 10, "a double-click to open Options")
    session.click_control(options, 1014)
    session.xdotool("key", "End", "key", "shift+Home", "type", "0450")
    session.tool("end-session", "Brontavel", check=True)
    expect(settings_file()["Options/RepeatDelay"] == "0450", "logging off with Options open must keep the typed delay")
    # With one field unsound, nothing is written, the sound one neither.
    for field, typed in ((1013, "0"), (1014, "0460")):
        session.click_control(options, field)
        session.xdotool("key", "End", "key", "shift+Home", "type", typed)
    open_menu()
    session.choose_menu_item(4, 5)
    expect(program.wait(timeout=30) == 0, "Exit must end the program with exit code 0")
    session.wait_for(lambda: session.tray_icon_position() is None, 10, "Exit to remove the tray icon")
    found = settings_file()
    expect((found["Options/RepeatDelay"], found["Options/RepeatRate"]) == ("0450", "70"),
           f"Exit with an unsound field must write nothing: {found}")
    print("ok  logging off with Options open keeps the typed delay; Exit with an unsound field writes nothing, removes "
          "the icon and ends with exit code 0")

    # The program in a folder whose path is longer than Windows' old limit of 260 characters: the
    # shortcut still names the program itself, not a cut name that starts nothing. (It is started from
    # an ordinary folder: Wine starts a program in C:\windows when its folder's path is that long.)
    deep = os.path.join(session.run_dir, *["a folder with a long name " * 2] * 6)
    started_in = os.path.join(session.run_dir, "started in")
    os.makedirs(started_in)
    program = session.start_brontavel(deep, cwd=started_in, args=["/atlogon"])
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    exe = windows_path(os.path.join(deep, "Brontavel.exe"))
    try:
        for after in ([["Brontavel.lnk", exe, "/atlogon", windows_path(started_in)]], []):
            open_menu()
            session.choose_menu_item(3, 5)
            try:
                session.wait_for(lambda: shortcuts() == after, 10, "")
            except ScenarioError:
                raise ScenarioError(f"from a path of {len(exe)} characters the Startup folder holds {shortcuts()}; "
                                    f"on screen: {session.window_texts('#32770', 'Start with Windows')}")
    finally:
        session.clear_startup_folder()
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")
    print(f"ok  from a path of {len(exe)} characters, Start with Windows names the program itself")


def appearance(session):
    """Both builds of every edition carry a well-formed manifest (themed controls, sharp at any scale, the Windows
    versions it knows; the user's own rights for the 64-bit build alone, as Windows keeps a 32-bit
    program's settings under Program Files only while it asks for none) and the version information
    the About box shows, naming the edition."""
    builds = (session.build_dir, session.build_dir.replace("x86_64", "i686"))
    editions = (("", "Brontavel for Winamp"), ("classic", "Brontavel for classic Winamp"), ("anyplayer", "Brontavel for any player"))
    for build, product in [(os.path.join(b, folder), name) for b in builds for folder, name in editions]:
        code, out = session.tool("resources", windows_path(os.path.join(build, "Brontavel.exe")))
        expect(code == 0, f"no manifest or version information in {build}: {out!r}")
        manifest = out.partition("</assembly>")[0]
        ElementTree.fromstring(manifest + "</assembly>")  # Windows will not start a program whose manifest is broken
        expect(("requestedExecutionLevel" in manifest) == ("x86_64" in build), f"{build}: its execution level")
        for wanted in ('name="Microsoft.Windows.Common-Controls" version="6.0.0.0"', ">true/pm<", ">PerMonitorV2, ",
                       "\nFileDescription=Brontavel - ", "\nFileVersion=3.1b\n",
                       f"\nProductName={product}\n", "\nProductVersion=3.1b\n"):
            expect(wanted in out, f"{build}: no {wanted!r} in its resources")
        expect(manifest.count("<supportedOS ") == 5, f"{build}: Vista to Windows 10 and 11")
    print("ok  both editions of both builds carry the manifest and the version information of their edition")


def hung_player(session):
    """A player that stops answering costs a bounded wait, never the remote itself; an Xbox 360 pad through
    Vista's XInput, which cannot tell a battery."""
    session.start_player()
    session.plug(1, model=XBOX_360_PAD)
    program = session.start_brontavel(args=["/atlogon"])  # no notification of a start by hand over the menu
    x, y = session.wait_for(session.tray_icon_position, 10, "the tray icon")
    open(session.hang_file, "w").close()
    session.wait_for(lambda: any(e[2] == "HANG" for e in session.player_events()), 5, "the player to hang")
    # Play goes to the hung player; Pause comes next, and its status shows only once the program has
    # given up on Play's key messages.
    buttons(1)(session)
    started = time.time()
    buttons(2)(session)
    session.wait_for(lambda: (session.window_texts("Brontavel") or [""])[0] == "title: Button 2 pressed", 15,
                     "the program to get past the hung player")
    waited = time.time() - started
    print(f"    the next gesture was handled {waited:.1f} s after a key went to the hung player")
    expect(waited < 10, "the key messages to a hung player must time out")
    session.xdotool("mousemove", str(x), str(y), "mousedown", "3", "mouseup", "3")
    session.wait_for(session.menu_open, 15, "the tray menu to open while the player hangs")
    session.xdotool("mousemove", "500", "300", "click", "1")  # dismiss the menu
    os.remove(session.hang_file)
    session.wait_ready("STUDIO", "Winamp3")
    since = len(session.keys())
    direction(HIGH, CENTRE)(session)
    session.wait_for(lambda: press("playlist", VK["B"])[0] in session.keys(since), 10, "Next to reach the player")
    print("ok  the remote stays usable while the player hangs, and delivers again once it answers")
    session.tool("close", "Brontavel", check=True)
    expect(program.wait(timeout=30) == 0, "exit code")


SCENARIOS = {f.__name__: f for f in (gestures, todays_pads, xinput_pads, games, player_comes_and_goes, settings, startup,
                                     tray, appearance, hung_player)}
settings.honour_permissions = tray.honour_permissions = True
settings.direct_input = hung_player.direct_input = False  # the poll, where DirectInput finds no pad
settings.xinput = startup.xinput = None  # Windows without XInput: DirectInput and the poll serve as before
hung_player.xinput = "xinput9_1_0"  # Vista's XInput, without the battery call


if __name__ == "__main__":  # scenarios.py BUILD_DIR WORK_DIR SCENARIO: the windows-x86_64 build, where runs go
    build, work, name = sys.argv[1:]
    try:
        with TestSession(build, work, honour_permissions=getattr(SCENARIOS[name], "honour_permissions", False),
                         direct_input=getattr(SCENARIOS[name], "direct_input", True),
                         xinput=getattr(SCENARIOS[name], "xinput", "xinput1_4")) as s:
            print(f"scenario {name} in {s.run_dir}")
            try:
                SCENARIOS[name](s)
            except Exception:  # which programs had ended by then, and how, tells a crash from a close
                for process in s.processes:
                    state = "running" if process.poll() is None else f"exit code {process.returncode}"
                    print(f"    {' '.join(process.args[-2:])}: {state}")
                    with open(process.said, errors="replace") as said:
                        print("".join(f"      {line}" for line in said.readlines()[-5:]), end="")
                raise
    except Exception as error:  # a broken harness must fail the test, never pass it
        print(f"FAIL {name}: {error}")
        traceback.print_exc()
        sys.exit(1)
    print(f"PASS {name}")
