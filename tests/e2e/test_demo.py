"""The demo show (examples/demo), made as scripts/demo makes it and played by the real saver under
Wine: the screen changes as the show goes on, the demo's first picture fills the screen, its title
is typed out, the next picture's transition spreads over it, and a key ends the saver."""
import os
import subprocess
import time

import saver_e2e as e2e

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
MAKE_SAVER = os.path.join(REPO, "examples", "demo", "make-saver")

# The demo's first pictures (examples/demo/make-assets), fitted to the 1280 x 1024 screen: the
# dusk sky, a JPEG gradient from its top colour to its bottom colour (compared with a tolerance),
# then the sunrise, a PNG whose corners keep the outer colour of its radial gradient exactly.
DUSK_TOP, DUSK_BOTTOM = e2e.rgb("#0b1d3a"), e2e.rgb("#e07a3f")
SUNRISE_EDGE = e2e.rgb("#2a6f97")
WHITE = (255, 255, 255)
TITLE_ROWS = range(470, 560)  # the white title is typed out across the middle of the screen
SAMPLE_STEP = 7
DISTINCT_FRAMES = 5


def close(a, b, tolerance=32):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def dusk_fills_screen(shot):
    return all(close(shot.pixel(x, 4), DUSK_TOP) and close(shot.pixel(x, shot.height - 5), DUSK_BOTTOM)
               for x in range(0, shot.width, 64))


def count_sampled(shot, colour, rows):
    return sum(1 for y in rows for x in range(0, shot.width, SAMPLE_STEP) if shot.pixel(x, y) == colour)


class Watch:
    """What the screenshots have shown so far: the dusk picture slid in, the title typed out letter
    by letter (its white area grows), the sunrise's transition under way (its colour spreads)."""

    def __init__(self):
        self.frames = set()
        self.dusk_after = None
        self.title_sizes = set()
        self.sunrise_sizes = set()
        self.shots = 0
        self.started = time.monotonic()

    def look(self):
        shot = e2e.Screenshot()
        self.shots += 1
        rows = range(0, shot.height, SAMPLE_STEP)
        self.frames.add(hash(tuple(shot.pixel(x, y) for y in rows for x in range(0, shot.width, SAMPLE_STEP))))
        if self.dusk_after is None and dusk_fills_screen(shot):
            self.dusk_after = time.monotonic() - self.started
        if self.dusk_after is not None:
            title = count_sampled(shot, WHITE, TITLE_ROWS)
            if title:
                self.title_sizes.add(title)
            sunrise = count_sampled(shot, SUNRISE_EDGE, rows)
            if sunrise:
                self.sunrise_sizes.add(sunrise)
        return (len(self.frames) >= DISTINCT_FRAMES and self.dusk_after is not None
                and len(self.title_sizes) >= 3 and len(self.sunrise_sizes) >= 3)

    def summary(self):
        return ("%d screenshots in %.0f s, %d distinct frames, dusk picture after %s s, white title areas %s, "
                "sunrise colour areas %s" % (
                    self.shots, time.monotonic() - self.started, len(self.frames),
                    "%.1f" % self.dusk_after if self.dusk_after is not None else "never",
                    sorted(self.title_sizes)[:8], sorted(self.sunrise_sizes)[:8]))


def main():
    out = os.path.dirname(e2e.work_path("demo", "demo.scr"))
    subprocess.run([MAKE_SAVER, e2e.TOOL, e2e.SCR, out], check=True)
    saver = e2e.Saver(os.path.join(out, "demo.scr"), "/s")
    watch = Watch()
    try:
        try:
            e2e.wait_until(watch.look, "the demo's pictures, title and transition", timeout=300, interval=0.05)
        finally:
            print(watch.summary())
        assert saver.running(), "the demo ended by itself"
        code = saver.end_by(lambda: e2e.key("space"), "the key")
        assert code == 0, code
    finally:
        saver.kill()


if __name__ == "__main__":
    main()
