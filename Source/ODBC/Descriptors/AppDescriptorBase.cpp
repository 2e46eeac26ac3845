#include "ODBC/Descriptors/AppDescriptorBase.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/BoundLengths.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// What SQLCopyDesc copies into an application descriptor.
constexpr int16_t HEADER_REQUIRED[] = {SQL_DESC_COUNT, SQL_DESC_ARRAY_STATUS_PTR};
constexpr int16_t HEADER_OPTIONAL[] = {SQL_DESC_ARRAY_SIZE, SQL_DESC_BIND_OFFSET_PTR, SQL_DESC_BIND_TYPE};
constexpr int16_t RECORD_REQUIRED[] = {
    SQL_DESC_CONCISE_TYPE, SQL_DESC_DATETIME_INTERVAL_CODE, SQL_DESC_DATETIME_INTERVAL_PRECISION, SQL_DESC_PRECISION,
    SQL_DESC_SCALE,        SQL_DESC_LENGTH,                 SQL_DESC_OCTET_LENGTH,
};
constexpr int16_t RECORD_OPTIONAL[] = {SQL_DESC_INDICATOR_PTR, SQL_DESC_OCTET_LENGTH_PTR, SQL_DESC_DATA_PTR};

// Column-wise bound lengths and indicators are SQLLEN arrays.
constexpr int64_t LENGTH_STRIDE = sizeof(SQLLEN);

bool ChangesBinding(int16_t in_field)
{
    // A new type describes the buffer afresh and unbinds it.
    return in_field == SQL_DESC_DATA_PTR || in_field == SQL_DESC_CONCISE_TYPE || in_field == SQL_DESC_TYPE;
}

} // namespace

AppDescriptorBase::AppDescriptorBase(HandleValue in_handle,
                                     int16_t in_allocType,
                                     bool in_hasBookmarkRecord,
                                     Connection* in_parentConnection,
                                     IMessageSource* in_messageSource,
                                     DSI::ILogger* in_log)
    : Descriptor(DescriptorKind::APP, in_handle, in_allocType, in_parentConnection, in_messageSource, in_log),
      m_records(std::make_unique<AppDescriptorRecord>()),
      m_hasBookmarkRecord(in_hasBookmarkRecord)
{
    if (m_hasBookmarkRecord)
    {
        m_records.GetOrCreate(0, GetHeader());
    }
}

AppDescriptorBase::~AppDescriptorBase() = default;

void AppDescriptorBase::SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value)
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
    if (in_recNumber == 0 && !m_hasBookmarkRecord)
    {
        // The parameter descriptor has no bookmark record to set.
        return;
    }
    GetOrCreateRecord(in_recNumber).Write(in_field, in_value);
    if (ChangesBinding(in_field))
    {
        m_bindingsChanged = true;
    }
}

bool AppDescriptorBase::HasRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    return m_records.Has(in_recNumber);
}

void AppDescriptorBase::DropRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    if (m_records.Drop(in_recNumber, GetHeader()))
    {
        m_bindingsChanged = true;
    }
}

void AppDescriptorBase::CopyFrom(Descriptor& io_source)
{
    const CopyPlan plan = {
        {HEADER_REQUIRED, std::size(HEADER_REQUIRED)},
        {HEADER_OPTIONAL, std::size(HEADER_OPTIONAL)},
        {RECORD_REQUIRED, std::size(RECORD_REQUIRED)},
        {RECORD_OPTIONAL, std::size(RECORD_OPTIONAL)},
        static_cast<int16_t>(m_hasBookmarkRecord ? 0 : 1),
    };
    CopyByPlan(io_source, plan);
}

AppDescriptorRecord& AppDescriptorBase::GetOrCreateRecord(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    CheckBookmarkRecord(in_recNumber);
    if (in_recNumber < 0)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidDescIndex", -1, -1);
    }
    return m_records.GetOrCreate(in_recNumber, GetHeader());
}

const AppDescriptorRecord& AppDescriptorBase::GetRecordOrDefault(int16_t in_recNumber)
{
    CriticalSectionLock lock(GetLock());
    CheckBookmarkRecord(in_recNumber);
    if (!m_records.IsInRange(in_recNumber))
    {
        throw NoDataException(u"InvalidDescIndex");
    }
    return m_records.GetOrDefault(in_recNumber);
}

