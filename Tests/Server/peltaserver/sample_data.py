"""Sample tables for the demo and for tests that want data of every type: one table per server
column type, each with an id and a value column, holding the edge values of the type and a NULL;
and a table with a two-column primary key."""

from .wire import encode

# (server type, values of the value column). One type a line; None is NULL.
SAMPLES = [
    ("byte", [127, -128, 0, None]),
    ("boolean", [True, False, None]),
    ("string", ["abc", "", "h\u00e9llo", "\U0001F600", "007", "x" * 5000, None]),
    ("ip", ["127.0.0.1", "::1", None]),
    ("double", [3.141592653589793, -0.0, 1e308, 42.0, None]),
    ("float", [1.5, 3.4028234663852886e38, None]),
    ("short", [32767, -32768, None]),
    ("integer", [2147483647, -2147483648, None]),
    ("long", [9223372036854775807, -9223372036854775808, None]),
    ("timestamp", [0, 1500, -1, -1000, 951782400000, 32535291600000, -11644473600000, None]),
    ("object", [{"a": 1, "b": "x"}, {}, None]),
    ("geo_point", [[9.74, 47.41], None]),
    ("array(string)", [["a", "b"], [], None]),
    ("array(integer)", [[1, 2], None]),
    ("set", [["x", "y"], None]),
]


def table_name(type_name):
    return "sample_" + type_name.replace("(", "_").replace(")", "")


def _stored(value):
    return encode(value).decode() if isinstance(value, (list, dict)) else value


def load(db):
    for type_name, values in SAMPLES:
        name = table_name(type_name)
        db.execute("drop table if exists %s" % name)
        db.execute("create table %s (id integer primary key, value %s)" % (name, type_name))
        db.execute_bulk("insert into %s (id, value) values (?, ?)" % name,
                        [[i + 1, _stored(v)] for i, v in enumerate(values)])
    db.execute("drop table if exists sample_orders")
    db.execute("create table sample_orders (region string, order_id integer, amount double, "
               "placed timestamp, primary key (region, order_id))")
    db.execute_bulk("insert into sample_orders values (?, ?, ?, ?)",
                    [["north", 1, 10.5, 1700000000000], ["north", 2, 99.0, 1700000360000],
                     ["south", 1, 5.25, 1700000720000]])
