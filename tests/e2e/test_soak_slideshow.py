"""A looping show of pictures, texts, moves and transitions runs for more than 500 item executions
under Wine: the saver's memory stays flat between the first stretch of passes and the last, and
the saver ends on a key (the time from the key to its end is printed)."""
import os
import sys

import saver_e2e as e2e
from test_slideshow import PICTURE, point, show, run_saver, write_pictures

PASS_ITEMS = 10        # item executions in one pass of the loop below (loop items included)
FIRST_PASSES = 10      # warm-up stretch, ended by marker A
SECOND_PASSES = 50     # measured stretch, ended by marker B: 500 executions
MARKER_A = (255, 0, 255)
MARKER_B = (0, 255, 255)
MEMORY_GROWTH_LIMIT_KB = 8 * 1024


def soak_items(pictures):
    items = [{"kind": "picture", "name": name, "file": path} for name, path in pictures.items()]
    items.append({"kind": "text", "name": "keyed", "text": "soak\nrun", "opaque": False,
                  "text_colour": "#FFFF00", "font": {"height": -20}})
    items.append({"kind": "text", "name": "typed", "text": "typed", "opaque": True, "align": "centre"})

    def stretch(passes):
        return [
            {"kind": "loop_start"},
            show("png", point("random_inside", "random_inside"), effect=3, speed=1000),
            show("jpg", point("centre", "centre"), save_background=True),
            {"kind": "move_image", "target": "bmp", "path": {
                "start": point("value", "value", 0, 0), "end": point("value", "value", 90, 40),
                "step": {"x": 30, "y": 1}, "screen_copy_background": True}},
            show("keyed", point("random", "random")),
            {"kind": "hide_image", "target": "jpg"},
            show("typed", point("value", "value", 10, 300), typewriter=True),
            {"kind": "hide_image", "target": "png"},
            {"kind": "fill", "colour": {"value": "#000000", "random": True}},
            {"kind": "loop_end", "repeat": passes},
        ]

    def marker(colour):
        return {"kind": "fill", "colour": {"value": "#%02X%02X%02X" % colour}}

    items += stretch(FIRST_PASSES) + [marker(MARKER_A), {"kind": "delay", "duration": 3000}]
    items += stretch(SECOND_PASSES) + [marker(MARKER_B), {"kind": "delay", "duration": 600000}]
    return items


def saver_memory_kb(scr_name):
    """Resident memory of the Wine process that runs the saver file."""
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % pid, "rb") as f:
                command = f.read().replace(b"\0", b" ").decode(errors="replace")
            if scr_name not in command or os.path.basename(command.split(" ", 1)[0]).startswith("wine"):
                continue
            with open("/proc/%s/status" % pid) as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except OSError:
            continue
    return None


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    corner = (PICTURE[0] // 2, 1023)  # bottom-left: no picture of the loop reaches it
    memory = {}

    def marker_shown(colour, label):
        def condition(shot):
            if shot.pixel(*corner) != colour:
                return False
            memory[label] = saver_memory_kb("soak.scr")
            return True
        return condition

    run_saver("soak", soak_items(write_pictures()), [
        (marker_shown(MARKER_A, "warm-up"), "the end of the warm-up passes", 600),
        (marker_shown(MARKER_B, "end"), "the end of %d item executions" %
         ((FIRST_PASSES + SECOND_PASSES) * PASS_ITEMS), 1800),
    ])
    check_memory(memory)
    return 0


def check_memory(memory):
    print("resident memory after the warm-up %s kB, at the end %s kB" % (memory["warm-up"], memory["end"]))
    assert memory["warm-up"] and memory["end"], "the saver's process was not found"
    growth = memory["end"] - memory["warm-up"]
    assert growth < MEMORY_GROWTH_LIMIT_KB, "memory grew by %d kB" % growth


if __name__ == "__main__":
    sys.exit(main())
