#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/EncodingInfo.h"
#include "Support/IcuEncodingConverter.h"
#include "Support/IcuConverter.h"
#include "Support/IdentityEncodingConverter.h"
#include "Support/InvalidArgumentException.h"
#include "Support/MalformedTextException.h"
#include "Support/Utf8ToUtf16LeEncodingConverter.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <unicode/ucnv.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;
using namespace std::string_literals;

namespace {

constexpr EncodingType ENC_ISO_2022_JP = 24;

class EncodingConverterTest : public ::testing::Test
{
protected:
    std::unique_ptr<EncodingConverter> Create(EncodingType in_source, EncodingType in_target, bool in_terminate)
    {
        return m_factory.CreateConverter(in_source, in_target, in_terminate);
    }

    // Converts in_source into targets of in_targetSize bytes until nothing is left, and returns
    // what each target received, without its terminator. Each target must end in a zero code unit
    // when the converter terminates.
    std::vector<std::string> ConvertInPieces(EncodingConverter& io_converter,
                                             const std::string& in_source,
                                             int32_t in_targetSize,
                                             int32_t in_terminatorSize)
    {
        std::vector<std::string> pieces;
        io_converter.SetSource(in_source.data(), static_cast<int32_t>(in_source.size()));
        while (io_converter.NeedsConvert() && pieces.size() <= in_source.size())
        {
            // Exactly the target's size, so that a write beyond it is reported.
            std::vector<char> target(in_targetSize);
            io_converter.SetTarget(target.data(), in_targetSize);
            const int32_t written = io_converter.Convert(true);
            EXPECT_LE(written + in_terminatorSize, in_targetSize);
            EXPECT_EQ(std::string(in_terminatorSize, '\0'), BytesOf(target.data() + written, in_terminatorSize));
            pieces.push_back(BytesOf(target.data(), written));
        }
        EXPECT_FALSE(io_converter.NeedsConvert()) << "the converter made no progress";
        return pieces;
    }

    EncodingConverterFactory m_factory;
};

TEST_F(EncodingConverterTest, TheFactoryCopiesOnlyTextThatIsAlreadyValid)
{
    enum Kind
    {
        COPY,
        ICU,
        UTF8_TO_UTF16LE
    };
    const struct
    {
        EncodingType source;
        EncodingType target;
        Kind kind;
    } cases[] = {
        {ENC_UTF8, ENC_UTF8, COPY},
        {ENC_UTF16_BE, ENC_UTF16_BE, COPY},
        {ENC_US_ASCII, ENC_CP1252, COPY},
        {ENC_US_ASCII, ENC_UTF8, COPY},
        {ENC_US_ASCII, ENC_UTF16_LE, ICU},
        // Letters have other byte values in EBCDIC.
        {ENC_US_ASCII, ENC_IBM037, ICU},
        // A tilde becomes two of them in HZ.
        {ENC_US_ASCII, 67, ICU},
        {ENC_CP1252, ENC_US_ASCII, ICU},
        {ENC_UTF16_LE, ENC_UTF8, ICU},
        {ENC_UTF8, ENC_UTF16_LE, UTF8_TO_UTF16LE},
        {ENC_UTF8, ENC_UTF16_BE, ICU},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.source) + " to " + std::to_string(c.target));
        for (const bool isStrict : {false, true})
        {
            const std::unique_ptr<EncodingConverter> converter =
                isStrict ? m_factory.CreateStrictConverter(c.source, c.target) : Create(c.source, c.target, false);
            EXPECT_EQ(c.kind == COPY, dynamic_cast<IdentityEncodingConverter*>(converter.get()) != nullptr);
            EXPECT_EQ(c.kind == UTF8_TO_UTF16LE, dynamic_cast<Utf8ToUtf16LeEncodingConverter*>(converter.get()) != nullptr);
            EXPECT_EQ(c.kind != COPY, dynamic_cast<IcuEncodingConverter*>(converter.get()) != nullptr);
            EXPECT_TRUE(converter->IsSamePair(c.source, c.target));
            EXPECT_FALSE(converter->IsSamePair(c.target, ENC_UTF32_BE));
        }
    }

    const std::unique_ptr<EncodingConverter> ebcdic = Create(ENC_US_ASCII, ENC_IBM037, false);
    char target[2];
    ebcdic->SetSource("AB", 2);
    ebcdic->SetTarget(target, 2);
    EXPECT_EQ(2, ebcdic->Convert(true));
    EXPECT_EQ("\xC1\xC2"s, BytesOf(target, 2));
}

