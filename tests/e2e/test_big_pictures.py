"""Pictures far larger than the screen, played by the real saver under Wine: a 108-megapixel
baseline JPEG (12000 x 9000) and a 32000 x 20000 one, fitted to the screen with their proportions,
are both shown. A picture refused for its size shows its message boxes and leaves no window
hanging: refused while the package is read (wider than JPEG decoding allows), the saver ends after
its one message; refused when it is shown at its own size, its three messages come and the show
goes on."""
import os
import subprocess
import sys
import time

import saver_e2e as e2e

SCREEN = (1280, 1024)
GREEN = "#30A050"


def block_colour(bx, by):
    return ((bx * 60 + 30) % 256, (by * 80 + 40) % 256, ((bx + by) * 45 + 70) % 256)


def write_jpeg(name, width, height):
    """A JPEG of 4 x 3 blocks of one colour each, streamed as PPM into cjpeg: never held whole."""
    path = e2e.work_path("pictures", name)
    encoder = subprocess.Popen(["cjpeg", "-quality", "90", "-outfile", path], stdin=subprocess.PIPE)
    encoder.stdin.write(b"P6 %d %d 255\n" % (width, height))
    for by in range(3):
        row = b"".join(bytes(block_colour(bx, by)) * ((bx + 1) * width // 4 - bx * width // 4) for bx in range(4))
        rows = (by + 1) * height // 3 - by * height // 3
        for _ in range(0, rows, 64):
            encoder.stdin.write(row * min(64, rows - _))
    encoder.stdin.close()
    assert encoder.wait() == 0, "cjpeg failed"
    return path


def with_width(data, width):
    """The JPEG with its frame header claiming `width`."""
    data = bytearray(data)
    sof = data.index(b"\xff\xc0")
    data[sof + 7:sof + 9] = width.to_bytes(2, "big")
    return bytes(data)


def scrambled(data):
    """An embedded file as the package stores it (each byte lowered by its length mod 11 + 3)."""
    shift = len(data) % 11 + 3
    return bytes((b - shift) % 256 for b in data)


def saver_with_picture_replaced(name, items, original, replacement):
    """A saver of `items` whose embedded picture `original` is then replaced by `replacement` of the
    same length: the package tool refuses to build a saver with a picture the engine refuses."""
    path = e2e.make_saver(name, items)
    with open(path, "rb") as f:
        data = f.read()
    assert data.count(scrambled(original)) == 1
    with open(path, "wb") as f:
        f.write(data.replace(scrambled(original), scrambled(replacement)))
    return path


def fitted_size(width, height):
    r = max(width / SCREEN[0], height / SCREEN[1])
    return int(width / r), int(height / r)


def shows_fitted(width, height):
    """The picture fitted with its proportions lies centred on the screen: the middle of each block
    has the block's colour, and the screen above it keeps the black fill."""
    fw, fh = fitted_size(width, height)
    left, top = (SCREEN[0] - fw) // 2, (SCREEN[1] - fh) // 2

    def check(shot):
        for by in range(3):
            for bx in range(4):
                x, y = left + (2 * bx + 1) * fw // 8, top + (2 * by + 1) * fh // 6
                if any(abs(p - q) > 6 for p, q in zip(shot.pixel(x, y), block_colour(bx, by))):
                    return False
        return top == 0 or shot.pixel(SCREEN[0] // 2, top // 2) == (0, 0, 0)
    return check


def picture(name, path, fitted):
    return {"kind": "picture", "name": name, "file": path, "fit_to_screen": fitted, "keep_aspect": fitted}


def show(target):
    return {"kind": "show_image", "target": target, "path": {"start": {"x": 0, "y": 0}}}


def message_boxes():
    return e2e.find_windows("^Error$")


def acknowledge_messages(count):
    """Closes `count` message boxes one after another with Enter; fails if one more comes."""
    for i in range(count):
        box = e2e.wait_until(message_boxes, "message box %d of %d" % (i + 1, count), 120)[0]
        e2e.focus(box)
        time.sleep(0.3)
        e2e.key("Return")
        e2e.wait_until(lambda: box not in message_boxes(), "message box %d to close" % (i + 1), 60)
    time.sleep(2)
    assert not message_boxes(), "more than %d message boxes" % count


def fitted_pictures():
    sizes = [(12000, 9000), (32000, 20000)]
    items = [picture("p%d" % i, write_jpeg("fit-%dx%d.jpg" % size, *size), True) for i, size in enumerate(sizes)]
    for i, _ in enumerate(sizes):
        items += [e2e.fill("#000000"), show("p%d" % i), e2e.delay(30000)]
    saver = e2e.Saver(e2e.make_saver("big-fitted", items), "/s")
    try:
        for width, height in sizes:
            started = time.monotonic()
            e2e.wait_until(lambda: shows_fitted(width, height)(e2e.Screenshot()),
                           "the %d x %d picture fitted to the screen" % (width, height), 120)
            print("%d x %d fitted: shown (%.1f s)" % (width, height, time.monotonic() - started))
        saver.end_by(lambda: e2e.key("Escape"), "the key")
    finally:
        saver.kill()


def refused_while_read():
    small = write_jpeg("small.jpg", 64, 48)
    with open(small, "rb") as f:
        original = f.read()
    items = [picture("wide", small, True), e2e.fill(GREEN), show("wide"), e2e.delay(30000)]
    saver = e2e.Saver(saver_with_picture_replaced("refused-read", items, original, with_width(original, 65535)), "/s")
    try:
        acknowledge_messages(1)
        assert saver.wait_exit(timeout=60) == 0
        assert e2e.Screenshot().count(e2e.rgb(GREEN), (0, 0, 64, 64)) == 0, "a show window appeared"
        print("refused while the package is read: one message, no window")
    finally:
        saver.kill()


def refused_when_shown():
    own_size = write_jpeg("own-size.jpg", 40000, 16)  # beyond 32767 pixels a side when held whole
    items = [picture("wide", own_size, False), e2e.fill("#000000"), show("wide"), e2e.fill(GREEN), e2e.delay(30000)]
    saver = e2e.Saver(e2e.make_saver("refused-show", items), "/s")
    try:
        acknowledge_messages(3)
        e2e.wait_for_screen_colour(GREEN)
        saver.end_by(lambda: e2e.key("Escape"), "the key")
        print("refused when shown: three messages, the show went on")
    finally:
        saver.kill()


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    fitted_pictures()
    refused_while_read()
    refused_when_shown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
