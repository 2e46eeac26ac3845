#include "Support/TypedDataWrapper/SqlToCBulkConverter.h"

#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace Support {

namespace {

// The refusals name the template's header and a fixed line, the same for every converter and
// every build, so that a report can be matched however the file is edited.
const char* const HEADER_PATH = "Include/Support/TypedDataWrapper/SqlToCBulkConverter.h";
constexpr int64_t INVALID_LAYOUT_LINE = 106;
constexpr int64_t CUSTOM_LAYOUT_LINE = 306;

} // namespace

void ThrowBulkLayoutInvalid()
{
    std::vector<orvik_wstring> parameters;
    parameters.push_back(orvik_wstring(HEADER_PATH));
    parameters.push_back(NumberConverter::ConvertInt64ToWString(INVALID_LAYOUT_LINE));
    throw InvalidArgumentException(SupportError(SupportErrorCode::InvalidArgument), std::move(parameters));
}

void ThrowBulkLayoutNotSupported()
{
    std::vector<orvik_wstring> parameters;
    parameters.push_back(orvik_wstring(u"SqlToCBulkConverter::ConvertCustom"));
    parameters.push_back(orvik_wstring(HEADER_PATH));
    parameters.push_back(NumberConverter::ConvertInt64ToWString(CUSTOM_LAYOUT_LINE));
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation), std::move(parameters));
}

template class SqlToCBulkConverter<SqlToCKernel>;

} // namespace Support
} // namespace Orvik
