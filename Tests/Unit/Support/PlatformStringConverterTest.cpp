#include "Support/ConverterPool.h"
#include "Support/EncodingInfo.h"
#include "Support/InvalidArgumentException.h"
#include "Support/PlatformStringConverter.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace Orvik::Support;
using namespace std::string_literals;

namespace {

// One text and its bytes in each kind of encoding: Unicode forms of either width and byte order,
// a single-byte set and an EBCDIC code page.
struct EncodedText
{
    EncodingType encoding;
    std::u16string text;
    std::string bytes;
};

const EncodedText ENCODED_TEXTS[] = {
    {ENC_UTF8, u"A\u00E9\u20AC\U0001F600", "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"s},
    {ENC_UTF16_LE, u"A\u00E9\u20AC\U0001F600", "A\x00\xE9\x00\xAC\x20\x3D\xD8\x00\xDE"s},
    {ENC_UTF16_BE, u"A\u00E9\u20AC\U0001F600", "\x00" "A\x00\xE9\x20\xAC\xD8\x3D\xDE\x00"s},
    {ENC_UTF32_LE, u"A\u00E9\u20AC\U0001F600",
     "A\x00\x00\x00\xE9\x00\x00\x00\xAC\x20\x00\x00\x00\xF6\x01\x00"s},
    {ENC_UTF32_BE, u"A\u00E9\u20AC\U0001F600",
     "\x00\x00\x00" "A\x00\x00\x00\xE9\x00\x00\x20\xAC\x00\x01\xF6\x00"s},
    {ENC_CP1252, u"A\u00E9\u20AC", "A\xE9\x80"s},
    {ENC_IBM037, u"A\u00E9 ", "\xC1\x51\x40"s},
};

class PlatformStringConverterTest : public ::testing::Test
{
protected:
    orvik_wstring Decode(const std::string& in_bytes, int32_t in_length, EncodingType in_encoding)
    {
        orvik_wstring text(u"old text");
        m_converter.BytesToWString(in_bytes.data(), in_length, in_encoding, text);
        return text;
    }

    PlatformStringConverter m_converter;
};

TEST_F(PlatformStringConverterTest, DecodesAndEncodesEachEncoding)
{
    for (const EncodedText& row : ENCODED_TEXTS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(row.encoding));
        const int32_t length = static_cast<int32_t>(row.bytes.size());
        EXPECT_EQ(orvik_wstring(row.text), Decode(row.bytes, length, row.encoding));
        EXPECT_EQ(length, m_converter.GetRequiredBytes(orvik_wstring(row.text), row.encoding));

        std::vector<char> target(row.bytes.size());
        bool truncated = true;
        EXPECT_EQ(length, m_converter.FromWString(row.text, target.data(), length, row.encoding, truncated));
        EXPECT_FALSE(truncated);
        EXPECT_EQ(row.bytes, BytesOf(target.data(), target.size()));
    }
}

TEST_F(PlatformStringConverterTest, NullBytesGiveNullAndNoBytesGiveEmpty)
{
    for (const EncodedText& row : ENCODED_TEXTS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(row.encoding));
        orvik_wstring text(u"old text");
        m_converter.BytesToWString(nullptr, 4, row.encoding, text);
        EXPECT_TRUE(text.IsNull());

        const orvik_wstring empty = Decode(row.bytes, 0, row.encoding);
        EXPECT_FALSE(empty.IsNull());
        EXPECT_EQ(0, empty.GetLength());
    }
}

// UTF-16LE, copied, drops an odd last byte; ICU decodes a cut character of the other encodings as
// its substitute. The strings hold exactly the bytes given, so that any access beyond is reported.
TEST_F(PlatformStringConverterTest, ACutCharacterAtTheEndIsDroppedOrReplaced)
{
    const struct
    {
        EncodingType encoding;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {ENC_UTF16_LE, "A\0B"s, u"A"},
        {ENC_UTF16_LE, "B"s, u""},
        {ENC_UTF16_BE, "\0A\0"s, u"A\uFFFD"},
        {ENC_UTF32_LE, "A\0\0\0B"s, u"A\uFFFD"},
        {ENC_UTF32_BE, "\0\0\0A\0\0\0"s, u"A\uFFFD"},
        {ENC_UTF8, "A\xE2\x82"s, u"A\uFFFD"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(c.encoding));
        EXPECT_EQ(orvik_wstring(c.text), Decode(c.bytes, static_cast<int32_t>(c.bytes.size()), c.encoding));
    }
}

