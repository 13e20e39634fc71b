"""The desktop pictures end to end: a picture of source "desktop" shows the screen as it was before
the saver started; one of source "wallpaper" shows the wallpaper set in the registry, placed by its
style (centred, tiled, stretched, and a PNG filled, fitted and spanned); "desktop.bmp" and "wallpaper.bmp" exist while a show runs and are gone after every end (a
normal end, a saver file without a readable package, the settings mode)."""
import os
import shutil
import subprocess

import saver_e2e as e2e

FILL_COLOUR = "#A05020"
SAMPLES = ((5, 5), (200, 150), (640, 512), (1000, 800), (1275, 1019))
QUADRANTS = ((255, 0, 0), (0, 200, 0), (0, 0, 255), (255, 255, 0))  # top left, top right, bottom left, bottom right
PICTURE = (64, 48)
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def quadrant_colour(x, y):
    width, height = PICTURE
    return QUADRANTS[(2 if y >= height // 2 else 0) + (1 if x >= width // 2 else 0)]


def write_ppm(path, size, colour_at):
    width, height = size
    rows = bytearray()
    for y in range(height):
        for x in range(width):
            rows += bytes(colour_at(x, y))
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width, height) + bytes(rows))


def write_picture(name, size, colour_at, extension="bmp", magick_format="BMP3"):
    ppm = e2e.work_path("pictures", name + ".ppm")
    write_ppm(ppm, size, colour_at)
    path = e2e.work_path("pictures", name + "." + extension)
    subprocess.run(["convert", ppm, "-type", "TrueColor", magick_format + ":" + path], check=True)
    return path


def write_bmp(name, size, colour_at):
    return write_picture(name, size, colour_at)


def show_source(source, placeholder):
    """Fills the screen, then shows the picture of `source` at the top-left corner."""
    return [{"kind": "picture", "name": "taken", "file": placeholder, "source": source, "fit_to_screen": True},
            e2e.fill(FILL_COLOUR), e2e.delay(1500),
            {"kind": "show_image", "target": "taken",
             "path": {"start": {"x": 0, "y": 0, "x_mode": "value", "y_mode": "value"}}},
            e2e.delay(600000)]


def temporary_pictures(folder):
    return [os.path.join(folder, name) for name in ("desktop.bmp", "wallpaper.bmp")]


def run_show(saver_path, check, temporary):
    """Runs the show, calls `check` once its fill is up, then ends it by moving the mouse."""
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(FILL_COLOUR, timeout=120)
        for path in temporary:
            assert os.path.exists(path), path + " is missing while the show runs"
        check()
        assert saver.end_by(e2e.nudge_pointer, "a mouse move", repeat=True) == 0
    finally:
        saver.kill()
    for path in temporary:
        assert not os.path.exists(path), path + " survived the saver"


def samples_show(expected, samples=SAMPLES):
    """A check that waits until every sample point has the colour `expected` gives it (None: the
    desktop colour, which is no colour of the pictures)."""
    def check():
        try:
            e2e.wait_until(lambda: mismatches(e2e.Screenshot(), expected, samples) == [],
                           "the taken picture on the screen", 60)
        except e2e.TimedOut:
            print("differences (point, seen, expected):", mismatches(e2e.Screenshot(), expected, samples))
            raise
    return check


def mismatches(shot, expected, samples):
    def wrong(seen, wanted):
        return seen in QUADRANTS if wanted is None else seen != wanted
    return [((x, y), shot.pixel(x, y), expected(x, y)) for x, y in samples if wrong(shot.pixel(x, y), expected(x, y))]


def desktop_snapshot(saver_path, temporary):
    pattern = write_bmp("root-pattern", (1280, 1024), lambda x, y: ((x * 7) % 256, (y * 5) % 256, (x + y) % 256))
    # ImageMagick paints the root window's background (its exit status says nothing useful here).
    subprocess.run(["display", "-window", "root", pattern])
    before = e2e.wait_until(lambda: (lambda shot: shot if shot.pixel(200, 150) != (0, 0, 0) else None)(e2e.Screenshot()),
                            "the pattern on the root window", 30)
    run_show(saver_path, samples_show(lambda x, y: before.pixel(x, y)), temporary)


