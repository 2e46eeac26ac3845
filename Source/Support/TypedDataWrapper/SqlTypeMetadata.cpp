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

// The interval sizes count the leading field's digits (the length), the separators and the
// other fields' two digits each, and the fraction with its point when there is one.
uint32_t SqlTypeMetadata::GetIntervalColumnSize() const
{
    const uint32_t leading = static_cast<uint32_t>(m_length);
    const uint32_t fraction = m_precision != 0 ? m_precision + 1 : 0;
    switch (m_conciseType)
    {
    case SQL_INTERVAL_YEAR:
    case SQL_INTERVAL_MONTH:
    case SQL_INTERVAL_DAY:
    case SQL_INTERVAL_HOUR:
    case SQL_INTERVAL_MINUTE:
        return leading;
    case SQL_INTERVAL_SECOND:
        return leading + fraction;
    case SQL_INTERVAL_YEAR_TO_MONTH:
    case SQL_INTERVAL_DAY_TO_HOUR:
    case SQL_INTERVAL_HOUR_TO_MINUTE:
        return leading + 3;
    case SQL_INTERVAL_DAY_TO_MINUTE:
        return leading + 6;
    case SQL_INTERVAL_DAY_TO_SECOND:
        return leading + 9 + fraction;
    case SQL_INTERVAL_HOUR_TO_SECOND:
        return leading + 6 + fraction;
    case SQL_INTERVAL_MINUTE_TO_SECOND:
        return leading + 3 + fraction;
    default:
        return m_columnSize;
    }
}

// One more than the column size for the sign, except that INTERVAL SECOND always counts the
// fraction's point.
uint32_t SqlTypeMetadata::GetIntervalDisplaySize() const
{
    const uint32_t leading = static_cast<uint32_t>(m_length);
    switch (m_conciseType)
    {
    case SQL_INTERVAL_YEAR:
    case SQL_INTERVAL_MONTH:
    case SQL_INTERVAL_DAY:
    case SQL_INTERVAL_HOUR:
    case SQL_INTERVAL_MINUTE:
        return leading + 1;
    case SQL_INTERVAL_SECOND:
        return leading + m_precision + 2;
    case SQL_INTERVAL_YEAR_TO_MONTH:
    case SQL_INTERVAL_DAY_TO_HOUR:
    case SQL_INTERVAL_HOUR_TO_MINUTE:
        return leading + 4;
    case SQL_INTERVAL_DAY_TO_MINUTE:
        return leading + 7;
    case SQL_INTERVAL_DAY_TO_SECOND:
        return leading + m_precision + 11;
    case SQL_INTERVAL_HOUR_TO_SECOND:
        return leading + m_precision + 8;
    case SQL_INTERVAL_MINUTE_TO_SECOND:
        return leading + m_precision + 5;
    default:
        return m_displaySize;
    }
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
