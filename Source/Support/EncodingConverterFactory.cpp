#include "Support/EncodingConverterFactory.h"

#include "IcuEncodingConverter.h"
#include "IdentityEncodingConverter.h"
#include "Utf8ToUtf16LeEncodingConverter.h"
#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"

namespace Orvik {
namespace Support {

namespace {

// US-ASCII text is copied only into encodings in which ASCII characters keep their byte values;
// EBCDIC pages and sets with escapes or shifts go through ICU.
bool IsCopied(EncodingType in_source, EncodingType in_target)
{
    return in_source == in_target || (in_source == ENC_US_ASCII && IsAsciiCompatibleEncoding(in_target));
}

std::unique_ptr<EncodingConverter>
Create(EncodingType in_source, EncodingType in_target, bool in_terminate, bool in_refusesMalformed)
{
    if (IsCopied(in_source, in_target))
    {
        return std::make_unique<IdentityEncodingConverter>(in_source, in_target, in_terminate, in_refusesMalformed);
    }
    if (in_source == ENC_UTF8 && in_target == ENC_UTF16_LE)
    {
        return std::make_unique<Utf8ToUtf16LeEncodingConverter>(in_terminate, in_refusesMalformed);
    }
    return std::make_unique<IcuEncodingConverter>(in_source, in_target, in_terminate, in_refusesMalformed);
}

} // namespace

std::unique_ptr<EncodingConverter>
EncodingConverterFactory::CreateConverter(EncodingType in_source, EncodingType in_target, bool in_terminate) const
{
    return Create(in_source, in_target, in_terminate, false);
}

std::unique_ptr<EncodingConverter> EncodingConverterFactory::CreateStrictConverter(EncodingType in_source,
                                                                                  EncodingType in_target) const
{
    return Create(in_source, in_target, false, true);
}

} // namespace Support
} // namespace Orvik
