#include "ODBC/Parameters/DataAtExecParameter.h"

#include "DSI/BadDefaultParamException.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/DataWrappers/CDataWrapperPool.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Parameters/DefaultOutputParameterSource.h"
#include "ODBC/Parameters/ParameterInput.h"
#include "ODBC/Parameters/ParameterText.h"
#include "ODBC/States/StatementState.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// The piece buffer holds at least one character of any encoding.
constexpr int32_t SMALLEST_PIECE_BUFFER = 4;

/// A C-data wrapper for one piece, from the process's pool when there is one, back to it after.
class PieceWrapper
{
public:
    explicit PieceWrapper(int16_t in_cType)
        : m_pool(CDataWrapperPool::GetInstance()),
          m_wrapper(m_pool != nullptr ? m_pool->Acquire(in_cType)
                                      : std::make_unique<CDataWrapper>(
                                            TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault()
                                                .CreateNewSqlCTypeMetadata(in_cType)))
    {
    }

    ~PieceWrapper()
    {
        if (m_pool != nullptr)
        {
            m_pool->Release(m_wrapper);
        }
    }

    PieceWrapper(const PieceWrapper&) = delete;
    PieceWrapper& operator=(const PieceWrapper&) = delete;

    CDataWrapper& Get() { return *m_wrapper; }

private:
    CDataWrapperPool* m_pool;
    std::unique_ptr<CDataWrapper> m_wrapper;
};

/// The piece's buffer is described as the application described the bound buffer.
void DescribeLike(SqlCTypeMetadata& io_piece, const SqlCTypeMetadata& in_bound)
{
    io_piece.SetLengthOrIntervalPrecision(in_bound.GetLengthOrIntervalPrecision());
    io_piece.SetPrecision(in_bound.GetPrecision());
    io_piece.SetScale(in_bound.GetScale());
    io_piece.SetOctetLength(in_bound.GetOctetLength());
    if (!in_bound.IsPrecisionDefault())
    {
        io_piece.ClearPrecisionDefault();
    }
    if (!in_bound.IsIntervalPrecisionDefault())
    {
        io_piece.ClearIntervalPrecisionDefault();
    }
}

bool IsTextCType(int16_t in_cType)
{
    return in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR || in_cType == SQL_C_DEFAULT;
}

} // namespace

DataAtExecParameter::DataAtExecParameter(DSI::IQueryExecutor& io_executor, Statement& io_statement)
    : m_executor(io_executor), m_statement(io_statement)
{
}

DataAtExecParameter::~DataAtExecParameter() = default;

void DataAtExecParameter::Begin(uint64_t in_set, int16_t in_parameter)
{
    m_set = in_set;
    m_parameter = in_parameter;
    m_hasPiece = false;
    m_isNullOrDefault = false;
    m_converter.reset();
    ImplParamDescriptor& ipd = m_statement.GetIPD();
    const SqlTypeMetadata& metadata = ipd.GetRecord(in_parameter).GetMetadata();
    const auto cType = static_cast<int16_t>(
        m_statement.GetCurrentAPD().ReadField(in_parameter, SQL_DESC_CONCISE_TYPE).m_integer);
    m_countsCharacters = metadata.IsCharacter() || metadata.IsWideCharacter();
    m_hasCapacity = m_countsCharacters || metadata.IsBinary();
    m_canConcatenate = m_hasCapacity && (IsTextCType(cType) || cType == SQL_C_BINARY);
    m_encoding = metadata.GetEncoding();
    m_remaining = m_hasCapacity ? static_cast<uint64_t>(ipd.ReadField(in_parameter, SQL_DESC_LENGTH).m_integer) : 0;
    // Bytes for a character parameter are its text, so they gather and are measured as text does.
    if (m_countsCharacters && (IsTextCType(cType) || cType == SQL_C_BINARY))
    {
        const int16_t valueType = ParameterInput::ResolveCType(cType, metadata.GetTDWType());
        m_converter = EncodingConverterFactory().CreateStrictConverter(
            ParameterText::GetValueEncoding(valueType, m_encoding), m_encoding);
        if (m_buffer == nullptr)
        {
            m_bufferSize = std::max(DSI::DSIDriverSingleton::GetCopiedSize(DSI::DRIVER_PROP_RETRIEVAL_SIZE),
                                    SMALLEST_PIECE_BUFFER);
            m_buffer.reset(new char[static_cast<size_t>(m_bufferSize)]);
        }
        SetBufferAsTarget(*m_converter);
    }
    auto* processed =
        static_cast<SQLULEN*>(ipd.GetHeaderFieldChecked(SQL_DESC_ROWS_PROCESSED_PTR).m_pointer);
    if (processed != nullptr)
    {
        *processed = in_set;
    }
}

