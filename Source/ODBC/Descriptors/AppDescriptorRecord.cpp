#include "ODBC/Descriptors/AppDescriptorRecord.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/DataWrappers/CDataWrapperPool.h"
#include "ODBC/Descriptors/DescriptorFields.h"
#include "ODBC/Descriptors/DescriptorTypes.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

std::unique_ptr<CDataWrapper> AcquireWrapper()
{
    CDataWrapperPool* pool = CDataWrapperPool::GetInstance();
    if (pool != nullptr)
    {
        return pool->Acquire(SQL_C_DEFAULT);
    }
    return std::make_unique<CDataWrapper>(
        TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateNewSqlCTypeMetadata(SQL_C_DEFAULT));
}

bool IsNumeric(const SqlCTypeMetadata& in_metadata)
{
    return in_metadata.IsApproximateNumeric() || in_metadata.IsExactNumeric();
}

bool IsDatetimeOrInterval(const SqlCTypeMetadata& in_metadata)
{
    return in_metadata.IsDatetime() || in_metadata.IsInterval();
}

} // namespace

AppDescriptorRecord::AppDescriptorRecord() : m_type(SQL_C_DEFAULT), m_data(AcquireWrapper())
{
}

AppDescriptorRecord::~AppDescriptorRecord()
{
    CDataWrapperPool* pool = CDataWrapperPool::GetInstance();
    if (pool != nullptr)
    {
        pool->Release(m_data);
    }
}

DescriptorFieldValue AppDescriptorRecord::Read(int16_t in_field) const
{
    const SqlCTypeMetadata& metadata = m_data->GetMetadata();
    const int64_t lengthOrPrecision = IsNumeric(metadata)
        ? metadata.GetPrecision()
        : static_cast<int64_t>(metadata.GetLengthOrIntervalPrecision());
    switch (in_field)
    {
    case SQL_DESC_CONCISE_TYPE:
        return DescriptorFieldValue::Integer(metadata.GetCType());
    case SQL_DESC_TYPE:
        return DescriptorFieldValue::Integer(m_type);
    case SQL_DESC_DATETIME_INTERVAL_CODE:
        return DescriptorFieldValue::Integer(m_intervalCode);
    case SQL_DESC_DATETIME_INTERVAL_PRECISION:
    case SQL_DESC_LENGTH:
        return DescriptorFieldValue::Integer(lengthOrPrecision);
    case SQL_DESC_PRECISION:
        return DescriptorFieldValue::Integer(IsDatetimeOrInterval(metadata) ? metadata.GetPrecision() : lengthOrPrecision);
    case SQL_DESC_SCALE:
        return DescriptorFieldValue::Integer(IsDatetimeOrInterval(metadata) ? metadata.GetPrecision() : metadata.GetScale());
    case SQL_DESC_NUM_PREC_RADIX:
        return DescriptorFieldValue::Integer(metadata.GetNumPrecRadix());
    case SQL_DESC_OCTET_LENGTH:
        return DescriptorFieldValue::Integer(static_cast<int64_t>(metadata.GetOctetLength()));
    case SQL_DESC_OCTET_LENGTH_PTR:
        return DescriptorFieldValue::Pointer(m_octetLengthPtr);
    case SQL_DESC_INDICATOR_PTR:
        return DescriptorFieldValue::Pointer(m_indicatorPtr);
    case SQL_DESC_DATA_PTR:
        return DescriptorFieldValue::Pointer(m_data->GetData());
    case DescriptorFields::ENCODING:
        return DescriptorFieldValue::Integer(metadata.GetEncoding());
    default:
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
    }
}

void AppDescriptorRecord::Write(int16_t in_field, const DescriptorFieldValue& in_value)
{
    switch (in_field)
    {
    case SQL_DESC_CONCISE_TYPE:
        SetConciseType(static_cast<int16_t>(in_value.m_integer));
        break;
    case SQL_DESC_TYPE:
        SetConciseType(DescriptorTypes::GetConciseTypeForType(DescriptorKind::APP, static_cast<int16_t>(in_value.m_integer),
                                                              m_intervalCode));
        break;
    case SQL_DESC_DATETIME_INTERVAL_CODE:
        m_intervalCode = static_cast<int16_t>(in_value.m_integer);
        break;
    case SQL_DESC_DATA_PTR:
        CheckConsistency();
        m_data->SetData(in_value.m_pointer);
        break;
    case SQL_DESC_OCTET_LENGTH_PTR:
        m_octetLengthPtr = static_cast<SQLLEN*>(in_value.m_pointer);
        break;
    case SQL_DESC_INDICATOR_PTR:
        m_indicatorPtr = static_cast<SQLLEN*>(in_value.m_pointer);
        break;
    default:
        WriteMetadataField(in_field, in_value.m_integer);
        break;
    }
}

void AppDescriptorRecord::CheckConsistency() const
{
    const SqlCTypeMetadata& metadata = m_data->GetMetadata();
    DescriptorTypes::CheckTypes(DescriptorKind::APP, metadata.GetCType(), m_type, m_intervalCode);
    DescriptorTypes::Validate(metadata);
}

void AppDescriptorRecord::SetConciseType(int16_t in_conciseType)
{
    DescriptorTypes::CheckConciseType(DescriptorKind::APP, in_conciseType);
    m_data->Reset(in_conciseType);
    m_type = DescriptorTypes::GetVerboseType(in_conciseType);
    m_intervalCode = DescriptorTypes::GetIntervalCode(in_conciseType);
}

bool AppDescriptorRecord::IsInterval() const
{
    return m_type == SQL_INTERVAL;
}

void AppDescriptorRecord::WriteMetadataField(int16_t in_field, int64_t in_value)
{
    SqlCTypeMetadata& metadata = m_data->GetMetadata();
    const int16_t smallValue = static_cast<int16_t>(in_value);
    switch (in_field)
    {
    case SQL_DESC_DATETIME_INTERVAL_PRECISION:
        metadata.ClearIntervalPrecisionDefault();
        // The rest as for the length.
        [[fallthrough]];
    case SQL_DESC_LENGTH:
        metadata.SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_value));
        if (!IsInterval())
        {
            metadata.SetPrecision(smallValue);
        }
        break;
    case SQL_DESC_PRECISION:
        metadata.SetPrecision(smallValue);
        metadata.ClearPrecisionDefault();
        if (IsInterval())
        {
            metadata.SetScale(smallValue);
        }
        else
        {
            metadata.SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_value));
        }
        break;
    case SQL_DESC_SCALE:
        metadata.SetScale(smallValue);
        if (IsInterval())
        {
            metadata.SetPrecision(smallValue);
        }
        break;
    case SQL_DESC_NUM_PREC_RADIX:
        if (in_value != 0 && in_value != 2 && in_value != 10)
        {
            throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InvalidNumPrecRadix", -1, -1);
        }
        metadata.SetNumPrecRadix(static_cast<int32_t>(in_value));
        break;
    case SQL_DESC_OCTET_LENGTH:
        metadata.SetOctetLength(static_cast<uint64_t>(in_value));
        break;
    case DescriptorFields::ENCODING:
        // A negative encoding would index outside the encoding table as surely as a large one.
        if (in_value < 0 || in_value >= ENCODING_COUNT)
        {
            throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InvalidEncodingType", -1, -1);
        }
        metadata.SetEncoding(static_cast<EncodingType>(in_value));
        break;
    default:
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_FIELD, ODBC_COMPONENT_ID, u"InvalidDescFieldIdent", -1, -1);
    }
}

} // namespace ODBC
} // namespace Orvik
