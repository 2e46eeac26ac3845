#include "ODBC/Descriptors/Descriptor.h"

#include "DSI/ILogger.h"
#include "ODBC/Descriptors/DescriptorTypes.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/InvalidTypeException.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Strings/WStringHelper.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/CriticalSectionLock.h"

#include <sqlext.h>

#include <cstring>
#include <new>
#include <optional>
#include <vector>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

constexpr const char* LOG_NAMESPACE = "Orvik::ODBC";
constexpr const char* LOG_CLASS = "Descriptor";

// Field names are logged above this level (WARNING).
constexpr int32_t FIELD_LOG_LEVEL = 3;

static_assert(sizeof(SQLLEN) == 8 && sizeof(SQLPOINTER) == 8, "descriptors assume 64-bit lengths and addresses");

template <typename Value>
void WriteValue(Value in_value, void* out_value, int32_t* out_stringLength)
{
    if (out_value != nullptr)
    {
        std::memcpy(out_value, &in_value, sizeof(in_value));
    }
    if (out_stringLength != nullptr)
    {
        *out_stringLength = static_cast<int32_t>(sizeof(in_value));
    }
}

// Text from the application: in_length bytes, or up to the terminator for SQL_NTS.
orvik_wstring ReadApplicationText(const void* in_text, int32_t in_length)
{
    if (in_text == nullptr)
    {
        return orvik_wstring();
    }
    if (in_length < 0 && in_length != SQL_NTS)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
    return WideArgument::ReadBytes(in_text, in_length);
}

// The application's value as the field's type takes it: integers cut to their width.
DescriptorFieldValue TakeApplicationValue(DescriptorValueType in_type, SQLPOINTER in_value, int32_t in_bufferLength)
{
    const intptr_t integer = reinterpret_cast<intptr_t>(in_value);
    switch (in_type)
    {
    case DescriptorValueType::POINTER:
        return DescriptorFieldValue::Pointer(in_value);
    case DescriptorValueType::STRING:
        return DescriptorFieldValue::Text(ReadApplicationText(in_value, in_bufferLength));
    case DescriptorValueType::INT16:
        return DescriptorFieldValue::Integer(static_cast<int16_t>(integer));
    case DescriptorValueType::INT32:
        return DescriptorFieldValue::Integer(static_cast<int32_t>(integer));
    default:
        return DescriptorFieldValue::Integer(static_cast<int64_t>(integer));
    }
}

void WriteFieldValue(DescriptorValueType in_type,
                     const DescriptorFieldValue& in_value,
                     IDiagManager* io_diagnostics,
                     void* out_value,
                     int32_t in_bufferLength,
                     int32_t* out_stringLength,
                     bool in_lengthsInChars)
{
    switch (in_type)
    {
    case DescriptorValueType::POINTER:
        WriteValue(in_value.m_pointer, out_value, out_stringLength);
        break;
    case DescriptorValueType::STRING:
        WStringHelper::CopyToBufferLen32(in_value.m_text, in_lengthsInChars, out_value, in_bufferLength,
                                         out_stringLength, io_diagnostics, nullptr);
        break;
    case DescriptorValueType::INT16:
        WriteValue(static_cast<int16_t>(in_value.m_integer), out_value, out_stringLength);
        break;
    case DescriptorValueType::INT32:
        WriteValue(static_cast<int32_t>(in_value.m_integer), out_value, out_stringLength);
        break;
    default:
        WriteValue(in_value.m_integer, out_value, out_stringLength);
        break;
    }
}

[[noreturn]] void ThrowInvalidField()
{
    throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
}

void CheckRecordNumber(int16_t in_recNumber)
{
    if (in_recNumber < 0)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidDescIndex", -1, -1);
    }
}

template <typename Value>
void Store(Value* out_target, Value in_value)
{
    if (out_target != nullptr)
    {
        *out_target = in_value;
    }
}

struct CopiedField
{
    int16_t m_recNumber;
    int16_t m_field;
    DescriptorFieldValue m_value;
};

