#pragma once

#include "DSI/Catalog/IMetadataFilter.h"

#include <memory>

namespace Orvik {
namespace Support {
class SqlTypeMetadata;
}

namespace DSI {

/// A small-integer argument over a SQL_SMALLINT column. On SCOPE it is the least scope a row must
/// have, and a row without a scope passes; on any other column (DATA_TYPE) a row's value must
/// equal it.
class SmallIntMetadataFilter : public IMetadataFilter
{
public:
    SmallIntMetadataFilter(int32_t in_columnTag, int16_t in_value);

    ~SmallIntMetadataFilter() override;

    bool Filter() override;
    Support::SqlData& GetSqlData() override { return *m_data; }
    void LogFilter(ILogger& in_log) const override;
    void Accept(DSIMetadataRestrictionGenerator& io_generator) const override;

    int16_t GetValue() const { return m_value; }

private:
    const int16_t m_value;
    std::unique_ptr<Support::SqlTypeMetadata> m_metadata;
    std::unique_ptr<Support::SqlData> m_data;
};

} // namespace DSI
} // namespace Orvik
