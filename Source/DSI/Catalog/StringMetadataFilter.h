#pragma once

#include "DSI/Catalog/IMetadataFilter.h"
#include "Support/EncodingType.h"

#include <memory>

namespace Orvik {
namespace Support {
class SqlTypeMetadata;
class orvik_wstring;
} // namespace Support

namespace DSI {

/// The base of the filters over character columns: it owns a value holder of SQL_WVARCHAR (wide)
/// or SQL_VARCHAR and knows the holder's encoding. A NULL value is tested as empty text, so that
/// an empty argument finds the objects that have no such name.
class StringMetadataFilter : public IMetadataFilter
{
public:
    ~StringMetadataFilter() override;

    Support::SqlData& GetSqlData() override { return *m_data; }

protected:
    StringMetadataFilter(int32_t in_columnTag, bool in_isWide);

    /// The encoding of the holder's bytes.
    Support::EncodingType GetEncoding() const { return m_encoding; }

    /// The holder's bytes; none for a NULL value.
    const void* GetValueBytes() const;
    int64_t GetValueLength() const;

    /// The holder's value decoded; empty for a NULL value.
    Support::orvik_wstring GetValueText() const;

private:
    std::unique_ptr<Support::SqlTypeMetadata> m_metadata;
    std::unique_ptr<Support::SqlData> m_data;
    Support::EncodingType m_encoding;
};

} // namespace DSI
} // namespace Orvik
