#include "Support/ErrorException.h"
#include "Support/EncodingRegistry.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"
#include "Support/orvik_wstring.h"

#include "StringTestSupport.h"

#include <gtest/gtest.h>
#include <unicode/locid.h>

#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

const orvik_wstring NULL_STRING;

// The tokens of in_text up to and including the first null one, shown as "<null>"; after it the
// position must be -1.
std::vector<std::string> Tokens(const orvik_wstring& in_text, const orvik_wstring& in_delimiter)
{
    std::vector<std::string> tokens;
    int32_t position = 0;
    for (int calls = 0; calls < 10; ++calls)
    {
        const orvik_wstring token = in_text.GetNextToken(position, in_delimiter);
        tokens.push_back(Show(token));
        if (token.IsNull())
        {
            EXPECT_EQ(-1, position);
            break;
        }
    }
    return tokens;
}

} // namespace

TEST(orvik_wstring, NullAndEmptyAreDifferentValues)
{
    orvik_wstring cleared(u"text");
    cleared.Clear();
    for (const orvik_wstring& null :
         {orvik_wstring(), orvik_wstring(static_cast<const char*>(nullptr)),
          orvik_wstring(static_cast<const char16_t*>(nullptr)), orvik_wstring(nullptr, 4, ENC_UTF8), cleared})
    {
        EXPECT_TRUE(null.IsNull());
        EXPECT_EQ(nullptr, null.GetBuffer());
        EXPECT_EQ(0, null.GetLength());
    }
    for (const orvik_wstring& empty : {orvik_wstring(""), orvik_wstring(u""), orvik_wstring(std::string()),
                                       orvik_wstring(std::u16string()), orvik_wstring("x", 0, ENC_LATIN1)})
    {
        EXPECT_FALSE(empty.IsNull());
        EXPECT_EQ(0, empty.GetLength());
        EXPECT_FALSE(empty == NULL_STRING);
        EXPECT_TRUE(empty != NULL_STRING);
    }
}

TEST(orvik_wstring, CompareSortsNullFirstThenByCodeUnit)
{
    const struct
    {
        orvik_wstring left;
        orvik_wstring right;
        int32_t order;
    } cases[] = {
        {NULL_STRING, NULL_STRING, 0},
        {NULL_STRING, u"", -1},
        {u"", NULL_STRING, 1},
        {u"abc", u"abd", -1},
        {u"b", u"abc", 1},
        {u"ab", u"ab", 0},
        {u"Z", u"a", -1},
        {u"\uFFFF", u"\U00010000", 1},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.order, c.left.Compare(c.right)) << Show(c.left) << " vs " << Show(c.right);
        EXPECT_EQ(c.order < 0, c.left < c.right);
        EXPECT_EQ(c.order == 0, c.left == c.right);
    }
}

TEST(orvik_wstring, CompareWithACount)
{
    const struct
    {
        orvik_wstring left;
        orvik_wstring right;
        int32_t count;
        bool caseSensitive;
        int32_t order;
    } cases[] = {
        // Case-sensitive: the start of this string against the whole other string.
        {u"abc", u"ab", 2, true, 0},
        {u"abc", u"abd", 2, true, -1},
        {u"abc", u"ABD", 2, true, 1},
        // Case-insensitive: the start of both.
        {u"abc", u"ABD", 2, false, 0},
        {u"abc", u"ABD", 3, false, -1},
        {NULL_STRING, u"", 0, false, -1},
        {u"", NULL_STRING, 0, true, 1},
        {NULL_STRING, NULL_STRING, 5, true, 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.order, c.left.Compare(c.right, c.count, c.caseSensitive))
            << Show(c.left) << " vs " << Show(c.right) << ", " << c.count;
    }
}

TEST(orvik_wstring, IsEqualFoldsCaseOnlyWhenAsked)
{
    EXPECT_TRUE(orvik_wstring(u"DriverLocale").IsEqual(u"DRIVERLOCALE", false));
    EXPECT_FALSE(orvik_wstring(u"DriverLocale").IsEqual(u"DRIVERLOCALE", true));
    EXPECT_TRUE(orvik_wstring(u"Stra\u00DFe").IsEqual(u"STRASSE", false));
    EXPECT_TRUE(NULL_STRING.IsEqual(NULL_STRING, false));
    EXPECT_FALSE(NULL_STRING.IsEqual(u"", false));
}

