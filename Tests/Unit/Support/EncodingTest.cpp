#include "Support/EncodingInfo.h"
#include "Support/EncodingRegistry.h"
#include "Support/EncodingTable.h"
#include "Support/ErrorException.h"
#include "Support/IcuConverter.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/TrailingBlankTrimmer.h"

#include "StringTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

using namespace Orvik::Support;

namespace {

std::string LowerCased(std::string in_text)
{
    std::transform(in_text.begin(), in_text.end(), in_text.begin(), [](unsigned char c) {
        return std::tolower(c);
    });
    return in_text;
}

std::set<EncodingType> Range(EncodingType in_first, EncodingType in_last)
{
    std::set<EncodingType> encodings;
    for (EncodingType encoding = in_first; encoding <= in_last; ++encoding)
    {
        encodings.insert(encoding);
    }
    return encodings;
}

std::set<EncodingType> Union(std::initializer_list<std::set<EncodingType>> in_sets)
{
    std::set<EncodingType> all;
    for (const auto& set : in_sets)
    {
        all.insert(set.begin(), set.end());
    }
    return all;
}

// Raises "EncodingNotRecog" for in_name, or fails the test.
void ExpectNotRecognised(const std::string& in_name)
{
    try
    {
        EncodingRegistry::GetEncodingType(in_name);
        ADD_FAILURE() << in_name << " was recognised";
    }
    catch (const ErrorException& exception)
    {
        EXPECT_EQ("EncodingNotRecog", Show(exception.GetMessageKey()));
        EXPECT_EQ(DIAG_GENERAL_ERROR, exception.GetDiagState());
        EXPECT_EQ(SUPPORT_COMPONENT_ID, exception.GetComponentId());
        EXPECT_EQ(-1, exception.GetRowNumber());
        EXPECT_EQ(-1, exception.GetColumnNumber());
        EXPECT_FALSE(exception.HasParameters());
    }
}

const uint8_t* Bytes(const std::string& in_text)
{
    return reinterpret_cast<const uint8_t*>(in_text.data());
}

// The length that in_encoding's trimmer leaves of in_text; the text must stay where it was.
uint64_t TrimmedLength(EncodingType in_encoding, const std::string& in_text)
{
    uint64_t length = in_text.size();
    EXPECT_EQ(Bytes(in_text), TrailingBlankTrimmer::Create(in_encoding)->Trim(Bytes(in_text), length));
    return length;
}

} // namespace

TEST(EncodingInfo, RowsNameTheirIcuConverters)
{
    const struct
    {
        EncodingType encoding;
        const char* name;
    } cases[] = {
        {0, "UTF-8"},        {1, "UTF-16LE"},           {4, "UTF-32BE"},     {5, "latin1"},
        {6, "cp1252"},       {7, "US-ASCII"},           {16, "ISO-8859-10"}, {20, "US-ASCII"},
        {37, "Windows-31J"}, {40, "macintosh"},         {67, "HZ-GB-2312"},  {89, "windows-1258"},
        {112, "MS874"},      {118, "windows-950-2000"}, {119, "ibm-1373"},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(c.name, EncodingInfo::GetEncodingName(c.encoding));
    }
    EXPECT_THROW(EncodingInfo::GetEncodingName(ENC_NONE), InvalidArgumentException);
    EXPECT_THROW(EncodingInfo::GetEncodingName(ENCODING_COUNT), InvalidArgumentException);
}

// Every row opens with the ICU installed here and carries a letter there and back.
TEST(EncodingInfo, IcuOpensEveryRow)
{
    for (EncodingType encoding = 0; encoding < ENCODING_COUNT; ++encoding)
    {
        SCOPED_TRACE(EncodingTable::GetRow(encoding).m_name);
        EXPECT_NO_THROW(IcuConverter converter(encoding));
        const std::string bytes = orvik_wstring(u"A").GetAsString(encoding);
        EXPECT_EQ(orvik_wstring(u"A"), orvik_wstring(bytes.data(), static_cast<int32_t>(bytes.size()), encoding));
    }
    EXPECT_EQ("A", orvik_wstring(u"A").GetAsString(20));
    EXPECT_EQ(orvik_wstring(u""), orvik_wstring("", 0, 20));
}

TEST(EncodingInfo, CodeUnitSizes)
{
    const struct
    {
        EncodingType encoding;
        int size;
    } cases[] = {
        {ENC_NONE, 1},     {ENC_UTF8, 1},   {ENC_UTF16_LE, 2}, {ENC_UTF16_BE, 2},   {ENC_UTF32_LE, 4},
        {ENC_UTF32_BE, 4}, {ENC_LATIN1, 1}, {119, 1},          {ENCODING_COUNT, 1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.size, EncodingInfo::GetCodeUnitSize(c.encoding)) << "encoding " << c.encoding;
    }
}

