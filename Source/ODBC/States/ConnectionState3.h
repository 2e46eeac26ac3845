#pragma once

#include "ODBC/States/ConnectionStateConnected.h"

namespace Orvik {
namespace ODBC {

/// The connection state of a browse dialogue that needs more data (C3): the next
/// SQLBrowseConnect step, SQLDisconnect and little else.
class ConnectionState3 : public ConnectionStateConnected
{
public:
    /// "NoEstConn" (08003) for statements and descriptors.
    SQLRETURN SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE* out_handle) override;

    /// A further browse step: merges the application's answers into the kept settings and
    /// connects once nothing is missing; a refused answer or login gives SQL_NEED_DATA and the
    /// request string again (a refused login restores the settings of before the step).
    SQLRETURN SQLBrowseConnectW(Connection& io_connection,
                                SQLWCHAR* in_connectionString,
                                SQLSMALLINT in_stringLength,
                                SQLWCHAR* out_connectionString,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_stringLength) override;

    /// "FuncSeqErr" (HY010).
    SQLRETURN SQLGetFunctions(Connection& io_connection, SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported) override;

    /// "NoEstConn" (08003).
    void SQLNativeSqlW(Connection& io_connection,
                       SQLWCHAR* in_statementText,
                       SQLINTEGER in_textLength,
                       SQLWCHAR* out_statementText,
                       SQLINTEGER in_bufferLength,
                       SQLINTEGER* out_textLength) override;

    /// "FuncSeqErr" (HY010) during the dialogue.
    void SQLGetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER out_value,
                           SQLINTEGER in_bufferLength,
                           SQLINTEGER* out_stringLength) override;
    void SQLSetConnectAttr(Connection& io_connection,
                           SQLINTEGER in_attribute,
                           SQLPOINTER in_value,
                           SQLINTEGER in_stringLength) override;
};

} // namespace ODBC
} // namespace Orvik