TEST(orvik_wstring, SearchFindsNothingWithANullOperand)
{
    const orvik_wstring text(u"a,b,c");
    EXPECT_EQ(1, text.Find(u","));
    EXPECT_EQ(3, text.Find(u",", 2));
    EXPECT_EQ(-1, text.Find(u";"));
    EXPECT_EQ(3, text.FindLast(u","));
    EXPECT_EQ(-1, text.FindLast(u",", 4));
    EXPECT_EQ(-1, text.Find(NULL_STRING));
    EXPECT_EQ(-1, NULL_STRING.Find(u","));
    EXPECT_EQ(-1, NULL_STRING.FindLast(u","));
    EXPECT_TRUE(text.StartsWith(u"a,"));
    EXPECT_FALSE(text.StartsWith(NULL_STRING));
    EXPECT_FALSE(NULL_STRING.StartsWith(u""));
}

TEST(orvik_wstring, SubstrClampsAndKeepsNull)
{
    const orvik_wstring text(u"server:9200");
    EXPECT_EQ("9200", Show(text.Substr(7)));
    EXPECT_EQ("server", Show(text.Substr(0, 6)));
    EXPECT_EQ("9200", Show(text.Substr(7, 100)));
    EXPECT_EQ("", Show(text.Substr(50)));
    EXPECT_EQ("<null>", Show(NULL_STRING.Substr(0, 1)));
}

TEST(orvik_wstring, CharAtGivesCodePoints)
{
    const orvik_wstring text(u"a\U0001F600");
    EXPECT_EQ(U'a', text.CharAt(0));
    EXPECT_EQ(0x1F600, text.CharAt(1));
    EXPECT_EQ(0x1F600, text.CharAt(2));
    EXPECT_THROW(NULL_STRING.CharAt(0), InvalidOperationException);
}

TEST(orvik_wstring, GetNextTokenSplitsAtTheDelimiter)
{
    const struct
    {
        orvik_wstring text;
        orvik_wstring delimiter;
        std::vector<std::string> tokens;
    } cases[] = {
        {u"a,,b", u",", {"a", "", "b", "<null>"}},
        {u"a,", u",", {"a", "<null>"}},
        {u",a", u",", {"", "a", "<null>"}},
        {u"a", u";", {"a", "<null>"}},
        {u"h1::h2", u"::", {"h1", "h2", "<null>"}},
        // The first backslash of a stretch, right before a delimiter, keeps the delimiter in the
        // token; the backslash is dropped.
        {u"h1:1\\,x,h2:2", u",", {"h1:1,x", "h2:2", "<null>"}},
        {u"a\\,b\\,c", u",", {"a,b,c", "<null>"}},
        {u"a\\,", u",", {"a,", "<null>"}},
        {u"\\,a,b", u",", {",a", "b", "<null>"}},
        {u"h\\::x::y", u"::", {"h::x", "y", "<null>"}},
        // A backslash that is not the first of its stretch escapes nothing.
        {u"a\\b\\,c", u",", {"a\\b\\", "c", "<null>"}},
        {u"a\\\\,b", u",", {"a\\\\", "b", "<null>"}},
        {u"a\\,b\\c\\,d", u",", {"a,b\\c\\", "d", "<null>"}},
        {u"c:\\dir,x\\y", u",", {"c:\\dir", "x\\y", "<null>"}},
        // An empty delimiter is never found.
        {u"a,b", u"", {"a,b", "<null>"}},
        {u"", u",", {"<null>"}},
        {NULL_STRING, u",", {"<null>"}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.tokens, Tokens(c.text, c.delimiter)) << Show(c.text);
    }
}

TEST(orvik_wstring, GetNextTokenEndsAtOrBeyondTheText)
{
    const orvik_wstring text(u"a");
    for (int32_t start : {1, 2, -1})
    {
        int32_t position = start;
        EXPECT_EQ("<null>", Show(text.GetNextToken(position, u","))) << start;
        EXPECT_EQ(-1, position);
    }
    int32_t position = 0;
    EXPECT_THROW(text.GetNextToken(position, NULL_STRING), InvalidArgumentException);
}

