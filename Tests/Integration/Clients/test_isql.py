"""unixODBC's own query programs run statements against a data source of the driver: isql
through the ANSI functions, iusql through the wide ones."""

import unittest

import clients

# Statements and the rows they print, isql's batch output with "|" between fields.
STATEMENTS = [
    ("select region, order_id, amount from sample_orders order by region, order_id",
     ["north|1|10.5", "north|2|99", "south|1|5.25"]),
    ("select value from sample_string where id = 3", ["h\u00e9llo"]),
    ("select value from sample_long where id = 2", ["-9223372036854775808"]),
    ("select value from sample_timestamp where id = 5", ["2000-02-29 00:00:00"]),
]


class QueryProgramsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.setting = clients.Setting()

    @classmethod
    def tearDownClass(cls):
        cls.setting.close()

    def run_program(self, program, statements):
        # iusql writes each wide character it reads as one byte.
        encoding = "latin-1" if program == "iusql" else "utf-8"
        done = self.setting.run([program, "-b", "-d|", clients.DATA_SOURCE], "\n".join(statements) + "\n",
                                encoding=encoding)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        return [line for line in done.stdout.splitlines() if line.strip()]

    def check_program(self, program):
        lines = self.run_program(program, [sql for sql, _ in STATEMENTS])
        expected = [row for _, rows in STATEMENTS for row in rows]
        self.assertEqual(lines, expected)

    def test_isql_runs_statements(self):
        self.check_program("isql")

    def test_iusql_runs_statements(self):
        self.check_program("iusql")

    def test_isql_reports_a_server_error(self):
        done = self.setting.run(["isql", "-b", "-v", clients.DATA_SOURCE], "select * from no_such_table\n")
        # isql asks for ODBC 2 behaviour, so the Driver Manager gives the table's state as ODBC 2
        # named it.
        self.assertIn("[S0002][Pelta][Pelta] (4) The server reported error 4041: no such table: no_such_table",
                      done.stdout + done.stderr)

    def test_isql_writes_and_reads_back(self):
        lines = self.run_program("isql", [
            "create table isql_made (n integer, label string)",
            "insert into isql_made values (1, 'one')",
            "insert into isql_made values (2, 'two')",
            "select n, label from isql_made order by n",
            "drop table isql_made",
        ])
        self.assertEqual([line for line in lines if "|" in line], ["1|one", "2|two"])


if __name__ == "__main__":
    unittest.main()
