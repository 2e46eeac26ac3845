#pragma once

namespace Pelta {

/// The product word: the namespace of every back-end log line, the driver name, the vendor name
/// of messages, and the DBMS, server and catalog names a connection reports.
constexpr char PELTA_NAME[] = "Pelta";
constexpr char16_t PELTA_WIDE_NAME[] = u"Pelta";

/// The driver's version, as SQL_DRIVER_VER and the setup dialog show it.
constexpr char16_t PELTA_DRIVER_VERSION[] = u"01.00.00.1000";

/// The connection settings the back end reads.
constexpr char16_t SETTING_SERVERS[] = u"Servers";
constexpr char16_t SETTING_MAX_COLUMN_SIZE[] = u"MaxColumnSize";
constexpr char16_t SETTING_TIMEOUT[] = u"Timeout";
constexpr char16_t SETTING_RE_ENTRY_TIME[] = u"ReEntryTime";

} // namespace Pelta
