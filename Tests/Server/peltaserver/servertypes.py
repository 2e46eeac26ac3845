"""Server column types: the type codes of "col_types", the names information_schema reports,
and how a stored SQLite value becomes a cell of the JSON kind its column type calls for."""

import json
import math
import re

from . import timestamptext

ARRAY_CODE = 100
UNSUPPORTED_CODE = 1

# code, server name, kind of the JSON cells. One row a type.
TYPE_TABLE = [
    (0, "null", "null"),
    (2, "byte", "integer"),
    (3, "boolean", "boolean"),
    (4, "string", "text"),
    (5, "ip", "text"),
    (6, "double", "float"),
    (7, "float", "float"),
    (8, "short", "integer"),
    (9, "integer", "integer"),
    (10, "long", "integer"),
    (11, "timestamp", "timestamp"),
    (12, "object", "json"),
    (13, "geo_point", "json"),
    (101, "set", "json"),
]

# Other spellings a CREATE TABLE may use, and the declared types SQLite itself writes for
# CREATE TABLE ... AS SELECT. One alias a line.
ALIASES = {
    "int": "integer",
    "int4": "integer",
    "bigint": "long",
    "int8": "long",
    "smallint": "short",
    "int2": "short",
    "tinyint": "byte",
    "bool": "boolean",
    "text": "string",
    "varchar": "string",
    "char": "string",
    "character": "string",
    "character varying": "string",
    "clob": "string",
    "real": "double",
    "num": "double",
    "numeric": "double",
    "double precision": "double",
    "float8": "double",
    "float4": "float",
    "datetime": "timestamp",
    "timestamp with time zone": "timestamp",
    "timestamp without time zone": "timestamp",
}

_BY_NAME = {name: (code, kind) for code, name, kind in TYPE_TABLE}

# The column types whose text must keep SQLite's TEXT affinity: without it SQLite would turn
# '007' into the integer 7. They are declared to SQLite as TEXT "<name>" (see sqlite_declaration).
_TEXT_AFFINITY = {"string", "ip"}


class ColumnType:
    """One column's server type: its code (with the element type for arrays), the name the
    catalog reports as data_type, and the JSON kind of its cells."""

    def __init__(self, code, name, kind, element=None):
        self.code = code
        self.name = name
        self.kind = kind
        self.element = element

    def entry(self):
        """The column's element of "col_types": a code, or [100, element code] for arrays."""
        if self.code == ARRAY_CODE:
            return [ARRAY_CODE, self.element.code]
        return self.code

    def cell(self, value):
        """The stored value as the JSON value the server sends for this type."""
        return _SHAPERS[self.kind](value)

    def __repr__(self):
        return "ColumnType(%r, %r)" % (self.entry(), self.name)


def _normalise(text):
    return re.sub(r"\s+", " ", text.strip().lower())


def from_name(text):
    """The column type of a declared type text, such as integer, array(string) or varchar(20).
    Names the server does not know give the unsupported type, reported under the text as written."""
    low = _normalise(text)
    low = re.sub(r"\s*\(\s*", "(", re.sub(r"\s*\)", ")", low))
    if low in ALIASES:
        low = ALIASES[low]
    if low in _BY_NAME:
        code, kind = _BY_NAME[low]
        return ColumnType(code, low, kind)
    sized = re.fullmatch(r"([a-z_ ]+?)\(\d+(,\d+)?\)", low)
    if sized:
        return from_name(sized.group(1))
    array = re.fullmatch(r"array\((.+)\)", low)
    if array:
        element = from_name(array.group(1))
        return ColumnType(ARRAY_CODE, "array(%s)" % element.name, "json", element)
    return ColumnType(UNSUPPORTED_CODE, text.strip(), "raw")


def _as_written(name):
    """The column type of a quoted type name, taken as written: one the server does not spell
    exactly so is unsupported."""
    column_type = from_name(name)
    if column_type.name != name:
        return ColumnType(UNSUPPORTED_CODE, name, "raw")
    return column_type


