// Character columns in bulk: copied or transcoded by the two encodings, cut with the full length
// reported, never written past a small element; wide columns read as numbers and bytes.

#include "BulkTestSupport.h"

#include "Support/TypedDataWrapper/SqlToCBulkCharCopyConverter.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkTranscodingConverter.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/AllocationCounter.h"
#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Orvik::Support;

namespace {

const ProcessEncodings UTF8_APPLICATION = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8};
const ProcessEncodings CP1252_EVERYWHERE = {ENC_CP1252, ENC_UTF16_LE, ENC_CP1252, ENC_UTF8};
const ProcessEncodings UTF16_DATABASE = {ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF16_LE};
const ProcessEncodings UTF32BE_EVERYWHERE = {ENC_UTF8, ENC_UTF32_BE, ENC_UTF8, ENC_UTF32_BE};

std::string UnitSize(const ISqlToCBulkConverter* in_converter)
{
    if (dynamic_cast<const SqlToCBulkCharCopyConverter<1>*>(in_converter) != nullptr)
    {
        return "copy 1";
    }
    if (dynamic_cast<const SqlToCBulkCharCopyConverter<2>*>(in_converter) != nullptr)
    {
        return "copy 2";
    }
    if (dynamic_cast<const SqlToCBulkCharCopyConverter<4>*>(in_converter) != nullptr)
    {
        return "copy 4";
    }
    if (const auto* transcoder = dynamic_cast<const SqlToCBulkTranscodingConverter*>(in_converter))
    {
        return "transcode " + std::to_string(transcoder->GetKernelState().m_sourceEncoding) + " to "
            + std::to_string(transcoder->GetKernelState().m_targetEncoding);
    }
    return "another converter";
}

class BulkCharacterConvertersTest : public EncodingsRestored
{
protected:
    /// The converter of a column of in_source into a buffer of in_target of in_bufferLength
    /// bytes, with the metadata the installed encodings give.
    std::unique_ptr<ISqlToCBulkConverter> Make(TDWType in_source, TDWType in_target, uint64_t in_bufferLength = 0)
    {
        const std::unique_ptr<SqlCTypeMetadata> binding = CMetadataOf(in_target);
        binding->SetOctetLength(in_bufferLength);
        std::unique_ptr<ISqlToCBulkConverter> converter = m_factory.CreateConverter(*SqlMetadataOf(in_source), *binding);
        EXPECT_NE(nullptr, converter) << in_source << " to " << in_target;
        return converter;
    }

    SqlToCBulkConverterFactory m_factory{nullptr};
};

} // namespace

TEST_F(BulkCharacterConvertersTest, TheEncodingsAloneChooseCopyOrTranscoding)
{
    const struct
    {
        const char* name;
        ProcessEncodings encodings;
        TDWType source;
        TDWType target;
        std::string expected;
    } cases[] = {
        {"UTF-8 column, UTF-8 application", UTF8_APPLICATION, TDW_SQL_VARCHAR, TDW_C_CHAR, "copy 1"},
        {"cp1252 column, cp1252 application", CP1252_EVERYWHERE, TDW_SQL_LONGVARCHAR, TDW_C_CHAR, "copy 1"},
        {"UTF-16LE wide column into UTF-16LE", UTF16_DATABASE, TDW_SQL_WCHAR, TDW_C_WCHAR, "copy 2"},
        {"UTF-32BE wide column into UTF-32BE", UTF32BE_EVERYWHERE, TDW_SQL_WLONGVARCHAR, TDW_C_WCHAR, "copy 4"},
        // A narrow column meets a wide buffer, and a wide one a narrow buffer, by the same rule.
        {"UTF-8 narrow column into UTF-16LE", UTF8_APPLICATION, TDW_SQL_CHAR, TDW_C_WCHAR, "transcode 0 to 1"},
        {"UTF-8 wide column into UTF-16LE", UTF8_APPLICATION, TDW_SQL_WVARCHAR, TDW_C_WCHAR, "transcode 0 to 1"},
        {"UTF-16LE wide column into UTF-8", UTF16_DATABASE, TDW_SQL_WVARCHAR, TDW_C_CHAR, "transcode 1 to 0"},
        {"UTF-8 wide column into UTF-8", UTF8_APPLICATION, TDW_SQL_WCHAR, TDW_C_CHAR, "copy 1"},
    };
    for (const auto& encodingCase : cases)
    {
        encodingCase.encodings.Install();
        EXPECT_EQ(encodingCase.expected, UnitSize(Make(encodingCase.source, encodingCase.target, 8).get()))
            << encodingCase.name;
    }
}

// Text that does not fit loses its last whole units and posts StrRightTrunc; the slot always
// holds the full length. An element smaller than one unit gets nothing at all.
TEST_F(BulkCharacterConvertersTest, CopiesAreCutToWholeUnitsAndNeverWritePastTheElement)
{
    const struct
    {
        const char* name;
        ProcessEncodings encodings;
        TDWType target;
        std::string text;
        int64_t elementSize;
        std::string expected;
    } cases[] = {
        {"fits", UTF8_APPLICATION, TDW_C_CHAR, "abc", 5, "3 61626300CD"},
        {"one byte short", UTF8_APPLICATION, TDW_C_CHAR, "abcdefghij", 10, "10 61626364656667686900 ; 1:StrRightTrunc"},
        {"UTF-16 into 7 bytes", UTF16_DATABASE, TDW_C_WCHAR, std::string("a\0b\0c\0d\0e\0", 10), 7,
         "10 610062000000CD ; 1:StrRightTrunc"},
        {"UTF-16 into 1 byte", UTF16_DATABASE, TDW_C_WCHAR, std::string("a\0", 2), 1, "2 untouched ; 1:StrRightTrunc"},
        {"UTF-32 into 3 bytes", UTF32BE_EVERYWHERE, TDW_C_WCHAR, std::string("\0\0\0a", 4), 3,
         "4 untouched ; 1:StrRightTrunc"},
        {"UTF-32 into 4 bytes", UTF32BE_EVERYWHERE, TDW_C_WCHAR, std::string("\0\0\0a", 4), 4,
         "4 00000000 ; 1:StrRightTrunc"},
    };
    for (const auto& copyCase : cases)
    {
        copyCase.encodings.Install();
        const TDWType source = copyCase.target == TDW_C_CHAR ? TDW_SQL_VARCHAR : TDW_SQL_WVARCHAR;
        std::unique_ptr<ISqlToCBulkConverter> converter = Make(source, copyCase.target, copyCase.elementSize);
        EXPECT_EQ(copyCase.expected, ConvertColumn(*converter, {copyCase.text}, copyCase.elementSize)) << copyCase.name;
    }
}

