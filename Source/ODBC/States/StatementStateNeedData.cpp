#include "ODBC/States/StatementStateNeedData.h"

#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState2.h"
#include "ODBC/States/StatementState3.h"
#include "ODBC/States/StatementState5.h"
#include "ODBC/States/StatementState6.h"
#include "ODBC/States/StatementState7.h"
#include "Support/ErrorException.h"

#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// Where each origin kind returns on cancel or failure, where it leads once the data is
/// complete (0: where the execution's result leads), and whether completing runs the execution.
struct KindRow
{
    int32_t m_returnState;
    int32_t m_completeState;
    bool m_runsExecution;
};

constexpr KindRow KINDS[] = {
    {1, 0, true},  // DIRECT_RESULT_SET
    {1, 0, true},  // DIRECT_ROW_COUNT
    {3, 0, true},  // PREPARED_RESULT_SET
    {2, 0, true},  // PREPARED_ROW_COUNT
    {7, 7, false}, // EXTENDED_FETCHED
    {5, 5, false}, // CURSOR_OPEN
    {6, 6, false}, // FETCHED
};

const KindRow* FindKind(int32_t in_kind)
{
    return in_kind >= 0 && in_kind < static_cast<int32_t>(std::size(KINDS)) ? &KINDS[in_kind] : nullptr;
}

std::unique_ptr<StatementState> MakeState(int32_t in_number, Statement& io_statement)
{
    switch (in_number)
    {
    case 1:
        return std::make_unique<StatementState1>(io_statement);
    case 2:
        return std::make_unique<StatementState2>(io_statement);
    case 3:
        return std::make_unique<StatementState3>(io_statement);
    case 5:
        return std::make_unique<StatementState5>(io_statement);
    case 6:
        return std::make_unique<StatementState6>(io_statement);
    default:
        return std::make_unique<StatementState7>(io_statement);
    }
}

} // namespace

std::unique_ptr<StatementState> StatementStateNeedData::MakeReturnState()
{
    const KindRow* kind = FindKind(m_kind);
    return kind != nullptr ? MakeState(kind->m_returnState, m_statement) : nullptr;
}

ExecutionContext& StatementStateNeedData::GetExecutionContext()
{
    return m_statement.GetQueryManager()->GetExecutionContext();
}

std::unique_ptr<StatementState> StatementStateNeedData::DoSQLCancel()
{
    if (m_statement.IsInCancelableCall())
    {
        return StatementState::DoSQLCancel();
    }
    GetExecutionContext().ResetAndCancel();
    return MakeReturnState();
}

void StatementStateNeedData::DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER, SQLINTEGER)
{
    if (IsCursorShapingAttribute(in_attribute))
    {
        throw ErrorException(DIAG_ATTRIBUTE_CANNOT_BE_SET_NOW, ODBC_COMPONENT_ID, u"AttrCantBeSetNow", -1, -1);
    }
    throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
}

StatementStateResult StatementStateNeedData::Complete()
{
    const KindRow* kind = FindKind(m_kind);
    if (kind == nullptr)
    {
        return {nullptr, SQL_ERROR};
    }
    if (!kind->m_runsExecution)
    {
        return {MakeState(kind->m_completeState, m_statement), SQL_SUCCESS};
    }
    m_statement.GetDiagManager().Clear();
    const SQLRETURN result = GetExecutionContext().Execute();
    DescribeCurrentResult();
    return {MakeExecutedState(), result};
}

StatementStateResult StatementStateNeedData::Fail(const char* in_class, const char* in_method)
{
    PostFailure(in_class, in_method);
    GetExecutionContext().ResetAndCancel();
    std::unique_ptr<StatementState> next = MakeReturnState();
    return {std::move(next), SQL_ERROR};
}

} // namespace ODBC
} // namespace Orvik
