"""Prints the id of every end-to-end test, one a line, so that the build registers each."""
import os
import sys
import unittest

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, here)


def ids(suite):
    for test in suite:
        if isinstance(test, unittest.TestSuite):
            yield from ids(test)
        else:
            yield test.id()


suite = unittest.defaultTestLoader.discover(here, pattern="*_test.py", top_level_dir=here)
for test_id in ids(suite):
    if test_id.startswith("unittest.loader"):
        sys.exit(f"cannot load {test_id}")
    print(test_id)
