#include "KernelTestSupport.h"

#include "Support/TypedDataWrapper/Conversions/CharacterCopies.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

std::string Utf8(const std::vector<char32_t>& in_codePoints)
{
    std::string text;
    for (char32_t c : in_codePoints)
    {
        if (c < 0x80)
        {
            text += static_cast<char>(c);
        }
        else if (c < 0x800)
        {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            text += static_cast<char>(0xE0 | (c >> 12));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            text += static_cast<char>(0xF0 | (c >> 18));
            text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

/// The UTF-16LE bytes of the code points, and after each character the byte length so far.
std::string Utf16(const std::vector<char32_t>& in_codePoints, std::vector<size_t>* out_ends = nullptr)
{
    std::u16string units;
    for (char32_t c : in_codePoints)
    {
        if (c < 0x10000)
        {
            units += static_cast<char16_t>(c);
        }
        else
        {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        if (out_ends != nullptr)
        {
            out_ends->push_back(units.size() * 2);
        }
    }
    return std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}

/// A long text whose three- and four-byte characters fall across every boundary of the
/// converters' passes.
std::vector<char32_t> MixedText(size_t in_count)
{
    const char32_t pattern[] = {U'a', U'\u00E9', U'\U0001F600', U'\u20AC', U'b', U'\U00010348', U'\U0001F600'};
    std::vector<char32_t> text;
    for (size_t i = 0; i < in_count; ++i)
    {
        text.push_back(pattern[i % (sizeof(pattern) / sizeof(pattern[0]))]);
    }
    return text;
}

std::string Outcome(const KernelRun& in_run, size_t in_unitSize = 1)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + TextOf(in_run, in_unitSize);
}

SqlToCKernelState TranscodingState(EncodingType in_source, EncodingType in_target)
{
    SqlToCKernelState state;
    state.m_sourceEncoding = in_source;
    state.m_targetEncoding = in_target;
    return state;
}

} // namespace

TEST(CharacterKernels, CopiesCutWholeUnitsAndAlwaysReportTheFullLength)
{
    struct Case
    {
        int unitSize;
        const char* source;
        int64_t sourceLength;
        int64_t size;
        const char* expected;
    };
    const Case cases[] = {
        {1, "0123456789", 10, 11, " | 10 | 0123456789"},
        {1, "0123456789", 10, 10, "StrRightTrunc | 10 | 012345678"},
        {1, "0123456789", 10, 1, "StrRightTrunc | 10 | "},
        {1, "0123456789", 10, 0, "StrRightTrunc | 10 | untouched"},
        {1, "0123456789", 10, -5, "StrRightTrunc | 10 | untouched"},
        {1, "", 0, 1, " | 0 | "},
        {1, "", 0, 0, "StrRightTrunc | 0 | untouched"},
        {2, "a\0b\0c\0d\0e\0", 10, 12, " | 10 | abcde"},
        {2, "a\0b\0c\0d\0e\0", 10, 11, "StrRightTrunc | 10 | abcd"},
        {2, "a\0b\0c\0d\0e\0", 10, 9, "StrRightTrunc | 10 | abc"},
        {2, "a\0b\0c\0d\0e\0", 10, 2, "StrRightTrunc | 10 | "},
        {2, "a\0b\0c\0d\0e\0", 10, 1, "StrRightTrunc | 10 | untouched"},
        {4, "a\0\0\0b\0\0\0", 8, 12, " | 8 | ab"},
        {4, "a\0\0\0b\0\0\0", 8, 11, "StrRightTrunc | 8 | a"},
        {4, "a\0\0\0b\0\0\0", 8, 3, "StrRightTrunc | 8 | untouched"},
    };
    const EncodingType encodings[] = {ENC_NONE, ENC_UTF8, ENC_UTF16_LE, ENC_NONE, ENC_UTF32_LE};
    SqlToCKernelState state;
    for (const Case& c : cases)
    {
        const EncodingType encoding = encodings[c.unitSize];
        const SqlToCKernel kernel = KernelOf(TDW_SQL_WVARCHAR, TDW_C_CHAR, encoding, encoding);
        const KernelRun run =
            RunKernel(kernel, state, c.source, c.sourceLength, c.size < 0 ? 0 : c.size, c.size);
        EXPECT_TRUE(run.clean) << c.source << " into " << c.size;
        EXPECT_EQ(c.expected, Outcome(run, c.unitSize)) << c.unitSize << "-byte units into " << c.size;

        const KernelRun query = QueryLength(kernel, state, c.source, c.sourceLength, c.size);
        EXPECT_EQ(" | " + std::to_string(c.sourceLength) + " | untouched", Outcome(query));
    }
}

TEST(CharacterKernels, TheTableCopiesTextOfOneEncodingAndTranscodesTheRest)
{
    const char text[] = "h\xC3\xA9";
    SqlToCKernelState state = TranscodingState(ENC_UTF8, ENC_UTF8);
    const KernelRun copied = RunKernel(KernelOf(TDW_SQL_CHAR, TDW_C_CHAR, ENC_UTF8, ENC_UTF8), state, text, 3, 4);
    EXPECT_EQ(" | 3 | h\xC3\xA9", Outcome(copied));
    EXPECT_EQ(nullptr, state.m_converter) << "a copy makes no converter";

    state = TranscodingState(ENC_UTF8, ENC_LATIN1);
    const KernelRun latin = RunKernel(KernelOf(TDW_SQL_VARCHAR, TDW_C_CHAR, ENC_UTF8, ENC_LATIN1), state, text, 3, 3);
    EXPECT_EQ(" | 2 | h\xE9", Outcome(latin));

    state = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
    const KernelRun wide = RunKernel(KernelOf(TDW_SQL_CHAR, TDW_C_WCHAR, ENC_UTF8, ENC_UTF16_LE), state, text, 3, 6);
    EXPECT_EQ(std::string("h\0\xE9\0\0\0", 6), wide.bytes);
    EXPECT_EQ(4, wide.length);
}

TEST(CharacterKernels, TranscodingReportsTheWholeConvertedLengthWhateverFits)
{
    const std::vector<char32_t> ascii(3000, U'x');
    const std::string source = Utf8(ascii);
    SqlToCKernelState state = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
    const SqlToCKernel kernel = KernelOf(TDW_SQL_LONGVARCHAR, TDW_C_WCHAR, ENC_UTF8, ENC_UTF16_LE);
    const KernelRun run = RunKernel(kernel, state, source.data(), static_cast<int64_t>(source.size()), 100);
    EXPECT_TRUE(run.clean);
    EXPECT_EQ("StrRightTrunc | 6000 | " + std::string(49, 'x'), Outcome(run, 2));

    const KernelRun query = QueryLength(kernel, state, source.data(), static_cast<int64_t>(source.size()), 100);
    EXPECT_EQ(" | 6000 | untouched", Outcome(query));
}

TEST(CharacterKernels, TranscodingKeepsSurrogatePairsWholeAcrossEveryBoundary)
{
    const std::vector<char32_t> text = MixedText(1500);
    const std::string source = Utf8(text);
    std::vector<size_t> ends;
    const std::string expected = Utf16(text, &ends);
    SqlToCKernelState state = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
    const SqlToCKernel kernel = KernelOf(TDW_SQL_CHAR, TDW_C_WCHAR, ENC_UTF8, ENC_UTF16_LE);
    const int64_t fullSize = static_cast<int64_t>(expected.size());
    for (int64_t size : std::vector<int64_t>{0, 1, 2, 3, 4, 5, 6, 7, 101, 1023, 1024, 1025, 2050, 4099, fullSize + 1, fullSize + 2})
    {
        const KernelRun run = RunKernel(kernel, state, source.data(), static_cast<int64_t>(source.size()), size);
        EXPECT_TRUE(run.clean) << size;
        EXPECT_EQ(static_cast<int64_t>(expected.size()), run.length) << size;
        // What is written is the longest run of whole characters that leaves room for the
        // terminator, and the terminator.
        size_t fits = 0;
        for (size_t end : ends)
        {
            if (static_cast<int64_t>(end) + 2 <= size)
            {
                fits = end;
            }
        }
        const bool isWhole = fits == expected.size();
        EXPECT_EQ(isWhole ? "" : "StrRightTrunc", run.posted) << size;
        if (size >= 2)
        {
            EXPECT_EQ(expected.substr(0, fits) + std::string(2, '\0'), run.bytes.substr(0, fits + 2)) << size;
        }
        else
        {
            EXPECT_TRUE(run.untouched) << size;
        }
    }
}

TEST(CharacterKernels, TranscodingInSmallSourcePiecesGivesTheSameResults)
{
    const std::vector<char32_t> text = MixedText(400);
    const std::string source = Utf8(text);
    for (int64_t size : std::vector<int64_t>{0, 1, 9, 10, 11, 300, 1100, 2000})
    {
        SqlToCKernelState whole = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
        SqlToCKernelState pieces = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
        GuardedBuffer wholeBuffer(static_cast<size_t>(size));
        GuardedBuffer piecesBuffer(static_cast<size_t>(size));
        RecordingListener wholeListener;
        RecordingListener piecesListener;
        int64_t wholeLength = size;
        int64_t piecesLength = size;
        const int64_t length = static_cast<int64_t>(source.size());
        TranscodeCharacterData(whole, source.data(), length, wholeBuffer.Data(), wholeLength, wholeListener);
        TranscodeCharacterData(pieces, source.data(), length, piecesBuffer.Data(), piecesLength, piecesListener, 7);
        EXPECT_EQ(wholeLength, piecesLength) << size;
        EXPECT_EQ(wholeListener.Posted(), piecesListener.Posted()) << size;
        EXPECT_EQ(wholeBuffer.Bytes(), piecesBuffer.Bytes()) << size;
        EXPECT_TRUE(piecesBuffer.GuardsIntact()) << size;
    }
}

TEST(CharacterKernels, TheTranscoderKeepsItsConverterForThePairAndReplacesItForAnother)
{
    SqlToCKernelState state = TranscodingState(ENC_UTF8, ENC_UTF16_LE);
    const SqlToCKernel kernel = KernelOf(TDW_SQL_CHAR, TDW_C_WCHAR, ENC_UTF8, ENC_UTF16_LE);
    const std::string first = Utf8({U'\U0001F600', U'z'});
    const KernelRun cut = RunKernel(kernel, state, first.data(), 5, 4);
    // A pair does not fit beside the terminator: its lead surrogate comes alone.
    EXPECT_EQ("StrRightTrunc | 6", cut.posted + " | " + std::to_string(cut.length));
    EXPECT_EQ(std::string("\x3D\xD8\0\0", 4), cut.bytes.substr(0, 4));
    const EncodingConverter* converter = state.m_converter.get();
    ASSERT_NE(nullptr, converter);

    // Nothing of the cut value leaks into the next one.
    const std::string second = Utf8({U'\u00E9', U'q'});
    const KernelRun next = RunKernel(kernel, state, second.data(), 3, 8);
    EXPECT_EQ(Utf16({U'\u00E9', U'q'}) + std::string(2, '\0'), next.bytes.substr(0, 6));
    EXPECT_EQ(4, next.length);
    EXPECT_EQ(converter, state.m_converter.get()) << "the same pair reuses its converter";

    state.m_targetEncoding = ENC_UTF32_LE;
    const KernelRun utf32 = RunKernel(kernel, state, second.data(), 3, 12);
    EXPECT_EQ(std::string("\xE9\0\0\0q\0\0\0\0\0\0\0", 12), utf32.bytes);
    EXPECT_EQ(8, utf32.length);
}

TEST(CharacterKernels, BinaryCopiesAddNoTerminatorAndReportTheFullLength)
{
    struct Case
    {
        int64_t sourceLength;
        int64_t size;
        const char* expected;
    };
    const char source[] = "\x01\x02\x03\x04\x05";
    const Case cases[] = {
        {5, 5, " | 5 | 0102030405"},
        {5, 7, " | 5 | 0102030405CDCD"},
        {5, 3, "StrRightTrunc | 5 | 010203"},
        {5, 0, "StrRightTrunc | 5 | "},
        {5, -4, "StrRightTrunc | 5 | "},
        // A negative length gives the length of a value that was cut before.
        {-3, 5, "StrRightTrunc | 3 | 010203CDCD"},
        {std::numeric_limits<int64_t>::min(), 2, " | 0 | CDCD"},
        {0, 2, " | 0 | CDCD"},
    };
    SqlToCKernelState state;
    for (TDWType sourceType : {TDW_SQL_VARBINARY, TDW_SQL_WLONGVARCHAR})
    {
        const SqlToCKernel kernel = KernelOf(sourceType, TDW_C_BINARY);
        for (const Case& c : cases)
        {
            const KernelRun run = RunKernel(kernel, state, source, c.sourceLength, c.size < 0 ? 0 : c.size, c.size);
            EXPECT_TRUE(run.clean);
            EXPECT_EQ(c.expected, run.posted + " | " + std::to_string(run.length) + " | " + Hex(run.bytes))
                << c.sourceLength << " into " << c.size;
        }
        const KernelRun query = QueryLength(kernel, state, source, 5, 2);
        EXPECT_EQ("", query.posted);
        EXPECT_EQ(5, query.length);
    }
}
