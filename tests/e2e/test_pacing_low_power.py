"""A show with LowPowerPacing 1 plays a slow transition (speed 1000) to its end and ends on a key,
with the i686 engine and with the x86_64 one under wine64. The CPU time the saver process spends
during the transition is printed with each engine, for the eye only."""
import os
import struct
import time

import saver_e2e as e2e

BACKGROUND = "#102030"
PICTURE_COLOUR = (0x30, 0x70, 0xB0)
PICTURE = (320, 240)
CENTRE = (640, 512)  # of the 1280 x 1024 screen, where the centred picture lies


def engine_64():
    """The x86_64 engine beside the i686 one: build/<x>mingw64/saver.scr for build/<x>mingw32."""
    folder = os.path.dirname(e2e.SCR)
    name = os.path.basename(folder).replace("mingw32", "mingw64")
    return os.environ.get("SAVER_SCR64", os.path.join(os.path.dirname(folder), name, "saver.scr"))


def write_bmp(path, size, colour):
    """A 24-bit bottom-up BMP of one colour; rows padded to four bytes."""
    width, height = size
    row = bytes(reversed(colour)) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)
    return path


def saver_cpu_seconds(process_name):
    """User and system time of the Wine processes whose command line names `process_name`."""
    total = 0.0
    ticks = os.sysconf("SC_CLK_TCK")
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                if process_name.encode() not in f.read():
                    continue
            with open("/proc/%s/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += (int(fields[11]) + int(fields[12])) / ticks
        except OSError:
            continue
    return total


def run_show(engine, label):
    assert os.path.exists(engine), "no engine at %s: build it first" % engine
    picture = write_bmp(e2e.work_path("slow.bmp"), PICTURE, PICTURE_COLOUR)
    path = {"start": {"x": 0, "y": 0, "x_mode": "centre", "y_mode": "centre"}, "effect": 21, "speed": 1000}
    items = [{"kind": "picture", "name": "slow", "file": picture}, e2e.fill(BACKGROUND),
             {"kind": "show_image", "target": "slow", "path": path}, e2e.delay(600000)]
    saver_path = e2e.make_saver("low-power-" + label, items)
    name = e2e.display_name_of(saver_path)
    e2e.store_settings(name, {"Standard": 1, "LowPowerPacing": 1})
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(BACKGROUND, timeout=120, points=((10, 10),))
        cpu_start, wall_start = saver_cpu_seconds(os.path.basename(saver_path)), time.monotonic()
        e2e.wait_until(lambda: e2e.Screenshot().pixel(*CENTRE) == PICTURE_COLOUR, "the picture", 180)
        shot = e2e.Screenshot()
        x0, y0 = CENTRE[0] - PICTURE[0] // 2, CENTRE[1] - PICTURE[1] // 2
        e2e.wait_until(lambda: e2e.Screenshot().pixel(x0 + 1, y0 + PICTURE[1] - 2) == PICTURE_COLOUR,
                       "the transition's last frame", 180)
        cpu = saver_cpu_seconds(os.path.basename(saver_path)) - cpu_start
        print("  %s: %.2f s of saver CPU over %.2f s of the transition" % (label, cpu, time.monotonic() - wall_start))
        assert shot.pixel(10, 10) == e2e.rgb(BACKGROUND)
        e2e.key("a")
        assert saver.wait_exit(timeout=60) == 0
    finally:
        saver.kill()
        e2e.reg_delete(e2e.COMPANY_KEY + "\\" + name)


def main():
    run_show(e2e.SCR, "i686")
    run_show(engine_64(), "x86_64")


if __name__ == "__main__":
    main()
