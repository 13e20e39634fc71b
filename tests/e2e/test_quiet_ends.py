"""Runs that end quietly at once: a damaged package, an unknown switch, a preview or password change
without a usable window handle. Each exits with code 0 and leaves no temporary picture behind."""
import os

import saver_e2e as e2e

COLOUR = "#70A030"
PACKAGE_OFFSET = os.path.getsize(os.environ["SAVER_SCR"])  # the padded engine ends where the package starts


def damaged_copies(saver_path):
    with open(saver_path, "rb") as original:
        data = original.read()
    signature_case = bytearray(data)
    signature_case[PACKAGE_OFFSET + 5] ^= 0x20  # one letter of the signature in the other case
    cut = data[:PACKAGE_OFFSET + 20] + data[-1:]  # the package cut inside its header
    copies = {}
    for name, content in (("signature", bytes(signature_case)), ("cut", cut), ("engine-only", data[:PACKAGE_OFFSET])):
        path = e2e.work_path("damaged-%s.scr" % name)
        with open(path, "wb") as copy:
            copy.write(content)
        copies[name] = path
    return copies


def main():
    temp_folder = e2e.windows_temp_folder()
    saver_path = e2e.make_saver("quiet", [e2e.fill(COLOUR)])
    runs = [("damaged " + name, path, ["/s"]) for name, path in damaged_copies(saver_path).items()]
    runs += [
        ("unknown switch", saver_path, ["/x"]),
        ("sx is not s", saver_path, ["sx"]),
        ("preview without handle", saver_path, ["/p"]),
        ("preview with handle 0", saver_path, ["/p", "0"]),
        ("preview with a non-number", saver_path, ["/p", "window"]),
        ("preview of a window that does not exist", saver_path, ["/p", "12345678"]),
        ("password change without an owner window", saver_path, ["/a", "0"]),
    ]
    for name, path, arguments in runs:
        print(name)
        leftovers = [os.path.join(temp_folder, n) for n in ("desktop.bmp", "wallpaper.bmp")]
        for leftover in leftovers:
            with open(leftover, "wb") as stand_in:
                stand_in.write(b"BM")
        saver = e2e.Saver(path, *arguments)
        try:
            assert saver.wait_exit(timeout=60) == 0
        finally:
            saver.kill()
        assert e2e.Screenshot().count(e2e.rgb(COLOUR), (0, 0, 64, 64)) == 0, "a show window appeared"
        for leftover in leftovers:
            assert not os.path.exists(leftover), leftover + " survived"


if __name__ == "__main__":
    main()
