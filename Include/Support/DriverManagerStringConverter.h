#pragma once

#include "Support/CriticalSection.h"
#include "Support/EncodingType.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/IcuConverter.h"

namespace Orvik {
namespace Support {

class IPlatformStringConverter;

/// The driver manager string converter: one ICU converter for the driver manager's encoding,
/// used under a lock by every thread, for text written into application buffers; arguments are
/// decoded through the platform's pooled converters.
class DriverManagerStringConverter : public IDriverManagerStringConverter
{
public:
    /// Raises "ICUCreateUConverterErr" when ICU cannot open a converter for in_encoding.
    DriverManagerStringConverter(EncodingType in_encoding, IPlatformStringConverter& in_stringConverter);

    int32_t ToBuffer(const orvik_wstring& in_source,
                     void* out_target,
                     int32_t in_targetLength,
                     bool in_lengthInBytes,
                     bool& out_truncated) override;

    int32_t GetRequiredLength(const orvik_wstring& in_source, bool in_lengthInBytes) override;

    void FromUChars(const void* in_buffer, int32_t in_length, bool in_lengthInBytes, orvik_wstring& io_target) override;

    void FromBytes(const char* in_text, int32_t in_length, orvik_wstring& io_target) override;

    int64_t GetNtsLength(const char* in_text,
                         int32_t in_length,
                         bool in_lengthInBytes,
                         bool in_withTerminator) override;

private:
    /// Encodes as much of the text as fits whole below out_limit; returns the end of what it wrote.
    char* Encode(const orvik_wstring& in_source, char* out_target, char* in_limit, bool& out_truncated);

    /// Converts the character at io_source when it and the end of the text fit below in_limit,
    /// advancing io_source and io_position.
    bool EncodeIfItFits(const char16_t*& io_source, const char16_t* in_end, char*& io_position, char* in_limit);

    EncodingType m_encoding;
    IcuConverter m_converter;
    uint8_t m_codeUnitSize;
    /// The most bytes, and code units, that one character and the shift it may need take.
    uint8_t m_maxBytesPerChar;
    uint8_t m_maxCodeUnitsPerChar;
    IPlatformStringConverter& m_stringConverter;
    CriticalSection m_lock;
};

} // namespace Support
} // namespace Orvik
