"""Building the editor builds what it runs with, never a test, a benchmark or their data: the run
command asks the build for the editor alone, and this holds only while no dependency pulls the
rest in behind it. The build's own graph is asked, as the build tool sees it."""

import subprocess
import sys
import unittest

NINJA, BUILD = sys.argv[1:3]
del sys.argv[1:3]

# Where the build puts what only the tests and benchmarks use.
TEST_FOLDERS = ("tests/", "bench/", "testdata/", "fuzz-corpus/")


def editor_inputs():
    out = subprocess.run([NINJA, "-C", BUILD, "-t", "inputs", "Brelvonix"], check=True,
                         capture_output=True, text=True).stdout
    return {line.strip() for line in out.splitlines() if line.strip()}


class EditorInputs(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.inputs = editor_inputs()

    def test_the_editor_gets_what_it_loads(self):
        for needed in ("bin/libmerulin.so", "bin/libpandrel.so", "bin/brelvonix-metafiles",
                       "app/brelvonix_data_folders"):
            self.assertIn(needed, self.inputs)

    def test_no_test_or_benchmark_is_built_for_the_editor(self):
        # A test or benchmark program brings its objects, built in its own folder, along.
        self.assertEqual(sorted(i for i in self.inputs if i.startswith(TEST_FOLDERS)), [])


if __name__ == "__main__":
    unittest.main()
