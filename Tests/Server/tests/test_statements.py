"""Statement requests: the body grammar, replies of each kind, the error codes, bulk argument
sets, the column-probe forms, every type code with cells of the right JSON kind, canned replies."""

import json
import unittest

from peltaserver import sample_data

from .support import ServerTestCase, send, sql


def post(server, body, listener=0):
    conn = server.connect(listener)
    try:
        status, _, raw = send(conn, "POST", "/_sql?types", body)
        return status, json.loads(raw)
    finally:
        conn.close()


class Grammar(ServerTestCase):
    def test_bodies_the_driver_sends_are_accepted(self):
        cases = [
            (b'{"stmt":"select 1"}', [[1]]),
            (b'{"stmt":"select ?, ?", "args":[1, null]}', [[1, None]]),
            (b'{"stmt":"select ?, ?, ?", "args":[true, false, -0]}', [[1, 0, 0]]),
            (b'{"stmt":"select ?, ?", "args":[1e+020, 0.1]}', [[1e20, 0.1]]),
            (b'{"stmt":"select \'a\\/b\', ?", "args":["q\\"\\\\\\/\\b\\t\\n\\f\\r\\u001F"]}',
             [["a/b", 'q"\\/\b\t\n\f\r\x1f']]),
            (b'{"stmt":"select ? || \'\xc3\xa9\'", "args":["\xf0\x9f\x98\x80"]}',
             [["\U0001F600\u00e9"]]),
            (b'{"stmt":"select ?", "args":[1700000000000]}', [[1700000000000]]),
        ]
        for body, rows in cases:
            with self.subTest(body=body):
                status, reply = post(self.server, body)
                self.assertEqual(200, status, reply)
                self.assertEqual(rows, reply["rows"])

    def test_malformed_bodies_are_syntax_errors(self):
        cases = [
            b'',
            b'   ',
            b'{} {}',
            b'[]',
            b'"select 1"',
            b'{"statement":"select 1"}',
            b'{"stmt":"select\x01 1"}',                       # raw control character
            b'{"stmt":"select ?", "args":[NaN]}',
            b'{"stmt":"select ?", "args":[INFINITY]}',
            b'{"stmt":"select ?", "args":[-INFINITY]}',
            b'{"stmt":"select ?", "args":[1], "bulk_args":[[1]]}',
            b'{"stmt":"select ?", "bulk_args":[1, 2]}',
            b'{"stmt":"select \xff"}',                         # not UTF-8
        ]
        for body in cases:
            with self.subTest(body=body):
                status, reply = post(self.server, body)
                self.assertEqual(400, status)
                self.assertEqual(4000, reply["error"]["code"])

    def test_reply_shapes_of_ddl_dml_and_row_producing_statements(self):
        self.assertEqual({"rowcount": 1}, self.ok("create table t (a integer)"))
        self.assertEqual({"cols": [], "col_types": [], "rows": [], "rowcount": 2},
                         self.ok("insert into t values (1), (2)"))
        self.assertEqual(2, self.ok("update t set a = a + 1")["rowcount"])
        self.assertEqual({"cols": ["a"], "col_types": [9], "rows": [[2], [3]], "rowcount": 2},
                         self.ok("select a from t order by a"))
        self.assertEqual(2, self.ok("with x as (select a from t) select * from x")["rowcount"])
        self.assertEqual({"rowcount": 1}, self.ok("drop table t"))