TEST_F(PlatformStringConverterTest, NulTerminatedTextEndsAtTheFirstZeroCodeUnit)
{
    for (const EncodedText& row : ENCODED_TEXTS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(row.encoding));
        const std::string terminated = row.bytes + std::string(EncodingInfo::GetCodeUnitSize(row.encoding), '\0') + "junk";
        EXPECT_EQ(static_cast<int32_t>(row.bytes.size()), m_converter.GetNtsByteLength(terminated.data(), row.encoding));
        EXPECT_EQ(orvik_wstring(row.text), Decode(terminated, NUL_TERMINATED, row.encoding));
    }
    EXPECT_EQ(4, m_converter.GetNtsByteLength("\0A\0B\0\0"s.data(), ENC_UTF16_BE));
    EXPECT_EQ(8, m_converter.GetNtsByteLength("A\0\0\0B\0\0\0\0\0\0\0"s.data(), ENC_UTF32_LE));
    EXPECT_EQ(8, m_converter.GetNtsByteLength("\0\0\0A\0\0\0B\0\0\0\0"s.data(), ENC_UTF32_BE));
}

TEST_F(PlatformStringConverterTest, AShortTargetGetsTheFullLengthAndTheTruncationFlag)
{
    for (const EncodedText& row : ENCODED_TEXTS)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(row.encoding));
        const int32_t length = static_cast<int32_t>(row.bytes.size());
        std::vector<char> target(length - 1);
        bool truncated = false;
        EXPECT_EQ(length, m_converter.FromWString(row.text, target.data(), length - 1, row.encoding, truncated));
        EXPECT_TRUE(truncated);

        EXPECT_EQ(length, m_converter.FromWString(row.text, nullptr, 0, row.encoding, truncated));
        EXPECT_TRUE(truncated);
    }
}

TEST_F(PlatformStringConverterTest, ARoomyTargetGetsATerminatorFromIcuOnly)
{
    std::string target(8, 'x');
    bool truncated = true;
    EXPECT_EQ(2, m_converter.FromWString(u"AB", &target[0], 8, ENC_CP1252, truncated));
    EXPECT_FALSE(truncated);
    EXPECT_EQ("AB\0xxxxx"s, target);

    target.assign(8, 'x');
    EXPECT_EQ(4, m_converter.FromWString(u"AB", &target[0], 8, ENC_UTF16_LE, truncated));
    EXPECT_EQ("A\0B\0xxxx"s, target);
}

TEST_F(PlatformStringConverterTest, NullTextsTakeNoBytes)
{
    bool truncated = true;
    EXPECT_EQ(0, m_converter.GetRequiredBytes(orvik_wstring(), ENC_UTF8));
    EXPECT_EQ(0, m_converter.FromWString(orvik_wstring(), nullptr, 0, ENC_UTF8, truncated));
    EXPECT_FALSE(truncated);
    EXPECT_EQ(0, m_converter.GetNtsByteLength(nullptr, ENC_UTF32_LE));
}

TEST_F(PlatformStringConverterTest, MisuseIsRaised)
{
    orvik_wstring text;
    bool truncated = false;
    char target[4];
    EXPECT_THROW(m_converter.BytesToWString("abc", -2, ENC_UTF8, text), InvalidArgumentException);
    EXPECT_THROW(m_converter.BytesToWString("abc", 3, ENCODING_COUNT, text), InvalidArgumentException);
    EXPECT_THROW(m_converter.FromWString(u"abc", target, -1, ENC_UTF8, truncated), InvalidArgumentException);
    EXPECT_THROW(m_converter.FromWString(u"abc", nullptr, 4, ENC_UTF16_LE, truncated), InvalidArgumentException);
}

