"""A show action with effect 3 (a random transition) inside a loop, played by the real saver under
Wine: each pass draws a transition of its own. Every pass fills the screen black and shows a white
picture through effect 3; screenshots taken while it appears give, for each pass, the pattern in
which the picture uncovered a grid of sample points half way through. Passes that drew different
transitions leave different patterns; a show that kept one effect for every pass would leave the
same pattern each time."""
import os
import subprocess
import sys
import time

import saver_e2e as e2e

SCREEN = (1280, 1024)
PICTURE = (480, 360)
ORIGIN = ((SCREEN[0] - PICTURE[0]) // 2, (SCREEN[1] - PICTURE[1]) // 2)
GRID = (16, 12)  # sample points across the picture
PASSES = 6
HOLD_MS = 1500   # the finished picture stays this long before the next pass blanks the screen
BLACK_MS = 1000  # and the blank screen this long before the picture comes, so that screenshots
                 # of a loaded machine still see where one pass ends and the next begins
MARKER = "#0000C0"
# Two passes count as different transitions when each of their half-way patterns uncovers at
# least this share of the sample points that the other leaves covered. One transition caught at two
# moments uncovers a part and then more of it: one pattern holds the other.
DIFFERENT_SHARE = 0.1


def sample_points():
    step_x, step_y = PICTURE[0] // GRID[0], PICTURE[1] // GRID[1]
    return [(ORIGIN[0] + step_x // 2 + i * step_x, ORIGIN[1] + step_y // 2 + j * step_y)
            for j in range(GRID[1]) for i in range(GRID[0])]


POINTS = sample_points()


def write_picture():
    path = e2e.work_path("white.bmp")
    subprocess.run(["convert", "-size", "%dx%d" % PICTURE, "xc:#FFFFFF", "BMP3:" + path], check=True)
    return path


def items(picture):
    show = {"kind": "show_image", "target": "white", "path": {
        "start": {"x_mode": "centre", "y_mode": "centre"}, "effect": 3, "speed": 500}}
    return [{"kind": "picture", "name": "white", "file": picture},
            {"kind": "loop_start"},
            e2e.fill("#000000"), e2e.delay(BLACK_MS), show, e2e.delay(HOLD_MS),
            {"kind": "loop_end", "repeat": PASSES},
            e2e.fill(MARKER), e2e.delay(600000)]


def frame(shot):
    """Per sample point: 1 for the white picture, 0 for the black screen, None for anything else
    (a fade's grey, the marker)."""
    marks = []
    for x, y in POINTS:
        r, g, b = shot.pixel(x, y)
        low, high = min(r, g, b), max(r, g, b)
        marks.append(1 if low > 200 else 0 if high < 55 else None)
    return marks


def passes_from(frames):
    """Splits the screenshots into passes: a pass starts at a frame with no white point after a
    frame that was all white. Returns, per pass, its frames."""
    passes, current, seen_full = [], [], False
    for marks in frames:
        revealed = sum(1 for m in marks if m == 1)
        if revealed == 0 and seen_full:
            passes.append(current)
            current, seen_full = [], False
        current.append(marks)
        if revealed == len(marks):
            seen_full = True
    if seen_full:
        passes.append(current)
    return passes


def half_way(frames):
    """The pattern of the frame nearest to half uncovered, if some frame lies between a fifth and
    four fifths; "fade" when the picture came up through grey; "cut" when it came at once."""
    best, best_distance = None, None
    greys = 0
    for marks in frames:
        if None in marks:
            greys += 1
            continue
        share = sum(marks) / len(marks)
        if 0.2 <= share <= 0.8 and (best_distance is None or abs(share - 0.5) < best_distance):
            best, best_distance = marks, abs(share - 0.5)
    if best is not None:
        return tuple(best)
    return "fade" if greys else "cut"


def different(a, b):
    if isinstance(a, str) or isinstance(b, str):
        return a != b
    only_a = sum(1 for p, q in zip(a, b) if p and not q)
    only_b = sum(1 for p, q in zip(a, b) if q and not p)
    return min(only_a, only_b) >= DIFFERENT_SHARE * len(a)


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    marker = e2e.rgb(MARKER)
    saver = e2e.Saver(e2e.make_saver("random_effect", items(write_picture())), "/s")
    frames = []
    try:
        deadline = time.monotonic() + 600
        while True:
            shot = e2e.Screenshot()
            if shot.pixel(*POINTS[0]) == marker:
                break
            frames.append(frame(shot))
            assert time.monotonic() < deadline, "the loop did not end within 600 s"
        e2e.key("Escape")
        saver.wait_exit(timeout=60)
    finally:
        saver.kill()

    passes = passes_from(frames)
    patterns = [half_way(p) for p in passes]
    for index, (pass_frames, pattern) in enumerate(zip(passes, patterns)):
        kind = pattern if isinstance(pattern, str) else "%d of %d points uncovered" % (sum(pattern), len(pattern))
        print("pass %d: %d screenshots, half way: %s" % (index + 1, len(pass_frames), kind))
    assert len(passes) >= PASSES - 1, "only %d passes seen in %d screenshots" % (len(passes), len(frames))
    pairs = [(i, j) for i in range(len(patterns)) for j in range(i + 1, len(patterns))]
    differing = sum(1 for i, j in pairs if different(patterns[i], patterns[j]))
    print("%d of %d pairs of passes drew different transitions" % (differing, len(pairs)))
    assert differing > 0, "every pass drew the same transition"
    return 0


if __name__ == "__main__":
    sys.exit(main())
