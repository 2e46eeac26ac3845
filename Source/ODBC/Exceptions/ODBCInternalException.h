#pragma once

#include "Support/ErrorException.h"

namespace Orvik {
namespace ODBC {

/// A misuse inside the ODBC layer that the ODBC state tables do not cover: the general error
/// (HY000) of the ODBC layer's component, at no particular row or column.
class ODBCInternalException : public Support::ErrorException
{
public:
    explicit ODBCInternalException(const Support::orvik_wstring& in_messageKey);

    ODBCInternalException(const Support::orvik_wstring& in_messageKey,
                          std::vector<Support::orvik_wstring> in_parameters);
};

} // namespace ODBC
} // namespace Orvik
