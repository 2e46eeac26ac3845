#pragma once

#include "ODBC/Exceptions/InvalidTypeException.h"

namespace Orvik {
namespace ODBC {

/// A concise type that is no valid SQL type.
class InvalidSQLTypeException : public InvalidTypeException
{
public:
    explicit InvalidSQLTypeException(const Support::orvik_wstring& in_messageKey);
};

} // namespace ODBC
} // namespace Orvik
