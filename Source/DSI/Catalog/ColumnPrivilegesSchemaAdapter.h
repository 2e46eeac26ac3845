#pragma once

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLColumnPrivileges: IS_GRANTABLE becomes a boolean.
class ColumnPrivilegesSchemaAdapter : public SchemaResultAdapter
{
public:
    ColumnPrivilegesSchemaAdapter() : SchemaResultAdapter(RULES, sizeof RULES / sizeof RULES[0]) {}

private:
    static constexpr SchemaColumnRule RULES[] = {
        {DSI_TAG_IS_GRANTABLE, SchemaColumnConversion::YesToBoolean, -1},
    };
};

} // namespace DSI
} // namespace Orvik
