"""Flash movies through the real saver, played by the stand-in control of the Wine media tests
(registered under the Flash class id in this prefix only while the test runs; it shows a movie as a
plain magenta window): a movie with a time limit and the wait flag holds the show for that time,
a looping one without waiting plays at its place until its time limit ends it while the show goes
on, and no ".swf" file is left behind. The times measured are printed."""
import glob
import os
import struct
import time

import saver_e2e as e2e

FLASH_SERVER_KEY = r"HKCR\CLSID\{D27CDB6E-AE6D-11CF-96B8-444553540000}"
REGISTRY_VIEWS = ("/reg:32", "/reg:64")
SHOW_COLOUR = "#305070"
AFTER_COLOUR = "#70A030"
MOVIE_COLOUR = (255, 0, 255)
MOVIE_WIDTH, MOVIE_HEIGHT = 200, 150
BLOCKING_PLACE, LOOPING_PLACE = (100, 100), (500, 300)
TIME_LIMIT_MS = 4000
# Without its time limit the stand-in's movie would end after half a second (waited for) or never
# (looping). A screenshot may see the movie late by a few hundred milliseconds on a busy machine, so
# the times measured from its appearance are only held to half the limit.
SHORTEST_SECONDS = TIME_LIMIT_MS / 2000


def make_movie():
    """An uncompressed SWF of one frame whose header gives the movie's size in twips."""
    bits = 15
    fields = [0, MOVIE_WIDTH * 20, 0, MOVIE_HEIGHT * 20]
    value = bits
    for field in fields:
        value = (value << bits) | field
    total_bits = 5 + 4 * bits
    rect = (value << (-total_bits % 8)).to_bytes((total_bits + 7) // 8, "big")
    body = rect + struct.pack("<HH", 12 << 8, 1) + struct.pack("<HH", 1 << 6, 0)  # ShowFrame, End
    path = e2e.work_path("movie.swf")
    with open(path, "wb") as movie:
        movie.write(b"FWS" + bytes([6]) + struct.pack("<I", 8 + len(body)) + body)
    return path


def register_control():
    control = os.environ.get("SAVER_E2E_FLASH_CONTROL", "")
    assert control and os.path.exists(control), "the stand-in control is not built: %r" % control
    windows_path = e2e.windows_path(control)
    server = FLASH_SERVER_KEY + r"\InprocServer32"
    # In both registry views: a 64-bit saver reads the 64-bit one, a 32-bit saver its own.
    for view in REGISTRY_VIEWS:
        e2e.run_wine("reg", "add", server, "/ve", "/t", "REG_SZ", "/d", windows_path, "/f", view)
        e2e.run_wine("reg", "add", server, "/v", "ThreadingModel", "/t", "REG_SZ", "/d", "Apartment", "/f", view)


def unregister_control():
    for view in REGISTRY_VIEWS:
        e2e.run_wine("reg", "delete", FLASH_SERVER_KEY, "/f", view)


def swf_files(folder):
    return sorted(glob.glob(os.path.join(folder, "Ssd*.swf")))


def movie_at(place):
    shot = e2e.Screenshot()
    return shot.pixel(place[0] + MOVIE_WIDTH // 2, place[1] + MOVIE_HEIGHT // 2) == MOVIE_COLOUR


def movie_placed(place, background):
    """True when the movie shows just inside its corners and the background just outside them."""
    inside, outside = e2e.corner_pixels(place, (MOVIE_WIDTH, MOVIE_HEIGHT))
    return all(p == MOVIE_COLOUR for p in inside) and all(p == e2e.rgb(background) for p in outside)


def play(place, **fields):
    return dict({"kind": "play_media", "target": "movie", "x": place[0], "y": place[1], "time_limited": True,
                 "time_limit": TIME_LIMIT_MS}, **fields)


def main():
    temp_folder = e2e.windows_temp_folder()
    before = swf_files(temp_folder)
    register_control()
    saver = None
    try:
        saver_path = e2e.make_saver("flash", [
            {"kind": "media", "name": "movie", "file": make_movie()}, e2e.fill(SHOW_COLOUR),
            play(BLOCKING_PLACE, wait=True), e2e.fill(AFTER_COLOUR), play(LOOPING_PLACE, loop=True),
            e2e.delay(600000)])
        saver = e2e.Saver(saver_path, "/s")

        print("movie with waiting")
        e2e.wait_until(lambda: movie_at(BLOCKING_PLACE), "the movie to play", timeout=120, interval=0.05)
        appeared = time.monotonic()
        assert movie_placed(BLOCKING_PLACE, SHOW_COLOUR), "the movie is not at %s with its own size" % (BLOCKING_PLACE,)
        assert [path for path in swf_files(temp_folder) if path not in before], "the playing movie has no .swf file"
        e2e.wait_for_screen_colour(AFTER_COLOUR, timeout=60, points=((10, 10), BLOCKING_PLACE, (1200, 1000)))
        held = time.monotonic() - appeared
        print("  the show went on %.2f s after the movie appeared (time limit %d ms)" % (held, TIME_LIMIT_MS))
        assert held > SHORTEST_SECONDS, "the show did not wait for the movie's time limit"

        print("looping movie without waiting")
        e2e.wait_until(lambda: movie_at(LOOPING_PLACE), "the looping movie to play", timeout=60, interval=0.05)
        appeared = time.monotonic()
        assert movie_placed(LOOPING_PLACE, AFTER_COLOUR), "the movie is not at %s with its own size" % (LOOPING_PLACE,)
        e2e.wait_until(lambda: not movie_at(LOOPING_PLACE), "the time limit to end the movie", timeout=60,
                       interval=0.05)
        played = time.monotonic() - appeared
        print("  the looping movie ended %.2f s after it appeared (time limit %d ms)" % (played, TIME_LIMIT_MS))
        assert played > SHORTEST_SECONDS, "the movie ended before its time limit"
        e2e.wait_until(lambda: not [path for path in swf_files(temp_folder) if path not in before],
                       "the movie's file to go", timeout=30)
        assert saver.running(), "the show ended with the movie"
        e2e.key("a")
        assert saver.wait_exit(timeout=30) == 0
    finally:
        if saver:
            saver.kill()
        unregister_control()
    left = [path for path in swf_files(temp_folder) if path not in before]
    assert not left, "movie files left: %s" % left


if __name__ == "__main__":
    main()
