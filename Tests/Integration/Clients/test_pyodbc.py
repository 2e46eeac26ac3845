"""pyodbc, Debian's package, fetches every column type of the sample tables into Python values
through the driver. The session runs in the system's Python, which has pyodbc; it prints what it
read, and this test checks it."""

import json
import os
import unittest

import clients

SESSION = os.path.join(os.path.dirname(os.path.abspath(__file__)), "pyodbc_session.py")
SYSTEM_PYTHON = os.environ.get("PELTA_PYODBC_PYTHON", "/usr/bin/python3")

# Per sample table, the values in id order as (Python type name, repr).
EXPECTED = {
    "sample_byte": [("int", "127"), ("int", "-128"), ("int", "0"), ("NoneType", "None")],
    "sample_boolean": [("bool", "True"), ("bool", "False"), ("NoneType", "None")],
    "sample_string": [("str", "'abc'"), ("str", "''"), ("str", "'h\u00e9llo'"), ("str", "'\U0001F600'"),
                      ("str", "'007'"), ("str", repr("x" * 5000)), ("NoneType", "None")],
    "sample_ip": [("str", "'127.0.0.1'"), ("str", "'::1'"), ("NoneType", "None")],
    "sample_double": [("float", "3.141592653589793"), ("float", "0.0"), ("float", "1e+308"), ("float", "42.0"),
                      ("NoneType", "None")],
    "sample_float": [("float", "1.5"), ("float", "3.4028234663852886e+38"), ("NoneType", "None")],
    "sample_short": [("int", "32767"), ("int", "-32768"), ("NoneType", "None")],
    "sample_integer": [("int", "2147483647"), ("int", "-2147483648"), ("NoneType", "None")],
    "sample_long": [("int", "9223372036854775807"), ("int", "-9223372036854775808"), ("NoneType", "None")],
    "sample_timestamp": [
        ("datetime", "datetime.datetime(1970, 1, 1, 0, 0)"),
        ("datetime", "datetime.datetime(1970, 1, 1, 0, 0, 1, 500000)"),
        ("datetime", "datetime.datetime(1969, 12, 31, 23, 59, 59, 999000)"),
        ("datetime", "datetime.datetime(1969, 12, 31, 23, 59, 59)"),
        ("datetime", "datetime.datetime(2000, 2, 29, 0, 0)"),
        ("datetime", "datetime.datetime(3001, 1, 1, 21, 0)"),
        ("datetime", "datetime.datetime(1601, 1, 1, 0, 0)"),
        ("NoneType", "None")],
    "sample_object": [("str", "'{\"a\":1,\"b\":\"x\"}'"), ("str", "'{}'"), ("NoneType", "None")],
    "sample_geo_point": [("str", "'[9.74,47.41]'"), ("NoneType", "None")],
    "sample_array_string": [("str", "'[\"a\",\"b\"]'"), ("str", "'[]'"), ("NoneType", "None")],
    "sample_array_integer": [("str", "'[1,2]'"), ("NoneType", "None")],
    "sample_set": [("str", "'[\"x\",\"y\"]'"), ("NoneType", "None")],
}


# Server messages longer than any length ODBC can report, by the statement that gets them.
LONG_ERRORS = {size: "long error %d " % size for size in (40000, 100000)}


class PyodbcTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.setting = clients.Setting()
        for size, start in LONG_ERRORS.items():
            cls.setting.add_fault({"stmt_regex": start, "error": {"code": 4000, "status": 400,
                                                                  "message": (start + "x" * size)[:size]}})
        done = cls.setting.run([SYSTEM_PYTHON, "-B", SESSION, clients.DATA_SOURCE, json.dumps(sorted(EXPECTED)),
                                json.dumps(sorted(LONG_ERRORS.values()))])
        if done.returncode != 0:
            raise AssertionError("the pyodbc session failed:\n" + done.stdout + done.stderr)
        cls.report = json.loads(done.stdout)

    @classmethod
    def tearDownClass(cls):
        cls.setting.close()

    def test_every_type_into_python_values(self):
        for table, expected in EXPECTED.items():
            with self.subTest(table=table):
                self.assertEqual([tuple(value) for value in self.report["tables"][table]], expected)

    def test_doubles_arrive_and_return_exactly(self):
        exact = self.report["exact_doubles"]
        self.assertIn("0.30000000000000004", exact["sent"])
        self.assertEqual(exact["read"], [[value, value] for value in exact["sent"]])

    def test_object_and_array_texts_keep_every_digit(self):
        texts = self.report["object_texts"]
        self.assertIn("123456789012345678901234567890", texts["sent"][0])
        self.assertEqual(texts["read"], [texts["sent"]])

    def test_row_counts_and_written_rows(self):
        self.assertEqual(self.report["inserted"], 2)
        self.assertEqual(self.report["read_back"], [[1, "one"], [2, "two"]])

    def test_parameters(self):
        self.assertEqual(self.report["parameter_query"], [["north", 2]])
        self.assertIn('{"stmt":"select region, count(*) from sample_orders where region = ? group by region", '
                      '"args":["north"]}', self.setting.requests("statement"))

    def test_fast_executemany_sends_one_bulk_request(self):
        # The driver describes every parameter as text, which pyodbc then binds.
        self.assertEqual([body for body in self.setting.requests("bulk") if "pyodbc_many" in body],
                         ['{"stmt":"insert into pyodbc_many values (?, ?, ?)", '
                          '"bulk_args":[["1", "one", "0.5"], ["2", "tw\u00f6", "1.25"], ["3", null, null]]}'])
        self.assertEqual(self.report["many_read_back"], [[2, "tw\u00f6", 1.25], [3, None, None]])

    def test_fast_executemany_sends_bytes_as_their_text(self):
        self.assertEqual([body for body in self.setting.requests("bulk") if "pyodbc_bytes" in body],
                         ['{"stmt":"insert into pyodbc_bytes values (?, ?)", '
                          '"bulk_args":[["1", "hello world!"], ["2", "ABC"], ["3", "h\u00e9"]]}'])
        self.assertEqual(self.report["byte_texts"]["read"], [[1, "hello world!"], [2, "ABC"], [3, "h\u00e9"]])
        # Bytes that are no text in the parameter's encoding are refused before anything is sent.
        self.assertEqual(self.report["byte_texts"]["refused"], "22018")
        self.assertFalse([body for body in self.setting.requests("statement") if "insert into pyodbc_bytes" in body])

    def test_datetimes_through_each_way_of_executemany(self):
        # fast_executemany binds datetimes to the text parameters the driver describes, at their
        # scale 0: whole seconds. Plain executemany, and setinputsizes, bind them as timestamps.
        times = self.report["datetimes"]
        self.assertEqual(times["read"], {
            "fast_executemany": ["datetime.datetime(2024, 1, 2, 3, 4, 5)",
                                 "datetime.datetime(1969, 12, 31, 23, 59, 59)"],
            "executemany": times["sent"],
            "setinputsizes": times["sent"]})
        self.assertEqual([body for body in self.setting.requests("bulk") if "pyodbc_times" in body],
                         ['{"stmt":"insert into pyodbc_times values (?, ?)", '
                          '"bulk_args":[["1", "2024-01-02 03:04:05"], ["2", "1969-12-31 23:59:59"]]}',
                          '{"stmt":"insert into pyodbc_times values (?, ?)", '
                          '"bulk_args":[["21", 1704164645123], ["22", -1]]}'])
        self.assertEqual([body for body in self.setting.requests("statement") if "into pyodbc_times" in body],
                         ['{"stmt":"insert into pyodbc_times values (?, ?)", "args":[11, 1704164645123]}',
                          '{"stmt":"insert into pyodbc_times values (?, ?)", "args":[12, -1]}'])

    def test_long_text_parameters(self):
        # 2,000 characters are 4,000 UTF-16 bytes, the text column size reported by default.
        lengths = self.report["parameter_lengths"]
        self.assertEqual(lengths["outcomes"]["2000"], "bound whole")
        self.assertIn("PushParamData is not supported by the driver.", lengths["outcomes"]["2001"])
        self.assertEqual(len(lengths["sent"]), 100000)
        # Bound with execute, then with fast_executemany.
        self.assertEqual(lengths["read"], [lengths["sent"], lengths["sent"]])

    def test_long_server_messages_raise_the_servers_error(self):
        for size, start in LONG_ERRORS.items():
            with self.subTest(size=size):
                state, text = self.report["long_errors"][start]
                self.assertEqual(state, "42000")
                self.assertIn("The server reported error 4000: " + start + "xxx", text[:200])

    def test_queries_that_do_not_begin_with_select_return_their_rows(self):
        self.assertEqual(self.report["row_queries"], [[[1]]] * 8)

    def test_server_error_and_catalogs(self):
        self.assertEqual(self.report["error_state"], "42S02")
        self.assertIn("sample_orders", self.report["tables_like"])
        self.assertEqual(self.report["columns"], ["region", "order_id", "amount", "placed"])


if __name__ == "__main__":
    unittest.main()