bool AppDescriptorBase::FindNextDataAtExecParameter(const DataAtExecPosition* in_from, DataAtExecPosition& out_found)
{
    CriticalSectionLock lock(GetLock());
    const DescriptorHeader& header = GetHeader();
    const auto* operations = static_cast<const SQLUSMALLINT*>(header.m_arrayStatusPtr);
    int32_t firstRecord = in_from != nullptr ? in_from->m_recNumber + 1 : 1;
    for (uint64_t row = in_from != nullptr ? in_from->m_row : 0; row < header.m_arraySize; ++row, firstRecord = 1)
    {
        if (operations != nullptr && operations[row] == SQL_PARAM_IGNORE)
        {
            continue;
        }
        for (int32_t record = firstRecord; record <= header.m_count; ++record)
        {
            if (HasRecord(static_cast<int16_t>(record)) && IsDataAtExec(static_cast<int16_t>(record), row))
            {
                out_found.m_row = row;
                out_found.m_recNumber = static_cast<int16_t>(record);
                return true;
            }
        }
    }
    return false;
}

void AppDescriptorBase::LoadBindingOffset()
{
    CriticalSectionLock lock(GetLock());
    const void* offset = GetHeader().m_bindOffsetPtr;
    m_bindingOffset = offset != nullptr ? BoundLengths::Read(offset) : 0;
}

DescriptorFieldValue AppDescriptorBase::ReadRecordField(int16_t in_recNumber, int16_t in_field)
{
    return GetRecordOrDefault(in_recNumber).Read(in_field);
}

void AppDescriptorBase::MakeRecord(int16_t in_recNumber)
{
    GetOrCreateRecord(in_recNumber);
}

void AppDescriptorBase::CheckBookmarkRecord(int16_t in_recNumber) const
{
    if (in_recNumber == 0 && !m_hasBookmarkRecord)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"BookmarkColumnNotSupported", -1, -1);
    }
}

void AppDescriptorBase::SetCount(int64_t in_count)
{
    CheckCount(in_count);
    m_records.Resize(in_count, GetHeader());
    // Records above the count are gone; whoever reads the bindings must read them again.
    m_bindingsChanged = true;
}

AppDescriptorRecord& AppDescriptorBase::MoveToRow(int16_t in_recNumber, uint64_t in_row, TDWType in_sqlType)
{
    CriticalSectionLock lock(GetLock());
    if (!m_records.Has(in_recNumber))
    {
        throw ODBCInternalException(u"DescRecNotFound");
    }
    AppDescriptorRecord& record = m_records.Get(in_recNumber);
    const DescriptorHeader& header = GetHeader();
    uint64_t lengthOffset = static_cast<uint64_t>(m_bindingOffset);
    uint64_t dataOffset = lengthOffset;
    if (header.m_bindType == SQL_BIND_BY_COLUMN)
    {
        lengthOffset += LENGTH_STRIDE * in_row;
        dataOffset += record.GetData().GetElementSize(in_sqlType) * in_row;
    }
    else
    {
        lengthOffset += header.m_bindType * in_row;
        dataOffset = lengthOffset;
    }
    record.SetLengthOffset(static_cast<int64_t>(lengthOffset));
    record.GetData().SetOffset(static_cast<int64_t>(dataOffset));
    return record;
}

bool AppDescriptorBase::IsDataAtExec(int16_t in_recNumber, uint64_t in_row)
{
    // Only the lengths are read, so the data's element size does not matter here.
    BoundLengths lengths(MoveToRow(in_recNumber, in_row, TDW_SQL_NOTYPE));
    const SQLLEN* indicator = lengths.GetIndicator();
    if (indicator != nullptr && *indicator == SQL_NULL_DATA)
    {
        return false;
    }
    const SQLLEN* length = lengths.GetLength();
    return length != nullptr && (*length == SQL_DATA_AT_EXEC || *length <= SQL_LEN_DATA_AT_EXEC_OFFSET);
}

} // namespace ODBC
} // namespace Orvik
