// Character text into GUIDs and binary values, from narrow and wide application buffers and
// SQL-side values: the GUID forms and the escape clause, hexadecimal pairs, and what each source
// kind is told about a bad text.

#include "ToTextTestSupport.h"

#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace Orvik::Support;

namespace {

/// Where a text comes from: an application buffer or a SQL-side value, narrow or wide (wide
/// text in UTF-16LE: the driver manager's encoding, or the encoding the value's metadata names).
enum class From
{
    C_CHAR,
    C_WCHAR,
    SQL_VARCHAR,
    SQL_WVARCHAR
};

bool IsWide(From in_from)
{
    return in_from == From::C_WCHAR || in_from == From::SQL_WVARCHAR;
}

/// The ASCII text as UTF-16LE code units.
std::string Utf16(const std::string& in_text)
{
    std::string units;
    for (char c : in_text)
    {
        units += c;
        units += '\0';
    }
    return units;
}

/// The ASCII text as in_from holds it.
std::string Encoded(From in_from, const std::string& in_text)
{
    return IsWide(in_from) ? Utf16(in_text) : in_text;
}

class TextToGuidAndBinaryTest : public EncodingsRestored
{
protected:
    TextToGuidAndBinaryTest() { orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE); }

    /// Converts in_bytes, the text as in_from holds it, into io_target, and returns the result.
    static std::string Convert(From in_from, const std::string& in_bytes, SqlData& io_target)
    {
        const TDWType cType = IsWide(in_from) ? TDW_C_WCHAR : TDW_C_CHAR;
        std::unique_ptr<ConversionResult> result;
        if (in_from == From::C_CHAR || in_from == From::C_WCHAR)
        {
            std::string buffer = in_bytes;
            Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(cType));
            wrapper.SetData(&buffer[0]);
            wrapper.SetDataLength(static_cast<int64_t>(buffer.size()));
            result = ConverterOfCell(cType, io_target.GetMetadata().GetTDWType())->Convert(wrapper, io_target);
        }
        else
        {
            SqlValue source(IsWide(in_from) ? TDW_SQL_WVARCHAR : TDW_SQL_VARCHAR);
            source.Metadata().SetEncoding(IsWide(in_from) ? ENC_UTF16_LE : ENC_UTF8);
            source.Set(in_bytes);
            result = SqlSideOf(ConverterOfCell(cType, io_target.GetMetadata().GetTDWType()))
                         ->Convert(source.Data(), io_target);
        }
        EXPECT_FALSE(io_target.IsNull());
        return Describe(result.get());
    }

    /// "<posted> | <the GUID's text>", the text only for a GUID parsed.
    static std::string ToGuid(From in_from, const std::string& in_text)
    {
        SqlValue target(TDW_SQL_GUID);
        const std::string posted = Convert(in_from, Encoded(in_from, in_text), target.Data());
        EXPECT_EQ(20, target.Data().GetConvertedLength());
        TDWGuidValue guid;
        std::memcpy(static_cast<void*>(&guid), target.Data().GetBuffer(), sizeof(guid));
        return posted + " | " + (posted.empty() && guid.m_isValid ? guid.ToString() : "");
    }

    /// "<posted> | <the bytes in hexadecimal> | <length>/<converted length>"; the holder's
    /// bytes hold "." (2E) before the conversion.
    static std::string ToBinary(From in_from, const std::string& in_text, SqlData& io_target)
    {
        const std::string posted = Convert(in_from, Encoded(in_from, in_text), io_target);
        const std::string bytes(static_cast<const char*>(io_target.GetBuffer()), io_target.GetLength());
        return posted + " | " + Hex(bytes) + " | " + std::to_string(io_target.GetLength()) + "/"
            + std::to_string(io_target.GetConvertedLength());
    }

    static std::string ToBinary(From in_from, const std::string& in_text)
    {
        SqlValue target(TDW_SQL_VARBINARY);
        target.Data().SetLength(8);
        std::memset(target.Data().GetBuffer(), '.', 8);
        return ToBinary(in_from, in_text, target.Data());
    }
};

const char* const GUID = "0000000A-000B-000C-0102-030405060708";
const From EVERY_SOURCE[] = {From::C_CHAR, From::C_WCHAR, From::SQL_VARCHAR, From::SQL_WVARCHAR};

} // namespace

