#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"

#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace Support {

namespace {

// The defaults of each C type code. SQL_C_TINYINT shares the signed id here, unlike the code
// table of TypeConversionInfo. Every C type of a set length is fixed-size: its elements in a bound
// array are as long as its structure, whatever buffer length the application gave.
struct CTypeDefaults
{
    int16_t cType;
    TDWType type;
    bool isFixedSize;
    uint64_t fixedSize;
    uint64_t length;
    int16_t precision;
    int16_t scale;
    int32_t radix;
    uint16_t kinds;
};

constexpr CTypeDefaults C_TYPE_DEFAULTS[] = {
    {SQL_C_CHAR, TDW_C_CHAR, false, 0, 1, 1, 0, 0, TypeKinds::CHARACTER},
    {SQL_C_WCHAR, TDW_C_WCHAR, false, 0, 0, 0, 0, 0, TypeKinds::WIDE_CHARACTER},
    {SQL_C_BINARY, TDW_C_BINARY, false, 0, 1, 1, 0, 0, TypeKinds::BINARY},
    {SQL_C_BIT, TDW_C_BIT, true, 1, 0, 0, 0, 0, TypeKinds::NONE},
    {SQL_C_NUMERIC, TDW_C_NUMERIC, true, 19, 38, 38, 0, 10, TypeKinds::EXACT_NUMERIC},
    {SQL_C_STINYINT, TDW_C_STINYINT, true, 1, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_TINYINT, TDW_C_STINYINT, true, 1, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_UTINYINT, TDW_C_UTINYINT, true, 1, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_SBIGINT, TDW_C_SBIGINT, true, 8, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_UBIGINT, TDW_C_UBIGINT, true, 8, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_SSHORT, TDW_C_SSHORT, true, 2, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_SHORT, TDW_C_SSHORT, true, 2, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_USHORT, TDW_C_USHORT, true, 2, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_SLONG, TDW_C_SLONG, true, 4, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_LONG, TDW_C_SLONG, true, 4, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_ULONG, TDW_C_ULONG, true, 4, 0, 0, 0, 0, TypeKinds::INTEGER},
    {SQL_C_FLOAT, TDW_C_FLOAT, true, 4, 24, 24, 0, 2, TypeKinds::APPROXIMATE_NUMERIC},
    {SQL_C_DOUBLE, TDW_C_DOUBLE, true, 8, 53, 53, 0, 2, TypeKinds::APPROXIMATE_NUMERIC},
    {SQL_C_DATE, TDW_C_TYPE_DATE, true, 6, 0, 0, 0, 0, TypeKinds::DATETIME},
    {SQL_C_TYPE_DATE, TDW_C_TYPE_DATE, true, 6, 0, 0, 0, 0, TypeKinds::DATETIME},
    {SQL_C_TIME, TDW_C_TYPE_TIME, true, 6, 0, 0, 0, 0, TypeKinds::DATETIME | TypeKinds::TIME},
    {SQL_C_TYPE_TIME, TDW_C_TYPE_TIME, true, 6, 0, 0, 0, 0, TypeKinds::DATETIME | TypeKinds::TIME},
    {SQL_C_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, true, 16, 0, 6, 6, 0, TypeKinds::DATETIME | TypeKinds::TIME},
    {SQL_C_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, true, 16, 0, 6, 6, 0, TypeKinds::DATETIME | TypeKinds::TIME},
    {SQL_C_GUID, TDW_C_GUID, true, 16, 16, 16, 0, 0, TypeKinds::NONE},
    {SQL_C_DEFAULT, TDW_C_DEFAULT, false, 0, 0, 0, 0, 0, TypeKinds::NONE},
    {SQL_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_DAY, TDW_C_INTERVAL_DAY, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE, true, 28, 2, 0, 0, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND, true, 28, 2, 6, 6, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND, true, 28, 2, 6, 6, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND, true, 28, 2, 6, 6, 0, TypeKinds::INTERVAL},
    {SQL_C_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND, true, 28, 2, 6, 6, 0, TypeKinds::INTERVAL},
};

// Every C type code lies in this range; each SQLGetData call resets a wrapper by its code, so
// the row is found by index rather than by a search.
constexpr int16_t LOWEST_C_TYPE = -32;
constexpr int16_t HIGHEST_C_TYPE = 127;

constexpr bool AreCodesInRange()
{
    for (const CTypeDefaults& row : C_TYPE_DEFAULTS)
    {
        if (row.cType < LOWEST_C_TYPE || row.cType > HIGHEST_C_TYPE)
        {
            return false;
        }
    }
    return true;
}
static_assert(AreCodesInRange(), "a C type code lies outside the index");

struct CTypeDefaultsIndex
{
    const CTypeDefaults* rows[HIGHEST_C_TYPE - LOWEST_C_TYPE + 1] = {};

