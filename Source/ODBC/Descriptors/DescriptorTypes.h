#pragma once

#include "ODBC/Descriptors/DescriptorFields.h"

#include <cstdint>

namespace Orvik {

namespace Support {
class SqlCTypeMetadata;
class SqlTypeMetadata;
} // namespace Support

namespace ODBC {

/// How a record's SQL_DESC_TYPE, SQL_DESC_CONCISE_TYPE and SQL_DESC_DATETIME_INTERVAL_CODE
/// hang together, which types each kind of record takes (C types on application records, SQL
/// types on IPD records), and the consistency check that setting a data pointer runs. Every
/// type error is HY021 (component 1), except the refused concise type, which is raised as
/// InvalidCTypeException or InvalidSQLTypeException for the caller to place.
class DescriptorTypes
{
public:
    DescriptorTypes() = delete;

    /// SQL_DATETIME for 9 to 11 and 91 to 93, SQL_INTERVAL for 101 to 113, else the type itself.
    static int16_t GetVerboseType(int16_t in_conciseType);

    /// 1 to 3 for the datetime types, 1 to 13 for the interval types, else 0.
    static int16_t GetIntervalCode(int16_t in_conciseType);

    /// Whether a record of kind in_kind takes in_conciseType as its concise type.
    static bool IsValidConciseType(DescriptorKind in_kind, int16_t in_conciseType);

    /// Throws "IllegalDescConciseType" unless IsValidConciseType: InvalidCTypeException on an
    /// application record, InvalidSQLTypeException on an IPD record.
    static void CheckConciseType(DescriptorKind in_kind, int16_t in_conciseType);

    /// The concise type that setting SQL_DESC_TYPE to in_type gives a record whose interval code
    /// is in_code: SQL_DATETIME needs code 1 to 3 ("InvalidDatetimeCodeIdent"), SQL_INTERVAL 1
    /// to 13 ("InvalidIntervalCode"); any other value must be a plain type of the kind
    /// ("IllegalDescType") and is its own concise type.
    static int16_t GetConciseTypeForType(DescriptorKind in_kind, int16_t in_type, int16_t in_code);

    /// SQLSetDescRec's type and subtype: the concise type for SQL_DATETIME with subtype 1 to 3
    /// (else "InvalidDatetimeSubcodeIdent") and SQL_INTERVAL with 1 to 13 (else
    /// "InvalidIntevalSubcodeIdent"); 0 for any other type, which the caller sets as
    /// SQL_DESC_TYPE.
    static int16_t GetConciseTypeForSubType(int16_t in_type, int16_t in_subType);

    /// The type part of the consistency check: a concise type the kind takes (HY021
    /// "IllegalDescConciseType") and an interval code that fits the verbose type.
    static void CheckTypes(DescriptorKind in_kind, int16_t in_conciseType, int16_t in_type, int16_t in_code);

    /// The metadata part of the consistency check: a bad precision or scale becomes HY104, any
    /// other bad metadata HY021, each with the original component, key and parameters.
    static void Validate(const Support::SqlCTypeMetadata& in_metadata);
    static void Validate(const Support::SqlTypeMetadata& in_metadata);
};

} // namespace ODBC
} // namespace Orvik
