"""A key ends the show in the middle of every long-running step: waited sounds, music, blocking
video, a waited Flash movie, slow transitions, moves, typed text, delays, and a MIDI item that the
sequencer cannot play. For each case the show is started, the key is given while the step still
runs, and the time from the key to the end of the process is printed; the process must end within
a generous bound, no sound may reach the null sink after it, and none of the saver's temporary
media files may stay behind. Works with the engine named by SAVER_SCR, i686 or x86_64."""
import os
import struct
import subprocess
import time

import saver_e2e as e2e
from test_media_flash import make_movie, register_control, unregister_control
from test_media_sound import SinkRecording, loud_seconds, make_tone, temporary_media_files

MARKER_COLOUR = "#3060A0"  # filled just before the step
AFTER_COLOUR = "#A06030"   # filled just after it: seen before the key, the step had already ended
PROBE = (1270, 1015)       # a point that no step draws on
STEP_LEAD_SECONDS = 1.0    # how long the step runs before the key
LONG_SECONDS = 40          # length of the sounds and the video
KEY_TO_END_LIMIT_SECONDS = 5.0  # generous: the aim is 0.3 s, a missed stop takes the step's length
RECORDER_LATENCY_SECONDS = 0.3
PICTURE_SIZE = (800, 600)
WIDE_PICTURE_SIZE = (1280, 1000)  # the screen less the probe's rows
DISSOLVES = 20  # an unpaced dissolve lasts under a second here: a row of them outlasts the lead


def make_picture(name, source, size=PICTURE_SIZE):
    """A picture from one of ffmpeg's sources ("testsrc", "color=c=white")."""
    path = e2e.work_path(name + ".png")
    joined = ":" if "=" in source else "="
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "%s%ssize=%dx%d" % ((source, joined) + size), "-frames:v", "1", path], check=True)
    return path


def make_midi():
    """A type 0 standard MIDI file: one note held for a few seconds."""
    events = bytes([0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00])
    path = e2e.work_path("tune.mid")
    with open(path, "wb") as midi:
        midi.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96) + b"MTrk" + struct.pack(">I", len(events)) + events)
    return path


def pe_machine(path):
    with open(path, "rb") as image:
        image.seek(0x3C)
        header = struct.unpack("<I", image.read(4))[0]
        image.seek(header + 4)
        return struct.unpack("<H", image.read(2))[0]


def flash_control_fits():
    """The stand-in Flash control loads only into an engine of its own architecture."""
    control = os.environ.get("SAVER_E2E_FLASH_CONTROL", "")
    return bool(control) and os.path.exists(control) and pe_machine(control) == pe_machine(e2e.SCR)


def media(name, path):
    return {"kind": "media", "name": name, "file": path}


def play(target, **fields):
    return dict({"kind": "play_media", "target": target}, **fields)


def picture(name, path):
    return {"kind": "picture", "name": name, "file": path}


def at(x, y):
    return {"x": x, "y": y, "x_mode": "value", "y_mode": "value"}


def show(target, **path):
    return {"kind": "show_image", "target": target, "path": dict({"start": at(0, 0)}, **path)}


