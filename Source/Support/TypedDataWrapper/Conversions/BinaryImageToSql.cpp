// Typed values as their raw bytes, little-endian as the records lie in memory.

#include "BinaryImageToSql.h"

#include "KernelOutput.h"
#include "ToSqlSource.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

#include <cstddef>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

struct ImageSize
{
    TDWType m_type;
    uint32_t m_size;
};

constexpr ImageSize IMAGE_SIZES[] = {
    {TDW_SQL_BIT, 1},
    {TDW_SQL_STINYINT, 1},
    {TDW_SQL_UTINYINT, 1},
    {TDW_SQL_SSMALLINT, 2},
    {TDW_SQL_USMALLINT, 2},
    {TDW_SQL_SINTEGER, 4},
    {TDW_SQL_UINTEGER, 4},
    {TDW_SQL_REAL, 4},
    {TDW_SQL_TYPE_DATE, 6},
    {TDW_SQL_SBIGINT, 8},
    {TDW_SQL_UBIGINT, 8},
    {TDW_SQL_FLOAT, 8},
    {TDW_SQL_DOUBLE, 8},
    {TDW_SQL_INTERVAL_DAY, 8},
    {TDW_SQL_INTERVAL_HOUR, 8},
    {TDW_SQL_INTERVAL_MINUTE, 8},
    {TDW_SQL_INTERVAL_MONTH, 8},
    {TDW_SQL_INTERVAL_YEAR, 8},
    {TDW_SQL_TYPE_TIME, 10},
    {TDW_SQL_INTERVAL_DAY_TO_HOUR, 12},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, 12},
    {TDW_SQL_INTERVAL_SECOND, 12},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, 12},
    {TDW_SQL_TYPE_TIMESTAMP, 16},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, 16},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, 16},
    {TDW_SQL_INTERVAL_HOUR_TO_SECOND, 20},
    {TDW_SQL_GUID, 20},
    {TDW_SQL_INTERVAL_DAY_TO_SECOND, 24},
    {TDW_SQL_NUMERIC, 38},
    {TDW_SQL_DECIMAL, 38},
};

// A time's image is its hour, minute and second, then its fraction, without the two unused
// bytes of its record.
constexpr size_t TIME_FIELDS_SIZE = offsetof(TDWTimeValue, m_second) + sizeof(uint16_t);
constexpr size_t TIME_FRACTION_OFFSET = offsetof(TDWTimeValue, m_fraction);
static_assert(TIME_FIELDS_SIZE == 6 && TIME_FRACTION_OFFSET == 8, "time record layout");

// The places in an exact numeric's 38-byte image: the invalid flag, the exponent, the word
// count, then the words, least significant first.
constexpr size_t NUMERIC_EXPONENT_OFFSET = 2;
constexpr size_t NUMERIC_COUNT_OFFSET = 4;
constexpr size_t NUMERIC_WORDS_OFFSET = 6;
static_assert(sizeof(TDWNumeric) == NUMERIC_WORDS_OFFSET + TDWNumeric::MAX_WORDS * sizeof(uint16_t),
              "exact numeric image layout");

/// The image holds an exact numeric that every operation on one can use: the invalid flag
/// clear, a word count the words hold, a sign word, and an exponent that scaling may produce.
/// A count beyond the words would have the value read and written past its end.
bool IsExactNumericImage(const uint8_t* in_image)
{
    const int16_t invalid = KernelOutput::Load<int16_t>(in_image);
    const int16_t exponent = KernelOutput::Load<int16_t>(in_image + NUMERIC_EXPONENT_OFFSET);
    const uint16_t count = KernelOutput::Load<uint16_t>(in_image + NUMERIC_COUNT_OFFSET);
    if (invalid != 0 || count < 1 || count > TDWNumeric::MAX_WORDS || exponent < TDWNumeric::MIN_SCALED_EXPONENT
        || exponent > TDWNumeric::MAX_SCALED_EXPONENT)
    {
        return false;
    }
    const size_t signWord = NUMERIC_WORDS_OFFSET + (count - 1) * sizeof(uint16_t);
    const uint16_t sign = KernelOutput::Load<uint16_t>(in_image + signWord);
    return sign == 0 || sign == UINT16_MAX;
}

bool IsExactNumeric(TDWType in_type)
{
    return in_type == TDW_SQL_NUMERIC || in_type == TDW_SQL_DECIMAL;
}

uint32_t RequireImageSize(TDWType in_type)
{
    const uint32_t size = BinaryImageToSql::GetImageSize(in_type);
    if (size == 0)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return size;
}

} // namespace

uint32_t BinaryImageToSql::GetImageSize(TDWType in_type)
{
    for (const ImageSize& image : IMAGE_SIZES)
    {
        if (image.m_type == in_type)
        {
            return image.m_size;
        }
    }
    return 0;
}

void BinaryImageToSql::CopyIntoValue(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    const TDWType type = io_target.GetMetadata().GetTDWType();
    const uint32_t size = RequireImageSize(type);
    const uint8_t* image = static_cast<const uint8_t*>(in_source.m_value);
    if (in_source.m_length != size || (IsExactNumeric(type) && !IsExactNumericImage(image)))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    uint8_t* target = static_cast<uint8_t*>(io_target.GetBuffer());
    if (type == TDW_SQL_TYPE_TIME)
    {
        std::memset(target, 0, sizeof(TDWTimeValue));
        std::memcpy(target, image, TIME_FIELDS_SIZE);
        std::memcpy(target + TIME_FRACTION_OFFSET, image + TIME_FIELDS_SIZE, sizeof(uint32_t));
        io_target.SetConvertedLength(sizeof(TDWTimeValue));
        return;
    }
    std::memcpy(target, image, size);
    io_target.SetConvertedLength(size);
}

void BinaryImageToSql::CopyOutOfValue(const ToSqlSource& in_source,
                                      SqlData& io_target,
                                      ToSqlKernelState&,
                                      WarningListener& io_listener)
{
    const TDWType type = in_source.GetTDWType(io_target.GetMetadata());
    const uint32_t size = RequireImageSize(type);
    io_target.SetLength(size);
    if (io_target.GetLength() < size)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const uint8_t* record = static_cast<const uint8_t*>(in_source.m_value);
    uint8_t* target = static_cast<uint8_t*>(io_target.GetBuffer());
    if (type == TDW_SQL_TYPE_TIME)
    {
        std::memcpy(target, record, TIME_FIELDS_SIZE);
        std::memcpy(target + TIME_FIELDS_SIZE, record + TIME_FRACTION_OFFSET, sizeof(uint32_t));
    }
    else
    {
        std::memcpy(target, record, size);
    }
    io_target.SetConvertedLength(size);
}

void BinaryImageToSql::CopyGuid(const ToSqlSource& in_source,
                                SqlData& io_target,
                                ToSqlKernelState&,
                                WarningListener&)
{
    // The application's structure is the record's first 16 bytes; a SQL-side value brings its
    // valid flag along.
    constexpr size_t GUID_SIZE = offsetof(TDWGuidValue, m_isValid);
    TDWGuidValue guid;
    std::memcpy(&guid, in_source.m_value, in_source.IsCSource() ? GUID_SIZE : GUID_SIZE + sizeof(bool));
    if (in_source.IsCSource())
    {
        guid.m_isValid = true;
    }
    std::memset(guid.m_padding, 0, sizeof(guid.m_padding));
    std::memcpy(io_target.GetBuffer(), &guid, sizeof(guid));
    io_target.SetConvertedLength(sizeof(guid));
}

} // namespace Support
} // namespace Orvik
