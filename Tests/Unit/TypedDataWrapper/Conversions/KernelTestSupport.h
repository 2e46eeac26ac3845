#pragma once

#include "Support/TypedDataWrapper/SqlToCCvt.h"

#include "Unit/TypedDataWrapper/RecordingListener.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Orvik {
namespace Support {

/// A target buffer with guard bytes on both sides, filled with a marker byte, so that a test
/// sees what a kernel wrote and that it wrote nothing outside.
class GuardedBuffer
{
public:
    static constexpr uint8_t FILL = 0xCD;
    static constexpr uint8_t GUARD = 0xA5;
    static constexpr size_t GUARD_SIZE = 16;

    explicit GuardedBuffer(size_t in_size)
        : m_size(in_size), m_bytes(in_size + 2 * GUARD_SIZE, GUARD)
    {
        std::memset(Data(), FILL, in_size);
    }

    void* Data() { return m_bytes.data() + GUARD_SIZE; }

    /// The buffer's bytes, guards excluded.
    std::string Bytes() const
    {
        return std::string(reinterpret_cast<const char*>(m_bytes.data()) + GUARD_SIZE, m_size);
    }

    /// The guards on both sides hold their marker.
    bool GuardsIntact() const
    {
        for (size_t i = 0; i < GUARD_SIZE; ++i)
        {
            if (m_bytes[i] != GUARD || m_bytes[GUARD_SIZE + m_size + i] != GUARD)
            {
                return false;
            }
        }
        return true;
    }

    /// No byte of the buffer was written.
    bool Untouched() const { return Bytes() == std::string(m_size, static_cast<char>(FILL)); }

private:
    size_t m_size;
    std::vector<uint8_t> m_bytes;
};

/// What one call of a kernel did.
struct KernelRun
{
    /// The posted results, as RecordingListener::Posted writes them.
    std::string posted;
    /// The returned target length.
    int64_t length = 0;
    /// The target's bytes after the call (empty for a length query).
    std::string bytes;
    /// Nothing was written outside the target, and nothing at all for a length query.
    bool clean = true;
    /// The target was not written at all.
    bool untouched = true;
};

/// Calls in_kernel with in_source into a guarded target of in_bufferSize bytes, passing
/// in_targetLength as the incoming target length; a negative in_bufferSize passes a null target.
inline KernelRun RunKernel(SqlToCKernel in_kernel,
                           SqlToCKernelState& io_state,
                           const void* in_source,
                           int64_t in_sourceLength,
                           int64_t in_bufferSize,
                           int64_t in_targetLength)
{
    KernelRun run;
    RecordingListener listener;
    run.length = in_targetLength;
    if (in_bufferSize < 0)
    {
        in_kernel(io_state, in_source, in_sourceLength, nullptr, run.length, listener);
    }
    else
    {
        GuardedBuffer buffer(static_cast<size_t>(in_bufferSize));
        in_kernel(io_state, in_source, in_sourceLength, buffer.Data(), run.length, listener);
        run.bytes = buffer.Bytes();
        run.clean = buffer.GuardsIntact();
        run.untouched = buffer.Untouched();
    }
    run.posted = listener.Posted();
    return run;
}

/// Calls in_kernel with a buffer of in_size bytes (the incoming length as well).
inline KernelRun RunKernel(SqlToCKernel in_kernel,
                           SqlToCKernelState& io_state,
                           const void* in_source,
                           int64_t in_sourceLength,
                           int64_t in_size)
{
    return RunKernel(in_kernel, io_state, in_source, in_sourceLength, in_size, in_size);
}

/// Calls in_kernel without a target, as a length query, with in_size as the incoming length.
inline KernelRun QueryLength(SqlToCKernel in_kernel,
                             SqlToCKernelState& io_state,
                             const void* in_source,
                             int64_t in_sourceLength,
                             int64_t in_size)
{
    return RunKernel(in_kernel, io_state, in_source, in_sourceLength, -1, in_size);
}

/// Calls a kernel of a fixed-size source value.
template <typename T>
KernelRun RunValue(SqlToCKernel in_kernel, SqlToCKernelState& io_state, T in_value, int64_t in_size)
{
    return RunKernel(in_kernel, io_state, &in_value, sizeof(T), in_size);
}

/// Reads a T from the start of a run's bytes.
template <typename T>
T ValueOf(const KernelRun& in_run)
{
    T value{};
    EXPECT_GE(in_run.bytes.size(), sizeof(T));
    if (in_run.bytes.size() >= sizeof(T))
    {
        std::memcpy(&value, in_run.bytes.data(), sizeof(T));
    }
    return value;
}

/// The bytes as two-digit upper-case hexadecimal, for comparing images.
inline std::string Hex(const std::string& in_bytes)
{
    static const char DIGITS[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : in_bytes)
    {
        text += DIGITS[byte >> 4];
        text += DIGITS[byte & 15];
    }
    return text;
}

} // namespace Support
} // namespace Orvik
