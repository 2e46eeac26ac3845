#include "ODBC/Exceptions/InvalidCTypeException.h"

namespace Orvik {
namespace ODBC {

InvalidCTypeException::InvalidCTypeException(const Support::orvik_wstring& in_messageKey)
    : InvalidTypeException(in_messageKey)
{
}

} // namespace ODBC
} // namespace Orvik
