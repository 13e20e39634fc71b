"""Sound of a show on the PulseAudio null sink: a looping MP3 plays on past its length, stop media
and the end of the saver silence it (the time from the key to the end of the process is printed),
a muted show plays no MP3 and no WAV, and no temporary media file is left behind."""
import array
import glob
import os
import signal
import subprocess
import time

import saver_e2e as e2e

SHOW_COLOUR = "#206040"
AFTER_STOP_COLOUR = "#A04020"
TRACK_SECONDS = 2

# Ten milliseconds of 44.1 kHz stereo frames; a window is loud when a sample passes this level.
WINDOW_SAMPLES = 441 * 2
LOUD_LEVEL = 1000


class SinkRecording:
    """Records the null sink's monitor from now on; `stop` returns when and how loud it was."""

    def __init__(self, name):
        self.path = e2e.work_path(name + ".raw")
        self.out = open(self.path, "wb")
        self.process = subprocess.Popen(
            ["parec", "-d", "null.monitor", "--latency-msec=20", "--format=s16le", "--rate=44100",
             "--channels=2", "--raw"], stdout=self.out)
        e2e.wait_until(lambda: os.path.getsize(self.path) > 0, "the recorder to start")
        self.started = time.monotonic()

    def stop(self):
        # SIGINT lets parec write out what it holds; other signals lose the end.
        self.process.send_signal(signal.SIGINT)
        self.process.wait(timeout=30)
        self.out.close()
        samples = array.array("h", open(self.path, "rb").read())
        return [max(abs(s) for s in samples[i:i + WINDOW_SAMPLES]) > LOUD_LEVEL
                for i in range(0, len(samples) - WINDOW_SAMPLES, WINDOW_SAMPLES)]


def loud_seconds(windows, start=0.0, end=None):
    chosen = windows[int(start * 100):None if end is None else int(end * 100)]
    return sum(chosen) / 100.0


def make_tone(name, extension, seconds):
    path = e2e.work_path(name + extension)
    subprocess.run(["ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "sine=frequency=440:duration=%d" % seconds, "-ar", "44100", "-ac", "2", path], check=True)
    return path


def media(name, path):
    return {"kind": "media", "name": name, "file": path}


def play(target, **fields):
    return dict({"kind": "play_media", "target": target}, **fields)


def temporary_media_files(folder):
    return sorted(glob.glob(os.path.join(folder, "Ssd*")))


def last_sound(windows):
    """The second of the recording at which its last sound ended (0 when it holds none)."""
    loud = [i for i, is_loud in enumerate(windows) if is_loud]
    return (loud[-1] + 1) / 100.0 if loud else 0.0


def run_show(saver_path, name, while_running):
    """Runs the show, records the sink meanwhile and ends the saver with a key. Returns the
    recording's loud windows and the seconds (in the recording) of the key and of the process end."""
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=120)
        recording = SinkRecording(name)
        while_running()
        key_at = time.monotonic() - recording.started
        e2e.key("a")
        code = saver.wait_exit(timeout=60)
        ended_at = time.monotonic() - recording.started
        print("  the process ended %.0f ms after the key" % ((ended_at - key_at) * 1000))
        assert code == 0, code
        time.sleep(1.5)  # the recording goes on after the end, which must be silent
        return recording.stop(), key_at, ended_at
    finally:
        saver.kill()


def main():
    temp_folder = e2e.windows_temp_folder()
    before = temporary_media_files(temp_folder)
    mp3 = make_tone("track", ".mp3", TRACK_SECONDS)
    wav = make_tone("sound", ".wav", 1)

    # Savers without stored settings end on any key.
    print("looping MP3, ended by the saver's end")
    looping = e2e.make_saver("media-loop", [
        media("music", mp3), e2e.fill(SHOW_COLOUR), play("music", loop=True), e2e.delay(600000)])
    windows, key_at, ended_at = run_show(looping, "loop", lambda: time.sleep(TRACK_SECONDS * 2 + 1))
    played = loud_seconds(windows, 0, key_at)
    print("  %.2f s of sound before the key; silent %.0f ms after the key" %
          (played, (last_sound(windows) - key_at) * 1000))
    assert played > TRACK_SECONDS * 1.5, "the track did not loop"
    # The recorder's own latency is a few tens of milliseconds.
    assert loud_seconds(windows, ended_at + 0.3) == 0, "sound outlived the saver"

    print("stop media")
    stopped = e2e.make_saver("media-stop", [
        media("music", mp3), e2e.fill(SHOW_COLOUR), play("music", loop=True), e2e.delay(3000),
        {"kind": "stop_media", "target": "music"}, e2e.fill(AFTER_STOP_COLOUR), e2e.delay(600000)])

    def after_stop():
        e2e.wait_for_screen_colour(AFTER_STOP_COLOUR, timeout=120)
        time.sleep(2)

    windows, key_at, _ = run_show(stopped, "stop", after_stop)
    tail = loud_seconds(windows, key_at - 1.5, key_at)
    print("  %.2f s of sound in the last 1.5 s before the end" % tail)
    assert tail == 0, "stop media left the music playing"

    print("muted show")
    muted = e2e.make_saver("media-muted", [
        media("music", mp3), media("sound", wav), e2e.fill(SHOW_COLOUR), play("music", loop=True),
        play("sound", loop=True), e2e.delay(600000)])
    # The settings key is named after the file's display name, shown with or without its extension
    # by the system's settings; the mute value goes under both.
    muted_names = ["media-muted", "media-muted.scr"]
    for name in muted_names:
        e2e.store_settings(name, {"Mute": 1})
    windows, _, _ = run_show(muted, "muted", lambda: time.sleep(3))
    print("  %.2f s of sound while muted" % loud_seconds(windows))
    assert loud_seconds(windows) == 0, "a muted show played sound"

    left = [path for path in temporary_media_files(temp_folder) if path not in before]
    assert not left, "temporary media files left: %s" % left
    for name in muted_names:
        e2e.reg_delete(e2e.COMPANY_KEY + "\\" + name)


if __name__ == "__main__":
    main()
