#pragma once

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLColumns: IS_NULLABLE becomes a boolean and DATA_TYPE an OLE DB
/// type code.
class ColumnsSchemaAdapter : public SchemaResultAdapter
{
public:
    ColumnsSchemaAdapter() : SchemaResultAdapter(RULES, sizeof RULES / sizeof RULES[0]) {}

private:
    static constexpr SchemaColumnRule RULES[] = {
        {DSI_TAG_IS_NULLABLE, SchemaColumnConversion::YesToBoolean, -1},
        {DSI_TAG_DATA_TYPE, SchemaColumnConversion::SqlTypeToOleDb, DSI_TAG_UNSIGNED_ATTRIBUTE},
    };
};

} // namespace DSI
} // namespace Orvik
