// Application text into character values and bytes into binary and character values: the choice
// between the byte copy and the transcoding, their sizing of the target, the lengths no holder
// takes, and the two text helpers of the to-SQL conversions.

#include "ToSqlTestSupport.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/Conversions/CToSqlConverterCells.h"
#include "Support/TypedDataWrapper/Conversions/NarrowCharBuffer.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"
#include "Support/TypedDataWrapper/SqlVarLengthOwnedType.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/AllocationCounter.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

const ProcessEncodings UTF8_EVERYWHERE = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8};
const ProcessEncodings CP1252_APPLICATION = {ENC_CP1252, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8};
const ProcessEncodings UTF8_DRIVER_MANAGER = {ENC_UTF8, ENC_UTF8, ENC_UTF8, ENC_UTF8};
const ProcessEncodings UTF16_DATABASE = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF16_LE};
const ProcessEncodings UTF16BE_DRIVER_MANAGER = {ENC_CP1252, ENC_UTF16_BE, ENC_UTF8, ENC_UTF16_LE};

/// A value holder that writes down every size asked of it.
class RecordingValue : public SqlVarLengthOwnedType
{
public:
    using SqlVarLengthOwnedType::SqlVarLengthOwnedType;

    void SetLength(uint32_t in_length) override
    {
        m_sizes.push_back(in_length);
        SqlVarLengthOwnedType::SetLength(in_length);
    }

    std::vector<uint32_t> m_sizes;
};

/// A holder whose room does not grow past four bytes, as a holder of another kind might be.
class FourByteValue : public SqlData
{
public:
    using SqlData::SqlData;

    void* GetBuffer() override { return m_bytes; }

    void SetLength(uint32_t in_length) override { m_length = std::min<uint32_t>(in_length, sizeof(m_bytes)); }

    std::string Bytes() const { return std::string(m_bytes, m_length); }

    char m_bytes[4] = {'.', '.', '.', '.'};
};

class CharacterToSqlTest : public EncodingsRestored
{
protected:
    /// "<posted> | <target's bytes in hexadecimal>" after converting in_bytes of in_cType into a
    /// new value of in_sqlType; the target's converted length must be its length.
    std::string Convert(TDWType in_cType, const std::string& in_bytes, TDWType in_sqlType)
    {
        BoundParameter parameter(in_cType, in_sqlType);
        const std::string posted = parameter.Convert(in_bytes);
        SqlData& target = parameter.Target().Data();
        EXPECT_FALSE(target.IsNull());
        EXPECT_EQ(target.GetLength(), target.GetConvertedLength());
        return posted + " | " + Hex(parameter.Target().Bytes());
    }
};

struct SelectionCase
{
    const ProcessEncodings& encodings;
    TDWType cType;
    std::string bytes;
    TDWType sqlType;
    const char* expected;
};

} // namespace

TEST_F(CharacterToSqlTest, TheEncodingsChooseBetweenTheCopyAndTheTranscoding)
{
    const SelectionCase cases[] = {
        // The application's encoding is the database's: copied byte for byte.
        {UTF8_EVERYWHERE, TDW_C_CHAR, "\xC3\xA9", TDW_SQL_VARCHAR, " | C3A9"},
        {UTF8_EVERYWHERE, TDW_C_CHAR, "\xC3\xA9", TDW_SQL_WLONGVARCHAR, " | C3A9"},
        {CP1252_APPLICATION, TDW_C_CHAR, "\xE9\x80", TDW_SQL_CHAR, " | C3A9E282AC"},
        {UTF16_DATABASE, TDW_C_CHAR, "ab", TDW_SQL_WCHAR, " | 61006200"},
        {UTF8_EVERYWHERE, TDW_C_WCHAR, std::string("a\0b\0", 4), TDW_SQL_WVARCHAR, " | 6162"},
        {UTF16_DATABASE, TDW_C_WCHAR, std::string("a\0b\0", 4), TDW_SQL_WVARCHAR, " | 61006200"},
        // A wide buffer in the narrow target's encoding: the encodings decide, not the kinds.
        {UTF8_DRIVER_MANAGER, TDW_C_WCHAR, "\xC3\xA9", TDW_SQL_CHAR, " | C3A9"},
        // SQL_C_DEFAULT is wide against a wide target and narrow otherwise, its text in the
        // process-wide encoding of that kind.
        {UTF16_DATABASE, TDW_C_DEFAULT, std::string("a\0b\0", 4), TDW_SQL_WCHAR, " | 61006200"},
        {UTF16BE_DRIVER_MANAGER, TDW_C_DEFAULT, std::string("\0a\0b", 4), TDW_SQL_WCHAR, " | 61006200"},
        {CP1252_APPLICATION, TDW_C_DEFAULT, "\xE9", TDW_SQL_VARCHAR, " | C3A9"},
        // Empty text is a value, not NULL.
        {UTF8_EVERYWHERE, TDW_C_CHAR, "", TDW_SQL_VARCHAR, " | "},
        {CP1252_APPLICATION, TDW_C_CHAR, "", TDW_SQL_VARCHAR, " | "},
    };
    for (const SelectionCase& c : cases)
    {
        c.encodings.Install();
        EXPECT_EQ(c.expected, Convert(c.cType, c.bytes, c.sqlType)) << Hex(c.bytes) << " to " << c.sqlType;
    }
}