TEST_F(TextToGuidAndBinaryTest, AGuidIsReadBareInBracesOrInItsEscapeClause)
{
    const std::string parsed = std::string(" | ") + GUID;
    for (From from : EVERY_SOURCE)
    {
        EXPECT_EQ(parsed, ToGuid(from, GUID));
        EXPECT_EQ(parsed, ToGuid(from, "0000000a-000b-000c-0102-030405060708"));
        EXPECT_EQ(parsed, ToGuid(from, std::string("{") + GUID + "}"));
        EXPECT_EQ(parsed, ToGuid(from, std::string("   ") + GUID + "  "));
        EXPECT_EQ(parsed, ToGuid(from, std::string(" {guid '") + GUID + "'} "));
    }
}

TEST_F(TextToGuidAndBinaryTest, ABadGuidIsAnInvalidValueFromTheApplicationAndOutOfRangeFromSql)
{
    const std::string bad[] = {
        std::string("{GUID '") + GUID + "'}",
        std::string("{guid  '") + GUID + "'}",
        std::string("{guid '") + GUID + "}",
        "0000000A000B-000C-0102-030405060708",
        "0000000A-000B-000C-0102-03040506070",
        "0000000A-000B-000C-0102-03040506070G",
        std::string("{") + GUID,
        "",
        "    ",
    };
    for (const std::string& text : bad)
    {
        EXPECT_EQ("InvalidCharValForCast | ", ToGuid(From::C_CHAR, text)) << text;
        EXPECT_EQ("InvalidCharValForCast | ", ToGuid(From::C_WCHAR, text)) << text;
        EXPECT_EQ("NumericValOutOfRange(2) | ", ToGuid(From::SQL_VARCHAR, text)) << text;
        EXPECT_EQ("NumericValOutOfRange(2) | ", ToGuid(From::SQL_WVARCHAR, text)) << text;
    }
}

TEST_F(TextToGuidAndBinaryTest, HexadecimalPairsBecomeBytesAndAnOddLastDigitIsIgnored)
{
    for (From from : EVERY_SOURCE)
    {
        EXPECT_EQ(" | 0AFF10 | 3/3", ToBinary(from, "0aFF10"));
        EXPECT_EQ(" | 0A | 1/1", ToBinary(from, "0aF"));
        EXPECT_EQ(" |  | 0/0", ToBinary(from, ""));
        EXPECT_EQ(" |  | 0/0", ToBinary(from, "G"));
        // The bytes before a bad character are written; the length is already the whole count.
        EXPECT_EQ("InvalidCharValForCast | 2E2E | 2/2", ToBinary(from, "0x0A"));
        EXPECT_EQ("InvalidCharValForCast | 0A2E | 2/2", ToBinary(from, "0A 0B"));
        EXPECT_EQ("InvalidCharValForCast | 2E | 1/1", ToBinary(from, "0G"));
        EXPECT_EQ("InvalidCharValForCast | 2E | 1/1", ToBinary(from, " 0A"));
    }
}

TEST_F(TextToGuidAndBinaryTest, AHolderTooSmallForEveryByteTakesThoseThatFit)
{
    const std::unique_ptr<SqlTypeMetadata> metadata = SqlMetadataOf(TDW_SQL_BINARY);
    for (From from : EVERY_SOURCE)
    {
        CappedValue target(*metadata, 2);
        EXPECT_EQ("StrRightTrunc | AABB | 2/2", ToBinary(from, "AABBCC", target));
        // A bad digit beyond what fits is never read.
        CappedValue again(*metadata, 2);
        EXPECT_EQ("StrRightTrunc | AABB | 2/2", ToBinary(from, "AABBxx", again));
        CappedValue bad(*metadata, 2);
        EXPECT_EQ("InvalidCharValForCast | AA2E | 2/2", ToBinary(from, "AAxxCC", bad));
    }
}

TEST_F(TextToGuidAndBinaryTest, WideTextWithACharacterNoLiteralHasIsInvalidForBothTargets)
{
    // U+0130 between two good pairs.
    const std::string text = Utf16("0A") + std::string("\x30\x01", 2) + Utf16("0B");
    for (From from : {From::C_WCHAR, From::SQL_WVARCHAR})
    {
        SqlValue guid(TDW_SQL_GUID);
        EXPECT_EQ("InvalidCharValForCast", Convert(from, text, guid.Data()));
        SqlValue binary(TDW_SQL_VARBINARY);
        EXPECT_EQ("InvalidCharValForCast", Convert(from, text, binary.Data()));
    }
}