// Reads the fields of in_list from io_source into io_fields; an optional list stops at the
// first field the source does not serve.
void ReadFields(Descriptor& io_source,
                int16_t in_recNumber,
                const int16_t* in_fields,
                size_t in_count,
                bool in_isRequired,
                std::vector<CopiedField>& io_fields)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        if (!in_isRequired && !io_source.CanRead(in_fields[i]))
        {
            return;
        }
        io_fields.push_back({in_recNumber, in_fields[i], io_source.ReadField(in_recNumber, in_fields[i])});
    }
}

} // namespace

Descriptor::Descriptor(DescriptorKind in_kind,
                       HandleValue in_handle,
                       int16_t in_allocType,
                       Connection* in_parentConnection,
                       IMessageSource* in_messageSource,
                       DSI::ILogger* in_log)
    : m_kind(in_kind),
      m_handle(in_handle),
      m_diagnostics(std::make_unique<DiagManager>(in_messageSource, orvik_wstring(u""), orvik_wstring(u""))),
      m_log(in_log),
      m_parentConnection(in_parentConnection)
{
    m_header.m_allocType = in_allocType;
}

Descriptor::~Descriptor() = default;

template <class Work>
SQLRETURN Descriptor::RunCall(const char* in_method, bool in_isRead, Work&& in_work, bool in_isCopy)
{
    // Held from the clearing to the outcome, so that no other thread's call clears this one's
    // records or posts into them. A copy takes the locks of two descriptors in turn, never both,
    // so it holds this one only to clear and to post, and, posting no warning, never reports
    // another call's as its own.
    std::optional<CriticalSectionLock> lock;
    lock.emplace(GetLock());
    if (m_log != nullptr)
    {
        m_log->LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, in_method);
    }
    m_diagnostics->Clear();
    if (in_isCopy)
    {
        lock.reset();
    }
    try
    {
        in_work();
        return !in_isCopy && m_diagnostics->HasWarning() ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    }
    catch (const NoDataException& e)
    {
        if (in_isRead)
        {
            return SQL_NO_DATA;
        }
        PostFailure(in_method, e);
    }
    catch (const ErrorException& e)
    {
        PostFailure(in_method, e);
    }
    catch (const std::bad_alloc&)
    {
        PostFailure(in_method, ErrorException(DIAG_MEMORY_ALLOCATION_ERROR, ODBC_COMPONENT_ID, u"MemAllocErr", -1, -1));
    }
    catch (...)
    {
        PostFailure(in_method, ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1));
    }
    return SQL_ERROR;
}

void Descriptor::PostFailure(const char* in_method, const ErrorException& in_exception)
{
    // A failure to post or log cannot be reported any better than the SQL_ERROR that follows.
    try
    {
        CriticalSectionLock lock(GetLock());
        m_diagnostics->PostError(in_exception);
        if (m_log != nullptr)
        {
            m_log->LogErrorException(LOG_NAMESPACE, LOG_CLASS, in_method, in_exception);
        }
    }
    catch (...)
    {
    }
}

void Descriptor::LogField(const char* in_method, int16_t in_field)
{
    if (m_log != nullptr && m_log->GetLogLevel() > FIELD_LOG_LEVEL)
    {
        m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, in_method, "FieldIdentifier: %s (%d)", DescriptorFields::GetName(in_field),
                       in_field);
    }
}

SQLRETURN Descriptor::SQLGetDescFieldW(SQLSMALLINT in_recNumber,
                                       SQLSMALLINT in_fieldIdentifier,
                                       SQLPOINTER out_value,
                                       SQLINTEGER in_bufferLength,
                                       SQLINTEGER* out_stringLength)
{
    return RunCall("SQLGetDescFieldW", true, [&]() {
        LogField("SQLGetDescFieldW", in_fieldIdentifier);
        CriticalSectionLock lock(GetLock());
        CheckRecordNumber(in_recNumber);
        if (in_fieldIdentifier != SQL_DESC_BIND_TYPE)
        {
            GetField(m_diagnostics.get(), in_recNumber, in_fieldIdentifier, out_value, in_bufferLength,
                     out_stringLength, false);
            return;
        }
        // The descriptor field is an SQLINTEGER; the statement attribute reads it whole.
        const DescriptorFieldValue value = ReadField(in_recNumber, in_fieldIdentifier);
        WriteValue(static_cast<int32_t>(value.m_integer), out_value, out_stringLength);
    });
}

