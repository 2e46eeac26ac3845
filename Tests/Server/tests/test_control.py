"""The control port: each failure it can inject, the request log, counters and reset."""

import base64
import http.client
import json
import socket
import unittest
from types import SimpleNamespace

from peltaserver.control import RequestLog

from .support import WAIT, ServerTestCase, raw_exchange, send, sql


def statement_bytes(port, stmt="select 1"):
    body = json.dumps({"stmt": stmt}).encode()
    return (b"POST /_sql?types HTTP/1.1\r\nHost: 127.0.0.1:%d\r\nContent-Length: %d\r\n\r\n"
            % (port, len(body))) + body


class Listeners(ServerTestCase):
    server_args = ("--listeners", "2")

    def test_down_refuses_connections_and_closes_open_ones_up_answers_on_the_same_port(self):
        port = self.server.ports[1]
        open_conn = self.server.connect(1)
        self.assertEqual(200, send(open_conn, "GET", "/")[0])
        status, reply = self.server.control("POST", "/listeners/1/down", {})
        self.assertEqual((200, False), (status, reply["up"]))
        listeners = self.server.control("GET", "/status")[1]["listeners"]
        self.assertEqual([(self.server.ports[0], True), (port, False)],
                         [(l["port"], l["up"]) for l in listeners])
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", port), timeout=WAIT).close()
        with self.assertRaises((http.client.HTTPException, ConnectionError)):
            send(open_conn, "GET", "/")
        open_conn.close()
        self.assertEqual(200, sql(self.server, "select 1", listener=0)[0])   # the other one

        status, reply = self.server.control("POST", "/listeners/1/up", {})
        self.assertEqual((200, port, True), (status, reply["port"], reply["up"]))
        self.assertEqual(200, sql(self.server, "select 1", listener=1)[0])

    def test_a_fault_with_down_takes_the_listener_down_before_its_request_is_answered(self):
        port = self.server.ports[1]
        idle = self.server.connect(1)
        self.assertEqual(200, send(idle, "GET", "/")[0])
        self.server.fault(listener=1, method="GET", down=True)
        conn = self.server.connect(1)
        status, headers, body = send(conn, "GET", "/")
        conn.close()
        # Answered as usual, on a connection that then closes, and nothing new gets through.
        self.assertEqual((200, "node-1"), (status, json.loads(body)["name"]))
        self.assertIn(("Connection", "close"), headers)
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", port), timeout=WAIT).close()
        with self.assertRaises((http.client.HTTPException, ConnectionError)):
            send(idle, "GET", "/")
        idle.close()
        self.assertEqual([True, False], [l["up"] for l in
                                         self.server.control("GET", "/status")[1]["listeners"]])

        # With close: the statement is taken and never answered.
        port = self.server.ports[0]
        self.server.fault(listener=0, method="POST", close=True, down=True)
        self.assertEqual(b"", raw_exchange(port, statement_bytes(port), read_until_close=True))
        with self.assertRaises(ConnectionRefusedError):
            socket.create_connection(("127.0.0.1", port), timeout=WAIT).close()
        self.assertEqual(["statement"], [e["kind"] for e in self.server.log() if e["listener"] == 0])

    def test_unknown_listener_is_refused(self):
        for index in ("2", "-1", "x"):
            with self.subTest(index=index):
                status, _ = self.server.control("POST", "/listeners/%s/down" % index, {})
                self.assertEqual(400, status)
        self.assertEqual([True, True], [l["up"] for l in
                                        self.server.control("GET", "/status")[1]["listeners"]])

    def test_reset_brings_listeners_back_up(self):
        self.server.control("POST", "/listeners/0/down", {})
        self.server.control("POST", "/reset", {})
        self.assertEqual(200, sql(self.server, "select 1")[0])

    def test_faults_apply_to_their_listener_method_and_number_of_requests(self):
        self.server.fault(listener=1, method="GET", times=2, error={"code": 5000})
        probes = []
        for listener in (0, 1, 1, 1):
            conn = self.server.connect(listener)
            probes.append(send(conn, "GET", "/")[0])
            conn.close()
        self.assertEqual([200, 500, 500, 200], probes)
        self.server.fault(method="POST", times=-1, stmt_regex="^insert", error={"code": 4041})
        for _ in range(3):
            self.fails("insert into t values (1)", 4041)
        self.assertEqual(200, sql(self.server, "select 1")[0])
        self.assertEqual([0, -1], [f["times_left"] for f in
                                   self.server.control("GET", "/faults")[1]["faults"]])


