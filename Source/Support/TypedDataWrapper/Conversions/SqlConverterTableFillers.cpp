// The filler of the converter registry's SQL-to-SQL table. Until the SQL-to-SQL cells are listed
// every cell stays empty, so every pair of SQL types is refused as not convertible.

#include "Support/TypedDataWrapper/SqlConverterFactory.h"

namespace Orvik {
namespace Support {

void SqlConverterFactory::InitSqlToSqlTable(SqlToSqlTable&)
{
}

} // namespace Support
} // namespace Orvik