void DataAtExecParameter::Push(SQLPOINTER in_data, SQLLEN in_length)
{
    CheckPiece(in_data, in_length);
    if (m_converter != nullptr && in_length != SQL_NULL_DATA && in_length != SQL_DEFAULT_PARAM && in_data != nullptr)
    {
        try
        {
            PushText(in_data, in_length);
        }
        catch (MalformedTextException& e)
        {
            throw ParameterText::AtParameter(e, m_set, static_cast<uint16_t>(m_parameter));
        }
    }
    else
    {
        PushValue(in_data, in_length);
    }
    m_hasPiece = true;
}

void DataAtExecParameter::Finish()
{
    const std::unique_ptr<EncodingConverter> converter = std::move(m_converter);
    if (converter == nullptr || m_isNullOrDefault)
    {
        return;
    }
    // After a piece that filled the buffer the text is still ended, in a fresh buffer: what ends
    // it is written, and a character that its bytes left unfinished is refused.
    const bool isValuePushed = m_isBufferConsumed;
    if (isValuePushed)
    {
        SetBufferAsTarget(*converter);
    }
    int32_t written = 0;
    try
    {
        written = converter->Convert(true);
    }
    catch (MalformedTextException& e)
    {
        throw ParameterText::AtParameter(e, m_set, static_cast<uint16_t>(m_parameter));
    }
    if (written < 0)
    {
        throw ODBCInternalException(u"FlushFailed");
    }
    if (written > 0 || !isValuePushed)
    {
        PushBuffer(written);
    }
    if (converter->NeedsConvert())
    {
        throw ODBCInternalException(u"FlushFailed");
    }
}

void DataAtExecParameter::Clear()
{
    m_converter.reset();
}

void DataAtExecParameter::CheckPiece(SQLPOINTER in_data, SQLLEN in_length)
{
    const auto row = static_cast<int64_t>(m_set);
    if (m_hasPiece && !m_canConcatenate)
    {
        throw ErrorException(DIAG_NON_CHARACTER_DATA_IN_PIECES, ODBC_COMPONENT_ID, u"SendNonCharBinaryConcatData", row,
                             m_parameter);
    }
    if (m_hasPiece &&
        (m_isNullOrDefault || in_length == SQL_NULL_DATA || in_length == SQL_DEFAULT_PARAM || in_data == nullptr))
    {
        throw ErrorException(DIAG_CONCATENATE_NULL_VALUE, ODBC_COMPONENT_ID, u"SendConcatDataForDefaultOrNullParam",
                             row, m_parameter);
    }
    const auto cType = static_cast<int16_t>(
        m_statement.GetCurrentAPD().ReadField(m_parameter, SQL_DESC_CONCISE_TYPE).m_integer);
    const auto sqlType =
        static_cast<int16_t>(m_statement.GetIPD().ReadField(m_parameter, SQL_DESC_CONCISE_TYPE).m_integer);
    if (!StatementState::IsCToSqlConversionSupported(cType, sqlType))
    {
        throw ErrorException(DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, ODBC_COMPONENT_ID, u"DataConvNotSupported", row,
                             m_parameter);
    }
}

void DataAtExecParameter::PushText(SQLPOINTER in_data, SQLLEN in_length)
{
    SQLLEN length = ParameterInput::GetInputLength(in_data, &in_length, m_set, static_cast<uint16_t>(m_parameter));
    if (length == SQL_NTS)
    {
        const auto cType = static_cast<int16_t>(
            m_statement.GetCurrentAPD().ReadField(m_parameter, SQL_DESC_CONCISE_TYPE).m_integer);
        const TDWType sqlTypeId = m_statement.GetIPD().GetRecord(m_parameter).GetMetadata().GetTDWType();
        length = ParameterText::MeasureTerminated(in_data, ParameterInput::ResolveCType(cType, sqlTypeId));
    }
    if (length > std::numeric_limits<int32_t>::max())
    {
        ThrowTooLong();
    }
    m_converter->SetSource(in_data, static_cast<int32_t>(length));
    if (m_isBufferConsumed)
    {
        SetBufferAsTarget(*m_converter);
    }
    for (;;)
    {
        const int32_t written = m_converter->Convert(false);
        if (written == -1)
        {
            break;
        }
        if (written < 0)
        {
            throw ODBCInternalException(u"InvalidConvResult");
        }
        // The buffer is full.
        PushBuffer(written);
        if (!m_converter->NeedsConvert())
        {
            break;
        }
        if (m_remaining == 0)
        {
            ThrowTooLong();
        }
        SetBufferAsTarget(*m_converter);
    }
}

