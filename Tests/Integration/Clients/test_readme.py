"""The README's commands, run as a new user runs them, so that none of them can go stale.

Every fenced block of the README is exercised: BLOCKS names each by the heading it stands under
and its language, and a block the README gains or loses fails test_every_block_is_exercised until
BLOCKS and the tests follow. The shell blocks run here word for word, in a sandbox where only what
stands for the machine differs:
- "sudo" runs its command as the test's own user (a script of that name first on the PATH);
- a scratch directory stands for /usr/local, and the tree under test for build/release;
- the ODBC profile and the driver's settings are private files;
- the test server listens on a free port in place of 4200 and, told to watch its input, ends
  with the test;
- where the driver is built with the sanitizers, isql and iusql load their runtime first.
The lines that build build/release are left to scripts/demo, which runs them word for word (this
test finds them there): a second build does not fit in a test's time.
The Python block runs against the data source the shell blocks made, and must print the text
block that follows it."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import unittest

import clients

SOURCE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", ".."))
README = os.path.join(SOURCE, "README.md")
DEMO = os.path.join(SOURCE, "scripts", "demo")
SYSTEM_PYTHON = os.environ.get("PELTA_PYODBC_PYTHON", "/usr/bin/python3")

INSTALL = ("Installing the driver into unixODBC", "sh")
SERVER = ("The test server", "sh")
DATA_SOURCE = ("Data sources and connection strings", "ini")
ADD_DATA_SOURCE = ("Data sources and connection strings", "sh")
QUERY_PROGRAMS = ("isql and iusql", "sh")
SESSION = ("pyodbc", "python")
SESSION_OUTPUT = ("pyodbc", "text")
UNINSTALL = ("Uninstalling", "sh")
BLOCKS = [INSTALL, SERVER, DATA_SOURCE, ADD_DATA_SOURCE, QUERY_PROGRAMS, SESSION, SESSION_OUTPUT, UNINSTALL]

# The install block's lines that configure and build build/release: every cmake line but the install.
BUILD_LINE = re.compile(r"cmake (?!--install)")

QUERY = "select region, order_id from sample_orders order by region, order_id\n"


def read_blocks():
    """The README's fenced blocks in order, as ((heading, language), text)."""
    blocks, heading, fence = [], None, None
    with open(README, encoding="utf-8") as readme:
        for line in readme:
            if fence is not None and line.startswith("```"):
                blocks.append(((heading, fence[0]), "".join(fence[1])))
                fence = None
            elif fence is not None:
                fence[1].append(line)
            elif line.startswith("```"):
                fence = (line[3:].strip(), [])
            elif line.startswith("#"):
                heading = line.lstrip("#").strip()
    return blocks


def commands(text):
    """The command lines of a shell text, without comments and indentation."""
    lines = (re.sub(r"(^|\s+)#.*$", "", line).strip() for line in text.splitlines())
    return [line for line in lines if line]


class Sandbox:
    """A stand-in for the machine the README's commands change."""

    def __init__(self):
        build = os.environ["PELTA_BUILD_DIR"]
        self._directory = tempfile.TemporaryDirectory(prefix="pelta-readme-")
        root = self._directory.name
        self.prefix = os.path.join(root, "usr-local")
        self.profile = os.path.join(root, "profile")
        self.work = os.path.join(root, "work")
        tools = os.path.join(root, "bin")
        for directory in (self.profile, os.path.join(self.work, "build"), tools):
            os.makedirs(directory)
        for name in ("odbcinst.ini", "odbc.ini", "user.ini"):
            self.write(os.path.join(self.profile, name), "")
        self.write(os.path.join(self.profile, "user.reg"), "[SOFTWARE\\Pelta\\Driver]\n")
        os.symlink(build, os.path.join(self.work, "build", "release"))
        os.symlink(os.path.join(SOURCE, "Tests"), os.path.join(self.work, "Tests"))
        self.client_environment = clients.client_environment(self.profile)
        self.client_environment["ODBCINI"] = os.path.join(self.profile, "user.ini")
        self.environment = dict(self.client_environment)
        # Only the programs that load the driver take the sanitizers' runtime: some others break
        # under it.
        preload = self.environment.pop("LD_PRELOAD", "")
        self._tool(tools, "sudo", 'exec "$@"')
        for program in ("isql", "iusql") if preload else ():
            self._tool(tools, program, 'LD_PRELOAD=%s exec %s "$@"' % (preload, shutil.which(program)))
        self.environment["PATH"] = tools + os.pathsep + self.environment["PATH"]
        self.port = None
        self.server = None

    def _tool(self, directory, name, command):
        path = os.path.join(directory, name)
        self.write(path, "#!/bin/sh\n%s\n" % command)
        os.chmod(path, 0o755)

    @staticmethod
    def write(path, text):
        with open(path, "w", encoding="utf-8") as file:
            file.write(text)

    def substitute(self, text):
        text = text.replace("/usr/local", self.prefix)
        return text if self.port is None else text.replace("4200", str(self.port))

    def run(self, text, stdin=""):
        """Runs shell commands in the sandbox; returns their standard output."""
        done = subprocess.run(["bash", "-e", "-x", "-c", self.substitute(text)], cwd=self.work,
                              env=self.environment, input=stdin, capture_output=True, text=True, timeout=300)
        if done.returncode != 0:
            raise AssertionError("the README's commands failed:\n" + done.stderr + done.stdout)
        return done.stdout

    def install(self, text):
        """Runs the install block but for its build lines; returns the output."""
        lines = [line for line in text.splitlines(keepends=True) if not BUILD_LINE.match(line)]
        for line in commands("".join(lines)):
            if "cmake --install" in line and "--prefix /usr/local" not in line:
                raise AssertionError("this install would leave the sandbox: " + line)
        return self.run("".join(lines))

    def start_server(self, text):
        """Starts the README's test server on a free port; it ends when this process does."""
        (line,) = commands(text)
        self.server = subprocess.Popen(["bash", "-c", "exec %s --watch-stdin" % line.replace("4200", "0")],
                                       cwd=self.work, env=self.environment, stdin=subprocess.PIPE,
                                       stdout=subprocess.PIPE, text=True)
        first_line = self.server.stdout.readline()
        if not first_line:
            raise AssertionError("the test server did not start: " + line)
        self.port = json.loads(first_line)["ports"][0]

    def close(self):
        if self.server is not None:
            clients.stop_server(self.server)
        self._directory.cleanup()