TEST_F(PlatformStringConverterTest, WidenAsciiPutsEachLetterInItsCodeUnit)
{
    const struct
    {
        EncodingType encoding;
        std::string widened;
    } cases[] = {
        {ENC_UTF8, "abc\0"s},
        {ENC_CP1252, "abc\0"s},
        {ENC_UTF16_LE, "a\0b\0c\0\0\0"s},
        {ENC_UTF16_BE, "\0a\0b\0c\0\0"s},
        {ENC_UTF32_LE, "a\0\0\0b\0\0\0c\0\0\0\0\0\0\0"s},
        {ENC_UTF32_BE, "\0\0\0a\0\0\0b\0\0\0c\0\0\0\0"s},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(EncodingInfo::GetEncodingName(c.encoding));
        const int32_t needed = static_cast<int32_t>(c.widened.size());
        std::string target(needed, 'x');
        EXPECT_FALSE(m_converter.WidenAscii("abc", 3, &target[0], needed - 1, c.encoding, true));
        EXPECT_EQ(std::string(needed, 'x'), target);
        EXPECT_TRUE(m_converter.WidenAscii("abc", 3, &target[0], needed, c.encoding, true));
        EXPECT_EQ(c.widened, target);

        char narrowed[4] = {'x', 'x', 'x', 'x'};
        EXPECT_FALSE(m_converter.NarrowToAscii(c.widened.data(), needed, c.encoding, narrowed, 4));
        EXPECT_EQ('x', narrowed[0]);
        EXPECT_TRUE(m_converter.NarrowToAscii(c.widened.data(), needed - 1, c.encoding, narrowed, 4));
        EXPECT_EQ("abc\0"s, BytesOf(narrowed, 4));
    }
    std::string unterminated(6, 'x');
    EXPECT_TRUE(m_converter.WidenAscii("abc", 3, &unterminated[0], 6, ENC_UTF16_BE, false));
    EXPECT_EQ("\0a\0b\0c"s, unterminated);
    EXPECT_TRUE(m_converter.WidenAscii("abc", -1, nullptr, 0, ENC_UTF16_LE, true));
}

TEST_F(PlatformStringConverterTest, NarrowToAsciiReportsUnitsThatHeldMore)
{
    char narrowed[3];
    EXPECT_FALSE(m_converter.NarrowToAscii("a\0\x01\x01"s.data(), 4, ENC_UTF16_LE, narrowed, 3));
    EXPECT_EQ("a\x01\0"s, BytesOf(narrowed, 3));
    EXPECT_FALSE(m_converter.NarrowToAscii("\x01" "a"s.data(), 2, ENC_UTF16_BE, narrowed, 3));
    EXPECT_EQ("a\0"s, BytesOf(narrowed, 2));
    EXPECT_TRUE(m_converter.NarrowToAscii("junk", -1, ENC_UTF8, nullptr, 0));
}

// Two threads that hold a converter of the same encoding at the same time get two converters,
// and both stay in the pool for later use.
TEST(ConverterPool, ConvertersInUseAtOnceAreDistinctAndKept)
{
    ConverterPool pool(ENC_CP1252);
    std::mutex mutex;
    std::condition_variable changed;
    int holding = 0;
    std::vector<UConverter*> used(2);
    auto convert = [&](size_t in_index) {
        ConverterPool::Lease lease(pool);
        used[in_index] = lease.Get();
        std::unique_lock<std::mutex> lock(mutex);
        ++holding;
        changed.notify_all();
        changed.wait(lock, [&] { return holding == 2; });
    };
    std::thread first(convert, 0);
    std::thread second(convert, 1);
    first.join();
    second.join();

    EXPECT_NE(used[0], used[1]);
    EXPECT_EQ(2u, pool.GetIdleCount());
    {
        ConverterPool::Lease lease(pool);
        EXPECT_TRUE(lease.Get() == used[0] || lease.Get() == used[1]);
        EXPECT_EQ(1u, pool.GetIdleCount());
    }
    EXPECT_EQ(2u, pool.GetIdleCount());
}

} // namespace