void DataAtExecParameter::PushValue(SQLPOINTER in_data, SQLLEN in_length)
{
    AppDescriptorRecord& record = m_statement.GetCurrentAPD().GetOrCreateRecord(m_parameter);
    const SqlCTypeMetadata& bound = record.GetData().GetMetadata();
    PieceWrapper wrapper(bound.GetCType());
    DescribeLike(wrapper.Get().GetMetadata(), bound);
    wrapper.Get().SetData(in_data);
    const std::unique_ptr<DefaultOutputParameterSource> piece =
        m_statement.GetIPD().CreateDefaultOutputParameterSource(m_parameter);
    std::unique_ptr<ICToSqlConverter> converter;
    SQLLEN lengthOrIndicator = in_length;
    ParameterInput::ConvertInputValue(&lengthOrIndicator, &lengthOrIndicator, wrapper.Get(), m_set,
                                      static_cast<uint16_t>(m_parameter), *piece, m_statement.GetDiagManager(),
                                      converter);
    const SqlData& value = piece->GetHeldData();
    if (!value.IsNull() && !piece->IsDefault())
    {
        UseCapacity(value.GetBuffer(), static_cast<uint64_t>(value.GetConvertedLength()));
    }
    PushToExecutor(*piece);
    m_isNullOrDefault = in_length == SQL_NULL_DATA || in_length == SQL_DEFAULT_PARAM;
}

void DataAtExecParameter::SetBufferAsTarget(EncodingConverter& io_converter)
{
    const uint64_t widest = ParameterText::GetMaxBytesPerCharacter(m_encoding);
    const auto bufferSize = static_cast<uint64_t>(m_bufferSize);
    const uint64_t room = std::min(std::min(m_remaining, bufferSize) * widest, bufferSize);
    io_converter.SetTarget(m_buffer.get(), static_cast<int32_t>(room));
    m_isBufferConsumed = false;
}

void DataAtExecParameter::PushBuffer(int32_t in_bytes)
{
    UseCapacity(m_buffer.get(), static_cast<uint64_t>(in_bytes));
    const std::unique_ptr<DefaultOutputParameterSource> piece =
        m_statement.GetIPD().CreateDefaultOutputParameterSource(m_parameter);
    SqlData& value = piece->GetHeldData();
    value.SetLength(static_cast<uint32_t>(in_bytes));
    std::memcpy(value.GetBuffer(), m_buffer.get(), static_cast<size_t>(in_bytes));
    value.SetConvertedLength(in_bytes);
    value.SetNull(false);
    PushToExecutor(*piece);
    m_isBufferConsumed = true;
}

void DataAtExecParameter::UseCapacity(const void* in_value, uint64_t in_length)
{
    if (!m_hasCapacity)
    {
        return;
    }
    const uint64_t used = m_countsCharacters ? ParameterText::CountCharacters(in_value, in_length, m_encoding) : in_length;
    if (used > m_remaining)
    {
        ThrowTooLong();
    }
    m_remaining -= used;
}

void DataAtExecParameter::PushToExecutor(DSI::ParameterSource& io_piece)
{
    try
    {
        m_executor.PushParamData(m_set, io_piece);
    }
    catch (const DSI::BadDefaultParamException& e)
    {
        throw ErrorException(DIAG_INVALID_USE_OF_DEFAULT_PARAMETER, e.GetComponentId(), e.GetMessageKey(),
                             e.GetParameters(), e.GetRowNumber(), e.GetColumnNumber());
    }
}

void DataAtExecParameter::ThrowTooLong() const
{
    throw ErrorException(DIAG_STRING_RIGHT_TRUNCATED, ODBC_COMPONENT_ID, u"StrRightTruncErr",
                         static_cast<int64_t>(m_set), m_parameter);
}

} // namespace ODBC
} // namespace Orvik
