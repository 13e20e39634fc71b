"""The package tool's off-screen rendering against the real saver under Wine: a show of pictures,
each brought in by a transition of another family and held for a few seconds, is rendered by
`saverpkg render`; while the real saver plays the same show, the screen must come to match the
rendered end of each transition, in show order, within a small tolerance."""
import os
import re
import subprocess
import sys
import time

import saver_e2e as e2e

SCREEN = (1280, 1024)
PICTURE = (240, 180)  # rows of 720 bytes: a BMP needs no row padding
BLOCK = 20
BACKGROUND = "#203040"
HOLD_MS = 5000
# (transition, where the picture goes): slides, wipes, dissolves, fades, cells and rolls.
SHOWS = [
    ("slide in from the left", (60, 80)),
    ("wipe downwards", (420, 120)),
    ("random dissolve in 8 x 8 blocks", (820, 90)),
    ("fade in from black", (150, 500)),
    ("clockwise spiral", (560, 560)),
    ("roll from the top and bottom", (960, 700)),
]
# A pixel matches when no channel differs by more than this share of full scale; a screen matches
# when at most MISMATCH_SHARE of its pixels do not.
FUZZ = "3%"
MISMATCH_SHARE = 0.001


def write_picture(index):
    """A picture of coloured blocks, its colours shifted by `index`, as a 24-bit BMP."""
    width, height = PICTURE
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            bx, by = x // BLOCK, y // BLOCK
            red = (bx * 37 + index * 70 + 20) % 256
            green = (by * 53 + index * 40 + 60) % 256
            blue = ((bx + by) * 29 + index * 90 + 100) % 256
            row += bytes((blue, green, red))
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))  # bottom-up
    header = b"BM" + (54 + len(pixels)).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    info = ((40).to_bytes(4, "little") + width.to_bytes(4, "little") + height.to_bytes(4, "little") +
            (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(4) + len(pixels).to_bytes(4, "little") +
            bytes(16))
    path = e2e.work_path("pictures", "picture%d.bmp" % index)
    with open(path, "wb") as f:
        f.write(header + info + pixels)
    return path


def show_items():
    items = [e2e.fill(BACKGROUND)]
    for index, (effect, (x, y)) in enumerate(SHOWS):
        name = "picture%d" % index
        items.append({"kind": "picture", "name": name, "file": write_picture(index)})
        items.append({"kind": "show_image", "target": name, "path": {
            "start": {"x": x, "y": y, "x_mode": "value", "y_mode": "value"}, "effect": effect, "speed": 200}})
        items.append(e2e.delay(HOLD_MS))
    items.append(e2e.delay(600000))
    return items


def render(scene_path):
    """Renders the show at the screen's size; the rendered end of each transition, in order."""
    folder = os.path.join(e2e.WORK, "rendered")
    seconds = len(SHOWS) * HOLD_MS / 1000 + 2
    result = subprocess.run([e2e.TOOL, "render", scene_path, "-o", folder, "--size", "%dx%d" % SCREEN,
                             "--seconds", str(seconds), "--fps", "1"], capture_output=True, text=True, check=True)
    print(result.stdout.strip())
    ends = re.findall(r"^transition \d+ ended at ([0-9.]+) s: (\S+)$", result.stdout, re.M)
    assert len(ends) == len(SHOWS), "rendered %d transition ends for %d shows" % (len(ends), len(SHOWS))
    return [(float(at), os.path.join(folder, name)) for at, name in ends]


def mismatched_pixels(shot, rendered_png):
    """How many pixels of the screenshot differ from the rendered picture beyond FUZZ."""
    ppm = e2e.work_path("screen.ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (shot.width, shot.height) + shot.pixels[:shot.width * shot.height * 3])
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", FUZZ, rendered_png, ppm, "null:"],
                            capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    saver_path = e2e.make_saver("render_matches", show_items())
    ends = render(e2e.work_path("render_matches.json"))
    allowed = int(SCREEN[0] * SCREEN[1] * MISMATCH_SHARE)
    saver = e2e.Saver(saver_path, "/s")
    try:
        started = time.monotonic()
        for index, (rendered_at, png) in enumerate(ends):
            counts = []

            def matches():
                counts.append(mismatched_pixels(e2e.Screenshot(), png))
                return counts[-1] <= allowed

            e2e.wait_until(matches, "the screen to match the rendered end of transition %d (%s)"
                           % (index + 1, SHOWS[index][0]), timeout=180.0, interval=0.1)
            print("transition %d (%s): rendered end at %.3f s of show time; the saver's screen matched %.1f s "
                  "after its start with %d pixels off (at most %d allowed), after %d screenshots"
                  % (index + 1, SHOWS[index][0], rendered_at, time.monotonic() - started, counts[-1], allowed,
                     len(counts)))
        e2e.key("Escape")
        saver.wait_exit(timeout=60)
    finally:
        saver.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main())
