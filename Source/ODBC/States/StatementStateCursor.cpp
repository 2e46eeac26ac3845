#include "ODBC/States/StatementStateCursor.h"

#include "DSI/DSIStatement.h"
#include "ODBC/Attributes/AttributesBase.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Cursors/Cursor.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/DataWrappers/CDataWrapperPool.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState3.h"
#include "ODBC/States/StatementState4.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

ErrorException Error(DiagState in_state, const char16_t* in_key)
{
    return ErrorException(in_state, ODBC_COMPONENT_ID, in_key, -1, -1);
}

} // namespace

StatementStateCursor::StatementStateCursor(Statement& io_statement)
    // The module, and with it the pool, lives as long as any statement.
    : StatementState(io_statement), m_getDataWrapper(CDataWrapperPool::GetInstance()->Acquire(SQL_C_DEFAULT))
{
}

StatementStateCursor::~StatementStateCursor()
{
    if (CDataWrapperPool* pool = CDataWrapperPool::GetInstance())
    {
        pool->Release(m_getDataWrapper);
        for (std::unique_ptr<CDataWrapper>& wrapper : m_columnWrappers)
        {
            if (wrapper != nullptr)
            {
                pool->Release(wrapper);
            }
        }
    }
}

std::unique_ptr<StatementState> StatementStateCursor::DoSQLCancel()
{
    if (m_statement.IsInCancelableCall())
    {
        return StatementState::DoSQLCancel();
    }
    if (!IsOdbc2Application())
    {
        return nullptr;
    }
    m_statement.GetDiagManager().PostWarning(DIAG_CANCEL_TREATED_AS_CLOSE, ODBC_COMPONENT_ID, u"CancelTreatedAsCloseWarn",
                                             -1, -1);
    return CloseCursor();
}

std::unique_ptr<StatementState> StatementStateCursor::DoSQLCloseCursor()
{
    return CloseCursor();
}

void StatementStateCursor::DoSQLColAttributeW(SQLUSMALLINT in_column,
                                              SQLUSMALLINT in_field,
                                              SQLPOINTER out_characterAttribute,
                                              SQLSMALLINT in_bufferLength,
                                              SQLSMALLINT* out_stringLength,
                                              SQLLEN* out_numericAttribute)
{
    GetColAttributeField(in_column, in_field, out_characterAttribute, in_bufferLength, out_stringLength,
                         out_numericAttribute);
}

StatementStateResult StatementStateCursor::DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag)
{
    const uint16_t behavior = GetCursorBehavior(in_completionType);
    if (behavior != SQL_CB_DELETE && behavior != SQL_CB_CLOSE)
    {
        return {nullptr, SQL_SUCCESS};
    }
    // Attribute values clamped for the cursor stay: a transaction's end is no close of the
    // application's.
    m_statement.GetQueryManager()->CloseCursor();
    if (behavior == SQL_CB_CLOSE && in_flag)
    {
        return {std::make_unique<StatementState4>(m_statement), SQL_SUCCESS};
    }
    if (behavior == SQL_CB_CLOSE && m_statement.IsPrepared())
    {
        return {std::make_unique<StatementState3>(m_statement), SQL_SUCCESS};
    }
    return {std::make_unique<StatementState1>(m_statement), SQL_SUCCESS};
}

StatementStateResult StatementStateCursor::DoSQLExecute()
{
    if (m_statement.IsPrepared())
    {
        throw Error(DIAG_INVALID_CURSOR_STATE, u"InvalidCursorState");
    }
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

std::unique_ptr<StatementState> StatementStateCursor::DoSQLFreeStmt(SQLUSMALLINT in_option)
{
    return in_option == SQL_CLOSE ? CloseCursor() : StatementState::DoSQLFreeStmt(in_option);
}

StatementStateResult StatementStateCursor::DoSQLGetData(SQLUSMALLINT in_column,
                                                        SQLSMALLINT in_targetType,
                                                        SQLPOINTER out_target,
                                                        SQLLEN in_bufferLength,
                                                        SQLLEN* out_lengthOrIndicator)
{
    // The Driver Manager refuses these before they reach the driver; an application that calls
    // the driver's exports itself gets the same answers.
    if (in_bufferLength < 0)
    {
        throw Error(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"InvalidStrOrBuffLen");
    }
    if (in_targetType != SQL_ARD_TYPE && !TypeConversionInfo::IsSupportedCType(in_targetType))
    {
        throw Error(DIAG_INVALID_APP_BUFFER_TYPE, u"SqlCTypeNotSupported");
    }
    AppDescriptorBase& ard = m_statement.GetCurrentARD();
    const auto column = static_cast<int16_t>(in_column);
    CDataWrapper* data = m_getDataWrapper.get();
    if (in_targetType == SQL_ARD_TYPE || in_targetType == SQL_C_DEFAULT)
    {
        CriticalSectionLock lock(ard.GetLock());
        const bool hasRecord = column != 0 && ard.HasRecord(column);
        if (in_targetType == SQL_ARD_TYPE && !hasRecord)
        {
            throw Error(DIAG_INVALID_DESCRIPTOR_INDEX, u"InvalidDescIndex");
        }
        data->Reset(in_targetType == SQL_ARD_TYPE
                       ? static_cast<int16_t>(ard.ReadField(column, SQL_DESC_CONCISE_TYPE).m_integer)
                       : in_targetType);
        if (hasRecord)
        {
            SqlCTypeMetadata& metadata = data->GetMetadata();
            metadata.SetLengthOrIntervalPrecision(static_cast<uint64_t>(ard.ReadField(column, SQL_DESC_LENGTH).m_integer));
            metadata.SetPrecision(static_cast<int16_t>(ard.ReadField(column, SQL_DESC_PRECISION).m_integer));
            metadata.SetScale(static_cast<int16_t>(ard.ReadField(column, SQL_DESC_SCALE).m_integer));
        }
    }
    else
    {
        data = &GetColumnWrapper(in_column, in_targetType);
        if (SqlCTypeUtilities::Current().IsCharacterOrBinaryType(in_targetType))
        {
            data->GetMetadata().SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_bufferLength));
        }
    }
    data->SetData(out_target);
    data->GetMetadata().SetOctetLength(static_cast<uint64_t>(in_bufferLength));
    m_statement.GetQueryManager()->GetCursor()->GetData(in_column, *data, out_lengthOrIndicator);
    return {nullptr, SQL_SUCCESS};
}

