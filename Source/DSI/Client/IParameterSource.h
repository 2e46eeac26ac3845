#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {

namespace Support {
class orvik_wstring;
} // namespace Support

namespace DSI {

/// One parameter of a prepared statement, as the ODBC layer hands it to the data store. While
/// the data engine describes the statement's parameters (IQueryExecutor::PopulateParameters),
/// it writes each parameter's description through these operations. A refused value throws
/// CallbackException.
class IParameterSource
{
public:
    virtual ~IParameterSource() = default;

    /// The parameter's number, from 1.
    virtual uint16_t GetParameterNumber() const = 0;

    virtual void SetCaseSensitive(bool in_isCaseSensitive) = 0;

    /// The column size: characters of a character type, bytes of a binary type, digits of a
    /// numeric type.
    virtual void SetColumnSize(uint32_t in_columnSize) = 0;

    /// The same as SetColumnSize.
    virtual void SetLength(uint32_t in_length) = 0;

    virtual void SetName(const Support::orvik_wstring& in_name) = 0;

    /// SQL_PARAM_INPUT (1), SQL_PARAM_INPUT_OUTPUT (2), or an output parameter
    /// (SQL_PARAM_OUTPUT 4, SQL_RETURN_VALUE 5); any other value is refused.
    virtual void SetInputOutputType(int16_t in_type) = 0;

    virtual void SetPrecision(int16_t in_precision) = 0;
    virtual void SetScale(int16_t in_scale) = 0;

    /// The encoding of a character value.
    virtual void SetEncoding(Support::EncodingType in_encoding) = 0;

    /// SQL_NO_NULLS (0), SQL_NULLABLE (1); any other value counts as SQL_NULLABLE_UNKNOWN.
    virtual void SetNullable(int16_t in_nullable) = 0;

    /// The ODBC SQL type code; a code that is no SQL type is refused.
    virtual void SetSqlType(int16_t in_sqlType) = 0;

    virtual void SetUnnamed(bool in_isUnnamed) = 0;
    virtual void SetUnsigned(bool in_isUnsigned) = 0;

protected:
    IParameterSource() = default;
};

} // namespace DSI
} // namespace Orvik
