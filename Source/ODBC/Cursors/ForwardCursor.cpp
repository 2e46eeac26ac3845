#include "ODBC/Cursors/ForwardCursor.h"

#include "DSI/Client/IResult.h"
#include "DSI/DSIConnection.h"
#include "ODBC/Cursors/BulkColumn.h"
#include "ODBC/Cursors/ColumnValueConverter.h"
#include "ODBC/Cursors/PartialDataColumn.h"
#include "ODBC/Cursors/ResultColumnSource.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/BoundLengths.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <set>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// Runs in_retrieve, which fills the values of io_lengths, and writes them back to the
/// application's buffers, also when it throws: a converter may set them before it reports.
template <typename Retrieve>
bool RetrieveThrough(BoundLengths& io_lengths, Retrieve&& in_retrieve)
{
    bool result = false;
    try
    {
        result = in_retrieve(io_lengths.GetLength(), io_lengths.GetIndicator());
    }
    catch (...)
    {
        io_lengths.Store();
        throw;
    }
    io_lengths.Store();
    return result;
}

/// The size of one element of a bound buffer of a column.
int64_t ElementSizeOf(const CDataWrapper& in_cData, const SqlTypeMetadata& in_column)
{
    return static_cast<int64_t>(in_cData.GetElementSize(in_column.GetTDWType()));
}

bool IsPieceType(int16_t in_cType)
{
    return in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR || in_cType == SQL_C_BINARY || in_cType == SQL_C_DEFAULT;
}

[[noreturn]] void ThrowNotAllowed(uint16_t in_column)
{
    throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"NotAllowedToGetSpecifiedColumn", -1,
                         in_column);
}

} // namespace

ForwardCursor::ForwardCursor(Statement& io_statement,
                             DSI::IResult& io_result,
                             IDiagManager& io_diagnostics,
                             bool in_isUsingBookmarks,
                             bool in_isAscendingOrder)
    : Cursor(io_statement, io_result, io_diagnostics, in_isUsingBookmarks, in_isAscendingOrder),
      m_fetchConverters(m_columnCount + 1),
      m_getDataConverters(m_columnCount + 1)
{
    io_result.SetCursorType(DSI::DSI_FORWARD_ONLY);
}

ForwardCursor::~ForwardCursor() = default;

// Fetching

SQLRETURN ForwardCursor::FetchRows(SQLSMALLINT in_orientation,
                                   SQLLEN,
                                   uint64_t in_rowsetSize,
                                   AppDescriptorBase& io_ard,
                                   SQLUSMALLINT* out_rowStatus,
                                   SQLULEN* out_rowsFetched)
{
    if (in_orientation != SQL_FETCH_NEXT)
    {
        throw ErrorException(DIAG_FETCH_TYPE_OUT_OF_RANGE, ODBC_COMPONENT_ID, u"FetchTypeNotSupported", -1, -1);
    }
    if (m_position == Position::AFTER_LAST || m_isResultEnded)
    {
        return EndOfResult(out_rowsFetched);
    }
    // Another descriptor than the last fetch's is read afresh, whatever its flag says: the
    // records of the last one may be gone.
    if (io_ard.HasBindingsChanged() || &io_ard != m_ard)
    {
        m_isRebuildNeeded = true;
        BuildBindings(io_ard);
        io_ard.SetBindingsChanged(false);
    }
    if (in_rowsetSize != m_rowsInRowset)
    {
        m_result.SetRowsetSize(in_rowsetSize);
    }
    StartRowset(io_ard);
    SQLRETURN result = SQL_SUCCESS;
    if (FetchInBulk(in_rowsetSize, out_rowStatus, out_rowsFetched, result))
    {
        return result;
    }
    if (m_isRebuildNeeded)
    {
        MakeColumnConverters();
        m_isRebuildNeeded = false;
    }
    return FetchRowByRow(in_rowsetSize, out_rowStatus, out_rowsFetched);
}

