#pragma once

#include "DSI/Client/Collation.h"
#include "Support/SharedPtr.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace DSI {

/// The descriptive attributes of one result column. The producers of columns (a back end's
/// result set, the catalog column factory) set the fields after construction.
class DSIColumnMetadata
{
public:
    /// The attributes of an unnamed column of unknown nullability, with in_collation or, when
    /// none is given, the process-wide default collation.
    explicit DSIColumnMetadata(Support::SharedPtr<Collation> in_collation = Support::SharedPtr<Collation>());

    DSIColumnMetadata(const DSIColumnMetadata&) = delete;
    DSIColumnMetadata& operator=(const DSIColumnMetadata&) = delete;

    Support::SharedPtr<Collation> m_collation;
    /// SQL_DESC_LABEL; null when the column has none.
    Support::orvik_wstring m_label;
    /// SQL_DESC_BASE_COLUMN_NAME, and SQL_DESC_NAME unless the column is unnamed.
    Support::orvik_wstring m_name{u""};
    /// SQL_DESC_TABLE_NAME and SQL_DESC_BASE_TABLE_NAME.
    Support::orvik_wstring m_tableName{u""};
    Support::orvik_wstring m_schemaName{u""};
    Support::orvik_wstring m_catalogName{u""};
    /// SQL_NULLABLE_UNKNOWN.
    int32_t m_nullable = 2;
    /// SQL_PRED_SEARCHABLE.
    int32_t m_searchable = 3;
    /// SQL_ATTR_READONLY.
    int32_t m_updatable = 0;
    int32_t m_auxiliaryValue = 2;
    /// Characters for character columns, bytes for binary ones; the column size follows from it.
    uint32_t m_columnLength = 0;
    bool m_isAutoUnique = false;
    bool m_isCaseSensitive = false;
    /// Cleared by the producer that sets the column length.
    bool m_hasDefaultLength = true;
    bool m_isUnnamed = true;
};

} // namespace DSI
} // namespace Orvik
