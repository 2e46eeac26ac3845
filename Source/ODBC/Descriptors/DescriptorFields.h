#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The kinds of descriptor: application descriptors (row and parameter, implicit and explicit
/// alike), the implementation parameter descriptor and the implementation row descriptor.
enum class DescriptorKind : uint8_t
{
    APP,
    IPD,
    IRD
};

/// How a field's value travels: its C type in the application's buffer.
enum class DescriptorValueType : uint8_t
{
    NONE,    ///< not a field of any descriptor
    POINTER, ///< an address, 8 bytes
    STRING,  ///< text in the driver manager's encoding
    INT16,   ///< SQLSMALLINT
    INT32,   ///< SQLINTEGER
    INT64,   ///< SQLLEN
    UINT64   ///< SQLULEN
};

/// What the application may do with a field on one kind of descriptor.
enum class DescriptorAccess : uint8_t
{
    NONE,      ///< neither read nor set: HY091 "InvalidDescFieldIdent"
    READ,      ///< read only: a set gives HY091 "ReadOnlyDescField"
    WRITE,     ///< set only (its consistency check), never read
    READ_WRITE ///< read and set
};

/// The descriptor fields this driver knows: each field's value type, whether it is a header
/// field, what each kind of descriptor lets the application do with it, and its name for log
/// lines. Identifiers outside the table are no fields.
class DescriptorFields
{
public:
    DescriptorFields() = delete;

    /// Driver-defined fields: a property of the SQL type (16385, 16387) and the character
    /// encoding of a buffer or value (16386).
    static constexpr int16_t DATA_SOURCE_TYPE = 16385;
    static constexpr int16_t ENCODING = 16386;
    static constexpr int16_t DRIVER_ATTRIBUTE = 16387;

    /// NONE for an identifier that is no field.
    static DescriptorValueType GetValueType(int16_t in_field);

    static bool IsStringField(int16_t in_field);

    /// Whether the field belongs to the header (record 0 of the header record), on any kind.
    static bool IsHeader(int16_t in_field);

    /// What kind in_kind allows; NONE for an identifier that is no field.
    static DescriptorAccess GetAccess(int16_t in_field, DescriptorKind in_kind);

    /// The field's ODBC constant name, or "Unknown FieldIdentifier".
    static const char* GetName(int16_t in_field);
};

} // namespace ODBC
} // namespace Orvik