void ForwardCursor::BuildBindings(AppDescriptorBase& io_ard)
{
    m_ard = &io_ard;
    m_getDataPermitted.clear();
    m_boundColumns.assign(m_columnCount + 1, BoundColumn());
    m_highestBoundColumn = 0;
    for (uint16_t column = 1; column <= m_columnCount; ++column)
    {
        if (!io_ard.HasRecord(column))
        {
            continue;
        }
        AppDescriptorRecord& record = io_ard.GetOrCreateRecord(column);
        if (record.GetData().GetData() == nullptr)
        {
            continue;
        }
        CheckConversion(m_columns[column - 1].m_sqlType, record.GetData().GetMetadata().GetCType(), column);
        m_boundColumns[column].m_record = &record;
        m_highestBoundColumn = column;
    }
    BuildGetDataPermissions();
}

void ForwardCursor::BuildGetDataPermissions()
{
    if (!m_isAscendingOrder)
    {
        m_getDataPermitted.assign(m_columnCount + 1, true);
        m_getDataPermitted[0] = m_isUsingBookmarks;
        for (uint16_t index = 0; index < m_columnCount; ++index)
        {
            m_result.SetDataNeeded(index, true);
        }
        return;
    }
    // In ascending order SQLGetData may only read the columns after the last bound one.
    m_getDataPermitted.assign(m_columnCount + 1, false);
    m_getDataPermitted[0] = m_isUsingBookmarks && m_highestBoundColumn == 0;
    for (uint16_t column = m_highestBoundColumn + 1; column <= m_columnCount; ++column)
    {
        m_getDataPermitted[column] = true;
    }
    for (uint16_t column = 1; column <= m_columnCount; ++column)
    {
        m_result.SetDataNeeded(column - 1, m_boundColumns[column].m_record != nullptr || m_getDataPermitted[column]);
    }
}

void ForwardCursor::StartRowset(AppDescriptorBase& io_ard)
{
    io_ard.LoadBindingOffset();
    const int64_t bindOffset = io_ard.GetBindingOffset();
    const auto bindType = static_cast<int64_t>(io_ard.ReadHeader().m_bindType);
    for (uint16_t column = 1; column <= m_highestBoundColumn; ++column)
    {
        BoundColumn& bound = m_boundColumns[column];
        if (bound.m_record == nullptr)
        {
            continue;
        }
        bound.m_rowOffset = bindOffset;
        bound.m_dataOffset = bindOffset;
        const bool isRowWise = bindType != SQL_BIND_BY_COLUMN;
        bound.m_lengthStride = isRowWise ? bindType : static_cast<int64_t>(sizeof(SQLLEN));
        bound.m_dataStride =
            isRowWise ? bindType : ElementSizeOf(bound.m_record->GetData(), *m_columns[column - 1].m_metadata);
    }
}

void ForwardCursor::MakeColumnConverters()
{
    for (uint16_t column = 1; column <= m_columnCount; ++column)
    {
        ColumnConverters& converters = m_fetchConverters[column];
        if (m_boundColumns[column].m_record == nullptr)
        {
            converters = ColumnConverters();
            continue;
        }
        CDataWrapper& cData = m_boundColumns[column].m_record->GetData();
        const ColumnEntry& entry = m_columns[column - 1];
        if (IsReadInParts(column, cData.GetMetadata().GetCType()))
        {
            converters.m_whole.reset();
            if (converters.m_partial == nullptr)
            {
                converters.m_partial = std::make_unique<PartialDataColumn>(
                    std::make_unique<ResultColumnSource>(m_result, column - 1, *entry.m_metadata), m_diagnostics, true);
            }
            converters.m_partial->AttachCData(cData);
            continue;
        }
        converters.m_partial.reset();
        if (converters.m_whole == nullptr)
        {
            converters.m_whole =
                std::make_unique<ColumnValueConverter>(m_result, column - 1, *entry.m_metadata, m_diagnostics);
        }
        converters.m_whole->AttachCData(cData);
    }
}

