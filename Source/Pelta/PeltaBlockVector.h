#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace Pelta {

/// An append-only array in blocks of a fixed size: it never moves what it holds, so it never
/// needs room for two copies while it grows, and it wastes at most one block.
template <class T>
class PeltaBlockVector
{
public:
    void PushBack(T in_value)
    {
        if ((m_size & BLOCK_MASK) == 0)
        {
            m_blocks.emplace_back(new T[BLOCK_SIZE]);
        }
        m_blocks.back()[m_size & BLOCK_MASK] = in_value;
        ++m_size;
    }

    /// The element at in_index, which must be below GetSize.
    T operator[](size_t in_index) const { return m_blocks[in_index >> BLOCK_BITS][in_index & BLOCK_MASK]; }

    size_t GetSize() const { return m_size; }

private:
    static constexpr size_t BLOCK_BITS = 16;
    static constexpr size_t BLOCK_SIZE = size_t(1) << BLOCK_BITS;
    static constexpr size_t BLOCK_MASK = BLOCK_SIZE - 1;

    std::vector<std::unique_ptr<T[]>> m_blocks;
    size_t m_size = 0;
};

} // namespace Pelta
