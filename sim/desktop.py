"""The simulated desktop that `make demo`, `make bench` and the end-to-end scenarios run on: the real
Brontavel.exe under Wine on a virtual desktop, with the stand-in joystick driver and the stand-in
player, and what a person at that desktop has: a stick, a mouse, eyes.

One Session is one Wine virtual desktop on one X display (the user's own, or an Xvfb started for it)
with a Wine prefix of its own. The prefix outlives a session, so a session starts by clearing what an
earlier one may have left in it (its programs, the shortcuts in its Startup folder) and ends by
ending its own: its Xvfb, and the processes of its prefix (through that prefix's wineserver).
"""
import glob
import os
import re
import shutil
import subprocess
import tempfile
import time

WINE = shutil.which("wine64") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"
DESKTOP_SIZE = (1024, 768)
CENTRE = 32768
HAT_CENTRED = 0xFFFF
# What Windows says a device is: its USB vendor and product ids, how many buttons it has, a Z axis, and
# whether XInput serves it (1: an Xbox 360 pad, on its older driver; 2: an Xbox One or Series pad, whose
# driver holds its changes back from DirectInput and the joystick driver for a program with no window
# in front). Windows' Xbox driver reports ten buttons and both triggers on Z; a PlayStation pad
# (DualShock 4) fourteen buttons, its right stick on Z.
NOT_XINPUT, XBOX_360, XBOX_ONE = 0, 1, 2
GENERIC_PAD = dict(vendor=0x0079, product=0x0006, button_count=12, has_z=1, xinput=NOT_XINPUT)
XBOX_PAD = dict(vendor=0x045E, product=0x0B12, button_count=10, has_z=1, xinput=XBOX_ONE)  # an Xbox Series pad
XBOX_360_PAD = dict(vendor=0x045E, product=0x028E, button_count=10, has_z=1, xinput=XBOX_360)
PLAYSTATION_PAD = dict(vendor=0x054C, product=0x09CC, button_count=14, has_z=1, xinput=NOT_XINPUT)
WHEEL = dict(vendor=0x046D, product=0xC29B, button_count=24, has_z=1, xinput=NOT_XINPUT)
WIRED = 4  # a pad's battery: 0..3 is a wireless pad's level, empty to full
QUIET = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


# The programs that get the stand-in joystick driver and DirectInput; every other program of the prefix
# keeps Wine's.
JOYSTICK_PROGRAMS = ("Brontavel.exe", "bench_relay.exe")
STANDIN_DLLS = ("winmm", "dinput8", "xinput1_4", "xinput9_1_0")
XINPUT_DLLS = ("xinput1_4", "xinput1_3", "xinput9_1_0")
PREFIX_VERSION = "4"  # raise it when the one-time set-up of the prefix changes


class ScenarioError(Exception):
    """A scenario found the program doing something it must not, or could not run at all."""


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def read_ini(path):
    """A settings file as {"Section/Key": value}, read as text: a path past MAX_PATH is beyond the
    profile functions themselves."""
    values, section = {}, ""
    with open(path, errors="replace") as f:
        for line in f:
            if line.startswith("["):
                section = line.strip()[1:-1]
            elif "=" in line:
                values.setdefault(section + "/" + line.split("=", 1)[0], line.split("=", 1)[1].strip())
    return values


