"""Starts the server as a child process and talks to it over real HTTP."""

import http.client
import json
import os
import select
import socket
import subprocess
import sys
import unittest

SERVE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "serve.py")
USER_AGENT_LINE = b"User agent: orvik-odbc 01.00.00.1000"
WAIT = 30  # upper bound of every wait, in seconds


class Server:
    def __init__(self, *args):
        self.process = subprocess.Popen(
            [sys.executable, SERVE, "--max-seconds", "300", "--watch-stdin", *args],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        ready, _, _ = select.select([self.process.stdout], [], [], WAIT)
        line = self.process.stdout.readline() if ready else b""
        if not line:
            self.process.kill()
            self.process.wait()
            raise RuntimeError("the server did not start")
        first = json.loads(line)
        self.ports = first["ports"]
        self.control_port = first["control"]

    def stop(self):
        self.process.stdin.close()
        if self.process.poll() is None:
            try:
                self.process.wait(WAIT)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()

    def control(self, method, path, body=None):
        """(status, decoded JSON) of a control request."""
        status, raw = self.control_raw(method, path, body)
        return status, json.loads(raw)

    def control_raw(self, method, path, body=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.control_port, timeout=WAIT)
        try:
            data = json.dumps(body).encode() if body is not None else None
            conn.request(method, path, body=data)
            reply = conn.getresponse()
            return reply.status, reply.read()
        finally:
            conn.close()

    def fault(self, **spec):
        status, reply = self.control("POST", "/faults", spec)
        assert status == 200, reply
        return reply["id"]

    def log(self):
        return self.control("GET", "/log")[1]["requests"]

    def counters(self):
        return self.control("GET", "/counters")[1]

    def connect(self, listener=0):
        return http.client.HTTPConnection("127.0.0.1", self.ports[listener], timeout=WAIT)


def send(conn, method, target, body=None):
    """A request with the driver's header line. Returns (status, headers, body)."""
    conn.putrequest(method, target, skip_accept_encoding=True)
    conn.putheader("Accept", "*/*")
    conn.putheader("User agent", "orvik-odbc 01.00.00.1000")
    if body is not None:
        conn.putheader("Content-Length", str(len(body)))
        conn.putheader("Content-Type", "application/x-www-form-urlencoded")
    conn.endheaders(body)
    reply = conn.getresponse()
    return reply.status, reply.getheaders(), reply.read()


def sql(server, stmt, listener=0, target="/_sql?types", **members):
    """(status, decoded reply) of one statement sent to a listener."""
    body = json.dumps(dict(stmt=stmt, **members), separators=(",", ":")).encode()
    conn = server.connect(listener)
    try:
        status, _, raw = send(conn, "POST", target, body)
        return status, json.loads(raw)
    finally:
        conn.close()


def raw_exchange(port, data, read_until_close=False):
    """Sends bytes on a new connection and returns what came back (until the reply is
    complete, judged by Content-Length, or the connection closes)."""
    with socket.create_connection(("127.0.0.1", port), timeout=WAIT) as sock:
        sock.sendall(data)
        return read_reply(sock, read_until_close)


def read_reply(sock, until_close=False):
    received = b""
    while True:
        head, sep, rest = received.partition(b"\r\n\r\n")
        if sep and not until_close:
            length = next((int(line.split(b":", 1)[1]) for line in head.split(b"\r\n")
                           if line.lower().startswith(b"content-length:")), 0)
            if len(rest) >= length:
                return received
        chunk = sock.recv(65536)
        if not chunk:
            return received
        received += chunk


class ServerTestCase(unittest.TestCase):
    """One server per test class; every test starts from an empty database and clean controls."""

    server_args = ()

    @classmethod
    def setUpClass(cls):
        cls.server = Server(*cls.server_args)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def setUp(self):
        status, _ = self.server.control("POST", "/reset", {"data": True})
        self.assertEqual(200, status)

    def ok(self, stmt, listener=0, **members):
        status, reply = sql(self.server, stmt, listener, **members)
        self.assertEqual(200, status, reply)
        return reply

    def fails(self, stmt, code, **members):
        status, reply = sql(self.server, stmt, **members)
        self.assertIn("error", reply, stmt)
        self.assertEqual(code, reply["error"]["code"], reply)
        self.assertIsInstance(reply["error"]["message"], str)
        return status
