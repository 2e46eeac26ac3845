#pragma once

#include "NarrowCharBuffer.h"

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/SqlToCKernelState.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

/// The part of a character-source kernel that reads one-byte text: the narrow kernels run it on
/// the source's bytes, the wide ones on the source narrowed to its ASCII bytes.
using TextKernel = void (*)(const char* in_text,
                            size_t in_length,
                            const SqlToCKernelState& in_state,
                            void* out_target,
                            int64_t& io_targetLength,
                            WarningListener& io_listener);

/// Runs in_kernel on a narrow source (CHAR, VARCHAR, LONGVARCHAR).
template <TextKernel in_kernel>
void ConvertNarrowText(const SqlToCKernelState& in_state,
                       const void* in_source,
                       int64_t in_sourceLength,
                       void* out_target,
                       int64_t& io_targetLength,
                       WarningListener& io_listener)
{
    const size_t length = in_sourceLength > 0 ? static_cast<size_t>(in_sourceLength) : 0;
    in_kernel(static_cast<const char*>(in_source), length, in_state, out_target, io_targetLength, io_listener);
}

/// Runs in_kernel on a wide source (WCHAR, WVARCHAR, WLONGVARCHAR) in the state's source
/// encoding. A character beyond one byte belongs to no value's text: InvalidCharValForCast.
template <TextKernel in_kernel>
void ConvertWideText(const SqlToCKernelState& in_state,
                     const void* in_source,
                     int64_t in_sourceLength,
                     void* out_target,
                     int64_t& io_targetLength,
                     WarningListener& io_listener)
{
    NarrowCharBuffer narrow;
    if (!narrow.ConvertWCharToCharBuffer(in_source, in_sourceLength, in_state.m_sourceEncoding))
    {
        io_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return;
    }
    in_kernel(narrow.Data(), narrow.Length(), in_state, out_target, io_targetLength, io_listener);
}

} // namespace Support
} // namespace Orvik

/// Defines the narrow kernel (named by CHAR) and the wide kernel (named by WCHAR) of the target
/// in_target around the text kernel in_textKernel.
#define ORVIK_TEXT_KERNELS(in_target, in_textKernel)                                                     \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_CHAR, in_target)                                                       \
    {                                                                                                    \
        ConvertNarrowText<in_textKernel>(                                                                \
            io_state, in_sourceData, in_sourceLength, out_target, io_targetLength, io_listener);         \
    }                                                                                                    \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_WCHAR, in_target)                                                      \
    {                                                                                                    \
        ConvertWideText<in_textKernel>(                                                                  \
            io_state, in_sourceData, in_sourceLength, out_target, io_targetLength, io_listener);         \
    }
