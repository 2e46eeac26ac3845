#pragma once

#include <algorithm>
#include <cstdint>

namespace Orvik {
namespace Support {

/// Ten to the powers 0 to 19, the range of an unsigned 64-bit integer.
class PowersOfTen
{
public:
    PowersOfTen() = delete;

    static constexpr int32_t MAX_EXPONENT = 19;

    /// Ten to in_exponent, which is at least 0; an exponent beyond 19 gives ten to 19, which
    /// already exceeds anything a 32-bit field holds.
    static constexpr uint64_t Of(int32_t in_exponent) { return VALUES[std::min(in_exponent, MAX_EXPONENT)]; }

private:
    static constexpr uint64_t VALUES[MAX_EXPONENT + 1] = {
        1ULL,
        10ULL,
        100ULL,
        1000ULL,
        10000ULL,
        100000ULL,
        1000000ULL,
        10000000ULL,
        100000000ULL,
        1000000000ULL,
        10000000000ULL,
        100000000000ULL,
        1000000000000ULL,
        10000000000000ULL,
        100000000000000ULL,
        1000000000000000ULL,
        10000000000000000ULL,
        100000000000000000ULL,
        1000000000000000000ULL,
        10000000000000000000ULL,
    };
};

} // namespace Support
} // namespace Orvik
