#pragma once

#include "ODBC/Exceptions/InvalidTypeException.h"

namespace Orvik {
namespace ODBC {

/// A concise type that is no valid C type.
class InvalidCTypeException : public InvalidTypeException
{
public:
    explicit InvalidCTypeException(const Support::orvik_wstring& in_messageKey);
};

} // namespace ODBC
} // namespace Orvik
