#pragma once

#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/SqlToCKernelTable.h"

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

/// The kernel of a pair, failing the test when the pair has none.
inline SqlToCKernel KernelOf(TDWType in_source,
                             TDWType in_target,
                             EncodingType in_sourceEncoding = ENC_NONE,
                             EncodingType in_targetEncoding = ENC_NONE)
{
    const SqlToCKernel kernel = SqlToCKernelTable::Find(in_source, in_target, in_sourceEncoding, in_targetEncoding);
    EXPECT_NE(nullptr, kernel) << in_source << " to " << in_target;
    return kernel;
}

/// Runs a fixed-size target's kernel with a buffer and as a length query, expects both to post
/// the same and report the same length, and returns the run with the buffer.
inline KernelRun RunFixed(SqlToCKernel in_kernel,
                          SqlToCKernelState& io_state,
                          const void* in_source,
                          int64_t in_sourceLength,
                          int64_t in_size)
{
    const KernelRun run = RunKernel(in_kernel, io_state, in_source, in_sourceLength, in_size);
    const KernelRun query = QueryLength(in_kernel, io_state, in_source, in_sourceLength, in_size);
    EXPECT_EQ(run.posted, query.posted) << "a length query posts the same";
    EXPECT_EQ(run.length, query.length) << "a length query reports the same length";
    EXPECT_TRUE(run.clean) << "written outside the target";
    return run;
}

/// The text a run wrote up to its first zero code unit of in_unitSize bytes, read as ASCII from
/// the unit's byte at in_asciiByte; "untouched" when nothing was written.
inline std::string TextOf(const KernelRun& in_run, size_t in_unitSize = 1, size_t in_asciiByte = 0)
{
    if (in_run.untouched)
    {
        return "untouched";
    }
    std::string text;
    for (size_t i = 0; i + in_unitSize <= in_run.bytes.size(); i += in_unitSize)
    {
        if (in_run.bytes.compare(i, in_unitSize, std::string(in_unitSize, '\0')) == 0)
        {
            return text;
        }
        text += in_run.bytes[i + in_asciiByte];
    }
    return text + "<no terminator>";
}

} // namespace Support
} // namespace Orvik
