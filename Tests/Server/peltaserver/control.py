"""Failure injection, the request log and counters, and the control API that drives them from
its own port."""

import base64
import json
import re
import threading
from collections import Counter, deque
from urllib.parse import parse_qs

from . import wire
from .transport import Reply

_ACTIONS = ("reply", "error", "close", "cut", "bulk_fail")
_PROBE_FORMS = {"subquery": ("subquery",), "fallback": ("fallback",),
                "both": ("subquery", "fallback")}


class Fault:
    """One injected behaviour for the next requests that match it (times -1: every one)."""

    def __init__(self, spec, ident, max_delay):
        unknown = set(spec) - {"listener", "method", "stmt_regex", "probe", "times", "delay",
                               "down", *_ACTIONS}
        if unknown:
            raise ValueError("unknown fault members: %s" % ", ".join(sorted(unknown)))
        self.id = ident
        self.spec = spec
        self.listener = int(spec["listener"]) if spec.get("listener") is not None else None
        self.method = str(spec.get("method", "ANY")).upper()
        if self.method not in ("GET", "POST", "ANY"):
            raise ValueError("method must be GET, POST or ANY")
        self.stmt_regex = (re.compile(spec["stmt_regex"], re.DOTALL) if "stmt_regex" in spec
                           else None)
        self.probe = spec.get("probe")
        if self.probe is not None and self.probe not in _PROBE_FORMS:
            raise ValueError("probe must be subquery, fallback or both")
        self.times = int(spec.get("times", 1))
        self.delay = float(spec.get("delay", 0))
        if not 0 <= self.delay <= max_delay:
            raise ValueError("delay must be between 0 and %g seconds" % max_delay)
        if sum(1 for a in ("reply", "error", "close") if a in spec) > 1:
            raise ValueError("give at most one of reply, error and close")
        self.reply = spec.get("reply")
        if self.reply is not None:
            self.reply_body = (base64.b64decode(self.reply["body_base64"])
                               if "body_base64" in self.reply
                               else str(self.reply.get("body", "")).encode())
        self.error = spec.get("error")
        close = spec.get("close", False)
        # "after": the server runs the statement, then closes without a reply, as one that
        # goes down while the reply is on its way.
        self.close_after = close == "after"
        if isinstance(close, str) and not self.close_after:
            raise ValueError('close must be true or "after"')
        self.close = bool(close) and not self.close_after
        self.cut = bool(spec.get("cut"))
        if self.close_after and self.cut:
            raise ValueError('give at most one of "close": "after" and cut')
        self.bulk_fail = frozenset(int(i) for i in spec.get("bulk_fail", ()))
        self.down = bool(spec.get("down"))

    def matches(self, request, statement):
        if self.times == 0:
            return False
        if self.listener is not None and self.listener != request.listener.index:
            return False
        if self.method != "ANY" and self.method != request.method:
            return False
        if self.stmt_regex is not None or self.probe is not None:
            if statement is None:
                return False
            if self.stmt_regex is not None and not self.stmt_regex.search(statement.stmt):
                return False
            form = wire.probe_form(statement.stmt)[0]
            if self.probe is not None and form not in _PROBE_FORMS[self.probe]:
                return False
        return True

    def fixed_reply(self):
        """The reply this fault puts in place of the server's, or None to let it answer."""
        if self.close:
            return Reply(mode="close")
        if self.reply is not None:
            headers = [tuple(h) for h in self.reply.get("headers", [])]
            return Reply(int(self.reply.get("status", 200)), self.reply_body, headers or None,
                         mode="cut" if self.cut else "normal")
        if self.error is not None:
            code = int(self.error.get("code", wire.INTERNAL_ERROR))
            body = wire.encode({"error": {"code": code,
                                          "message": str(self.error.get("message", "injected"))}})
            status = int(self.error.get("status", wire.STATUS_OF_CODE.get(code, 500)))
            return Reply(status, body, mode="cut" if self.cut else "normal")
        return None


class FaultBook:
    def __init__(self, max_delay):
        self.max_delay = max_delay
        self._faults = []
        self._next = 1
        self._lock = threading.Lock()

    def add(self, spec):
        with self._lock:
            fault = Fault(spec, self._next, self.max_delay)
            self._next += 1
            self._faults.append(fault)
            return fault.id

    def take(self, request, statement):
        """The first fault that matches, counted as used once."""
        with self._lock:
            for fault in self._faults:
                if fault.matches(request, statement):
                    if fault.times > 0:
                        fault.times -= 1
                    return fault
        return None

    def describe(self):
        with self._lock:
            return [dict(f.spec, id=f.id, times_left=f.times) for f in self._faults]

    def clear(self):
        with self._lock:
            self._faults.clear()


class LogEntry:
    def __init__(self, seq, request, kind, stmt):
        self.seq = seq
        self.request = request
        self.kind = kind
        self.stmt = stmt
        self.status = None
        self.fault = None
        self.canned = False

    def describe(self, body_limit):
        r = self.request
        body = r.body[:body_limit].decode("utf-8", "replace")
        return {
            "seq": self.seq, "listener": r.listener.index, "port": r.listener.port,
            "connection": r.connection, "method": r.method, "target": r.target,
            "request_line": r.request_line.decode("latin-1").rstrip("\r\n"),
            "header_lines": [h.decode("latin-1").rstrip("\r\n") for h in r.header_lines],
            "body": body, "body_length": len(r.body), "body_truncated": len(r.body) > body_limit,
            "continue": r.continue_sent, "kind": self.kind, "stmt": self.stmt,
            "status": self.status, "fault": self.fault, "canned": self.canned,
        }


