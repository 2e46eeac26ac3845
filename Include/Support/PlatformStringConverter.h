#pragma once

#include "Support/IPlatformStringConverter.h"

#include <memory>
#include <vector>

namespace Orvik {
namespace Support {

class ConverterPool;

/// The platform's string converter. UTF-16LE, the driver's own form, is copied; every other
/// encoding goes through ICU converters kept in one pool per encoding, so that threads converting
/// at the same time each get their own converter and none is opened twice without need.
class PlatformStringConverter : public IPlatformStringConverter
{
public:
    /// One empty pool per encoding; no converter is opened yet.
    PlatformStringConverter();

    /// Closes every pooled converter.
    ~PlatformStringConverter() override;

    PlatformStringConverter(const PlatformStringConverter&) = delete;
    PlatformStringConverter& operator=(const PlatformStringConverter&) = delete;

    void BytesToWString(const void* in_bytes,
                        int32_t in_byteLength,
                        EncodingType in_encoding,
                        orvik_wstring& io_target) override;

    int32_t GetRequiredBytes(const char16_t* in_units, int32_t in_count, EncodingType in_encoding) override;

    int32_t GetRequiredBytes(const orvik_wstring& in_text, EncodingType in_encoding) override;

    int32_t FromUChars(const char16_t* in_units,
                       int32_t in_count,
                       void* out_target,
                       int32_t in_targetLength,
                       EncodingType in_encoding,
                       bool& out_truncated) override;

    int32_t FromWString(const orvik_wstring& in_text,
                        void* out_target,
                        int32_t in_targetLength,
                        EncodingType in_encoding,
                        bool& out_truncated) override;

    int32_t GetNtsByteLength(const void* in_text, EncodingType in_encoding) override;

    bool WidenAscii(const char* in_text,
                    int32_t in_length,
                    void* out_target,
                    int32_t in_targetLength,
                    EncodingType in_encoding,
                    bool in_addTerminator) override;

    bool NarrowToAscii(const void* in_bytes,
                       int32_t in_byteLength,
                       EncodingType in_encoding,
                       char* out_target,
                       int32_t in_targetLength) override;

    /// WidenAscii for code that has no converter at hand, with 64-bit lengths: the conversion
    /// kernels write number and date text into wide buffers through it.
    static bool WriteAsciiAs(const char* in_text,
                             int64_t in_length,
                             void* out_target,
                             int64_t in_targetLength,
                             EncodingType in_encoding,
                             bool in_addTerminator);

    /// NarrowToAscii for code that has no converter at hand, with 64-bit lengths: the conversion
    /// kernels read wide number and date text through it.
    static bool ReadAsciiFrom(const void* in_bytes,
                              int64_t in_byteLength,
                              EncodingType in_encoding,
                              char* out_target,
                              int64_t in_targetLength);

    /// GetNtsByteLength for code that has no converter at hand. The text is measured in whole code
    /// units of its encoding, so that the zero bytes inside UTF-16 and UTF-32 characters do not end
    /// it early.
    static int32_t MeasureNulTerminated(const void* in_text, EncodingType in_encoding);

    /// Places UTF-16LE bytes in io_target without a converter. Whole code units only: an odd last
    /// byte is dropped, never written past the string's buffer.
    static void CopyUtf16Le(const void* in_bytes, int32_t in_byteLength, orvik_wstring& io_target);

private:
    ConverterPool& GetPool(EncodingType in_encoding);

    std::vector<std::unique_ptr<ConverterPool>> m_pools;
};

} // namespace Support
} // namespace Orvik