CDataWrapper& StatementStateCursor::GetColumnWrapper(uint16_t in_column, int16_t in_cType)
{
    if (in_column >= m_columnWrappers.size())
    {
        m_columnWrappers.resize(in_column + 1u);
    }
    std::unique_ptr<CDataWrapper>& wrapper = m_columnWrappers[in_column];
    if (wrapper == nullptr)
    {
        wrapper = CDataWrapperPool::GetInstance()->Acquire(in_cType);
    }
    else if (wrapper->GetMetadata().GetCType() != in_cType)
    {
        wrapper->Reset(in_cType);
    }
    else
    {
        wrapper->ClearFields();
    }
    return *wrapper;
}

void StatementStateCursor::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                             SQLPOINTER out_value,
                                             SQLINTEGER in_bufferLength,
                                             SQLINTEGER* out_stringLength)
{
    if (in_attribute != SQL_ATTR_ROW_NUMBER)
    {
        StatementState::DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
        return;
    }
    QueryManager* manager = m_statement.GetQueryManager();
    if (manager == nullptr)
    {
        throw ODBCInternalException(u"InvalidQueryMgr");
    }
    const std::unique_ptr<AttributeData> rowNumber(AttributeData::MakeNewUIntNativeAttributeData(manager->GetRowNumber()));
    AttributesBase::GetValueToBuffer(&m_statement.GetDiagManager(), *rowNumber, in_bufferLength, out_value,
                                     out_stringLength);
}

StatementStateResult StatementStateCursor::DoSQLMoreResults()
{
    return MoveToNextResult();
}

StatementStateResult StatementStateCursor::DoSQLSetPos(SQLSETPOSIROW, SQLUSMALLINT, SQLUSMALLINT)
{
    if (m_statement.GetAttributes().GetValue(SQL_ATTR_CURSOR_TYPE) != SQL_CURSOR_FORWARD_ONLY)
    {
        throw ODBCInternalException(u"InvalidCursorType");
    }
    if (m_statement.GetQueryManager()->IsOnRow())
    {
        throw Error(DIAG_INVALID_CURSOR_POSITION, u"InvalidForwardSetPosOper");
    }
    throw Error(DIAG_INVALID_CURSOR_POSITION, u"InvalidCursorPos");
}

void StatementStateCursor::DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    if (IsCursorShapingAttribute(in_attribute))
    {
        throw Error(DIAG_INVALID_CURSOR_STATE, u"InvalidCursorState");
    }
    StatementState::DoSQLSetStmtAttrW(in_attribute, in_value, in_stringLength);
}

SQLRETURN StatementStateCursor::Fetch(SQLSMALLINT in_orientation, SQLLEN in_offset)
{
    AppDescriptorBase& ard = m_statement.GetCurrentARD();
    CriticalSectionLock lock(ard.GetLock());
    const uint64_t rowsetSize = ard.ReadHeader().m_arraySize;
    const DescriptorHeader ird = m_statement.GetIRD().ReadHeader();
    return m_statement.GetQueryManager()->Fetch(in_orientation, in_offset, rowsetSize,
                                                static_cast<SQLUSMALLINT*>(ird.m_arrayStatusPtr),
                                                static_cast<SQLULEN*>(ird.m_rowsProcessedPtr));
}

SQLRETURN StatementStateCursor::ExtendedFetch(SQLUSMALLINT in_orientation,
                                              SQLLEN in_offset,
                                              SQLULEN* out_rowCount,
                                              SQLUSMALLINT* out_rowStatus)
{
    QueryManager* manager = m_statement.GetQueryManager();
    if (manager == nullptr)
    {
        throw ODBCInternalException(u"InvalidQueryMgr");
    }
    const uint32_t rowsetSize = m_statement.GetAttributes().GetAttribute(SQL_ROWSET_SIZE)->GetUIntNativeValue();
    AppDescriptorBase& ard = m_statement.GetCurrentARD();
    CriticalSectionLock lock(ard.GetLock());
    SQLULEN rowsFetched = 0;
    const SQLRETURN result =
        manager->Fetch(static_cast<SQLSMALLINT>(in_orientation), in_offset, rowsetSize, out_rowStatus, &rowsFetched);
    if (out_rowCount != nullptr)
    {
        *out_rowCount = rowsFetched;
    }
    return result;
}

std::unique_ptr<StatementState> StatementStateCursor::CloseCursor()
{
    m_statement.GetQueryManager()->CloseCursor();
    m_statement.GetAttributes().RevertToOriginal();
    if (m_statement.IsPrepared())
    {
        return std::make_unique<StatementState3>(m_statement);
    }
    return std::make_unique<StatementState1>(m_statement);
}

} // namespace ODBC
} // namespace Orvik
