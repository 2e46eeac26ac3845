// Interval sources into SQL values. One computation serves every pair of kinds: the kinds are
// read from the type ids of both sides, the fields are carried in 64 bits, and nothing is
// stored that the target cannot hold.

#include "IntervalToSql.h"

#include "IntervalFields.h"
#include "IntervalKind.h"
#include "KernelOutput.h"
#include "PowersOfTen.h"
#include "ToSqlSource.h"

#include "Support/InvalidOperationException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWIntervalLimits.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;

int32_t DirectionOf(bool in_isNegative)
{
    return in_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE;
}

/// An interval as its source holds it: the kind, the fields, and the seconds precision the
/// fraction is counted in (the source metadata's precision, read only where a fraction is).
struct IntervalSource
{
    const IntervalKind* m_kind;
    IntervalFields m_fields;
    int16_t m_fractionalPrecision;
};

const IntervalKind& KindOf(TDWType in_type)
{
    const IntervalKind* kind = IntervalKind::OfType(in_type);
    if (kind == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return *kind;
}

IntervalSource ReadInterval(const ToSqlSource& in_source, const SqlTypeMetadata& in_target)
{
    const IntervalKind& kind = KindOf(in_source.GetTDWType(in_target));
    if (in_source.IsCSource())
    {
        return {&kind,
                IntervalFields::FromApplicationStruct(in_source.m_value, kind),
                in_source.m_cMetadata->GetPrecision()};
    }
    return {&kind, IntervalFields::FromSqlValue(in_source.m_value, kind), in_source.m_sqlMetadata->GetPrecision()};
}

/// The source of the single-field rules; a multi-field kind never reaches them.
IntervalSource ReadSingleField(const ToSqlSource& in_source, const SqlTypeMetadata& in_target)
{
    const IntervalSource source = ReadInterval(in_source, in_target);
    if (source.m_kind->FieldCount() != 1)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return source;
}

IntervalUnit UnitAt(int in_unit)
{
    return static_cast<IntervalUnit>(in_unit);
}

/// Brings the fields of in_source (of kind in_from) to in_to in io_target and tells whether a
/// quantity that is not zero had no place there.
/// - A source whose leading unit is as large as the target's or larger folds its fields down to
///   the target's leading unit into the target's leading field.
/// - A source whose leading unit is smaller spreads its leading value over the target's fields
///   from the leading one down to its own unit (or the target's last, dropping the rest).
/// - Every later field of the target takes the source's field of its name as it stands, and the
///   source's fields after the target's last (with the fraction, when the target has no
///   seconds) are dropped.
bool MapFields(const IntervalFields& in_source, const IntervalKind& in_from, const IntervalKind& in_to,
               IntervalFields& io_target)
{
    const uint64_t* source = in_source.m_fields;
    uint64_t* target = io_target.m_fields;
    bool isDropped = false;
    if (in_from.m_first <= in_to.m_first)
    {
        for (int unit = in_from.m_first; unit <= in_to.m_first; ++unit)
        {
            target[in_to.m_first] += source[unit] * IntervalKind::UnitsPer(UnitAt(unit), in_to.m_first);
        }
    }
    else
    {
        uint64_t rest = source[in_from.m_first];
        const int lastSpread = std::min<int>(in_to.m_last, in_from.m_first);
        for (int unit = in_to.m_first; unit <= lastSpread; ++unit)
        {
            const uint64_t size = IntervalKind::UnitsPer(UnitAt(unit), in_from.m_first);
            target[unit] = rest / size;
            rest %= size;
        }
        isDropped = rest != 0;
    }
    for (int unit = std::max<int>(in_from.m_first, in_to.m_first) + 1; unit <= in_to.m_last; ++unit)
    {
        target[unit] = source[unit];
    }
    for (int unit = std::max<int>(in_to.m_last, in_from.m_first) + 1; unit <= in_from.m_last; ++unit)
    {
        isDropped = isDropped || source[unit] != 0;
    }
    return isDropped || (in_from.HasSeconds() && !in_to.HasSeconds() && in_source.m_fraction != 0);
}

/// A fraction brought from one seconds precision to another.
struct Fraction
{
    uint64_t m_value = 0;
    /// Digits that were not zero were cut off.
    bool m_isCut = false;
    /// The value fits the 32-bit field.
    bool m_fits = true;
};

Fraction Rescale(uint64_t in_fraction, int32_t in_from, int32_t in_to)
{
    Fraction out;
    if (in_from >= in_to)
    {
        const uint64_t divisor = PowersOfTen::Of(in_from - in_to);
        out.m_value = in_fraction / divisor;
        out.m_isCut = in_fraction % divisor != 0;
        return out;
    }
    const uint64_t factor = PowersOfTen::Of(in_to - in_from);
    out.m_fits = in_fraction <= UINT32_MAX / factor;
    out.m_value = out.m_fits ? in_fraction * factor : 0;
    return out;
}

/// The source's fraction at in_precision digits. An application's structure is cut without a
/// word, and one counted in more than nine digits is first brought down a digit.
Fraction BringFraction(const IntervalSource& in_source, int16_t in_precision, bool in_isCSource)
{
    uint64_t fraction = in_source.m_fields.m_fraction;
    if (!in_isCSource)
    {
        return Rescale(fraction, in_source.m_fractionalPrecision, in_precision);
    }
    if (in_source.m_fractionalPrecision > MAX_FRACTIONAL_PRECISION)
    {
        fraction /= 10;
    }
    Fraction out = Rescale(fraction, in_source.m_fractionalPrecision, in_precision);
    out.m_isCut = false;
    return out;
}

template <typename T>
bool FitsInteger(uint64_t in_value, bool in_isNegative)
{
    constexpr uint64_t MAX = static_cast<uint64_t>(std::numeric_limits<T>::max());
    if (in_isNegative)
    {
        return std::is_signed<T>::value && in_value <= MAX + 1;
    }
    return in_value <= MAX;
}

void StoreExact(SqlData& io_target, const TDWNumeric& in_value)
{
    std::memcpy(io_target.GetBuffer(), &in_value, sizeof(TDWNumeric));
    io_target.SetConvertedLength(sizeof(TDWNumeric));
}

/// A SECOND at the target's scale: (seconds and fraction, counted in the source's precision)
/// scaled up exactly or cut toward zero.
void ConvertSecondsToExact(const IntervalSource& in_source,
                           bool in_isCSource,
                           SqlData& io_target,
                           WarningListener& io_listener)
{
    const IntervalFields& fields = in_source.m_fields;
    const uint64_t seconds = fields.m_fields[UNIT_SECOND];
    const int16_t precision = in_source.m_fractionalPrecision;
    const bool isNegative = fields.m_isNegative;
    if (seconds > TDWIntervalLimits::MAX_LEADING_FIELD
        || (in_isCSource && fields.m_fraction > TDWIntervalLimits::MAX_FRACTION) || precision < 0
        || precision > MAX_FRACTIONAL_PRECISION)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    const SqlTypeMetadata& metadata = io_target.GetMetadata();
    const int16_t scale = metadata.GetScale();
    if (NumberConverter::GetNumberOfDigits(seconds) > metadata.GetPrecision() - scale)
    {
        KernelOutput::PostOutOfRange(io_listener, DirectionOf(isNegative));
        return;
    }
    const uint64_t units = seconds * PowersOfTen::Of(precision) + fields.m_fraction;
    uint8_t magnitude[sizeof(units)];
    for (size_t i = 0; i < sizeof(units); ++i)
    {
        magnitude[i] = static_cast<uint8_t>(units >> (8 * i));
    }
    TDWNumeric value =
        TDWNumeric::FromMagnitudeBytes(magnitude, sizeof(magnitude), static_cast<int16_t>(-precision), isNegative);
    bool isCut = false;
    if (scale > precision)
    {
        value.ScaleUp(scale - precision);
    }
    else if (scale < precision)
    {
        isCut = value.ScaleDown(precision - scale);
    }
    if (!value.IsValid())
    {
        KernelOutput::PostOutOfRange(io_listener, DirectionOf(isNegative));
        return;
    }
    if (isCut && in_isCSource)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    StoreExact(io_target, value);
    if (isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
    }
}

} // namespace

