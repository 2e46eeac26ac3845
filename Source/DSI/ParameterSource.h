#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// One parameter of a statement while it executes: its value in the current parameter set, or a
/// piece of data at execution. Parameters are described through the implementation parameter
/// descriptor's registration (IParameterRegistration).
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

protected:
    ParameterSource() = default;
};

} // namespace DSI
} // namespace Orvik
