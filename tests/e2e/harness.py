"""Runs the real Brontavel.exe under Wine on a virtual desktop, with the stand-in joystick driver and
the stand-in player, and gives scenarios what a person at that desktop has: a stick, a mouse, eyes.

One Session is one Wine virtual desktop on one X display (the user's own, or an Xvfb started for it)
with a Wine prefix of its own. It cleans up only what it started: its Xvfb, and the processes of its
own prefix (through that prefix's wineserver).
"""
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
QUIET = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


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
    def __init__(self, build_dir, work_dir, use_own_display=False, honour_permissions=False):
        for tool in (WINE, "Xvfb", "xdotool", "import"):
            if not shutil.which(tool):
                raise ScenarioError(f"cannot run: missing {tool} (make check installs it)")
        self.build_dir = os.path.abspath(build_dir)
        self.artifacts = os.path.join(os.path.abspath(work_dir), "artifacts")
        self.prefix = os.path.join(os.path.abspath(work_dir), "wineprefix")
        os.makedirs(self.artifacts, exist_ok=True)
        self.run_dir = tempfile.mkdtemp(prefix="run-", dir=os.path.abspath(work_dir))
        self.stick_file, self.driver_log, self.player_log, self.hang_file = (
            os.path.join(self.run_dir, name) for name in ("joystick.txt", "driver.log", "player.log", "player.hang"))
        self.display = os.environ.get("DISPLAY") if use_own_display else None
        # Tests run as root, for whom no file is read-only. Without these two capabilities root is held
        # to a file's permission bits like anyone else, which is what Windows' read-only attribute does.
        self.launcher = ["setpriv", "--bounding-set", "-dac_override,-dac_read_search", "--"] if honour_permissions else []
        self.xvfb = None
        self.processes = []

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
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=self.display,
                        WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml=",
                        BRONTAVEL_STANDIN_JOYSTICK=windows_path(self.stick_file),
                        BRONTAVEL_STANDIN_LOG=windows_path(self.driver_log),
                        BRONTAVEL_PLAYER_LOG=windows_path(self.player_log),
                        BRONTAVEL_PLAYER_HANG=windows_path(self.hang_file))
        marker = os.path.join(self.prefix, "brontavel-ready")
        if not os.path.exists(marker):
            self.wine("wineboot", "-i")
            # Every program of the prefix runs in one virtual desktop, whose taskbar holds the tray.
            self.wine("reg", "add", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/d", "Default", "/f")
            self.wine("reg", "add", "HKCU\\Software\\Wine\\Explorer\\Desktops", "/v", "Default", "/d",
                      "%dx%d" % DESKTOP_SIZE, "/f")
            subprocess.run(self.launcher + [WINESERVER, "-w"], env=self.env, timeout=120)
            open(marker, "w").close()
        # Bring up the prefix's wineserver and services now, detached from every pipe of ours.
        self.wine("wineboot")
        self.stick(CENTRE, CENTRE, 0)
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

    def wine(self, *args):
        subprocess.run(self.launcher + [WINE, *args], env=self.env, timeout=300, **QUIET)

    # ---- programs ------------------------------------------------------------------------------

    def fixture(self, name):
        return os.path.join(self.build_dir, "tests", "e2e", name)

    def start_program(self, exe, args=(), cwd=None, env=None):
        process = subprocess.Popen(self.launcher + [WINE, exe, *args], cwd=cwd or self.run_dir,
                                   env=dict(self.env, **(env or {})), **QUIET)
        self.processes.append(process)
        return process

    def start_brontavel(self, folder=None, real_driver=False, ready=True, cwd=None, args=(), env=None):
        """Copies the program (and the stand-in driver) into a folder and starts it there, or in cwd;
        with ready, returns once its start-up has finished."""
        folder = folder or self.run_dir
        os.makedirs(folder, exist_ok=True)
        shutil.copy(os.path.join(self.build_dir, "Brontavel.exe"), folder)
        driver = os.path.join(folder, "winmm.dll")
        if real_driver and os.path.exists(driver):
            os.remove(driver)
        elif not real_driver:
            shutil.copy(self.fixture("winmm.dll"), driver)
        seen = len(self.driver_reports())
        process = self.start_program(os.path.join(folder, "Brontavel.exe"), args, cwd=cwd or folder, env=env)
        if ready:
            self.wait_started(seen)
        return process

    def wait_started(self, seen, last_step="threshold"):
        """Start-up has finished once the driver saw its last call (the threshold, after which come only
        the settings and the player's windows, with no cross-thread call that would let the program
        answer early) and the program then answers a message, which it does only from a message loop."""
        self.wait_for(lambda: any(r[1] == last_step for r in self.driver_reports()[seen:]), 60,
                      f"the driver to see '{last_step}'")
        self.wait_ready("Brontavel")

    def start_player(self):
        process = self.start_program(self.fixture("standin_player.exe"))
        self.wait_ready("STUDIO", "Winamp3")
        return process

    def tool(self, *args, timeout=60, check=False):
        # Output goes through a file, not a pipe: a Wine process can leave daemons behind that hold a
        # pipe open long after it has ended.
        with tempfile.TemporaryFile(mode="w+") as out:
            result = subprocess.run(self.launcher + [WINE, self.fixture("e2e_tool.exe"), *args], env=self.env,
                                    cwd=self.run_dir, stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            text = out.read()
        if check and result.returncode != 0:
            raise ScenarioError(f"e2e_tool {' '.join(args)} failed ({result.returncode}): {text}")
        return result.returncode, text

    def wait_window(self, window_class, title="-", timeout_ms=30000, verb="wait"):
        """Whether such a window appears ("wait"), goes ("gone"), or appears and answers ("ping") in time."""
        return self.tool(verb, window_class, title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0] == 0

    def wait_ready(self, window_class, title="-", timeout_ms=60000):
        if not self.wait_window(window_class, title, timeout_ms, "ping"):
            raise ScenarioError(f"no responsive window of class {window_class} within {timeout_ms} ms")

    def window_texts(self, window_class, title="-"):
        code, out = self.tool("texts", window_class, title)
        return out.splitlines() if code == 0 else None

    def click_rect(self, rect, y_offset=None):
        left, top, right, bottom = rect
        y = top + y_offset if y_offset is not None else (top + bottom) // 2
        self.xdotool("mousemove", str((left + right) // 2), str(y), "click", "1")
        time.sleep(0.4)  # lets a list drop down or a window take the focus before the next key

    def click_control(self, title, control_id):
        """Clicks a dialog's control, or with control_id 0 its caption, as a person does before typing."""
        rect = tuple(int(v) for v in self.tool("rect", title, str(control_id), check=True)[1].split())
        self.click_rect(rect, 8 if control_id == 0 else None)

    def menu_open(self):
        return self.tool("menu")[0] == 0

    def menu_item(self, index, count):
        """The rectangle of an item of the open COUNT-item popup menu."""
        code, out = self.tool("menu-item", str(index), str(count))
        if code != 0:
            raise ScenarioError("no popup menu is open")
        return tuple(int(v) for v in out.split())

    def choose_menu_item(self, index, count):
        """Clicks the item near its left end: the icon's tip, shown beside the cursor, may cover the
        rest of the bottom item."""
        left, top, right, bottom = self.menu_item(index, count)
        self.click_rect((left, top, left + (right - left) // 4, bottom))

    def menu_item_marked(self, index, count):
        """Whether an item of the open popup menu shows a check mark: something dark in its left margin."""
        left, top, _, bottom = self.menu_item(index, count)
        darkest = subprocess.run(["convert", self.screenshot("menu-mark"), "-crop", f"14x{bottom - top - 2}+{left + 1}+{top + 1}",
                                  "-colorspace", "gray", "-format", "%[fx:minima]", "info:"],
                                 capture_output=True, text=True, check=True).stdout
        return float(darkest) < 0.3

    # ---- the stick, the mouse, the screen --------------------------------------------------------

    def unplug(self):
        """The stand-in driver refuses the capture until the stick is put somewhere again."""
        self.stick("unplugged", 0)

    def tip_width(self, x, y):
        """The width of the tip shown while the mouse rests on the tray icon at (x, y)."""
        self.xdotool("mousemove", "500", "300")
        self.wait_for(lambda: self.tool("tooltip")[0] != 0, 10, "the old tip to go")
        self.xdotool("mousemove", str(x), str(y))
        return int(self.wait_for(lambda: self.tool("tooltip")[1].strip(), 10, "the icon's tip"))

    def stick(self, x, y, buttons=0):
        """Puts the stand-in stick where a hand would; the driver sees it at its next poll."""
        with open(self.stick_file + ".new", "w") as f:
            f.write(f"{x} {y} {buttons}\n")
        os.replace(self.stick_file + ".new", self.stick_file)
        self._held = buttons

    def move_stick(self, x, y, buttons=0, timeout=5.0):
        """Puts the stick somewhere and waits until the driver has reported it, so that a gesture lasts
        one poll of the driver, not however long a busy machine takes to get round to it."""
        seen = len(self.driver_reports())
        moves = [r for r in self.driver_reports() if r[1] == "move"]
        last = (int(moves[-1][3]), int(moves[-1][4])) if moves else (CENTRE, CENTRE)
        buttons_change = buttons != self._held
        self.stick(x, y, buttons)
        # Change-only reporting: a move within the threshold is never reported.
        reportable_move = max(abs(x - last[0]), abs(y - last[1])) > 6000

        def reported():
            for _, kind, value, *position in self.driver_reports()[seen:]:
                if kind == "move" and reportable_move and tuple(map(int, position)) == (x, y):
                    return True
                if kind in ("down", "up") and buttons_change and int(value, 16) & 0xF == buttons:
                    return True
            return False

        if reportable_move or buttons_change:
            self.wait_for(reported, timeout, f"the driver to report ({x}, {y}, {buttons})")

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
        """The stand-in driver's log as [time, kind, wParam, x, y] per call or report posted."""
        if not os.path.exists(self.driver_log):
            return []
        with open(self.driver_log) as f:
            return [line.split() for line in f]

    def keys(self, since=0):
        """The key messages the player received, from the since-th on."""
        return [(window, event, vk, lparam) for (_, window, event, vk, lparam) in self.player_events()
                if event in ("KEYDOWN", "KEYUP")][since:]

    def wait_for(self, condition, timeout=10.0, what="a condition"):
        deadline = time.time() + timeout
        while time.time() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        raise ScenarioError(f"timed out waiting for {what}")
