"""Shared helpers of the end-to-end tests: they run the real saver.scr under Wine on the private
Xvfb display that scripts/with-wine provides.

The environment names the engine (SAVER_SCR), the native package tool (SAVER_TOOL) and a scratch
folder (SAVER_E2E_WORK); SAVER_WINE names the Wine loader to start Windows programs with (wine64
where this machine runs no 32-bit programs and only the x86_64 engine is tested). Every wait polls with a generous limit: the machines are shared and slow.
"""
import itertools
import json
import os
import subprocess
import time

SCR = os.environ.get("SAVER_SCR", "")
TOOL = os.environ.get("SAVER_TOOL", "")
WORK = os.environ.get("SAVER_E2E_WORK", "/tmp/saver-e2e")
WINE = os.environ.get("SAVER_WINE", "wine")

# Where the engine keeps its settings and its calibration.
COMPANY_KEY = r"HKCU\Software\Brightvane\Screen Saver"


class TimedOut(AssertionError):
    pass


def work_path(*parts):
    path = os.path.join(WORK, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def wait_until(predicate, what, timeout=60.0, interval=0.2):
    """Polls `predicate` until it returns a true value, which is returned; fails after `timeout`."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimedOut("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)


# --- saver files ----------------------------------------------------------------------------------

def make_saver(name, items, exit_button=False):
    """Builds `name`.scr from a scene of `items` (the package tool's scene format) and returns its path."""
    scene_path = work_path(name + ".json")
    with open(scene_path, "w") as scene:
        json.dump({"exit_button": exit_button, "items": items}, scene)
    saver_path = work_path(name + ".scr")
    subprocess.run([TOOL, "make-scr", "--engine", SCR, scene_path, "-o", saver_path], check=True)
    return saver_path


def make_video(name, colours, width, height):
    """An MS Video 1 AVI (which Wine's video device plays) showing each of `colours` ("red",
    "#RRGGBB"...) for one second in turn; returns its path."""
    path = work_path(name + ".avi")
    inputs, joined = [], ""
    for i, colour in enumerate(colours):
        inputs += ["-f", "lavfi", "-i", "color=c=%s:s=%dx%d:r=10:d=1" % (colour.replace("#", "0x"), width, height)]
        joined += "[%d]" % i
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y"] + inputs +
                   ["-filter_complex", "%sconcat=n=%d:v=1" % (joined, len(colours)), "-c:v", "msvideo1", path],
                   check=True)
    return path


def fill(colour):
    return {"kind": "fill", "colour": {"value": colour}}


def delay(milliseconds):
    return {"kind": "delay", "duration": milliseconds}


# --- Wine -----------------------------------------------------------------------------------------

def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    return env


class Saver:
    """One run of a saver file: `Saver(path, "/s")`."""

    def __init__(self, path, *arguments):
        self.log = open(work_path("logs", os.path.basename(path) + ".log"), "ab")
        # Output goes to a file: a pipe would stay open in the persistent wineserver. Wine's error
        # messages are kept there, for a failing test to show.
        self.process = subprocess.Popen([WINE, path] + list(arguments), stdout=self.log,
                                        stderr=subprocess.STDOUT, env=dict(wine_env(), WINEDEBUG="fixme-all"))

    def end_by(self, give_input, what="the input", timeout=60.0, repeat=False):
        """Gives the input that must end the saver, waits for the end, prints how long it took (from
        the first input) and returns the exit code. With `repeat` the input is given again every
        half second until the end: for pointer moves, of which the first the window sees only sets
        its reference."""
        started = time.monotonic()
        give_input()
        if repeat:
            wait_until(lambda: not self.running() or give_input(), what + " to end the saver", timeout, 0.5)
        code = self.wait_exit(timeout=timeout)
        print("  ended %.0f ms after %s" % ((time.monotonic() - started) * 1000, what))
        return code

    def wait_exit(self, timeout=120.0):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TimedOut("the saver did not end within %.0f s" % timeout)
        finally:
            self.log.close()

    def log_tail(self, lines=15):
        """The last lines the saver and Wine printed, for a failure's message."""
        with open(self.log.name, "rb") as log:
            return b"\n".join(log.read().splitlines()[-lines:]).decode("utf-8", "replace")

    def running(self):
        return self.process.poll() is None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()
        self.log.close()


def run_wine(*command, timeout=120):
    """Runs a Wine command to its end and returns its standard output as text."""
    out_path = work_path("logs", "wine-command.out")
    with open(out_path, "wb") as out:
        subprocess.run([WINE] + list(command), stdout=out, stderr=subprocess.DEVNULL, env=wine_env(),
                       timeout=timeout)
    with open(out_path, "rb") as out:
        return out.read().decode("utf-8", "replace")


def windows_path(unix_path):
    """The Windows path Wine gives `unix_path`."""
    return subprocess.run([WINE, "winepath", "-w", unix_path], capture_output=True, text=True,
                          env=wine_env()).stdout.strip()


def reg_query(key, value=None):
    """The data of `value` under `key` as text (REG_DWORD as an int), or None when absent."""
    command = ["reg", "query", key] + (["/v", value] if value else [])
    text = run_wine(*command)
    if value is None:
        return text
    for line in text.splitlines():
        fields = line.split(None, 2)
        if len(fields) >= 2 and fields[0] == value:
            if fields[1] == "REG_DWORD":
                return int(fields[2], 16)
            return fields[2].strip() if len(fields) > 2 else ""
    return None


def reg_subkeys(key):
    """The names of the keys directly below `key` (reg prints them with the hive written out)."""
    below = key.split("\\", 1)[1].lower() + "\\"
    names = []
    for line in reg_query(key).splitlines():
        at = line.strip().lower().find(below)
        if at >= 0 and line.strip().lower().startswith("hkey_"):
            names.append(line.strip()[at + len(below):])
    return names


def reg_add_dword(key, value, data):
    run_wine("reg", "add", key, "/v", value, "/t", "REG_DWORD", "/d", str(data), "/f")


def reg_add_string(key, value, data):
    run_wine("reg", "add", key, "/v", value, "/t", "REG_SZ", "/d", data, "/f")


def reg_delete(key):
    run_wine("reg", "delete", key, "/f")


def settings_key(display_name):
    return COMPANY_KEY + "\\" + display_name + "\\Settings"


def saver_display_names():
    """The per-saver keys there are, named after the saver files' display names."""
    return reg_subkeys(COMPANY_KEY)


def windows_temp_folder():
    """The Unix path of Wine's temporary folder, where desktop.bmp and wallpaper.bmp are made."""
    windows = run_wine("cmd", "/c", "echo", "%TEMP%").strip().splitlines()[-1].strip()
    unix = subprocess.run([WINE, "winepath", "-u", windows], capture_output=True, text=True, env=wine_env())
    return unix.stdout.strip()


# --- the screen -----------------------------------------------------------------------------------

class Screenshot:
    def __init__(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True,
                              check=True).stdout
        # P6 header: magic, width, height and maximum, each ended by one white-space byte. The
        # pixels may themselves start with bytes that look like white space.
        fields, at = [], 0
        while len(fields) < 4:
            while data[at:at + 1].isspace():
                at += 1
            end = at
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[at:end])
            at = end + 1
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[at:]

    def pixel(self, x, y):
        at = (y * self.width + x) * 3
        return tuple(self.pixels[at:at + 3])

    def count(self, colour, region=None):
        left, top, right, bottom = region or (0, 0, self.width, self.height)
        total = 0
        for y in range(top, bottom):
            row = self.pixels[(y * self.width + left) * 3:(y * self.width + right) * 3]
            total += sum(1 for i in range(0, len(row), 3) if tuple(row[i:i + 3]) == colour)
        return total


