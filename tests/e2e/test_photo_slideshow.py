"""A saver made by `saverpkg slideshow` from a folder of generated photos, with a non-ASCII name:
a JPEG stored on its side with EXIF orientation 6, a 108 MP JPEG, a PNG and a damaged JPEG. The
damaged one is reported and skipped; the real saver shows every other photo upright, fitted to
the screen with its proportions and centred on black, in natural order, while the MP3 plays on the
null sink. saverpkg.exe under Wine makes the same saver file byte for byte."""
import os
import shutil
import struct
import subprocess

import saver_e2e as e2e
from test_media_sound import SinkRecording, loud_seconds, make_tone

FOLDER = "Fotos Øland 東京"
HOLD_SECONDS = 6
BLACK = (0, 0, 0)

# Each photo's colours as it must appear, clockwise from the top-left quadrant, and the size it
# stands in upright (the 108 MP one after the tool reduced it to the default 3840 x 2160 box).
PHOTOS = [
    ("IMG_1 portrait.jpg", ["#FFFFFF", "#FF0000", "#00FF00", "#0000FF"], (300, 400)),
    ("IMG_2 108MP.jpg", ["#00FFFF", "#FF00FF", "#FFFF00", "#FF8000"], (2880, 2160)),
    ("IMG_10.png", ["#800080", "#808000", "#008080", "#C0C0C0"], (320, 240)),
]


def quadrant_picture(path, colours, size, codec_options):
    """A picture of four flat quadrants (clockwise from the top left) made by ffmpeg."""
    half = "%dx%d" % (size[0] // 2, size[1] // 2)
    inputs = []
    for colour in colours:
        inputs += ["-f", "lavfi", "-i", "color=c=%s:s=%s" % (colour.replace("#", "0x"), half)]
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y"] + inputs +
                   ["-filter_complex", "[0][1]hstack[top];[3][2]hstack[bottom];[top][bottom]vstack",
                    "-frames:v", "1"] + codec_options + [path], check=True)


def with_orientation(jpeg, orientation):
    """The JPEG with an EXIF block holding only the orientation tag (TIFF little-endian, IFD 0)."""
    tiff = b"II*\0" + struct.pack("<IH", 8, 1) + struct.pack("<HHIHH", 0x0112, 3, 1, orientation, 0) + b"\0\0\0\0"
    app1 = b"Exif\0\0" + tiff
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(app1) + 2) + app1 + jpeg[2:]


def make_photos(folder):
    jpeg = ["-pix_fmt", "yuvj420p", "-q:v", "2"]
    # Stored a quarter turn anticlockwise: what stands upright as white, red / blue, green (top
    # left, top right / bottom left, bottom right) is stored as red, green / white, blue.
    stored = e2e.work_path("stored.jpg")
    quadrant_picture(stored, ["#FF0000", "#00FF00", "#0000FF", "#FFFFFF"], (400, 300), jpeg)
    with open(stored, "rb") as f:
        turned = with_orientation(f.read(), 6)
    with open(os.path.join(folder, PHOTOS[0][0]), "wb") as f:
        f.write(turned)
    quadrant_picture(os.path.join(folder, PHOTOS[1][0]), PHOTOS[1][1], (12000, 9000), jpeg)
    quadrant_picture(os.path.join(folder, PHOTOS[2][0]), PHOTOS[2][1], PHOTOS[2][2], [])
    with open(os.path.join(folder, "IMG_3 damaged.jpg"), "wb") as f:
        f.write(turned[:len(turned) // 2])


def fitted(size, screen):
    """Where the engine puts a picture fitted to the screen with its proportions, centred."""
    ratio = max(size[0] / screen[0], size[1] / screen[1])
    width, height = int(size[0] / ratio), int(size[1] / ratio)
    return (screen[0] // 2 - width // 2, screen[1] // 2 - height // 2), (width, height)


def shows(shot, colours, size):
    """The screenshot holds the photo fitted and centred: each quadrant's colour at its centre,
    black just outside the picture where the screen is wider or taller than it."""
    (left, top), (width, height) = fitted(size, (shot.width, shot.height))
    centres = [(left + width // 4, top + height // 4), (left + 3 * width // 4, top + height // 4),
               (left + 3 * width // 4, top + 3 * height // 4), (left + width // 4, top + 3 * height // 4)]
    named = {colour: e2e.rgb(colour) for colour in colours}
    if [e2e.rough_colour_name(shot.pixel(x, y), named) for x, y in centres] != colours:
        return False
    outside = []
    if left > 2:
        outside += [(left - 2, shot.height // 2), (left + width + 1, shot.height // 2)]
    if top > 2:
        outside += [(shot.width // 2, top - 2), (shot.width // 2, top + height + 1)]
    return all(shot.pixel(x, y) == BLACK for x, y in outside)


def exe_tool():
    """saverpkg.exe of the x86_64 build beside the i686 one that runs these tests."""
    folder = os.path.dirname(e2e.SCR)
    name = os.path.basename(folder).replace("mingw32", "mingw64")
    return os.path.join(os.path.dirname(folder), name, "tools", "saverpkg.exe")


def main():
    folder = os.path.join(e2e.WORK, FOLDER)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    make_photos(folder)
    music = make_tone("music", ".mp3", 2)
    common = ["--music", music, "--seconds", str(HOLD_SECONDS), "--effect", "own_size", "--engine", e2e.SCR]

    linux_saver = e2e.work_path("photos-linux.scr")
    made = subprocess.run([e2e.TOOL, "slideshow", folder, "-o", linux_saver] + common,
                          capture_output=True, text=True)
    print(made.stdout + made.stderr)
    assert made.returncode == 0, made.stderr
    assert "warning: %s: skipped: damaged" % os.path.join(folder, "IMG_3 damaged.jpg") in made.stdout
    assert "3 photos (1 kept as they were, 1 turned upright losslessly, 1 reduced)" in made.stdout

    exe = exe_tool()
    assert os.path.exists(exe), "no saverpkg.exe at %s: build the mingw64 preset first" % exe
    windows_saver = e2e.work_path("photos-windows.scr")
    log = e2e.work_path("logs", "saverpkg-exe.out")
    with open(log, "wb") as out:
        code = subprocess.run([e2e.WINE, exe, "slideshow", folder, "-o", windows_saver] + common,
                              stdout=out, stderr=subprocess.STDOUT, env=e2e.wine_env(), timeout=600).returncode
    print(open(log, "rb").read().decode("utf-8", "replace"))
    assert code == 0, "saverpkg.exe failed"
    with open(linux_saver, "rb") as a, open(windows_saver, "rb") as b:
        assert a.read() == b.read(), "saverpkg.exe made other bytes than the Linux tool"
    print("saverpkg.exe under Wine: the same %d bytes" % os.path.getsize(linux_saver))

    saver = e2e.Saver(linux_saver, "/s")
    try:
        recording = SinkRecording("photos")
        for name, colours, size in PHOTOS:
            e2e.wait_until(lambda: shows(e2e.Screenshot(), colours, size), name + " upright and fitted", 180)
            print("  %s shown upright and fitted" % name)
        windows = recording.stop()
        heard = loud_seconds(windows)
        print("  %.1f s of music heard" % heard)
        assert heard > 4, "the two seconds of music did not loop through the show"
        assert saver.end_by(lambda: e2e.key("a"), "a key") == 0
    finally:
        saver.kill()


if __name__ == "__main__":
    main()
