#include "Pelta/PeltaCatalogQuery.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"

using Orvik::DSI::DSIMetadataRestrictions;

namespace Pelta {

namespace {

// The first of in_tags that the restrictions give a value, or null.
const Orvik::Support::orvik_wstring* FindRestriction(const DSIMetadataRestrictions& in_restrictions,
                                                     std::initializer_list<int32_t> in_tags)
{
    for (int32_t tag : in_tags)
    {
        const auto found = in_restrictions.find(tag);
        if (found != in_restrictions.end() && !found->second.IsNull())
        {
            return &found->second;
        }
    }
    return nullptr;
}

void AppendTest(const char* in_column, const Orvik::Support::orvik_wstring& in_value, std::string& io_clause)
{
    if (!io_clause.empty())
    {
        io_clause += " AND ";
    }
    io_clause.append(in_column).append("='");
    for (char byte : in_value.GetAsUTF8())
    {
        io_clause.push_back(byte);
        if (byte == '\'')
        {
            io_clause.push_back('\'');
        }
    }
    io_clause.push_back('\'');
}

} // namespace

std::string PeltaCatalogQuery::WithRestrictions(const char* in_query, const DSIMetadataRestrictions& in_restrictions)
{
    using namespace Orvik::DSI;
    std::string clause;
    if (const auto* table = FindRestriction(in_restrictions, {DSI_TAG_TABLE_NAME, DSI_TAG_PKTABLE_NAME}))
    {
        AppendTest("table_name", *table, clause);
    }
    if (const auto* schema = FindRestriction(in_restrictions, {DSI_TAG_TABLE_SCHEM, DSI_TAG_PKTABLE_SCHEM}))
    {
        AppendTest("schema_name", *schema, clause);
    }
    std::string text(in_query);
    if (!clause.empty())
    {
        text.append(" WHERE ").append(clause);
    }
    return text;
}

} // namespace Pelta
