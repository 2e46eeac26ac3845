#include "DSI/Client/DSISimpleResultSet.h"

#include "DSI/BadColumnException.h"
#include "DSI/Client/IColumns.h"
#include "DSI/DSIException.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

using Support::NumberConverter;

void DSISimpleResultSet::AdvanceRowNumber()
{
    if (m_isStarted)
    {
        ++m_rowNumber;
        return;
    }
    m_isStarted = true;
    m_rowNumber = 0;
}

uint64_t DSISimpleResultSet::BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns)
{
    AdvanceRowNumber();
    const uint64_t fetched = DoBulkFetch(in_rowCount, in_columns);
    if (fetched > 0)
    {
        m_rowNumber += fetched - 1;
    }
    return fetched;
}

uint64_t DSISimpleResultSet::DoBulkFetch(uint64_t, const BulkFetchColumns&)
{
    throw DSIException(u"FuncNotSupported");
}

void DSISimpleResultSet::CloseCursor()
{
    m_isStarted = false;
    m_rowNumber = 0;
    DoCloseCursor();
}

void DSISimpleResultSet::SetDataNeeded(uint16_t in_column, bool in_isNeeded)
{
    if (m_dataNeeded.size() <= in_column)
    {
        const IColumns* columns = GetSelectColumns();
        const uint16_t count = columns == nullptr ? 0 : columns->GetCount();
        // The flags are sized to the columns; there is no flag to set beyond them.
        if (in_column >= count)
        {
            throw BadColumnException(u"InvalidColumnNum", {NumberConverter::ConvertUInt16ToWString(in_column)});
        }
        m_dataNeeded.resize(count, false);
    }
    m_dataNeeded[in_column] = in_isNeeded;
}

bool DSISimpleResultSet::IsDataNeeded(uint16_t in_column)
{
    return in_column < m_dataNeeded.size() && m_dataNeeded[in_column];
}

void DSISimpleResultSet::SetCellmark(uint16_t)
{
    throw DSIException(u"CellmarkingNotSupported");
}

int32_t DSISimpleResultSet::GetResultType()
{
    return DSI_RESULT_SET;
}

bool DSISimpleResultSet::CanBulkFetch(const std::set<uint16_t>&)
{
    return false;
}

void DSISimpleResultSet::SetCursorType(int32_t in_cursorType)
{
    if (in_cursorType != DSI_FORWARD_ONLY)
    {
        throw DSIException(u"CursorTypeNotSupported", {NumberConverter::ConvertInt32ToWString(in_cursorType)});
    }
}

void DSISimpleResultSet::SetRowsetSize(uint64_t)
{
}

bool DSISimpleResultSet::Move(int32_t in_direction, int64_t)
{
    if (in_direction != DSI_DIR_NEXT)
    {
        throw DSIException(u"ResultSetTraverseDirNotSupported", {NumberConverter::ConvertInt32ToWString(in_direction)});
    }
    AdvanceRowNumber();
    return MoveToNextRow();
}

} // namespace DSI
} // namespace Orvik
