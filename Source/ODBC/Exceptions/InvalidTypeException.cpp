#include "ODBC/Exceptions/InvalidTypeException.h"

namespace Orvik {
namespace ODBC {

InvalidTypeException::InvalidTypeException(const Support::orvik_wstring& in_messageKey)
    : ODBCInternalException(in_messageKey)
{
}

} // namespace ODBC
} // namespace Orvik