class ErrorCodes(ServerTestCase):
    def test_each_server_error_code_and_its_status(self):
        setup = ["create table t (id integer primary key, name string)",
                 "insert into t values (1, 'one')"]
        cases = [
            ("selec 1", 4000, 400),
            ("", 4000, 400),
            ("  -- a comment alone", 4000, 400),
            ("select * from t where", 4000, 400),
            ("select ?", 4000, 400),                           # no argument for the marker
            ("create table d (a integer, a string)", 4006, 400),
            ("create table k (a integer, primary key (b))", 4006, 400),
            ("select * from missing", 4041, 404),
            ("insert into missing values (1)", 4041, 404),
            ("select nope from t", 4043, 404),
            ("insert into t (nope) values (1)", 4043, 404),
            ("select * from nowhere.t", 4045, 404),
            ("create table t (a integer)", 4093, 409),
            ("insert into t values (1, 'again')", 5000, 500),   # primary key violated
        ]
        for stmt in setup:
            self.ok(stmt)
        for stmt, code, status in cases:
            with self.subTest(stmt=stmt):
                self.assertEqual(status, self.fails(stmt, code))


class BulkArguments(ServerTestCase):
    def test_each_set_runs_in_order_and_a_failing_set_reports_minus_two(self):
        self.ok("create table t (id integer primary key, name string)")
        reply = self.ok("insert into t values (?, ?)",
                        bulk_args=[[1, "a"], [2, "b"], [1, "dup"], [3, "c"]])
        self.assertEqual({"results": [{"rowcount": 1}, {"rowcount": 1}, {"rowcount": -2},
                                      {"rowcount": 1}]}, reply)
        self.assertEqual([[1, "a"], [2, "b"], [3, "c"]],
                         self.ok("select * from t order by id")["rows"])

    def test_update_counts_per_set_and_statement_errors_fail_the_request(self):
        self.ok("create table t (k integer, v integer)")
        self.ok("insert into t values (1, 0), (1, 0), (2, 0)")
        reply = self.ok("update t set v = ? where k = ?", bulk_args=[[5, 1], [6, 2], [7, 3]])
        self.assertEqual([2, 1, 0], [r["rowcount"] for r in reply["results"]])
        self.fails("insert into missing values (?)", 4041, bulk_args=[[1], [2]])


class ColumnProbes(ServerTestCase):
    def test_both_probe_forms_describe_columns_without_rows(self):
        self.ok("create table t (id integer, name string, at timestamp, tags array(string))")
        self.ok("insert into t values (1, 'a', 0, '[]')")
        inner = "select name, at, tags, id from t where id = ?"
        for stmt in ("select * from (%s) limit 0" % inner, "%s limit 0" % inner):
            with self.subTest(stmt=stmt):
                reply = self.ok(stmt, args=[None])
                self.assertEqual({"cols": ["name", "at", "tags", "id"],
                                  "col_types": [4, 11, [100, 4], 9], "rows": [], "rowcount": 0},
                                 reply)
        kinds = [entry["kind"] for entry in self.server.log()[-2:]]
        self.assertEqual(["probe-subquery", "probe-fallback"], kinds)

    def test_expression_columns_of_a_probe_are_typed_by_their_form(self):
        self.ok("create table t (i integer, s string, d double, h short, l long)")
        self.ok("insert into t values (1, 'x', 1.5, 2, 3)")
        # expression -> col_types entry, in a probe whose null argument selects no row
        cases = [
            ("count(*)", 10),
            ("sum(distinct i)", 10),
            ("sum(d)", 6),
            ("avg(i)", 6),
            ("max(s) as m", 4),
            ("i + 1", 9),
            ("h + h", 9),
            ("i * d", 6),
            ("l - i", 10),
            ("-i", 9),
            ("(t.i)", 9),
            ("s || 'x'", 4),
            ("i = ?", 3),
            ("s is null", 3),
            ("case when i > 1 then 'big' else 'small' end", 4),
            ("case when i > 1 then 2 else 0.5 end", 6),
            ("cast(i as long)", 10),
            ("length(s) n", 9),
            ("upper(s)", 4),
            ("coalesce(?, d)", 6),
            ("1", 9),
            ("2147483648", 10),
            ("1.5", 6),
            ("'a'", 4),
            ("null", 0),
        ]
        for expression, entry in cases:
            with self.subTest(expression=expression):
                stmt = "select * from (select %s from t where i = ?) limit 0" % expression
                reply = self.ok(stmt, args=[None] * stmt.count("?"))
                self.assertEqual(([entry], []), (reply["col_types"], reply["rows"]))

    def test_expressions_their_form_leaves_open_are_typed_by_their_values(self):
        self.assertEqual([9, 4, 6], self.ok("select ?, ?, ?", args=[7, "x", 0.5])["col_types"])
        self.assertEqual({"col_types": [9, 9], "rows": [[12, 0]]},
                         {k: v for k, v in self.ok("select 6 << 1, 6 & 1").items()
                          if k in ("col_types", "rows")})
        self.assertEqual([0], self.ok("select ?", args=[None])["col_types"])
        # a probe without rows runs its statement for a sample row
        self.assertEqual([6], self.ok("select * from (select julianday('2000-01-01')) limit 0")
                         ["col_types"])