def rgb(text):
    """"#RRGGBB" as an (r, g, b) tuple."""
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def rough_colour_name(pixel, named, tolerance=48):
    """The name in `named` ({name: (r, g, b)}) of the colour `pixel` lies within `tolerance` of in
    every channel, or None: for pictures that went through a lossy codec."""
    for name, colour in named.items():
        if all(abs(a - b) <= tolerance for a, b in zip(pixel, colour)):
            return name
    return None


def corner_pixels(place, size):
    """The pixels just inside the top-left and bottom-right corners of the rectangle at `place` of
    `size`, and those just outside them: (inside, outside)."""
    shot = Screenshot()
    (left, top), (width, height) = place, size
    right, bottom = left + width, top + height
    return ([shot.pixel(left, top), shot.pixel(right - 1, bottom - 1)],
            [shot.pixel(left - 1, top - 1), shot.pixel(right, bottom)])


def wait_for_screen_colour(colour, timeout=60.0, points=((10, 10), (640, 512), (1200, 1000))):
    """Waits until the screen shows `colour` ("#RRGGBB") at every sample point."""
    want = rgb(colour)
    seen = []

    def shows_colour():
        shot = Screenshot()
        seen[:] = [shot.pixel(x, y) for x, y in points]
        return all(pixel == want for pixel in seen)

    try:
        return wait_until(shows_colour, "the screen to show " + colour, timeout)
    except TimedOut as timed_out:
        raise TimedOut("%s; it last showed %s at %s" % (timed_out, seen, list(points))) from None