SQLRETURN ForwardCursor::FetchRowByRow(uint64_t in_rowsetSize, SQLUSMALLINT* out_rowStatus, SQLULEN* out_rowsFetched)
{
    uint64_t fetched = 0;
    uint64_t errorRows = 0;
    bool hasWarning = false;
    for (; fetched < in_rowsetSize; ++fetched)
    {
        if (!m_result.Move(DSI::DSI_DIR_NEXT, 0))
        {
            break;
        }
        const SQLUSMALLINT status = ConvertRow(fetched + 1);
        errorRows += status == SQL_ROW_ERROR ? 1 : 0;
        hasWarning = hasWarning || status == SQL_ROW_SUCCESS_WITH_INFO;
        if (out_rowStatus != nullptr)
        {
            out_rowStatus[fetched] = status;
        }
    }
    if (fetched == 0)
    {
        // Nothing was fetched: the statuses keep what they held.
        return EndOfResult(out_rowsFetched);
    }
    m_isResultEnded = fetched < in_rowsetSize;
    for (uint64_t missing = fetched; missing < in_rowsetSize && out_rowStatus != nullptr; ++missing)
    {
        out_rowStatus[missing] = SQL_ROW_NOROW;
    }
    EndRowset(in_rowsetSize, fetched, out_rowsFetched);
    if (errorRows > 0)
    {
        // Missing rows count with the errors: a rowset without one good row is an error.
        return errorRows == fetched ? SQL_ERROR : SQL_SUCCESS_WITH_INFO;
    }
    return hasWarning ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLUSMALLINT ForwardCursor::ConvertRow(uint64_t in_row)
{
    SQLUSMALLINT status = SQL_ROW_SUCCESS;
    for (uint16_t column = 1; column <= m_highestBoundColumn; ++column)
    {
        BoundColumn& bound = m_boundColumns[column];
        if (bound.m_record == nullptr)
        {
            continue;
        }
        try
        {
            if (ConvertColumn(column, bound, in_row) && status == SQL_ROW_SUCCESS)
            {
                status = SQL_ROW_SUCCESS_WITH_INFO;
            }
        }
        catch (DataWarningOrError& outcome)
        {
            outcome.SetRowNumber(static_cast<int64_t>(in_row));
            outcome.SetColumnNumber(column);
            PostOutcome(outcome);
            status = outcome.IsError() ? SQL_ROW_ERROR : status == SQL_ROW_ERROR ? SQL_ROW_ERROR : SQL_ROW_SUCCESS_WITH_INFO;
        }
        catch (ErrorException& error)
        {
            error.SetRowNumber(static_cast<int64_t>(in_row));
            error.SetColumnNumber(column);
            m_diagnostics.PostError(error);
            status = SQL_ROW_ERROR;
        }
        bound.m_rowOffset += bound.m_lengthStride;
        bound.m_dataOffset += bound.m_dataStride;
    }
    return status;
}

void ForwardCursor::PostOutcome(const DataWarningOrError& in_outcome)
{
    if (in_outcome.IsError())
    {
        m_diagnostics.PostError(in_outcome);
        return;
    }
    m_diagnostics.PostWarning(in_outcome.GetDiagState(), in_outcome.GetComponentId(), in_outcome.GetMessageKey(),
                              in_outcome.GetRowNumber(), in_outcome.GetColumnNumber());
}

bool ForwardCursor::ConvertColumn(uint16_t in_column, BoundColumn& io_bound, uint64_t in_row)
{
    AppDescriptorRecord& record = *io_bound.m_record;
    record.GetData().SetOffset(io_bound.m_dataOffset);
    BoundLengths lengths(record.GetOctetLengthPtr(), record.GetIndicatorPtr(), io_bound.m_rowOffset);
    const int64_t row = static_cast<int64_t>(in_row);
    ColumnConverters& converters = m_fetchConverters[in_column];
    if (converters.m_partial == nullptr)
    {
        return RetrieveThrough(lengths, [&](SQLLEN* io_length, SQLLEN* io_indicator) {
            return converters.m_whole->Convert(io_length, io_indicator, row);
        });
    }
    converters.m_partial->Reset();
    if (!RetrieveThrough(lengths, [&](SQLLEN* io_length, SQLLEN* io_indicator) {
            return converters.m_partial->RetrieveForFetch(io_length, io_indicator, row);
        }))
    {
        return false;
    }
    converters.m_partial->PostTruncationWarning();
    return true;
}

void ForwardCursor::EndRowset(uint64_t in_rowsetSize, uint64_t in_fetched, SQLULEN* out_rowsFetched)
{
    m_isGetDataInProgress = false;
    m_lastColumnRead = 0;
    if (in_rowsetSize != 1)
    {
        // SQLGetData stays refused until the bindings are read again.
        m_getDataPermitted.clear();
    }
    if (out_rowsFetched != nullptr)
    {
        BoundLengths::Write(out_rowsFetched, static_cast<SQLLEN>(in_fetched));
    }
    m_rowNumber = m_position == Position::BEFORE_FIRST ? 1 : m_rowNumber + m_rowsInRowset;
    m_position = Position::ON_ROWSET;
    m_rowsInRowset = in_rowsetSize;
}

SQLRETURN ForwardCursor::EndOfResult(SQLULEN* out_rowsFetched)
{
    m_position = Position::AFTER_LAST;
    if (out_rowsFetched != nullptr)
    {
        BoundLengths::Write(out_rowsFetched, 0);
    }
    return SQL_NO_DATA;
}

uint64_t ForwardCursor::GetRowNumber()
{
    if (m_position != Position::ON_ROWSET)
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorPos", -1, -1);
    }
    return m_rowNumber;
}

