#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"

#include <memory>

namespace Orvik {

namespace ODBC {
class CDataWrapper;
} // namespace ODBC

namespace Support {

class SqlData;

/// Converts single application values of one C type into SQL-side values of one type, for bound
/// parameters. Made by the converter registry (SqlConverterFactory); the caller owns it.
class ICToSqlConverter
{
public:
    virtual ~ICToSqlConverter() = default;

    /// Converts the value in_source describes into io_target. Returns what went wrong with the
    /// data, or null.
    virtual std::unique_ptr<ConversionResult> Convert(const ODBC::CDataWrapper& in_source, SqlData& io_target) = 0;

protected:
    ICToSqlConverter() = default;
};

} // namespace Support
} // namespace Orvik
