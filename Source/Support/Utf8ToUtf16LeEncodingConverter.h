#pragma once

#include "IcuEncodingConverter.h"

namespace Orvik {
namespace Support {

/// UTF-8 into UTF-16LE, the road of every long text read as wide characters. It converts as
/// IcuEncodingConverter does and gives the same text, with two shortcuts past ICU's converters:
/// whole UTF-8 characters are decoded with u_strFromUTF8WithSub, and the pivot, which is already
/// UTF-16 in the host's byte order, is copied into the target rather than encoded a code unit at
/// a time. UTF-8 decodes into well-formed UTF-16, whole surrogate pairs in every pivot.
class Utf8ToUtf16LeEncodingConverter : public IcuEncodingConverter
{
public:
    /// Raises "ICUCreateUConverterErr" when ICU cannot open either converter.
    Utf8ToUtf16LeEncodingConverter(bool in_terminate, bool in_refusesMalformed);

    void ResetPartial() override;

protected:
    /// Decodes the whole UTF-8 characters through u_strFromUTF8WithSub; the end of the text, and
    /// a source that holds no more than the start of a character, go through ICU's converter.
    void Decode(bool in_isEnd) override;

    /// Copies what it can of the pivot while ICU holds nothing of the text, and leaves the rest
    /// to ICU.
    bool Encode(const char16_t* in_pivotLimit, char* in_targetLimit, bool in_isEnd) override;

private:
    /// Decodes the whole UTF-8 characters at the source position into the empty pivot; the
    /// source converter first finishes a character it holds from an earlier source. Bytes that
    /// are not UTF-8 are replaced as the converter replaces them. Returns false when nothing was
    /// decoded: the source ends inside a character, which is left for the converter to hold.
    bool DecodeUtf8();

    /// Copies the pivot's code units as they are, as many as fit before in_targetLimit. A lead
    /// surrogate whose trail does not fit is left to ICU, as is what does not fit.
    void CopyPivot(const char16_t* in_pivotLimit, char* in_targetLimit);

    /// The target converter holds nothing: no lead surrogate waiting for its trail, no bytes that
    /// did not fit.
    bool m_isTargetConverterIdle = true;
};

} // namespace Support
} // namespace Orvik