SQLRETURN Descriptor::SQLSetDescFieldW(SQLSMALLINT in_recNumber,
                                       SQLSMALLINT in_fieldIdentifier,
                                       SQLPOINTER in_value,
                                       SQLINTEGER in_bufferLength)
{
    return RunCall("SQLSetDescFieldW", false, [&]() {
        LogField("SQLSetDescFieldW", in_fieldIdentifier);
        CriticalSectionLock lock(GetLock());
        CheckRecordNumber(in_recNumber);
        try
        {
            if (in_fieldIdentifier == SQL_DESC_BIND_TYPE)
            {
                const int32_t bindType = static_cast<int32_t>(reinterpret_cast<intptr_t>(in_value));
                SetField(in_recNumber, in_fieldIdentifier, reinterpret_cast<SQLPOINTER>(static_cast<intptr_t>(bindType)),
                         sizeof(SQLLEN));
                return;
            }
            SetField(in_recNumber, in_fieldIdentifier, in_value, in_bufferLength);
        }
        catch (const InvalidTypeException& e)
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, e.GetComponentId(), e.GetMessageKey(), -1, -1);
        }
    });
}

SQLRETURN Descriptor::SQLGetDescRecW(SQLSMALLINT in_recNumber,
                                     SQLWCHAR* out_name,
                                     SQLSMALLINT in_bufferLength,
                                     SQLSMALLINT* out_stringLength,
                                     SQLSMALLINT* out_type,
                                     SQLSMALLINT* out_subType,
                                     SQLLEN* out_length,
                                     SQLSMALLINT* out_precision,
                                     SQLSMALLINT* out_scale,
                                     SQLSMALLINT* out_nullable)
{
    return RunCall("SQLGetDescRecW", true, [&]() {
        CriticalSectionLock lock(GetLock());
        CheckRecordNumber(in_recNumber);
        GetRec(in_recNumber, out_name, in_bufferLength, out_stringLength, out_type, out_subType, out_length,
               out_precision, out_scale, out_nullable);
    });
}

SQLRETURN Descriptor::SQLSetDescRec(SQLSMALLINT in_recNumber,
                                    SQLSMALLINT in_type,
                                    SQLSMALLINT in_subType,
                                    SQLLEN in_length,
                                    SQLSMALLINT in_precision,
                                    SQLSMALLINT in_scale,
                                    SQLPOINTER in_data,
                                    SQLLEN* in_stringLength,
                                    SQLLEN* in_indicator)
{
    return RunCall("SQLSetDescRec", false, [&]() {
        CriticalSectionLock lock(GetLock());
        CheckRecordNumber(in_recNumber);
        try
        {
            SetRec(in_recNumber, in_type, in_subType, in_length, in_precision, in_scale, in_data, in_stringLength,
                   in_indicator);
        }
        catch (const InvalidTypeException& e)
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, e.GetComponentId(), e.GetMessageKey(), -1, -1);
        }
    });
}

SQLRETURN Descriptor::SQLCopyDesc(Descriptor& io_source)
{
    return RunCall(
        "SQLCopyDesc", false,
        [&]() {
            try
            {
                CopyFrom(io_source);
            }
            catch (const InvalidTypeException& e)
            {
                throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, e.GetComponentId(), e.GetMessageKey(), -1, -1);
            }
        },
        true);
}

bool Descriptor::IsExplicit() const
{
    return false;
}

void Descriptor::AddDeleteListener(IDescriptorDeleteListener*)
{
    throw ODBCInternalException(u"CannotAssocNonExpDescWithDeleteListener");
}

void Descriptor::RemoveDeleteListener(IDescriptorDeleteListener*)
{
    throw ODBCInternalException(u"CannotAssocNonExpDescWithDeleteListener");
}

