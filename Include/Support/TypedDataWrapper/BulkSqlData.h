#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// One column of source values for a run of rows, as a result that fetches in bulk hands it to
/// the bulk converters. Lengths are signed byte counts; NULL_LENGTH marks a NULL row, whose value
/// is not read.
struct BulkSqlData
{
    /// Row i's value is at data base + i * data stride, its length at length base + i * length
    /// stride.
    static constexpr int32_t LAYOUT_STRIDED = 1;

    /// Row i's value and length are the i-th entry of an array of PointerEntry.
    static constexpr int32_t LAYOUT_POINTER_ARRAY = 2;

    /// Layouts from here up (compared as unsigned 32-bit values) are a driver's own.
    static constexpr uint32_t FIRST_CUSTOM_LAYOUT = 0x8000;

    /// The length of a NULL row.
    static constexpr int64_t NULL_LENGTH = INT64_MIN;

    struct Strided
    {
        const void* m_dataBase;
        int64_t m_dataStride;
        const int64_t* m_lengthBase;
        int64_t m_lengthStride;
    };

    struct PointerEntry
    {
        const void* m_data;
        int64_t m_length;
    };

    /// LAYOUT_STRIDED, LAYOUT_POINTER_ARRAY or a custom layout; every other value is refused.
    int32_t m_layout = LAYOUT_STRIDED;

    uint64_t m_rowCount = 0;

    /// The part the layout reads.
    union
    {
        Strided m_strided;
        const PointerEntry* m_entries;
        const void* m_custom;
    };
};

} // namespace Support
} // namespace Orvik
