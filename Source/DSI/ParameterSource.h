#pragma once

#include "Support/EncodingType.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {

namespace Support {
class SqlData;
} // namespace Support

namespace DSI {

/// One parameter of a statement: while executing, its value in the current parameter set;
/// while describing, the implementation record that the back end fills in. The describing
/// setters are refused while values are executed, the value queries while the parameter is
/// described.
class ParameterSource
{
public:
    virtual ~ParameterSource() = default;

    // The description.

    /// The column size: characters of a character type, bytes of a binary type, digits of a
    /// number.
    virtual uint64_t GetColumnSize() = 0;

    /// The same as GetColumnSize.
    virtual uint64_t GetLength() = 0;

    /// The parameter's name (SQL_DESC_NAME).
    virtual Support::orvik_wstring GetName() = 0;

    /// The radix of a numeric type: 2, 10 or 0.
    virtual int32_t GetNumPrecRadix() = 0;

    /// The direction: 1 input, 2 input/output, 4 output; any other recorded value raises the
    /// callback error "InvalidParameterType".
    virtual int16_t GetInputOutputType() = 0;

    /// The precision: digits of a number, fractional-second digits of a time.
    virtual int16_t GetPrecision() = 0;

    virtual int16_t GetScale() = 0;

    /// The encoding of the SQL-side value of a character type.
    virtual Support::EncodingType GetEncoding() = 0;

    /// The ODBC SQL type code of the parameter's implementation record.
    virtual int16_t GetSqlType() = 0;

    /// SQL_NO_NULLS (0), SQL_NULLABLE (1) or SQL_NULLABLE_UNKNOWN (2).
    virtual int16_t GetNullable() = 0;

    /// Whether the SQL-side value is unsigned.
    virtual bool IsUnsigned() = 0;

    /// The parameter's number, from 1.
    virtual uint16_t GetParameterNumber() = 0;

    virtual bool IsCaseSensitive() = 0;

    /// Whether the parameter has no name.
    virtual bool IsUnnamed() = 0;

    /// The bytes a value of the type takes: twice the column size for a wide-character type, the
    /// column size for a character or binary type, the fixed size otherwise.
    virtual uint64_t GetOctetLength() = 0;

    /// Whether the application changed the description after the source was made.
    virtual bool IsModified() = 0;

    // Describing.

    virtual void SetCaseSensitive(bool in_isCaseSensitive) = 0;

    /// Describes the column size.
    virtual void SetColumnSize(uint64_t in_size) = 0;

    /// The same as SetColumnSize.
    virtual void SetLength(uint64_t in_length) = 0;

    virtual void SetName(const Support::orvik_wstring& in_name) = 0;

    /// Describes the direction: 1 input, 2 input/output, 4 or 5 output; any other value raises
    /// the callback error "InvalidParameterType".
    virtual void SetInputOutputType(int16_t in_type) = 0;

    virtual void SetPrecision(int16_t in_precision) = 0;
    virtual void SetScale(int16_t in_scale) = 0;
    virtual void SetEncoding(Support::EncodingType in_encoding) = 0;

    /// 0 SQL_NO_NULLS, 1 SQL_NULLABLE, any other value SQL_NULLABLE_UNKNOWN.
    virtual void SetNullable(int16_t in_nullable) = 0;

    /// Describes the parameter with the ODBC SQL type code in_type.
    virtual void SetConciseType(int16_t in_type) = 0;

    virtual void SetUnnamed(bool in_isUnnamed) = 0;
    virtual void SetUnsigned(bool in_isUnsigned) = 0;

    // The value of the current set.

    /// The holder into which the back end writes an output parameter's value.
    virtual Support::SqlData& GetOutputData() = 0;

    /// Whether the current set's value arrived as data at execution, so that the back end
    /// already holds it.
    virtual bool IsPushed() = 0;

    /// Whether the current set binds SQL NULL.
    virtual bool IsNull() = 0;

    /// Whether the current set binds the default-parameter indicator.
    virtual bool IsDefault() = 0;

    /// The SQL-side value of the current set; out_length receives its size in bytes. Null for
    /// NULL.
    virtual const void* GetData(uint64_t& out_length) = 0;

    /// The holder of the current set's SQL-side value.
    virtual Support::SqlData& GetSqlData() = 0;

protected:
    ParameterSource() = default;
};

} // namespace DSI
} // namespace Orvik
