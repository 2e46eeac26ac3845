#include "Support/EncodingConverterFactory.h"

#include "IcuEncodingConverter.h"
#include "IdentityEncodingConverter.h"
#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"

namespace Orvik {
namespace Support {

std::unique_ptr<EncodingConverter>
EncodingConverterFactory::CreateConverter(EncodingType in_source, EncodingType in_target, bool in_terminate) const
{
    // US-ASCII text is copied only into encodings in which ASCII characters keep their byte
    // values; EBCDIC pages and sets with escapes or shifts go through ICU.
    if (in_source == in_target || (in_source == ENC_US_ASCII && IsAsciiCompatibleEncoding(in_target)))
    {
        return std::make_unique<IdentityEncodingConverter>(in_source, in_target, in_terminate);
    }
    return std::make_unique<IcuEncodingConverter>(in_source, in_target, in_terminate);
}

} // namespace Support
} // namespace Orvik
