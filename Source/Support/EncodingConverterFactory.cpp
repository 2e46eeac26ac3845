#include "Support/EncodingConverterFactory.h"

#include "IcuEncodingConverter.h"
#include "IdentityEncodingConverter.h"
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

} // namespace

std::unique_ptr<EncodingConverter>
EncodingConverterFactory::CreateConverter(EncodingType in_source, EncodingType in_target, bool in_terminate) const
{
    if (IsCopied(in_source, in_target))
    {
        return std::make_unique<IdentityEncodingConverter>(in_source, in_target, in_terminate, false);
    }
    return std::make_unique<IcuEncodingConverter>(in_source, in_target, in_terminate, false);
}

std::unique_ptr<EncodingConverter> EncodingConverterFactory::CreateStrictConverter(EncodingType in_source,
                                                                                  EncodingType in_target) const
{
    if (IsCopied(in_source, in_target))
    {
        return std::make_unique<IdentityEncodingConverter>(in_source, in_target, false, true);
    }
    return std::make_unique<IcuEncodingConverter>(in_source, in_target, false, true);
}

} // namespace Support
} // namespace Orvik
