"""/p <hwnd>, and /p:<hwnd> as some callers write it, put the preview into a parent window of another
process, and the preview ends cleanly when that window is destroyed.

Wine 8 on Xvfb does not show what one process draws into a child of another process's window, so
the screen cannot show the preview here; the drawing itself (picture and scrolling name) is checked
by the Wine tests of the preview window, with a parent in the same process."""
import os
import time

import saver_e2e as e2e


# The ways of naming the parent window on the command line.
FORMS = [
    ("/p <hwnd>", lambda handle: ["/p", handle]),
    ("/p:<hwnd>", lambda handle: ["/p:" + handle]),
]


def preview_until_parent_goes(saver_path, arguments):
    handle_file = e2e.work_path("preview-parent.txt")
    stop_file = e2e.work_path("preview-parent.stop")
    for path in (handle_file, stop_file):
        if os.path.exists(path):
            os.remove(path)
    helper = os.path.join(os.environ["SAVER_E2E_HELPERS"], "preview_parent.exe")
    parent = e2e.Saver(helper, handle_file, stop_file)
    saver = None
    try:
        handle = e2e.wait_until(lambda: os.path.exists(handle_file) and open(handle_file).read().strip(),
                                "the parent window's handle")
        saver = e2e.Saver(saver_path, *arguments(handle))
        # The preview runs until its parent goes.
        time.sleep(3)  # the preview must go on for all of this wait
        assert saver.running(), "the preview ended on its own"
        with open(stop_file, "w"):
            pass
        assert saver.wait_exit(timeout=60) == 0
        assert parent.wait_exit(timeout=60) == 0
    finally:
        if saver:
            saver.kill()
        parent.kill()


def main():
    saver_path = e2e.make_saver("Preview Name", [e2e.fill("#000000")])
    for name, arguments in FORMS:
        print(name)
        preview_until_parent_goes(saver_path, arguments)


if __name__ == "__main__":
    main()
