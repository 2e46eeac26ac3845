#pragma once

#include "ODBC/Dispatch/ArgumentRecords.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Tasks/OwnedOutputString.h"

namespace Orvik {
namespace ODBC {

class Statement;

/// The task of SQLColAttributeW. For a string field the text (its buffer length counts bytes),
/// its length and the numeric value are written into the task's own storage, and the call that
/// collects the task receives them; for any other field the call writes the application's
/// pointers itself and nothing is collected.
class SQLColAttributeWTask : public ODBCTask
{
public:
    SQLColAttributeWTask(Statement& io_owner, const SQLColAttributeWArgs& in_args);

    /// The result; for a string field whose result lets outputs be copied, the outputs go to the
    /// collecting call's non-null pointers, and a text cut to a buffer smaller than the task's
    /// posts 01004.
    SQLRETURN CopyOutputStrings(const SQLColAttributeWArgs& in_current);

private:
    SQLRETURN Call() override;

    Statement& m_owner;
    SQLColAttributeWArgs m_args;
    bool m_isStringField;
    OwnedOutputString m_text;
    SQLSMALLINT m_stringLength = 0;
    SQLLEN m_numericAttribute = 0;
};

} // namespace ODBC
} // namespace Orvik
