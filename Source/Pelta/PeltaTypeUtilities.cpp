#include "Pelta/PeltaTypeUtilities.h"

#include <sqlext.h>

namespace Pelta {

namespace {

// The server's type ids: id, reported name, data_type text, reported SQL type (the ODBC 3 one).
#define PELTA_SERVER_TYPE_TABLE(ROW)                                      \
    ROW(0, "string", "null", SQL_WVARCHAR)                                \
    ROW(2, "byte", "byte", SQL_TINYINT)                                   \
    ROW(3, "boolean", "boolean", SQL_BIT)                                 \
    ROW(4, "string", "string", SQL_WVARCHAR)                              \
    ROW(5, "string", "ip", SQL_WVARCHAR)                                  \
    ROW(6, "double", "double", SQL_DOUBLE)                                \
    ROW(7, "float", "float", SQL_REAL)                                    \
    ROW(8, "short", "short", SQL_SMALLINT)                                \
    ROW(9, "integer", "integer", SQL_INTEGER)                             \
    ROW(10, "long", "long", SQL_BIGINT)                                   \
    ROW(11, "timestamp", "timestamp", SQL_TYPE_TIMESTAMP)                 \
    ROW(12, "string", "object", SQL_WVARCHAR)                             \
    ROW(13, "string", "geo_point", SQL_WVARCHAR)                          \
    ROW(100, "string", "array", SQL_WVARCHAR)                             \
    ROW(101, "string", "set", SQL_WVARCHAR)                               \
    ROW(1, "type not supported", nullptr, 0)

struct ServerType
{
    uint32_t id;
    const char* name;
    const char* dataType;
    int16_t sqlType;
};

#define PELTA_SERVER_TYPE_ROW(id, name, dataType, sqlType) {id, name, dataType, sqlType},
constexpr ServerType SERVER_TYPES[] = {PELTA_SERVER_TYPE_TABLE(PELTA_SERVER_TYPE_ROW)};
#undef PELTA_SERVER_TYPE_ROW

constexpr uint32_t TIMESTAMP_TYPE_ID = 11;

const ServerType* FindType(uint32_t in_typeId)
{
    for (const ServerType& type : SERVER_TYPES)
    {
        if (type.id == in_typeId)
        {
            return &type;
        }
    }
    return nullptr;
}

} // namespace

int16_t PeltaTypeUtilities::GetSqlType(uint32_t in_typeId, bool in_isODBC3)
{
    if (in_typeId == TIMESTAMP_TYPE_ID && !in_isODBC3)
    {
        return SQL_TIMESTAMP;
    }
    const ServerType* type = FindType(in_typeId);
    return type ? type->sqlType : 0;
}

std::string PeltaTypeUtilities::GetTypeName(uint32_t in_typeId)
{
    const ServerType* type = FindType(in_typeId);
    return type ? type->name : "unknown type";
}

uint32_t PeltaTypeUtilities::GetTypeIdFromName(const std::string& in_name)
{
    // "set" holds no "array", so testing it with the exact names gives the same ids as testing
    // it after the containment rule.
    for (const ServerType& type : SERVER_TYPES)
    {
        if (type.dataType != nullptr && in_name == type.dataType)
        {
            return type.id;
        }
    }
    return in_name.find("array") != std::string::npos ? ARRAY_TYPE_ID : UNSUPPORTED_TYPE_ID;
}

} // namespace Pelta
