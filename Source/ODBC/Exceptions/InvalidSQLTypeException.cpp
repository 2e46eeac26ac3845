#include "ODBC/Exceptions/InvalidSQLTypeException.h"

namespace Orvik {
namespace ODBC {

InvalidSQLTypeException::InvalidSQLTypeException(const Support::orvik_wstring& in_messageKey)
    : InvalidTypeException(in_messageKey)
{
}

} // namespace ODBC
} // namespace Orvik
