#pragma once

#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace Support {

/// A value of a fixed-size SQL type, held inline: a bit, an integer, a floating-point number, an
/// exact numeric (TDWNumeric), a date, time, timestamp, interval or GUID record. A new value is
/// zero, 1900-01-01 for dates and timestamps, and an invalid all-zero GUID.
class SqlFixedLengthType : public SqlData
{
public:
    /// Throws SupportException ("SQLTDWTypeNotSupported") for a type that is not of fixed size.
    explicit SqlFixedLengthType(const SqlTypeMetadata& in_metadata);

    void* GetBuffer() override { return m_value; }

private:
    // Large enough and aligned for every value record; the exact numeric takes 38 bytes. Zeroed
    // first, so that the padding inside a record reads as zero too.
    alignas(8) unsigned char m_value[40] = {};
};

} // namespace Support
} // namespace Orvik