void Descriptor::GetField(IDiagManager* io_diagnostics,
                          int16_t in_recNumber,
                          int16_t in_field,
                          void* out_value,
                          int32_t in_bufferLength,
                          int32_t* out_stringLength,
                          bool in_lengthsInChars)
{
    CriticalSectionLock lock(GetLock());
    const DescriptorFieldValue value = ReadField(in_recNumber, in_field);
    WriteFieldValue(DescriptorFields::GetValueType(in_field), value, io_diagnostics, out_value, in_bufferLength,
                    out_stringLength, in_lengthsInChars);
}

DescriptorFieldValue Descriptor::ReadField(int16_t in_recNumber, int16_t in_field)
{
    CriticalSectionLock lock(GetLock());
    if (!CanRead(in_field))
    {
        ThrowInvalidField();
    }
    return DescriptorFields::IsHeader(in_field) ? ReadHeaderField(in_field) : ReadRecordField(in_recNumber, in_field);
}

void Descriptor::SetField(int16_t in_recNumber, int16_t in_field, SQLPOINTER in_value, int32_t in_bufferLength)
{
    CriticalSectionLock lock(GetLock());
    CheckWritable(in_field);
    const DescriptorValueType type = GetFieldValueType(in_field);
    SetFieldValue(in_recNumber, in_field, TakeApplicationValue(type, in_value, in_bufferLength));
}

void Descriptor::GetRec(int16_t in_recNumber,
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
    const int16_t type = static_cast<int16_t>(ReadField(in_recNumber, SQL_DESC_TYPE).m_integer);
    const int16_t subType = static_cast<int16_t>(ReadField(in_recNumber, SQL_DESC_DATETIME_INTERVAL_CODE).m_integer);
    const SQLLEN length = ReadField(in_recNumber, SQL_DESC_OCTET_LENGTH).m_integer;
    const int16_t precision = static_cast<int16_t>(ReadField(in_recNumber, SQL_DESC_PRECISION).m_integer);
    const int16_t scale = static_cast<int16_t>(ReadField(in_recNumber, SQL_DESC_SCALE).m_integer);
    // Application records have neither name nor nullability.
    if (CanRead(SQL_DESC_NAME))
    {
        const DescriptorFieldValue name = ReadField(in_recNumber, SQL_DESC_NAME);
        const int16_t nullable = static_cast<int16_t>(ReadField(in_recNumber, SQL_DESC_NULLABLE).m_integer);
        WStringHelper::CopyToBufferLen16(name.m_text, true, out_name, in_bufferLength, out_stringLength,
                                         m_diagnostics.get(), nullptr);
        Store(out_nullable, nullable);
    }
    Store(out_type, type);
    Store(out_subType, subType);
    Store(out_length, length);
    Store(out_precision, precision);
    Store(out_scale, scale);
}

void Descriptor::SetRec(int16_t in_recNumber,
                        int16_t in_type,
                        int16_t in_subType,
                        SQLLEN in_length,
                        int16_t in_precision,
                        int16_t in_scale,
                        void* in_data,
                        SQLLEN* in_stringLength,
                        SQLLEN* in_indicator)
{
    CriticalSectionLock lock(GetLock());
    MakeRecord(in_recNumber);
    const int16_t conciseType = DescriptorTypes::GetConciseTypeForSubType(in_type, in_subType);
    if (conciseType != 0)
    {
        SetFieldValue(in_recNumber, SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(conciseType));
    }
    else
    {
        SetFieldValue(in_recNumber, SQL_DESC_TYPE, DescriptorFieldValue::Integer(in_type));
    }
    SetFieldValue(in_recNumber, SQL_DESC_OCTET_LENGTH, DescriptorFieldValue::Integer(in_length));
    SetFieldValue(in_recNumber, SQL_DESC_PRECISION, DescriptorFieldValue::Integer(in_precision));
    SetFieldValue(in_recNumber, SQL_DESC_SCALE, DescriptorFieldValue::Integer(in_scale));
    // Only application records keep the length and indicator addresses.
    if (DescriptorFields::GetAccess(SQL_DESC_OCTET_LENGTH_PTR, m_kind) != DescriptorAccess::NONE)
    {
        SetFieldValue(in_recNumber, SQL_DESC_OCTET_LENGTH_PTR, DescriptorFieldValue::Pointer(in_stringLength));
        SetFieldValue(in_recNumber, SQL_DESC_INDICATOR_PTR, DescriptorFieldValue::Pointer(in_indicator));
    }
    SetFieldValue(in_recNumber, SQL_DESC_DATA_PTR, DescriptorFieldValue::Pointer(in_data));
}