def wallpaper_styles(saver_path, temporary, wallpaper):
    width, height = PICTURE
    screen_w, screen_h = 1280, 1024
    left, top = (screen_w - width) // 2, (screen_h - height) // 2
    cases = [
        # (name, WallpaperStyle, TileWallpaper, where the picture's colour must be)
        ("stretched", "2", "0", lambda x, y: quadrant_colour(x * width // screen_w, y * height // screen_h)),
        ("tiled", "0", "1", lambda x, y: quadrant_colour(x % width, y % height)),
        ("tiling wins over stretching", "2", "1", lambda x, y: quadrant_colour(x % width, y % height)),
    ]
    e2e.reg_add_string(DESKTOP_KEY, "Wallpaper", e2e.windows_path(wallpaper))
    for name, style, tile, expected in cases:
        print("wallpaper", name)
        e2e.reg_add_string(DESKTOP_KEY, "WallpaperStyle", style)
        e2e.reg_add_string(DESKTOP_KEY, "TileWallpaper", tile)
        run_show(saver_path, samples_show(expected), temporary)
    print("wallpaper centred")
    e2e.reg_add_string(DESKTOP_KEY, "WallpaperStyle", "0")
    e2e.reg_add_string(DESKTOP_KEY, "TileWallpaper", "0")
    centre = [(left + 5, top + 5), (left + width - 5, top + height - 5)]

    def centred():
        e2e.wait_until(lambda: [e2e.Screenshot().pixel(x, y) for x, y in centre] ==
                       [quadrant_colour(5, 5), quadrant_colour(width - 5, height - 5)],
                       "the centred wallpaper", 60)
        shot = e2e.Screenshot()
        assert shot.pixel(left - 3, top + 5) not in QUADRANTS and shot.pixel(5, 5) not in QUADRANTS

    run_show(saver_path, centred, temporary)


# A 160 x 60 PNG of four 40-pixel stripes on the 1280 x 1024 screen. Filled (and spanned over the
# one monitor): 2731 x 1024 from x = -725, so stripes 1 and 2 show, meeting near x = 640. Fitted:
# 1280 x 480 from y = 272, each stripe 320 pixels wide, the desktop colour above and below.
STRIPES = (160, 60)
STRIPE_SAMPLES = ((5, 5), (100, 500), (600, 300), (700, 500), (1200, 700), (1275, 1019), (100, 100), (900, 900))


def stripe_colour(x, y):
    return QUADRANTS[x // 40]


def filled(x, y):
    return QUADRANTS[1] if x < 630 else QUADRANTS[2]


def fitted(x, y):
    return stripe_colour(x // 8, 0) if 272 <= y < 752 else None


def scaled_wallpaper_styles(saver_path, temporary, wallpaper):
    e2e.reg_add_string(DESKTOP_KEY, "Wallpaper", e2e.windows_path(wallpaper))
    e2e.reg_add_string(DESKTOP_KEY, "TileWallpaper", "0")
    for name, style, expected in (("fill", "10", filled), ("fit", "6", fitted), ("span", "22", filled)):
        print("PNG wallpaper", name)
        e2e.reg_add_string(DESKTOP_KEY, "WallpaperStyle", style)
        run_show(saver_path, samples_show(expected, STRIPE_SAMPLES), temporary)


def no_temporary_pictures_left(temporary):
    print("an unreadable package and the settings mode leave no pictures")
    bare = e2e.work_path("bare.scr")
    shutil.copyfile(e2e.SCR, bare)  # the engine alone: no package to read
    e2e.Saver(bare, "/s").wait_exit(timeout=60)  # ends on its own: no window without a package
    for path in temporary:
        assert not os.path.exists(path), path + " survived an unreadable package"
    settings = e2e.Saver(bare, "/c")
    try:
        dialog = e2e.wait_for_dialog()
        e2e.mouse_move(640, 512)  # keys may go to the window under the pointer: the dialog is centred
        e2e.xdotool("windowactivate", "--sync", dialog)
        e2e.xdotool("windowfocus", "--sync", dialog)
        # Return is repeated until the dialog takes it: it may not have the keyboard yet.
        assert settings.end_by(lambda: e2e.key("Return"), "Return", repeat=True) == 0
    finally:
        settings.kill()
    for path in temporary:
        assert not os.path.exists(path), path + " survived the settings mode"


def main():
    temporary = temporary_pictures(e2e.windows_temp_folder())
    placeholder = write_bmp("placeholder", (8, 8), lambda x, y: (1, 2, 3))
    wallpaper = write_bmp("wallpaper", PICTURE, quadrant_colour)
    saved = {name: e2e.reg_query(DESKTOP_KEY, name) for name in ("Wallpaper", "WallpaperStyle", "TileWallpaper")}
    try:
        no_temporary_pictures_left(temporary)
        print("desktop snapshot")
        desktop_snapshot(e2e.make_saver("desktop", show_source("desktop", placeholder)), temporary)
        wallpaper_saver = e2e.make_saver("wallpaper", show_source("wallpaper", placeholder))
        wallpaper_styles(wallpaper_saver, temporary, wallpaper)
        stripes = write_picture("stripes", STRIPES, stripe_colour, "png", "PNG24")
        scaled_wallpaper_styles(wallpaper_saver, temporary, stripes)
    finally:
        # Later tests expect the bare black root window again.
        subprocess.run(["display", "-window", "root", write_bmp("black", (8, 8), lambda x, y: (0, 0, 0))])
        for name, value in saved.items():
            if value is None:
                e2e.run_wine("reg", "delete", DESKTOP_KEY, "/v", name, "/f")
            else:
                e2e.reg_add_string(DESKTOP_KEY, name, value)
    print("passed")


if __name__ == "__main__":
    main()
