// Binary values and GUIDs into character values: SQL-side bytes as hexadecimal text cut at whole
// bytes, an application's bytes taken as the text itself up to the column size, and GUID text.

#include "ToTextTestSupport.h"

#include "Support/TypedDataWrapper/Conversions/BinaryAndGuidToText.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <algorithm>
#include <iterator>
#include <string>

using namespace Orvik::Support;

namespace {

constexpr ToSqlKernel HEX = &BinaryAndGuidToText::HexToText;

std::string HexOf(const std::string& in_bytes, CharTarget in_target, uint32_t in_capacity = 0)
{
    ToTextRun run(TDW_SQL_VARBINARY, HEX, in_target);
    if (in_capacity > 0)
    {
        run.CapTarget(in_capacity);
    }
    return run.Run(in_bytes);
}

const std::string GUID_TEXT = "12345678-9ABC-DEF0-0123-456789ABCDEF";

SQLGUID ApplicationGuid()
{
    return SQLGUID{0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
}

} // namespace

TEST(BinaryAndGuidToText, SqlSideBytesBecomeUpperCaseHexadecimalPairs)
{
    EXPECT_EQ(" | 007FFF | 6/6", HexOf(std::string("\x00\x7F\xFF", 3), NARROW));
    EXPECT_EQ(" | 007FFF | 12/12", HexOf(std::string("\x00\x7F\xFF", 3), UTF16));
    EXPECT_EQ(" | 01AB | 4/4", SqlToText(TDW_SQL_LONGVARBINARY, HEX, "\x01\xAB", NARROW));
    EXPECT_EQ(" |  | 0/0", HexOf("", NARROW));
    // A long value is written a pass at a time.
    EXPECT_EQ(" | " + std::string(1200, 'A') + " | 1200/1200", HexOf(std::string(600, '\xAA'), NARROW));
}

TEST(BinaryAndGuidToText, AShortHolderKeepsWholeBytesOnePlaceShortOfItsRoom)
{
    // The converted length is what was written: the consumer reads that many bytes.
    const std::string bytes("\x01\x02\x03\x04", 4);
    EXPECT_EQ("StrRightTrunc | 010203 | 6/6", HexOf(bytes, NARROW, 7));
    EXPECT_EQ("StrRightTrunc | 0102 | 4/4", HexOf(bytes, NARROW, 6));
    EXPECT_EQ("StrRightTrunc |  | 0/0", HexOf(bytes, NARROW, 1));
    EXPECT_EQ("StrRightTrunc | 010203 | 12/12", HexOf(bytes, UTF16, 15));
}

TEST(BinaryAndGuidToText, AnApplicationsBytesAreTheTextUpToTheColumnSize)
{
    const std::string euro = "\xE2\x82\xAC";
    const struct
    {
        CharTarget m_target;
        uint32_t m_columnSize;
        uint32_t m_capacity;
        std::string m_bytes;
        std::string m_outcome;
    } cases[] = {
        // A fresh holder is sized to the bytes, whatever length it had before.
        {NARROW, 4000, 0, "hello world!", " | hello world! | 12/12"},
        {{TDW_SQL_WVARCHAR, ENC_UTF8}, 4000, 0, "ABC", " | ABC | 3/3"},
        {NARROW, 20, 0, "ABCDEFGHIJ", " | ABCDEFGHIJ | 10/10"},
        {NARROW, 10, 0, "a" + euro, " | a<E2><82><AC> | 4/4"},
        {NARROW, 4, 0, "", " |  | 0/0"},
        // Longer than the column size: cut after the last whole character that fits.
        {NARROW, 4, 0, "ABCDEFGHIJ", "StrRightTrunc | ABCD | 4/4"},
        {NARROW, 3, 0, "a" + euro, "StrRightTrunc | a | 1/1"},
        {NARROW, 20, 3, "ABCDEFGHIJ", "StrRightTrunc | ABC | 3/3"},
        // No hexadecimal form and no change of encoding, into a wide target too; the column
        // size counts its code units.
        {UTF16, 2, 0, std::string("A\0B\0C\0", 6), "StrRightTrunc | AB | 4/4"},
        {UTF16, 2, 0, std::string("A\0\x3D\xD8\x00\xDE", 6), "StrRightTrunc | A | 2/2"},
        // Bytes that are no text in the target's encoding are not taken as text.
        {NARROW, 4000, 0, "caf\xE9", "InvalidCharValForCast |  | 0/0"},
        {NARROW, 4000, 0, "ab\xE2\x82", "InvalidCharValForCast |  | 0/0"},
        {UTF16, 4000, 0, std::string("A\0\x00\xDC", 4), "InvalidCharValForCast |  | 0/0"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_outcome);
        ToTextRun run(TDW_C_BINARY, c.m_target);
        run.TargetMetadata().SetColumnSize(c.m_columnSize);
        if (c.m_capacity > 0)
        {
            run.CapTarget(c.m_capacity);
        }
        EXPECT_EQ(c.m_outcome, run.Run(c.m_bytes));
    }

    // A length never resolved from an indicator is no byte count.
    ToTextRun unresolved(TDW_C_BINARY, NARROW);
    unresolved.CapTarget(4);
    EXPECT_EQ("NumericValOutOfRange(2) | .... | 4/0", unresolved.Run("ABCD", -3));
}

TEST(BinaryAndGuidToText, AGuidIsWrittenAsItsThirtySixCharacters)
{
    TDWGuidValue record;
    record.m_data1 = 0x12345678;
    record.m_data2 = 0x9ABC;
    record.m_data3 = 0xDEF0;
    const uint8_t data4[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::copy(std::begin(data4), std::end(data4), record.m_data4);
    record.m_isValid = true;
    const ToSqlKernel guid = &BinaryAndGuidToText::GuidToText;

    EXPECT_EQ(" | " + GUID_TEXT + "\\0 | 37/36", ApplicationToText(TDW_C_GUID, Image(ApplicationGuid()), NARROW));
    EXPECT_EQ(" | " + GUID_TEXT + "\\0 | 74/72", ApplicationToText(TDW_C_GUID, Image(ApplicationGuid()), UTF16));
    EXPECT_EQ(" | " + GUID_TEXT + " | 36/36", SqlToText(TDW_SQL_GUID, guid, Image(record), NARROW));
    EXPECT_EQ(" | " + GUID_TEXT + " | 72/72", SqlToText(TDW_SQL_GUID, guid, Image(record), UTF16));

    ToTextRun capped(TDW_C_GUID, NARROW);
    capped.CapTarget(36);
    EXPECT_EQ("NumericValOutOfRange(2) | " + std::string(36, '.') + " | 36/36", capped.Run(Image(ApplicationGuid())));
}