class ReadmeBlocksTest(unittest.TestCase):
    def test_every_block_is_exercised(self):
        self.assertEqual([key for key, _ in read_blocks()], BLOCKS)

    def test_the_demo_builds_with_the_install_blocks_lines(self):
        with open(DEMO, encoding="utf-8") as demo:
            demo_lines = set(commands(demo.read()))
        build_lines = [line for line in commands(dict(read_blocks())[INSTALL]) if BUILD_LINE.match(line)]
        self.assertTrue(build_lines)
        for line in build_lines:
            self.assertIn(line, demo_lines)


class ReadmeRoadTest(unittest.TestCase):
    """Installing, a data source for the test server, and the clients, as the README shows them."""

    @classmethod
    def setUpClass(cls):
        cls.blocks = dict(read_blocks())
        cls.sandbox = Sandbox()
        cls.addClassCleanup(cls.sandbox.close)
        cls.installed = cls.sandbox.install(cls.blocks[INSTALL])
        cls.sandbox.start_server(cls.blocks[SERVER])
        cls.sandbox.write(os.path.join(cls.sandbox.work, "pelta-dsn.ini"), cls.sandbox.substitute(cls.blocks[DATA_SOURCE]))
        cls.added = cls.sandbox.run(cls.blocks[ADD_DATA_SOURCE])

    def read_profile(self, name):
        with open(os.path.join(self.sandbox.profile, name), encoding="utf-8") as file:
            return file.read()

    def test_driver_is_installed_and_registered(self):
        self.assertIn("[Pelta]", self.installed)
        library = os.path.join(self.sandbox.prefix, "lib", "pelta", "libPelta.so")
        self.assertIn("Driver=%s\n" % library, self.read_profile("odbcinst.ini"))
        self.assertTrue(os.path.isfile(library))
        self.assertTrue(os.path.isfile(os.path.join(os.path.dirname(library), "en-US", "PeltaMessages.xml")))

    def test_data_source_is_added_without_a_dialog(self):
        self.assertIn("[PeltaTest]", self.added)
        for name in ("user.ini", "odbc.ini"):
            with self.subTest(file=name):
                self.assertIn("Servers=127.0.0.1:%d\n" % self.sandbox.port, self.read_profile(name))

    def test_query_programs_run_statements(self):
        for line in commands(self.blocks[QUERY_PROGRAMS]):
            with self.subTest(command=line):
                output = self.sandbox.run(line, QUERY)
                self.assertIn("Connected!", output)
                self.assertEqual(re.findall(r"^\| (\w+) +\| (\d+) ", output, re.MULTILINE),
                                 [("north", "1"), ("north", "2"), ("south", "1")])

    def test_python_session_prints_what_the_readme_shows(self):
        session = os.path.join(self.sandbox.work, "session.py")
        self.sandbox.write(session, self.blocks[SESSION])
        done = subprocess.run([SYSTEM_PYTHON, "-B", session], cwd=self.sandbox.work,
                              env=self.sandbox.client_environment, capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stdout, self.blocks[SESSION_OUTPUT])


class ReadmeUninstallTest(unittest.TestCase):
    """Uninstalling as the README shows it, after installing and adding a data source."""

    @classmethod
    def setUpClass(cls):
        blocks = dict(read_blocks())
        cls.sandbox = Sandbox()
        cls.addClassCleanup(cls.sandbox.close)
        cls.sandbox.install(blocks[INSTALL])
        cls.installed = cls.left_in_prefix()
        cls.sandbox.write(os.path.join(cls.sandbox.work, "pelta-dsn.ini"), blocks[DATA_SOURCE])
        cls.sandbox.run(blocks[ADD_DATA_SOURCE])
        cls.sandbox.run(blocks[UNINSTALL])

    @classmethod
    def left_in_prefix(cls):
        """The files under the prefix, and the driver's directories."""
        return [os.path.join(directory, name) for directory, subdirectories, files in os.walk(cls.sandbox.prefix)
                for name in files + [d for d in subdirectories if d == "pelta"]]

    def test_no_installed_file_is_left(self):
        self.assertIn(os.path.join(self.sandbox.prefix, "lib", "pelta", "libPelta.so"), self.installed)
        self.assertEqual(self.left_in_prefix(), [])

    def test_driver_and_data_sources_are_unregistered(self):
        for name, section in (("odbcinst.ini", "[Pelta]"), ("odbc.ini", "[PeltaTest]"), ("user.ini", "[PeltaTest]")):
            with self.subTest(file=name):
                with open(os.path.join(self.sandbox.profile, name), encoding="utf-8") as file:
                    self.assertNotIn(section, file.read())


if __name__ == "__main__":
    unittest.main()