// Fetching in bulk

bool ForwardCursor::FetchInBulk(uint64_t in_rowsetSize,
                                SQLUSMALLINT* out_rowStatus,
                                SQLULEN* out_rowsFetched,
                                SQLRETURN& out_result)
{
    if (!IsBulkCapable(in_rowsetSize))
    {
        return false;
    }
    PrepareBulkColumns();
    const DSI::BulkFetchColumns columns = [this] {
        DSI::BulkFetchColumns pointers;
        for (const std::unique_ptr<BulkColumn>& column : m_bulkColumns)
        {
            pointers.push_back(column.get());
        }
        return pointers;
    }();
    uint64_t fetched = 0;
    while (fetched < in_rowsetSize)
    {
        const uint64_t batch = m_result.BulkFetch(in_rowsetSize - fetched, columns);
        if (batch == 0)
        {
            break;
        }
        fetched += batch;
    }
    if (fetched == 0)
    {
        for (uint64_t row = 0; row < in_rowsetSize && out_rowStatus != nullptr; ++row)
        {
            out_rowStatus[row] = SQL_ROW_NOROW;
        }
        out_result = EndOfResult(out_rowsFetched);
        return true;
    }
    m_isResultEnded = fetched < in_rowsetSize;
    EndRowset(in_rowsetSize, fetched, out_rowsFetched);
    out_result = FinishBulkRowset(in_rowsetSize, fetched, out_rowStatus);
    return true;
}

bool ForwardCursor::IsBulkCapable(uint64_t in_rowsetSize)
{
    if (in_rowsetSize < 2)
    {
        // Row by row from here: the value converters are to be made for the bindings.
        m_isRebuildNeeded = m_isRebuildNeeded || m_isBulkCapable;
        m_isBulkCapable = false;
        return false;
    }
    if (m_isBulkCapable && !m_isRebuildNeeded)
    {
        return true;
    }
    if (!m_isBulkCapable && !m_isRebuildNeeded)
    {
        return false;
    }
    std::set<uint16_t> bound;
    for (uint16_t column = 1; column <= m_highestBoundColumn; ++column)
    {
        if (m_boundColumns[column].m_record != nullptr)
        {
            bound.insert(column - 1);
        }
    }
    // Asked with the bindings just read; the converters of either road are made afresh.
    m_isBulkCapable = !bound.empty() && m_result.CanBulkFetch(bound);
    return m_isBulkCapable;
}