TEST(orvik_wstring, ConcatenationTreatsNullAsNothing)
{
    const struct
    {
        orvik_wstring left;
        orvik_wstring right;
        const char* joined;
    } cases[] = {
        {NULL_STRING, NULL_STRING, "<null>"},
        {NULL_STRING, u"b", "b"},
        {u"a", NULL_STRING, "a"},
        {NULL_STRING, u"", ""},
        {u"", u"", ""},
        {u"a", u"b", "ab"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.joined, Show(c.left + c.right));
        orvik_wstring appended(c.left);
        appended += c.right;
        EXPECT_EQ(c.joined, Show(appended));
    }
    EXPECT_EQ("key=value", Show("key=" + orvik_wstring(u"value")));
    EXPECT_EQ("[x]", Show(u"[" + orvik_wstring(u"x") + u"]"));
}

TEST(orvik_wstring, JoinSizesOnceAndIsNullOnlyForNoParts)
{
    const std::vector<orvik_wstring> none;
    const std::vector<orvik_wstring> twoEmpty = {u"", u""};
    const std::vector<orvik_wstring> withNulls = {NULL_STRING, u"a", NULL_STRING};
    const std::vector<orvik_wstring> parts = {u"x", u"yy", u"z"};
    EXPECT_EQ("<null>", Show(orvik_wstring::Join(none.begin(), none.end(), u",")));
    EXPECT_EQ(",", Show(orvik_wstring::Join(twoEmpty.begin(), twoEmpty.end(), u",")));
    EXPECT_EQ("-a-", Show(orvik_wstring::Join(withNulls.begin(), withNulls.end(), u"-")));
    EXPECT_EQ("x, yy, z", Show(orvik_wstring::Join(parts.begin(), parts.end(), u", ")));
    EXPECT_EQ("xyyz", Show(orvik_wstring::Join(parts.begin(), parts.end(), NULL_STRING)));
    EXPECT_EQ("", Show(orvik_wstring::Join(withNulls.begin(), withNulls.begin() + 1, u",")));
}

TEST(orvik_wstring, TrimmingKeepsTheStringNonNull)
{
    const struct
    {
        orvik_wstring text;
        const char* trailingTrimmed;
        const char* trimmed;
    } cases[] = {
        {u" \t ", "", ""},
        {u" a \t", " a", "a"},
        {u"a\u00A0", "a\u00A0", "a\u00A0"},
        {u"\n a\n", "\n a\n", "a"},
        {NULL_STRING, "<null>", "<null>"},
    };
    for (const auto& c : cases)
    {
        orvik_wstring trailing(c.text);
        trailing.TrimTrailingBlanks();
        EXPECT_EQ(c.trailingTrimmed, Show(trailing));
        orvik_wstring both(c.text);
        both.Trim();
        EXPECT_EQ(c.trimmed, Show(both));
    }
}

TEST(orvik_wstring, TruncateAtNulLooksFromTheStart)
{
    const char16_t units[] = {u'a', u'b', u'\0', u'c', u'\0', u'd'};
    orvik_wstring fromStart(units, 6);
    fromStart.TruncateAtNul(0);
    EXPECT_EQ("ab", Show(fromStart));
    orvik_wstring fromThree(units, 6);
    fromThree.TruncateAtNul(3);
    EXPECT_EQ(4, fromThree.GetLength());
    orvik_wstring withoutNul(u"abc");
    withoutNul.TruncateAtNul(0);
    EXPECT_EQ("abc", Show(withoutNul));
}

TEST(orvik_wstring, ReplaceDoesNotRescanWhatItInserted)
{
    orvik_wstring text(u"a-b-c");
    text.Replace(u"-", u"--");
    EXPECT_EQ("a--b--c", Show(text));
    text.Replace(u"", u"x");
    text.Replace(NULL_STRING, u"x");
    text.Replace(u"-", NULL_STRING);
    EXPECT_EQ("a--b--c", Show(text));
    orvik_wstring null;
    null.Replace(u"a", u"b");
    EXPECT_TRUE(null.IsNull());
}

TEST(orvik_wstring, CopiesAreDeepAndSwapExchanges)
{
    orvik_wstring original(u"abc");
    orvik_wstring copy(original);
    copy.ToUpper();
    EXPECT_EQ("abc", Show(original));
    copy = NULL_STRING;
    EXPECT_TRUE(copy.IsNull());
    copy = original;
    EXPECT_EQ("abc", Show(copy));
    copy = static_cast<const char16_t*>(nullptr);
    EXPECT_TRUE(copy.IsNull());
    copy.Swap(original);
    EXPECT_TRUE(original.IsNull());
    EXPECT_EQ("abc", Show(copy));
}

