#pragma once

#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLGetTypeInfo. It keeps the DATA_TYPE and BEST_MATCH
/// restrictions of the provider-types rowset; every column is presented as the catalog result
/// gives it.
class ProviderTypesSchemaAdapter : public SchemaResultAdapter
{
public:
    ProviderTypesSchemaAdapter(bool in_hasDataType, uint16_t in_dataType, bool in_hasBestMatch, bool in_bestMatch)
        : SchemaResultAdapter(nullptr, 0),
          m_hasDataType(in_hasDataType),
          m_dataType(in_dataType),
          m_hasBestMatch(in_hasBestMatch),
          m_bestMatch(in_bestMatch)
    {
    }

    bool HasDataType() const { return m_hasDataType; }
    uint16_t GetDataType() const { return m_dataType; }
    bool HasBestMatch() const { return m_hasBestMatch; }
    bool GetBestMatch() const { return m_bestMatch; }

private:
    const bool m_hasDataType;
    const uint16_t m_dataType;
    const bool m_hasBestMatch;
    const bool m_bestMatch;
};

} // namespace DSI
} // namespace Orvik