void ForwardCursor::PrepareBulkColumns()
{
    std::vector<BulkColumn::Target> targets;
    for (uint16_t column = 1; column <= m_highestBoundColumn; ++column)
    {
        const BoundColumn& bound = m_boundColumns[column];
        if (bound.m_record == nullptr)
        {
            continue;
        }
        CDataWrapper& cData = bound.m_record->GetData();
        char* data = static_cast<char*>(cData.GetData()) + bound.m_dataOffset;
        targets.push_back({data, ElementSizeOf(cData, *m_columns[column - 1].m_metadata), bound.m_dataStride,
                           bound.m_record->GetOctetLengthPtr(), bound.m_record->GetIndicatorPtr(),
                           bound.m_rowOffset, bound.m_lengthStride});
    }
    if (!m_isRebuildNeeded)
    {
        for (size_t index = 0; index < m_bulkColumns.size(); ++index)
        {
            m_bulkColumns[index]->StartRowset(targets[index]);
        }
        return;
    }
    m_bulkColumns.clear();
    const ISqlToCBulkConverterFactory& factory =
        *m_statement.GetConnection().GetDSIConnection().GetDataConverterTable();
    size_t index = 0;
    for (uint16_t column = 1; column <= m_highestBoundColumn; ++column)
    {
        if (m_boundColumns[column].m_record == nullptr)
        {
            continue;
        }
        m_bulkColumns.push_back(std::make_unique<BulkColumn>(
            column - 1, *m_columns[column - 1].m_metadata, m_boundColumns[column].m_record->GetData().GetMetadata(),
            targets[index++], m_diagnostics, factory));
    }
    m_isRebuildNeeded = false;
}

SQLRETURN ForwardCursor::FinishBulkRowset(uint64_t in_rowsetSize, uint64_t in_fetched, SQLUSMALLINT* out_rowStatus)
{
    std::set<int64_t> errorRows;
    std::set<int64_t> warningRows;
    for (const std::unique_ptr<BulkColumn>& column : m_bulkColumns)
    {
        const BulkColumnListener& listener = column->GetListener();
        errorRows.insert(listener.GetErrorRows().begin(), listener.GetErrorRows().end());
        warningRows.insert(listener.GetWarningRows().begin(), listener.GetWarningRows().end());
    }
    for (uint64_t row = 1; row <= in_rowsetSize && out_rowStatus != nullptr; ++row)
    {
        const int64_t number = static_cast<int64_t>(row);
        out_rowStatus[row - 1] = row > in_fetched              ? SQL_ROW_NOROW
                                 : errorRows.count(number)      ? SQL_ROW_ERROR
                                 : warningRows.count(number)    ? SQL_ROW_SUCCESS_WITH_INFO
                                                                : SQL_ROW_SUCCESS;
    }
    if (errorRows.size() == in_fetched)
    {
        return SQL_ERROR;
    }
    return errorRows.empty() && warningRows.empty() ? SQL_SUCCESS : SQL_SUCCESS_WITH_INFO;
}

// SQLGetData

void ForwardCursor::GetData(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator)
{
    CheckGetData(in_column);
    BoundLengths lengths(out_lengthOrIndicator, out_lengthOrIndicator, 0);
    RetrieveThrough(lengths, [&](SQLLEN* io_lengthOrIndicator, SQLLEN*) {
        RetrieveValue(in_column, io_data, io_lengthOrIndicator);
        return true;
    });
}

void ForwardCursor::RetrieveValue(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator)
{
    ColumnConverters& converters = m_getDataConverters[in_column];
    const bool isProbe = io_data.GetElementSize() == 0 && converters.m_partial == nullptr;
    if (isProbe)
    {
        CheckConversion(m_columns[in_column - 1].m_sqlType, io_data.GetMetadata().GetCType(), in_column);
        if (out_lengthOrIndicator != nullptr)
        {
            *out_lengthOrIndicator = SQL_NO_TOTAL;
        }
    }
    if (m_isGetDataInProgress && in_column == m_lastColumnRead)
    {
        RetrieveNext(in_column, io_data, out_lengthOrIndicator);
    }
    else
    {
        RetrieveFirst(in_column, io_data, out_lengthOrIndicator);
    }
    if (isProbe)
    {
        // Only a look at the value: the next call starts from its beginning.
        converters.m_partial.reset();
        return;
    }
    m_lastColumnRead = in_column;
    m_isGetDataInProgress = true;
    m_isNoMoreData = true;
}

