"""SQLite has no timestamp type: text written to a timestamp column would stay text, and CAST
to timestamp would read a number from the start of the text. The server stores and casts text as
a database with a timestamp type does, to the epoch milliseconds it names:
- triggers on every timestamp column replace such text right after the row is written, or abort
  the statement, and with it every row it wrote, when the text names no timestamp;
- CAST(x AS timestamp) is run as a function that does the same."""

import re

from . import catalog, servertypes, sqltext, timestamptext

_STORE = "_pelta_store_timestamp"
_CAST = "_pelta_cast_timestamp"
_TRIGGER_PREFIX = "_pelta_timestamp_"
# Starts the message of a trigger's abort; the column name follows.
_REFUSED = "_pelta_timestamp_refused "
# What SQLite reports when a function of this program raises.
_FUNCTION_RAISED = "user-defined function raised exception"

_TRIGGER = """CREATE TRIGGER {schema}.{name} AFTER {event} ON {table}
WHEN typeof(NEW.{column}) = 'text' BEGIN
  SELECT RAISE(ABORT, '{refused}') WHERE {function}(NEW.{column}) IS NULL;
  UPDATE {table} SET {column} = {function}(NEW.{column}) WHERE {row};
END"""


class TimestampConversion:
    """The timestamp conversions of one connection. Its statements run one at a time, so the
    text refused last is that of the statement that failed."""

    def __init__(self, conn):
        self._conn = conn
        self._refused = None
        conn.create_function(_STORE, 1, self._store, deterministic=True)
        conn.create_function(_CAST, 1, self._cast, deterministic=True)

    def _store(self, text):
        millis = timestamptext.epoch_millis(text)
        if millis is None:
            self._refused = text
        return millis

    def _cast(self, value):
        if not isinstance(value, str):
            return value
        if re.fullmatch(r"[+-]?[0-9]+", value):
            return int(value)
        millis = self._store(value)
        if millis is None:
            raise ValueError(value)
        return millis

    @staticmethod
    def rewrite(sql):
        """The statement with its casts to timestamp calling the cast function."""
        return sqltext.replace_casts(sql, _is_timestamp, _CAST)

    def error(self, message):
        """The server's error for a SQLite error message that a conversion raised, else None."""
        refused, self._refused = self._refused, None
        if message.startswith(_REFUSED):
            return timestamptext.refusal(refused, message[len(_REFUSED):])
        if message == _FUNCTION_RAISED and refused is not None:
            return timestamptext.refusal(refused)
        return None

    def drop_triggers(self):
        """Drops every trigger, which SQLite would otherwise keep an ALTER TABLE from changing
        or dropping its column."""
        for schema in map(catalog.quote, _schemas(self._conn)):
            names = self._conn.execute(
                "SELECT name FROM %s.sqlite_master WHERE type = 'trigger' "
                "AND substr(name, 1, ?) = ?" % schema, (len(_TRIGGER_PREFIX), _TRIGGER_PREFIX))
            for (name,) in names.fetchall():
                self._conn.execute("DROP TRIGGER %s.%s" % (schema, catalog.quote(name)))

    def create_triggers(self):
        """Creates the triggers of every timestamp column there is now."""
        for schema in _schemas(self._conn):
            made = 0
            for table, kind in catalog.objects(self._conn, schema):
                if kind != "table":
                    continue
                columns, row = _timestamp_columns(self._conn, schema, table)
                for column in columns:
                    for event in ("INSERT", "UPDATE OF %s" % catalog.quote(column)):
                        made += 1
                        self._conn.execute(_TRIGGER.format(
                            schema=catalog.quote(schema), event=event, row=row,
                            name=catalog.quote(_TRIGGER_PREFIX + str(made)),
                            table=catalog.quote(table), column=catalog.quote(column),
                            refused=(_REFUSED + column).replace("'", "''"), function=_STORE))


def _schemas(conn):
    return [row[1] for row in conn.execute("PRAGMA database_list")]


def _is_timestamp(type_text):
    column_type = servertypes.from_declaration(type_text)
    return column_type is not None and column_type.name == "timestamp"


def _timestamp_columns(conn, schema, table):
    """The table's timestamp columns, and the condition that finds the row a trigger fired for:
    its rowid, or its primary key in a table without rowid."""
    target = "%s.%%s(%s)" % (catalog.quote(schema), catalog.quote(table))
    info = conn.execute("PRAGMA " + target % "table_info").fetchall()
    columns = [name for _, name, decl, _, _, _ in info if _is_timestamp(decl)]
    without_rowid = conn.execute("PRAGMA " + target % "table_list").fetchone()[4]
    if not without_rowid:
        return columns, "rowid = NEW.rowid"
    key = [catalog.quote(name) for _, name, _, _, _, pk in sorted(info, key=lambda c: c[5]) if pk]
    return columns, " AND ".join("%s IS NEW.%s" % (name, name) for name in key)
