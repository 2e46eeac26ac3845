// Binary values and GUIDs into character values: SQL-side bytes as hexadecimal text cut at whole
// bytes, and GUID text.

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
