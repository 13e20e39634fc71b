"""Password protection end to end: "/a <handle>" stores a scrambled password; with protection on a
running show asks for it on input, keeps running on a wrong one (with its message) or on Cancel,
and ends on the right one; with protection off or no stored password input ends it at once."""
import os
import subprocess
import time

import saver_e2e as e2e

SHOW_COLOUR = "#206040"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"
PASSWORD = "open sesame"


def owner_handle():
    """A window handle the change-password dialogs can be owned by: the desktop window's."""
    helper = os.path.join(os.path.dirname(e2e.SCR), "tests", "wine", "ui", "desktop_window_handle.exe")
    return e2e.run_wine(helper).strip().splitlines()[-1].strip()


def pointer_over_dialogs():
    """Without a window manager keys may go to the window under the pointer: the dialogs are centred."""
    e2e.mouse_move(640, 512)


def dialogs(title):
    return e2e.find_windows("^%s$" % title)


def answer(title, texts):
    """Types `texts` into the dialog `title` and presses Enter. Alt+P puts the focus into the first edit
    (after its "&Password" label) and Tab into the next; both select what an edit holds, so typing
    replaces it."""
    window = e2e.wait_for_dialog(title)
    pointer_over_dialogs()
    e2e.xdotool("windowfocus", "--sync", window)
    # A fixed wait: typed text cannot be repeated, and nothing outside Wine shows when the dialog
    # has taken the keyboard focus it was given.
    time.sleep(1.0)
    e2e.key("alt+p")
    for i, text in enumerate(texts):
        if i:
            e2e.key("Tab")
        e2e.xdotool("type", "--delay", 40, text)
    e2e.key("Return")


def acknowledge_message(title):
    """Waits for the message box that carries the dialog's title and closes it with Enter."""
    try:
        e2e.wait_until(lambda: len(dialogs(title)) >= 2, "a message box over the %s dialog" % title, 60)
    except e2e.TimedOut:
        subprocess.run(["import", "-window", "root", e2e.work_path("logs", "no-message-box.png")])
        raise
    time.sleep(0.5)  # a fixed wait for the box to take the keyboard, as in answer()
    e2e.key("Return")
    e2e.wait_until(lambda: len(dialogs(title)) <= 1, "the message box to close", 60)


def stored_password(display_name):
    return e2e.reg_query(e2e.COMPANY_KEY + "\\" + display_name + "\\Password", "Encrypt")


def set_password(saver_path, display_name):
    saver = e2e.Saver(saver_path, "/a", owner_handle())
    try:
        answer("New password", ["first try", "first tyr"])
        acknowledge_message("New password")  # the texts differ: the dialog stays
        answer("New password", [PASSWORD, PASSWORD])
        acknowledge_message("New password")  # changed
        assert saver.wait_exit(timeout=60) == 0
    finally:
        saver.kill()
    stored = stored_password(display_name)
    assert stored and stored.startswith("x") and PASSWORD not in stored, stored


def start_show(saver_path):
    saver = e2e.Saver(saver_path, "/s")
    e2e.wait_for_screen_colour(SHOW_COLOUR, timeout=120)
    return saver


def expect_running(saver, what):
    time.sleep(3.0)  # the show must go on for all of this wait
    assert saver.running(), "the show ended " + what


def protected_show(saver_path):
    saver = start_show(saver_path)
    try:
        e2e.nudge_until(lambda: dialogs("Password"), "a move to bring up the password dialog")
        answer("Password", ["wrong"])
        acknowledge_message("Password")
        expect_running(saver, "on a wrong password")
        e2e.key("Escape")  # Cancel: back to the show, which asks again on the next input
        e2e.wait_until(lambda: not dialogs("Password"), "the password dialog to close", 60)
        expect_running(saver, "on Cancel")
        e2e.nudge_until(lambda: dialogs("Password"), "a move to bring up the password dialog again")
        answer("Password", [PASSWORD])
        assert saver.wait_exit(timeout=60) == 0
    finally:
        saver.kill()


def unprotected_show(saver_path, what):
    saver = start_show(saver_path)
    try:
        assert saver.end_by(e2e.nudge_pointer, "a mouse move", repeat=True) == 0, what
        assert not dialogs("Password"), what
    finally:
        saver.kill()


def main():
    saver_path = e2e.make_saver("password", [e2e.fill(SHOW_COLOUR)])
    pointer_over_dialogs()
    display_name = e2e.display_name_of(saver_path)
    print("settings key:", display_name)
    e2e.reg_delete(e2e.COMPANY_KEY + "\\" + display_name + "\\Password")
    try:
        print("protection on, no password stored")
        e2e.reg_add_dword(DESKTOP_KEY, "ScreenSaveUsePassword", 1)
        unprotected_show(saver_path, "with no stored password")
        print("setting the password through /a")
        set_password(saver_path, display_name)
        print("protection on, password stored")
        protected_show(saver_path)
        print("protection off, password stored")
        e2e.reg_add_dword(DESKTOP_KEY, "ScreenSaveUsePassword", 0)
        unprotected_show(saver_path, "with protection off")
    finally:
        e2e.reg_add_dword(DESKTOP_KEY, "ScreenSaveUsePassword", 0)
    print("passed")


if __name__ == "__main__":
    main()
