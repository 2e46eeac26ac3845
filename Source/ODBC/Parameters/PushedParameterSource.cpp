#include "ODBC/Parameters/PushedParameterSource.h"

#include "DSI/BadStateException.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

[[noreturn]] void RefuseDescription()
{
    throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotSetParmSrcAttrDuringPushData", -1, -1);
}

} // namespace

PushedParameterSource::PushedParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record)
    : RecordParameterSource(io_descriptor, io_record),
      m_data(TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(io_record.GetMetadata()))
{
}

PushedParameterSource::~PushedParameterSource() = default;

void PushedParameterSource::SetCaseSensitive(bool)
{
    RefuseDescription();
}

void PushedParameterSource::SetColumnSize(uint64_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetLength(uint64_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetName(const orvik_wstring&)
{
    RefuseDescription();
}

void PushedParameterSource::SetInputOutputType(int16_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetPrecision(int16_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetScale(int16_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetEncoding(EncodingType)
{
    RefuseDescription();
}

void PushedParameterSource::SetNullable(int16_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetConciseType(int16_t)
{
    RefuseDescription();
}

void PushedParameterSource::SetUnnamed(bool)
{
    RefuseDescription();
}

void PushedParameterSource::SetUnsigned(bool)
{
    RefuseDescription();
}

bool PushedParameterSource::IsNull()
{
    return m_data->IsNull();
}

bool PushedParameterSource::IsDefault()
{
    return m_isDefault;
}

const void* PushedParameterSource::GetHeldBytes(uint64_t& out_length)
{
    if (m_data->IsNull())
    {
        out_length = 0;
        return nullptr;
    }
    out_length = static_cast<uint64_t>(m_data->GetConvertedLength());
    return m_data->GetBuffer();
}

} // namespace ODBC
} // namespace Orvik
