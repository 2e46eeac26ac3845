#include "ODBC/Tasks/SQLColAttributeWTask.h"

#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Dispatch/DispatchedCalls.h"
#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace ODBC {

SQLColAttributeWTask::SQLColAttributeWTask(Statement& io_owner, const SQLColAttributeWArgs& in_args)
    : ODBCTask(io_owner.GetDiagManager(), SQLColAttributeWCall::TaskName),
      m_owner(io_owner),
      m_args(in_args),
      m_isStringField(Descriptor::IsStringField(static_cast<SQLSMALLINT>(in_args.FieldIdentifier)))
{
    if (m_isStringField)
    {
        m_text.Capture(m_args.CharacterAttributePtr, m_args.BufferLength, true);
        m_args.StringLengthPtr = &m_stringLength;
        m_args.NumericAttributePtr = &m_numericAttribute;
    }
}

SQLRETURN SQLColAttributeWTask::CopyOutputStrings(const SQLColAttributeWArgs& in_current)
{
    SQLRETURN result = GetResult();
    if (!m_isStringField || !HasOutputs(result))
    {
        return result;
    }
    CopyOutput(in_current.StringLengthPtr, m_stringLength);
    CopyOutput(in_current.NumericAttributePtr, m_numericAttribute);
    if (m_text.CopyTo(in_current.CharacterAttributePtr, in_current.BufferLength, m_stringLength))
    {
        result = PostTruncation(result);
    }
    return result;
}

SQLRETURN SQLColAttributeWTask::Call()
{
    return SQLColAttributeWCall::Call(m_owner, m_args);
}

} // namespace ODBC
} // namespace Orvik
