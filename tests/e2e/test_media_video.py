"""Video of a show through the real saver: an AVI made at test time (one red second, then one blue)
played without waiting appears at its place, starts over after its end and leaves the keyboard to
the saver, so a key still ends the show; played with waiting, the show goes on after it. No ".avi"
file is left behind. The times measured are printed."""
import glob
import os
import time

import saver_e2e as e2e

SHOW_COLOUR = "#204060"
AFTER_COLOUR = "#60A020"
VIDEO_WIDTH, VIDEO_HEIGHT = 160, 120
PLACE = (200, 150)


def video_colour():
    """"red", "blue" or None: what the middle of the video's place shows (the codec keeps 5 bits of
    each channel, so the colours are compared roughly)."""
    x, y = PLACE[0] + VIDEO_WIDTH // 2, PLACE[1] + VIDEO_HEIGHT // 2
    return e2e.rough_colour_name(e2e.Screenshot().pixel(x, y), {"red": (255, 0, 0), "blue": (0, 0, 255)})


def avi_files(folder):
    return sorted(glob.glob(os.path.join(folder, "Ssd*.avi")))


def video_placed():
    """True when the video shows just inside its corners and the background just outside them."""
    inside, outside = e2e.corner_pixels(PLACE, (VIDEO_WIDTH, VIDEO_HEIGHT))
    background = e2e.rgb(SHOW_COLOUR)
    return all(p != background for p in inside) and all(p == background for p in outside)


def background_video(video, temp_folder, before):
    print("video without waiting")
    saver_path = e2e.make_saver("video-background", [
        {"kind": "media", "name": "video", "file": video}, e2e.fill(SHOW_COLOUR),
        {"kind": "play_media", "target": "video", "x": PLACE[0], "y": PLACE[1]}, e2e.delay(600000)])
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=120, points=((10, 10), (1200, 1000)))
        e2e.wait_until(video_colour, "the video to appear", timeout=120, interval=0.05)
        assert video_placed(), "the video is not at (%d, %d) with its own size" % PLACE
        # Red, blue, and red again: the video starts over after its end although the loop flag is clear.
        seen = [video_colour()]
        started = time.monotonic()
        for colour in ("blue", "red", "blue"):
            e2e.wait_until(lambda: video_colour() == colour, "the video to turn " + colour, timeout=60, interval=0.05)
            seen.append(colour)
        print("  colours seen in %.1f s: %s" % (time.monotonic() - started, " ".join(seen)))
        playing = [path for path in avi_files(temp_folder) if path not in before]
        assert len(playing) == 1, "the playing video has one .avi file: %s" % playing
        code = saver.end_by(lambda: e2e.key("a"), "the key", timeout=30)
        assert code == 0, code
    finally:
        saver.kill()


def blocking_video(video):
    print("video with waiting, then repeated with waiting until a key ends the saver")
    play = {"kind": "play_media", "target": "video", "x": PLACE[0], "y": PLACE[1], "wait": True}
    saver_path = e2e.make_saver("video-blocking", [
        {"kind": "media", "name": "video", "file": video}, e2e.fill(SHOW_COLOUR), play,
        e2e.fill(AFTER_COLOUR), dict(play, forever=True), e2e.delay(600000)])
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_until(video_colour, "the video to appear", timeout=120, interval=0.05)
        appeared = time.monotonic()
        # Away from the video's place, where the repeated one soon shows.
        e2e.wait_for_screen_colour(AFTER_COLOUR, timeout=60)
        played = time.monotonic() - appeared
        print("  the show went on %.2f s after the video appeared" % played)
        # The video's last frame shows 1.9 s after its first; a screenshot may see the video late by a
        # few hundred milliseconds on a busy machine, so only half its length is held to.
        assert played > 1.0, "the show did not wait for the video"
        # The repeated video holds the scene thread; the key must still end the saver.
        e2e.wait_until(video_colour, "the repeated video to appear", timeout=60, interval=0.05)
        assert saver.end_by(lambda: e2e.key("a"), "the key, during the video", timeout=30) == 0
    finally:
        saver.kill()


def main():
    temp_folder = e2e.windows_temp_folder()
    before = avi_files(temp_folder)
    video = e2e.make_video("red-blue", ["red", "blue"], VIDEO_WIDTH, VIDEO_HEIGHT)
    background_video(video, temp_folder, before)
    blocking_video(video)
    left = [path for path in avi_files(temp_folder) if path not in before]
    assert not left, "video files left: %s" % left


if __name__ == "__main__":
    main()
