"""A show of fills, delays and a loop shows its colours in order and keeps its last colour."""
import time

import saver_e2e as e2e

RED, GREEN, BLUE, YELLOW = "#C01020", "#20B040", "#2040D0", "#E0D020"


def observed_colours(saver, wanted, last, timeout=120.0):
    """The sequence of wanted colours the screen shows (repeats folded) until `last` appears."""
    seen = []
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and saver.running():
        colour = e2e.Screenshot().pixel(640, 512)
        name = wanted.get(colour)
        if name and (not seen or seen[-1] != name):
            seen.append(name)
        if name == last:
            return seen
    raise e2e.TimedOut("the last colour did not appear; seen so far: %s" % seen)


def main():
    saver_path = e2e.make_saver("timeline", [
        e2e.fill(RED), e2e.delay(2500),
        {"kind": "loop_start"},
        e2e.fill(GREEN), e2e.delay(2500),
        e2e.fill(BLUE), e2e.delay(2500),
        {"kind": "loop_end", "repeat": 2},
        e2e.fill(YELLOW),
    ])
    saver = e2e.Saver(saver_path, "/s")
    try:
        wanted = {e2e.rgb(c): n for c, n in ((RED, "red"), (GREEN, "green"), (BLUE, "blue"), (YELLOW, "yellow"))}
        seen = observed_colours(saver, wanted, "yellow")
        print("colours seen:", " ".join(seen))
        assert seen == ["red", "green", "blue", "green", "blue", "yellow"], seen
        # The show is over; the last colour stays until the user ends the saver.
        time.sleep(2)  # nothing may change during this wait
        assert e2e.Screenshot().pixel(100, 900) == e2e.rgb(YELLOW)
        assert saver.running()
        e2e.key("space")
        assert saver.wait_exit() == 0
    finally:
        saver.kill()


if __name__ == "__main__":
    main()
