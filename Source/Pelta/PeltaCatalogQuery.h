#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <string>

namespace Pelta {

/// The statement texts of the catalog queries on information_schema.
class PeltaCatalogQuery
{
public:
    PeltaCatalogQuery() = delete;

    /// in_query narrowed by the table and schema restrictions (tags 2 or 31, and 1 or 30):
    /// " WHERE table_name='t' AND schema_name='s'", either test alone when only one is given,
    /// nothing when neither is. Every apostrophe of a value is doubled, so that a value can
    /// only ever be a value. Catalog restrictions are not used: the server has no catalogs.
    static std::string WithRestrictions(const char* in_query, const Orvik::DSI::DSIMetadataRestrictions& in_restrictions);
};

} // namespace Pelta
