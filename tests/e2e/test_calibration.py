"""The first show on a machine measures the calibration count (SysInfo, Times); later shows use the
stored count, until the machine fingerprint differs."""
import saver_e2e as e2e

COLOUR = "#405060"


def run_show(saver_path):
    saver = e2e.Saver(saver_path, "/s")
    try:
        e2e.wait_for_screen_colour(COLOUR, timeout=120)
        e2e.key("space")
        assert saver.wait_exit() == 0
    finally:
        saver.kill()


def calibration():
    return (e2e.reg_query(e2e.COMPANY_KEY, "SysInfo"), e2e.reg_query(e2e.COMPANY_KEY, "Times"))


def main():
    saver_path = e2e.make_saver("calibration", [e2e.fill(COLOUR)])
    for value in ("SysInfo", "Times"):
        e2e.run_wine("reg", "delete", e2e.COMPANY_KEY, "/v", value, "/f")
    assert calibration() == (None, None)

    run_show(saver_path)
    fingerprint, times = calibration()
    print("first run measured", times, "polls per second on", fingerprint)
    assert fingerprint and len(fingerprint.split(",")) == 9, fingerprint
    assert times and times > 0

    e2e.reg_add_dword(e2e.COMPANY_KEY, "Times", 4242)
    run_show(saver_path)
    assert calibration() == (fingerprint, 4242), "a second run on the same machine calibrated again"

    e2e.reg_add_string(e2e.COMPANY_KEY, "SysInfo", fingerprint + "0")
    run_show(saver_path)
    again, times_again = calibration()
    print("changed fingerprint measured", times_again)
    assert again == fingerprint
    assert times_again != 4242


if __name__ == "__main__":
    main()
