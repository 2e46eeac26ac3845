#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include "Support/BadPrecisionException.h"
#include "Support/BadScaleException.h"
#include "Support/NumberConverter.h"

#include <sqlext.h>

namespace Orvik {
namespace Support {

namespace {

// Interval leading precisions and fractional-second precisions stop at 9 digits.
constexpr int64_t MAX_DATETIME_PRECISION = 9;

[[noreturn]] void ThrowMaxPrecisionExceeded(const orvik_wstring& in_value)
{
    throw BadPrecisionException(SupportError(SupportErrorCode::MaxPrecisionExceeded), {in_value, u"9"});
}

[[noreturn]] void ThrowPrecisionLessThanZero()
{
    throw BadPrecisionException(SupportError(SupportErrorCode::PrecLessThanZero));
}

// By interval code: the width of the fields after the leading one, with their separators, and
// whether a fraction of seconds follows.
struct IntervalLayout
{
    int16_t code;
    uint32_t otherFieldsWidth;
    bool hasFraction;
};

constexpr IntervalLayout INTERVAL_LAYOUTS[] = {
    {SQL_INTERVAL_YEAR, 0, false},
    {SQL_INTERVAL_MONTH, 0, false},
    {SQL_INTERVAL_DAY, 0, false},
    {SQL_INTERVAL_HOUR, 0, false},
    {SQL_INTERVAL_MINUTE, 0, false},
    {SQL_INTERVAL_SECOND, 0, true},
    {SQL_INTERVAL_YEAR_TO_MONTH, 3, false},
    {SQL_INTERVAL_DAY_TO_HOUR, 3, false},
    {SQL_INTERVAL_DAY_TO_MINUTE, 6, false},
    {SQL_INTERVAL_DAY_TO_SECOND, 9, true},
    {SQL_INTERVAL_HOUR_TO_MINUTE, 3, false},
    {SQL_INTERVAL_HOUR_TO_SECOND, 6, true},
    {SQL_INTERVAL_MINUTE_TO_SECOND, 3, true},
};

const IntervalLayout* FindIntervalLayout(int16_t in_conciseType)
{
    for (const IntervalLayout& layout : INTERVAL_LAYOUTS)
    {
        if (layout.code == in_conciseType)
        {
            return &layout;
        }
    }
    return nullptr;
}

// Column and display size of a time or timestamp: the digits of the fraction and its point.
uint32_t GetTimeSize(uint32_t in_wholeSize, int16_t in_precision)
{
    return in_precision != 0 ? in_wholeSize + 1 + in_precision : in_wholeSize;
}

} // namespace

void SqlTypeMetadata::Validate() const
{
    if (!IsExactNumeric())
    {
        return;
    }
    if (m_precision < 0)
    {
        ThrowPrecisionLessThanZero();
    }
    if (m_scale < 0)
    {
        throw BadScaleException(SupportError(SupportErrorCode::ScaleLessThanZero));
    }
}

uint32_t SqlTypeMetadata::GetColumnSize(uint32_t in_length) const
{
    if (IsCharacter() || IsBinary() || IsWideCharacter())
    {
        return in_length;
    }
    if (IsExactNumeric())
    {
        return m_precision;
    }
    if (m_type == TDW_SQL_TYPE_TIMESTAMP)
    {
        return GetTimeSize(19, m_precision);
    }
    if (m_type == TDW_SQL_TYPE_TIME)
    {
        return GetTimeSize(8, m_precision);
    }
    return IsInterval() ? GetIntervalColumnSize() : m_columnSize;
}

uint32_t SqlTypeMetadata::GetDisplaySize(uint32_t in_length) const
{
    if (IsCharacter() || IsWideCharacter())
    {
        return in_length;
    }
    if (IsBinary())
    {
        return 2 * in_length;
    }
    if (IsExactNumeric())
    {
        return m_precision + 2;
    }
    if (m_type == TDW_SQL_TYPE_TIMESTAMP || m_type == TDW_SQL_TYPE_TIME)
    {
        return GetColumnSize(in_length);
    }
    return IsInterval() ? GetIntervalDisplaySize() : m_displaySize;
}

// The leading field's digits (the length), the other fields with their separators, and the
// fraction with its point when the precision asks for one.
uint32_t SqlTypeMetadata::GetIntervalColumnSize() const
{
    const IntervalLayout* layout = FindIntervalLayout(m_conciseType);
    if (layout == nullptr)
    {
        return m_columnSize;
    }
    const uint32_t fraction = (layout->hasFraction && m_precision != 0) ? m_precision + 1 : 0;
    return static_cast<uint32_t>(m_length) + layout->otherFieldsWidth + fraction;
}

// One more than the column size for the sign, except that the fraction's point is counted even
// when the precision is 0.
uint32_t SqlTypeMetadata::GetIntervalDisplaySize() const
{
    const IntervalLayout* layout = FindIntervalLayout(m_conciseType);
    if (layout == nullptr)
    {
        return m_displaySize;
    }
    const uint32_t fraction = layout->hasFraction ? m_precision + 1 : 0;
    return static_cast<uint32_t>(m_length) + layout->otherFieldsWidth + 1 + fraction;
}

void SqlTypeMetadata::SetLengthOrIntervalPrecision(uint64_t in_length)
{
    if (IsInterval() && in_length > MAX_DATETIME_PRECISION)
    {
        ThrowMaxPrecisionExceeded(NumberConverter::ConvertUInt64ToWString(in_length));
    }
    m_length = in_length;
}

void SqlTypeMetadata::SetPrecision(int16_t in_precision)
{
    if (IsInterval() || m_type == TDW_SQL_TYPE_TIME || m_type == TDW_SQL_TYPE_TIMESTAMP)
    {
        if (in_precision < 0)
        {
            ThrowPrecisionLessThanZero();
        }
        if (in_precision > MAX_DATETIME_PRECISION)
        {
            ThrowMaxPrecisionExceeded(NumberConverter::ConvertInt16ToWString(in_precision));
        }
    }
    else if (IsExactNumeric())
    {
        if (in_precision < 0)
        {
            ThrowPrecisionLessThanZero();
        }
        m_octetLength = static_cast<uint64_t>(in_precision) + 2;
    }
    m_precision = in_precision;
}

} // namespace Support
} // namespace Orvik