TEST_F(CharacterToSqlTest, TheTranscodingSizesForTheLongestTextThenTrimsToWhatWasWritten)
{
    struct SizingCase
    {
        const ProcessEncodings& encodings;
        TDWType cType;
        std::string bytes;
        TDWType sqlType;
        std::vector<uint32_t> sizes;
        std::string written;
    };
    const SizingCase cases[] = {
        {UTF8_EVERYWHERE, TDW_C_WCHAR, std::string("a\0b\0c\0", 6), TDW_SQL_VARCHAR, {12, 3}, "abc"},
        {UTF16_DATABASE, TDW_C_CHAR, "abc", TDW_SQL_WVARCHAR, {12, 6}, std::string("a\0b\0c\0", 6)},
        {CP1252_APPLICATION, TDW_C_CHAR, "\x80", TDW_SQL_VARCHAR, {4, 3}, "\xE2\x82\xAC"},
        // A partial last code unit becomes a replacement character, for which there is room.
        {UTF8_EVERYWHERE, TDW_C_WCHAR, std::string("a\0b", 3), TDW_SQL_VARCHAR, {8, 4}, "a\xEF\xBF\xBD"},
    };
    for (const SizingCase& c : cases)
    {
        c.encodings.Install();
        BoundParameter parameter(c.cType, c.sqlType);
        std::string bytes = c.bytes;
        parameter.Wrapper().SetData(&bytes[0]);
        parameter.Wrapper().SetDataLength(static_cast<int64_t>(bytes.size()));
        RecordingValue target(parameter.Target().Metadata());
        const std::unique_ptr<ConversionResult> result = parameter.Converter().Convert(parameter.Wrapper(), target);
        EXPECT_EQ("", Describe(result.get()));
        EXPECT_EQ(c.sizes, target.m_sizes) << Hex(c.bytes);
        EXPECT_EQ(Hex(c.written), Hex(std::string(static_cast<const char*>(target.GetBuffer()), target.GetLength())));
        EXPECT_EQ(static_cast<int64_t>(c.written.size()), target.GetConvertedLength());
    }
}

TEST_F(CharacterToSqlTest, OneConverterKeepsItsEncodingConverterWhileTheEncodingsStay)
{
    CP1252_APPLICATION.Install();
    BoundParameter parameter(TDW_C_CHAR, TDW_SQL_VARCHAR);
    EXPECT_EQ("", parameter.Convert("\xE9t\xE9"));
    AllocationCounter::Start();
    EXPECT_EQ("", parameter.Convert("\x80"));
    EXPECT_EQ(0, AllocationCounter::Stop()) << "the second value made a new encoding converter";
    EXPECT_EQ(Hex("\xE2\x82\xAC"), Hex(parameter.Target().Bytes()));

    // A buffer described in another encoding gets a converter of its own pair.
    orvik_wstring::InitializeAnsiEncoding(ENC_LATIN1);
    Orvik::ODBC::CDataWrapper latin1(CMetadataOf(TDW_C_CHAR));
    std::string bytes = "\x80\xE9";
    latin1.SetData(&bytes[0]);
    latin1.SetDataLength(2);
    EXPECT_EQ(nullptr, parameter.Converter().Convert(latin1, parameter.Target().Data()));
    EXPECT_EQ(Hex("\xC2\x80\xC3\xA9"), Hex(parameter.Target().Bytes()));
}

TEST_F(CharacterToSqlTest, BytesAreCopiedAsTheyStand)
{
    UTF8_EVERYWHERE.Install();
    // Into a character value as well, as text in the target's encoding is: a character parameter
    // takes its bytes as text, and checks and measures them itself.
    for (TDWType target : {TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY, TDW_SQL_VARCHAR, TDW_SQL_WLONGVARCHAR})
    {
        EXPECT_EQ(" | 00FF0A", Convert(TDW_C_BINARY, std::string("\0\xFF\n", 3), target));
        EXPECT_EQ(" | ", Convert(TDW_C_BINARY, "", target));
    }
    const std::string large(70000, 'x');
    EXPECT_EQ(" | " + Hex(large), Convert(TDW_C_BINARY, large, TDW_SQL_LONGVARBINARY));
}

