#include "ODBC/Exceptions/ODBCInternalException.h"

#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

ODBCInternalException::ODBCInternalException(const orvik_wstring& in_messageKey)
    : ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, in_messageKey, -1, -1)
{
}

ODBCInternalException::ODBCInternalException(const orvik_wstring& in_messageKey,
                                             std::vector<orvik_wstring> in_parameters)
    : ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, in_messageKey, std::move(in_parameters), -1, -1)
{
}

} // namespace ODBC
} // namespace Orvik