TEST_F(BulkCharacterConvertersTest, AnEmptyElementGetsNothing)
{
    UTF8_APPLICATION.Install();
    std::unique_ptr<ISqlToCBulkConverter> converter = Make(TDW_SQL_CHAR, TDW_C_CHAR);
    const SourceColumn column({std::string("abc")});
    BulkTarget target(1, 4, 8);
    RecordingBulkListener listener;
    converter->Convert(column.In(BulkSqlData::LAYOUT_STRIDED), target.Target(), 0, 0, target.Slots(), 8, listener);
    EXPECT_EQ("untouched", target.Element(0, 4));
    EXPECT_EQ("3", target.Slot(0));
    EXPECT_EQ("1:StrRightTrunc", listener.m_posted);
}

TEST_F(BulkCharacterConvertersTest, CopyingAColumnAllocatesNothing)
{
    const struct
    {
        const ProcessEncodings* encodings;
        TDWType source;
        TDWType target;
    } copies[] = {
        {&UTF8_APPLICATION, TDW_SQL_VARCHAR, TDW_C_CHAR},
        {&UTF16_DATABASE, TDW_SQL_WVARCHAR, TDW_C_WCHAR},
        {&UTF32BE_EVERYWHERE, TDW_SQL_WCHAR, TDW_C_WCHAR},
    };
    for (const auto& copy : copies)
    {
        copy.encodings->Install();
        std::unique_ptr<ISqlToCBulkConverter> converter = Make(copy.source, copy.target, 16);
        const SourceColumn column({std::string("ab"), std::nullopt, std::string("cdef")});
        BulkTarget target(3, 16, 8);
        RecordingBulkListener listener;
        const BulkSqlData source = column.In(BulkSqlData::LAYOUT_POINTER_ARRAY);
        AllocationCounter::Start();
        converter->Convert(source, target.Target(), 16, 16, target.Slots(), 8, listener);
        EXPECT_EQ(0, AllocationCounter::Stop()) << UnitSize(converter.get());
        EXPECT_EQ("4", target.Slot(2));
    }
}

// The encoding converter is made at the first value, not for NULLs, and kept for every later
// value and call; a text cut to fit still reports its whole length.
TEST_F(BulkCharacterConvertersTest, TheTranscoderMakesOneEncodingConverterAndKeepsIt)
{
    UTF8_APPLICATION.Install();
    std::unique_ptr<ISqlToCBulkConverter> converter = Make(TDW_SQL_VARCHAR, TDW_C_WCHAR, 8);
    const auto& transcoder = dynamic_cast<const SqlToCBulkTranscodingConverter&>(*converter);

    EXPECT_EQ("NULL untouched | NULL untouched", ConvertColumn(*converter, {std::nullopt, std::nullopt}, 8));
    EXPECT_EQ(nullptr, transcoder.GetEncodingConverter());

    EXPECT_EQ("NULL untouched | 4 610062000000CDCD | 12 6100620063000000 ; 3:StrRightTrunc",
              ConvertColumn(*converter, {std::nullopt, std::string("ab"), std::string("abcdef")}, 8));
    const EncodingConverter* made = transcoder.GetEncodingConverter();
    ASSERT_NE(nullptr, made);

    const SourceColumn column({std::string("x"), std::string("\xC3\xA9")});
    BulkTarget target(2, 8, 8);
    RecordingBulkListener listener;
    AllocationCounter::Start();
    converter->Convert(column.In(BulkSqlData::LAYOUT_STRIDED), target.Target(), 8, 8, target.Slots(), 8, listener);
    EXPECT_EQ(0, AllocationCounter::Stop()) << "the kept converter is reset, not made again";
    EXPECT_EQ(made, transcoder.GetEncodingConverter());
    EXPECT_EQ("E9000000CDCDCDCD", target.Element(1, 8));
}

TEST_F(BulkCharacterConvertersTest, WideColumnsAreReadThroughTheirEncoding)
{
    UTF16_DATABASE.Install();
    std::unique_ptr<ISqlToCBulkConverter> toInteger = Make(TDW_SQL_WVARCHAR, TDW_C_SLONG);
    EXPECT_EQ("4 7B000000 | 4 untouched ; 2:InvalidCharValForCast",
              ConvertColumn(*toInteger, {std::string("1\0" "2\0" "3\0", 6), std::string("1\0\x01\x01", 4)}, 4));
    // Bytes are the text's own, in the column's encoding.
    std::unique_ptr<ISqlToCBulkConverter> toBinary = Make(TDW_SQL_WCHAR, TDW_C_BINARY, 6);
    EXPECT_EQ("4 61006200CDCD", ConvertColumn(*toBinary, {std::string("a\0b\0", 4)}, 6));
}
