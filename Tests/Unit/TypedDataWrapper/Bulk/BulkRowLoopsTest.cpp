// The two row loops of the bulk converter, run over a kernel that records its calls: NULL rows,
// the row counter, the strides of source, target and length slots, zero rows, a null target and a
// kernel that throws, each case the same for the strided and the pointer-array layout.

#include "BulkTestSupport.h"

#include "Support/TypedDataWrapper/SqlToCBulkConverter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

/// Writes each call down as "<value>@<element>/<capacity>#<row>" (element "-" for no target, the
/// row being what the counter names), copies the value into the target as far as the capacity
/// goes, posts "StrRightTrunc" for the value "cut" and reports the value's length plus 100.
/// Throws at the call numbered m_throwAt (from 0).
struct FakeKernel
{
    void operator()(SqlToCKernelState&,
                    const void* in_value,
                    int64_t in_length,
                    void* out_target,
                    int64_t& io_targetLength,
                    WarningListener& io_listener)
    {
        const std::string value(static_cast<const char*>(in_value), static_cast<size_t>(in_length));
        const std::string element = out_target == nullptr
            ? "-"
            : std::to_string((static_cast<char*>(out_target) - m_targetBase) / m_targetStride);
        *m_calls += value + "@" + element + "/" + std::to_string(io_targetLength) + "#"
            + std::to_string(*m_counter) + " ";
        if (m_callCount++ == m_throwAt)
        {
            throw std::runtime_error("kernel failed");
        }
        if (value == "cut")
        {
            io_listener.PostWarning(ConversionResult::StrRightTrunc());
        }
        if (out_target != nullptr)
        {
            std::memcpy(out_target, value.data(), std::min<size_t>(value.size(), static_cast<size_t>(io_targetLength)));
        }
        io_targetLength = in_length + 100;
    }

    std::string* m_calls;
    const int64_t* m_counter;
    const char* m_targetBase;
    int64_t m_targetStride;
    int m_throwAt;
    int m_callCount = 0;
};

using FakeConverter = SqlToCBulkConverter<FakeKernel>;

struct LoopCase
{
    const char* name;
    std::vector<BulkValue> values;
    int64_t dataStride;
    int64_t sourceLengthStride;
    int64_t elementLength;
    int64_t targetStride;
    int64_t lengthStride;
    bool hasTarget;
    int throwAt;
    std::string expected;
};

/// Runs a case in in_layout, the counter starting at 5, and writes what happened:
/// "<returned> rows, counter +<moved>, <reads> read | <calls>| <slot per row> | <element per row>
/// | <posted>"; "threw" in place of the rows when the kernel threw.
std::string RunLoop(const LoopCase& in_case, int32_t in_layout)
{
    const SourceColumn column(in_case.values, in_case.dataStride, in_case.sourceLengthStride);
    const size_t rows = in_case.values.size();
    BulkTarget target(rows, in_case.targetStride, in_case.lengthStride);
    RecordingBulkListener listener(5);
    std::string calls;
    void* targetAddress = in_case.hasTarget ? target.Target() : nullptr;
    FakeConverter converter(
        FakeKernel{&calls, &listener.m_counter, static_cast<char*>(target.Target()), in_case.targetStride, in_case.throwAt},
        SqlToCKernelState());
    std::string outcome;
    try
    {
        const uint64_t converted = converter.Convert(column.In(in_layout), targetAddress, in_case.elementLength,
                                                     in_case.targetStride, target.Slots(), in_case.lengthStride, listener);
        outcome = std::to_string(converted) + " rows";
    }
    catch (const std::runtime_error&)
    {
        outcome = "threw";
    }
    EXPECT_TRUE(target.Clean()) << "written outside the target or the slots";
    outcome += ", counter +" + std::to_string(listener.m_counter - 5) + ", " + std::to_string(listener.m_counterReads)
        + " read | " + calls + "|";
    for (size_t row = 0; row < rows; ++row)
    {
        outcome += " " + target.Slot(row);
    }
    outcome += " |";
    for (size_t row = 0; row < rows; ++row)
    {
        outcome += " " + target.Element(row, 3);
    }
    return outcome + " | " + listener.m_posted;
}

const std::vector<BulkValue> ROWS_WITH_NULL = {std::string("ab"), std::nullopt, std::string("cut")};

} // namespace

TEST(BulkRowLoopsTest, BothLayoutsConvertEveryRowAlike)
{
    const LoopCase cases[] = {
        // The slot holds the element length when the kernel starts; a NULL row gets the marker
        // and no call, but is counted and its element skipped.
        {"a NULL between two values", ROWS_WITH_NULL, 32, 8, 4, 4, 8, true, -1,
         "3 rows, counter +3, 1 read | ab@0/4#5 cut@2/4#7 | 102 NULL 103 | 6162CD untouched 637574 | 7:StrRightTrunc"},
        {"only NULLs", {std::nullopt, std::nullopt}, 32, 8, 4, 4, 8, true, -1,
         "2 rows, counter +2, 1 read | | NULL NULL | untouched untouched | "},
        {"no rows", {}, 32, 8, 4, 4, 8, true, -1, "0 rows, counter +0, 1 read | | | | "},
        // Without a target every call gets none, and the lengths are still reported.
        {"no target", ROWS_WITH_NULL, 32, 8, 4, 4, 8, false, -1,
         "3 rows, counter +3, 1 read | ab@-/4#5 cut@-/4#7 | 102 NULL 103 | untouched untouched untouched | "
         "7:StrRightTrunc"},
        // Row-wise strides: each of source values, source lengths, target and slots has its own,
        // and none of them need keep 8-byte alignment.
        {"strides of their own", ROWS_WITH_NULL, 5, 12, 3, 7, 13, true, -1,
         "3 rows, counter +3, 1 read | ab@0/3#5 cut@2/3#7 | 102 NULL 103 | 6162CD untouched 637574 | 7:StrRightTrunc"},
        // A throwing kernel leaves the earlier rows converted and counted, its own slot at the
        // element length and the later rows untouched.
        {"the kernel throws at the second value", {std::string("ab"), std::string("cd"), std::string("ef")}, 32, 8, 4,
         4, 8, true, 1,
         "threw, counter +1, 1 read | ab@0/4#5 cd@1/4#6 | 102 4 untouched | 6162CD untouched untouched | "},
    };
    for (const LoopCase& loopCase : cases)
    {
        EXPECT_EQ(loopCase.expected, RunLoop(loopCase, BulkSqlData::LAYOUT_STRIDED)) << loopCase.name << ", strided";
        EXPECT_EQ(loopCase.expected, RunLoop(loopCase, BulkSqlData::LAYOUT_POINTER_ARRAY))
            << loopCase.name << ", pointer array";
    }
}