class Session:
    def __init__(self, build_dir, work_dir, use_own_display=False, honour_permissions=False, direct_input=True,
                 xinput="xinput1_4"):
        for tool in (WINE, "Xvfb", "xdotool", "import"):
            if not shutil.which(tool):
                raise ScenarioError(f"cannot run: missing {tool} (make check installs it)")
        self.build_dir = os.path.abspath(build_dir)
        self.artifacts = os.path.join(os.path.abspath(work_dir), "artifacts")
        self.prefix = os.path.join(os.path.abspath(work_dir), "wineprefix")
        os.makedirs(self.artifacts, exist_ok=True)
        self.run_dir = tempfile.mkdtemp(prefix="run-", dir=os.path.abspath(work_dir))
        self.stick_file, self.driver_log, self.player_log, self.hang_file = (
            os.path.join(self.run_dir, name) for name in ("pad/joystick.txt", "driver.log", "player.log", "player.hang"))
        os.makedirs(os.path.dirname(self.stick_file))  # a folder of its own: only the pad's changes wake a watcher
        self.display = os.environ.get("DISPLAY") if use_own_display else None
        # Without the stand-in DirectInput, Brontavel gets Wine's, which finds no pad: it polls instead.
        # XInput is the stand-in xinput1_4.dll, or only xinput9_1_0.dll (Vista's, without the battery
        # call), or with None none at all (Windows before XP, or XP without it).
        self.xinput = xinput
        missing = [dll for dll in XINPUT_DLLS if dll != xinput]
        self.dll_overrides = ("mscoree,mshtml=" + ("" if direct_input else ";dinput8=b") + ";" + ",".join(missing) + "=")
        # Tests run as root, for whom no file is read-only. Without these two capabilities root is held
        # to a file's permission bits like anyone else, which is what Windows' read-only attribute does.
        self.launcher = ["setpriv", "--bounding-set", "-dac_override,-dac_read_search", "--"] if honour_permissions else []
        self.xvfb = None
        self.processes = []
        # The pad in the user's hand: where its stick, buttons and hat are, whether it has a hat (and
        # whether that tells hundredths of a degree or only its four directions), the joystick number
        # Windows gives it (1..16), whether it answers at all, and what it is (USB vendor and product,
        # buttons, a Z axis). A second device may be plugged in beside it.
        # An XInput pad sits in an XInput slot (1..4) too, with its triggers apart and a battery.
        self.pad = dict(x=CENTRE, y=CENTRE, z=CENTRE, buttons=0, hat=HAT_CENTRED, has_hat=1, hat_cts=1, number=1,
                        present=True, slot=1, lt=0, rt=0, battery=WIRED, interruptions=0, exclusive=0, pending=0,
                        dinput_id=0, polled=0, **GENERIC_PAD)
        self.other = dict(self.pad, present=False, **WHEEL)

    def __enter__(self):
        if not self.display:  # Xvfb picks a free display and names it once it is listening
            read, write = os.pipe()
            self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % DESKTOP_SIZE,
                                          "-nolisten", "tcp"], pass_fds=(write,), **QUIET)
            os.close(write)
            with os.fdopen(read) as f:
                self.display = ":" + f.readline().strip()
            if self.display == ":":
                raise ScenarioError("cannot run: no X display could be started")
        # A UTF-8 locale, so that arguments in any script reach Windows programs intact; the code page
        # of the Windows side stays the Western one.
        self.env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=self.display,
                        WINEDLLOVERRIDES=self.dll_overrides,
                        BRONTAVEL_STANDIN_JOYSTICK=windows_path(self.stick_file),
                        BRONTAVEL_STANDIN_LOG=windows_path(self.driver_log),
                        BRONTAVEL_PLAYER_LOG=windows_path(self.player_log),
                        BRONTAVEL_PLAYER_HANG=windows_path(self.hang_file))
        # Whatever an earlier run left behind must not change this one: its programs still running, or
        # a shortcut in the Startup folder that wineboot would start.
        subprocess.run(self.launcher + [WINESERVER, "-k"], env=self.env, **QUIET)
        self.clear_startup_folder()
        marker = os.path.join(self.prefix, "brontavel-ready")
        if not os.path.exists(marker) or open(marker).read() != PREFIX_VERSION:
            self.wine("wineboot", "-i")
            # Every program of the prefix runs in one virtual desktop, whose taskbar holds the tray.
            self.wine("reg", "add", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/d", "Default", "/f")
            self.wine("reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", "Default", "/d",
                      "%dx%d" % DESKTOP_SIZE, "/f")
            for program in JOYSTICK_PROGRAMS:
                for dll in STANDIN_DLLS:
                    self.wine("reg", "add", f"HKCU\\Software\\Wine\\AppDefaults\\{program}\\DllOverrides", "/v", dll,
                              "/d", "native,builtin", "/f")
            subprocess.run(self.launcher + [WINESERVER, "-w"], env=self.env, timeout=120)
            with open(marker, "w") as f:
                f.write(PREFIX_VERSION)
        # Bring up the prefix's wineserver and services now, detached from every pipe of ours.
        self.wine("wineboot")
        # The file chooser opens where it was last used, which may be in an earlier run's folder; a shortcut
        # an earlier run turned off in Windows' list of startup apps would stay off.
        for key in ("ComDlg32", "StartupApproved"):
            self.wine("reg", "delete", f"HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\{key}", "/f")
        # The stand-ins go where Windows keeps the real ones, after wineboot, which may renew that folder.
        for dll in STANDIN_DLLS:
            shutil.copy(self.program(dll + ".dll"), os.path.join(self.prefix, "drive_c", "windows", "system32"))
        self.write_pad()
        return self

    def __exit__(self, *exc):
        subprocess.run(self.launcher + [WINESERVER, "-k"], env=self.env, **QUIET)
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait(timeout=10)

    def clear_startup_folder(self):
        for shortcut in glob.glob(os.path.join(self.prefix, "drive_c", "users", "*", "AppData", "Roaming", "Microsoft",
                                               "Windows", "Start Menu", "Programs", "Start[Uu]p", "*")):
            os.remove(shortcut)

    def wine(self, *args):
        subprocess.run(self.launcher + [WINE, *args], env=self.env, timeout=300, **QUIET)

    def registry_value(self, key, name):
        """A registry value as reg query prints it, (type, data), or None where there is none."""
        out = subprocess.run(self.launcher + [WINE, "reg", "query", key, "/v", name], env=self.env, timeout=60,
                             capture_output=True, text=True, errors="replace").stdout
        found = [line.split() for line in out.splitlines() if line.split()[:1] == [name]]
        return tuple(found[0][1:3]) if found else None

    # ---- programs ------------------------------------------------------------------------------

    def program(self, name):
        """One of the simulated desktop's own programs."""
        return os.path.join(self.build_dir, "sim", name)

    def start_program(self, exe, args=(), cwd=None, env=None):
        # What Wine says on the way (a process that cannot start, a crash) is kept for a failure's report.
        with open(os.path.join(self.run_dir, f"wine-{len(self.processes)}.log"), "wb") as said:
            process = subprocess.Popen(self.launcher + [WINE, exe, *args], cwd=cwd or self.run_dir,
                                       env=dict(self.env, **(env or {})), stdout=subprocess.DEVNULL, stderr=said)
        process.said = said.name
        self.processes.append(process)
        return process

    def start_brontavel(self, folder=None, ready=True, cwd=None, args=(), env=None, edition=""):
        """Copies the program (of the edition "", "classic" or "anyplayer") into a folder and starts it
        there, or in cwd; with ready, returns once its start-up has finished."""
        folder = folder or self.run_dir
        os.makedirs(folder, exist_ok=True)
        shutil.copy(os.path.join(self.build_dir, edition, "Brontavel.exe"), folder)
        seen = len(self.driver_reports())
        process = self.start_program(os.path.join(folder, "Brontavel.exe"), args, cwd=cwd or folder, env=env)
        if ready:
            self.wait_started(seen)
        return process

    def wait_started(self, seen, last_step=None):
        """Start-up has finished once the driver saw its last call (the look at the pad's capabilities
        as it is taken, or XInput's first read of an XInput pad, after which come only the settings and
        the player's windows, with no cross-thread call that would let the program answer early) and the
        program then answers a message, which it does only from a message loop. With no pad, the last
        look is at joystick 16."""
        last_step = last_step or (("xinput",) if self.pad["present"] and self.read_by_xinput() else ("caps",))
        self.wait_for(lambda: any(tuple(r[1:1 + len(last_step)]) == last_step for r in self.driver_reports()[seen:]),
                      60, f"the driver to see {' '.join(last_step)}")
        self.wait_ready("Brontavel")

    # The stand-in player's forms, and the window that answers once each has started.
    PLAYERS = {"": ("STUDIO", "Winamp3"), "classic": ("Winamp v1.x", "-"), "media": ("MediaKeyListener", "-")}

    def start_player(self, form=""):
        """Winamp 3, the classic player ("classic"), or any other player, listening for the media keys
        ("media")."""
        process = self.start_program(self.program("standin_player.exe"), [form] if form else [])
        self.wait_ready(*self.PLAYERS[form])
        return process

    def tool(self, *args, timeout=60, check=False):
        # Output goes through a file, not a pipe: a Wine process can leave daemons behind that hold a
        # pipe open long after it has ended.
        with tempfile.TemporaryFile(mode="w+", encoding="utf-8", errors="replace") as out, \
                tempfile.TemporaryFile(mode="w+", encoding="utf-8", errors="replace") as err:
            result = subprocess.run(self.launcher + [WINE, self.program("window_tool.exe"), *args], env=self.env,
                                    cwd=self.run_dir, stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            text = out.read()
            err.seek(0)
            # What Wine said when the tool failed: a tool that never ran reads as a window that is not there.
            self.tool_said = "" if result.returncode == 0 else err.read()[-2000:]
        # The tool answers 0 or 1 (2 for a verb it does not know); anything else is the tool or Wine failing.
        if result.returncode not in (0, 1, 2) or (check and result.returncode != 0):
            raise ScenarioError(f"window_tool {' '.join(args)} failed ({result.returncode}): {text}{self.tool_said}")
        return result.returncode, text

    def wait_window(self, window_class, title="-", timeout_ms=30000, verb="wait"):
        """Whether such a window appears ("wait"), goes ("gone"), or appears and answers ("ping") in time."""
        code, text = self.tool(verb, window_class, title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)
        if code != 0 and not text.strip():  # a wait that failed says what it saw: the tool never ran
            raise ScenarioError(f"window_tool {verb} {window_class} {title} ended with {code} and said nothing"
                                f"{self.tool_said}")
        self.tool_said = (f" ({text.strip()})" if code != 0 else "") + self.tool_said
        return code == 0

    def balloons(self):
        """The notifications shown now, as [window, text]."""
        return [line.split("|", 1) for line in self.tool("balloons")[1].splitlines()]

    def menu_open(self):
        return self.tool("menu")[0] == 0

    def wait_ready(self, window_class, title="-", timeout_ms=60000):
        if not self.wait_window(window_class, title, timeout_ms, "ping"):
            raise ScenarioError(f"no responsive window of class {window_class} within {timeout_ms} ms{self.tool_said}")

    # ---- the stick, the mouse, the screen --------------------------------------------------------

    def unplug(self):
        """The pad goes away (unplugged, asleep, switched off): no joystick number answers."""
        self.pad["present"] = False
        self.write_pad()

    def plug(self, number=1, has_hat=True, model=None, slot=1):
        """The pad is there again, at joystick number (1..16) and, for an XInput pad, XInput slot (1..4),
        where the hand left it; with model, a pad of that make instead."""
        self.pad.update(present=True, number=number, has_hat=int(has_hat), slot=slot, **(model or {}))
        self.write_pad()

    def interrupt(self, exclusive=None):
        """Another program (or a resume) takes DirectInput's acquisition of the pad away for a moment; with
        exclusive, it goes on holding the pad exclusively (True) or lets go of it (False)."""
        self.pad["interruptions"] += 1
        if exclusive is not None:
            self.pad["exclusive"] = int(exclusive)
        self.write_pad()

    def set_battery(self, level):
        self.pad["battery"] = level
        self.write_pad()

    def read_by_xinput(self, pad=None):
        """Whether the program should read this pad through XInput."""
        return bool((pad or self.pad)["xinput"]) and self.xinput is not None

    def plug_other(self, number=None):
        """Another device (a wheel) is plugged in at joystick number, or with None taken away."""
        self.other.update(present=number is not None, number=number or 0)
        self.write_pad()

    def stick(self, x, y, buttons=0, hat=HAT_CENTRED, pad=None, z=CENTRE, lt=0, rt=0):
        """Puts the stick, the buttons, the hat and the Z axis (another pad's right stick), or an XInput
        pad's triggers, of the pad (or the other device) where a hand would; the program sees them at its
        next read. Windows' Xbox driver shows an XInput pad's triggers to the joystick driver on Z, the
        left toward 65535 and the right toward 0, both held cancelling out."""
        pad = pad or self.pad
        if pad["xinput"]:
            z = min(65535, CENTRE + 128 * lt - 128 * rt)
        pad.update(x=x, y=y, buttons=buttons, hat=hat, z=z, lt=lt, rt=rt)
        self.write_pad()

    def write_pad(self):
        """Both devices, written in place, in one write of a fixed length, so that the driver's open file
        always holds a whole state or fails its check."""
        fields = []
        for p in (self.pad, self.other):
            hat_kind = (2 if p["hat_cts"] else 1) if p["has_hat"] else 0
            fields += [p["x"], p["y"], p["z"], p["buttons"], p["hat"], hat_kind, p["number"] if p["present"] else 0,
                       p["vendor"], p["product"], p["button_count"], p["has_z"], p["xinput"], p["slot"], p["lt"],
                       p["rt"], p["battery"], p["interruptions"], p["exclusive"], p["pending"], p["dinput_id"],
                       p["polled"]]
        text = " ".join(map(str, fields + [sum(fields)]))
        fd = os.open(self.stick_file, os.O_WRONLY | os.O_CREAT, 0o644)
        try:
            os.pwrite(fd, text.ljust(239).encode() + b"\n", 0)
        finally:
            os.close(fd)

    def reads(self, since=0):
        """The program's reads of the pad, through the joystick driver, DirectInput or XInput, from the
        since-th log line on, as (time, x, y, buttons, hat, z)."""
        return [(float(r[0]), *map(int, r[3:8])) for r in self.driver_reports()[since:]
                if r[1] in ("read", "state", "xinput")]

    def move_stick(self, x, y, buttons=0, hat=HAT_CENTRED, timeout=5.0, pad=None, z=CENTRE, lt=0, rt=0):
        """Puts the stick somewhere and waits until the program has read it there, so that a gesture lasts
        one poll, not however long a busy machine takes to get round to it. XInput has no event: the
        program samples an XInput pad on a thread of its own and reads it again on its window's, and the
        hand waits for both."""
        seen = len(self.driver_reports())
        pad = pad or self.pad
        if (x, y, buttons, hat, z, lt, rt) == tuple(pad[k] for k in ("x", "y", "buttons", "hat", "z", "lt", "rt")):
            return
        self.stick(x, y, buttons, hat, pad=pad, z=z, lt=lt, rt=rt)
        state = tuple(pad[k] for k in ("x", "y", "buttons", "hat", "z"))
        if self.read_by_xinput(pad):
            threads = lambda: {r[10] for r in self.driver_reports()[seen:]
                               if r[1] == "xinput" and tuple(map(int, r[3:10])) == state + (lt, rt)}
            self.wait_for(lambda: len(threads()) >= 2, timeout, f"the program to read the pad at {state} through XInput")
        else:
            self.wait_for(lambda: any(r[1:] == state for r in self.reads(seen)), timeout,
                          f"the program to read the pad at {state}")

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def screenshot(self, name):
        path = os.path.join(self.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return path

    def tray_icon_position(self):
        """Where the program's icon (its red knob) sits in the taskbar, or None."""
        width, height = DESKTOP_SIZE
        out = subprocess.run(["convert", self.screenshot("tray-search"), "-crop",
                              f"{width // 4}x40+{width - width // 4}+{height - 40}", "txt:-"],
                             capture_output=True, text=True, check=True).stdout
        points = [(int(m.group(1)), int(m.group(2))) for m in
                  re.finditer(r"^(\d+),(\d+): \(\s*255,\s*0,\s*0", out, re.MULTILINE)]
        if not points:
            return None
        return (sum(p[0] for p in points) // len(points) + width - width // 4,
                sum(p[1] for p in points) // len(points) + height - 40 + 3)

    # ---- what the player and the driver recorded ------------------------------------------------

    def player_events(self):
        """The player's log as (time_ms, window, event, wParam, lParam)."""
        if not os.path.exists(self.player_log):
            return []
        with open(self.player_log) as f:
            lines = [line.split() for line in f]
        # A line being written as we read is left for the next look.
        return [(float(t), w, e, int(wp, 16), int(lp)) for t, w, e, wp, lp in (p for p in lines if len(p) == 5)]

    def driver_reports(self):
        """The stand-in driver's, DirectInput's and XInput's log, a line a changed answer: [time, "read", id, x,
        y, buttons, hat, z] (DirectInput: "state"; XInput: "xinput", with the slot for id, then the
        triggers and the reading thread), [time, "acquire", id], [time, "lost", id], [time, "absent", id], [time, "caps", id,
        has_hat]; and XInput's every call: [time, "xempty", slot], [time, "rumble", slot, left, right],
        [time, "battery", slot, level]."""
        if not os.path.exists(self.driver_log):
            return []
        with open(self.driver_log) as f:
            return [line.split() for line in f]

    def keys(self, since=0):
        """What the players received, from the since-th on: key messages, commands, hot keys (with their
        virtual-key code) and close requests."""
        return [(window, event, vk, lparam) for (_, window, event, vk, lparam) in self.player_events()
                if event in ("KEYDOWN", "KEYUP", "COMMAND", "HOTKEY", "CLOSE")][since:]

    def wait_for(self, condition, timeout=10.0, what="a condition", every=0.05):
        deadline = time.time() + timeout
        while time.time() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(every)
        raise ScenarioError(f"timed out waiting for {what}")
