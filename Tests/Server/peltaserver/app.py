"""The server process: statement listeners over one database, the control listener, and how a
statement request is answered (faults first, then canned replies, then SQLite)."""

import threading
import time
from urllib.parse import parse_qs

from . import sample_data, wire
from .canned import CannedReplies
from .control import ControlApi, FaultBook, RequestLog
from .engine import Database
from .transport import Listener, Reply
from .wire import ServerError


def _json(status, obj):
    return Reply(status, wire.encode(obj))


class Service:
    def __init__(self, listeners=1, ports=(), control_port=0, database=":memory:",
                 cluster_name="test-cluster", version="1.0.0", max_delay=10.0,
                 sample=False, log_limit=20000):
        self.db = Database(database, (cluster_name, version))
        self.sample = sample
        if sample:
            sample_data.load(self.db)
        self.cluster_name = cluster_name
        self.version = version
        self.faults = FaultBook(max_delay)
        self.log = RequestLog(log_limit)
        self.canned = CannedReplies()
        ports = list(ports) + [0] * (listeners - len(ports))
        self.listeners = [Listener(i, self.handle, port, self._connected)
                          for i, port in enumerate(ports)]
        self.control = Listener(-1, ControlApi(self).handle, control_port)
        self.stopped = threading.Event()

    def start(self):
        for listener in self.listeners:
            listener.start()
        self.control.start()

    def shutdown(self):
        for listener in self.listeners + [self.control]:
            listener.stop()

    def stop(self):
        self.stopped.set()

    def status(self):
        return {"ports": [l.port for l in self.listeners], "control": self.control.port,
                "listeners": [{"index": l.index, "port": l.port, "up": l.up}
                              for l in self.listeners]}

    def reset(self, data=False):
        self.faults.clear()
        self.canned.clear()
        for listener in self.listeners:
            listener.start()
        if data:
            self.db.reset()
            if self.sample:
                sample_data.load(self.db)
        self.log.clear()

    def _connected(self, listener):
        self.log.count(listener.index, "connections")

    def handle(self, request):
        """Answers one request of a statement listener."""
        statement, parse_error, kind = None, None, "other"
        if request.method == "GET":
            kind = "probe"
        elif request.method == "POST" and request.path == "/_sql":
            try:
                statement = wire.parse_statement_body(request.body)
                form = wire.probe_form(statement.stmt)[0]
                kind = ("bulk" if statement.bulk_args is not None
                        else "probe-" + form if form else "statement")
            except ServerError as err:
                parse_error, kind = err, "statement"
        entry = self.log.record(request, kind, statement.stmt if statement else None)
        counted = ["requests", request.method.lower(), kind]
        if request.continue_sent:
            counted.append("continue")
        fault = self.faults.take(request, statement)
        if fault is not None:
            entry.fault = fault.id
            counted.append("faults")
        self.log.count(request.listener.index, *counted)
        if fault is not None and fault.delay:
            time.sleep(fault.delay)
        reply = fault.fixed_reply() if fault is not None else None
        if reply is None:
            reply = self._answer(request, statement, parse_error,
                                 fault.bulk_fail if fault is not None else frozenset(), entry)
            if fault is not None and fault.cut:
                reply.mode = "cut"
            elif fault is not None and fault.close_after:
                reply.mode = "close"
        if fault is not None and fault.down:
            # The listener refuses new connections before this request is answered, so that the
            # client's next request cannot reach it on any connection.
            request.listener.stop(spare=request.connection)
            reply.closes_connection = True
        entry.status = reply.status if reply.mode != "close" else None
        return reply

    def _answer(self, request, statement, parse_error, failing, entry):
        if request.method == "GET":
            if request.path != "/":
                return _json(404, {"error": {"code": wire.SYNTAX_ERROR,
                                             "message": "no such path %s" % request.path}})
            return _json(200, {"name": "node-%d" % request.listener.index,
                               "cluster_name": self.cluster_name,
                               "version": {"number": self.version}})
        if request.method != "POST":
            return _json(405, {"error": {"code": wire.SYNTAX_ERROR,
                                         "message": "method %s not allowed" % request.method}})
        if request.path != "/_sql":
            return _json(404, {"error": {"code": wire.SYNTAX_ERROR,
                                         "message": "no such path %s" % request.path}})
        if parse_error is not None:
            return _json(parse_error.status(), parse_error.reply())
        canned = self.canned.lookup(statement.stmt)
        if canned is not None:
            entry.canned = True
            self.log.count(request.listener.index, "canned")
            return Reply(canned[0], canned[1])
        with_types = "types" in parse_qs(request.query, keep_blank_values=True)
        status, reply = self.run_statement(statement, with_types, failing)
        return _json(status, reply)

    def run_statement(self, statement, with_types, failing=frozenset()):
        """(HTTP status, reply object) of one decoded statement request."""
        try:
            if statement.bulk_args is not None:
                return 200, self.db.execute_bulk(statement.stmt, statement.bulk_args, failing)
            return 200, self.db.execute(statement.stmt, statement.args, with_types)
        except ServerError as err:
            return err.status(), err.reply()
