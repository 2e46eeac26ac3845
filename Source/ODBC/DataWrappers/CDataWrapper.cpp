#include "ODBC/DataWrappers/CDataWrapper.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <algorithm>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

CDataWrapper::CDataWrapper(std::unique_ptr<SqlCTypeMetadata> in_metadata) : m_metadata(std::move(in_metadata))
{
}

CDataWrapper::~CDataWrapper() = default;

uint64_t CDataWrapper::GetElementSize() const
{
    return m_metadata->IsFixedSize() ? m_metadata->GetFixedSize() : m_metadata->GetOctetLength();
}

uint64_t CDataWrapper::GetElementSize(TDWType in_sqlType) const
{
    if (m_metadata->GetTDWType() != TDW_C_DEFAULT || !IsSqlTypeId(in_sqlType))
    {
        return GetElementSize();
    }
    const std::unique_ptr<SqlCTypeMetadata> resolved =
        TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateDefaultBindingMetadata(in_sqlType,
                                                                                                 *m_metadata);
    return resolved->IsFixedSize() ? resolved->GetFixedSize() : resolved->GetOctetLength();
}

void CDataWrapper::Reset(int16_t in_cType)
{
    const SqlCTypeMetadataFactory& factory = TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault();
    if (m_metadata->GetCType() == in_cType)
    {
        factory.ResetTypeDefaults(*m_metadata);
        ClearFields();
        return;
    }
    const auto spare = std::find_if(m_spareMetadata.begin(), m_spareMetadata.end(),
                                    [in_cType](const SpareMetadata& in_spare) { return in_spare.m_cType == in_cType; });
    if (spare != m_spareMetadata.end())
    {
        std::swap(m_metadata, spare->m_metadata);
        spare->m_cType = spare->m_metadata->GetCType();
        factory.ResetTypeDefaults(*m_metadata);
    }
    else
    {
        std::unique_ptr<SqlCTypeMetadata> fresh = factory.CreateNewSqlCTypeMetadata(in_cType);
        const int16_t currentType = m_metadata->GetCType();
        m_spareMetadata.push_back({currentType, std::move(m_metadata)});
        m_metadata = std::move(fresh);
    }
    ClearFields();
}

// The data length is cleared as well: a reused wrapper never shows its last user's length.
void CDataWrapper::ClearFields()
{
    m_data = nullptr;
    m_dataLength = 0;
    m_offset = 0;
    m_outputLength = 0;
    m_isNull = false;
    m_isAddressValid = true;
}

} // namespace ODBC
} // namespace Orvik
