#pragma once

#include "Support/EncodingType.h"

#include <memory>

namespace Orvik {
namespace Support {

class EncodingConverter;

/// Makes the streaming encoding converters. It has no state and may be used from any thread.
class EncodingConverterFactory
{
public:
    virtual ~EncodingConverterFactory() = default;

    /// A converter from in_source to in_target; with in_terminate every target holds whole
    /// characters followed by one zero code unit. Text that is already valid in the target (the
    /// same encoding, or US-ASCII into an encoding that keeps ASCII's byte values) is copied;
    /// everything else goes through ICU, UTF-8 into UTF-16LE with shortcuts of its own. Raises
    /// "ICUCreateUConverterErr" when ICU cannot open a converter.
    virtual std::unique_ptr<EncodingConverter>
    CreateConverter(EncodingType in_source, EncodingType in_target, bool in_terminate) const;

    /// A converter chosen as CreateConverter chooses, without terminators, for an application's
    /// text: source text that is not valid in in_source is refused rather than given replacement
    /// characters, so that nothing the application did not mean goes on. SetSource and Convert
    /// raise MalformedTextException at the first bad character, counting bytes from the first
    /// source of the text.
    std::unique_ptr<EncodingConverter> CreateStrictConverter(EncodingType in_source, EncodingType in_target) const;
};

} // namespace Support
} // namespace Orvik
