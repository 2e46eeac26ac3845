#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"

#include <memory>

namespace Orvik {
namespace Support {

class SqlData;

/// Converts single SQL-side values of one type into another SQL type. The registry's table of
/// these answers convertibility questions; the caller of a creator owns the converter.
class ISqlToSqlConverter
{
public:
    virtual ~ISqlToSqlConverter() = default;

    /// Converts in_source into io_target. Returns what went wrong with the data, or null.
    virtual std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, SqlData& io_target) = 0;

protected:
    ISqlToSqlConverter() = default;
};

} // namespace Support
} // namespace Orvik
