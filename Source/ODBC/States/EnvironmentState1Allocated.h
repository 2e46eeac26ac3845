#pragma once

#include "ODBC/States/EnvironmentState.h"

namespace Orvik {
namespace ODBC {

/// E1: the environment has no connection. Its attributes can be set; the first connection
/// moves it to E2; there is nothing to free and no transaction to end.
class EnvironmentState1Allocated : public EnvironmentState
{
public:
    explicit EnvironmentState1Allocated(Environment& io_environment);

    EnvironmentStateResult
    SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE in_inputHandle, SQLHANDLE* out_handle) override;

    /// SQL_ERROR without a record.
    EnvironmentStateResult SQLEndTran(SQLSMALLINT in_completionType) override;

    /// Throws ODBCInternalException "InvalidFreeHandleOperationInEnvAllocState".
    std::unique_ptr<EnvironmentState> SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle) override;

    void SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
