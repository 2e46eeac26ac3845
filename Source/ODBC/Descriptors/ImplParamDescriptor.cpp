#include "ODBC/Descriptors/ImplParamDescriptor.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Parameters/PopulatingParameterSource.h"
#include "Support/CriticalSectionLock.h"

#include <sqlext.h>

#include <iterator>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// What SQLCopyDesc copies into an IPD.
constexpr int16_t HEADER_REQUIRED[] = {SQL_DESC_COUNT, SQL_DESC_ARRAY_STATUS_PTR};
constexpr int16_t HEADER_OPTIONAL[] = {SQL_DESC_ROWS_PROCESSED_PTR};
constexpr int16_t RECORD_REQUIRED[] = {
    SQL_DESC_CONCISE_TYPE, SQL_DESC_DATETIME_INTERVAL_CODE, SQL_DESC_DATETIME_INTERVAL_PRECISION,
    SQL_DESC_PRECISION,    SQL_DESC_SCALE,                  SQL_DESC_LENGTH,
    SQL_DESC_OCTET_LENGTH, SQL_DESC_UNSIGNED,
};
constexpr int16_t RECORD_OPTIONAL[] = {SQL_DESC_PARAMETER_TYPE, SQL_DESC_CASE_SENSITIVE, SQL_DESC_UNNAMED, SQL_DESC_NAME};

[[noreturn]] void ThrowNoBookmarkRecord()
{
    throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"BookmarkColumnNotSupported", -1, -1);
}

void CheckParameterNumber(int16_t in_recNumber)
{
    if (in_recNumber == 0)
    {
        ThrowNoBookmarkRecord();
    }
    if (in_recNumber < 0)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidDescIndex", -1, -1);
    }
}

} // namespace

ImplParamDescriptor::ImplParamDescriptor(HandleValue in_handle,
                                         Connection* in_parentConnection,
                                         IMessageSource* in_messageSource,
                                         DSI::ILogger* in_log)
    : Descriptor(DescriptorKind::IPD, in_handle, SQL_DESC_ALLOC_AUTO, in_parentConnection, in_messageSource, in_log),
      m_records(1),
      m_defaultRecord(std::make_unique<ImplParamDescriptorRecord>(0))
{
}

ImplParamDescriptor::~ImplParamDescriptor() = default;

void ImplParamDescriptor::SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value)
{
    CriticalSectionLock lock(GetLock());
    const bool isHeader = DescriptorFields::IsHeader(in_field);
    if (isHeader ? !IsHeaderField(in_field)
                 : DescriptorFields::GetAccess(in_field, DescriptorKind::IPD) == DescriptorAccess::NONE)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
    }
    if (in_field == SQL_DESC_COUNT)
    {
        SetCount(static_cast<int16_t>(in_value.m_integer));
        return;
    }
    if (isHeader)
    {
        WriteHeaderField(in_field, in_value);
        return;
    }
    GetOrCreateRecord(in_recNumber).Write(in_field, in_value);
}

bool ImplParamDescriptor::HasRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    return in_recNumber > 0 && static_cast<size_t>(in_recNumber) < m_records.size() && m_records[in_recNumber];
}

void ImplParamDescriptor::DropRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    if (!HasRecord(in_recNumber))
    {
        return;
    }
    m_records[in_recNumber].reset();
    DescriptorHeader& header = GetHeader();
    if (in_recNumber != header.m_count)
    {
        return;
    }
    int16_t highest = in_recNumber;
    while (highest > 0 && !m_records[highest])
    {
        --highest;
    }
    m_records.resize(static_cast<size_t>(highest) + 1);
    header.m_count = highest;
}

void ImplParamDescriptor::SetField(int16_t in_recNumber, int16_t in_field, SQLPOINTER in_value, int32_t in_bufferLength)
{
    CriticalSectionLock lock(GetLock());
    CheckWritable(in_field);
    if (in_field == SQL_DESC_UNNAMED)
    {
        if (in_recNumber == 0)
        {
            ThrowNoBookmarkRecord();
        }
        if (static_cast<int16_t>(reinterpret_cast<intptr_t>(in_value)) == SQL_NAMED)
        {
            throw ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"DescUnnamedNotAllowed", -1, -1);
        }
    }
    Descriptor::SetField(in_recNumber, in_field, in_value, in_bufferLength);
}

void ImplParamDescriptor::CopyFrom(Descriptor& io_source)
{
    const CopyPlan plan = {
        {HEADER_REQUIRED, std::size(HEADER_REQUIRED)},
        {HEADER_OPTIONAL, std::size(HEADER_OPTIONAL)},
        {RECORD_REQUIRED, std::size(RECORD_REQUIRED)},
        {RECORD_OPTIONAL, std::size(RECORD_OPTIONAL)},
        1,
    };
    CopyByPlan(io_source, plan);
}

