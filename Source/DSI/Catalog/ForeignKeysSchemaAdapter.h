#pragma once

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLForeignKeys: UPDATE_RULE and DELETE_RULE become their OLE DB
/// names.
class ForeignKeysSchemaAdapter : public SchemaResultAdapter
{
public:
    ForeignKeysSchemaAdapter() : SchemaResultAdapter(RULES, sizeof RULES / sizeof RULES[0]) {}

private:
    static constexpr SchemaColumnRule RULES[] = {
        {DSI_TAG_UPDATE_RULE, SchemaColumnConversion::RuleToText, -1},
        {DSI_TAG_DELETE_RULE, SchemaColumnConversion::RuleToText, -1},
    };
};

} // namespace DSI
} // namespace Orvik