TEST_F(EncodingConverterTest, ACharacterCutAtTheEndOfATargetIsCarriedWhole)
{
    const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF16_LE, ENC_UTF8, true);
    const std::u16string text = u"a\u20AC";
    converter->SetSource(text.data(), 4);
    std::string first(4, 'x');
    converter->SetTarget(&first[0], 4);
    EXPECT_EQ(1, converter->Convert(true));
    EXPECT_EQ("a\0\0x"s, first);
    EXPECT_TRUE(converter->NeedsConvert());

    std::string second(8, 'x');
    converter->SetTarget(&second[0], 8);
    EXPECT_EQ(3, converter->Convert(true));
    EXPECT_EQ("\xE2\x82\xAC\0xxxx"s, second);
    EXPECT_FALSE(converter->NeedsConvert());

    // Targets too small for the carried character take it a code unit at a time.
    converter->ResetPartial();
    converter->SetSource(text.data(), 4);
    converter->SetTarget(&first[0], 4);
    EXPECT_EQ(1, converter->Convert(true));
    for (const char byte : "\xE2\x82\xAC"s)
    {
        char small[2] = {'x', 'x'};
        converter->SetTarget(small, 2);
        EXPECT_EQ(1, converter->Convert(true));
        EXPECT_EQ((std::string{byte, '\0'}), BytesOf(small, 2));
    }
    EXPECT_FALSE(converter->NeedsConvert());
}

TEST_F(EncodingConverterTest, ACharacterSplitBetweenSourcesComesOutWhole)
{
    for (bool terminate : {false, true})
    {
        SCOPED_TRACE(terminate ? "terminated" : "unterminated");
        const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF8, ENC_UTF16_LE, terminate);
        std::string target(16, 'x');
        converter->SetTarget(&target[0], 16);
        converter->SetSource("a\xE2\x82", 3);
        EXPECT_EQ(-1, converter->Convert(false));
        EXPECT_FALSE(converter->NeedsConvert());
        converter->SetSource("\xAC" "b", 2);
        EXPECT_EQ(6, converter->Convert(true));
        EXPECT_EQ(orvik_wstring(u"a\u20ACb"), orvik_wstring(target.data(), 6, ENC_UTF16_LE));
    }
}

TEST_F(EncodingConverterTest, FinalConvertReturnsTheCountAndOtherwiseAsksForMore)
{
    for (EncodingType source : {ENC_UTF8, ENC_CP1252})
    {
        const std::unique_ptr<EncodingConverter> converter = Create(source, ENC_UTF8, false);
        char target[8];
        converter->SetSource("abc", 3);
        converter->SetTarget(target, 8);
        EXPECT_EQ(-1, converter->Convert(false));
        EXPECT_EQ(3, converter->Convert(true));
        EXPECT_EQ("abc", BytesOf(target, 3));

        // A full target is reported whatever the flag.
        converter->SetSource("defgh", 5);
        EXPECT_EQ(8, converter->Convert(false));
        EXPECT_EQ(8, converter->Convert(false));
    }
}

