#pragma once

#include "Support/TypedDataWrapper/TDWType.h"

#include <sql.h>

#include <cstdint>
#include <memory>

namespace Orvik {

namespace Support {
class ICToSqlConverter;
} // namespace Support

namespace ODBC {

class CDataWrapper;
class IDiagManager;
class PushedParameterSource;

/// How one application value of a parameter becomes its SQL-side value: the length the
/// application gave, and the conversion into the parameter source's holder. Shared by the
/// values read from bound buffers, set by set, and the pieces sent as data at execution.
/// Diagnostics name the parameter set as the row and the parameter as the column.
class ParameterInput
{
public:
    ParameterInput() = delete;

    /// The length of a character or binary value at in_data: the value at in_length when one is
    /// given and it is not SQL_NTS (0, or a positive length with data); SQL_NTS when the value is
    /// terminated and there is data. Anything else (a negative length, a length without data, no
    /// length and no data) throws "InvalidStrOrBuffLen" (HY090) at set in_set, parameter
    /// in_parameter.
    static SQLLEN GetInputLength(const void* in_data, const SQLLEN* in_length, uint64_t in_set, uint16_t in_parameter);

    /// Converts the value of io_cData (its address moved to the set's element) into io_source's
    /// holder by the length at in_length and the indicator at in_indicator (either may be null):
    /// SQL_NULL_DATA (or a missing address without the default indicator) gives NULL, a length of
    /// SQL_DEFAULT_PARAM marks the source as the default and converts nothing, else the value is
    /// converted with io_converter, made for the pair on first use. Errors of the conversion are
    /// thrown at in_set and in_parameter, its warnings posted to io_diagnostics; a missing
    /// address throws HY090, SQL_NTS for a C type that is neither character nor binary
    /// ODBCInternalException "DataConvError".
    static void ConvertInputValue(const SQLLEN* in_length,
                                  const SQLLEN* in_indicator,
                                  CDataWrapper& io_cData,
                                  uint64_t in_set,
                                  uint16_t in_parameter,
                                  PushedParameterSource& io_source,
                                  IDiagManager& io_diagnostics,
                                  std::unique_ptr<Support::ICToSqlConverter>& io_converter);

    /// The C type a value of C type in_cType travels as into a parameter of SQL type id
    /// in_sqlTypeId: the SQL type's default C type for SQL_C_DEFAULT, else in_cType.
    static int16_t ResolveCType(int16_t in_cType, Support::TDWType in_sqlTypeId);

    /// The row's address of io_cData's value, or null without a bound address.
    static void* GetValueAddress(const CDataWrapper& in_cData);
};

} // namespace ODBC
} // namespace Orvik
