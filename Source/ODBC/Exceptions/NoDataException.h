#pragma once

#include "ODBC/Exceptions/ODBCInternalException.h"

namespace Orvik {
namespace ODBC {

/// There is nothing to return: the ODBC functions that catch it return SQL_NO_DATA without a
/// diagnostic record.
class NoDataException : public ODBCInternalException
{
public:
    explicit NoDataException(const Support::orvik_wstring& in_messageKey);
};

} // namespace ODBC
} // namespace Orvik
