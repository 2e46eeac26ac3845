#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

struct SqlToCKernelState;
class WarningListener;

// The copies behind the character and binary kernels. Each reads the target's size from the
// incoming io_targetLength and returns there the full length of the value, also after a cut; a
// null target only reports the length.

/// Copies in_sourceLength bytes of text whose code units are in_unitSize bytes (1, 2 or 4) and
/// ends them with one zero unit. Text that does not fit loses its last whole units and posts
/// StrRightTrunc; a buffer without room for a terminator gets nothing written.
template <int in_unitSize>
void CopyCharacterData(const void* in_source,
                       int64_t in_sourceLength,
                       void* out_target,
                       int64_t& io_targetLength,
                       WarningListener& io_listener);

/// Converts the text from io_state's source encoding into its target encoding, whole characters
/// and one zero code unit, posting StrRightTrunc when it does not fit; the length of what did not
/// fit is measured through a scratch buffer. The converter is kept in io_state for the next
/// value. The source goes to the converter in pieces of at most in_pieceSize bytes.
void TranscodeCharacterData(SqlToCKernelState& io_state,
                            const void* in_source,
                            int64_t in_sourceLength,
                            void* out_target,
                            int64_t& io_targetLength,
                            WarningListener& io_listener,
                            int32_t in_pieceSize = INT32_MAX);

/// Copies the bytes without a terminator, as many as fit, posting StrRightTrunc for a cut. A
/// negative source length gives the length of a value that was already cut: its bytes are
/// copied and StrRightTrunc is posted.
void CopyBinaryData(const void* in_source,
                    int64_t in_sourceLength,
                    void* out_target,
                    int64_t& io_targetLength,
                    WarningListener& io_listener);

} // namespace Support
} // namespace Orvik