class ReplacedReplies(ServerTestCase):
    def test_reply_overrides_are_sent_byte_for_byte_with_content_length(self):
        cases = [
            ({"status": 302, "headers": [["Location", "http://127.0.0.1:1/elsewhere"]], "body": ""},
             302, b"", b"Location: http://127.0.0.1:1/elsewhere"),
            ({"status": 200, "headers": [["Content-Type", "text/html"]],
              "body": "<html><body>proxy</body></html>"},
             200, b"<html><body>proxy</body></html>", b"Content-Type: text/html"),
            ({"body": "{} {}"}, 200, b"{} {}", None),
            ({"body": "   "}, 200, b"   ", None),
            ({"status": 500, "body": '{"rowcount":1}'}, 500, b'{"rowcount":1}', None),
            ({"body_base64": base64.b64encode(b'{"rowcount":1}\x00junk').decode()},
             200, b'{"rowcount":1}\x00junk', None),
            ({"body": '{"error":{"message":"no code"}}'}, 200, b'{"error":{"message":"no code"}}',
             None),
        ]
        port = self.server.ports[0]
        for spec, status, body, header in cases:
            with self.subTest(spec=spec):
                self.server.fault(method="POST", reply=spec)
                raw = raw_exchange(port, statement_bytes(port))
                head, _, got = raw.partition(b"\r\n\r\n")
                lines = head.split(b"\r\n")
                self.assertTrue(lines[0].startswith(b"HTTP/1.1 %d " % status), lines[0])
                self.assertIn(b"Content-Length: %d" % len(body), lines)
                if header:
                    self.assertIn(header, lines)
                self.assertEqual(body, got)

    def test_chosen_error_code_with_its_status_or_a_given_one(self):
        self.server.fault(method="POST", error={"code": 4045, "message": "no schema"})
        self.assertEqual((404, {"error": {"code": 4045, "message": "no schema"}}),
                         sql(self.server, "select 1"))
        self.server.fault(method="GET", error={"code": 4000, "message": "x", "status": 200})
        conn = self.server.connect()
        status, _, body = send(conn, "GET", "/")
        conn.close()
        self.assertEqual((200, 4000), (status, json.loads(body)["error"]["code"]))

    def test_close_without_reply_and_reply_cut_short(self):
        port = self.server.ports[0]
        self.server.fault(method="POST", close=True)
        self.assertEqual(b"", raw_exchange(port, statement_bytes(port), read_until_close=True))

        self.server.fault(method="POST", cut=True)
        raw = raw_exchange(port, statement_bytes(port), read_until_close=True)
        head, _, body = raw.partition(b"\r\n\r\n")
        length = int(next(l for l in head.split(b"\r\n") if l.startswith(b"Content-Length"))
                     .split(b": ")[1])
        full = b'{"cols":["1"],"col_types":[9],"rows":[[1]],"rowcount":1}'
        self.assertEqual(len(full), length)
        self.assertEqual(full[:len(full) // 2], body)
        self.assertEqual([None, 200], [e["status"] for e in self.server.log()])

    def test_bounded_delay_then_normal_reply_and_unbounded_delays_are_refused(self):
        self.server.fault(method="GET", delay=0.2)
        conn = self.server.connect()
        self.assertEqual(200, send(conn, "GET", "/")[0])
        conn.close()
        self.assertIsNotNone(self.server.log()[-1]["fault"])
        status, reply = self.server.control("POST", "/faults", {"delay": 3600})
        self.assertEqual(400, status)
        self.assertIn("delay", reply["error"])
        self.assertEqual(400, self.server.control("POST", "/faults", {"bogus": 1})[0])


class StatementFaults(ServerTestCase):
    def test_failing_bulk_sets_are_skipped_and_reported(self):
        self.ok("create table t (id integer)")
        self.server.fault(method="POST", bulk_fail=[0, 2])
        reply = self.ok("insert into t values (?)", bulk_args=[[1], [2], [3]])
        self.assertEqual([-2, 1, -2], [r["rowcount"] for r in reply["results"]])
        self.assertEqual([[2]], self.ok("select id from t")["rows"])

    def test_rejecting_one_probe_form_or_both(self):
        self.ok("create table t (a integer)")
        subquery, fallback = "select * from (select a from t) limit 0", "select a from t limit 0"
        cases = [("subquery", {subquery}), ("fallback", {fallback}), ("both", {subquery, fallback})]
        for form, refused in cases:
            with self.subTest(probe=form):
                self.server.control("POST", "/faults/clear", {})
                self.server.fault(probe=form, times=-1, error={"code": 4000, "message": "no"})
                for stmt in (subquery, fallback):
                    if stmt in refused:
                        self.fails(stmt, 4000)
                    else:
                        self.assertEqual([9], self.ok(stmt)["col_types"])
                self.assertEqual(0, self.ok("select a from t")["rowcount"])

    def test_close_before_or_after_running_the_statement(self):
        self.ok("create table t (a integer)")
        port = self.server.ports[0]
        for close, value in ((True, 1), ("after", 2)):
            with self.subTest(close=close):
                self.server.fault(method="POST", close=close)
                data = statement_bytes(port, "insert into t values (%d)" % value)
                self.assertEqual(b"", raw_exchange(port, data, read_until_close=True))
        self.assertEqual([[2]], self.ok("select a from t")["rows"])
        self.assertEqual([200, None, None, 200], [e["status"] for e in self.server.log()])
        for spec in ({"close": "before"}, {"close": "after", "cut": True}):
            with self.subTest(spec=spec):
                self.assertEqual(400, self.server.control("POST", "/faults", spec)[0])


class LogAndCounters(ServerTestCase):
    def test_counters_by_kind_and_reset(self):
        conn = self.server.connect()
        send(conn, "GET", "/")
        send(conn, "POST", "/_sql?types", b'{"stmt":"select * from (select 1) limit 0"}')
        send(conn, "POST", "/_sql?types", b'{"stmt":"select 1 limit 0"}')
        send(conn, "POST", "/_sql?types", b'{"stmt":"select ?", "bulk_args":[[1], [2]]}')
        send(conn, "POST", "/_sql?types", b'{"stmt":"select 1"}')
        conn.close()
        counts = self.server.counters()["listeners"][0]
        self.assertEqual({"connections": 1, "requests": 5, "get": 1, "post": 4, "probe": 1,
                          "probe-subquery": 1, "probe-fallback": 1, "bulk": 1, "statement": 1},
                         {k: counts.get(k) for k in ("connections", "requests", "get", "post",
                                                     "probe", "probe-subquery", "probe-fallback",
                                                     "bulk", "statement")})
        seqs = [e["seq"] for e in self.server.log()]
        since = self.server.control("GET", "/log?since=%d" % seqs[2])[1]["requests"]
        self.assertEqual(seqs[3:], [e["seq"] for e in since])
        self.assertEqual(b'{"stmt":"select 1"}', self.server.control_raw("GET", "/log/-1/body")[1])

        self.server.control("POST", "/reset", {})
        self.assertEqual([], self.server.log())
        self.assertEqual({}, self.server.counters()["total"])


class LogBounds(unittest.TestCase):
    def test_oldest_entries_go_past_the_entry_or_the_body_byte_limit(self):
        log = RequestLog(limit=3, byte_limit=10)
        for size in (1, 2, 3, 4):
            log.record(SimpleNamespace(body=b"x" * size), "statement", None)
        self.assertEqual([2, 3, 4], [e.seq for e in log.entries()])
        log.record(SimpleNamespace(body=b"x" * 6), "statement", None)     # 3 + 4 + 6 > 10
        self.assertEqual([4, 5], [e.seq for e in log.entries()])
        log.record(SimpleNamespace(body=b"x" * 50), "statement", None)    # alone over the limit
        self.assertEqual([6], [e.seq for e in log.entries()])


if __name__ == "__main__":
    unittest.main()