# --- input ----------------------------------------------------------------------------------------

def xdotool(*arguments):
    subprocess.run(["xdotool"] + [str(a) for a in arguments], check=False, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def mouse_move(x, y):
    xdotool("mousemove", x, y)


def click(button=1):
    xdotool("click", button)


def double_click(button=1):
    xdotool("click", "--repeat", 2, "--delay", 80, button)


_nudge_points = itertools.cycle([(400, 300), (440, 340)])


def nudge_pointer():
    """Moves the pointer to the other of two points 40 pixels apart, so each call is a move."""
    mouse_move(*next(_nudge_points))


def nudge_until(predicate, what, timeout=60.0):
    """Moves the pointer every half second until `predicate` holds: the first move the saver window
    sees only sets its reference, so the input is repeated instead of waiting for the window."""
    return wait_until(lambda: predicate() or nudge_pointer(), what, timeout, 0.5)


def key(name):
    xdotool("key", name)


def find_windows(name):
    result = subprocess.run(["xdotool", "search", "--name", name], capture_output=True, text=True)
    return [line for line in result.stdout.split() if line]


# --- settings -------------------------------------------------------------------------------------

def wait_for_dialog(name="Settings", timeout=60.0):
    return wait_until(lambda: find_windows("^%s$" % name), "the %s dialog" % name, timeout)[0]


def focus(window):
    """Gives `window` the X input focus. There is no window manager to activate windows, and a
    window of an earlier test may have left the focus elsewhere."""
    xdotool("windowfocus", "--sync", window)


def display_name_of(saver_path):
    """The name the engine keeps the saver's settings under (its display name): found by storing the
    default settings through its dialog and seeing which key appears."""
    # Explorer shows the name with or without its extension, after the user's settings.
    file_name = os.path.basename(saver_path)
    for candidate in (file_name, os.path.splitext(file_name)[0]):
        reg_delete(COMPANY_KEY + "\\" + candidate)
    before = set(saver_display_names())
    saver = Saver(saver_path, "/c")
    try:
        focus(wait_for_dialog())
        # Return is repeated until the dialog takes it: it may not have the keyboard yet.
        assert saver.end_by(lambda: key("Return"), "Return", repeat=True) == 0
    finally:
        saver.kill()
    new = [name for name in saver_display_names() if name not in before]
    assert len(new) == 1, "expected one new settings key, found %s" % new
    return new[0]


def store_settings(display_name, values):
    """Replaces the saver's stored exit settings by `values` ({"Standard": 0, ...})."""
    reg_delete(COMPANY_KEY + "\\" + display_name)
    for name, value in values.items():
        reg_add_dword(settings_key(display_name), name, value)