TEST_F(CharacterToSqlTest, LengthsThatNoHolderTakesAreRefusedAndHoldersThatStaySmallGetWhatFits)
{
    for (const ProcessEncodings* encodings : {&UTF8_EVERYWHERE, &CP1252_APPLICATION})
    {
        encodings->Install();
        for (int64_t length : {int64_t{-3}, int64_t{-1}, int64_t{UINT32_MAX} + 1, INT64_MAX})
        {
            BoundParameter parameter(TDW_C_CHAR, TDW_SQL_VARCHAR);
            parameter.Target().Set("kept");
            parameter.Target().Data().SetConvertedLength(4);
            std::string bytes = "abc";
            parameter.Wrapper().SetData(&bytes[0]);
            parameter.Wrapper().SetDataLength(length);
            const std::unique_ptr<ConversionResult> result =
                parameter.Converter().Convert(parameter.Wrapper(), parameter.Target().Data());
            EXPECT_EQ("NumericValOutOfRange(2)", Describe(result.get())) << length;
            EXPECT_EQ("kept", parameter.Target().Bytes());
            EXPECT_EQ(4, parameter.Target().Data().GetConvertedLength());
        }

        BoundParameter parameter(TDW_C_CHAR, TDW_SQL_VARCHAR);
        std::string bytes = "abcdef";
        parameter.Wrapper().SetData(&bytes[0]);
        parameter.Wrapper().SetDataLength(6);
        FourByteValue small(parameter.Target().Metadata());
        const std::unique_ptr<ConversionResult> result = parameter.Converter().Convert(parameter.Wrapper(), small);
        EXPECT_EQ("StrRightTrunc", Describe(result.get()));
        EXPECT_EQ("abcd", small.Bytes());
        EXPECT_EQ(4, small.GetConvertedLength());
    }

    // A holder whose buffer belongs to someone else cannot be sized.
    BoundParameter parameter(TDW_C_BINARY, TDW_SQL_VARBINARY);
    SqlVarLengthAttachedType attached(parameter.Target().Metadata());
    std::string bytes = "ab";
    parameter.Wrapper().SetData(&bytes[0]);
    parameter.Wrapper().SetDataLength(2);
    EXPECT_EQ("InvalidOperation", Capture<InvalidOperationException>([&] {
                  parameter.Converter().Convert(parameter.Wrapper(), attached);
              }).key);
}

TEST_F(CharacterToSqlTest, SqlTextIsCopiedOrTranscodedByTheEncodingsOfBothValues)
{
    UTF16_DATABASE.Install();
    SqlValue source(TDW_SQL_WVARCHAR);
    source.Set(std::string("a\0\xE9\0", 4));
    SqlValue target(TDW_SQL_VARCHAR);
    const std::unique_ptr<ISqlToSqlConverter> transcoding =
        SqlSideOf(ConverterOfCell(TDW_C_WCHAR, TDW_SQL_VARCHAR));
    EXPECT_EQ(nullptr, transcoding->Convert(source.Data(), target.Data()));
    EXPECT_EQ(Hex("a\xC3\xA9"), Hex(target.Bytes()));

    UTF8_EVERYWHERE.Install();
    const std::unique_ptr<ISqlToSqlConverter> copy = SqlSideOf(ConverterOfCell(TDW_C_CHAR, TDW_SQL_VARCHAR));
    SqlValue copied(TDW_SQL_LONGVARCHAR);
    EXPECT_EQ(nullptr, copy->Convert(target.Data(), copied.Data()));
    EXPECT_EQ(Hex("a\xC3\xA9"), Hex(copied.Bytes()));
    EXPECT_EQ(3, copied.Data().GetConvertedLength());
}

