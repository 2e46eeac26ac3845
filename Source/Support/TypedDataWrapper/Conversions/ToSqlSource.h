#pragma once

#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>

namespace Orvik {

namespace ODBC {
class CDataWrapper;
} // namespace ODBC

namespace Support {

class SqlCTypeMetadata;
class SqlData;
class SqlTypeMetadata;

/// The value a to-SQL conversion reads, from an application buffer (a C source) or from another
/// SQL-side value (a SQL source): where its bytes are, how many there are, and the metadata of
/// its side. Made for one non-NULL value and read by the conversion kernels.
struct ToSqlSource
{
    /// The application's value at its wrapper's data address plus offset, of the wrapper's data
    /// length. The data address must be set.
    static ToSqlSource Of(const ODBC::CDataWrapper& in_source);

    /// The bytes and length of a SQL-side value.
    static ToSqlSource Of(const SqlData& in_source);

    bool IsCSource() const { return m_cMetadata != nullptr; }

    /// The encoding of the source's text, as its metadata records it.
    EncodingType GetEncoding() const;

    /// The type id of the value. A buffer bound as SQL_C_DEFAULT holds the default C type of
    /// in_target's type, the type the registry chose its converter by.
    TDWType GetTDWType(const SqlTypeMetadata& in_target) const;

    /// The value's first byte.
    const void* m_value = nullptr;

    /// The byte count of a character or binary value (the resolved length of an application's
    /// value); fixed-size values are read whole and do not consult it.
    int64_t m_length = 0;

    /// The metadata of a C source, else null.
    const SqlCTypeMetadata* m_cMetadata = nullptr;

    /// The metadata of a SQL source, else null.
    const SqlTypeMetadata* m_sqlMetadata = nullptr;
};

} // namespace Support
} // namespace Orvik
