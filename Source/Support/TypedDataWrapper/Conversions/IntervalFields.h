#pragma once

#include "IntervalKind.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// An interval value whose fields are wide enough to carry it from one kind to another without
/// wrapping: a value moved to a smaller unit, or a leading field that took up the lower ones,
/// keeps its exact size until it is checked against the target.
class IntervalFields
{
public:
    /// The largest value of an application's leading interval field.
    static constexpr uint64_t MAX_LEADING_FIELD = 999999999;

    /// Reads the SQL-side value of an interval of in_kind: the kind's fields as unsigned 32-bit
    /// integers from the first on, the fraction for the kinds with seconds, then the sign.
    static IntervalFields FromSqlValue(const void* in_source, const IntervalKind& in_kind);

    /// Reads the fields of in_kind from the application's interval structure, at their places in
    /// the structure whatever its interval_type says: year and month in the year-month member,
    /// day to second and the fraction in the day-second member. Only a sign of 1 is negative.
    static IntervalFields FromApplicationStruct(const void* in_source, const IntervalKind& in_kind);

    /// The value in units of in_kind's last field, from the fields of in_kind.
    uint64_t Total(const IntervalKind& in_kind) const;

    /// Sets the fields of in_kind from a total in units of its last field: every field after the
    /// first takes its remainder, the first takes what is left without limit.
    void Split(uint64_t in_total, const IntervalKind& in_kind);

    uint64_t Leading(const IntervalKind& in_kind) const { return m_fields[in_kind.m_first]; }

    /// The leading field of in_kind fits the application's structure: at most nine digits and no
    /// more digits than in_leadingPrecision.
    bool LeadingFits(const IntervalKind& in_kind, uint64_t in_leadingPrecision) const;

    /// Writes every byte of the SQL-side value of in_kind (IntervalKind::SqlValueSize): the
    /// kind's fields, the fraction for the kinds with seconds, the sign, zero padding. The fields
    /// must fit 32 bits (see LeadingFits).
    void WriteSqlValue(void* out_target, const IntervalKind& in_kind) const;

    /// Writes the application's interval structure of in_kind; a null target is not written.
    /// The fields must fit (see LeadingFits).
    void Write(void* out_target, const IntervalKind& in_kind) const;

    uint64_t m_fields[UNIT_COUNT] = {};
    /// In units of ten to minus the fractional precision.
    uint32_t m_fraction = 0;
    bool m_isNegative = false;
};

} // namespace Support
} // namespace Orvik