TEST(ToSqlTextHelpers, SourceTextNarrowsToOneBytePerCharacterUpToU00FF)
{
    struct NarrowCase
    {
        std::string bytes;
        EncodingType encoding;
        bool isNarrowed;
        std::string text;
    };
    const NarrowCase cases[] = {
        {std::string("\0" "1\0" "2", 4), ENC_UTF16_BE, true, "12"},
        {std::string("1\0" "2\0", 4), ENC_UTF16_LE, true, "12"},
        {std::string("\x01\x00", 2), ENC_UTF16_BE, false, ""},
        {std::string("\xE9\0", 2), ENC_UTF16_LE, true, "\xE9"},
        // UTF-8 and single-byte text pass byte for byte.
        {"\xC3\xA9", ENC_UTF8, true, "\xC3\xA9"},
        {"-1.5e3", ENC_CP1252, true, "-1.5e3"},
        // A partial last code unit is dropped.
        {std::string("a\0b\0c", 5), ENC_UTF16_LE, true, "ab"},
        {std::string("\0\0\0" "7", 4), ENC_UTF32_BE, true, "7"},
        {std::string("7\0\x01\0", 4), ENC_UTF32_LE, false, ""},
        {"", ENC_UTF16_LE, true, ""},
    };
    for (const NarrowCase& c : cases)
    {
        NarrowCharBuffer text;
        EXPECT_EQ(c.isNarrowed,
                  ConversionHelpers::ReencodeSourceText(c.bytes.data(), static_cast<uint32_t>(c.bytes.size()),
                                                        c.encoding, text))
            << Hex(c.bytes);
        EXPECT_EQ(Hex(c.text), Hex(std::string(text.Data(), text.Length()))) << Hex(c.bytes);
    }
}

TEST_F(CharacterToSqlTest, AsciiTextIsStoredAsCodeUnitsOfTheTargetsEncoding)
{
    struct StoreCase
    {
        EncodingType encoding;
        bool terminate;
        std::string bytes;
        int64_t convertedLength;
    };
    const StoreCase cases[] = {
        {ENC_UTF16_BE, true, std::string("\0" "4\0" "2\0\0", 6), 4},
        {ENC_UTF8, false, "42", 2},
        {ENC_UTF8, true, std::string("42\0", 3), 2},
        {ENC_UTF32_LE, false, std::string("4\0\0\0" "2\0\0\0", 8), 8},
        {ENC_UTF16_LE, false, std::string("4\0" "2\0", 4), 4},
    };
    for (const StoreCase& c : cases)
    {
        ProcessEncodings{ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, c.encoding}.Install();
        SqlValue target(TDW_SQL_WVARCHAR);
        EXPECT_FALSE(ConversionHelpers::StoreAsciiText("42", 2, target.Data(), c.terminate));
        EXPECT_EQ(Hex(c.bytes), Hex(target.Bytes()));
        EXPECT_EQ(c.convertedLength, target.Data().GetConvertedLength());
    }

    // A holder that cannot take the text and its terminator gets nothing.
    UTF16_DATABASE.Install();
    SqlValue metadataSource(TDW_SQL_WVARCHAR);
    FourByteValue small(metadataSource.Metadata());
    EXPECT_TRUE(ConversionHelpers::StoreAsciiText("42", 2, small, true));
    EXPECT_EQ("....", std::string(small.m_bytes, 4));
    EXPECT_FALSE(ConversionHelpers::StoreAsciiText("42", 2, small, false));
    EXPECT_EQ(Hex(std::string("4\0" "2\0", 4)), Hex(small.Bytes()));
}

namespace {

void MarkNarrow(const ToSqlSource&, SqlData& io_target, ToSqlKernelState&, WarningListener&)
{
    io_target.SetConvertedLength(1);
}

void MarkWide(const ToSqlSource&, SqlData& io_target, ToSqlKernelState&, WarningListener&)
{
    io_target.SetConvertedLength(2);
}

} // namespace

TEST_F(CharacterToSqlTest, ValuesBecomeNarrowTextOnlyWhereTheTargetsEncodingKeepsAsciiInOneByte)
{
    const SqlConverterFactory::CToSqlCreator creator = &CreateCToSqlTextConverter<&MarkNarrow, &MarkWide>;
    struct TextCase
    {
        EncodingType encoding;
        TDWType target;
        int64_t mark;
    };
    const TextCase cases[] = {
        {ENC_UTF8, TDW_SQL_VARCHAR, 1},     {ENC_UTF8, TDW_SQL_WCHAR, 1},      {ENC_LATIN1, TDW_SQL_CHAR, 1},
        {ENC_CP1252, TDW_SQL_WVARCHAR, 1},  {ENC_UTF16_LE, TDW_SQL_WCHAR, 2},  {ENC_UTF16_BE, TDW_SQL_CHAR, 2},
        {ENC_UTF32_LE, TDW_SQL_VARCHAR, 2}, {84 /* windows-1253 */, TDW_SQL_CHAR, 2},
    };
    std::string bytes = Image<int32_t>(1);
    Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(TDW_C_SLONG));
    wrapper.SetData(&bytes[0]);
    for (const TextCase& c : cases)
    {
        ProcessEncodings{ENC_UTF8, ENC_UTF16_LE, c.encoding, c.encoding}.Install();
        SqlValue target(c.target);
        creator(wrapper.GetMetadata(), target.Metadata())->Convert(wrapper, target.Data());
        EXPECT_EQ(c.mark, target.Data().GetConvertedLength()) << c.encoding << " " << c.target;
    }
}
