"""The statement request grammar and the shape of replies and errors."""

import json
import re

# Error codes the server sends in {"error":{"code":..,"message":..}}, with the HTTP status that
# goes with them (the driver reads only the code).
SYNTAX_ERROR = 4000
# A value its column's type cannot take: the server refuses the statement as one it cannot run.
INVALID_VALUE = SYNTAX_ERROR
INVALID_COLUMN_DEFINITION = 4006
UNKNOWN_TABLE = 4041
UNKNOWN_COLUMN = 4043
UNKNOWN_SCHEMA = 4045
DUPLICATE_TABLE = 4093
INTERNAL_ERROR = 5000

STATUS_OF_CODE = {
    SYNTAX_ERROR: 400,
    INVALID_COLUMN_DEFINITION: 400,
    UNKNOWN_TABLE: 404,
    UNKNOWN_COLUMN: 404,
    UNKNOWN_SCHEMA: 404,
    DUPLICATE_TABLE: 409,
    INTERNAL_ERROR: 500,
}

# SQLite's error texts and the server error each stands for, first match wins. One rule a line.
SQLITE_ERROR_RULES = [
    (r"^unknown database ", UNKNOWN_SCHEMA),
    (r"^no such table: ", UNKNOWN_TABLE),
    (r"^no such column: |has no column named ", UNKNOWN_COLUMN),
    (r"^duplicate column name: ", INVALID_COLUMN_DEFINITION),
    (r" already exists$", DUPLICATE_TABLE),
    (r"syntax error$|^incomplete input$|^unrecognized token", SYNTAX_ERROR),
    (r"^Incorrect number of bindings|values were supplied$|^You can only execute one statement",
     SYNTAX_ERROR),
    (r"^Error binding parameter|too large to convert", SYNTAX_ERROR),
]


class ServerError(Exception):
    """A statement the server refuses; becomes an "error" reply."""

    def __init__(self, code, message):
        super().__init__(message)
        self.code = code
        self.message = message

    def reply(self):
        return {"error": {"code": self.code, "message": self.message}}

    def status(self):
        return STATUS_OF_CODE.get(self.code, 500)


def error_from_sqlite(message):
    for pattern, code in SQLITE_ERROR_RULES:
        if re.search(pattern, message):
            return ServerError(code, message)
    return ServerError(INTERNAL_ERROR, message)


class StatementRequest:
    """One decoded statement body: the text and no, one or several argument lists."""

    def __init__(self, stmt, args=None, bulk_args=None):
        self.stmt = stmt
        self.args = args
        self.bulk_args = bulk_args


def _refuse_constant(name):
    raise ValueError("%s is not a JSON value" % name)


_SCALARS = (type(None), bool, int, float, str)


def _check_values(values, what):
    if not isinstance(values, list):
        raise ServerError(SYNTAX_ERROR, "%s must be an array" % what)
    for value in values:
        if not isinstance(value, _SCALARS + (list, dict)):
            raise ServerError(SYNTAX_ERROR, "unsupported value in %s" % what)
    return values


def parse_statement_body(raw):
    """Decodes a statement body; anything that is not a JSON object with a "stmt" text and at
    most one of "args" and "bulk_args" is a syntax error (4000), as the server answers it."""
    try:
        doc = json.loads(raw.decode("utf-8"), parse_constant=_refuse_constant)
    except (UnicodeDecodeError, ValueError) as err:
        raise ServerError(SYNTAX_ERROR, "Invalid request body: %s" % err) from None
    if not isinstance(doc, dict) or not isinstance(doc.get("stmt"), str):
        raise ServerError(SYNTAX_ERROR, "Invalid request body: no \"stmt\" text")
    if "args" in doc and "bulk_args" in doc:
        raise ServerError(SYNTAX_ERROR, "Request body has both \"args\" and \"bulk_args\"")
    args = bulk = None
    if "args" in doc:
        args = _check_values(doc["args"], "args")
    if "bulk_args" in doc:
        bulk = doc["bulk_args"]
        if not isinstance(bulk, list):
            raise ServerError(SYNTAX_ERROR, "bulk_args must be an array of arrays")
        for values in bulk:
            _check_values(values, "bulk_args")
    return StatementRequest(doc["stmt"], args, bulk)


# The column-description forms the driver sends for a prepared select: first the subquery
# form, and when that fails the statement with " limit 0" appended.
_SUBQUERY_PROBE = re.compile(r"^select \* from \((.*)\) limit 0$", re.DOTALL)
_FALLBACK_PROBE = re.compile(r"^(.*) limit 0$", re.DOTALL)


def probe_form(stmt):
    """("subquery" | "fallback" | None, the statement inside the probe)."""
    m = _SUBQUERY_PROBE.match(stmt)
    if m:
        return "subquery", m.group(1)
    m = _FALLBACK_PROBE.match(stmt)
    if m:
        return "fallback", m.group(1)
    return None, stmt


def encode(obj):
    """JSON as the server writes it: compact, UTF-8, members in insertion order."""
    return json.dumps(obj, separators=(",", ":"), ensure_ascii=False, allow_nan=False).encode()
