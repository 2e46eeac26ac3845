#pragma once

// The to-SQL conversion kernels: one function per conversion rule, which every converter of the
// cells the rule serves calls once per non-NULL value, from an application buffer or from
// another SQL-side value alike.
//
// The contract every kernel keeps:
// - in_source: the value to convert (ToSqlSource); its side's metadata is read afresh each time.
// - io_target: the holder to write, whose null flag is already clear. A fixed-size target is
//   written in place and its converted length set to its size; a character or binary target is
//   sized with SqlData::SetLength, and its converted length set to the bytes produced.
// - io_state: what the kernel keeps between the values of its converter; only the transcoding
//   kernel keeps anything.
// - io_listener: every data problem is posted there as a ConversionResult, never thrown; the
//   converter returns the last one posted. NumericValOutOfRange leaves the target's value bytes
//   as they were.

#include "Support/EncodingConverter.h"

#include <memory>

namespace Orvik {
namespace Support {

class SqlData;
class WarningListener;
struct ToSqlSource;

/// The state a to-SQL kernel keeps between the values of one converter.
struct ToSqlKernelState
{
    /// The transcoding kernel's encoding converter, made at its first value and reused for the
    /// next ones while the pair of encodings stays the same.
    std::unique_ptr<EncodingConverter> m_converter;
};

/// The one signature of the to-SQL kernels.
using ToSqlKernel = void (*)(const ToSqlSource& in_source,
                             SqlData& io_target,
                             ToSqlKernelState& io_state,
                             WarningListener& io_listener);

} // namespace Support
} // namespace Orvik