void ImplParamDescriptor::GetRec(int16_t in_recNumber,
                                 SQLWCHAR* out_name,
                                 int16_t in_bufferLength,
                                 int16_t* out_stringLength,
                                 int16_t* out_type,
                                 int16_t* out_subType,
                                 SQLLEN* out_length,
                                 int16_t* out_precision,
                                 int16_t* out_scale,
                                 int16_t* out_nullable)
{
    CriticalSectionLock lock(GetLock());
    CheckParameterNumber(in_recNumber);
    if (!HasRecord(in_recNumber))
    {
        throw NoDataException(u"DescRecNotFound");
    }
    Descriptor::GetRec(in_recNumber, out_name, in_bufferLength, out_stringLength, out_type, out_subType, out_length,
                       out_precision, out_scale, out_nullable);
}

void ImplParamDescriptor::ResetRecords()
{
    CriticalSectionLock lock(GetLock());
    m_records.clear();
    m_records.resize(1);
    GetHeader().m_count = 0;
}

void ImplParamDescriptor::PopulateFromDataEngine(DSI::IQueryExecutor& io_executor)
{
    CriticalSectionLock lock(GetLock());
    // The sources live only while the engine describes; the flag and they go however it ends.
    struct PopulationScope
    {
        ImplParamDescriptor& m_descriptor;
        ~PopulationScope()
        {
            m_descriptor.m_isPopulating = false;
            m_descriptor.m_sources.clear();
        }
    } scope{*this};
    m_isPopulating = true;
    io_executor.PopulateParameters(*this);
    for (const std::unique_ptr<ImplParamDescriptorRecord>& record : m_records)
    {
        if (record)
        {
            record->CheckConsistency();
        }
    }
}

DSI::ParameterSource& ImplParamDescriptor::GetParameter(uint16_t in_number)
{
    if (in_number == 0 || in_number > std::numeric_limits<int16_t>::max())
    {
        throw DSI::CallbackException(ODBC_COMPONENT_ID, u"InvalidParamRegistIndex", -1, -1);
    }
    CriticalSectionLock lock(GetLock());
    if (!m_isPopulating)
    {
        throw DSI::BadStateException(ODBC_COMPONENT_ID, u"ParamRegistNotPermit", -1, -1);
    }
    try
    {
        ImplParamDescriptorRecord& record = GetOrCreateRecord(static_cast<int16_t>(in_number));
        m_sources.push_back(std::make_unique<PopulatingParameterSource>(*this, record));
        return *m_sources.back();
    }
    catch (const ErrorException& e)
    {
        throw DSI::CallbackException(e.GetComponentId(), e.GetMessageKey(), e.GetRowNumber(), e.GetColumnNumber());
    }
}

void ImplParamDescriptor::CheckRecordsSequential(int32_t in_count)
{
    CriticalSectionLock lock(GetLock());
    if (in_count == 0)
    {
        return;
    }
    bool isSequential = in_count > 0 && in_count <= GetHeader().m_count;
    for (int32_t record = 1; isSequential && record <= in_count; ++record)
    {
        isSequential = HasRecord(static_cast<int16_t>(record));
    }
    if (!isSequential)
    {
        throw ErrorException(DIAG_COUNT_FIELD_INCORRECT, ODBC_COMPONENT_ID, u"DescRecNotSeq", -1, -1);
    }
}

ImplParamDescriptorRecord& ImplParamDescriptor::GetRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    if (!HasRecord(in_recNumber))
    {
        throw ODBCInternalException(u"DescRecNotFound");
    }
    return *m_records[in_recNumber];
}

DescriptorFieldValue ImplParamDescriptor::ReadRecordField(int16_t in_recNumber, int16_t in_field)
{
    CheckParameterNumber(in_recNumber);
    if (static_cast<size_t>(in_recNumber) >= m_records.size())
    {
        throw NoDataException(u"DescRecNotFound");
    }
    const std::unique_ptr<ImplParamDescriptorRecord>& record = m_records[in_recNumber];
    return (record ? *record : *m_defaultRecord).Read(in_field);
}

void ImplParamDescriptor::MakeRecord(int16_t in_recNumber)
{
    GetOrCreateRecord(in_recNumber);
}

ImplParamDescriptorRecord& ImplParamDescriptor::GetOrCreateRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    CheckParameterNumber(in_recNumber);
    if (static_cast<size_t>(in_recNumber) >= m_records.size())
    {
        m_records.resize(static_cast<size_t>(in_recNumber) + 1);
        GetHeader().m_count = in_recNumber;
    }
    std::unique_ptr<ImplParamDescriptorRecord>& record = m_records[in_recNumber];
    if (!record)
    {
        record = std::make_unique<ImplParamDescriptorRecord>(in_recNumber);
    }
    return *record;
}

void ImplParamDescriptor::SetCount(int64_t in_count)
{
    CheckCount(in_count);
    m_records.resize(static_cast<size_t>(in_count) + 1);
    GetHeader().m_count = static_cast<int16_t>(in_count);
}

} // namespace ODBC
} // namespace Orvik
