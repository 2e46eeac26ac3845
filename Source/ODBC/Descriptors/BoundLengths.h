#pragma once

#include <sql.h>

#include <cstdint>
#include <cstring>

namespace Orvik {
namespace ODBC {

class AppDescriptorRecord;

/// The length and indicator of an application descriptor record's current row, held as values.
/// In row-wise arrays an application may pack its rows, so that a bound SQLLEN lies at any
/// address: it is copied in and out, never used in place. Where the application bound one buffer
/// for both, both pointers name one value, as they named one buffer.
class BoundLengths
{
public:
    /// Copies the current row's values of in_record (moved to the row beforehand).
    explicit BoundLengths(const AppDescriptorRecord& in_record);

    /// Copies the values at in_length and in_indicator, each moved by in_offset bytes; either
    /// address may be null, both may be the same. Inline, as it runs for every fetched value.
    BoundLengths(SQLLEN* in_length, SQLLEN* in_indicator, int64_t in_offset)
        : m_lengthAddress(AtOffset(in_length, in_offset)), m_indicatorAddress(AtOffset(in_indicator, in_offset))
    {
        Load(m_lengthAddress, m_length);
        Load(m_indicatorAddress, m_indicator);
    }

    BoundLengths(const BoundLengths&) = delete;
    BoundLengths& operator=(const BoundLengths&) = delete;

    /// The length value, or null where no length is bound.
    SQLLEN* GetLength() { return m_lengthAddress != nullptr ? &m_length : nullptr; }

    /// The indicator value, or null where no indicator is bound.
    SQLLEN* GetIndicator()
    {
        return m_indicatorAddress == nullptr ? nullptr : m_indicatorAddress == m_lengthAddress ? &m_length : &m_indicator;
    }

    /// Writes the values back to the application's buffers.
    void Store() const
    {
        Save(m_lengthAddress, m_length);
        if (m_indicatorAddress != m_lengthAddress)
        {
            Save(m_indicatorAddress, m_indicator);
        }
    }

    /// Reads a SQLLEN that the application keeps at any address.
    static SQLLEN Read(const void* in_address)
    {
        SQLLEN value;
        std::memcpy(&value, in_address, sizeof(value));
        return value;
    }

    /// Writes a SQLLEN (or SQLULEN, of the same size) that the application keeps at any address.
    static void Write(void* out_address, SQLLEN in_value) { std::memcpy(out_address, &in_value, sizeof(in_value)); }

private:
    static char* AtOffset(SQLLEN* in_address, int64_t in_offset)
    {
        return in_address != nullptr ? reinterpret_cast<char*>(in_address) + in_offset : nullptr;
    }

    static void Load(const char* in_address, SQLLEN& out_value)
    {
        if (in_address != nullptr)
        {
            out_value = Read(in_address);
        }
    }

    static void Save(char* in_address, SQLLEN in_value)
    {
        if (in_address != nullptr)
        {
            Write(in_address, in_value);
        }
    }

    char* m_lengthAddress;
    char* m_indicatorAddress;
    SQLLEN m_length = 0;
    SQLLEN m_indicator = 0;
};

} // namespace ODBC
} // namespace Orvik
