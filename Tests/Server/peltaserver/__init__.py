"""A stand-in for the SQL-over-HTTP database server, over SQLite, for the driver's tests."""
