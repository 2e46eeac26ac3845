"""The HTTP side: the driver's exact request bytes, keep-alive, Expect: 100-continue, several
listeners over one database, and the bounded lifetime."""

import json
import socket
from collections import Counter
import subprocess
import sys
import unittest

from .support import (SERVE, USER_AGENT_LINE, WAIT, Server, ServerTestCase, raw_exchange,
                      read_reply, send, sql)


def driver_request(port, body, target=b"/_sql?types"):
    """The bytes libcurl sends for the driver's statement POST, header line included."""
    return (b"POST " + target + b" HTTP/1.1\r\n"
            b"Host: 127.0.0.1:" + str(port).encode() + b"\r\n"
            b"Accept: */*\r\n" + USER_AGENT_LINE + b"\r\n"
            b"Content-Length: " + str(len(body)).encode() + b"\r\n"
            b"Content-Type: application/x-www-form-urlencoded\r\n\r\n" + body)


def split_reply(raw):
    head, _, body = raw.partition(b"\r\n\r\n")
    lines = head.split(b"\r\n")
    headers = dict(line.split(b": ", 1) for line in lines[1:])
    return lines[0], headers, body


class DriverRequests(ServerTestCase):
    server_args = ("--cluster-name", "c-test", "--version-number", "9.9.9")

    def test_exact_statement_bytes_are_answered_and_logged_as_sent(self):
        port = self.server.ports[0]
        request = driver_request(port, b'{"stmt":"select 1"}')
        status_line, headers, body = split_reply(raw_exchange(port, request))
        self.assertEqual(b"HTTP/1.1 200 OK", status_line)
        self.assertEqual(str(len(body)).encode(), headers[b"Content-Length"])
        self.assertEqual(b'{"cols":["1"],"col_types":[9],"rows":[[1]],"rowcount":1}', body)

        status, raw = self.server.control_raw("GET", "/log/-1/raw")
        self.assertEqual(200, status)
        self.assertEqual(request, raw)
        entry = self.server.log()[-1]
        self.assertIn(USER_AGENT_LINE.decode(), entry["header_lines"])
        self.assertEqual(("POST", "/_sql?types", "select 1", "statement"),
                         (entry["method"], entry["target"], entry["stmt"], entry["kind"]))

    def test_probe_get_carries_cluster_name_and_version(self):
        conn = self.server.connect()
        status, headers, body = send(conn, "GET", "/")
        conn.close()
        self.assertEqual(200, status)
        self.assertEqual({"name": "node-0", "cluster_name": "c-test",
                          "version": {"number": "9.9.9"}}, json.loads(body))
        self.assertEqual("probe", self.server.log()[-1]["kind"])
        self.assertEqual([["c-test", "9.9.9"]],
                         self.ok("select name, version from sys.cluster")["rows"])

    def test_statement_without_types_query_has_no_col_types(self):
        status, reply = sql(self.server, "select 1", target="/_sql")
        self.assertEqual({"cols": ["1"], "rows": [[1]], "rowcount": 1}, reply)

    def test_kept_alive_connections_are_served_side_by_side(self):
        # A server that served one connection at a time would wait on the first for good.
        connections = [self.server.connect(), self.server.connect()]
        for n in range(3):
            for conn in connections:
                status, _, body = send(conn, "POST", "/_sql?types",
                                       b'{"stmt":"select ?", "args":[%d]}' % n)
                self.assertEqual([[n]], json.loads(body)["rows"])
        for conn in connections:
            conn.close()
        self.assertEqual(2, self.server.counters()["listeners"][0]["connections"])
        per_connection = Counter(entry["connection"] for entry in self.server.log())
        self.assertEqual([3, 3], list(per_connection.values()))

    def test_two_mib_body_with_expect_gets_100_continue_before_the_body(self):
        port = self.server.ports[0]
        text = "x" * (2 * 1024 * 1024)
        body = ('{"stmt":"select length(?)", "args":["%s"]}' % text).encode()
        request = driver_request(port, body)
        head, _, _ = request.partition(b"\r\n\r\n")
        head = head + b"\r\nExpect: 100-continue\r\n\r\n"
        with socket.create_connection(("127.0.0.1", port), timeout=WAIT) as sock:
            sock.sendall(head)
            interim = b""
            while not interim.endswith(b"\r\n\r\n"):
                chunk = sock.recv(1)
                self.assertTrue(chunk, "connection closed before 100 Continue")
                interim += chunk
            self.assertEqual(b"HTTP/1.1 100 Continue\r\n\r\n", interim)
            sock.sendall(body)
            status_line, _, reply = split_reply(read_reply(sock))
        self.assertEqual(b"HTTP/1.1 200 OK", status_line)
        self.assertEqual([[len(text)]], json.loads(reply)["rows"])
        entry = self.server.log()[-1]
        self.assertTrue(entry["continue"])
        self.assertEqual(len(body), entry["body_length"])

    def test_malformed_request_line_gets_400_and_the_connection_closes(self):
        raw = raw_exchange(self.server.ports[0], b"NONSENSE\r\n\r\n", read_until_close=True)
        self.assertTrue(raw.startswith(b"HTTP/1.1 400 "), raw)


class SharedDatabase(ServerTestCase):
    server_args = ("--listeners", "3")

    def test_three_listeners_share_one_database(self):
        self.assertEqual(3, len(set(self.server.ports)))
        self.ok("create table shared (id integer, name string)", listener=0)
        self.ok("insert into shared values (?, ?)", listener=1, args=[1, "one"])
        self.assertEqual([[1, "one"]], self.ok("select * from shared", listener=2)["rows"])
        listeners = [entry["listener"] for entry in self.server.log()]
        self.assertEqual([0, 1, 2], listeners)


class Lifetime(unittest.TestCase):
    def test_server_stops_by_itself_after_its_lifetime(self):
        process = subprocess.Popen([sys.executable, SERVE, "--max-seconds", "1"],
                                   stdout=subprocess.PIPE)
        try:
            self.assertIn(b'"ports"', process.stdout.readline())
            self.assertEqual(0, process.wait(WAIT))
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
            process.stdout.close()

    def test_server_stops_when_its_parent_closes_standard_input(self):
        server = Server()
        server.process.stdin.close()
        self.assertEqual(0, server.process.wait(WAIT))
        server.stop()

    def test_stop_request_on_the_control_port_ends_the_process(self):
        server = Server()
        self.assertEqual(200, server.control("POST", "/stop", {})[0])
        self.assertEqual(0, server.process.wait(WAIT))
        server.stop()


if __name__ == "__main__":
    unittest.main()
