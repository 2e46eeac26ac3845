#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The kind flags that SQL and C type metadata share: which families a type belongs to.
class TypeKinds
{
public:
    enum Kind : uint16_t
    {
        NONE = 0,
        APPROXIMATE_NUMERIC = 1 << 0,
        BINARY = 1 << 1,
        CHARACTER = 1 << 2,
        DATETIME = 1 << 3,
        EXACT_NUMERIC = 1 << 4,
        INTEGER = 1 << 5,
        INTERVAL = 1 << 6,
        LONG_DATA = 1 << 7,
        TIME = 1 << 8,
        WIDE_CHARACTER = 1 << 9
    };

    bool IsApproximateNumeric() const { return Has(APPROXIMATE_NUMERIC); }
    bool IsBinary() const { return Has(BINARY); }
    bool IsCharacter() const { return Has(CHARACTER); }
    bool IsDatetime() const { return Has(DATETIME); }
    bool IsExactNumeric() const { return Has(EXACT_NUMERIC); }
    bool IsInteger() const { return Has(INTEGER); }
    bool IsInterval() const { return Has(INTERVAL); }
    bool IsLongData() const { return Has(LONG_DATA); }
    /// A value with a time of day: TIME and TIMESTAMP.
    bool IsTime() const { return Has(TIME); }
    bool IsWideCharacter() const { return Has(WIDE_CHARACTER); }

protected:
    bool Has(Kind in_kind) const { return (m_kinds & in_kind) != 0; }

    /// The Kind bits that are set; all clear at construction.
    uint16_t m_kinds = NONE;
};

} // namespace Support
} // namespace Orvik
