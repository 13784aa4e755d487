"""What the scenarios need of the simulated desktop beyond what the demo and the bench use: reading
dialogs, clicking controls, the tray menu's items and check marks, the icon's tip."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sim"))
from desktop import ScenarioError, Session  # noqa: E402


class TestSession(Session):
    def __enter__(self):
        super().__enter__()
        # Windows' beep is the X server's bell under Wine; the XKB event daemon hears each one.
        self.beep_log = os.path.join(self.run_dir, "beeps.log")
        config = os.path.join(self.run_dir, "beeps.cf")
        with open(config, "w") as f:
            f.write(f'Bell() shell "echo bell >> {self.beep_log}"\n')
        self.bell = subprocess.Popen(["xkbevd", "-display", self.display, "-cfg", config],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        self.bell.terminate()
        self.bell.wait(timeout=10)
        return super().__exit__(*exc)

    def beeps(self):
        return len(open(self.beep_log).readlines()) if os.path.exists(self.beep_log) else 0

    def in_front(self, title, timeout_ms=10000):
        """Whether the window comes to the front, with the focus, so that a key typed now reaches it."""
        return self.tool("front", title, str(timeout_ms), timeout=timeout_ms / 1000 + 30)[0] == 0

    def window_texts(self, window_class, title="-"):
        code, out = self.tool("texts", window_class, title)
        return out.splitlines() if code == 0 else None

    def click_rect(self, rect, y_offset=None):
        left, top, right, bottom = rect
        y = top + y_offset if y_offset is not None else (top + bottom) // 2
        self.xdotool("mousemove", str((left + right) // 2), str(y), "click", "1")
        time.sleep(0.4)  # lets a list drop down or a window take the focus before the next key

    def click_control(self, title, control_id):
        """Clicks a dialog's control, or with control_id 0 its caption, as a person does before typing.
        A dialog exists before WM_INITDIALOG has placed it; it answers a message only after."""
        self.wait_ready("-", title)
        rect = tuple(int(v) for v in self.tool("rect", title, str(control_id), check=True)[1].split())
        self.click_rect(rect, 8 if control_id == 0 else None)

    def menu_item(self, index, count):
        """The rectangle of an item of the open COUNT-item popup menu."""
        code, out = self.tool("menu-item", str(index), str(count))
        if code != 0:
            self.screenshot("menu-gone")  # what took its place
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

    def tip(self, x, y):
        """The width and the text of the tip shown while the mouse rests on the tray icon at (x, y)."""
        self.xdotool("mousemove", "500", "300")
        self.wait_for(lambda: self.tool("tooltip")[0] != 0, 10, "the old tip to go")
        self.xdotool("mousemove", str(x), str(y))
        width, text = self.wait_for(lambda: self.tool("tooltip")[1].strip(), 10, "the icon's tip").split("|", 1)
        return int(width), text

    def tip_width(self, x, y):
        return self.tip(x, y)[0]

