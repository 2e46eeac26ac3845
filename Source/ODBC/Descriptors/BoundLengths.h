#pragma once

#include <sql.h>

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
    void Store() const;

private:
    char* m_lengthAddress;
    char* m_indicatorAddress;
    SQLLEN m_length = 0;
    SQLLEN m_indicator = 0;
};

} // namespace ODBC
} // namespace Orvik
