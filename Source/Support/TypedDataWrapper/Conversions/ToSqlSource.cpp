#include "ToSqlSource.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

namespace Orvik {
namespace Support {

ToSqlSource ToSqlSource::Of(const ODBC::CDataWrapper& in_source)
{
    ToSqlSource source;
    source.m_value = static_cast<const char*>(in_source.GetData()) + in_source.GetOffset();
    source.m_length = in_source.GetDataLength();
    source.m_cMetadata = &in_source.GetMetadata();
    return source;
}

ToSqlSource ToSqlSource::Of(const SqlData& in_source)
{
    ToSqlSource source;
    source.m_value = in_source.GetBuffer();
    source.m_length = in_source.GetLength();
    source.m_sqlMetadata = &in_source.GetMetadata();
    return source;
}

EncodingType ToSqlSource::GetEncoding() const
{
    return IsCSource() ? m_cMetadata->GetEncoding() : m_sqlMetadata->GetEncoding();
}

TDWType ToSqlSource::GetTDWType(const SqlTypeMetadata& in_target) const
{
    if (!IsCSource())
    {
        return m_sqlMetadata->GetTDWType();
    }
    const TDWType type = m_cMetadata->GetTDWType();
    return type == TDW_C_DEFAULT ? TypeConversionInfo::GetDefaultCTypeForSqlType(in_target.GetTDWType()) : type;
}

} // namespace Support
} // namespace Orvik
