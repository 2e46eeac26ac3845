"""Canned replies: a reply registered for a statement text is served from memory, so that a
benchmark fetching a large result measures the client and not this server."""

import threading

from . import servertypes, wire

# Cell makers for generated results, by server type name: row number -> cell. One type a line.
_GENERATORS = {
    "byte": lambda n: n % 256 - 128,
    "boolean": lambda n: n % 2 == 0,
    "string": lambda n: "text-%08d" % n,
    "string(20)": lambda n: "text-%015d" % n,
    "ip": lambda n: "10.0.%d.%d" % (n // 256 % 256, n % 256),
    "double": lambda n: n + 0.25,
    "float": lambda n: n % 1000 + 0.5,
    "short": lambda n: n % 65536 - 32768,
    "integer": lambda n: n,
    "long": lambda n: n * 1000003,
    "timestamp": lambda n: 1600000000000 + n * 1000,
    "object": lambda n: {"n": n},
    "geo_point": lambda n: [n % 180 - 90.0, n % 90 + 0.5],
    "array(string)": lambda n: ["a%d" % n, "b"],
    "array(integer)": lambda n: [n, n + 1],
    "set": lambda n: ["x", "y%d" % n],
}


def generate(rows, types, nulls_every=0):
    """A select reply of the given number of rows with one column per type name; every
    nulls_every-th row holds nulls when it is not 0."""
    if rows < 0 or rows > 10_000_000:
        raise ValueError("rows must be between 0 and 10000000")
    unknown = [name for name in types if name not in _GENERATORS]
    if unknown:
        raise ValueError("no generator for %s" % ", ".join(unknown))
    makers = [_GENERATORS[name] for name in types]
    cells = []
    for n in range(rows):
        if nulls_every and n % nulls_every == nulls_every - 1:
            cells.append([None] * len(makers))
        else:
            cells.append([make(n) for make in makers])
    return {
        "cols": ["c%d" % i for i in range(len(types))],
        "col_types": [servertypes.from_name(name).entry() for name in types],
        "rows": cells,
        "rowcount": rows,
    }


class CannedReplies:
    def __init__(self):
        self._replies = {}
        self._lock = threading.Lock()

    def register(self, spec):
        """spec: {"stmt": text, and "body": reply text, or "generate": {"rows": n,
        "types": [type names], "nulls_every": k}}. Returns the size of the reply in bytes."""
        stmt = spec.get("stmt")
        if not isinstance(stmt, str):
            raise ValueError('"stmt" must be a text')
        if isinstance(spec.get("body"), str):
            body = spec["body"].encode()
        elif isinstance(spec.get("generate"), dict):
            gen = spec["generate"]
            body = wire.encode(generate(int(gen.get("rows", 0)), list(gen.get("types", [])),
                                        int(gen.get("nulls_every", 0))))
        else:
            raise ValueError('a canned reply needs "body" or "generate"')
        status = int(spec.get("status", 200))
        with self._lock:
            self._replies[stmt] = (status, body)
        return len(body)

    def lookup(self, stmt):
        with self._lock:
            return self._replies.get(stmt)

    def clear(self):
        with self._lock:
            self._replies.clear()
