#include "DSI/Catalog/StringMetadataFilter.h"

#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

namespace Orvik {
namespace DSI {

using namespace Support;

StringMetadataFilter::StringMetadataFilter(int32_t in_columnTag, bool in_isWide)
    : IMetadataFilter(in_columnTag),
      m_metadata(TypedDataSingleton<SqlTypeMetadataFactory>::GetOrDefault().CreateNewSqlTypeMetadata(
          in_isWide ? SQL_WVARCHAR : SQL_VARCHAR, false, 0)),
      m_data(TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(*m_metadata)),
      m_encoding(m_metadata->GetEncoding())
{
    m_data->SetNull(true);
}

StringMetadataFilter::~StringMetadataFilter() = default;

const void* StringMetadataFilter::GetValueBytes() const
{
    return m_data->IsNull() ? nullptr : m_data->GetBuffer();
}

int64_t StringMetadataFilter::GetValueLength() const
{
    // A NULL value leaves the length of the row before it behind.
    return m_data->IsNull() ? 0 : m_data->GetLength();
}

orvik_wstring StringMetadataFilter::GetValueText() const
{
    return m_data->IsNull() ? orvik_wstring(u"") : orvik_wstring(*m_data);
}

} // namespace DSI
} // namespace Orvik
