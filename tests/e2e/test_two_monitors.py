"""A show on a machine with two monitors: a saver window stands on each monitor, every one in the
show's fill colour, and a key given to the window on the second monitor or the pointer moving onto
the part of the screen only that window covers ends the show.

The test runs itself again in a world of its own, an Xvfb display with two screens joined by
Xinerama, with a Wine prefix kept in the test's scratch folder. RANDR is off: with it, Wine sees
Xvfb's first screen as the only monitor. Xvfb puts both screens at the origin, so the primary monitor is made the
smaller one: the part of the second monitor outside it is covered by the second window alone."""
import os
import re
import subprocess
import sys
import time

import saver_e2e as e2e

PRIMARY_SCREEN = "800x600x24"
SECOND_SCREEN = "1280x1024x24"
WORLD_MARK = "SAVER_E2E_TWO_MONITOR_WORLD"
FIRST_COLOUR = "#3060A0"
SHOW_COLOUR = "#A05020"


def run_in_two_monitor_world():
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    command = [os.path.join(repo, "scripts", "with-wine"), "--prefix", e2e.work_path("wineprefix"),
               "--screen", PRIMARY_SCREEN,
               "--xvfb-args", "+xinerama -screen 1 %s -extension RANDR" % SECOND_SCREEN,
               sys.executable, os.path.abspath(__file__)]
    return subprocess.run(command, env=dict(os.environ, **{WORLD_MARK: "1"})).returncode


def monitors():
    """The Xinerama heads of the display as (left, top, width, height)."""
    text = subprocess.run(["xdpyinfo", "-ext", "XINERAMA"], capture_output=True, text=True, check=True).stdout
    return [(int(x), int(y), int(w), int(h))
            for w, h, x, y in re.findall(r"head #\d+: (\d+)x(\d+) @ (\d+),(\d+)", text)]


def window_rect(window):
    text = subprocess.run(["xdotool", "getwindowgeometry", window], capture_output=True, text=True).stdout
    position = re.search(r"Position: (-?\d+),(-?\d+)", text)
    size = re.search(r"Geometry: (\d+)x(\d+)", text)
    if not position or not size:
        return None  # the window went meanwhile
    return tuple(int(v) for v in position.groups() + size.groups())


def saver_windows(saver):
    """{(left, top, width, height): X window} of the saver process's visible windows."""
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(saver.process.pid)],
                            capture_output=True, text=True)
    windows = {}
    for window in result.stdout.split():
        rect = window_rect(window)
        if rect:
            windows.setdefault(rect, []).append(window)
    return windows


def inner_corner(rect):
    left, top, width, height = rect
    return left + width - 5, top + height - 5


def wait_for_monitors_covered(saver, heads):
    """Waits until every monitor has exactly one saver window of its size and shows the fill colour
    in its far corner; returns the windows by monitor."""
    want = e2e.rgb(SHOW_COLOUR)

    def covered():
        windows = saver_windows(saver)
        if any(len(windows.get(head, [])) != 1 for head in heads):
            return None
        shot = e2e.Screenshot()
        if any(shot.pixel(*inner_corner(head)) != want for head in heads):
            return None
        return {head: windows[head][0] for head in heads}

    return e2e.wait_until(covered, "one saver window in %s on each monitor %s" % (SHOW_COLOUR, heads),
                          timeout=120)


def send_key(window, rect):
    e2e.xdotool("key", "--window", window, "a")


def focus_and_type(window, rect):
    e2e.focus(window)
    e2e.key("a")


def move_onto(window, rect):
    e2e.mouse_move(*inner_corner(rect))


# Input given to the window on the second monitor; each ends the show by the standard rules.
INPUT_CASES = [
    ("a key sent to the second monitor's window", send_key),
    ("a key typed while the second monitor's window holds the focus", focus_and_type),
    ("the pointer moving onto the second monitor's own part", move_onto),
]


def main():
    if os.environ.get(WORLD_MARK) != "1":
        sys.exit(run_in_two_monitor_world())
    heads = monitors()
    print("monitors (left, top, width, height):", heads)
    assert len(heads) == 2 and heads[0] != heads[1], heads
    primary, second = heads
    # The fill changes after the windows exist, so the colour proves they follow the show's fill.
    saver_path = e2e.make_saver("two-monitors", [e2e.fill(FIRST_COLOUR), e2e.delay(1500), e2e.fill(SHOW_COLOUR)])
    for name, give_input in INPUT_CASES:
        print(name)
        # The pointer stays still while the show runs: a move would end it.
        e2e.mouse_move(primary[0] + 20, primary[1] + 20)
        saver = e2e.Saver(saver_path, "/s")
        try:
            windows = wait_for_monitors_covered(saver, heads)
            time.sleep(3.0)  # the show must go on for all of this wait
            assert saver.running(), "the show ended without input"
            code = saver.end_by(lambda: give_input(windows[second], second))
            assert code == 0, code
        finally:
            saver.kill()


if __name__ == "__main__":
    main()