void IntervalToSql::ConvertToInterval(const ToSqlSource& in_source,
                                      SqlData& io_target,
                                      ToSqlKernelState&,
                                      WarningListener& io_listener)
{
    const SqlTypeMetadata& metadata = io_target.GetMetadata();
    const IntervalKind& targetKind = KindOf(metadata.GetTDWType());
    const IntervalSource source = ReadInterval(in_source, metadata);
    if (source.m_kind->IsYearMonth() != targetKind.IsYearMonth())
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    IntervalFields value;
    value.m_isNegative = source.m_fields.m_isNegative;
    const bool isDropped = MapFields(source.m_fields, *source.m_kind, targetKind, value);
    const bool hasSeconds = source.m_kind->HasSeconds() && targetKind.HasSeconds();
    const int16_t precision = metadata.GetPrecision();
    const Fraction fraction = hasSeconds ? BringFraction(source, precision, in_source.IsCSource()) : Fraction();
    if (!value.LeadingFits(targetKind, metadata.GetLengthOrIntervalPrecision()))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, DirectionOf(value.m_isNegative));
        return;
    }
    if (!fraction.m_fits)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    value.m_fraction = static_cast<uint32_t>(fraction.m_value);
    value.WriteSqlValue(io_target.GetBuffer(), targetKind);
    io_target.SetConvertedLength(targetKind.SqlValueSize());
    if (isDropped)
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::NO_ROOM);
    }
    else if (fraction.m_isCut
             || (hasSeconds && NumberConverter::GetNumberOfDigits(value.m_fraction) > precision))
    {
        KernelOutput::PostFractionalTrunc(io_listener, value.m_isNegative);
    }
}