class TypeCodes(ServerTestCase):
    server_args = ("--sample-data",)

    # server type of the sample table -> its col_types entry and the cells of its value column
    EXPECTED = {
        "byte": (2, [127, -128, 0, None]),
        "boolean": (3, [True, False, None]),
        "string": (4, ["abc", "", "h\u00e9llo", "\U0001F600", "007", "x" * 5000, None]),
        "ip": (5, ["127.0.0.1", "::1", None]),
        "double": (6, [3.141592653589793, -0.0, 1e308, 42.0, None]),
        "float": (7, [1.5, 3.4028234663852886e38, None]),
        "short": (8, [32767, -32768, None]),
        "integer": (9, [2147483647, -2147483648, None]),
        "long": (10, [9223372036854775807, -9223372036854775808, None]),
        "timestamp": (11, [0, 1500, -1, -1000, 951782400000, 32535291600000, -11644473600000,
                           None]),
        "object": (12, [{"a": 1, "b": "x"}, {}, None]),
        "geo_point": (13, [[9.74, 47.41], None]),
        "array(string)": ([100, 4], [["a", "b"], [], None]),
        "array(integer)": ([100, 9], [[1, 2], None]),
        "set": (101, [["x", "y"], None]),
    }

    def test_every_declared_type_gives_its_code_and_json_kind(self):
        self.assertEqual(set(self.EXPECTED), {name for name, _ in sample_data.SAMPLES})
        for type_name, (entry, cells) in self.EXPECTED.items():
            with self.subTest(type=type_name):
                table = sample_data.table_name(type_name)
                reply = self.ok("select value from %s order by id" % table)
                self.assertEqual([entry], reply["col_types"])
                got = [row[0] for row in reply["rows"]]
                self.assertEqual(cells, got)
                # equal is not enough: 1 == True and 1.0 == 1 in Python
                self.assertEqual([type(c) for c in cells], [type(c) for c in got])

    def test_aliases_and_unsupported_types(self):
        self.ok('create table t (a int, b bigint, c varchar(20), d smallint, e geo_shape, '
                'f "set(string)", g real, h bool)')
        self.ok("insert into t values (1, 2, '3', 4, 'x', '[]', 1.5, 1)")
        reply = self.ok("select * from t")
        self.assertEqual([9, 10, 4, 8, 1, 1, 6, 3], reply["col_types"])
        self.assertEqual([[1, 2, "3", 4, "x", "[]", 1.5, True]], reply["rows"])

    def test_non_finite_doubles_travel_as_strings(self):
        self.ok("create table t (d double)")
        self.ok("insert into t values (1e999), (-1e999)")
        self.assertEqual([["Infinity"], ["-Infinity"]], self.ok("select d from t")["rows"])


