#pragma once

#include "BulkTestSupport.h"

#include "Unit/TypedDataWrapper/RecordingListener.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Orvik {
namespace Support {

/// A bulk listener that writes every result down as "<row>:<key>(<info>)", the row being what
/// its counter names, the info as RecordingListener gives it.
class InfoRecordingBulkListener : public BulkWarningListener
{
public:
    void PostWarning(const ConversionResult& in_result) override
    {
        RecordingListener one;
        one.PostWarning(in_result);
        m_posted += (m_posted.empty() ? "" : ", ") + std::to_string(m_counter) + ":" + one.Posted();
        m_last = one.Posted();
    }

    int64_t* GetRowCounter() override { return &m_counter; }
    void SetRowCounter(int64_t in_row) override { m_counter = in_row; }

    int64_t m_counter = 1;
    std::string m_posted;
    /// The last result, without its row: what a single-value converter returns.
    std::string m_last;
};

/// What one Convert call did to a column: each row's element and slot as a KernelRun (its length
/// the slot, its bytes the element), whether the slot holds the NULL marker, and the results.
struct BulkColumnRun
{
    std::vector<KernelRun> rows;
    std::vector<bool> isNull;
    InfoRecordingBulkListener listener;
    uint64_t converted = 0;
};

/// Converts in_values (each at most in_valueStride bytes) in in_layout into packed elements of
/// in_elementLength bytes with packed slots. The guards of target and slots must hold.
inline BulkColumnRun RunBulkColumn(ISqlToCBulkConverter& io_converter,
                                   const std::vector<BulkValue>& in_values,
                                   int64_t in_elementLength,
                                   int32_t in_layout = BulkSqlData::LAYOUT_STRIDED,
                                   int64_t in_valueStride = 64)
{
    const SourceColumn column(in_values, in_valueStride);
    const size_t elementSize = static_cast<size_t>(in_elementLength);
    GuardedBuffer target(in_values.size() * elementSize);
    GuardedBuffer slots(in_values.size() * sizeof(int64_t));
    BulkColumnRun run;
    run.converted = io_converter.Convert(column.In(in_layout), target.Data(), in_elementLength, in_elementLength,
                                         static_cast<int64_t*>(slots.Data()), sizeof(int64_t), run.listener);
    EXPECT_TRUE(target.GuardsIntact() && slots.GuardsIntact()) << "written outside the target or the slots";
    const std::string bytes = target.Bytes();
    const std::string slotBytes = slots.Bytes();
    for (size_t row = 0; row < in_values.size(); ++row)
    {
        KernelRun element;
        element.bytes = bytes.substr(row * elementSize, elementSize);
        element.untouched = element.bytes == std::string(elementSize, static_cast<char>(GuardedBuffer::FILL));
        std::memcpy(&element.length, slotBytes.data() + row * sizeof(int64_t), sizeof(int64_t));
        run.isNull.push_back(element.length == BulkSqlData::NULL_LENGTH);
        run.rows.push_back(element);
    }
    return run;
}

/// The rows of a run as "<slot> <value>" joined by " | ", the value shown by in_show or
/// "untouched", a NULL row as "NULL", then " ; " and the results when any were posted.
template <typename Show>
std::string RowsOf(const BulkColumnRun& in_run, Show in_show)
{
    std::string text;
    for (size_t row = 0; row < in_run.rows.size(); ++row)
    {
        const KernelRun& element = in_run.rows[row];
        text += row == 0 ? "" : " | ";
        text += in_run.isNull[row] ? std::string("NULL") : std::to_string(element.length);
        text += " " + (element.untouched ? std::string("untouched") : in_show(element));
    }
    return in_run.listener.m_posted.empty() ? text : text + " ; " + in_run.listener.m_posted;
}

} // namespace Support
} // namespace Orvik