def from_declaration(decl):
    """The column type of a declared type as SQLite reports it (PRAGMA table_info), or None when
    the column has no declared type (an expression)."""
    if not decl:
        return None
    wrapped = re.fullmatch(r'TEXT\s+"([^"]*)"', decl.strip(), re.IGNORECASE)
    return _as_written(wrapped.group(1)) if wrapped else from_name(decl)


def sqlite_declaration(text):
    """The declared type to give SQLite for a type written in a CREATE TABLE. Type names are
    words, matched without regard to case, unless quoted: a quoted name is taken as written.
    string and ip, and quoted names the server does not know, get TEXT affinity and keep their
    name in quotes after TEXT; the other server names are quoted (some, such as set, are SQL
    keywords), and so are parameterised names such as array(string), which SQLite's grammar
    refuses. Everything else is passed through."""
    quoted = re.fullmatch(r'"([^"]*)"', text.strip())
    if quoted:
        if _as_written(quoted.group(1)).code == UNSUPPORTED_CODE:
            return 'TEXT "%s"' % quoted.group(1)
        text = quoted.group(1)
    low = _normalise(text)
    if low in _TEXT_AFFINITY:
        return 'TEXT "%s"' % low
    if low in _BY_NAME and low != "integer":
        # "integer" stays bare to keep INTEGER PRIMARY KEY.
        return '"%s"' % low
    m = re.fullmatch(r"([a-z_]\w*)\s*\((.*)\)", low, re.DOTALL)
    if m and not re.fullmatch(r"\s*[+-]?\d+(\s*,\s*[+-]?\d+)?\s*", m.group(2)):
        inner = re.sub(r"\s*([(),])\s*", r"\1", m.group(2).strip())
        return '"%s(%s)"' % (m.group(1), inner)
    return text


def from_values(values, had_rows):
    """The type of an expression column, from its first non-null value."""
    for value in values:
        if value is None:
            continue
        if isinstance(value, bool):
            return from_name("boolean")
        if isinstance(value, int):
            return from_name("integer" if -2**31 <= value < 2**31 else "long")
        if isinstance(value, float):
            return from_name("double")
        if isinstance(value, str):
            return from_name("string")
        return ColumnType(UNSUPPORTED_CODE, "blob", "raw")
    return from_name("null") if had_rows else from_name("string")


def _plain(value):
    if isinstance(value, (bytes, bytearray, memoryview)):
        return bytes(value).hex()
    return value


def _integer_cell(value):
    if isinstance(value, float) and value.is_integer():
        return int(value)
    if isinstance(value, str):
        try:
            return int(value)
        except ValueError:
            return value
    return _plain(value)


def _timestamp_cell(value):
    """Text, which only an expression such as a CAST yields (stored text became a number), is
    the instant it names."""
    if isinstance(value, str):
        millis = timestamptext.epoch_millis(value)
        if millis is None:
            raise timestamptext.refusal(value)
        return millis
    return _integer_cell(value)


def _float_cell(value):
    if isinstance(value, (int, float)) and not isinstance(value, bool):
        value = float(value)
        if math.isnan(value):
            return "NaN"
        if math.isinf(value):
            return "Infinity" if value > 0 else "-Infinity"
        return value
    return _plain(value)


def _boolean_cell(value):
    if isinstance(value, (int, float)):
        return value != 0
    if isinstance(value, str) and value.lower() in ("true", "false"):
        return value.lower() == "true"
    return _plain(value)


def _text_cell(value):
    if isinstance(value, float):
        return repr(value)
    if isinstance(value, int):
        return str(value)
    return _plain(value)


def _json_cell(value):
    if isinstance(value, str):
        try:
            return json.loads(value)
        except ValueError:
            return value
    return _plain(value)


def _null_cell(value):
    return _plain(value)


_SHAPERS = {
    "null": _null_cell,
    "integer": _integer_cell,
    "timestamp": _timestamp_cell,
    "float": _float_cell,
    "boolean": _boolean_cell,
    "text": _text_cell,
    "json": _json_cell,
    "raw": _null_cell,
}


def cell(column_type, value):
    """A stored value as a JSON cell of the column's type; NULL stays null whatever the type."""
    if value is None:
        return None
    return column_type.cell(value)
