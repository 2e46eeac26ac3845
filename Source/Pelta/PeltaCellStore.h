#pragma once

#include "Pelta/PeltaReplyCell.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace Pelta {

/// The cells of a reply in the order they came, nine bytes each, in blocks of a fixed size: it
/// never moves what it holds, so it never needs room for two copies while it grows, and it
/// wastes at most one block. A block keeps its kinds apart from its payloads, so no cell is
/// padded.
class PeltaCellStore
{
public:
    void PushBack(const PeltaReplyCell& in_cell)
    {
        const size_t slot = m_size & BLOCK_MASK;
        if (slot == 0)
        {
            m_blocks.emplace_back(new Block);
            m_last = m_blocks.back().get();
        }
        m_last->kinds[slot] = in_cell.kind;
        m_last->payloads[slot] = in_cell.payload;
        ++m_size;
    }

    /// The cell at in_index, which must be below GetSize.
    PeltaReplyCell operator[](size_t in_index) const
    {
        const Block& block = *m_blocks[in_index >> BLOCK_BITS];
        const size_t slot = in_index & BLOCK_MASK;
        return {static_cast<PeltaReplyCell::Kind>(block.kinds[slot]), block.payloads[slot]};
    }

    size_t GetSize() const { return m_size; }

private:
    static constexpr size_t BLOCK_BITS = 16;
    static constexpr size_t BLOCK_SIZE = size_t(1) << BLOCK_BITS;
    static constexpr size_t BLOCK_MASK = BLOCK_SIZE - 1;

    struct Block
    {
        uint64_t payloads[BLOCK_SIZE];
        uint8_t kinds[BLOCK_SIZE];
    };

    std::vector<std::unique_ptr<Block>> m_blocks;
    Block* m_last = nullptr;
    size_t m_size = 0;
};

} // namespace Pelta
