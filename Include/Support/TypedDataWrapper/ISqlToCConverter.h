#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"

#include <memory>

namespace Orvik {

namespace ODBC {
class CDataWrapper;
} // namespace ODBC

namespace Support {

class SqlData;

/// Converts single SQL-side values of one type into an application buffer of one C type. Made by
/// the converter registry (SqlConverterFactory); the caller owns it.
class ISqlToCConverter
{
public:
    virtual ~ISqlToCConverter() = default;

    /// Converts in_source into the buffer io_target describes. A NULL value sets the target's null
    /// flag and touches nothing else; any other value clears it, is written at the target's
    /// address (nothing is written when there is none) and sets its output length. Returns what
    /// went wrong with the data, or null.
    virtual std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, ODBC::CDataWrapper& io_target) = 0;

protected:
    ISqlToCConverter() = default;
};

} // namespace Support
} // namespace Orvik
