#include "Support/IcuConverter.h"

#include "Support/EncodingInfo.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>

#include <utility>

namespace Orvik {
namespace Support {

IcuConverter::IcuConverter(EncodingType in_encoding)
{
    const char* name = EncodingInfo::GetEncodingName(in_encoding);
    UErrorCode status = U_ZERO_ERROR;
    m_converter = ucnv_open(name, &status);
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUCreateUConverterErr");
    }
}

IcuConverter::~IcuConverter()
{
    ucnv_close(m_converter);
}

IcuConverter::IcuConverter(IcuConverter&& io_other) noexcept
    : m_converter(std::exchange(io_other.m_converter, nullptr))
{
}

IcuConverter& IcuConverter::operator=(IcuConverter&& io_other) noexcept
{
    if (this != &io_other)
    {
        ucnv_close(m_converter);
        m_converter = std::exchange(io_other.m_converter, nullptr);
    }
    return *this;
}

IcuConverter IcuConverter::Clone() const
{
    UErrorCode status = U_ZERO_ERROR;
    IcuConverter clone(ucnv_clone(m_converter, &status));
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUCreateUConverterErr");
    }
    return clone;
}

void IcuConverter::Reset()
{
    ucnv_reset(m_converter);
}

int32_t IcuConverter::CountInvalidBytes() const
{
    // ICU keeps at most this many bytes of a bad sequence.
    char invalid[32];
    int8_t length = sizeof(invalid);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_getInvalidChars(m_converter, invalid, &length, &status);
    return U_SUCCESS(status) ? length : 0;
}

} // namespace Support
} // namespace Orvik
