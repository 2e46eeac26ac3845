"""A short pyodbc session against a data source of the driver; prints what it read as JSON.
Usage: pyodbc_session.py <data source> <JSON list of sample tables> <JSON list of statements the
server answers with a long error>"""

import datetime
import json
import sys

import pyodbc

MANY_ROWS = [(1, "one", 0.5), (2, "tw\u00f6", 1.25), (3, None, None)]

# bytes go to the driver as SQL_C_BINARY buffers bound to the parameters it describes as text.
MANY_BYTES = [(1, b"hello world!"), (2, b"ABC"), (3, "h\u00e9".encode())]

# Doubles that only read back exactly in their shortest round-trip text: each is sent as a
# parameter and written as a literal, and both must come back bit for bit.
EXACT_DOUBLES = [1 / 3, 0.1, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, -1.7976931348623157e308,
                 3.4028234663852886e38, 9007199254740993.0, 0.30000000000000004]

OBJECT_TEXT = '{"id":123456789012345678901234567890,"r":0.30000000000000004,"n":-18446744073709551617}'
ARRAY_TEXT = '[18446744073709551615,-9223372036854775808,1e+300]'

# Datetimes with milliseconds, one before 1970, written by each way of executemany.
DATETIMES = [datetime.datetime(2024, 1, 2, 3, 4, 5, 123000), datetime.datetime(1969, 12, 31, 23, 59, 59, 999000)]
DATETIME_WAYS = ["fast_executemany", "executemany", "setinputsizes"]

# 100,000 characters, some outside Latin-1: far past what pyodbc binds whole by default.
LONG_TEXT = ("long text \u00fc\u20ac " * 8000)[:100000]


def exact_doubles(cursor):
    cursor.execute("create table pyodbc_exact (n integer, by_parameter double, by_literal double)")
    for n, value in enumerate(EXACT_DOUBLES):
        cursor.execute("insert into pyodbc_exact values (?, ?, %r)" % (value,), n, value)
    cursor.execute("select by_parameter, by_literal from pyodbc_exact order by n")
    read = [[repr(value) for value in row] for row in cursor.fetchall()]
    cursor.execute("drop table pyodbc_exact")
    return {"sent": [repr(value) for value in EXACT_DOUBLES], "read": read}


def byte_texts(cursor):
    """bytes through fast_executemany are the text, byte for byte; bytes that are no UTF-8 text
    are refused."""
    cursor.execute("create table pyodbc_bytes (n integer, label string)")
    cursor.fast_executemany = True
    cursor.executemany("insert into pyodbc_bytes values (?, ?)", MANY_BYTES)
    try:
        cursor.executemany("insert into pyodbc_bytes values (?, ?)", [(4, b"caf\xe9")])
        refused = None
    except pyodbc.Error as error:
        refused = error.args[0]
    cursor.fast_executemany = False
    cursor.execute("select n, label from pyodbc_bytes order by n")
    read = [list(row) for row in cursor.fetchall()]
    cursor.execute("drop table pyodbc_bytes")
    return {"read": read, "refused": refused}


def object_texts(cursor):
    """Objects and arrays with numbers no 64-bit value holds: their text must keep every digit."""
    cursor.execute("create table pyodbc_objects (n integer, o object, a array(long))")
    cursor.execute("insert into pyodbc_objects values (1, ?, ?)", OBJECT_TEXT, ARRAY_TEXT)
    cursor.execute("select o, a from pyodbc_objects")
    read = [list(row) for row in cursor.fetchall()]
    cursor.execute("drop table pyodbc_objects")
    return read


def parameter_lengths(data_source):
    """pyodbc sends a text parameter in pieces, which the driver refuses, once its UTF-16 bytes pass
    the text column size the driver reports, and fast_executemany sizes its buffers by that size;
    a larger MaxColumnSize lets both bind the text whole."""
    outcomes = {}
    connection = pyodbc.connect("DSN=" + data_source, autocommit=True)
    cursor = connection.cursor()
    cursor.execute("create table pyodbc_long (n integer, t string)")
    for length in (2000, 2001):
        try:
            cursor.execute("insert into pyodbc_long values (?, ?)", length, "x" * length)
            outcomes[length] = "bound whole"
        except pyodbc.Error as error:
            outcomes[length] = error.args[1]
    connection.close()
    connection = pyodbc.connect("DSN=%s;MaxColumnSize=1048576" % data_source, autocommit=True)
    cursor = connection.cursor()
    cursor.execute("delete from pyodbc_long")
    cursor.execute("insert into pyodbc_long values (?, ?)", 1, LONG_TEXT)
    cursor.fast_executemany = True
    cursor.executemany("insert into pyodbc_long values (?, ?)", [(2, LONG_TEXT)])
    read = [row[0] for row in cursor.execute("select t from pyodbc_long order by n").fetchall()]
    cursor.execute("drop table pyodbc_long")
    connection.close()
    return {"outcomes": outcomes, "sent": LONG_TEXT, "read": read}


