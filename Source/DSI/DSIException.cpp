#include "DSI/DSIException.h"

#include <utility>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

DSIException::DSIException(const orvik_wstring& in_messageKey,
                           std::vector<orvik_wstring> in_parameters,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber)
    : DSIException(Support::DIAG_GENERAL_ERROR,
                   in_messageKey,
                   std::move(in_parameters),
                   in_rowNumber,
                   in_columnNumber)
{
}

DSIException::DSIException(const orvik_wstring& in_messageKey, int64_t in_rowNumber, int32_t in_columnNumber)
    : ErrorException(Support::DIAG_GENERAL_ERROR,
                     Support::DSI_COMPONENT_ID,
                     in_messageKey,
                     in_rowNumber,
                     in_columnNumber)
{
}

DSIException::DSIException(Support::DiagState in_diagState,
                           const orvik_wstring& in_messageKey,
                           std::vector<orvik_wstring> in_parameters,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber)
    : ErrorException(in_diagState,
                     Support::DSI_COMPONENT_ID,
                     in_messageKey,
                     std::move(in_parameters),
                     in_rowNumber,
                     in_columnNumber)
{
}

DSIException DSIException::RequiredSettingNotFound(const orvik_wstring& in_settingName)
{
    return DSIException(Support::DIAG_INVALID_AUTHORIZATION, u"DSIReqSettingNotFound", {in_settingName});
}

} // namespace DSI
} // namespace Orvik