class RequestLog:
    """Every request of the statement listeners, newest last, with its raw bytes; and counters
    per listener. The oldest entries go when there are more than limit of them or when their
    bodies add up to more than byte_limit bytes (the newest entry always stays)."""

    def __init__(self, limit=20000, byte_limit=256 * 1024 * 1024):
        self._entries = deque()
        self._limit = limit
        self._byte_limit = byte_limit
        self._bytes = 0
        self._seq = 0
        self._counters = {}
        self._lock = threading.Lock()

    def record(self, request, kind, stmt):
        with self._lock:
            self._seq += 1
            entry = LogEntry(self._seq, request, kind, stmt)
            self._entries.append(entry)
            self._bytes += len(request.body)
            while len(self._entries) > max(self._limit, 1) or (
                    self._bytes > self._byte_limit and len(self._entries) > 1):
                self._bytes -= len(self._entries.popleft().request.body)
            return entry

    def count(self, listener, *names):
        with self._lock:
            counter = self._counters.setdefault(listener, Counter())
            for name in names:
                counter[name] += 1

    def counters(self, listeners):
        with self._lock:
            per = [dict(self._counters.get(l.index, Counter()), port=l.port, up=l.up)
                   for l in listeners]
            total = sum(self._counters.values(), Counter())
        return {"listeners": per, "total": dict(total)}

    def entries(self, since=0):
        with self._lock:
            return [e for e in self._entries if e.seq > since]

    def find(self, seq):
        with self._lock:
            if seq < 0:
                return self._entries[seq] if len(self._entries) >= -seq else None
            return next((e for e in self._entries if e.seq == seq), None)

    def clear(self):
        with self._lock:
            self._entries.clear()
            self._bytes = 0
            self._counters.clear()


def _json_reply(obj, status=200):
    return Reply(status, (json.dumps(obj, ensure_ascii=False) + "\n").encode())


class ControlApi:
    """The control port's requests. Every body is JSON; every reply is JSON except the raw
    bytes of a logged request.

    GET  /status                    ports, listener states
    POST /reset                     faults, log, counters, canned replies cleared, listeners up;
                                    {"data": true} also drops every table (and reloads samples)
    POST /listeners/<i>/down|up     close or reopen a statement listener
    POST /faults                    add a fault (see Fault); GET /faults lists them
    POST /faults/clear
    GET  /log[?since=seq]           the request log
    GET  /log/<seq>/raw             raw bytes of one request (head and body); seq -1 is the last
    GET  /log/<seq>/body            its body bytes
    GET  /counters
    POST /canned                    register a canned reply; POST /canned/clear
    POST /sql                       run {"stmt", "args" or "bulk_args"} outside the log
    POST /stop                      end the process
    """

    def __init__(self, service):
        self.service = service

    def handle(self, request):
        try:
            body = json.loads(request.body.decode() or "{}") if request.method == "POST" else {}
            if not isinstance(body, dict):
                raise ValueError("the body must be a JSON object")
            return self._route(request.method, request.path.strip("/").split("/"),
                               parse_qs(request.query), body)
        except (ValueError, KeyError, TypeError, IndexError, AttributeError, re.error) as err:
            return _json_reply({"error": str(err)}, 400)

    def _route(self, method, parts, query, body):
        s = self.service
        route = (method, parts[0] if parts else "")
        if route == ("GET", "status"):
            return _json_reply(s.status())
        if route == ("POST", "reset"):
            s.reset(bool(body.get("data")))
            return _json_reply({"reset": True})
        if route == ("POST", "listeners") and len(parts) == 3 and parts[2] in ("down", "up"):
            index = int(parts[1])
            if not 0 <= index < len(s.listeners):
                raise IndexError("no listener %d" % index)
            listener = s.listeners[index]
            listener.stop() if parts[2] == "down" else listener.start()
            return _json_reply({"listener": listener.index, "port": listener.port,
                                "up": listener.up})
        if parts[0] == "faults":
            if method == "GET":
                return _json_reply({"faults": s.faults.describe()})
            if parts[1:] == ["clear"]:
                s.faults.clear()
                return _json_reply({"cleared": True})
            return _json_reply({"id": s.faults.add(body)})
        if route == ("GET", "log"):
            if len(parts) == 3:
                entry = s.log.find(int(parts[1]))
                if entry is None:
                    return _json_reply({"error": "no such log entry"}, 404)
                raw = entry.request.body if parts[2] == "body" else \
                    entry.request.raw_head() + entry.request.body
                return Reply(200, raw, [("Content-Type", "application/octet-stream")])
            since = int(query.get("since", ["0"])[0])
            limit = int(query.get("body_limit", [str(64 * 1024)])[0])
            return _json_reply({"requests": [e.describe(limit) for e in s.log.entries(since)]})
        if route == ("GET", "counters"):
            return _json_reply(s.log.counters(s.listeners))
        if route == ("POST", "canned"):
            if parts[1:] == ["clear"]:
                s.canned.clear()
                return _json_reply({"cleared": True})
            return _json_reply({"bytes": s.canned.register(body)})
        if route == ("POST", "sql"):
            status, reply = s.run_statement(wire.StatementRequest(
                body["stmt"], body.get("args"), body.get("bulk_args")), with_types=True)
            return Reply(status, wire.encode(reply))
        if route == ("POST", "stop"):
            s.stop()
            return _json_reply({"stopping": True})
        return _json_reply({"error": "no such control request"}, 404)
