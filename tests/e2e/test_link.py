"""Links end to end: a show whose link item waits for F12 ends on F12 and hands the link to the
registered http handler (a probe that writes what it receives); a later link item with the clear
flag leaves nothing to open."""
import os
import time

import saver_e2e as e2e

SHOW_COLOUR = "#503070"
HANDLER_KEY = r"HKCR\http\shell\open\command"
LINK = "http://example.invalid/guard/landing.html?from=show"


def default_value(key):
    """The default value of `key` as `reg query` prints it, or None."""
    for line in e2e.reg_query(key).splitlines():
        fields = line.split(None, 2)
        if len(fields) == 3 and fields[0] == "(Default)":
            return fields[2].strip()
    return None


def register_probe(received):
    probe = os.path.join(os.path.dirname(e2e.SCR), "tests", "wine", "desktop", "link_handler_probe.exe")
    command = '"%s" "%s" "%%1"' % (e2e.windows_path(probe), e2e.windows_path(received))
    e2e.run_wine("reg", "add", HANDLER_KEY, "/ve", "/t", "REG_SZ", "/d", command, "/f")
    e2e.run_wine("reg", "add", r"HKCR\http\shell", "/ve", "/t", "REG_SZ", "/d", "open", "/f")


def link_item(key="f12", clear=False):
    return {"kind": "link", "url": LINK, "key": key, "clear": clear}


def run_and_press_f12(saver_path):
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=120)
        # F12 is repeated until the window takes it: it may not have the keyboard yet.
        assert saver.end_by(lambda: e2e.key("F12"), "F12", timeout=120, repeat=True) == 0
    finally:
        saver.kill()


def main():
    received = e2e.work_path("received-link.txt")
    old_handler = default_value(HANDLER_KEY)
    old_verb = default_value(r"HKCR\http\shell")
    register_probe(received)
    try:
        print("F12 hands the armed link to the browser")
        if os.path.exists(received):
            os.remove(received)
        run_and_press_f12(e2e.make_saver("link", [link_item(), e2e.fill(SHOW_COLOUR)]))
        e2e.wait_until(lambda: os.path.exists(received) and os.path.getsize(received) > 0,
                       "the handler to receive the link", 60)
        with open(received) as text:
            assert text.read() == LINK

        print("a clearing link item leaves nothing to open")
        os.remove(received)
        run_and_press_f12(e2e.make_saver("link-cleared", [link_item(), link_item(clear=True),
                                                          e2e.fill(SHOW_COLOUR)]))
        time.sleep(5.0)  # nothing may arrive: the handler above wrote within a second of the exit
        assert not os.path.exists(received), "a cleared link was opened"
    finally:
        if old_handler is not None:
            e2e.run_wine("reg", "add", HANDLER_KEY, "/ve", "/t", "REG_SZ", "/d", old_handler, "/f")
        if old_verb is not None:
            e2e.run_wine("reg", "add", r"HKCR\http\shell", "/ve", "/t", "REG_SZ", "/d", old_verb, "/f")
        else:
            e2e.run_wine("reg", "delete", r"HKCR\http\shell", "/ve", "/f")
    print("passed")


if __name__ == "__main__":
    main()
