// The fillers of the converter registry's three tables. The converter families write one creator
// into each cell they support: the SQL-to-C converters into the first table, the SQL-to-SQL and
// C-to-SQL converters into the other two. Until those families exist every cell stays empty, so
// every pair is refused as not convertible.

#include "Support/TypedDataWrapper/SqlConverterFactory.h"

namespace Orvik {
namespace Support {

void SqlConverterFactory::InitSqlToSqlTable(SqlToSqlTable&)
{
}

void SqlConverterFactory::InitCToSqlTable(CToSqlTable&)
{
}

} // namespace Support
} // namespace Orvik
