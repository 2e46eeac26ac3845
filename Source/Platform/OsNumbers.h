#pragma once

#include <cfenv>
#include <cstddef>

namespace Orvik {
namespace OS {

/// While it lives, the calling thread's floating-point arithmetic rounds to nearest, ties to
/// even. The destructor restores the rounding mode and errno as they were. The sticky exception
/// flags are left alone, as every other floating-point operation of the driver leaves them:
/// saving and restoring the whole environment cost more than the number parse it guards.
class RoundingToNearest
{
public:
    RoundingToNearest();
    ~RoundingToNearest();

    RoundingToNearest(const RoundingToNearest&) = delete;
    RoundingToNearest& operator=(const RoundingToNearest&) = delete;

private:
    int m_savedRounding;
    int m_savedErrno;
};

/// Converts a decimal floating-point text, already checked to be one whole number in the
/// C library's syntax, to the nearest double in the current rounding mode, reading it as the
/// "C" locale does whatever locale the host has set.
double ParseDecimal(const char* in_text);

/// Writes in_value with the C library's "%.*g" and in_precision, as the "C" locale writes it,
/// into out_buffer of in_size bytes; returns what snprintf returns.
int FormatGeneral(double in_value, int in_precision, char* out_buffer, size_t in_size);

} // namespace OS
} // namespace Orvik
