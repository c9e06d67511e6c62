"""Prints as JSON what a screen reader finds in the window with the given title: the role and
name of every object in it, as the program reports them over AT-SPI.

Runs with Debian's own Python, which has the AT-SPI bindings."""

import json
import re
import sys
import time

import pyatspi


def walk(node, found, depth=0):
    if node is None or depth > 40:
        return
    try:
        role = node.getRoleName()
        item = {"role": role, "name": node.name}
        if role == "text":
            text = node.queryText()
            item["text"] = text.getText(0, text.characterCount)
        found.append(item)
        # A list's rows are many and slow to read one by one; their texts are not wanted.
        children = [] if role == "list" else list(node)
    except Exception:  # an object that went away while it was read
        return
    for child in children:
        walk(child, found, depth + 1)


def objects(title):
    found = []
    for application in pyatspi.Registry.getDesktop(0):
        if application is None:
            continue
        for window in application:
            if window is not None and window.name == title:
                walk(window, found)
    return found


def main():
    """accessible_texts.py TITLE: everything in the window, once.
    accessible_texts.py TITLE PATTERN SECONDS: waits, looking every 20 ms, for a label whose
    name matches; prints it once found, nothing after SECONDS."""
    title = sys.argv[1]
    if len(sys.argv) < 4:
        print(json.dumps(objects(title), ensure_ascii=False))
        return
    pattern, deadline = re.compile(sys.argv[2]), time.monotonic() + float(sys.argv[3])
    print("ready", flush=True)
    while time.monotonic() < deadline:
        for item in objects(title):
            if item["role"] == "label" and pattern.search(item["name"]):
                print(json.dumps(item, ensure_ascii=False), flush=True)
                return
        time.sleep(0.02)


if __name__ == "__main__":
    main()
