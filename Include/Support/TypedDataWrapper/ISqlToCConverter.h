#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"

#include <memory>

namespace Orvik {
namespace Support {

class CDataWrapper;
class SqlData;

/// Converts single SQL-side values of one type into an application buffer of one C type. Made by
/// the converter registry (SqlConverterFactory); the caller owns it.
class ISqlToCConverter
{
public:
    virtual ~ISqlToCConverter() = default;

    /// Converts in_source into the buffer io_target describes, setting its length or null flag.
    /// Returns what went wrong with the data, or null.
    virtual std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, CDataWrapper& io_target) = 0;

protected:
    ISqlToCConverter() = default;
};

} // namespace Support
} // namespace Orvik
