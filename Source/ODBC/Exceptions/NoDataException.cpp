#include "ODBC/Exceptions/NoDataException.h"

namespace Orvik {
namespace ODBC {

NoDataException::NoDataException(const Support::orvik_wstring& in_messageKey)
    : ODBCInternalException(in_messageKey)
{
}

} // namespace ODBC
} // namespace Orvik
