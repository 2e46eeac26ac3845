# Libraries the driver is built on, all from the distribution's packages.
find_package(Threads REQUIRED)
find_package(ICU REQUIRED COMPONENTS uc i18n data)