class TimestampText(ServerTestCase):
    """Text given for a timestamp column is stored as the instant it names, as a database with a
    timestamp type does; text that names none is refused and nothing is stored."""

    # text -> epoch milliseconds (UTC; the fraction cut, not rounded, to milliseconds)
    NAMED = [
        ("2024-01-02 03:04:05.123", 1704164645123),
        ("2024-01-02T03:04:05.123Z", 1704164645123),
        ("2024-01-02 03:04:05", 1704164645000),
        ("2024-01-02T03:04:05.5", 1704164645500),
        ("2024-01-02 03:04:05.123999999", 1704164645123),
        ("2024-01-02T05:34:05.123+02:30", 1704164645123),
        ("2024-01-02", 1704153600000),                      # a date alone: its midnight
        ("2000-02-29", 951782400000),
        ("1969-12-31 23:59:59.999", -1),
        ("1601-01-01T00:00:00Z", -11644473600000),
    ]
    NAMING_NONE = ["", "now", "2024-01-02 03:04", "2024-13-01", "2023-02-29",
                   "2024-01-02 24:00:00", "2024-01-02 03:04:60", "2024-01-02 03:04:05.",
                   "2024-01-02  03:04:05", " 2024-01-02", "2024-01-02 03:04:05Z junk", "2024-1-2",
                   "0000-01-01", "2024-01-02Z", "2024-01-02 03:04:05+2",
                   "\u0662\u0660\u0662\u0664-01-02"]

    def setUp(self):
        super().setUp()
        self.ok("create table t (n integer, ts timestamp)")

    def stored(self, *where):
        reply = self.ok("select ts from t where n = ?", args=list(where))
        self.assertEqual([11], reply["col_types"])
        return [row[0] for row in reply["rows"]]

    def test_text_is_stored_as_the_instant_it_names(self):
        for text, millis in self.NAMED:
            with self.subTest(text=text):
                self.ok("delete from t")
                self.ok("insert into t values (1, '%s')" % text)
                self.ok("insert into t values (?, ?)", args=[2, text])
                self.ok("insert into t values (?, ?)", bulk_args=[[3, text], [3, 0]])
                self.ok("insert into t values (4, 0), (5, 0)")
                self.ok("update t set ts = ? where n = ?", args=[text, 4])
                self.ok("update t set ts = '%s' where n = 5" % text)
                got = [self.stored(n) for n in (1, 2, 3, 4, 5)]
                self.assertEqual([[millis], [millis], [millis, 0], [millis], [millis]], got)
                self.assertEqual(int, type(got[0][0]))

    def test_numbers_and_null_are_stored_as_given(self):
        self.ok("insert into t values (1, ?), (1, '1500'), (1, null)", args=[-1000])
        self.assertEqual([-1000, 1500, None], self.stored(1))

    def test_text_naming_no_timestamp_is_refused_and_nothing_stored(self):
        self.ok("insert into t values (1, 0)")
        for text in self.NAMING_NONE:
            with self.subTest(text=text):
                literal = "insert into t values (2, '2024-01-02'), (2, '%s')" % text
                self.assertEqual(400, self.fails(literal, 4000))
                _, reply = sql(self.server, "insert into t values (?, ?)", args=[2, text])
                self.assertEqual({"error": {"code": 4000, "message":
                                  "Cannot cast value '%s' of column ts to type timestamp" % text}},
                                 reply)
                self.fails("update t set ts = ? where n = 1", 4000, args=[text])
                bulk = self.ok("insert into t values (?, ?)",
                               bulk_args=[[3, "2024-01-02"], [3, text], [3, 0]])
                self.assertEqual([1, -2, 1], [r["rowcount"] for r in bulk["results"]])
                self.assertEqual(([], [0], [1704153600000, 0]),
                                 (self.stored(2), self.stored(1), self.stored(3)))
                self.ok("delete from t where n = 3")

    def test_columns_added_renamed_or_dropped_and_other_schemas_and_tables(self):
        self.ok("alter table t add column later timestamp")
        self.ok("alter table t rename column ts to at")
        self.ok("insert into t values (1, '2024-01-02', '1970-01-01 00:00:01')")
        self.assertEqual([[1, 1704153600000, 1000]], self.ok("select * from t")["rows"])
        self.ok("alter table t drop column later")
        self.ok("alter table t rename to u")
        self.ok("create table s.w (k string primary key, ts timestamp) without rowid")
        for table in ("u", "s.w"):
            with self.subTest(table=table):
                self.ok("insert into %s values ('2', '1970-01-01 00:00:02')" % table)
                self.fails("insert into %s values ('3', 'never')" % table, 4000)
                self.assertEqual([[2000]], self.ok("select %s from %s where %s = '2'" % (
                    ("at", table, "n") if table == "u" else ("ts", table, "k")))["rows"])

    def test_casts_and_expressions_of_timestamp_type(self):
        self.ok("insert into t values (1, null), (2, null)")
        cases = [
            ("cast('2024-01-02 03:04:05.123' as timestamp)", [1704164645123] * 2),
            ("cast(? as timestamp)", [1000] * 2),
            ("CAST(cast(? as timestamp) AS TIMESTAMP)", [1000] * 2),
            ("cast('1500' as timestamp)", [1500] * 2),
            ("cast(n as timestamp)", [1, 2]),
            ("coalesce(ts, ?)", [1000, 1000]),
        ]
        for expression, cells in cases:
            with self.subTest(expression=expression):
                stmt = "select %s from t order by n" % expression
                reply = self.ok(stmt, args=["1970-01-01T00:00:01Z"] * stmt.count("?"))
                self.assertEqual(([11], [[c] for c in cells]), (reply["col_types"], reply["rows"]))
        for stmt in ("select cast('never' as timestamp)", "select cast(? as timestamp) from t",
                     "select cast(case n when 2 then 'never' else '1970-01-01' end as timestamp) "
                     "from t",
                     "select coalesce(ts, 'never') from t"):
            with self.subTest(stmt=stmt):
                self.fails(stmt, 4000, args=["never"] * stmt.count("?"))
        bulk = self.ok("insert into t values (?, cast(? as timestamp))",
                       bulk_args=[[3, "1970-01-01 00:00:03"], [4, "never"]])
        self.assertEqual([1, -2], [r["rowcount"] for r in bulk["results"]])
        self.assertEqual([3000], self.stored(3))


