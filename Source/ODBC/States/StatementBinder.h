#pragma once

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

class Statement;

/// SQLBindCol and SQLBindParameter: what an application binds becomes records of the
/// statement's current ARD, or of its current APD and IPD; a binding that fails leaves no record
/// half made.
class StatementBinder
{
public:
    StatementBinder() = delete;

    /// Binds column in_column (a null target unbinds it). Throws "BookmarkColumnNotSupported" and
    /// "SqlCTypeNotSupported" (HYC00), "InvalidStrOrBuffLen" (HY090) for a target with a negative
    /// buffer length, and "InvalidDescIndex" (07009) beyond the current result's columns or
    /// SQL_MAX_COLUMNS_IN_SELECT.
    static void BindColumn(Statement& io_statement,
                           SQLUSMALLINT in_column,
                           SQLSMALLINT in_targetType,
                           SQLPOINTER in_target,
                           SQLLEN in_bufferLength,
                           SQLLEN* in_lengthOrIndicator);

    /// Binds parameter in_parameter: its buffer on the APD, its SQL description on the IPD.
    /// Throws "SqlCTypeNotSupported" (HY003), "SqlTypeNotSupported" (HY004) and
    /// "DataConvNotSupported" (07006).
    static void BindParameter(Statement& io_statement,
                              SQLUSMALLINT in_parameter,
                              SQLSMALLINT in_inputOutputType,
                              SQLSMALLINT in_valueType,
                              SQLSMALLINT in_parameterType,
                              SQLULEN in_columnSize,
                              SQLSMALLINT in_decimalDigits,
                              SQLPOINTER in_value,
                              SQLLEN in_bufferLength,
                              SQLLEN* in_lengthOrIndicator);

    /// Whether the decimal digits of SQL type in_type count its fractional seconds.
    static bool HasFractionalSeconds(int16_t in_type);
};

} // namespace ODBC
} // namespace Orvik
