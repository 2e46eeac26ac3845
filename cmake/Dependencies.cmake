# Libraries the driver is built on, all from the distribution's packages.
find_package(Threads REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n data)
find_package(CURL REQUIRED)
find_package(EXPAT REQUIRED)
# The test server and its tests run on the interpreter's standard library alone.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
# unixODBC's installer library reads the ODBC profile; the Driver Manager itself is never linked.
# Shared only: setup must post to the caller's error stack.
find_library(ODBCINST_LIBRARY NAMES libodbcinst.so odbcinst REQUIRED)
