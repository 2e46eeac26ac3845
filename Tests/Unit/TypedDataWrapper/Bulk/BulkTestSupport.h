#pragma once

#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/BulkWarningListener.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"

#include "Unit/TypedDataWrapper/Conversions/KernelTestSupport.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace Orvik {
namespace Support {

/// A bulk listener that writes down every posted result as "<row>:<key>", the row being what its
/// counter names at the time, and counts how often the counter's address is asked for.
class RecordingBulkListener : public BulkWarningListener
{
public:
    explicit RecordingBulkListener(int64_t in_firstRow = 1) : m_counter(in_firstRow) {}

    void PostWarning(const ConversionResult& in_result) override
    {
        m_posted += (m_posted.empty() ? "" : ", ") + std::to_string(m_counter) + ":"
            + in_result.GetMessageKey().GetAsUTF8();
    }

    int64_t* GetRowCounter() override
    {
        ++m_counterReads;
        return &m_counter;
    }

    void SetRowCounter(int64_t in_row) override { m_counter = in_row; }

    int64_t m_counter;
    int m_counterReads = 0;
    std::string m_posted;
};

/// A row's value, or NULL.
using BulkValue = std::optional<std::string>;

/// One column of source values, laid out both ways: strided, with the values in_dataStride bytes
/// apart and their lengths in_lengthStride bytes apart (neither need be aligned), and as a
/// pointer array.
class SourceColumn
{
public:
    explicit SourceColumn(std::vector<BulkValue> in_values, int64_t in_dataStride = 32, int64_t in_lengthStride = 8)
        : m_rowCount(in_values.size()),
          m_dataStride(in_dataStride),
          m_lengthStride(in_lengthStride),
          m_data(m_rowCount * in_dataStride + 1, '\0'),
          m_lengths(m_rowCount * in_lengthStride + 1, '\0')
    {
        for (size_t row = 0; row < m_rowCount; ++row)
        {
            const int64_t length = in_values[row].has_value() ? static_cast<int64_t>(in_values[row]->size())
                                                              : BulkSqlData::NULL_LENGTH;
            if (in_values[row].has_value())
            {
                m_data.replace(row * in_dataStride, in_values[row]->size(), *in_values[row]);
            }
            std::memcpy(&m_lengths[row * in_lengthStride], &length, sizeof(length));
            m_entries.push_back({&m_data[row * in_dataStride], length});
        }
    }

    SourceColumn(const SourceColumn&) = delete;
    SourceColumn& operator=(const SourceColumn&) = delete;

    /// The column in layout 1 (strided) or 2 (pointer array); any other in_layout gives that
    /// layout over the strided fields.
    BulkSqlData In(int32_t in_layout) const
    {
        BulkSqlData source;
        source.m_layout = in_layout;
        source.m_rowCount = m_rowCount;
        if (in_layout == BulkSqlData::LAYOUT_POINTER_ARRAY)
        {
            source.m_entries = m_entries.data();
        }
        else
        {
            source.m_strided = {m_data.data(), m_dataStride, reinterpret_cast<const int64_t*>(m_lengths.data()),
                                m_lengthStride};
        }
        return source;
    }

private:
    size_t m_rowCount;
    int64_t m_dataStride;
    int64_t m_lengthStride;
    std::string m_data;
    std::string m_lengths;
    std::vector<BulkSqlData::PointerEntry> m_entries;
};

/// Where a bulk call writes: a guarded target of in_rows elements in_targetStride bytes apart and
/// a guarded array of length slots in_lengthStride bytes apart, both filled with marker bytes.
class BulkTarget
{
public:
    BulkTarget(size_t in_rows, int64_t in_targetStride, int64_t in_lengthStride)
        : m_targetStride(in_targetStride),
          m_lengthStride(in_lengthStride),
          m_target(in_rows * in_targetStride),
          m_slots(in_rows * in_lengthStride)
    {
    }

    void* Target() { return m_target.Data(); }
    int64_t* Slots() { return static_cast<int64_t*>(m_slots.Data()); }

    /// Row in_row's element of in_size bytes, in hexadecimal; "untouched" when no byte of it
    /// was written.
    std::string Element(size_t in_row, size_t in_size) const
    {
        const std::string bytes = m_target.Bytes().substr(in_row * m_targetStride, in_size);
        return bytes == std::string(in_size, static_cast<char>(GuardedBuffer::FILL)) ? "untouched" : Hex(bytes);
    }

    /// Row in_row's slot: its value, "NULL" for the NULL marker, "untouched" when not written.
    std::string Slot(size_t in_row) const
    {
        const std::string bytes = m_slots.Bytes().substr(in_row * m_lengthStride, sizeof(int64_t));
        if (bytes == std::string(sizeof(int64_t), static_cast<char>(GuardedBuffer::FILL)))
        {
            return "untouched";
        }
        int64_t value = 0;
        std::memcpy(&value, bytes.data(), sizeof(value));
        return value == BulkSqlData::NULL_LENGTH ? "NULL" : std::to_string(value);
    }

    /// Nothing was written outside the target or the slots.
    bool Clean() const { return m_target.GuardsIntact() && m_slots.GuardsIntact(); }

    /// Neither the target nor the slots were written.
    bool Untouched() const { return m_target.Untouched() && m_slots.Untouched(); }

private:
    int64_t m_targetStride;
    int64_t m_lengthStride;
    GuardedBuffer m_target;
    GuardedBuffer m_slots;
};

/// Converts in_values in in_layout into elements of in_elementSize bytes (packed, slots 8 bytes
/// apart) and writes each row as "<slot> <element in hexadecimal>", then what was posted:
/// "42 3132330000 | 20 00CD | NULL untouched ; 2:StrRightTrunc". The guards must hold and the
/// converter must report every row.
inline std::string ConvertColumn(ISqlToCBulkConverter& io_converter,
                                 const std::vector<BulkValue>& in_values,
                                 int64_t in_elementSize,
                                 int32_t in_layout = BulkSqlData::LAYOUT_STRIDED)
{
    const SourceColumn column(in_values);
    BulkTarget target(in_values.size(), in_elementSize, sizeof(int64_t));
    RecordingBulkListener listener;
    const uint64_t rows = io_converter.Convert(column.In(in_layout), target.Target(), in_elementSize, in_elementSize,
                                               target.Slots(), sizeof(int64_t), listener);
    EXPECT_EQ(in_values.size(), rows);
    EXPECT_TRUE(target.Clean()) << "written outside the target";
    std::string text;
    for (size_t row = 0; row < in_values.size(); ++row)
    {
        text += (row == 0 ? "" : " | ") + target.Slot(row) + " " + target.Element(row, in_elementSize);
    }
    return text + (listener.m_posted.empty() ? "" : " ; " + listener.m_posted);
}

} // namespace Support
} // namespace Orvik
