#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

/// The outcome of one value conversion while rows are fetched: posted on the statement as an
/// error record when it is an error, otherwise as a warning.
class DataWarningOrError : public Support::ErrorException
{
public:
    /// A finding of the ODBC layer's component.
    DataWarningOrError(bool in_isError,
                       Support::DiagState in_diagState,
                       const Support::orvik_wstring& in_messageKey,
                       int64_t in_rowNumber,
                       int32_t in_columnNumber);

    bool IsError() const { return m_isError; }

private:
    bool m_isError;
};

} // namespace ODBC
} // namespace Orvik
