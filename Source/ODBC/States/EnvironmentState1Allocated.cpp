#include "ODBC/States/EnvironmentState1Allocated.h"

#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"

namespace Orvik {
namespace ODBC {

namespace {

const char* const LOG_CLASS = "EnvironmentState1Allocated";

} // namespace

EnvironmentState1Allocated::EnvironmentState1Allocated(Environment& io_environment) : EnvironmentState(io_environment)
{
}

EnvironmentStateResult
EnvironmentState1Allocated::SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE, SQLHANDLE* out_handle)
{
    LogEntrance(LOG_CLASS, "SQLAllocHandle");
    EnvironmentStateResult result;
    result.m_nextState = AdoptConnection(MakeConnection(in_handleType), true, out_handle);
    return result;
}

EnvironmentStateResult EnvironmentState1Allocated::SQLEndTran(SQLSMALLINT)
{
    EnvironmentStateResult result;
    result.m_result = SQL_ERROR;
    return result;
}

std::unique_ptr<EnvironmentState> EnvironmentState1Allocated::SQLFreeHandle(SQLSMALLINT, SQLHANDLE)
{
    throw ODBCInternalException(u"InvalidFreeHandleOperationInEnvAllocState");
}

void EnvironmentState1Allocated::SQLSetEnvAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    LogEntrance(LOG_CLASS, "SQLSetEnvAttr");
    m_environment.GetAttributes().SetAttribute(in_attribute, reinterpret_cast<intptr_t>(in_value), in_stringLength);
}

} // namespace ODBC
} // namespace Orvik
