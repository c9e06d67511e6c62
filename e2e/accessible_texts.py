"""Prints as JSON what a screen reader finds in the window with the given title: the role and
name of every object in it, as the program reports them over AT-SPI.

Runs with Debian's own Python, which has the AT-SPI bindings."""

import argparse
import json
import re
import time

import pyatspi


def walk(node, found, rows_of, depth=0):
    if node is None or depth > 40:
        return
    try:
        role = node.getRoleName()
        item = {"role": role, "name": node.name}
        if role == "text":
            text = node.queryText()
            item["text"] = text.getText(0, text.characterCount)
        # A list's rows are many and slow to read one by one: only those of the lists asked
        # for are read.
        if role == "list" and node.name in rows_of:
            item["rows"] = [row.name for row in node]
        found.append(item)
        children = [] if role == "list" else list(node)
    except Exception:  # an object that went away while it was read
        return
    for child in children:
        walk(child, found, rows_of, depth + 1)


def windows(title):
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        for window in application:
            if window is not None and window.name == title:
                yield window


def objects(title, rows_of=()):
    found = []
    for window in windows(title):
        walk(window, found, rows_of)
    return found


def press(node, name, depth=0):
    """Takes the press action of the first button of that name under node, as a screen
    reader's user does; True once done."""
    if node is None or depth > 40:
        return False
    try:
        if node.getRoleName() == "push button" and node.name == name:
            action = node.queryAction()
            names = [action.getName(i).lower() for i in range(action.nActions)]
            action.doAction(names.index("press") if "press" in names else 0)
            return True
        children = list(node)
    except Exception:  # an object that went away while it was read
        return False
    return any(press(child, name, depth + 1) for child in children)


def main():
    """accessible_texts.py TITLE: everything in the window, once (with --rows LIST, the rows'
    names of the list of that name too).
    accessible_texts.py TITLE PATTERN SECONDS: waits, looking every 20 ms, for a label whose
    name matches; prints it once found, nothing after SECONDS.
    accessible_texts.py TITLE --press NAME: presses the button of that name; prints "pressed"."""
    arguments = argparse.ArgumentParser()
    arguments.add_argument("title")
    arguments.add_argument("pattern", nargs="?")
    arguments.add_argument("seconds", nargs="?", type=float)
    arguments.add_argument("--rows", action="append", default=[])
    arguments.add_argument("--press")
    options = arguments.parse_args()

    if options.press is not None:
        if any(press(window, options.press) for window in windows(options.title)):
            print("pressed")
        return
    if options.pattern is None:
        print(json.dumps(objects(options.title, options.rows), ensure_ascii=False))
        return
    pattern, deadline = re.compile(options.pattern), time.monotonic() + options.seconds
    print("ready", flush=True)
    while time.monotonic() < deadline:
        for item in objects(options.title):
            if item["role"] == "label" and pattern.search(item["name"]):
                print(json.dumps(item, ensure_ascii=False), flush=True)
                return
        time.sleep(0.02)


if __name__ == "__main__":
    main()