class CaseMapping : public ::testing::Test
{
protected:
    CaseMapping() : m_locale(icu::Locale::getDefault())
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(icu::Locale("tr", "TR"), status);
    }

    ~CaseMapping() override
    {
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(m_locale, status);
    }

private:
    icu::Locale m_locale;
};

TEST_F(CaseMapping, IdentifiersIgnoreTheDefaultLocale)
{
    orvik_wstring shown(u"driverlocale");
    shown.ToUpper();
    EXPECT_EQ("DR\u0130VERLOCALE", Show(shown));
    orvik_wstring identifier(u"driverlocale");
    identifier.ToUpperIdentifier();
    EXPECT_EQ("DRIVERLOCALE", Show(identifier));

    orvik_wstring lowered(u"INSERT");
    lowered.ToLower();
    EXPECT_EQ("\u0131nsert", Show(lowered));
    orvik_wstring keyword(u"INSERT");
    keyword.ToLowerIdentifier();
    EXPECT_EQ("insert", Show(keyword));
}

class StringEncodings : public EncodingsRestored
{
};

TEST_F(StringEncodings, AnsiTextIsUtf8UntilStartUpSetsIt)
{
    EXPECT_EQ(ENC_UTF8, orvik_wstring::GetAnsiEncoding());
    EXPECT_EQ(orvik_wstring(u"\u00E9"), orvik_wstring("\xC3\xA9"));

    orvik_wstring::InitializeAnsiEncoding(ENC_LATIN1);
    const orvik_wstring latin("\xE9t\xE9", 3);
    EXPECT_EQ(orvik_wstring(u"\u00E9t\u00E9"), latin);
    EXPECT_EQ("\xE9t\xE9", latin.GetAsAnsiString());
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", latin.GetAsUTF8());
    EXPECT_EQ(orvik_wstring(u"\u00E9"), orvik_wstring(std::string("\xE9")));
}

TEST_F(StringEncodings, InitializeAnsiEncodingTakesTheDefaultOrAnIndex)
{
    orvik_wstring::InitializeAnsiEncoding(ENC_NONE);
    EXPECT_EQ(EncodingRegistry::GetDefaultAnsiEncoding(), orvik_wstring::GetAnsiEncoding());
    orvik_wstring::InitializeAnsiEncoding(ENC_CP1252);
    EXPECT_EQ(ENC_CP1252, orvik_wstring::GetAnsiEncoding());
    EXPECT_THROW(orvik_wstring::InitializeAnsiEncoding(ENCODING_COUNT), InvalidArgumentException);
    EXPECT_EQ(ENC_CP1252, orvik_wstring::GetAnsiEncoding());

    orvik_wstring::SetDriverManagerEncoding(ENC_UTF32_LE);
    orvik_wstring::SetDatabaseCharEncoding(ENC_LATIN1);
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
    EXPECT_EQ(ENC_UTF32_LE, orvik_wstring::GetDriverManagerEncoding());
    EXPECT_EQ(ENC_LATIN1, orvik_wstring::GetDatabaseCharEncoding());
    EXPECT_EQ(ENC_UTF16_LE, orvik_wstring::GetDatabaseWCharEncoding());
    EXPECT_THROW(orvik_wstring::SetDatabaseCharEncoding(-2), InvalidArgumentException);
}

TEST(orvik_wstring, DecodesBytesInAGivenEncoding)
{
    const struct
    {
        std::string bytes;
        int32_t length;
        EncodingType encoding;
        orvik_wstring text;
    } cases[] = {
        {std::string("\0A\0B", 4), 4, ENC_UTF16_BE, u"AB"},
        {std::string("A\0B\0C", 5), 5, ENC_UTF16_LE, u"AB"},
        {std::string("A\0B\0\0\0", 6), NUL_TERMINATED, ENC_UTF16_LE, u"AB"},
        // Measured by whole code units: the zero bytes inside a character do not end the text.
        {std::string("\0A\0B\0\0", 6), NUL_TERMINATED, ENC_UTF16_BE, u"AB"},
        {std::string("A\0\0\0B\0\0\0\0\0\0\0", 12), NUL_TERMINATED, ENC_UTF32_LE, u"AB"},
        {std::string("\0\0\0A\0\0\0\0", 8), NUL_TERMINATED, ENC_UTF32_BE, u"A"},
        {"\xC1\x40\xC2", 3, 41, u"A B"},
        {"\xE9\0x", NUL_TERMINATED, ENC_LATIN1, u"\u00E9"},
        {"\xFF", 1, ENC_UTF8, u"\uFFFD"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.text, orvik_wstring(c.bytes.data(), c.length, c.encoding)) << "encoding " << c.encoding;
    }
}