void ForwardCursor::CheckGetData(uint16_t in_column)
{
    if (m_rowsInRowset > 1)
    {
        throw ErrorException(DIAG_INVALID_CURSOR_POSITION, ODBC_COMPONENT_ID, u"InvalidCursorPos", -1, in_column);
    }
    if (in_column > m_columnCount)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidColNumInResultSet", -1,
                             in_column);
    }
    if (in_column == 0)
    {
        if (m_isUsingBookmarks)
        {
            throw ODBCInternalException(u"BookmarkColumnNotSupported");
        }
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"BookmarkColumnNotSupported", -1, 0);
    }
    if (!IsGetDataPermitted(in_column))
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidColNumInResultSet", -1,
                             in_column);
    }
    if (m_isAscendingOrder && in_column < m_lastColumnRead)
    {
        m_isNoMoreData = false;
        ThrowNotAllowed(in_column);
    }
    if (m_position != Position::ON_ROWSET)
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorPos", -1, in_column);
    }
}

bool ForwardCursor::IsReadInParts(uint16_t in_column, int16_t in_cType) const
{
    return m_columns[in_column - 1].m_isInParts && IsPieceType(in_cType);
}

void ForwardCursor::RetrieveNext(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator)
{
    PartialDataColumn* column = m_getDataConverters[in_column].m_partial.get();
    if (column == nullptr || column->IsExhausted())
    {
        if (m_isNoMoreData)
        {
            throw NoDataException(u"NoMoreDataToFetch");
        }
        ThrowNotAllowed(in_column);
    }
    if (column->ResolveCType(io_data.GetMetadata().GetCType()) != column->GetCType())
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"ChangeTypesInMultipartSQLGetDataNotSupported",
                             -1, in_column);
    }
    column->AttachCData(io_data);
    column->RetrieveForGetData(out_lengthOrIndicator, out_lengthOrIndicator, 1);
}

void ForwardCursor::CheckColumnConversion(ColumnConverters& io_converters,
                                          int16_t in_sqlType,
                                          int16_t in_cType,
                                          uint16_t in_column)
{
    if (in_cType != io_converters.m_convertibleCType)
    {
        CheckConversion(in_sqlType, in_cType, in_column);
        io_converters.m_convertibleCType = in_cType;
    }
}

void ForwardCursor::RetrieveFirst(uint16_t in_column, CDataWrapper& io_data, SQLLEN* out_lengthOrIndicator)
{
    ColumnConverters& converters = m_getDataConverters[in_column];
    const ColumnEntry& entry = m_columns[in_column - 1];
    const int16_t cType = io_data.GetMetadata().GetCType();
    if (IsReadInParts(in_column, cType))
    {
        try
        {
            if (converters.m_partial != nullptr)
            {
                converters.m_partial->Reset();
            }
            else
            {
                CheckColumnConversion(converters, entry.m_sqlType, cType, in_column);
                converters.m_partial = std::make_unique<PartialDataColumn>(
                    std::make_unique<ResultColumnSource>(m_result, in_column - 1, *entry.m_metadata), m_diagnostics,
                    false);
            }
            converters.m_partial->AttachCData(io_data);
            converters.m_partial->RetrieveForGetData(out_lengthOrIndicator, out_lengthOrIndicator, 1);
        }
        catch (...)
        {
            converters.m_partial.reset();
            throw;
        }
        return;
    }
    converters.m_partial.reset();
    // The converter is kept from row to row, but each call may ask for another C type.
    CheckColumnConversion(converters, entry.m_sqlType, cType, in_column);
    if (converters.m_whole == nullptr)
    {
        converters.m_whole = std::make_unique<ColumnValueConverter>(m_result, in_column - 1, *entry.m_metadata, m_diagnostics);
    }
    try
    {
        converters.m_whole->AttachCData(io_data);
    }
    catch (...)
    {
        converters.m_whole.reset();
        throw;
    }
    converters.m_whole->Convert(out_lengthOrIndicator, out_lengthOrIndicator, 1);
}

} // namespace ODBC
} // namespace Orvik
