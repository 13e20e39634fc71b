"""Hiding, keyed texts and the typewriter, played by the real saver under Wine: a hide with a saved
background puts back exactly what the picture covered, one without erases its place; a text
without background shows the picture through its key colour; a typed, centred text ends exactly
as the same text shown at once."""
import os
import sys

import saver_e2e as e2e
from test_slideshow import PICTURE, point, show, picture_at, picture_pixel, run_saver, write_pictures

UNDER, OVER = (200, 200), (230, 220)   # the picture left in place, the one shown over it and hidden
KEYED_PICTURE, KEYED_TEXT = (400, 400), (405, 405)
TYPED, DIRECT = (100, 600), (600, 600)
TEXT_SIZE = (160, 60)                  # an area that holds each text
YELLOW, KEY = (255, 255, 0), (224, 224, 224)
HOLD = 4000                            # milliseconds each state stays on the screen


def action_items(pictures):
    items = [{"kind": "picture", "name": "under", "file": pictures["bmp"]},
             {"kind": "picture", "name": "saved", "file": pictures["png"]},
             {"kind": "picture", "name": "erased", "file": pictures["tga"]}]
    text = {"kind": "text", "text": "Key\ntext", "opaque": False, "text_colour": "#FFFF00",
            "align": "centre", "font": {"height": -24, "weight": 700}}
    items += [dict(text, name="keyed"), dict(text, name="typed"), dict(text, name="direct")]
    hold = {"kind": "delay", "duration": HOLD}
    black = {"kind": "fill", "colour": {"value": "#000000"}}
    items += [
        show("under", point("value", "value", *UNDER)),
        show("saved", point("value", "value", *OVER), save_background=True), hold,
        {"kind": "hide_image", "target": "saved"}, hold,
        show("erased", point("value", "value", *OVER)), hold,
        {"kind": "hide_image", "target": "erased"}, hold,
        black,
        show("under", point("value", "value", *KEYED_PICTURE)),
        show("keyed", point("value", "value", *KEYED_TEXT)), hold,
        black,
        show("typed", point("value", "value", *TYPED), typewriter=True, typewriter_delay=1950),
        show("direct", point("value", "value", *DIRECT)),
        {"kind": "delay", "duration": 600000},
    ]
    return items


def region(shot, at, size):
    return [shot.pixel(at[0] + x, at[1] + y) for y in range(size[1]) for x in range(size[0])]


def black_except_under(shot, erased):
    """`under` intact (or, after an erase, black where the hidden picture lay) and `OVER` gone."""
    for y in range(PICTURE[1] + 40):
        for x in range(PICTURE[0] + 40):
            sx, sy = UNDER[0] + x, UNDER[1] + y
            in_under = x < PICTURE[0] and y < PICTURE[1]
            in_over = OVER[0] <= sx < OVER[0] + PICTURE[0] and OVER[1] <= sy < OVER[1] + PICTURE[1]
            expected = picture_pixel(x, y) if in_under and not (erased and in_over) else (0, 0, 0)
            if shot.pixel(sx, sy) != expected:
                return False
    return True


def keyed_over_picture(shot):
    """Inside the picture every pixel is either the picture's own or the text's; the key colour
    is never drawn; both kinds are there."""
    own = letters = 0
    for y in range(PICTURE[1]):
        for x in range(PICTURE[0]):
            value = shot.pixel(KEYED_PICTURE[0] + x, KEYED_PICTURE[1] + y)
            if value == picture_pixel(x, y):
                own += 1
            elif value == YELLOW:
                letters += 1
            else:
                return False
    return own > 100 and letters > 20 and KEY not in region(shot, KEYED_TEXT, TEXT_SIZE)


def typed_like_direct(shot):
    typed, direct = region(shot, TYPED, TEXT_SIZE), region(shot, DIRECT, TEXT_SIZE)
    return typed == direct and typed.count(YELLOW) > 20


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    run_saver("slideshow_actions", action_items(write_pictures()), [
        (lambda shot: picture_at(shot, OVER), "a picture shown over another", 90),
        (lambda shot: black_except_under(shot, erased=False), "hide with saved background", 60),
        (lambda shot: picture_at(shot, OVER), "a second picture shown over the first", 60),
        (lambda shot: black_except_under(shot, erased=True), "hide without saved background", 60),
        (keyed_over_picture, "keyed text over a picture", 60),
        (typed_like_direct, "typewriter, centred and keyed, ends as the text shown at once", 60),
    ])
    return 0


if __name__ == "__main__":
    sys.exit(main())
