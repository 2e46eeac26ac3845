#pragma once

#include "Support/CriticalSection.h"
#include "Support/EncodingType.h"
#include "Support/IcuConverter.h"

#include <cstddef>
#include <vector>

namespace Orvik {
namespace Support {

/// The idle ICU converters of one encoding. Opening a converter is expensive, so each one is kept
/// after use; the pool holds as many as were ever in use at the same time. Its lock is held only
/// to take or give back a converter, never during a conversion.
class ConverterPool
{
public:
    explicit ConverterPool(EncodingType in_encoding);

    ConverterPool(const ConverterPool&) = delete;
    ConverterPool& operator=(const ConverterPool&) = delete;

    /// One converter lent for one conversion: the most recently returned idle one, or a new one
    /// when none is idle. It goes back to the pool when the lease ends, also after an error; a
    /// conversion that fails resets it first.
    class Lease
    {
    public:
        /// Raises "ICUCreateUConverterErr" when a new converter cannot be opened.
        explicit Lease(ConverterPool& io_pool);
        ~Lease();

        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        UConverter* Get() const { return m_converter.Get(); }
        void Reset() { m_converter.Reset(); }

    private:
        ConverterPool& m_pool;
        IcuConverter m_converter;
    };

    /// The number of idle converters.
    size_t GetIdleCount();

private:
    IcuConverter Take();
    void GiveBack(IcuConverter&& io_converter);

    EncodingType m_encoding;
    CriticalSection m_lock;
    std::vector<IcuConverter> m_idle;
};

} // namespace Support
} // namespace Orvik