// Small targets, in terminated mode: each target holds whole characters only and a terminator,
// and together they hold the whole text. A target too small for the next character gets its
// first code units, so that one such target after another still takes the whole text.
TEST_F(EncodingConverterTest, WholeCharactersInEverySmallTarget)
{
    const std::u16string text = u"a\u00E9\U0001F600\u20ACb\U0001F600c\u00FC";
    const EncodingType pairs[][2] = {
        {ENC_UTF16_LE, ENC_UTF8},     {ENC_UTF8, ENC_UTF16_LE},    {ENC_UTF16_BE, ENC_UTF32_LE},
        {ENC_UTF32_BE, ENC_UTF16_BE}, {ENC_UTF8, ENC_UTF8},        {ENC_UTF16_LE, ENC_UTF16_LE},
    };
    for (const auto& pair : pairs)
    {
        const std::string source = orvik_wstring(text).GetAsString(pair[0]);
        const int32_t unitSize = EncodingInfo::GetCodeUnitSize(pair[1]);
        const bool isCopied = pair[0] == pair[1];
        for (int32_t size = 2 * unitSize; size <= 24; ++size)
        {
            // Can take the largest character and the terminator.
            const bool isWhole = size >= 4 + unitSize;
            SCOPED_TRACE(std::to_string(pair[0]) + " to " + std::to_string(pair[1]) + " in " +
                         std::to_string(size));
            const std::unique_ptr<EncodingConverter> converter = Create(pair[0], pair[1], true);
            std::string joined;
            orvik_wstring decoded(u"");
            for (const std::string& piece : ConvertInPieces(*converter, source, size, unitSize))
            {
                joined += piece;
                EXPECT_EQ(0u, piece.size() % unitSize);
                EXPECT_FALSE(piece.empty());
                decoded += orvik_wstring(piece.data(), static_cast<int32_t>(piece.size()), pair[1]);
            }
            EXPECT_EQ(orvik_wstring(text).GetAsString(pair[1]), joined);
            // Copied text may be cut anywhere between code units; converted text only between
            // characters.
            if (!isCopied && isWhole)
            {
                EXPECT_EQ(orvik_wstring(text), decoded);
            }
        }
    }
}

TEST_F(EncodingConverterTest, UnterminatedTargetsAreFilledToTheLastByte)
{
    const std::u16string text = u"a\u00E9\U0001F600\u20ACb";
    const std::string source = orvik_wstring(text).GetAsString(ENC_UTF16_LE);
    const std::string expected = orvik_wstring(text).GetAsString(ENC_UTF8);
    for (int32_t size = 1; size <= 12; ++size)
    {
        SCOPED_TRACE(size);
        const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF16_LE, ENC_UTF8, false);
        const std::vector<std::string> pieces = ConvertInPieces(*converter, source, size, 0);
        std::string joined;
        for (size_t i = 0; i < pieces.size(); ++i)
        {
            joined += pieces[i];
            if (i + 1 < pieces.size())
            {
                EXPECT_EQ(size_t(size), pieces[i].size());
            }
        }
        EXPECT_EQ(expected, joined);
    }
}

// A stateful encoding puts an escape before a character that changes its character set. A target
// cannot be read alone, as it may start in the state that the one before left, but every target
// ends between characters: the text so far decodes without a cut character. The last target ends
// with the escape back to ASCII.
TEST_F(EncodingConverterTest, StatefulTargetsEndBetweenCharacters)
{
    const orvik_wstring text(u"a\u65E5\u672C\u8A9Eb\u65E5");
    const std::string source = text.GetAsString(ENC_UTF16_LE);
    for (int32_t size = 7; size <= 16; ++size)
    {
        SCOPED_TRACE(size);
        const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF16_LE, ENC_ISO_2022_JP, true);
        std::string joined;
        for (const std::string& piece : ConvertInPieces(*converter, source, size, 1))
        {
            joined += piece;
            const orvik_wstring sofar(joined.data(), static_cast<int32_t>(joined.size()), ENC_ISO_2022_JP);
            EXPECT_TRUE(text.StartsWith(sofar)) << Show(sofar);
        }
        EXPECT_EQ(text.GetAsString(ENC_ISO_2022_JP), joined);
    }
}

