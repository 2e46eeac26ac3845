// The text the to-SQL parsers read of a character source, and the exact value of the
// application's numeric structure.

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlSource.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlSourceText.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/RecordingListener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace Orvik::Support;

namespace {

struct TextCase
{
    EncodingType driverManager;
    bool isCSource;
    TDWType type;
    /// The source metadata's encoding; ENC_NONE keeps the default.
    EncodingType metadataEncoding;
    std::string bytes;
    int64_t length;
    /// "<posted> | <text read>", the text in brackets.
    std::string expected;
};

class ToSqlSourceTextTest : public EncodingsRestored
{
protected:
    static std::string Read(const TextCase& in_case)
    {
        orvik_wstring::SetDriverManagerEncoding(in_case.driverManager);
        // The source's bytes must outlive the text, which may point into them.
        std::string bytes = in_case.bytes;
        Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(in_case.isCSource ? in_case.type : TDW_C_CHAR));
        SqlValue value(in_case.isCSource ? TDW_SQL_VARCHAR : in_case.type);
        if (in_case.metadataEncoding != ENC_NONE)
        {
            wrapper.GetMetadata().SetEncoding(in_case.metadataEncoding);
            value.Metadata().SetEncoding(in_case.metadataEncoding);
        }
        wrapper.SetData(&bytes[0]);
        wrapper.SetDataLength(in_case.length);
        value.Set(bytes.substr(0, static_cast<size_t>(std::max<int64_t>(in_case.length, 0))));
        RecordingListener listener;
        ToSqlSourceText text;
        const bool isRead =
            text.Read(in_case.isCSource ? ToSqlSource::Of(wrapper) : ToSqlSource::Of(value.Data()), listener);
        EXPECT_EQ(isRead, listener.Posted().empty());
        return listener.Posted() + " | [" + std::string(text.Data(), text.Length()) + "]";
    }
};

} // namespace

TEST_F(ToSqlSourceTextTest, NarrowTextIsReadAsItStandsAndWideTextIsNarrowed)
{
    const std::string utf16le("-\0001\0002\0", 6);
    const std::string utf16be("\0-\0001\0002", 6);
    const TextCase cases[] = {
        // Only the counted bytes, NULs and all.
        {ENC_UTF16_LE, true, TDW_C_CHAR, ENC_NONE, "12345", 2, " | [12]"},
        {ENC_UTF16_LE, true, TDW_C_CHAR, ENC_NONE, std::string("1\0" "2", 3), 3, std::string(" | [1\0" "2]", 8)},
        {ENC_UTF16_LE, true, TDW_C_CHAR, ENC_NONE, "12", -1, " | []"},
        {ENC_UTF16_LE, true, TDW_C_CHAR, ENC_NONE, "\xC3\xA9", 2, " | [\xC3\xA9]"},
        // An application's wide text is in the driver manager's encoding, whatever its metadata
        // says; a partial last code unit is dropped.
        {ENC_UTF16_LE, true, TDW_C_WCHAR, ENC_NONE, utf16le, 6, " | [-12]"},
        {ENC_UTF16_LE, true, TDW_C_WCHAR, ENC_UTF16_BE, utf16le, 5, " | [-1]"},
        {ENC_UTF16_BE, true, TDW_C_WCHAR, ENC_UTF16_LE, utf16be, 6, " | [-12]"},
        {ENC_UTF16_LE, true, TDW_C_WCHAR, ENC_NONE, std::string("1\0\xE9\0", 4), 4, " | [1\xE9]"},
        {ENC_UTF16_LE, true, TDW_C_WCHAR, ENC_NONE, std::string("1\0\x00\x01", 4), 4, "InvalidCharValForCast | []"},
        // A SQL-side value's wide text is in its own encoding.
        {ENC_UTF16_LE, false, TDW_SQL_WVARCHAR, ENC_UTF16_BE, utf16be, 6, " | [-12]"},
        {ENC_UTF16_BE, false, TDW_SQL_WCHAR, ENC_UTF16_LE, utf16le, 6, " | [-12]"},
        {ENC_UTF16_LE, false, TDW_SQL_WCHAR, ENC_UTF8, "-12", 3, " | [-12]"},
        {ENC_UTF16_LE, false, TDW_SQL_VARCHAR, ENC_NONE, "1 2", 3, " | [1 2]"},
    };
    for (const TextCase& c : cases)
    {
        EXPECT_EQ(c.expected, Read(c)) << c.type << " of " << c.length << " bytes";
    }
}

TEST(NumericStructToExactNumeric, TheSignByteAloneMakesAValueNegative)
{
    struct StructCase
    {
        uint8_t sign;
        int8_t ownScale;
        std::string magnitude;
        int32_t scale;
        const char* expected;
    };
    const std::string value12345("\x39\x30", 2);
    const StructCase cases[] = {
        {1, 7, value12345, 2, "123.45"},
        {0, 7, value12345, 2, "-123.45"},
        {2, 0, value12345, 0, "12345"},
        {1, 0, value12345, -2, "1234500"},
        {0, 0, "", 3, "0.000"},
        // The highest magnitude byte is no sign: the magnitude is unsigned.
        {1, 0, std::string(15, '\0') + "\x80", 0, "170141183460469231731687303715884105728"},
    };
    for (const StructCase& c : cases)
    {
        std::string structure = std::string(1, '\x0A') + static_cast<char>(c.ownScale) + static_cast<char>(c.sign)
            + c.magnitude + std::string(16 - c.magnitude.size(), '\0');
        TDWNumeric value;
        ASSERT_TRUE(ConversionHelpers::NumericStructToExactNumeric(structure.data(), c.scale, value));
        EXPECT_EQ(NumericImage(c.expected), Image(value)) << c.expected;
    }
}

TEST(NumericStructToExactNumeric, TheOwnScaleByteOrAScaleTooFarForAnExactNumber)
{
    std::string structure = std::string("\x0A\xFE\x01", 3) + "\x05" + std::string(15, '\0');
    TDWNumeric value;
    ASSERT_TRUE(ConversionHelpers::NumericStructToExactNumeric(structure.data(), value));
    EXPECT_EQ(NumericImage("500"), Image(value));

    const TDWNumeric before(int32_t{42});
    for (int32_t scale : {8192, -8192, 32767, -32768})
    {
        value = before;
        EXPECT_FALSE(ConversionHelpers::NumericStructToExactNumeric(structure.data(), scale, value)) << scale;
        EXPECT_EQ(Image(before), Image(value)) << scale;
    }
    EXPECT_TRUE(ConversionHelpers::NumericStructToExactNumeric(structure.data(), 8191, value));
    EXPECT_TRUE(ConversionHelpers::NumericStructToExactNumeric(structure.data(), -8191, value));
}