void Descriptor::CheckWritable(int16_t in_field) const
{
    const DescriptorAccess access = DescriptorFields::GetAccess(in_field, m_kind);
    const bool isWritable = access == DescriptorAccess::WRITE || access == DescriptorAccess::READ_WRITE;
    if (m_kind == DescriptorKind::IRD && !isWritable)
    {
        throw ErrorException(DIAG_CANNOT_MODIFY_IRD, ODBC_COMPONENT_ID, u"CannotModImpRowDesc", -1, -1);
    }
    if (access == DescriptorAccess::READ)
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"ReadOnlyDescField", -1, -1);
    }
    if (!isWritable)
    {
        ThrowInvalidField();
    }
}

bool Descriptor::IsHeaderField(int16_t in_field) const
{
    return DescriptorFields::IsHeader(in_field) && DescriptorFields::GetAccess(in_field, m_kind) != DescriptorAccess::NONE;
}

bool Descriptor::CanRead(int16_t in_field) const
{
    const DescriptorAccess access = DescriptorFields::GetAccess(in_field, m_kind);
    return access == DescriptorAccess::READ || access == DescriptorAccess::READ_WRITE;
}

void Descriptor::CheckServed(int16_t in_field) const
{
    if (DescriptorFields::GetAccess(in_field, m_kind) == DescriptorAccess::NONE)
    {
        ThrowInvalidField();
    }
}

DescriptorFieldValue Descriptor::GetHeaderFieldChecked(int16_t in_field)
{
    if (!IsHeaderField(in_field))
    {
        throw ODBCInternalException(u"InvalidDescFieldIdent");
    }
    return ReadField(0, in_field);
}

DescriptorHeader Descriptor::ReadHeader()
{
    CriticalSectionLock lock(GetLock());
    return m_header;
}

DescriptorFieldValue Descriptor::GetNonStringField(int16_t in_recNumber, int16_t in_field)
{
    if (IsStringField(in_field))
    {
        throw ODBCInternalException(u"CannotGetStrDescFieldInNonStrMethod");
    }
    return ReadField(in_recNumber, in_field);
}

void Descriptor::SetHeaderField(int16_t in_field, const DescriptorFieldValue& in_value)
{
    if (!IsHeaderField(in_field))
    {
        ThrowInvalidField();
    }
    SetFieldValue(0, in_field, in_value);
}

DescriptorValueType Descriptor::GetFieldValueType(int16_t in_field)
{
    const DescriptorValueType type = DescriptorFields::GetValueType(in_field);
    if (type == DescriptorValueType::NONE)
    {
        ThrowInvalidField();
    }
    return type;
}

bool Descriptor::IsStringField(int16_t in_field)
{
    return DescriptorFields::IsStringField(in_field);
}

CriticalSection& Descriptor::GetLock()
{
    return m_lock;
}

DescriptorFieldValue Descriptor::ReadHeaderField(int16_t in_field)
{
    switch (in_field)
    {
    case SQL_DESC_ALLOC_TYPE:
        return DescriptorFieldValue::Integer(m_header.m_allocType);
    case SQL_DESC_ARRAY_STATUS_PTR:
        return DescriptorFieldValue::Pointer(m_header.m_arrayStatusPtr);
    case SQL_DESC_COUNT:
        return DescriptorFieldValue::Integer(m_header.m_count);
    case SQL_DESC_ARRAY_SIZE:
        return DescriptorFieldValue::Integer(static_cast<int64_t>(m_header.m_arraySize));
    case SQL_DESC_BIND_OFFSET_PTR:
        return DescriptorFieldValue::Pointer(m_header.m_bindOffsetPtr);
    case SQL_DESC_BIND_TYPE:
        return DescriptorFieldValue::Integer(static_cast<int64_t>(m_header.m_bindType));
    case SQL_DESC_ROWS_PROCESSED_PTR:
        return DescriptorFieldValue::Pointer(m_header.m_rowsProcessedPtr);
    default:
        ThrowInvalidField();
    }
}

