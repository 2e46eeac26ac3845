#pragma once

#include "DSI/Catalog/SchemaResultAdapter.h"

namespace Orvik {
namespace DSI {

/// The OLE DB schema-rowset form of SQLPrimaryKeys: the key's column position is presented as
/// ORDINAL, whose value needs no conversion.
class PrimaryKeysSchemaAdapter : public SchemaResultAdapter
{
public:
    PrimaryKeysSchemaAdapter() : SchemaResultAdapter(nullptr, 0) {}
};

} // namespace DSI
} // namespace Orvik
