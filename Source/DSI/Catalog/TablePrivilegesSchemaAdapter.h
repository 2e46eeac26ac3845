#pragma once

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLTablePrivileges: IS_GRANTABLE becomes a boolean.
class TablePrivilegesSchemaAdapter : public SchemaResultAdapter
{
public:
    TablePrivilegesSchemaAdapter() : SchemaResultAdapter(RULES, sizeof RULES / sizeof RULES[0]) {}

private:
    static constexpr SchemaColumnRule RULES[] = {
        {DSI_TAG_IS_GRANTABLE, SchemaColumnConversion::YesToBoolean, -1},
    };
};

} // namespace DSI
} // namespace Orvik
