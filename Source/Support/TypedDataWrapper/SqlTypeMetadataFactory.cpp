#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "Support/NumberConverter.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include <sqlext.h>

#include <cstddef>
#include <string_view>

namespace Orvik {
namespace Support {

namespace {

// A size that a row leaves as it was.
constexpr int64_t KEEP = -1;

enum Signedness : uint8_t
{
    SIGNED,
    UNSIGNED,
    // Signed or unsigned by the caller's argument; the unsigned form is in UNSIGNED_FORMS.
    SIGNED_PAIR
};

// What the row keeps of the old values when a descriptor changes a record to its type.
enum Restore : uint8_t
{
    RESTORE_NOTHING,
    RESTORE_ALL, // length, precision and scale
    RESTORE_SCALE,
    RESTORE_LENGTH,
    // No descriptor record can take the type.
    RESTORE_REFUSED
};

enum Extra : uint16_t
{
    NO_EXTRA = 0,
    // Literal prefix and suffix "'".
    QUOTED = 1 << 0,
    // Literal prefix "0x".
    HEX_PREFIX = 1 << 1,
    // The database WCHAR encoding and wide storage, instead of the database CHAR encoding.
    WIDE_STORAGE = 1 << 2,
    // The attached flag is the caller's argument instead of 0.
    ATTACHABLE = 1 << 3,
    // The verbose type is SQL_DATETIME instead of the code.
    DATETIME_VERBOSE = 1 << 4
};

struct SqlTypeDefaults
{
    int16_t code;
    TDWType type;
    const char16_t* typeName;
    const char16_t* localTypeName;
    int64_t columnSize;
    int64_t displaySize;
    int64_t octetLength;
    uint64_t length;
    int16_t precision;
    int32_t radix;
    Signedness signedness;
    uint16_t kinds;
    const char16_t* createParams;
    uint16_t extras;
    Restore restore;
};

constexpr uint16_t CHAR = TypeKinds::CHARACTER;
constexpr uint16_t WCHAR = TypeKinds::WIDE_CHARACTER;
constexpr uint16_t BIN = TypeKinds::BINARY;
constexpr uint16_t LONG = TypeKinds::LONG_DATA;
constexpr uint16_t EXACT = TypeKinds::EXACT_NUMERIC;
constexpr uint16_t INT = TypeKinds::INTEGER;
constexpr uint16_t APPROX = TypeKinds::APPROXIMATE_NUMERIC;
constexpr uint16_t DT = TypeKinds::DATETIME;
constexpr uint16_t TIME = TypeKinds::TIME;
constexpr uint16_t IVL = TypeKinds::INTERVAL;

// One row per ODBC SQL type code: type id, type name, local type name, column size, display
// size, octet length, length, precision, radix, signedness, kinds, creation parameters, extras,
// and what SetSqlType restores. Signed pairs show their signed form. INTERVAL_MONTH keeps its
// column size; INTERVAL_HOUR_TO_SECOND stores display size 16 against column size 18.
constexpr SqlTypeDefaults SQL_TYPE_DEFAULTS[] = {
    {0, TDW_SQL_NOTYPE, u"", u"", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, 0, u"", NO_EXTRA, RESTORE_REFUSED},
    {SQL_CHAR, TDW_SQL_CHAR, u"SQL_CHAR", u"CHAR", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, CHAR, u"length", QUOTED | ATTACHABLE, RESTORE_SCALE},
    {SQL_VARCHAR, TDW_SQL_VARCHAR, u"SQL_VARCHAR", u"VARCHAR", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, CHAR, u"length", QUOTED | ATTACHABLE, RESTORE_SCALE},
    {SQL_LONGVARCHAR, TDW_SQL_LONGVARCHAR, u"SQL_LONGVARCHAR", u"LONGVARCHAR", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, CHAR | LONG, u"length", QUOTED | ATTACHABLE, RESTORE_ALL},
    {SQL_WCHAR, TDW_SQL_WCHAR, u"SQL_WCHAR", u"WCHAR", KEEP, KEEP, KEEP, 0, 0, 0, UNSIGNED, WCHAR, u"max length", QUOTED | WIDE_STORAGE | ATTACHABLE, RESTORE_ALL},
    {SQL_WVARCHAR, TDW_SQL_WVARCHAR, u"SQL_WVARCHAR", u"WVARCHAR", KEEP, KEEP, KEEP, 0, 0, 0, UNSIGNED, WCHAR, u"length", QUOTED | WIDE_STORAGE | ATTACHABLE, RESTORE_ALL},
    {SQL_WLONGVARCHAR, TDW_SQL_WLONGVARCHAR, u"SQL_WLONGVARCHAR", u"WLONGVARCHAR", KEEP, KEEP, KEEP, 0, 0, 0, UNSIGNED, WCHAR | LONG, u"length", QUOTED | WIDE_STORAGE | ATTACHABLE, RESTORE_ALL},
    {SQL_BIT, TDW_SQL_BIT, u"SQL_BIT", u"BIT", 1, 1, 1, 1, 1, 0, UNSIGNED, 0, u"", NO_EXTRA, RESTORE_ALL},
    {SQL_BINARY, TDW_SQL_BINARY, u"SQL_BINARY", u"BINARY", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, BIN, u"length", HEX_PREFIX | ATTACHABLE, RESTORE_SCALE},
    {SQL_VARBINARY, TDW_SQL_VARBINARY, u"SQL_VARBINARY", u"VARBINARY", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, BIN, u"length", HEX_PREFIX | ATTACHABLE, RESTORE_SCALE},
    {SQL_LONGVARBINARY, TDW_SQL_LONGVARBINARY, u"SQL_LONGVARBINARY", u"LONGVARBINARY", KEEP, KEEP, KEEP, 1, 1, 0, UNSIGNED, BIN | LONG, u"length", HEX_PREFIX | ATTACHABLE, RESTORE_SCALE},
    {SQL_NUMERIC, TDW_SQL_NUMERIC, u"SQL_NUMERIC", u"NUMERIC", KEEP, KEEP, 40, 38, 38, 10, SIGNED, EXACT, u"precision,scale", NO_EXTRA, RESTORE_NOTHING},
    {SQL_DECIMAL, TDW_SQL_DECIMAL, u"SQL_DECIMAL", u"DECIMAL", KEEP, KEEP, 40, 38, 38, 10, SIGNED, EXACT, u"precision,scale", NO_EXTRA, RESTORE_NOTHING},
    {SQL_TINYINT, TDW_SQL_STINYINT, u"SQL_TINYINT", u"STINYINT", 3, 4, 1, 3, 3, 10, SIGNED_PAIR, INT, u"", NO_EXTRA, RESTORE_ALL},
    {SQL_SMALLINT, TDW_SQL_SSMALLINT, u"SQL_SMALLINT", u"SSMALLINT", 5, 6, 2, 5, 5, 10, SIGNED_PAIR, INT, u"", NO_EXTRA, RESTORE_ALL},
    {SQL_INTEGER, TDW_SQL_SINTEGER, u"SQL_INTEGER", u"SINTEGER", 10, 11, 4, 10, 10, 10, SIGNED_PAIR, INT, u"", NO_EXTRA, RESTORE_ALL},
    {SQL_BIGINT, TDW_SQL_SBIGINT, u"SQL_BIGINT", u"SBIGINT", 19, 20, 20, 19, 19, 10, SIGNED_PAIR, INT, u"", NO_EXTRA, RESTORE_ALL},
    {SQL_REAL, TDW_SQL_REAL, u"SQL_REAL", u"REAL", 7, 14, 4, 14, 24, 2, SIGNED, APPROX, u"", NO_EXTRA, RESTORE_SCALE},
    {SQL_FLOAT, TDW_SQL_FLOAT, u"SQL_FLOAT", u"FLOAT", 15, 24, 8, 24, 53, 2, SIGNED, APPROX, u"", NO_EXTRA, RESTORE_SCALE},
    {SQL_DOUBLE, TDW_SQL_DOUBLE, u"SQL_DOUBLE", u"DOUBLE", 15, 24, 8, 24, 53, 2, SIGNED, APPROX, u"", NO_EXTRA, RESTORE_SCALE},
    {SQL_DATE, TDW_SQL_TYPE_DATE, u"SQL_DATE", u"DATE", 10, 10, 6, 10, 0, 0, UNSIGNED, DT, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_TYPE_DATE, TDW_SQL_TYPE_DATE, u"SQL_TYPE_DATE", u"TYPE_DATE", 10, 10, 6, 10, 0, 0, UNSIGNED, DT, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_TIME, TDW_SQL_TYPE_TIME, u"SQL_TIME", u"TIME", 8, 8, 6, 8, 0, 0, UNSIGNED, DT | TIME, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_TYPE_TIME, TDW_SQL_TYPE_TIME, u"SQL_TYPE_TIME", u"TYPE_TIME", 8, 8, 6, 8, 0, 0, UNSIGNED, DT | TIME, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, u"SQL_TIMESTAMP", u"TIMESTAMP", 26, 26, 16, 26, 6, 0, UNSIGNED, DT | TIME, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, u"SQL_TYPE_TIMESTAMP", u"TYPE_TIMESTAMP", 26, 26, 16, 26, 6, 0, UNSIGNED, DT | TIME, u"", QUOTED | DATETIME_VERBOSE, RESTORE_LENGTH},
    {SQL_GUID, TDW_SQL_GUID, u"SQL_GUID", u"GUID", 36, 36, 16, 36, 16, 0, UNSIGNED, 0, u"", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR, u"SQL_INTERVAL_YEAR", u"INTERVAL_YEAR", 2, 3, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_MONTH, u"SQL_INTERVAL_MONTH", u"INTERVAL_MONTH", KEEP, 3, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY, u"SQL_INTERVAL_DAY", u"INTERVAL_DAY", 2, 3, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_HOUR, u"SQL_INTERVAL_HOUR", u"INTERVAL_HOUR", 2, 3, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_MINUTE, u"SQL_INTERVAL_MINUTE", u"INTERVAL_MINUTE", 2, 3, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND, u"SQL_INTERVAL_SECOND", u"INTERVAL_SECOND", 9, 10, 34, 2, 6, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_YEAR_TO_MONTH, u"SQL_INTERVAL_YEAR_TO_MONTH", u"INTERVAL_YEAR_TO_MONTH", 5, 6, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_HOUR, u"SQL_INTERVAL_DAY_TO_HOUR", u"INTERVAL_DAY_TO_HOUR", 5, 6, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_MINUTE, u"SQL_INTERVAL_DAY_TO_MINUTE", u"INTERVAL_DAY_TO_MINUTE", 8, 9, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_DAY_TO_SECOND, u"SQL_INTERVAL_DAY_TO_SECOND", u"INTERVAL_DAY_TO_SECOND", 18, 19, 34, 2, 6, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, u"SQL_INTERVAL_HOUR_TO_MINUTE", u"INTERVAL_HOUR_TO_MINUTE", 5, 6, 34, 2, 0, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_SECOND, u"SQL_INTERVAL_HOUR_TO_SECOND", u"INTERVAL_HOUR_TO_SECOND", 18, 16, 34, 2, 6, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
    {SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, u"SQL_INTERVAL_MINUTE_TO_SECOND", u"INTERVAL_MINUTE_TO_SECOND", 12, 13, 34, 2, 6, 0, UNSIGNED, IVL, u"precision", NO_EXTRA, RESTORE_SCALE},
};

// The unsigned forms of the signed pairs; their signed forms are the rows above.
struct IntegerForm
{
    int16_t code;
    TDWType type;
    const char16_t* localTypeName;
    uint32_t columnSize;
    uint32_t displaySize;
    int16_t precision;
};

constexpr IntegerForm UNSIGNED_FORMS[] = {
    {SQL_TINYINT, TDW_SQL_UTINYINT, u"UTINYINT", 3, 3, 3},
    {SQL_SMALLINT, TDW_SQL_USMALLINT, u"USMALLINT", 5, 5, 5},
    {SQL_INTEGER, TDW_SQL_UINTEGER, u"UINTEGER", 10, 10, 10},
    {SQL_BIGINT, TDW_SQL_UBIGINT, u"UBIGINT", 20, 20, 20},
};

template <class Row, size_t N>
const Row* FindRow(const Row (&in_rows)[N], int16_t in_sqlType)
{
    for (const Row& row : in_rows)
    {
        if (row.code == in_sqlType)
        {
            return &row;
        }
    }
    return nullptr;
}

IntegerForm SignedForm(const SqlTypeDefaults& in_row)
{
    return {in_row.code,
            in_row.type,
            in_row.localTypeName,
            static_cast<uint32_t>(in_row.columnSize),
            static_cast<uint32_t>(in_row.displaySize),
            in_row.precision};
}

[[noreturn]] void ThrowTypeNotSupported(int16_t in_sqlType)
{
    throw SupportException(SupportError(SupportErrorCode::SQLTypeNotSupported),
                           {SqlTypeUtilities::Current().GetSqlTypeName(in_sqlType),
                            NumberConverter::ConvertInt16ToWString(in_sqlType)});
}

// The type name without its "SQL_" prefix.
const char16_t* StripSqlPrefix(const char16_t* in_name)
{
    const std::u16string_view name(in_name);
    return name.substr(0, 4) == u"SQL_" ? in_name + 4 : in_name;
}

} // namespace

std::unique_ptr<SqlTypeMetadata> SqlTypeMetadataFactory::CreateNewCustomSqlTypeMetadata(
    int16_t, bool, uint32_t) const
{
    return nullptr;
}

bool SqlTypeMetadataFactory::ResetCustomTypeDefaults(int16_t, SqlTypeMetadata&) const
{
    return false;
}

bool SqlTypeMetadataFactory::SetCustomUnsigned(SqlTypeMetadata&, bool) const
{
    return false;
}

std::unique_ptr<SqlTypeMetadata> SqlTypeMetadataFactory::CreateNewSqlTypeMetadata(
    int16_t in_sqlType, bool in_isUnsigned, uint32_t in_attached) const
{
    std::unique_ptr<SqlTypeMetadata> metadata =
        CreateNewCustomSqlTypeMetadata(in_sqlType, in_isUnsigned, in_attached);
    if (metadata == nullptr)
    {
        metadata = std::make_unique<SqlTypeMetadata>();
        ResetTypeDefaults(*metadata, in_sqlType, in_isUnsigned, in_attached);
    }
    return metadata;
}

void SqlTypeMetadataFactory::ResetTypeDefaults(SqlTypeMetadata& io_metadata,
                                               int16_t in_sqlType,
                                               bool in_isUnsigned,
                                               uint32_t in_attached) const
{
    io_metadata.m_conciseType = in_sqlType;
    io_metadata.m_verboseType = in_sqlType;
    io_metadata.m_driverTypeNumber = 0;
    io_metadata.m_kinds = TypeKinds::NONE;
    io_metadata.m_isUnsigned = true;
    io_metadata.m_datetimeIntervalCode = SqlTypeUtilities::GetDatetimeIntervalCode(in_sqlType);

    const SqlTypeDefaults* row = FindRow(SQL_TYPE_DEFAULTS, in_sqlType);
    if (row == nullptr)
    {
        ThrowTypeNotSupported(in_sqlType);
    }
    io_metadata.m_type = row->type;
    io_metadata.m_typeName = StripSqlPrefix(row->typeName);
    io_metadata.m_localTypeName = row->localTypeName;
    if (row->columnSize != KEEP)
    {
        io_metadata.m_columnSize = static_cast<uint32_t>(row->columnSize);
    }
    if (row->displaySize != KEEP)
    {
        io_metadata.m_displaySize = static_cast<uint32_t>(row->displaySize);
    }
    if (row->octetLength != KEEP)
    {
        io_metadata.m_octetLength = static_cast<uint64_t>(row->octetLength);
    }
    io_metadata.m_length = row->length;
    io_metadata.m_precision = row->precision;
    io_metadata.m_scale = 0;
    io_metadata.m_numPrecRadix = row->radix;
    io_metadata.m_kinds = row->kinds;
    io_metadata.m_createParams = row->createParams;
    io_metadata.m_literalPrefix = (row->extras & QUOTED) ? u"'" : (row->extras & HEX_PREFIX) ? u"0x" : u"";
    io_metadata.m_literalSuffix = (row->extras & QUOTED) ? u"'" : u"";
    io_metadata.m_isFixedPrecScale = false;
    io_metadata.m_isWideStorage = (row->extras & WIDE_STORAGE) != 0;
    io_metadata.m_encoding = io_metadata.m_isWideStorage ? orvik_wstring::GetDatabaseWCharEncoding()
                                                         : orvik_wstring::GetDatabaseCharEncoding();
    io_metadata.m_attached = (row->extras & ATTACHABLE) ? in_attached : 0;
    if (row->extras & DATETIME_VERBOSE)
    {
        io_metadata.m_verboseType = SQL_DATETIME;
    }
    io_metadata.m_isUnsigned = (row->signedness == SIGNED_PAIR) ? in_isUnsigned
                                                                : (row->signedness == UNSIGNED);
    const IntegerForm* unsignedForm = FindRow(UNSIGNED_FORMS, in_sqlType);
    if (unsignedForm != nullptr && in_isUnsigned)
    {
        io_metadata.m_type = unsignedForm->type;
        io_metadata.m_localTypeName = unsignedForm->localTypeName;
        io_metadata.m_columnSize = unsignedForm->columnSize;
        io_metadata.m_displaySize = unsignedForm->displaySize;
        io_metadata.m_precision = unsignedForm->precision;
    }
    io_metadata.m_isPrecisionApplicable = io_metadata.IsApproximateNumeric()
        || io_metadata.IsExactNumeric() || io_metadata.IsTime() || io_metadata.IsInterval();
}

void SqlTypeMetadataFactory::SetSqlType(int16_t in_sqlType, SqlTypeMetadata& io_metadata) const
{
    if (ResetCustomTypeDefaults(in_sqlType, io_metadata))
    {
        return;
    }
    const uint64_t length = io_metadata.m_length;
    const int16_t scale = io_metadata.m_scale;
    const int16_t precision = io_metadata.m_precision;
    const bool isUnsigned = (io_metadata.m_type == TDW_SQL_NOTYPE) ? (in_sqlType == SQL_TINYINT)
                                                                   : io_metadata.m_isUnsigned;
    ResetTypeDefaults(io_metadata, in_sqlType, isUnsigned, io_metadata.m_attached);

    switch (FindRow(SQL_TYPE_DEFAULTS, in_sqlType)->restore)
    {
    case RESTORE_NOTHING:
        break;
    case RESTORE_ALL:
        io_metadata.m_length = length;
        io_metadata.m_precision = precision;
        io_metadata.m_scale = scale;
        break;
    case RESTORE_SCALE:
        io_metadata.m_scale = scale;
        break;
    case RESTORE_LENGTH:
        io_metadata.m_length = length;
        break;
    case RESTORE_REFUSED:
        ThrowTypeNotSupported(in_sqlType);
    }
}

void SqlTypeMetadataFactory::SetUnsigned(SqlTypeMetadata& io_metadata, bool in_isUnsigned) const
{
    if (io_metadata.m_isUnsigned == in_isUnsigned || SetCustomUnsigned(io_metadata, in_isUnsigned))
    {
        return;
    }
    io_metadata.m_isUnsigned = in_isUnsigned;
    const IntegerForm* unsignedForm = FindRow(UNSIGNED_FORMS, io_metadata.m_conciseType);
    if (unsignedForm == nullptr)
    {
        return;
    }
    const IntegerForm signedForm = SignedForm(*FindRow(SQL_TYPE_DEFAULTS, io_metadata.m_conciseType));
    const IntegerForm& form = in_isUnsigned ? *unsignedForm : signedForm;
    const IntegerForm& other = in_isUnsigned ? signedForm : *unsignedForm;
    // Only the sizes that differ between the two forms follow the flag; the others keep any
    // value a caller gave them.
    io_metadata.m_type = form.type;
    io_metadata.m_localTypeName = form.localTypeName;
    if (form.columnSize != other.columnSize)
    {
        io_metadata.m_columnSize = form.columnSize;
    }
    if (form.displaySize != other.displaySize)
    {
        io_metadata.m_displaySize = form.displaySize;
    }
    if (form.precision != other.precision)
    {
        io_metadata.m_precision = form.precision;
    }
}

} // namespace Support
} // namespace Orvik