# Queries whose text does not begin with "select", each run directly and prepared with a parameter.
ROW_QUERIES = ["with x(n) as (select 1) select n + %s from x", "/* note */ select 1 + %s", "-- note\nselect 1 + %s",
               "values (1 + %s)"]


def row_queries(cursor):
    """The rows of each query, or what pyodbc raised for it."""
    read = []
    for query in ROW_QUERIES:
        for statement, parameters in ((query % "0", ()), (query % "?", (0,))):
            try:
                read.append([list(row) for row in cursor.execute(statement, *parameters).fetchall()])
            except pyodbc.Error as error:
                read.append(str(error))
    return read


def datetimes(connection):
    """The datetimes as each way of executemany writes them, read back as datetimes: rows 1 and 2
    by fast_executemany, 11 and 12 by plain executemany, 21 and 22 by fast_executemany with the
    second parameter's type given by setinputsizes."""
    reader = connection.cursor()
    reader.execute("create table pyodbc_times (n integer, at timestamp)")
    read = {}
    for index, way in enumerate(DATETIME_WAYS):
        cursor = connection.cursor()
        cursor.fast_executemany = way != "executemany"
        if way == "setinputsizes":
            cursor.setinputsizes([None, (pyodbc.SQL_TYPE_TIMESTAMP, 0, 3)])
        first = index * 10
        cursor.executemany("insert into pyodbc_times values (?, ?)",
                           [(first + n, value) for n, value in enumerate(DATETIMES, 1)])
        reader.execute("select at from pyodbc_times where n > ? and n <= ? order by n", first, first + 2)
        read[way] = [repr(row[0]) for row in reader.fetchall()]
    reader.execute("drop table pyodbc_times")
    return {"sent": [repr(value) for value in DATETIMES], "read": read}


def long_errors(cursor, statements):
    """What pyodbc raises for each statement: the SQLSTATE and text of its error, or the name of
    another exception (a MemoryError from a length it cannot use)."""
    raised = {}
    for statement in statements:
        try:
            cursor.execute("select '%s'" % statement)
            raised[statement] = None
        except pyodbc.Error as error:
            raised[statement] = [error.args[0], error.args[1]]
        except Exception as error:
            raised[statement] = [type(error).__name__, str(error)]
    return raised


def main():
    data_source, tables, long_error_statements = sys.argv[1], json.loads(sys.argv[2]), json.loads(sys.argv[3])
    connection = pyodbc.connect("DSN=" + data_source, autocommit=True)
    cursor = connection.cursor()
    report = {"tables": {}}
    for table in tables:
        cursor.execute("select value from %s order by id" % table)
        report["tables"][table] = [(type(row[0]).__name__, repr(row[0])) for row in cursor.fetchall()]

    cursor.execute("select region, count(*) from sample_orders where region = ? group by region", "north")
    report["parameter_query"] = [list(row) for row in cursor.fetchall()]

    # Parameter arrays: the rows of executemany go to the driver in one array.
    cursor.execute("create table pyodbc_many (n integer, label string, ratio double)")
    cursor.fast_executemany = True
    cursor.executemany("insert into pyodbc_many values (?, ?, ?)", MANY_ROWS)
    cursor.fast_executemany = False
    cursor.execute("select n, label, ratio from pyodbc_many where n >= ? order by n", 2)
    report["many_read_back"] = [list(row) for row in cursor.fetchall()]
    cursor.execute("drop table pyodbc_many")

    report["byte_texts"] = byte_texts(cursor)
    report["exact_doubles"] = exact_doubles(cursor)
    report["object_texts"] = {"sent": [OBJECT_TEXT, ARRAY_TEXT], "read": object_texts(cursor)}

    cursor.execute("create table pyodbc_made (n integer, label string)")
    report["inserted"] = sum(cursor.execute("insert into pyodbc_made values (%d, '%s')" % row).rowcount
                             for row in [(1, "one"), (2, "two")])
    cursor.execute("select n, label from pyodbc_made order by n")
    report["read_back"] = [list(row) for row in cursor.fetchall()]
    cursor.execute("drop table pyodbc_made")

    try:
        cursor.execute("select * from no_such_table")
        report["error_state"] = None
    except pyodbc.Error as error:
        report["error_state"] = error.args[0]

    report["datetimes"] = datetimes(connection)
    report["parameter_lengths"] = parameter_lengths(data_source)
    report["long_errors"] = long_errors(cursor, long_error_statements)

    report["row_queries"] = row_queries(cursor)
    report["tables_like"] = [row.table_name for row in cursor.tables(table="sample_o%")]
    report["columns"] = [row.column_name for row in cursor.columns(table="sample_orders")]
    connection.close()
    print(json.dumps(report))


if __name__ == "__main__":
    main()
