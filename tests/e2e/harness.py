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


class ScenarioError(Exception):
    """A scenario found the program doing something it must not, or could not run at all."""


def require_tools():
    missing = [tool for tool, path in (("wine64", WINE), ("Xvfb", shutil.which("Xvfb")),
                                       ("xdotool", shutil.which("xdotool")), ("import", shutil.which("import")))
               if not path or not os.path.exists(path)]
    if missing:
        raise ScenarioError("cannot run: missing " + ", ".join(missing) + " (make check installs them)")


def windows_path(path):
    """The Windows name of a Linux path, through Wine's Z: drive."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Session:
    def __init__(self, build_dir, work_dir, use_own_display=False, honour_permissions=False):
        require_tools()
        self.build_dir = os.path.abspath(build_dir)
        self.work_dir = os.path.abspath(work_dir)
        self.artifacts = os.path.join(self.work_dir, "artifacts")
        self.prefix = os.path.join(self.work_dir, "wineprefix")
        os.makedirs(self.artifacts, exist_ok=True)
        self.run_dir = tempfile.mkdtemp(prefix="run-", dir=self.work_dir)
        self.stick_file = os.path.join(self.run_dir, "joystick.txt")
        self.driver_log = os.path.join(self.run_dir, "driver.log")
        self.player_log = os.path.join(self.run_dir, "player.log")
        self.hang_file = os.path.join(self.run_dir, "player.hang")
        self.use_own_display = use_own_display
        # Tests run as root, for whom no file is read-only. Without these two capabilities root is held
        # to a file's permission bits like anyone else, which is what Windows' read-only attribute does.
        self.launcher = (["setpriv", "--bounding-set", "-dac_override,-dac_read_search", "--"]
                         if honour_permissions else [])
        self.xvfb = None
        self.display = None
        self.processes = []

    # ---- life cycle ------------------------------------------------------------------------------

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        if self.use_own_display and os.environ.get("DISPLAY"):
            self.display = os.environ["DISPLAY"]
        else:
            self.display = self._start_xvfb()
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=self.display,
                        WINEDLLOVERRIDES="winmm=n,b;mscoree,mshtml=",
                        BRONTAVEL_STANDIN_JOYSTICK=windows_path(self.stick_file),
                        BRONTAVEL_STANDIN_LOG=windows_path(self.driver_log),
                        BRONTAVEL_PLAYER_LOG=windows_path(self.player_log),
                        BRONTAVEL_PLAYER_HANG=windows_path(self.hang_file))
        self._prepare_prefix()
        # Bring up the prefix's wineserver and services now, detached from every pipe of ours.
        subprocess.run(self.launcher + [WINE, "wineboot"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300)
        self.stick(CENTRE, CENTRE, 0)

    def stop(self):
        subprocess.run(self.launcher + [WINESERVER, "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for process in self.processes:
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait(timeout=10)

    def _start_xvfb(self):
        for number in range(90, 140):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            self.xvfb = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", "%dx%dx24" % DESKTOP_SIZE,
                                          "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            for _ in range(100):
                if os.path.exists(f"/tmp/.X11-unix/X{number}"):
                    return f":{number}"
                if self.xvfb.poll() is not None:
                    break
                time.sleep(0.05)
        raise ScenarioError("cannot run: no X display could be started")

    def _prepare_prefix(self):
        marker = os.path.join(self.prefix, "brontavel-ready")
        if not os.path.exists(marker):
            subprocess.run(self.launcher + [WINE, "wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=300)
            # Every program of the prefix runs in one virtual desktop, whose taskbar holds the tray.
            for key, name, value in (("HKCU\\Software\\Wine\\Explorer", "Desktop", "Default"),
                                     ("HKCU\\Software\\Wine\\Explorer\\Desktops", "Default", "%dx%d" % DESKTOP_SIZE)):
                subprocess.run(self.launcher + [WINE, "reg", "add", key, "/v", name, "/d", value, "/f"], env=self.env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
            subprocess.run(self.launcher + [WINESERVER, "-w"], env=self.env, timeout=120)
            open(marker, "w").close()

    # ---- programs ------------------------------------------------------------------------------

    def fixture(self, name):
        return os.path.join(self.build_dir, "tests", "e2e", name)

    def start_program(self, exe, args=(), cwd=None, env=None):
        process = subprocess.Popen(self.launcher + [WINE, exe, *args], cwd=cwd or self.run_dir, env=dict(self.env, **(env or {})),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def start_brontavel(self, folder=None, real_driver=False, ready=True, cwd=None, args=(), env=None):
        """Copies the program (and the stand-in driver) into a folder and starts it there, or in cwd;
        with ready, returns once its start-up has finished."""
        folder = folder or self.run_dir
        os.makedirs(folder, exist_ok=True)
        exe = os.path.join(folder, "Brontavel.exe")
        shutil.copy(os.path.join(self.build_dir, "Brontavel.exe"), exe)
        driver = os.path.join(folder, "winmm.dll")
        if real_driver:
            if os.path.exists(driver):
                os.remove(driver)
        else:
            shutil.copy(self.fixture("winmm.dll"), driver)
        seen = len(self.driver_reports())
        process = self.start_program(exe, args, cwd=cwd or folder, env=env)
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
            result = subprocess.run(self.launcher + [WINE, self.fixture("e2e_tool.exe"), *args], env=self.env, cwd=self.run_dir,
                                    stdout=out, stderr=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            text = out.read()
        if check and result.returncode != 0:
            raise ScenarioError(f"e2e_tool {' '.join(args)} failed ({result.returncode}): {text}")
        return result.returncode, text

    def wait_window(self, window_class, title="-", timeout_ms=30000):
        return self.tool("wait", window_class, title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0] == 0

    def wait_gone(self, window_class, title="-", timeout_ms=15000):
        return self.tool("gone", window_class, title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0] == 0

    def wait_ready(self, window_class, title="-", timeout_ms=60000):
        """Waits until the window exists and its thread answers a message."""
        if self.tool("ping", window_class, title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0] != 0:
            raise ScenarioError(f"no responsive window of class {window_class} within {timeout_ms} ms")

    def window_texts(self, window_class, title="-"):
        code, out = self.tool("texts", window_class, title)
        return out.splitlines() if code == 0 else None

    def control_rect(self, title, control_id):
        code, out = self.tool("rect", title, str(control_id), check=True)
        return tuple(int(v) for v in out.split())

    def click_rect(self, rect, button="1", y_offset=None):
        left, top, right, bottom = rect
        y = top + y_offset if y_offset is not None else (top + bottom) // 2
        self.xdotool("mousemove", str((left + right) // 2), str(y), "click", button)
        time.sleep(0.4)

    def click_control(self, title, control_id):
        self.click_rect(self.control_rect(title, control_id))

    def activate(self, title):
        """Clicks a window's caption, as a person does before typing into it."""
        self.click_rect(self.control_rect(title, 0), y_offset=8)

    def menu_open(self):
        return self.tool("menu")[0] == 0

    def choose_menu_item(self, index, count):
        """Clicks an item of the open popup menu with the left button, near its left end: the icon's
        tip, shown beside the cursor, may cover the rest of the bottom item."""
        code, out = self.tool("menu-item", str(index), str(count))
        if code != 0:
            raise ScenarioError("no popup menu is open")
        left, top, right, bottom = (int(v) for v in out.split())
        self.click_rect((left, top, left + (right - left) // 4, bottom))

    # ---- the stick, the mouse, the screen --------------------------------------------------------

    def stick(self, x, y, buttons=0):
        """Puts the stand-in stick where a hand would; the driver sees it at its next poll."""
        temporary = self.stick_file + ".new"
        with open(temporary, "w") as f:
            f.write(f"{x} {y} {buttons}\n")
        os.replace(temporary, self.stick_file)
        self._position, self._held = (x, y), buttons

    def move_stick(self, x, y, buttons=0, timeout=5.0):
        """Puts the stick somewhere and waits until the driver has reported it, so that a gesture lasts
        one poll of the driver, not however long a busy machine takes to get round to it."""
        seen = len(self.driver_reports())
        moves = [r for r in self.driver_reports() if r[1] == "move"]
        last_reported = (int(moves[-1][3]), int(moves[-1][4])) if moves else (CENTRE, CENTRE)
        buttons_change = buttons != self._held
        self.stick(x, y, buttons)
        # Change-only reporting: a move within the threshold is never reported.
        reportable_move = max(abs(x - last_reported[0]), abs(y - last_reported[1])) > 6000

        def reported():
            for report in self.driver_reports()[seen:]:
                kind, value = report[1], int(report[2], 16)
                if kind == "move" and reportable_move and (int(report[3]), int(report[4])) == (x, y):
                    return True
                if kind in ("down", "up") and buttons_change and value & 0xF == buttons:
                    return True
            return False

        if reportable_move or buttons_change:
            self.wait_for(reported, timeout, f"the driver to report ({x}, {y}, {buttons})")

    def gesture(self, x=CENTRE, y=CENTRE, buttons=0):
        self.move_stick(x, y, buttons)
        self.move_stick(CENTRE, CENTRE, 0)

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def screenshot(self, name):
        path = os.path.join(self.artifacts, name + ".png")
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)
        return path

    def tray_icon_position(self):
        """Where the program's icon (its red knob) sits in the taskbar, or None."""
        shot = self.screenshot("tray-search")
        width, height = DESKTOP_SIZE
        out = subprocess.run(["convert", shot, "-crop", f"{width // 4}x40+{width - width // 4}+{height - 40}",
                              "txt:-"], capture_output=True, text=True, check=True).stdout
        points = [(int(m.group(1)), int(m.group(2))) for m in
                  re.finditer(r"^(\d+),(\d+): \(\s*255,\s*0,\s*0", out, re.MULTILINE)]
        os.remove(shot)
        if not points:
            return None
        x = sum(p[0] for p in points) // len(points) + width - width // 4
        y = sum(p[1] for p in points) // len(points) + height - 40
        return x, y + 3

    # ---- what the player and the driver recorded ------------------------------------------------

    def player_events(self):
        """The player's log as (time_ms, window, event, wParam, lParam)."""
        if not os.path.exists(self.player_log):
            return []
        events = []
        with open(self.player_log) as f:
            for line in f:
                parts = line.split()
                if len(parts) == 5:
                    events.append((float(parts[0]), parts[1], parts[2], int(parts[3], 16), int(parts[4])))
        return events

    def driver_reports(self):
        """The stand-in driver's log as [time, kind, wParam, x, y] per report posted."""
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
