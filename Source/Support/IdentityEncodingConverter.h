#pragma once

#include "Support/EncodingConverter.h"

namespace Orvik {
namespace Support {

/// Copies bytes unchanged, for a source whose bytes are already valid in the target encoding. A
/// character may be split between two targets; concatenated, the targets give the source back.
class IdentityEncodingConverter : public EncodingConverter
{
public:
    IdentityEncodingConverter(EncodingType in_source,
                              EncodingType in_target,
                              bool in_terminate,
                              bool in_refusesMalformed);

protected:
    void DoConvert() override;

    /// Copies whole code units only, so that the terminator starts a code unit of its own.
    void DoConvertTerminated() override;

private:
    /// Copies up to in_count bytes and records whether the source or the target ran out.
    void Copy(int64_t in_count);
};

} // namespace Support
} // namespace Orvik
