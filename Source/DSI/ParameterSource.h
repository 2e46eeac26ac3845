#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// One parameter of a statement: while executing, its value in the current parameter set;
/// while describing, the implementation record that the back end fills in.
class ParameterSource
{
public:
    virtual ~ParameterSource() = default;

    /// Whether the current set binds SQL NULL.
    virtual bool IsNull() = 0;

    /// Whether the current set binds the default-parameter indicator.
    virtual bool IsDefault() = 0;

    /// The ODBC SQL type code of the parameter's implementation record.
    virtual int16_t GetSqlType() = 0;

    /// Whether the SQL-side value is unsigned.
    virtual bool IsUnsigned() = 0;

    /// The SQL-side value of the current set; out_length receives its size in bytes.
    virtual const void* GetData(uint64_t& out_length) = 0;

    /// Describes the parameter with the ODBC SQL type code in_type.
    virtual void SetConciseType(int16_t in_type) = 0;

    /// Describes the direction: 1 input, 2 input/output, 4 or 5 output; any other value raises
    /// the callback error "InvalidParameterType".
    virtual void SetInputOutputType(int16_t in_type) = 0;

    /// Describes the column size.
    virtual void SetColumnSize(uint64_t in_size) = 0;

protected:
    ParameterSource() = default;
};

} // namespace DSI
} // namespace Orvik
