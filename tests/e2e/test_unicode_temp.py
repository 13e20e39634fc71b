"""With the temporary folder at a path outside the ANSI code page, a show with a picture of the
desktop snapshot, an MP3 and a video plays (the video shows at its place), makes its files in that
folder and leaves none behind."""
import os
import subprocess

import saver_e2e as e2e

FOLDER_NAME = "Ωmega тест 漢字"
SHOW_COLOUR = "#405060"
ENVIRONMENT_KEY = r"HKCU\Environment"
VIDEO_PLACE, VIDEO_SIZE = (100, 120), (64, 48)


def make_media():
    mp3 = e2e.work_path("track.mp3")
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=2", "-ar", "44100", "-ac", "2", mp3], check=True)
    # A picture item is validated by its own picture even where it shows the desktop snapshot.
    bmp = e2e.work_path("stand-in.bmp")
    subprocess.run(["convert", "-size", "8x8", "xc:#808080", "BMP3:" + bmp], check=True)
    video = e2e.make_video("yellow", ["yellow"], *VIDEO_SIZE)
    return mp3, bmp, video


def saver_items(mp3, bmp, video):
    return [{"kind": "picture", "name": "desk", "source": "desktop", "file": bmp},
            {"kind": "media", "name": "music", "file": mp3},
            {"kind": "media", "name": "video", "file": video},
            {"kind": "show_image", "target": "desk",
             "path": {"start": {"x": 0, "y": 0, "x_mode": "value", "y_mode": "value"}}},
            {"kind": "play_media", "target": "music", "loop": True},
            e2e.fill(SHOW_COLOUR),
            {"kind": "play_media", "target": "video", "x": VIDEO_PLACE[0], "y": VIDEO_PLACE[1]},
            e2e.delay(600000)]


def video_shows():
    middle = (VIDEO_PLACE[0] + VIDEO_SIZE[0] // 2, VIDEO_PLACE[1] + VIDEO_SIZE[1] // 2)
    return e2e.rough_colour_name(e2e.Screenshot().pixel(*middle), {"yellow": (255, 255, 0)})


def main():
    unix_temp = e2e.windows_temp_folder()
    assert unix_temp, "no temporary folder"
    folder = os.path.join(unix_temp, FOLDER_NAME)
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(folder):
        os.remove(os.path.join(folder, name))
    windows_folder = e2e.windows_path(folder)
    assert FOLDER_NAME in windows_folder, windows_folder
    saver_path = e2e.make_saver("unicode-temp", saver_items(*make_media()))
    saved = {name: e2e.reg_query(ENVIRONMENT_KEY, name) for name in ("TEMP", "TMP")}
    for name in saved:
        e2e.reg_add_string(ENVIRONMENT_KEY, name, windows_folder)
    saver = None
    try:
        saver = e2e.Saver(saver_path, "/s")
        e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=180, points=((10, 10), (640, 512), (1270, 1010)))
        e2e.wait_until(video_shows, "the video to show", timeout=60)
        made = os.listdir(folder)
        print("  made in the temporary folder while the show runs: %s" % sorted(made))
        assert "desktop.bmp" in made and "wallpaper.bmp" in made, made
        assert any(name.endswith(".avi") for name in made), made
        e2e.key("a")
        assert saver.wait_exit(timeout=60) == 0
        left = os.listdir(folder)
        assert not left, "files left behind: %s" % left
    finally:
        if saver:
            saver.kill()
        for name, value in saved.items():
            if value is None:
                e2e.run_wine("reg", "delete", ENVIRONMENT_KEY, "/v", name, "/f")
            else:
                e2e.run_wine("reg", "add", ENVIRONMENT_KEY, "/v", name, "/t", "REG_EXPAND_SZ", "/d", value, "/f")


if __name__ == "__main__":
    main()
