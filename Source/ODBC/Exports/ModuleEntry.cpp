// Entry code of the driver library; the exported ODBC functions join it here.
