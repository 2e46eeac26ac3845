#include "ODBC/Descriptors/ImplParamDescriptor.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Parameters/DefaultOutputParameterSource.h"
#include "ODBC/Parameters/InputParameterSource.h"
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
      m_records(std::make_unique<ImplParamDescriptorRecord>(0))
{
}

ImplParamDescriptor::~ImplParamDescriptor() = default;

void ImplParamDescriptor::SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value)
{
    CriticalSectionLock lock(GetLock());
    CheckServed(in_field);
    if (in_field == SQL_DESC_COUNT)
    {
        SetCount(static_cast<int16_t>(in_value.m_integer));
        return;
    }
    if (DescriptorFields::IsHeader(in_field))
    {
        WriteHeaderField(in_field, in_value);
        return;
    }
    GetOrCreateRecord(in_recNumber).Write(in_field, in_value);
}

bool ImplParamDescriptor::HasRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    return in_recNumber > 0 && m_records.Has(in_recNumber);
}

void ImplParamDescriptor::DropRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    if (HasRecord(in_recNumber))
    {
        m_records.Drop(in_recNumber, GetHeader());
    }
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
    m_records.Resize(0, GetHeader());
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
    m_records.ForEach([](ImplParamDescriptorRecord& io_record) { io_record.CheckConsistency(); });
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

ImplParamDescriptorRecord& ImplParamDescriptor::GetRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    if (!HasRecord(in_recNumber))
    {
        throw ODBCInternalException(u"DescRecNotFound");
    }
    return m_records.Get(in_recNumber);
}

std::unique_ptr<InputParameterSource> ImplParamDescriptor::CreateInputParameterSource(int16_t in_recNumber,
                                                                                    bool in_isInput)
{
    CriticalSectionLock lock(GetLock());
    return std::make_unique<InputParameterSource>(*this, GetRecord(in_recNumber), in_isInput);
}

std::unique_ptr<DefaultOutputParameterSource> ImplParamDescriptor::CreateDefaultOutputParameterSource(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    return std::make_unique<DefaultOutputParameterSource>(*this, GetRecord(in_recNumber));
}

DescriptorFieldValue ImplParamDescriptor::ReadRecordField(int16_t in_recNumber, int16_t in_field)
{
    CheckParameterNumber(in_recNumber);
    if (!m_records.IsInRange(in_recNumber))
    {
        throw NoDataException(u"DescRecNotFound");
    }
    return m_records.GetOrDefault(in_recNumber).Read(in_field);
}

void ImplParamDescriptor::MakeRecord(int16_t in_recNumber)
{
    GetOrCreateRecord(in_recNumber);
}

ImplParamDescriptorRecord& ImplParamDescriptor::GetOrCreateRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    CheckParameterNumber(in_recNumber);
    return m_records.GetOrCreate(in_recNumber, GetHeader(), in_recNumber);
}

void ImplParamDescriptor::SetCount(int64_t in_count)
{
    CheckCount(in_count);
    m_records.Resize(in_count, GetHeader());
}

} // namespace ODBC
} // namespace Orvik
