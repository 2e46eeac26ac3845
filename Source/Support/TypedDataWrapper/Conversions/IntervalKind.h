#pragma once

#include "KernelOutput.h"

#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The units of interval fields, from the largest to the smallest. The fraction of a second is
/// kept apart, in units of the interval's fractional precision.
enum IntervalUnit : uint8_t
{
    UNIT_YEAR,
    UNIT_MONTH,
    UNIT_DAY,
    UNIT_HOUR,
    UNIT_MINUTE,
    UNIT_SECOND,
    UNIT_COUNT
};

/// One of the thirteen interval kinds: its type code and the run of units it holds.
struct IntervalKind
{
    KernelOutput::IntervalCode m_code;
    IntervalUnit m_first;
    IntervalUnit m_last;

    /// The kind of an interval type code (1 to 13).
    static const IntervalKind& Of(KernelOutput::IntervalCode in_code);

    /// The kind of a C or SQL interval type id; null for any other id.
    static const IntervalKind* OfType(TDWType in_type);

    bool HasSeconds() const { return m_last == UNIT_SECOND; }
    bool IsYearMonth() const { return m_last <= UNIT_MONTH; }
    uint32_t FieldCount() const { return static_cast<uint32_t>(m_last - m_first) + 1; }

    /// The size of the kind's SQL-side value: its fields, the fraction for the kinds with
    /// seconds, then the sign byte and three zero bytes, each field four bytes.
    uint32_t SqlValueSize() const { return static_cast<uint32_t>(sizeof(uint32_t)) * (FieldCount() + HasSeconds() + 1); }

    /// How many of in_smaller make one in_larger (1 when they are the same unit). Both units
    /// belong to one family: year and month, or day to second.
    static uint64_t UnitsPer(IntervalUnit in_larger, IntervalUnit in_smaller);
};

} // namespace Support
} // namespace Orvik
