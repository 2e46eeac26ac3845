#pragma once

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLProcedures: PROCEDURE_TYPE is counted from 1.
class ProceduresSchemaAdapter : public SchemaResultAdapter
{
public:
    ProceduresSchemaAdapter() : SchemaResultAdapter(RULES, sizeof RULES / sizeof RULES[0]) {}

private:
    static constexpr SchemaColumnRule RULES[] = {
        {DSI_TAG_PROCEDURE_TYPE, SchemaColumnConversion::PlusOne, -1},
    };
};

} // namespace DSI
} // namespace Orvik