// Only a final Convert ends the text, as more source may follow otherwise: the bytes of a cut
// character and a lone lead surrogate become substitutes, and a stateful encoding returns to its
// initial state. A final Convert after all was converted writes just that end.
TEST_F(EncodingConverterTest, AFinalConvertEndsTheText)
{
    const struct
    {
        EncodingType source;
        std::string text;
        EncodingType target;
        std::string converted;
    } cases[] = {
        {ENC_UTF8, "a\xE2\x82"s, ENC_UTF16_LE, "a\0\xFD\xFF"s},
        {ENC_UTF16_LE, "a\0\x3D\xD8"s, ENC_UTF8, "a\xEF\xBF\xBD"s},
        {ENC_UTF16_LE, "a\0\xE5\x65"s, ENC_ISO_2022_JP, "a\x1B$BF|\x1B(B"s},
    };
    for (const auto& c : cases)
    {
        for (bool terminate : {false, true})
        {
            SCOPED_TRACE(std::to_string(c.target) + (terminate ? " terminated" : ""));
            const std::unique_ptr<EncodingConverter> converter = Create(c.source, c.target, terminate);
            std::string target(16, 'x');
            converter->SetTarget(&target[0], 16);
            converter->SetSource(c.text.data(), static_cast<int32_t>(c.text.size()));
            EXPECT_EQ(-1, converter->Convert(false));
            EXPECT_EQ(static_cast<int32_t>(c.converted.size()), converter->Convert(true));
            EXPECT_EQ(c.converted, target.substr(0, c.converted.size()));
            EXPECT_FALSE(converter->NeedsConvert());
            EXPECT_EQ(static_cast<int32_t>(c.converted.size()), converter->Convert(true));

            converter->ResetPartial();
            converter->SetSource(c.text.data(), static_cast<int32_t>(c.text.size()));
            converter->SetTarget(&target[0], 16);
            EXPECT_EQ(static_cast<int32_t>(c.converted.size()), converter->Convert(true));
            EXPECT_EQ(c.converted, target.substr(0, c.converted.size()));
        }
    }
}

// An application's text: what the plain converters copy unchecked or replace is refused, at the
// offset of its first bad byte from the start of the text, by the copy and by ICU alike.
TEST_F(EncodingConverterTest, AStrictConverterRefusesTextThatIsNotValidInItsEncoding)
{
    const struct
    {
        EncodingType source;
        EncodingType target;
        std::vector<std::string> pieces;
        std::string outcome;
    } cases[] = {
        {ENC_UTF8, ENC_UTF8, {"caf\xC3\xA9"}, "caf\xC3\xA9"},
        {ENC_UTF8, ENC_UTF8, {"caf\xC3", "\xA9!"}, "caf\xC3\xA9!"},
        {ENC_UTF8, ENC_UTF8, {"caf\xE9!"}, "refused at 3"},
        {ENC_UTF8, ENC_UTF8, {"caf", "\xE9!"}, "refused at 3"},
        {ENC_UTF8, ENC_UTF8, {"caf\xC3"}, "refused at 3"},
        {ENC_US_ASCII, ENC_UTF8, {"caf\xE9"}, "refused at 3"},
        {ENC_UTF8, ENC_UTF16_LE, {"a\xED\xA0\x80"}, "refused at 1"},
        {ENC_UTF8, ENC_UTF16_LE, {"ab", "c\xE2\x82"}, "refused at 3"},
        {ENC_UTF16_LE, ENC_UTF8, {"a\0\x3D\xD8"s, "\x00\xDE"s}, "a\xF0\x9F\x98\x80"},
        {ENC_UTF16_LE, ENC_UTF8, {"a\0\x00\xDC"s}, "refused at 2"},
        {ENC_UTF16_LE, ENC_UTF8, {"a\0b\0"s, "\x3D\xD8"s}, "refused at 4"},
        {ENC_CP1252, ENC_UTF8, {"caf\xE9"}, "caf\xC3\xA9"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.source) + " to " + std::to_string(c.target) + ": " + c.outcome);
        const std::unique_ptr<EncodingConverter> converter = m_factory.CreateStrictConverter(c.source, c.target);
        EXPECT_EQ(Create(c.source, c.target, false)->IsSamePair(c.source, c.target), converter->IsSamePair(c.source, c.target));
        std::string target(16, 'x');
        std::string outcome;
        try
        {
            converter->SetTarget(&target[0], 16);
            for (const std::string& piece : c.pieces)
            {
                converter->SetSource(piece.data(), static_cast<int32_t>(piece.size()));
                EXPECT_EQ(-1, converter->Convert(false));
            }
            outcome = target.substr(0, static_cast<size_t>(converter->Convert(true)));
        }
        catch (const MalformedTextException& e)
        {
            EXPECT_EQ(DIAG_INVALID_CHARACTER_VALUE_FOR_CAST, e.GetDiagState());
            EXPECT_EQ("MalformedText", Show(e.GetMessageKey()));
            EXPECT_EQ(std::to_string(e.GetOffset() + 1), Show(e.GetParameters().at(0)));
            outcome = "refused at " + std::to_string(e.GetOffset());
        }
        EXPECT_EQ(c.outcome, outcome);
    }
}

