"""The quick start's run command builds the editor and what it loads, nothing more, and starts
it with the arguments given; the test command builds and runs everything in the three builds.
The build tools are stand-ins that record how they were called."""

import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SCRIPT = sys.argv.pop(1)

RECORDER = """#!/bin/sh
echo "$(basename "$0") $*" >> "{log}"
"""


class QuickStartCommands(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.root)
        os.makedirs(os.path.join(self.root, "scripts"))
        shutil.copy(SCRIPT, os.path.join(self.root, "scripts", "brelvonix.sh"))
        self.log = os.path.join(self.root, "calls.log")
        tools = os.path.join(self.root, "tools")
        os.makedirs(tools)
        for name in ("cmake", "ctest", "nproc", "apt-get", "sudo"):
            self.tool(os.path.join(tools, name), RECORDER.format(log=self.log))
        # Every package is installed already.
        self.tool(os.path.join(tools, "dpkg-query"), "#!/bin/sh\nprintf 'install ok installed'\n")
        for build in ("release", "sanitize", "fuzz"):
            os.makedirs(os.path.join(self.root, "build", build, "bin"))
            open(os.path.join(self.root, "build", build, "build.ninja"), "w").close()
        self.tool(os.path.join(self.root, "build", "release", "bin", "Brelvonix"),
                  RECORDER.format(log=self.log))
        self.env = dict(os.environ, PATH=tools + os.pathsep + "/usr/bin:/bin")

    def tool(self, path, text):
        with open(path, "w") as f:
            f.write(text)
        os.chmod(path, 0o755)

    def run_command(self, *args):
        subprocess.run(["bash", os.path.join(self.root, "scripts", "brelvonix.sh"), *args],
                       env=self.env, check=True, stdout=subprocess.DEVNULL)
        with open(self.log) as f:
            return [line.split() for line in f.read().splitlines()]

    def test_run_builds_the_editor_only_and_starts_it(self):
        calls = self.run_command("run", "a b.dyz")
        release = os.path.join(self.root, "build", "release")
        builds = [c for c in calls if c[:2] == ["cmake", "--build"]]
        self.assertEqual(len(builds), 1, calls)
        self.assertEqual(builds[0][2], release)
        self.assertEqual(builds[0][builds[0].index("--target") + 1:], ["Brelvonix"])
        self.assertEqual(calls[-1], ["Brelvonix", "a", "b.dyz"])
        self.assertFalse([c for c in calls if c[0] == "ctest"])

    def test_test_builds_and_runs_all_three_builds_whole(self):
        calls = self.run_command("test")
        builds = [c for c in calls if c[:2] == ["cmake", "--build"]]
        self.assertEqual([os.path.basename(c[2]) for c in builds], ["release", "sanitize", "fuzz"])
        for c in builds:
            self.assertNotIn("--target", c)
        runs = [c for c in calls if c[0] == "ctest"]
        self.assertEqual([os.path.basename(c[c.index("--test-dir") + 1]) for c in runs],
                         ["release", "sanitize", "fuzz"])


if __name__ == "__main__":
    unittest.main()
