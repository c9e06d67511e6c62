"""A short run of the kills and the full disk; scripts/crash-saves runs the long one."""

import os
import random
import unittest

import crash_saves

DRIVER = os.environ.get("TOLVANE_SAVE_LOOP",
                        os.path.join(os.path.dirname(__file__), "..", "build", "crash",
                                     "tolvane_save_loop"))
SEED = int(os.environ.get("TOLVANE_CRASH_SEED", random.randrange(1 << 30)))


class CrashSavesTest(unittest.TestCase):
    def test_a_killed_save_leaves_the_old_file_or_the_new_one_and_nothing_beside(self):
        rng = random.Random(SEED)
        for unnamed in (True, False):
            figures = crash_saves.kill_saves(DRIVER, 12, rng, unnamed_files=unnamed)
            for name, f in figures.items():
                with self.subTest(file=name, unnamed_files=unnamed, seed=SEED):
                    self.assertEqual(f.faults, [], crash_saves.describe_kills(name, f))
                    self.assertEqual(f.kills, 12)
                    # The kills are meant for the saves: nearly all land inside one.
                    self.assertGreaterEqual(f.inside_save, 10, crash_saves.describe_kills(name, f))
                    self.assertEqual(f.old + f.new, f.kills)
            # And while a new version was being written: the writer, stopped before the kill,
            # held it open in a temporary file.
            self.assertGreater(sum(f.temporary_open for f in figures.values()), 0)
            if not unnamed:
                # Named from the start, those files outlive the kill until the next save.
                self.assertGreater(sum(f.left_after_kill for f in figures.values()), 0)

    def test_on_a_full_disk_every_save_fails_and_leaves_the_old_file(self):
        results, reason = crash_saves.full_disk(DRIVER, 4, SEED)
        if results is None:
            self.skipTest(f"full disk skipped: {reason}")
        self.assertEqual(len(results), 6)
        self.assertEqual(crash_saves.full_disk_faults(results), [],
                         "\n".join(crash_saves.describe_full_disk(w, r)
                                   for w, r in results.items()))


if __name__ == "__main__":
    unittest.main()