// UTF-8 into UTF-16LE takes shortcuts past ICU's converters; the text must stay what they give,
// bytes that are not UTF-8 included, wherever a source or a target cuts it.
TEST_F(EncodingConverterTest, Utf8IntoUtf16GivesWhatIcusConverterGivesHoweverItIsCut)
{
    const std::string texts[] = {
        "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z\xF0\x9F\x98\x81",
        "\x80" "a\xC0\xAF" "b\xE0\x80\x80" "c\xED\xA0\x80" "d\xF4\x90\x80\x80" "e\xF5\xFF",
        "x\xE2\x82y\xF0\x9F\x98",
    };
    for (const std::string& text : texts)
    {
        std::u16string expected(text.size() + 1, u'\0');
        UErrorCode status = U_ZERO_ERROR;
        IcuConverter icu(ENC_UTF8);
        expected.resize(static_cast<size_t>(ucnv_toUChars(icu.Get(), &expected[0], static_cast<int32_t>(expected.size()),
                                                          text.data(), static_cast<int32_t>(text.size()), &status)));
        const std::string expectedBytes = orvik_wstring(expected).GetAsString(ENC_UTF16_LE);
        for (size_t split = 0; split <= text.size(); ++split)
        {
            for (const bool terminate : {false, true})
            {
                for (int32_t size = terminate ? 4 : 1; size <= 12; ++size)
                {
                    SCOPED_TRACE(BytesOf(text.data(), split) + " | " + std::to_string(size) + (terminate ? " terminated" : ""));
                    const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF8, ENC_UTF16_LE, terminate);
                    const std::string sources[] = {text.substr(0, split), text.substr(split)};
                    size_t nextSource = 0;
                    std::string joined;
                    std::vector<char> target(static_cast<size_t>(size));
                    converter->SetTarget(target.data(), size);
                    for (int rounds = 0; rounds < 100; ++rounds)
                    {
                        if (!converter->NeedsConvert() && nextSource < 2)
                        {
                            converter->SetSource(sources[nextSource].data(), static_cast<int32_t>(sources[nextSource].size()));
                            ++nextSource;
                        }
                        const bool isFinal = nextSource == 2;
                        const int32_t written = converter->Convert(isFinal);
                        if (written == -1)
                        {
                            continue;
                        }
                        joined += BytesOf(target.data(), static_cast<size_t>(written));
                        if (terminate)
                        {
                            // Whole characters, a surrogate pair cut only where the target has
                            // room for one code unit, and the terminator.
                            EXPECT_EQ("\0\0"s, BytesOf(target.data() + written, 2));
                            EXPECT_TRUE(size < 6 || written < 2
                                        || (static_cast<unsigned char>(target[written - 1]) & 0xFC) != 0xD8);
                        }
                        if (isFinal && !converter->NeedsConvert())
                        {
                            break;
                        }
                        converter->SetTarget(target.data(), size);
                    }
                    EXPECT_EQ(expectedBytes, joined);
                }
            }
        }
    }
}

TEST_F(EncodingConverterTest, TextLongerThanThePivotIsConvertedWhole)
{
    const std::u16string text = std::u16string(70000, u'\u00E9') + u"\U0001F600" + std::u16string(70000, u'a');
    const std::string source = orvik_wstring(text).GetAsString(ENC_UTF16_LE);
    const std::string expected = orvik_wstring(text).GetAsString(ENC_UTF8);
    for (bool terminate : {false, true})
    {
        SCOPED_TRACE(terminate ? "terminated" : "unterminated");
        const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF16_LE, ENC_UTF8, terminate);
        std::string joined;
        for (const std::string& piece : ConvertInPieces(*converter, source, 50001, terminate ? 1 : 0))
        {
            joined += piece;
        }
        EXPECT_EQ(expected, joined);
    }
}

