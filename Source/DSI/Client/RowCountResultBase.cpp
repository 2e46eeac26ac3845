#include "DSI/Client/RowCountResultBase.h"

#include "DSI/DSIException.h"

namespace Orvik {
namespace DSI {

namespace {

[[noreturn]] void RefuseCursorOperation()
{
    throw DSIException(u"CannotPerformCursorOrDataRetrievalOperationOnRowCountResult");
}

} // namespace

uint64_t RowCountResultBase::BulkFetch(uint64_t, const BulkFetchColumns&)
{
    throw DSIException(u"FuncNotSupported");
}

void RowCountResultBase::CloseCursor()
{
    RefuseCursorOperation();
}

void RowCountResultBase::SetDataNeeded(uint16_t, bool)
{
    RefuseCursorOperation();
}

bool RowCountResultBase::IsDataNeeded(uint16_t)
{
    RefuseCursorOperation();
}

bool RowCountResultBase::RetrieveData(uint16_t, Support::SqlData&, int64_t, int64_t)
{
    RefuseCursorOperation();
}

void RowCountResultBase::SetCellmark(uint16_t)
{
    throw DSIException(u"CellmarkingNotSupported");
}

int32_t RowCountResultBase::GetResultType()
{
    return DSI_ROW_COUNT;
}

IColumns* RowCountResultBase::GetSelectColumns()
{
    return nullptr;
}

bool RowCountResultBase::CanBulkFetch(const std::set<uint16_t>&)
{
    return false;
}

void RowCountResultBase::SetCursorType(int32_t)
{
    RefuseCursorOperation();
}

void RowCountResultBase::SetRowsetSize(uint64_t)
{
    RefuseCursorOperation();
}

bool RowCountResultBase::Move(int32_t, int64_t)
{
    RefuseCursorOperation();
}

} // namespace DSI
} // namespace Orvik