void Descriptor::WriteHeaderField(int16_t in_field, const DescriptorFieldValue& in_value)
{
    switch (in_field)
    {
    case SQL_DESC_ALLOC_TYPE:
        throw ODBCInternalException(u"CannotSetDescAllocType");
    case SQL_DESC_ARRAY_STATUS_PTR:
        m_header.m_arrayStatusPtr = in_value.m_pointer;
        break;
    case SQL_DESC_ARRAY_SIZE:
        if (in_value.m_integer == 0)
        {
            // A rowset or parameter array of no rows would fetch nothing and send nothing while
            // reporting success.
            throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"ZeroDescArraySize", -1, -1);
        }
        m_header.m_arraySize = static_cast<uint64_t>(in_value.m_integer);
        break;
    case SQL_DESC_BIND_OFFSET_PTR:
        m_header.m_bindOffsetPtr = in_value.m_pointer;
        break;
    case SQL_DESC_BIND_TYPE:
        m_header.m_bindType = static_cast<uint64_t>(in_value.m_integer);
        break;
    case SQL_DESC_ROWS_PROCESSED_PTR:
        m_header.m_rowsProcessedPtr = in_value.m_pointer;
        break;
    default:
        ThrowInvalidField();
    }
}

void Descriptor::CheckCount(int64_t in_count)
{
    if (in_count < 0)
    {
        throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"NegativeDescCount", -1, -1);
    }
}

void Descriptor::CheckRecordsSequential(int32_t in_count)
{
    CriticalSectionLock lock(GetLock());
    if (in_count == 0)
    {
        return;
    }
    bool isSequential = in_count > 0 && in_count <= m_header.m_count;
    for (int32_t record = 1; isSequential && record <= in_count; ++record)
    {
        isSequential = HasRecord(static_cast<int16_t>(record));
    }
    if (!isSequential)
    {
        throw ErrorException(DIAG_COUNT_FIELD_INCORRECT, ODBC_COMPONENT_ID, u"DescRecNotSeq", -1, -1);
    }
}

void Descriptor::CopyByPlan(Descriptor& io_source, const CopyPlan& in_plan)
{
    if (&io_source == this)
    {
        return;
    }
    std::vector<CopiedField> header;
    std::vector<CopiedField> records;
    {
        CriticalSectionLock sourceLock(io_source.GetLock());
        ReadFields(io_source, 0, in_plan.m_headerRequired.m_fields, in_plan.m_headerRequired.m_count, true, header);
        ReadFields(io_source, 0, in_plan.m_headerOptional.m_fields, in_plan.m_headerOptional.m_count, false, header);
        const int16_t count = static_cast<int16_t>(io_source.ReadField(0, SQL_DESC_COUNT).m_integer);
        for (int16_t record = in_plan.m_firstRecord; record <= count; ++record)
        {
            if (io_source.HasRecord(record))
            {
                ReadFields(io_source, record, in_plan.m_recordRequired.m_fields, in_plan.m_recordRequired.m_count, true,
                           records);
                ReadFields(io_source, record, in_plan.m_recordOptional.m_fields, in_plan.m_recordOptional.m_count,
                           false, records);
            }
        }
    }
    CriticalSectionLock lock(GetLock());
    for (const CopiedField& field : header)
    {
        if (field.m_field == SQL_DESC_COUNT)
        {
            // The records go first; the copied ones come back below.
            SetFieldValue(0, SQL_DESC_COUNT, DescriptorFieldValue::Integer(0));
        }
        SetFieldValue(0, field.m_field, field.m_value);
    }
    for (const CopiedField& field : records)
    {
        SetFieldValue(field.m_recNumber, field.m_field, field.m_value);
    }
}

} // namespace ODBC
} // namespace Orvik