TEST(EncodingInfo, MostCodeUnitsPerCharacter)
{
    const std::set<EncodingType> one = Union({Range(3, 15),
                                              {29, 30, 31, 34, 36},
                                              Range(40, 44),
                                              Range(46, 50),
                                              {52, 62, 66, 68, 69},
                                              Range(82, 88)});
    for (EncodingType encoding = -1; encoding <= ENCODING_COUNT; ++encoding)
    {
        const int expected = encoding == ENC_UTF8 ? 4 : one.count(encoding) != 0 ? 1 : 2;
        EXPECT_EQ(expected, EncodingInfo::GetMaxCodeUnitsPerChar(encoding)) << "encoding " << encoding;
    }
    // The largest character, in bytes, for the Unicode forms.
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE, ENC_UTF16_BE, ENC_UTF32_LE, ENC_UTF32_BE})
    {
        EXPECT_EQ(4,
                  EncodingInfo::GetMaxCodeUnitsPerChar(encoding) * EncodingInfo::GetCodeUnitSize(encoding));
    }
}

TEST(EncodingRegistry, FindsTableNamesInAnyLetterCase)
{
    for (EncodingType encoding = 0; encoding < ENCODING_COUNT; ++encoding)
    {
        const std::string name = EncodingTable::GetRow(encoding).m_name;
        EXPECT_EQ(encoding, EncodingRegistry::LookUpName(name)) << name;
        EXPECT_EQ(encoding, EncodingRegistry::GetEncodingType(LowerCased(name))) << name;
    }
}

TEST(EncodingRegistry, ResolvesOtherNamesThroughIcuAliases)
{
    const struct
    {
        const char* name;
        EncodingType encoding;
    } cases[] = {
        {"LATIN1", ENC_LATIN1}, {"cp1252", ENC_CP1252},     {"utf8", ENC_UTF8},
        {"UTF8", ENC_UTF8},     {"ISO-8859-1", ENC_LATIN1}, {"ascii", ENC_US_ASCII},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.encoding, EncodingRegistry::GetEncodingType(c.name)) << c.name;
    }
    EXPECT_EQ(ENC_NONE, EncodingRegistry::LookUpName("UTF8"));
}

TEST(EncodingRegistry, UnknownNamesAreNotRecognised)
{
    ExpectNotRecognised("no-such-encoding");
    ExpectNotRecognised("");
    // ICU knows UTF-7, but none of its aliases is in the table.
    ExpectNotRecognised("UTF-7");
}

TEST(TrailingBlankTrimmer, FixedWidthUnitsAreTrimmedInPlace)
{
    const struct
    {
        EncodingType encoding;
        std::string text;
        uint64_t length;
    } cases[] = {
        {ENC_UTF8, "ab \t ", 2},
        {ENC_UTF8, " \t", 0},
        {ENC_LATIN1, "a b", 3},
        {ENC_UTF16_LE, std::string(" \0 \0 \0x", 7), 0},
        {ENC_UTF16_LE, std::string("a\0 \0\t\0", 6), 2},
        {ENC_UTF16_LE, std::string("a\0\0 ", 4), 4},
        {ENC_UTF16_BE, std::string("\0a\0 \0\t", 6), 2},
        {ENC_UTF16_BE, std::string("\0a \0", 4), 4},
        {ENC_UTF32_LE, std::string("a\0\0\0 \0\0\0", 8), 4},
        {ENC_UTF32_BE, std::string("\0\0\0a\0\0\0 ", 8), 4},
        {ENC_UTF32_BE, std::string("\0\0\0a \0\0\0", 8), 8},
        {ENC_UTF32_BE, std::string("\0\0\0a\0\0", 6), 4},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.length, TrimmedLength(c.encoding, c.text)) << "encoding " << c.encoding;
    }
}

TEST(TrailingBlankTrimmer, NothingGivesNothing)
{
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE, ENC_UTF32_BE})
    {
        uint64_t length = 4;
        EXPECT_EQ(nullptr, TrailingBlankTrimmer::Create(encoding)->Trim(nullptr, length));
        EXPECT_EQ(0u, length);
        EXPECT_EQ(0u, TrimmedLength(encoding, ""));
    }
}

TEST(TrailingBlankTrimmer, EachEncodingGetsItsKind)
{
    const std::set<EncodingType> decoded = Union({Range(17, 19),
                                                  Range(21, 28),
                                                  {32},
                                                  Range(37, 39),
                                                  Range(41, 53),
                                                  Range(62, 67),
                                                  Range(71, 81),
                                                  {84},
                                                  Range(90, 119)});
    for (EncodingType encoding = 0; encoding < ENCODING_COUNT; ++encoding)
    {
        if (decoded.count(encoding) != 0)
        {
            EXPECT_THROW(TrailingBlankTrimmer::Create(encoding), InvalidOperationException) << encoding;
        }
        else if (EncodingInfo::GetCodeUnitSize(encoding) == 1)
        {
            EXPECT_EQ(1u, TrimmedLength(encoding, "a \t")) << encoding;
        }
    }
    EXPECT_THROW(TrailingBlankTrimmer::Create(ENC_NONE), InvalidArgumentException);
    EXPECT_THROW(TrailingBlankTrimmer::Create(ENCODING_COUNT), InvalidArgumentException);
}
