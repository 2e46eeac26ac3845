"""Support of the client tests: the test server with its sample tables, a private ODBC profile
with a data source for it, and real ODBC programs run against that profile.

The build hands its facts over in the environment: PELTA_LIBRARY (the driver), PELTA_ODBCINST_TEMPLATE
(the driver's odbcinst.ini entry), PELTA_TEST_SERVER (serve.py), and PELTA_CLIENT_PRELOAD (libraries
a client program must load first when the driver is built with sanitizers)."""

import json
import os
import subprocess
import sys
import tempfile
import urllib.request

DATA_SOURCE = "PeltaClients"


def client_environment(profile):
    """The environment of a client program with the private profile in directory `profile`: its
    files and driver settings, no proxy for the loopback, and the sanitizers' runtime first when
    the driver needs it."""
    env = dict(os.environ)
    env.update({
        "ODBCSYSINI": profile,
        "ODBCINI": os.path.join(profile, "odbc.ini"),
        "PELTA_REGISTRY_HKCU": os.path.join(profile, "user.reg"),
        "PELTA_REGISTRY_HKLM": os.path.join(profile, "machine.reg"),
        "no_proxy": "127.0.0.1,localhost",
        "LANG": "C.UTF-8",
        "LC_ALL": "C.UTF-8",
    })
    preload = os.environ.get("PELTA_CLIENT_PRELOAD", "")
    if preload:
        env["LD_PRELOAD"] = preload
        # The host programs are not built to be checked: their leaks and their own misuse of
        # the C library's string functions (iusql copies a buffer onto itself) are theirs.
        env["ASAN_OPTIONS"] = ("detect_leaks=0:replace_str=0:replace_intrin=0:intercept_strlen=0:"
                               "intercept_strchr=0:intercept_strndup=0")
    return env


def stop_server(server):
    """Ends a test server started with --watch-stdin: the end of its input tells it to stop, and
    one that does not within 10 seconds is killed."""
    server.stdin.close()
    try:
        server.wait(timeout=10)
    except subprocess.TimeoutExpired:
        server.kill()
        server.wait()
    server.stdout.close()


class Setting:
    """The server and the profile, for the life of one test class."""

    def __init__(self):
        self.directory = tempfile.TemporaryDirectory(prefix="pelta-clients-")
        self.server = subprocess.Popen(
            [sys.executable, "-B", os.environ["PELTA_TEST_SERVER"], "--sample-data", "--watch-stdin",
             "--max-seconds", "600"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        first_line = json.loads(self.server.stdout.readline())
        self.port = first_line["ports"][0]
        self.control = first_line["control"]
        self.address = "127.0.0.1:%d" % self.port
        self._write_profile()

    def _write_profile(self):
        with open(os.environ["PELTA_ODBCINST_TEMPLATE"]) as template:
            entry = template.read().replace("@PELTA_LIBRARY@", os.environ["PELTA_LIBRARY"])
        self._write("odbcinst.ini", entry)
        self._write("odbc.ini", "[ODBC Data Sources]\n%s = Pelta\n\n[%s]\nDriver = Pelta\nServers = %s\n"
                    % (DATA_SOURCE, DATA_SOURCE, self.address))
        self._write("user.reg", "[SOFTWARE\\Pelta\\Driver]\n")

    def _write(self, name, text):
        with open(os.path.join(self.directory.name, name), "w") as file:
            file.write(text)

    def environment(self):
        return client_environment(self.directory.name)

    def run(self, arguments, stdin_text="", timeout=120, encoding="utf-8"):
        """Runs a client program; returns its completed process, its output decoded."""
        return subprocess.run(arguments, input=stdin_text, capture_output=True, encoding=encoding,
                              env=self.environment(), timeout=timeout)

    def add_fault(self, fault):
        """Adds a fault of the server's control port (see Tests/Server/README.md)."""
        request = urllib.request.Request("http://127.0.0.1:%d/faults" % self.control, method="POST",
                                         data=json.dumps(fault).encode("utf-8"))
        opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        with opener.open(request, timeout=30) as reply:
            reply.read()

    def requests(self, kind):
        """The bodies of the requests of one kind ("statement", "bulk", ...) the server logged."""
        opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        with opener.open("http://127.0.0.1:%d/log?body_limit=1048576" % self.control, timeout=30) as reply:
            log = json.loads(reply.read().decode("utf-8"))
        return [entry["body"] for entry in log["requests"] if entry["kind"] == kind]

    def close(self):
        stop_server(self.server)
        self.directory.cleanup()
