"""The settings dialog (/c, and no argument) stores what the user chose; Cancel stores nothing."""
import time

import saver_e2e as e2e

RULES = ["MouseMove", "ButtonDown", "DoubleClick", "KeyDown", "Escape"]


def stored(display_name):
    return {name: e2e.reg_query(e2e.settings_key(display_name), name) for name in ["Standard"] + RULES + ["Mute"]}


def expected(standard, rules=(), mute=0):
    values = {name: (1 if name in rules else 0) for name in RULES}
    values.update(Standard=standard, Mute=mute)
    return values


def drive_dialog(saver_path, argument, keys):
    """Opens the dialog, types `keys` into it (xdotool key names) and waits for the saver's end."""
    saver = e2e.Saver(saver_path, *([argument] if argument else []))
    try:
        e2e.focus(e2e.wait_for_dialog())
        # Fixed waits: a key sequence cannot be repeated, and nothing outside Wine shows when the
        # dialog has taken the keyboard focus it was given, or each key.
        time.sleep(0.5)
        for name in keys:
            e2e.key(name)
            time.sleep(0.2)
        assert saver.wait_exit() == 0
    finally:
        saver.kill()


# Keys from the selected radio button, which has the focus when the dialog opens: from standard,
# Down selects custom (and enables the rule boxes); from custom, Up selects standard. Tab walks
# the boxes in order (mouse move, click, double click, key, Escape, then mute), space checks one,
# Return is OK and Escape is Cancel. Each case: settings stored before, argument, keys, stored after.
CASES = [
    ("custom with Escape only, muted", {}, "/c",
     ["Down", "Tab", "Tab", "Tab", "Tab", "Tab", "space", "Tab", "space", "Return"],
     expected(0, ["Escape"], mute=1)),
    ("custom without a rule falls back to standard", {}, "/c:1234", ["Down", "Return"], expected(1)),
    ("custom mouse rules, no argument", {}, None,
     ["Down", "Tab", "space", "Tab", "space", "Tab", "space", "Return"],
     expected(0, ["MouseMove", "ButtonDown", "DoubleClick"])),
    ("standard again clears the rules", {"Standard": 0, "ButtonDown": 1, "KeyDown": 1}, "/c",
     ["Up", "Return"], expected(1)),
    ("a stored 2 opens as custom and keeps its boxes", {"Standard": 2, "DoubleClick": 1}, "/c",
     ["Return"], expected(0, ["DoubleClick"])),
]


def main():
    saver_path = e2e.make_saver("settings", [e2e.fill("#102030")])
    display_name = e2e.display_name_of(saver_path)
    key = e2e.COMPANY_KEY + "\\" + display_name
    e2e.reg_delete(key)

    drive_dialog(saver_path, "/c", ["Down", "Tab", "space", "Escape"])
    assert display_name not in e2e.saver_display_names(), "Cancel stored settings"

    for name, before, argument, keys, values in CASES:
        print(name)
        e2e.store_settings(display_name, before)
        drive_dialog(saver_path, argument, keys)
        assert stored(display_name) == values, (name, stored(display_name))

    # Cancel after changes keeps what was stored.
    before = stored(display_name)
    drive_dialog(saver_path, "/c", ["Down", "Tab", "space", "Escape"])
    assert stored(display_name) == before
    e2e.reg_delete(key)


if __name__ == "__main__":
    main()
