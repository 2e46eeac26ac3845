"""information_schema as the driver's catalog queries read it, kept current by DDL."""

import unittest

from .support import ServerTestCase

SCHEMATA = "select * from information_schema.schemata"
TABLES = "select table_name, schema_name from information_schema.tables"
COLUMNS = "select * from information_schema.columns"
KEYS = ("select schema_name, table_name, constraint_name from "
        "information_schema.table_constraints ")


class Catalog(ServerTestCase):
    def rows(self, stmt):
        return self.ok(stmt)["rows"]

    def test_fresh_server_lists_its_schemas_and_catalog_tables(self):
        self.assertEqual([["information_schema"], ["main"], ["sys"]], self.rows(SCHEMATA))
        self.assertEqual([["columns", "information_schema"], ["schemata", "information_schema"],
                          ["table_constraints", "information_schema"],
                          ["tables", "information_schema"], ["cluster", "sys"]],
                         self.rows(TABLES))

    def test_create_and_drop_are_reflected_in_every_catalog_table(self):
        self.ok("create table orders (region string, id integer, placed timestamp, "
                "tags array(string), primary key (id, region))")
        self.fails("create table gone.notes (body string, body string)", 4006)
        self.ok("create table extra.notes (body string)")
        self.assertEqual([["extra"], ["information_schema"], ["main"], ["sys"]],
                         self.rows(SCHEMATA))
        self.assertIn(["orders", "main"], self.rows(TABLES))
        self.assertIn(["notes", "extra"], self.rows(TABLES))
        reply = self.ok(COLUMNS + " WHERE table_name='orders'")
        self.assertEqual(["schema_name", "table_name", "column_name", "ordinal_position",
                          "data_type"], reply["cols"][:5])
        self.assertEqual([4, 4, 4, 9, 4], reply["col_types"][:5])
        self.assertEqual([["main", "orders", "region", 1, "string"],
                          ["main", "orders", "id", 2, "integer"],
                          ["main", "orders", "placed", 3, "timestamp"],
                          ["main", "orders", "tags", 4, "array(string)"]],
                         [row[:5] for row in reply["rows"]])
        keys = self.ok(KEYS + " WHERE table_name='orders'")
        self.assertEqual([4, 4, [100, 4]], keys["col_types"])
        self.assertEqual([["main", "orders", ["id", "region"]]], keys["rows"])

        self.ok("alter table orders add column note ip")
        self.assertEqual([["main", "orders", "note", 5, "ip"]],
                         [r[:5] for r in self.rows(COLUMNS + " WHERE table_name='orders' AND "
                                                   "schema_name='main'") if r[2] == "note"])
        self.ok("drop table orders")
        self.assertNotIn(["orders", "main"], self.rows(TABLES))
        self.assertEqual([], self.rows(COLUMNS + " WHERE table_name='orders'"))
        self.assertEqual([], self.rows(KEYS + " WHERE table_name='orders'"))

    def test_catalog_statements_with_each_restriction_form(self):
        self.ok("create table a (x integer primary key)")
        self.ok("create table s2.a (y string)")
        cases = [
            (TABLES + " WHERE table_name='a'", [["a", "main"], ["a", "s2"]]),
            (TABLES + " WHERE table_name='a' AND schema_name='s2'", [["a", "s2"]]),
            (TABLES + " WHERE schema_name='s2'", [["a", "s2"]]),
            (KEYS + " WHERE schema_name='main'", [["main", "a", ["x"]]]),
            (KEYS + " WHERE table_name='a' AND schema_name='s2'", []),
        ]
        for stmt, rows in cases:
            with self.subTest(stmt=stmt):
                self.assertEqual(rows, self.rows(stmt))
        # the driver's column probe of a catalog query
        probe = self.ok("select * from (%s WHERE table_name='a') limit 0" % COLUMNS)
        self.assertEqual([4, 4, 4, 9, 4], probe["col_types"][:5])
        self.assertEqual([], probe["rows"])

    def test_rows_come_in_a_fixed_order_whatever_the_order_of_creation(self):
        for name in ("zeta", "alpha", "mid"):
            self.ok("create table %s (b integer, a integer)" % name)
        self.ok("create table aa.first (c integer)")
        tables = [r for r in self.rows(TABLES) if r[1] in ("main", "aa")]
        self.assertEqual([["first", "aa"], ["alpha", "main"], ["mid", "main"], ["zeta", "main"]],
                         tables)
        columns = [r[1:4] for r in self.rows(COLUMNS) if r[0] == "main"]
        self.assertEqual([["alpha", "b", 1], ["alpha", "a", 2], ["mid", "b", 1], ["mid", "a", 2],
                          ["zeta", "b", 1], ["zeta", "a", 2]], columns)
        self.assertEqual(self.rows(COLUMNS), self.rows(COLUMNS))

    def test_type_names_are_words_unless_quoted(self):
        self.ok('create table odd (g geo_shape, s "set(string)", n "set", q "Integer", '
                'u INTEGER, w String, a Array(Long), v VARCHAR(10), untyped)')
        self.assertEqual(["geo_shape", "set(string)", "set", "Integer", "integer", "string",
                          "array(long)", "string", "string"],
                         [r[4] for r in self.rows(COLUMNS + " WHERE table_name='odd'")])
        self.assertEqual([1, 1, 101, 1, 9, 4, [100, 10], 4, 4],
                         self.ok("select * from odd")["col_types"])


if __name__ == "__main__":
    unittest.main()