template <typename T>
void IntervalToSql::ConvertToInteger(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    using Bits = std::make_unsigned_t<T>;
    const IntervalSource source = ReadSingleField(in_source, io_target.GetMetadata());
    const uint64_t value = source.m_fields.Leading(*source.m_kind);
    const bool isNegative = source.m_fields.m_isNegative;
    // Stored before the range test, two's complement in the target's width.
    const Bits magnitude = static_cast<Bits>(value);
    KernelOutput::Store(io_target.GetBuffer(), static_cast<Bits>(isNegative ? Bits(0) - magnitude : magnitude));
    io_target.SetConvertedLength(sizeof(T));
    if (!FitsInteger<T>(value, isNegative))
    {
        KernelOutput::PostOutOfRange(io_listener, DirectionOf(isNegative));
    }
    else if (!in_source.IsCSource() && source.m_kind->HasSeconds() && source.m_fields.m_fraction != 0)
    {
        KernelOutput::PostFractionalTrunc(io_listener, isNegative);
    }
}

template void IntervalToSql::ConvertToInteger<int8_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<uint8_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<int16_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<uint16_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<int32_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<uint32_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<int64_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);
template void IntervalToSql::ConvertToInteger<uint64_t>(
    const ToSqlSource&, SqlData&, ToSqlKernelState&, WarningListener&);

// The field of an application's structure is held to the target's precision as a SQL-side
// value is: a larger value is no more representable in the target for coming from a buffer.
void IntervalToSql::ConvertToExactNumeric(const ToSqlSource& in_source,
                                          SqlData& io_target,
                                          ToSqlKernelState&,
                                          WarningListener& io_listener)
{
    const SqlTypeMetadata& metadata = io_target.GetMetadata();
    const IntervalSource source = ReadSingleField(in_source, metadata);
    if (source.m_kind->HasSeconds())
    {
        ConvertSecondsToExact(source, in_source.IsCSource(), io_target, io_listener);
        return;
    }
    const uint64_t value = source.m_fields.Leading(*source.m_kind);
    const bool isNegative = source.m_fields.m_isNegative;
    if (NumberConverter::GetNumberOfDigits(value) > metadata.GetPrecision() - metadata.GetScale())
    {
        KernelOutput::PostOutOfRange(io_listener, DirectionOf(isNegative));
        return;
    }
    TDWNumeric number(static_cast<uint32_t>(value));
    if (isNegative)
    {
        number.Negate();
    }
    StoreExact(io_target, number);
}

} // namespace Support
} // namespace Orvik
