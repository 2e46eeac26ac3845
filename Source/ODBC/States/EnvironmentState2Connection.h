#pragma once

#include "ODBC/States/EnvironmentState.h"

namespace Orvik {
namespace ODBC {

/// E2: the environment has at least one connection. More connections can be allocated;
/// freeing the last returns to E1; transactions can be ended; attributes can no longer be set.
class EnvironmentState2Connection : public EnvironmentState
{
public:
    /// The state entered with in_firstConnection, which goes to the environment's list.
    EnvironmentState2Connection(Environment& io_environment, std::unique_ptr<Connection> in_firstConnection);

    EnvironmentStateResult
    SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE in_inputHandle, SQLHANDLE* out_handle) override;

    /// Throws "InvalidTransType" (HY012) for a completion type other than commit and rollback;
    /// a failure while the connections end their transactions gives SQL_ERROR without a record.
    EnvironmentStateResult SQLEndTran(SQLSMALLINT in_completionType) override;

    /// Throws ODBCInternalException "InvalidConn" for a handle that is not one of this
    /// environment's connections.
    std::unique_ptr<EnvironmentState> SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle) override;

    /// Throws "FuncSeqErr" (HY010).
    void SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
