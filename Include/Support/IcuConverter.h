#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

struct UConverter;

namespace Orvik {
namespace Support {

/// One open ICU converter, owned: closed when this object ends.
class IcuConverter
{
public:
    /// Opens ICU's converter for in_encoding. Raises "ICUCreateUConverterErr" when ICU cannot, and
    /// InvalidArgumentException outside the encoding table.
    explicit IcuConverter(EncodingType in_encoding);
    ~IcuConverter();

    /// Takes the other's converter and leaves it without one.
    IcuConverter(IcuConverter&& io_other) noexcept;
    IcuConverter& operator=(IcuConverter&& io_other) noexcept;

    IcuConverter(const IcuConverter&) = delete;
    IcuConverter& operator=(const IcuConverter&) = delete;

    UConverter* Get() const { return m_converter; }

    /// A second converter in this one's state, for trying a conversion that may be thrown away.
    /// Raises "ICUCreateUConverterErr" when ICU cannot make it.
    IcuConverter Clone() const;

    /// Drops whatever the converter holds of an unfinished text, in both directions.
    void Reset();

    /// After a decoding that stopped at a bad character: how many of the bytes consumed were its.
    int32_t CountInvalidBytes() const;

private:
    explicit IcuConverter(UConverter* in_converter) : m_converter(in_converter) {}

    UConverter* m_converter;
};

} // namespace Support
} // namespace Orvik
