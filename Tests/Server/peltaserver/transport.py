"""HTTP/1.1 over plain sockets, on 127.0.0.1 only: threaded, keep-alive, Content-Length on every
reply, and its own reading of the header block. The driver's header line "User agent: ..." has
a blank in its name, which stops the standard library's header parser, so the lines are split
here, and kept as received for the request log."""

import itertools
import json
import socket
import socketserver
import threading
from urllib.parse import urlsplit

HOST = "127.0.0.1"
MAX_LINE = 65536
MAX_HEADER_LINES = 200
MAX_BODY = 64 * 1024 * 1024

REASONS = {100: "Continue", 200: "OK", 204: "No Content", 301: "Moved Permanently",
           302: "Found", 400: "Bad Request", 404: "Not Found", 405: "Method Not Allowed",
           409: "Conflict", 411: "Length Required", 413: "Payload Too Large",
           500: "Internal Server Error", 503: "Service Unavailable"}


class BadRequest(Exception):
    pass


class Request:
    """One request as received: request line, raw header lines, body."""

    def __init__(self, request_line, header_lines, body, listener, connection):
        self.request_line = request_line
        self.header_lines = header_lines
        self.body = body
        self.listener = listener
        self.connection = connection
        self.continue_sent = False
        parts = request_line.decode("latin-1").split()
        if len(parts) != 3 or not parts[2].startswith("HTTP/"):
            raise BadRequest("malformed request line")
        self.method, self.target, self.version = parts
        split = urlsplit(self.target)
        self.path, self.query = split.path or "/", split.query

    def header(self, name):
        """The first value of a header, matched without regard to case, or None."""
        wanted = name.lower()
        for line in self.header_lines:
            key, sep, value = line.decode("latin-1").partition(":")
            if sep and key.strip().lower() == wanted:
                return value.strip()
        return None

    def raw_head(self):
        return self.request_line + b"".join(self.header_lines) + b"\r\n"

    def wants_close(self):
        connection = (self.header("Connection") or "").lower()
        if self.version == "HTTP/1.0":
            return connection != "keep-alive"
        return connection == "close"


class Reply:
    """A reply to write. The mode "close" closes the connection without writing anything; "cut"
    writes the head and half the body, then closes. A reply that closes its connection says so
    in its head and closes it once written."""

    def __init__(self, status=200, body=b"", headers=None, mode="normal"):
        self.status = status
        self.body = body
        self.headers = list(headers or [("Content-Type", "application/json; charset=UTF-8")])
        self.mode = mode
        self.closes_connection = False

    def head(self, close):
        lines = ["HTTP/1.1 %d %s" % (self.status, REASONS.get(self.status, "Status"))]
        lines += ["%s: %s" % (name, value) for name, value in self.headers
                  if name.lower() not in ("content-length", "connection")]
        lines.append("Content-Length: %d" % len(self.body))
        if close:
            lines.append("Connection: close")
        return ("\r\n".join(lines) + "\r\n\r\n").encode("latin-1")


def read_request(rfile, wfile, listener, connection):
    """Reads one request; None at the end of the connection. Answers Expect: 100-continue before
    reading the body, so that a client that waits for it does not stall."""
    line = rfile.readline(MAX_LINE + 1)
    while line in (b"\r\n", b"\n"):
        line = rfile.readline(MAX_LINE + 1)
    if not line:
        return None
    if len(line) > MAX_LINE or not line.endswith(b"\n"):
        raise BadRequest("request line too long")
    header_lines = []
    while True:
        header = rfile.readline(MAX_LINE + 1)
        if not header:
            return None
        if header in (b"\r\n", b"\n"):
            break
        if len(header) > MAX_LINE or len(header_lines) >= MAX_HEADER_LINES:
            raise BadRequest("header block too large")
        header_lines.append(header)
    request = Request(line, header_lines, b"", listener, connection)
    if request.header("Transfer-Encoding"):
        raise BadRequest("chunked request bodies are not supported")
    length = request.header("Content-Length")
    try:
        length = int(length) if length is not None else 0
    except ValueError:
        raise BadRequest("bad Content-Length") from None
    if length < 0 or length > MAX_BODY:
        raise BadRequest("bad Content-Length")
    expect = request.header("Expect")
    if expect and expect.lower() == "100-continue" and request.version == "HTTP/1.1":
        wfile.write(b"HTTP/1.1 100 Continue\r\n\r\n")
        request.continue_sent = True
    body = rfile.read(length) if length else b""
    if len(body) != length:
        return None
    request.body = body
    return request


def _error_body(code, message):
    return json.dumps({"error": {"code": code, "message": message}}, separators=(",", ":")).encode()


class _Handler(socketserver.StreamRequestHandler):
    def handle(self):
        listener = self.server.listener
        connection = listener.opened(self.request)
        try:
            while True:
                try:
                    request = read_request(self.rfile, self.wfile, listener, connection)
                except BadRequest as err:
                    body = _error_body(4000, str(err))
                    self.wfile.write(Reply(400, body).head(True) + body)
                    return
                if request is None:
                    return
                try:
                    reply = listener.handle(request)
                except Exception as err:
                    # A fault of this server is answered: it must not pass for a network fault.
                    reply = Reply(500, _error_body(5000, repr(err)))
                if reply.mode == "close":
                    return
                close = request.wants_close() or reply.closes_connection
                if reply.mode == "cut":
                    self.wfile.write(reply.head(False) + reply.body[:len(reply.body) // 2])
                    return
                self.wfile.write(reply.head(close) + reply.body)
                if close:
                    return
        except OSError:
            pass
        finally:
            listener.closed(self.request)


class _Server(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True
    block_on_close = False


class Listener:
    """One port. handle(request) -> Reply runs on the connection's thread. Taking a listener
    down closes its port and every open connection, as a server that went away would; bringing
    it up again listens on the same port."""

    _ids = itertools.count(1)

    def __init__(self, index, handle, port=0, on_connection=None):
        self.index = index
        self.handle = handle
        self.on_connection = on_connection
        self.port = port
        self._server = None
        self._thread = None
        self._connections = {}
        self._lock = threading.Lock()

    @property
    def up(self):
        return self._server is not None

    def start(self):
        with self._lock:
            if self._server is not None:
                return
            server = _Server((HOST, self.port), _Handler)
            server.listener = self
            self.port = server.server_address[1]
            self._server = server
            self._thread = threading.Thread(target=server.serve_forever,
                                            kwargs={"poll_interval": 0.05},
                                            name="listener-%d" % self.index, daemon=True)
            self._thread.start()

    def stop(self, spare=None):
        """Closes the port, then every open connection but the one numbered spare, which its
        handler closes after its reply."""
        with self._lock:
            server, self._server = self._server, None
            connections = [sock for sock, ident in self._connections.items() if ident != spare]
        if server is None:
            return
        server.shutdown()
        server.server_close()
        for sock in connections:
            try:
                sock.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    def opened(self, sock):
        with self._lock:
            ident = self._connections[sock] = next(self._ids)
        if self.on_connection:
            self.on_connection(self)
        return ident

    def closed(self, sock):
        with self._lock:
            self._connections.pop(sock, None)
