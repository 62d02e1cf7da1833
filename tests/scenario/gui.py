"""The dialog bench: the real program's dialogs on a virtual X display.

A GuiWorld is a World whose prefix shows its windows in a Wine desktop of
800 x 600 on its own Xvfb display, so that Wine draws the title bars and
the dialogs sit where Windows would put them. Keys and clicks come from
xdotool; what the dialogs show is read back with the dlgprobe helper,
which asks the windows themselves. Every wait is a bounded poll.
"""
import ctypes
import os
import subprocess
import tempfile

from bench import BUILD, ScenarioTest, World, poll  # noqa: F401
# The dialog tests take the control numbers from here as well.
from dialog_texts import (ABOUT_BUTTON, CANCEL, CDMSG, FINISHMSG, MAIN_TITLE, NO,  # noqa: F401
                          OK, PATH, PATHMSG, QUESTION, RESTART, SHUTDOWN, STEP, STEP2, STEPFILE,
                          STEPFILE2, YES)

SHOTS = BUILD / "screenshots"
SHOT_MARGIN = 8   # pixels around a dialog's screenshot
WINE_DESKTOP = (r"HKCU\Software\Wine\Explorer", "Desktop", "Default")
DESKTOP_SIZE = (r"HKCU\Software\Wine\Explorer\Desktops", "Default", "800x600")


