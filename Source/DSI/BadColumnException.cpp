#include "DSI/BadColumnException.h"

#include <utility>

namespace Orvik {
namespace DSI {

BadColumnException::BadColumnException(const Support::orvik_wstring& in_messageKey,
                                       std::vector<Support::orvik_wstring> in_parameters,
                                       int64_t in_rowNumber,
                                       int32_t in_columnNumber)
    : DSIException(in_messageKey, std::move(in_parameters), in_rowNumber, in_columnNumber)
{
}

} // namespace DSI
} // namespace Orvik
