#!/usr/bin/env python3
"""Walks the accessibility tree of every window Huevra can open, through AT-SPI, and lists the
interactive controls that a screen reader would announce with no name.

Run by run-e2e-accessibility.sh (which passes its own arguments after the program on, so
--list prints every control) with the program running on a private accessibility bus.
Exit status 0 when every window was found and every control has a name."""

import subprocess
import sys
import time

import pyatspi

# Every window of the program and how a user opens and closes it: the title it carries, the
# keys (xdotool) or the button (its accessible name) that open it, and the keys that close it.
# None as the opener: the window is open from the start.
WINDOWS = [
    {"title": "Huevra - New palette", "open": None, "close": None},
    {"title": "Websafe", "open": "Websafe Palette", "close": None},
    {"title": "Failsafe", "open": "Failsafe Palette", "close": None},
    {"title": "JavaScript", "open": "JavaScript Palette", "close": None},
    {"title": "Colour Inspector", "open": ["F6"], "close": None},
    {"title": "Options", "open": ["F9"], "close": ["Escape"]},
    {"title": "Custom Format", "open": ["F8"], "close": ["Escape"]},
    {"title": "About Huevra", "open": ["alt+h", "a"], "close": ["Escape"]},
    {"title": "Huevra Help - *", "open": ["F1"], "close": None},
]

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_ITEM,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_PAGE_TAB,
    pyatspi.ROLE_LINK, pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_DIAL, pyatspi.ROLE_COLOR_CHOOSER,
}


def find_application(name, seconds):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def find_window(app, title, seconds):
    until = time.monotonic() + seconds
    while time.monotonic() < until:
        for window in app:
            if window is None:
                continue
            # A title ending in "*" names the start of the window's title.
            if window.name == title or (title.endswith("*") and
                                        window.name.startswith(title[:-1])):
                return window
        time.sleep(0.2)
    return None


def walk(node, path, unnamed, counts):
    """Collects the shown interactive controls without a name below node; with --list, prints
    every interactive control with its name."""
    try:
        state = node.getState()
        role = node.getRole()
    except Exception:  # A control that went away while we walked.
        return
    if not state.contains(pyatspi.STATE_SHOWING) and role not in (pyatspi.ROLE_MENU_ITEM,):
        return
    if role in INTERACTIVE:
        counts[0] += 1
        if "--list" in sys.argv:
            print(f"  {node.getRoleName()}: \"{node.name}\"")
        if not (node.name or "").strip():
            unnamed.append(f"{path} ({node.getRoleName()})")
    # The menus' items are shown only when a menu opens; walk them too.
    for index, child in enumerate(node):
        if child is not None:
            walk(child, f"{path}/{child.getRoleName()}[{index}]", unnamed, counts)


def press_button(app, name):
    for node in pyatspi.findAllDescendants(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                           and n.name == name):
        node.queryAction().doAction(0)
        return True
    return False


def main():
    app = find_application("huevra", 20)
    if app is None:
        print("FAIL: huevra never reached the accessibility bus")
        return 1
    failures = 0
    for entry in WINDOWS:
        title = entry["title"]
        opener = entry["open"]
        if isinstance(opener, list):
            # Keys go to the main window, which a palette window may have taken over from.
            subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Huevra - New palette$",
                            "windowfocus", "--sync", "key", *opener], check=False)
        elif isinstance(opener, str) and not press_button(app, opener):
            print(f"FAIL: no button \"{opener}\" opens {title}")
            failures += 1
            continue
        window = find_window(app, title, 10)
        if window is None:
            print(f"FAIL: no window \"{title}\"")
            failures += 1
            continue
        unnamed, counts = [], [0]
        walk(window, title, unnamed, counts)
        print(f"{title}: {counts[0]} interactive controls, {len(unnamed)} without a name")
        for item in unnamed:
            print(f"  no name: {item}")
        if counts[0] == 0 or unnamed:
            failures += 1
        if entry["close"]:
            subprocess.run(["xdotool", "key", *entry["close"]], check=False)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