TEST_F(EncodingConverterTest, ResetPartialLeavesNothingOfThePreviousText)
{
    for (EncodingType target : {ENC_UTF8, ENC_UTF16_LE})
    {
        for (bool terminate : {false, true})
        {
            SCOPED_TRACE(std::to_string(target) + (terminate ? " terminated" : ""));
            const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF8, target, terminate);
            std::vector<char> small(5);
            std::vector<char> large(32);

            // A cut character, undecoded source and decoded text wait inside the converter.
            converter->SetSource("\xE2\x82\xAC\xE2\x82\xAC\xE2\x82\xAC", 9);
            converter->SetTarget(small.data(), 5);
            converter->Convert(true);
            converter->ResetPartial();
            EXPECT_FALSE(converter->NeedsConvert());
            converter->SetSource("xy", 2);
            converter->SetTarget(large.data(), 32);
            int32_t written = converter->Convert(true);
            EXPECT_EQ(orvik_wstring(u"xy"), orvik_wstring(large.data(), written, target));

            // The first bytes of a character at the end of a consumed source.
            converter->SetSource("a\xE2\x82", 3);
            EXPECT_EQ(-1, converter->Convert(false));
            converter->ResetPartial();
            converter->SetSource("\xAC" "b", 2);
            converter->SetTarget(large.data(), 32);
            written = converter->Convert(true);
            EXPECT_EQ(orvik_wstring(u"\uFFFDb"), orvik_wstring(large.data(), written, target));
        }
    }

    const std::unique_ptr<EncodingConverter> copier = Create(ENC_UTF8, ENC_UTF8, false);
    char target[4];
    copier->SetSource("abcdef", 6);
    copier->SetTarget(target, 4);
    copier->Convert(true);
    copier->ResetPartial();
    EXPECT_FALSE(copier->NeedsConvert());
    copier->SetSource("xy", 2);
    copier->SetTarget(target, 4);
    EXPECT_EQ(2, copier->Convert(true));
    EXPECT_EQ("xy", BytesOf(target, 2));
}

TEST_F(EncodingConverterTest, ATargetWithoutRoomForATerminatorGetsNothing)
{
    for (EncodingType source : {ENC_UTF16_LE, ENC_UTF8})
    {
        SCOPED_TRACE(source);
        const std::unique_ptr<EncodingConverter> converter = Create(source, ENC_UTF16_LE, true);
        const std::string text = orvik_wstring(u"ab").GetAsString(source);
        converter->SetSource(text.data(), static_cast<int32_t>(text.size()));
        char target[1] = {'x'};
        converter->SetTarget(target, 1);
        EXPECT_EQ(0, converter->Convert(true));
        EXPECT_EQ('x', target[0]);
        EXPECT_TRUE(converter->NeedsConvert());

        // An odd room is used in whole code units.
        char odd[5];
        converter->SetTarget(odd, 5);
        EXPECT_EQ(2, converter->Convert(true));
        EXPECT_EQ("a\0\0\0"s, BytesOf(odd, 4));
    }
}

TEST_F(EncodingConverterTest, SourcesAreMeasuredAndTargetsNever)
{
    const std::unique_ptr<EncodingConverter> converter = Create(ENC_UTF32_BE, ENC_UTF8, false);
    EXPECT_EQ(8, converter->SetSource("\0\0\0a\0\0\0b\0\0\0\0"s.data(), NUL_TERMINATED));
    char target[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_THROW(converter->SetTarget(target, NUL_TERMINATED), InvalidArgumentException);
    EXPECT_THROW(converter->SetTarget(nullptr, 4), InvalidArgumentException);
    EXPECT_THROW(converter->SetSource("abc", -2), InvalidArgumentException);
    converter->SetTarget(target, 8);
    EXPECT_EQ(2, converter->Convert(true));
    EXPECT_EQ("ab", BytesOf(target, 2));
}

// ISO-646-IRV is opened under the name ICU knows it by.
TEST_F(EncodingConverterTest, Iso646IrvConvertsBothWays)
{
    const std::unique_ptr<EncodingConverter> encoder = Create(ENC_UTF8, 20, false);
    EXPECT_EQ((std::vector<std::string>{"a\x1A"}), ConvertInPieces(*encoder, "a\xC3\xA9", 8, 0));
    const std::unique_ptr<EncodingConverter> decoder = Create(20, ENC_UTF8, true);
    EXPECT_EQ((std::vector<std::string>{"ab"}), ConvertInPieces(*decoder, "ab", 8, 1));
}

} // namespace