class CannedReplies(ServerTestCase):
    def test_registered_text_is_served_byte_for_byte_without_running_it(self):
        body = '{"cols":["x"],"col_types":[4],"rows":[["canned"]],"rowcount":1}'
        status, _ = self.server.control("POST", "/canned", {"stmt": "select x from nowhere",
                                                            "body": body})
        self.assertEqual(200, status)
        conn = self.server.connect()
        _, _, raw = send(conn, "POST", "/_sql?types", b'{"stmt":"select x from nowhere"}')
        conn.close()
        self.assertEqual(body.encode(), raw)
        self.assertTrue(self.server.log()[-1]["canned"])
        self.fails("select x from nowhere ", 4041)                 # only the exact text

    def test_generated_reply_has_the_requested_rows_and_types(self):
        self.server.control("POST", "/canned", {"stmt": "select big", "generate": {
            "rows": 1000, "types": ["integer", "string", "timestamp", "array(string)"],
            "nulls_every": 10}})
        reply = self.ok("select big")
        self.assertEqual(1000, reply["rowcount"])
        self.assertEqual(1000, len(reply["rows"]))
        self.assertEqual([9, 4, 11, [100, 4]], reply["col_types"])
        self.assertEqual([None] * 4, reply["rows"][9])
        self.assertEqual([0, "text-00000000", 1600000000000, ["a0", "b"]], reply["rows"][0])
        self.assertEqual(400, self.server.control("POST", "/canned", {
            "stmt": "x", "generate": {"rows": 1, "types": ["nonsense"]}})[0])


if __name__ == "__main__":
    unittest.main()
