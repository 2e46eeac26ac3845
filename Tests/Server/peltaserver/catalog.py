"""information_schema: schemata, tables, columns and table_constraints, rebuilt from SQLite's
own schema after every DDL statement. Rows are inserted sorted, so that a query without ORDER BY
returns them in a fixed order (the driver does not sort)."""

import json

from . import servertypes

SCHEMA_NAME = "information_schema"

# The catalog tables. The driver reads columns by position; extra columns come last.
CATALOG_TABLES = [
    ("schemata", "schema_name string"),
    ("tables", "table_name string, schema_name string, table_type string"),
    ("columns", "schema_name string, table_name string, column_name string, "
                "ordinal_position integer, data_type string, is_nullable boolean"),
    ("table_constraints", "schema_name string, table_name string, "
                          "constraint_name array(string), constraint_type string"),
]


def create(conn, declare):
    """Attaches the catalog schema and creates its tables; declare rewrites column types."""
    conn.execute("ATTACH DATABASE ':memory:' AS %s" % SCHEMA_NAME)
    for name, columns in CATALOG_TABLES:
        conn.execute(declare("CREATE TABLE %s.%s (%s)" % (SCHEMA_NAME, name, columns)))


def quote(name):
    return '"%s"' % name.replace('"', '""')


def schemas(conn):
    return sorted(row[1] for row in conn.execute("PRAGMA database_list") if row[1] != "temp")


def objects(conn, schema):
    """(name, "table" or "view") of the tables and views of a schema, by name."""
    return conn.execute(
        "SELECT name, type FROM %s.sqlite_master WHERE type IN ('table', 'view') "
        "AND name NOT LIKE 'sqlite\\_%%' ESCAPE '\\' ORDER BY name" % quote(schema)).fetchall()


def refresh(conn):
    """Rebuilds the catalog tables from the schemas attached now."""
    schemata, tables, columns, constraints = [], [], [], []
    for schema in schemas(conn):
        schemata.append((schema,))
        for table, kind in objects(conn, schema):
            tables.append((table, schema, "BASE TABLE" if kind == "table" else "VIEW"))
            info = conn.execute("PRAGMA %s.table_info(%s)" % (quote(schema), quote(table)))
            key = []
            for cid, column, decl, notnull, _default, pk in info.fetchall():
                declared = servertypes.from_declaration(decl) or servertypes.from_name("string")
                columns.append((schema, table, column, cid + 1, declared.name, 0 if notnull else 1))
                if pk:
                    key.append((pk, column))
            if key:
                names = [column for _, column in sorted(key)]
                constraints.append((schema, table, json.dumps(names), "PRIMARY KEY"))
    for name, rows in (("schemata", schemata), ("tables", tables), ("columns", columns),
                       ("table_constraints", constraints)):
        conn.execute("DELETE FROM %s.%s" % (SCHEMA_NAME, name))
        if rows:
            marks = ", ".join("?" * len(rows[0]))
            conn.executemany("INSERT INTO %s.%s VALUES (%s)" % (SCHEMA_NAME, name, marks), rows)