def cases(flash_fits):
    """(name, items before the marker, the step)."""
    wav = make_tone("long", ".wav", LONG_SECONDS)
    mp3 = make_tone("long", ".mp3", LONG_SECONDS)
    video = e2e.make_video("long", ["red", "green", "blue", "yellow"] * (LONG_SECONDS // 4), 160, 120)
    pictures = [picture("first", make_picture("first", "testsrc")),
                picture("white", make_picture("white", "color=c=white")),
                picture("wide", make_picture("wide", "testsrc", WIDE_PICTURE_SIZE)),
                picture("wide bars", make_picture("wide-bars", "smptebars", WIDE_PICTURE_SIZE))]
    table = [
        ("waited WAV", [media("sound", wav)], [play("sound", wait=True)]),
        ("waited MP3", [media("music", mp3)], [play("music", wait=True)]),
        ("looping MP3", [media("music", mp3)], [play("music", loop=True), e2e.delay(600000)]),
        ("blocking AVI", [media("video", video)], [play("video", wait=True)]),
        # At speed 100 the fade takes a quarter of a second, too short to be met a second in; at
        # 5000 it takes 13 s.
        ("fade 4 at speed 5000", pictures, [show("first", effect=4, speed=5000)]),
        # From the marker colour to white: over 200 passes of a tenth of a second.
        ("colour morph", pictures, [show("white", effect=66, speed=10000)]),
        ("4 x 4 dissolve", pictures, [{"kind": "loop_start"}, show("wide", effect=5), show("wide bars", effect=5),
                                      {"kind": "loop_end", "repeat": DISSOLVES}]),
        ("slow move", pictures, [{"kind": "move_image", "target": "first", "path": {
            "start": at(0, 0), "end": at(400, 0), "step": {"x": 1, "y": 1}, "step_delay": 0}}]),
        ("typewriter text", [{"kind": "text", "name": "typed", "text": "typed out slowly, one letter a second"}],
         [show("typed", start=at(10, 300), typewriter=True, typewriter_delay=1000)]),
        ("long delay", [], [e2e.delay(600000)]),
        # The sequencer opens but never plays or reports an end: the waited item holds the show.
        ("MIDI without a sequencer", [media("tune", make_midi())], [play("tune", wait=True)]),
    ]
    if flash_fits:
        table.append(("waited Flash movie under its time limit", [media("movie", make_movie())],
                      [play("movie", x=100, y=100, wait=True, time_limited=True, time_limit=60000)]))
    return table


def probe_colour():
    return e2e.Screenshot().pixel(*PROBE)


def run_case(number, name, before, step, temp_folder):
    files_before = temporary_media_files(temp_folder)
    saver_path = e2e.make_saver("stop-%02d" % number, before + [e2e.fill(MARKER_COLOUR)] + step +
                                [e2e.fill(AFTER_COLOUR), e2e.delay(600000)])
    saver = e2e.Saver(saver_path, "/s")
    recording = None
    try:
        e2e.wait_for_screen_colour(MARKER_COLOUR, timeout=120, points=(PROBE,))
        recording = SinkRecording("stop-%02d" % number)
        time.sleep(STEP_LEAD_SECONDS)
        probe = probe_colour()
        assert probe == e2e.rgb(MARKER_COLOUR), "%s: the step ended before the key (%s at %s)" % (name, probe, PROBE)
        key_at = time.monotonic() - recording.started
        e2e.key("a")
        code = saver.wait_exit(timeout=60)
        ended_at = time.monotonic() - recording.started
        time.sleep(1.0)
        windows = recording.stop()
        recording = None
    except AssertionError:
        print("%s: the saver %s; its log ends:\n%s" % (name, "still runs" if saver.running() else "has ended",
                                                        saver.log_tail()))
        raise
    finally:
        saver.kill()
        if recording:
            recording.stop()
    latency = ended_at - key_at
    print("  %-40s ended %4.0f ms after the key" % (name, latency * 1000))
    assert code == 0, "%s: exit code %s" % (name, code)
    assert latency < KEY_TO_END_LIMIT_SECONDS, "%s: the show held on for %.1f s after the key" % (name, latency)
    assert loud_seconds(windows, ended_at + RECORDER_LATENCY_SECONDS) == 0, "%s: sound outlived the saver" % name
    left = [path for path in temporary_media_files(temp_folder) if path not in files_before]
    assert not left, "%s: temporary files left: %s" % (name, left)
    return latency, loud_seconds(windows, 0, key_at)


def main():
    if not (os.path.exists(e2e.SCR) and os.path.exists(e2e.TOOL)):
        print("engine or package tool missing: %r %r" % (e2e.SCR, e2e.TOOL))
        return 1
    temp_folder = e2e.windows_temp_folder()
    flash_fits = flash_control_fits()
    if not flash_fits:
        print("the Flash case is not run: no stand-in control built for this engine's architecture")
    else:
        register_control()
    try:
        latencies = {}
        for number, (name, before, step) in enumerate(cases(flash_fits)):
            latency, sounded = run_case(number, name, before, step, temp_folder)
            latencies[name] = latency
            if name in ("waited WAV", "waited MP3", "looping MP3"):
                assert sounded > 0, "%s: no sound reached the sink before the key" % name
    finally:
        if flash_fits:
            unregister_control()
    print("key to end: worst %.0f ms (%s)" % (max(latencies.values()) * 1000, max(latencies, key=latencies.get)))
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