class Display:
    """An Xvfb server of our own, on the first free display number."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.process.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


class CursorImage(ctypes.Structure):
    """XFixesCursorImage: the mouse pointer as the X server shows it."""
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.c_void_p),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


class Control:
    def __init__(self, fields):
        self.id = int(fields[0])
        self.kind = fields[1]
        self.enabled = fields[2] == "1"
        self.visible = fields[3] == "1"
        self.rect = tuple(int(f) for f in fields[4:8])
        self.text = "" if fields[8] == "-" else bytes.fromhex(fields[8]).decode("cp1252")

    @property
    def centre(self):
        left, top, right, bottom = self.rect
        return (left + right) // 2, (top + bottom) // 2


class Dialog:
    def __init__(self, fields):
        self.handle = fields[0]
        self.thread = int(fields[1])
        self.enabled = fields[2] == "1"
        self.rect = tuple(int(f) for f in fields[3:7])
        self.caption = "" if fields[7] == "-" else bytes.fromhex(fields[7]).decode("cp1252")
        self.active = fields[8] == "1"
        self.close_box = None
        self.items = []       # every control, in the dialog's order
        self.controls = {}    # those with an identifier of their own

    def text(self, control_id):
        return self.controls[control_id].text

    def __repr__(self):
        return f"Dialog({self.caption!r}, {sorted(self.controls)})"


class GuiWorld(World):
    """A World whose prefix has a Wine desktop on its own virtual display."""

    def __init__(self, prefix=None):
        super().__init__(prefix)
        self.display = None
        self.probe = BUILD / "tests" / "dlgprobe.exe"
        self.shots = SHOTS

    def start(self):
        if self.started:
            return
        if self.display is None:
            self.display = Display()
            self.env["DISPLAY"] = self.display.name
        super().start()
        # The desktop is read when the prefix's first window appears: set it,
        # then start the prefix afresh.
        self.bench("set", *WINE_DESKTOP, "set", *DESKTOP_SIZE)
        self.started = False
        super().start()

    def stop(self):
        super().stop()
        if self.display is not None:
            self.display.close()
            self.display = None
            self.env.pop("DISPLAY", None)

    # --- looking -------------------------------------------------------------
    def probe_run(self, *args, timeout=60):
        # Its output goes to files, and only the probe itself is waited for:
        # when the probe is the prefix's first window user (the program not
        # yet started, as under the emulator), the desktop process it brings
        # up inherits its output and would hold a pipe open long after it.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run(["wine", str(self.probe), *args], env=self.env,
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=timeout)
            out.seek(0)
            err.seek(0)
            if done.returncode != 0:
                raise RuntimeError(f"dlgprobe {args} failed: {err.read()!r}")
            return out.read().decode("latin-1").splitlines()

    def dialogs(self):
        found = []
        for line in self.probe_run("list"):
            fields = line.split()
            if fields[0] == "DIALOG":
                found.append(Dialog(fields[1:]))
            elif fields[0] == "CLOSE":
                found[-1].close_box = (int(fields[1]), int(fields[2]))
            elif fields[0] == "CONTROL":
                control = Control(fields[1:])
                found[-1].items.append(control)
                if control.id != -1:
                    found[-1].controls[control.id] = control
        return found

    def find(self, control_id, active=False):
        """The dialog on screen that holds this control, or None; with active,
        only while it is the active window, which the keys pressed reach."""
        return next((d for d in self.dialogs()
                     if control_id in d.controls and (d.active or not active)), None)

    def shown_text(self, dialog_control, control_id):
        """From one look: the text of control_id in the dialog that holds
        dialog_control, or None when no such dialog is on screen (a dialog
        found by one look may be gone at the next)."""
        dialog = self.find(dialog_control)
        return dialog.text(control_id) if dialog else None

    def wait_dialog(self, control_id, timeout=60):
        """The dialog that holds this control, once it is the active window: a
        key pressed before would reach the window that was active before it."""
        return poll(f"the dialog with control {control_id} to be active",
                    lambda: self.find(control_id, active=True), timeout)

    def wait_gone(self, control_id, timeout=60):
        poll(f"the dialog with control {control_id} to close",
             lambda: self.find(control_id) is None, timeout)

    def raise_dialog(self, dialog):
        """Brings a dialog to the front, as a click on its task bar button would."""
        self.probe_run("raise", dialog.handle)
        poll(f"{dialog.caption} in front", lambda: self.dialogs()[0].handle == dialog.handle, 30)

    def fit_logo(self, dialog, size):
        """Gives the dialog's logo control room for its bitmap of this size
        (width, height) and its frame, as Windows sizes it."""
        self.probe_run("fit", dialog.handle, *(str(n) for n in size))

    def freeze(self, control_id, timeout_ms=60000):
        """Holds the dialog thread still once this control has text; returns
        the thread for thaw()."""
        lines = self.probe_run("freeze", str(control_id), str(timeout_ms),
                               timeout=timeout_ms / 1000 + 60)
        if not lines or not lines[0].startswith("FROZEN "):
            raise AssertionError(f"control {control_id} never got text: {lines}")
        return lines[0].split()[1]

    def thaw(self, thread):
        self.probe_run("thaw", thread)

    def show_template(self, template):
        """Shows a dialog template of the program with no code behind it;
        returns the process, which ends when the dialog is closed."""
        program = r"C:\PKG\Drivewright.exe"
        return subprocess.Popen(["wine", str(self.probe), "show", program, str(template)],
                                env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def pointer_is_hourglass(self):
        """Whether the mouse pointer shows the hourglass: its hot spot lies in
        its middle, where the arrow's lies at its tip."""
        x11, xfixes = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXfixes.so.3")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XFree.argtypes = x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
        xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
        display = x11.XOpenDisplay(self.display.name.encode())
        image = xfixes.XFixesGetCursorImage(display)
        shape = image.contents
        middle = (shape.width / 4 < shape.xhot < shape.width * 3 / 4 and
                  shape.height / 4 < shape.yhot < shape.height * 3 / 4)
        x11.XFree(image)
        x11.XCloseDisplay(display)
        return middle

    def differing_pixels(self, first, second, dialog):
        """How many pixels clearly differ between two screenshots of dialog
        (taken by screenshot(name, dialog)) where its controls lie: below its
        title bar, which only shows whether it is the active window."""
        left, top = (min(c.rect[i] for c in dialog.items) for i in (0, 1))
        right, bottom = (max(c.rect[i] for c in dialog.items) for i in (2, 3))
        origin = [max(0, edge - SHOT_MARGIN) for edge in dialog.rect[:2]]
        area = f"[{right - left}x{bottom - top}+{left - origin[0]}+{top - origin[1]}]"
        done = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", f"{first}{area}",
                               f"{second}{area}", "null:"], capture_output=True, text=True,
                              timeout=60, stdin=subprocess.DEVNULL)
        return int(float(done.stderr.split()[0]))

    # --- acting --------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, timeout=30)

    def desktop_window(self):
        done = subprocess.run(["xdotool", "search", "--name", "Wine desktop"], env=self.env,
                              capture_output=True, text=True, timeout=30)
        return done.stdout.split()[0] if done.stdout.split() else None

    def keys(self, *keys):
        """Key presses, as typed into the window that Wine has in front."""
        desktop = poll("the Wine desktop", self.desktop_window)
        self.xdotool("windowfocus", "--sync", desktop)
        self.xdotool("key", "--delay", "50", *keys)

    def type_text(self, text):
        desktop = poll("the Wine desktop", self.desktop_window)
        self.xdotool("windowfocus", "--sync", desktop)
        self.xdotool("type", "--delay", "20", text)

    def click(self, point):
        self.xdotool("mousemove", "--sync", str(point[0]), str(point[1]), "click", "1")

    def point_at(self, point):
        self.xdotool("mousemove", "--sync", str(point[0]), str(point[1]))

    def click_control(self, control_id):
        dialog = self.wait_dialog(control_id)
        self.click(dialog.controls[control_id].centre)

    def set_path(self, text):
        """Replaces the text of the driver-path field by typing."""
        self.click_control(PATH)
        self.keys("End", "shift+Home", "BackSpace")
        self.type_text(text)
        poll(f"the path field to read {text!r}", lambda: self.shown_text(PATH, PATH) == text, 60)

    def screen_rows(self, rect):
        """What the screen shows in rect (left, top, right, bottom): rows of
        red, green and blue bytes, from the top."""
        left, top, right, bottom = rect
        width, height = right - left, bottom - top
        shot = subprocess.run(["import", "-window", "root", "-crop",
                               f"{width}x{height}+{left}+{top}", "+repage", "-depth", "8", "rgb:-"],
                              env=self.env, check=True, capture_output=True, timeout=60,
                              stdin=subprocess.DEVNULL).stdout
        return [shot[3 * width * y:3 * width * (y + 1)] for y in range(height)]

    def screenshot(self, name, dialog=None):
        """Saves NAME.png in self.shots, and returns its path: the dialog with a
        margin, or the screen."""
        self.shots.mkdir(parents=True, exist_ok=True)
        command = ["import", "-window", "root"]
        if dialog is not None:
            left, top, right, bottom = dialog.rect
            margin = SHOT_MARGIN
            command += ["-crop", f"{right - left + 2 * margin}x{bottom - top + 2 * margin}"
                                 f"+{max(0, left - margin)}+{max(0, top - margin)}", "+repage"]
        path = self.shots / f"{name}.png"
        subprocess.run(command + [str(path)], env=self.env, check=True, timeout=60,
                       stdin=subprocess.DEVNULL)
        return path


class DialogTest(ScenarioTest):
    """Base of the dialog test files: one GuiWorld for the whole file."""

    @classmethod
    def setUpClass(cls):
        if ScenarioTest.world is None:
            ScenarioTest.world = GuiWorld()
        cls.world.start()

    @classmethod
    def tearDownClass(cls):
        cls.world.stop()

    def tearDown(self):
        # A run a failed test left behind must not hold up the next one.
        launch = getattr(self, "launch", None)
        if launch is not None and launch.running():
            launch.process.kill()
            launch.process.wait()
            self.world.stop()
            self.world.start()