TEST(orvik_wstring, DecodingErrorsAreRaised)
{
    EXPECT_THROW(orvik_wstring("abc", 3, ENCODING_COUNT), InvalidArgumentException);
    EXPECT_THROW(orvik_wstring("abc", -2, ENC_UTF8), InvalidArgumentException);
    EXPECT_THROW(orvik_wstring(u"abc", -1), InvalidArgumentException);
}

// The same bytes through ICU alone and through the platform's pooled converters.
TEST(orvik_wstring, EncodesExactlyTheBytes)
{
    const orvik_wstring text(u"A\u00E9\U0001F600");
    // ICU measures a two-byte substitute for the lone surrogate and writes a one-byte one.
    const orvik_wstring loneSurrogate(u"\xD961\u00AD");
    const struct
    {
        orvik_wstring text;
        EncodingType encoding;
        std::string bytes;
    } cases[] = {
        {text, ENC_UTF8, "A\xC3\xA9\xF0\x9F\x98\x80"},
        {text, ENC_UTF16_LE, std::string("A\0\xE9\0\x3D\xD8\x00\xDE", 8)},
        {text, ENC_UTF16_BE, std::string("\0A\0\xE9\xD8\x3D\xDE\x00", 8)},
        {text, ENC_UTF32_BE, std::string("\0\0\0A\0\0\0\xE9\0\x01\xF6\0", 12)},
        {text, ENC_LATIN1, "A\xE9\x1A"},
        {loneSurrogate, 38, "\x1A"},
        {loneSurrogate, 117, "\x7F"},
        {NULL_STRING, ENC_UTF8, ""},
        {NULL_STRING, ENC_UTF16_LE, ""},
        {orvik_wstring(u""), ENC_UTF8, ""},
        {orvik_wstring(u""), ENC_UTF16_LE, ""},
    };
    for (bool withPlatform : {false, true})
    {
        SCOPED_TRACE(withPlatform ? "with the platform" : "without the platform");
        if (withPlatform)
        {
            Orvik::Platform::InitializePlatform(false);
        }
        for (const auto& c : cases)
        {
            EXPECT_EQ(c.bytes, c.text.GetAsString(c.encoding)) << "encoding " << c.encoding;
        }
        if (withPlatform)
        {
            Orvik::Platform::UninitializePlatform();
        }
    }
    EXPECT_EQ(std::u16string(u"A\u00E9\U0001F600"), text.GetAsWString());
    EXPECT_EQ(4u, text.GetAsWString().size());
    EXPECT_TRUE(NULL_STRING.GetAsWString().empty());
    EXPECT_TRUE(orvik_wstring(u"").GetAsWString().empty());
}

TEST(orvik_wstring, WritableBufferCountsBytes)
{
    orvik_wstring text;
    char16_t* buffer = text.GetWritableBuffer(7);
    EXPECT_FALSE(text.IsNull());
    EXPECT_GE(text.GetCapacityInBytes(), 8);
    buffer[0] = u'a';
    buffer[1] = u'b';
    buffer[2] = u'c';
    text.ReleaseBuffer(5);
    EXPECT_EQ("ab", Show(text));
    EXPECT_EQ(4, text.GetLengthInBytes());

    buffer = text.GetWritableBuffer(8);
    buffer[2] = u'\0';
    buffer[3] = u'd';
    text.ReleaseBuffer(NUL_TERMINATED);
    EXPECT_EQ("ab", Show(text));

    orvik_wstring null;
    null.ReleaseBuffer(4);
    EXPECT_TRUE(null.IsNull());
    EXPECT_EQ(0, null.GetCapacityInBytes());
}

TEST(orvik_wstring, WritableBufferHoldsAnOddByteCount)
{
    for (int32_t byteCount = 1; byteCount < 200; byteCount += 2)
    {
        for (orvik_wstring text : {NULL_STRING, orvik_wstring(u"x")})
        {
            text.GetWritableBuffer(byteCount);
            EXPECT_GE(text.GetCapacityInBytes(), byteCount) << byteCount;
            text.ReleaseBuffer(0);
        }
    }
}