    CTypeDefaultsIndex()
    {
        // The first row of a code wins, as a search from the top would find it.
        for (auto row = std::rbegin(C_TYPE_DEFAULTS); row != std::rend(C_TYPE_DEFAULTS); ++row)
        {
            rows[row->cType - LOWEST_C_TYPE] = &*row;
        }
    }
};

const CTypeDefaults* FindDefaults(int16_t in_cType)
{
    static const CTypeDefaultsIndex index;
    if (in_cType < LOWEST_C_TYPE || in_cType > HIGHEST_C_TYPE)
    {
        return nullptr;
    }
    return index.rows[in_cType - LOWEST_C_TYPE];
}

[[noreturn]] void ThrowCustomTypesNotSupported(const char16_t* in_method, const char16_t* in_line)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    {in_method, u"TypedDataWrapper\\SqlCTypeMetadataFactory", in_line});
}

} // namespace

void SqlCTypeMetadataFactory::ResetCustomTypeDefaults(SqlCTypeMetadata&) const
{
    ThrowCustomTypesNotSupported(u"SqlCTypeMetadataFactory::ResetCustomTypeDefaults", u"535");
}

std::unique_ptr<SqlCTypeMetadata> SqlCTypeMetadataFactory::CreateNewCustomSqlCTypeMetadata(int16_t) const
{
    ThrowCustomTypesNotSupported(u"SqlCTypeMetadataFactory::CreateNewCustomSqlCTypeMetadata", u"547");
}

std::unique_ptr<SqlCTypeMetadata> SqlCTypeMetadataFactory::CreateNewSqlCTypeMetadata(int16_t in_cType) const
{
    if (in_cType >= SqlCTypeUtilities::FIRST_CUSTOM_C_TYPE
        && SqlCTypeUtilities::Current().IsCustomCType(in_cType))
    {
        return CreateNewCustomSqlCTypeMetadata(in_cType);
    }
    auto metadata = std::make_unique<SqlCTypeMetadata>(in_cType);
    ResetTypeDefaults(*metadata);
    return metadata;
}

std::unique_ptr<SqlCTypeMetadata> SqlCTypeMetadataFactory::CreateDefaultBindingMetadata(
    TDWType in_sqlType, const SqlCTypeMetadata& in_binding) const
{
    const TDWType defaultType = TypeConversionInfo::GetDefaultCTypeForSqlType(in_sqlType);
    std::unique_ptr<SqlCTypeMetadata> metadata =
        CreateNewSqlCTypeMetadata(TypeConversionInfo::GetSqlTypeForTDWType(defaultType));
    metadata->SetOctetLength(in_binding.GetOctetLength());
    return metadata;
}

void SqlCTypeMetadataFactory::ResetTypeDefaults(SqlCTypeMetadata& io_typeMetadata) const
{
    io_typeMetadata.m_kinds = TypeKinds::NONE;
    if (io_typeMetadata.m_cType >= SqlCTypeUtilities::FIRST_CUSTOM_C_TYPE)
    {
        ResetCustomTypeDefaults(io_typeMetadata);
        return;
    }
    io_typeMetadata.m_encoding = (io_typeMetadata.m_cType == SQL_C_CHAR)
        ? orvik_wstring::GetAnsiEncoding()
        : orvik_wstring::GetDriverManagerEncoding();

    const CTypeDefaults* defaults = FindDefaults(io_typeMetadata.m_cType);
    if (defaults == nullptr)
    {
        throw InvalidArgumentException(
            SupportError(SupportErrorCode::InvalidArgumentParam),
            {u"io_typeMetadata", u"TypedDataWrapper\\SqlCTypeMetadataFactory", u"504"});
    }
    io_typeMetadata.m_type = defaults->type;
    io_typeMetadata.m_isFixedSize = defaults->isFixedSize;
    io_typeMetadata.m_fixedSize = defaults->fixedSize;
    io_typeMetadata.m_length = defaults->length;
    io_typeMetadata.m_precision = defaults->precision;
    io_typeMetadata.m_scale = defaults->scale;
    io_typeMetadata.m_numPrecRadix = defaults->radix;
    io_typeMetadata.m_kinds = defaults->kinds;
}

} // namespace Support
} // namespace Orvik
