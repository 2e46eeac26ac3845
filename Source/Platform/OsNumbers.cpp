#include "Platform/OsNumbers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace Orvik {
namespace OS {

namespace {

// The host application may have set LC_NUMERIC to a locale with a decimal comma; numbers
// are always read and written as in the C locale.
locale_t GetCLocale()
{
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", locale_t());
    return s_cLocale;
}

} // namespace

RoundingToNearest::RoundingToNearest() : m_savedRounding(fegetround()), m_savedErrno(errno)
{
    if (m_savedRounding != FE_TONEAREST)
    {
        fesetround(FE_TONEAREST);
    }
}

RoundingToNearest::~RoundingToNearest()
{
    if (m_savedRounding != FE_TONEAREST)
    {
        fesetround(m_savedRounding);
    }
    errno = m_savedErrno;
}

double ParseDecimal(const char* in_text)
{
    return strtod_l(in_text, nullptr, GetCLocale());
}

int FormatGeneral(double in_value, int in_precision, char* out_buffer, size_t in_size)
{
    // uselocale changes the calling thread's locale only.
    const locale_t previous = uselocale(GetCLocale());
    const int length = snprintf(out_buffer, in_size, "%.*g", in_precision, in_value);
    uselocale(previous);
    return length;
}

} // namespace OS
} // namespace Orvik
