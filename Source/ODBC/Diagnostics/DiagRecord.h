#pragma once

#include "Support/SqlState.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace ODBC {

/// One status record of a handle's diagnostics.
struct DiagRecord
{
    /// The record's own copy of its text.
    Support::orvik_wstring m_ownMessage;

    /// A text the record shares instead (the manager's truncation warning of its locale): the
    /// record keeps it alive, so a later change of locale cannot take it away.
    std::shared_ptr<const Support::orvik_wstring> m_sharedMessage;

    /// -1 when the record concerns no particular row or column.
    int64_t m_rowNumber = -1;
    int32_t m_columnNumber = -1;

    /// The record's diagnostic state: a warning state for a warning, an error state for an
    /// error.
    int32_t m_state = 0;
    Support::SqlState m_sqlState;

    /// Computed when the records are sorted: a higher rank comes first within a row.
    int32_t m_rank = 0;
    int32_t m_nativeErrorCode = 0;

    const Support::orvik_wstring& GetMessage() const { return m_sharedMessage ? *m_sharedMessage : m_ownMessage; }
};

} // namespace ODBC
} // namespace Orvik
