#pragma once

#include "ODBC/Exceptions/ODBCInternalException.h"

namespace Orvik {
namespace ODBC {

/// A descriptor record was given a concise type that is no valid type; raised only as one of
/// its two subclasses, which tell a SQL type from a C type.
class InvalidTypeException : public ODBCInternalException
{
protected:
    explicit InvalidTypeException(const Support::orvik_wstring& in_messageKey);
};

} // namespace ODBC
} // namespace Orvik
