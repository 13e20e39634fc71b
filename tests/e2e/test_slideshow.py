"""A show of pictures in every format, placed by coordinate mode, a text, a photograph-sized JPEG
fitted to the screen (decoded at half its size by libjpeg-turbo, streamed into the resampler) and a
moved picture, played by the real saver under Wine: the screen shows each of them where the
engine's placement rules put it, and the saver ends on a key."""
import os
import subprocess
import sys

import saver_e2e as e2e

PICTURE = (64, 48)
BLOCK = 16  # the picture is made of 16 x 16 blocks of one colour each


def block_colour(bx, by):
    return ((bx * 60 + 30) % 256, (by * 80 + 40) % 256, ((bx + by) * 45 + 70) % 256)


def picture_pixel(x, y):
    return block_colour(x // BLOCK, y // BLOCK)


def write_pictures():
    """One picture, written as PPM and converted by ImageMagick into the five formats."""
    folder = os.path.dirname(e2e.work_path("pictures", "picture.ppm"))
    width, height = PICTURE
    rows = bytearray()
    for y in range(height):
        for x in range(width):
            rows += bytes(picture_pixel(x, y))
    ppm = os.path.join(folder, "picture.ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width, height) + bytes(rows))
    outputs = {"bmp": "BMP3:picture.bmp", "png": "PNG24:picture.png", "pcx": "picture.pcx",
               "jpg": "picture.jpg"}
    for name, target in outputs.items():
        options = ["-quality", "95"] if name == "jpg" else ["-type", "TrueColor"]
        subprocess.run(["convert", ppm] + options + [target], cwd=folder, check=True)
    # ImageMagick 6 stores a TGA's top row first while its header says bottom-up; this one says
    # top-down (descriptor bit 5) and is stored so.
    header = bytes([0, 0, 2] + [0] * 9) + width.to_bytes(2, "little") + height.to_bytes(2, "little") + bytes([24, 0x20])
    bgr = bytearray()
    for y in range(height):
        for x in range(width):
            bgr += bytes(reversed(picture_pixel(x, y)))
    with open(os.path.join(folder, "picture.tga"), "wb") as f:
        f.write(header + bytes(bgr))
    return {name: os.path.join(folder, "picture." + name) for name in list(outputs) + ["tga"]}


PHOTO_SCALE = 40  # the photo is the picture 40 times as large: 2560 x 1920, each block 640 pixels


def write_photo():
    """The picture enlarged to photograph size as a JPEG: more than twice the screen each way."""
    folder = os.path.dirname(e2e.work_path("pictures", "picture.ppm"))
    subprocess.run(["convert", "picture.ppm", "-scale", "%d%%" % (PHOTO_SCALE * 100), "-quality", "95", "photo.jpg"],
                   cwd=folder, check=True)
    return os.path.join(folder, "photo.jpg")


def point(x_mode, y_mode, x=0, y=0):
    return {"x": x, "y": y, "x_mode": x_mode, "y_mode": y_mode}


def show(target, start, **path):
    return {"kind": "show_image", "target": target, "path": dict(path, start=start)}


# Where each placement puts the 64 x 48 picture on a 1280 x 1024 screen.
PLACEMENTS = [
    ("bmp", point("edge_start", "edge_start"), (0, 0)),
    ("png", point("centre", "centre"), (640 - 32, 512 - 24)),
    ("pcx", point("edge_end", "edge_end"), (1280 - 64, 1024 - 48)),
    ("tga", point("value", "value", 100, 700), (100, 700)),
    ("jpg", point("edge_end", "edge_start"), (1280 - 64, 0)),
]
TEXT_AT = (300, 100)
MOVE_FROM, MOVE_TO, MOVE_STEP = (0, 200), (500, 400), 7


def step_end(start, end, step):
    """Where a straight path ends: the engine's Step, moved by step along x until it passes end."""
    (sx, sy), (ex, ey) = start, end
    x = sx
    while True:
        x += step
        y = int((ey - sy) * (x - ex) / (ex - sx)) + ey  # truncation toward zero, as in C
        if x == ex or x > ex:
            return x, y


def slideshow_items(pictures, photo):
    items = [{"kind": "picture", "name": name, "file": path} for name, path in pictures.items()]
    items.append({"kind": "text", "name": "caption", "text": "  Slide", "opaque": True,
                  "text_colour": "#FFFFFF", "background_colour": "#0000FF",
                  "font": {"height": -24, "face": "Arial"}})
    items.append({"kind": "picture", "name": "fitted", "file": photo, "fit_to_screen": True, "keep_aspect": True})
    items.append({"kind": "picture", "name": "mover", "file": pictures["png"]})
    for name, start, _ in PLACEMENTS:
        items.append(show(name, start))
        items.append({"kind": "delay", "duration": 200})
    items.append(show("caption", point("value", "value", *TEXT_AT)))
    # The first check has this long to catch the five pictures and the text: generous, since a
    # busy machine can take seconds for a screenshot.
    items.append({"kind": "delay", "duration": 12000})
    items.append(show("fitted", point("value", "value")))
    items.append({"kind": "delay", "duration": 6000})
    items.append({"kind": "fill", "colour": {"value": "#000000"}})
    items.append({"kind": "move_image", "target": "mover", "path": {
        "start": point("value", "value", *MOVE_FROM), "end": point("value", "value", *MOVE_TO),
        "step": {"x": MOVE_STEP, "y": 1}}})
    return items


def close(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def picture_at(shot, at, tolerance=0):
    """The whole picture lies at `at` (exactly, or within `tolerance` per channel)."""
    for y in range(PICTURE[1]):
        for x in range(PICTURE[0]):
            if not close(shot.pixel(at[0] + x, at[1] + y), picture_pixel(x, y), tolerance):
                return False
    return True


def fitted_picture(shot):
    """The 2560 x 1920 photo fitted with its proportions is 1280 x 960, centred at y 32: each block
    is 320 pixels wide; its middle keeps the block's colour."""
    for by in range(3):
        for bx in range(4):
            if not close(shot.pixel(bx * 320 + 160, 32 + by * 320 + 160), block_colour(bx, by), 2):
                return False
    return shot.pixel(640, 10) == (0, 0, 0) and shot.pixel(640, 1010) == (0, 0, 0)


def wait_for_screen(condition, what, timeout=90.0):
    """Polls screenshots until `condition` holds for one."""
    return e2e.wait_until(lambda: condition(e2e.Screenshot()), what, timeout)


def run_saver(name, items, checks):
    """Plays a saver of `items`, waits for each (condition, what) of `checks` in turn, then ends it
    with a key and prints how long it took to end."""
    saver = e2e.Saver(e2e.make_saver(name, items), "/s")
    try:
        for condition, what, timeout in checks:
            wait_for_screen(condition, what, timeout)
            print(what + ": ok")
        saver.end_by(lambda: e2e.key("Escape"), "the key")
    finally:
        saver.kill()


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1

    missing = []  # what the last screenshot of the first check lacked

    def pictures_and_text(shot):
        missing[:] = [name for name, _, at in PLACEMENTS if not picture_at(shot, at, 12 if name == "jpg" else 0)]
        if shot.pixel(TEXT_AT[0] + 1, TEXT_AT[1] + 1) != (0, 0, 255):
            missing.append("text (pixel %r)" % (shot.pixel(TEXT_AT[0] + 1, TEXT_AT[1] + 1),))
        return not missing

    end = step_end(MOVE_FROM, MOVE_TO, MOVE_STEP)

    def moved(shot):
        return picture_at(shot, end) and shot.pixel(MOVE_FROM[0] + 5, MOVE_FROM[1] + 5) == (0, 0, 0)

    try:
        run_saver("slideshow", slideshow_items(write_pictures(), write_photo()), [
            (pictures_and_text, "five pictures placed by their coordinate modes, and an opaque text", 90),
            (fitted_picture, "a picture fitted to the screen with its proportions", 90),
            (moved, "the moved picture where Step ends it, %r" % (end,), 90),
        ])
    except e2e.TimedOut:
        if missing:
            print("the last screenshot of the first check lacked: %s" % ", ".join(missing))
        raise
    return 0


if __name__ == "__main__":
    sys.exit(main())
