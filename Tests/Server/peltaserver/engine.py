"""Statement execution over one shared SQLite database: declared types decide the type codes,
SQLite's errors become the server's error codes, and DDL keeps information_schema current."""

import json
import re
import sqlite3
import threading

from . import catalog, exprtypes, servertypes, sqltext, timestampconversion, wire
from .wire import ServerError

SYSTEM_SCHEMA = "sys"
_DDL = ("create", "drop", "alter")
# Errors that belong to one argument set of a bulk request rather than to the statement.
_PER_SET_ERRORS = (sqlite3.IntegrityError, sqlite3.ProgrammingError, sqlite3.InterfaceError,
                   OverflowError)
_TYPES_VIEW = "_pelta_column_types"


def _declare(sql):
    return sqltext.rewrite_declared_types(sql, servertypes.sqlite_declaration)


def _bindable(value):
    if isinstance(value, (list, dict)):
        return json.dumps(value, separators=(",", ":"))
    return value


class StatementFailed(ServerError):
    def __init__(self, error, per_set):
        super().__init__(error.code, error.message)
        self.per_set = per_set


class Database:
    """The one database all listeners share. Statements run one at a time."""

    def __init__(self, path=":memory:", cluster=("test-cluster", "1.0.0")):
        self._cluster = cluster
        self._conn = sqlite3.connect(path, isolation_level=None, check_same_thread=False)
        self._lock = threading.RLock()
        self._timestamps = timestampconversion.TimestampConversion(self._conn)
        with self._lock:
            catalog.create(self._conn, _declare)
            self._create_system_schema()
            catalog.refresh(self._conn)

    def _create_system_schema(self):
        if SYSTEM_SCHEMA not in catalog.schemas(self._conn):
            self._conn.execute("ATTACH DATABASE ':memory:' AS %s" % SYSTEM_SCHEMA)
        self._conn.execute(_declare(
            "CREATE TABLE IF NOT EXISTS sys.cluster (name string, version string)"))
        if not self._conn.execute("SELECT count(*) FROM sys.cluster").fetchone()[0]:
            self._conn.execute("INSERT INTO sys.cluster VALUES (?, ?)", self._cluster)

    def reset(self):
        """Drops every user table and view and every schema a CREATE added."""
        with self._lock:
            for schema in catalog.schemas(self._conn):
                if schema == catalog.SCHEMA_NAME:
                    continue
                if schema not in ("main", SYSTEM_SCHEMA):
                    self._conn.execute("DETACH DATABASE %s" % catalog.quote(schema))
                    continue
                for name, kind in catalog.objects(self._conn, schema):
                    self._conn.execute("DROP %s IF EXISTS %s.%s" % (
                        kind.upper(), catalog.quote(schema), catalog.quote(name)))
            self._create_system_schema()
            catalog.refresh(self._conn)

    def execute(self, stmt, args=None, with_types=True):
        """Runs one statement with at most one argument list and returns the reply object.
        Raises ServerError when the server would answer with an error."""
        if not sqltext.tokens(stmt):
            raise ServerError(wire.SYNTAX_ERROR, "The statement is empty")
        keyword = sqltext.first_keyword(stmt)
        sql = sqltext.strip_trailing_semicolons(stmt)
        if keyword in ("create", "alter"):
            sql = _declare(sql)
        sql = self._timestamps.rewrite(sql)
        with self._lock:
            cursor, rows = self._run_keeping_timestamps(sql, args or [], keyword)
            if rows is not None:
                return self._result(stmt, sql, args, cursor.description, rows, with_types)
            if keyword in _DDL:
                catalog.refresh(self._conn)
                return {"rowcount": 1}
            reply = {"cols": [], "col_types": [], "rows": [], "rowcount": max(cursor.rowcount, 0)}
            if not with_types:
                del reply["col_types"]
            return reply

    def execute_bulk(self, stmt, sets, failing=frozenset()):
        """Runs the statement once per argument list, in order. A set that fails (or that the
        caller marks as failing) reports the row count -2 and the others still run; an error of
        the statement itself (syntax, unknown table) fails the whole request."""
        results = []
        with self._lock:
            for index, values in enumerate(sets):
                if index in failing:
                    results.append({"rowcount": -2})
                    continue
                try:
                    results.append({"rowcount": self.execute(stmt, values)["rowcount"]})
                except StatementFailed as err:
                    if not err.per_set:
                        raise
                    results.append({"rowcount": -2})
        return {"results": results}

    def _run_keeping_timestamps(self, sql, args, keyword):
        """Runs the statement; DDL runs without the timestamp triggers, which are made anew for
        the tables and columns there are after it."""
        if keyword not in _DDL:
            return self._run(sql, args, keyword)
        self._timestamps.drop_triggers()
        try:
            return self._run(sql, args, keyword)
        finally:
            self._timestamps.create_triggers()

    def _run(self, sql, args, keyword):
        """The cursor and, for a row-producing statement, its rows: fetching them may fail as
        well, on any row."""
        params = [_bindable(value) for value in args]
        try:
            cursor = self._conn.execute(sql, params)
            return cursor, cursor.fetchall() if cursor.description is not None else None
        except (sqlite3.Error, sqlite3.Warning, OverflowError) as err:
            message = str(err)
            unknown = re.match(r"unknown database (\S+)$", message)
            if keyword == "create" and unknown:
                return self._create_in_new_schema(unknown.group(1), sql, args)
            refused = self._timestamps.error(message)
            if refused is not None:
                raise StatementFailed(refused, True) from None
            raise StatementFailed(self._server_error(message, keyword),
                                  isinstance(err, _PER_SET_ERRORS)) from None

    def _create_in_new_schema(self, schema, sql, args):
        """The server makes a schema when a table is first created in it; the schema goes
        again when the statement fails."""
        try:
            self._conn.execute("ATTACH DATABASE ':memory:' AS %s" % catalog.quote(schema))
        except sqlite3.Error as err:
            raise StatementFailed(ServerError(wire.INTERNAL_ERROR, "Cannot create schema %s: %s"
                                              % (schema, err)), False) from None
        try:
            return self._run(sql, args, "create")
        except StatementFailed:
            self._conn.execute("DETACH DATABASE %s" % catalog.quote(schema))
            raise

    def _server_error(self, message, keyword):
        error = wire.error_from_sqlite(message)
        if error.code == wire.UNKNOWN_TABLE:
            qualified = re.match(r'^no such table: "?([^".]+)"?\.', message)
            if qualified and qualified.group(1) not in catalog.schemas(self._conn):
                error.code = wire.UNKNOWN_SCHEMA
        if error.code == wire.UNKNOWN_COLUMN and keyword in ("create", "alter"):
            error.code = wire.INVALID_COLUMN_DEFINITION
        return error

    def _result(self, stmt, sql, args, description, rows, with_types):
        names = [column[0] for column in description]
        declared = self._declared_types(sql, len(names))
        inferred = sample = None
        types = []
        for index, decl in enumerate(declared):
            column_type = servertypes.from_declaration(decl)
            if column_type is None:
                inferred = inferred or self._inferred_types(stmt, len(names))
                column_type = inferred[index]
            if column_type is None:
                values = [row[index] for row in rows]
                if not rows:
                    sample = sample if sample is not None else self._sample_row(stmt, args)
                    values = list(sample[index:index + 1])
                column_type = servertypes.from_values(values, bool(values))
            types.append(column_type)
        reply = {"cols": names}
        if with_types:
            reply["col_types"] = [t.entry() for t in types]
        reply["rows"] = [[servertypes.cell(t, v) for t, v in zip(types, row)] for row in rows]
        reply["rowcount"] = len(rows)
        return reply

    def _declared_types(self, sql, count):
        """The declared types of the result columns, as SQLite carries them through a view
        (expressions have none). Markers become NULL: a view cannot hold parameters."""
        columns = ", ".join('"c%d"' % i for i in range(count))
        try:
            self._conn.execute("CREATE TEMP VIEW %s (%s) AS %s"
                               % (_TYPES_VIEW, columns, sqltext.replace_markers(sql)))
            info = self._conn.execute("PRAGMA temp.table_info(%s)" % _TYPES_VIEW).fetchall()
            return [row[2] for row in info]
        except (sqlite3.Error, sqlite3.Warning):
            return [""] * count
        finally:
            self._conn.execute("DROP VIEW IF EXISTS temp.%s" % _TYPES_VIEW)

    def _inferred_types(self, stmt, count):
        """The types the select-list expressions of the statement (of the statement inside a
        column probe) call for, None where their form does not decide. A column an expression
        names is typed by selecting it alone in the statement's place."""
        inner = sqltext.strip_trailing_semicolons(wire.probe_form(stmt)[1])
        found = sqltext.select_list(inner)
        if found is None or len(found[0]) != count:
            return [None] * count
        items, start, end = found

        def column_type(reference):
            decl = self._declared_types(inner[:start] + reference + inner[end:], 1)[0]
            return servertypes.from_declaration(decl)

        inference = exprtypes.Inference(column_type)
        return [inference.item(item) for item in items]

    def _sample_row(self, stmt, args):
        """One row of the statement inside a column probe, to type its expression columns."""
        form, inner = wire.probe_form(stmt)
        if form is None:
            return ()
        try:
            row = self._conn.execute("SELECT * FROM (%s) LIMIT 1" % inner,
                                     [_bindable(v) for v in args or []]).fetchone()
        except (sqlite3.Error, sqlite3.Warning, OverflowError):
            return ()
        return row or ()
