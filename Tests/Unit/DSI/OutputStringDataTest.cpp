#include "DSI/Client/DSITypeUtilities.h"
#include "Support/EncodingInfo.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "DSITestSupport.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Platform;
using Orvik::Testing::Outcome;

namespace {

// Three characters of three UTF-8 bytes each.
const orvik_wstring THREE_WIDE = u"\u3042\u3044\u3046";
// Characters of one, two, three and four UTF-8 bytes (the last a surrogate pair in UTF-16).
const orvik_wstring MIXED = u"a\u00e9\u20ac\U0001F600z";

struct Piece
{
    std::string bytes;
    bool more;
};

class OutputStringDataTest : public EncodingsRestored
{
protected:
    OutputStringDataTest() { Platform::InitializePlatform(false); }
    ~OutputStringDataTest() override { Platform::UninitializePlatform(); }

    /// A VARCHAR value holder in in_encoding.
    SqlData& Target(EncodingType in_encoding)
    {
        orvik_wstring::SetDatabaseCharEncoding(in_encoding);
        m_metadata = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_VARCHAR, false, 0);
        m_data = SqlDataFactory().CreateNewSqlData(*m_metadata);
        return *m_data;
    }

    Piece Output(const orvik_wstring& in_text, EncodingType in_encoding, int64_t in_offset, int64_t in_max)
    {
        SqlData& target = Target(in_encoding);
        const bool more = DSITypeUtilities::OutputStringData(in_text, target, in_offset, in_max);
        return {std::string(static_cast<const char*>(target.GetBuffer()), target.GetLength()), more};
    }

    /// Reads the whole value the way the ODBC layer does: each call from where the last ended,
    /// until no more remains. Gives up after far more calls than the value has bytes.
    std::vector<std::string>
    ReadInPieces(const orvik_wstring& in_text, EncodingType in_encoding, int64_t in_max, int64_t in_offset = 0)
    {
        std::vector<std::string> pieces;
        int64_t offset = in_offset;
        for (int call = 0; call < 1000; ++call)
        {
            const Piece piece = Output(in_text, in_encoding, offset, in_max);
            pieces.push_back(piece.bytes);
            offset += static_cast<int64_t>(piece.bytes.size());
            if (!piece.more)
            {
                return pieces;
            }
        }
        ADD_FAILURE() << "no end after 1000 calls";
        return pieces;
    }

    std::unique_ptr<SqlTypeMetadata> m_metadata;
    std::unique_ptr<SqlData> m_data;
};

std::string Joined(const std::vector<std::string>& in_pieces)
{
    std::string joined;
    for (const std::string& piece : in_pieces)
    {
        joined += piece;
    }
    return joined;
}

std::vector<size_t> Sizes(const std::vector<std::string>& in_pieces)
{
    std::vector<size_t> sizes;
    for (const std::string& piece : in_pieces)
    {
        sizes.push_back(piece.size());
    }
    return sizes;
}

} // namespace

TEST_F(OutputStringDataTest, TheNullStringIsNullAndTheEmptyStringIsEmpty)
{
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE})
    {
        SqlData& target = Target(encoding);
        EXPECT_FALSE(DSITypeUtilities::OutputStringData(orvik_wstring(), target, 0, -1));
        EXPECT_TRUE(target.IsNull());
        EXPECT_FALSE(DSITypeUtilities::OutputWVarCharStringData(u"", target, 0, -1));
        EXPECT_FALSE(target.IsNull());
        EXPECT_EQ(0u, target.GetLength());
    }
}

TEST_F(OutputStringDataTest, Utf16IsCopiedInPiecesOfWholeCodeUnits)
{
    const Piece first = Output(u"abc", ENC_UTF16_LE, 0, 5);
    EXPECT_EQ(std::string("a\0b\0", 4), first.bytes);
    EXPECT_TRUE(first.more);
    const Piece rest = Output(u"abc", ENC_UTF16_LE, 4, -1);
    EXPECT_EQ(std::string("c\0", 2), rest.bytes);
    EXPECT_FALSE(rest.more);

    // An odd offset puts the cut where the code units end.
    EXPECT_EQ(3u, Output(u"abc", ENC_UTF16_LE, 1, 4).bytes.size());
    // A limit of one byte still moves on, and the pieces give the value back exactly.
    const std::vector<std::string> bytes = ReadInPieces(u"abc", ENC_UTF16_LE, 1);
    EXPECT_EQ(6u, bytes.size());
    EXPECT_EQ(std::string("a\0b\0c\0", 6), Joined(bytes));
}

TEST_F(OutputStringDataTest, Utf8PiecesEndOnWholeCharacters)
{
    const std::string full = THREE_WIDE.GetAsUTF8();
    EXPECT_EQ((std::vector<std::string>{full.substr(0, 3), full.substr(3, 3), full.substr(6, 3)}),
              ReadInPieces(THREE_WIDE, ENC_UTF8, 4));
    EXPECT_TRUE(Output(THREE_WIDE, ENC_UTF8, 3, 4).more);
    EXPECT_FALSE(Output(THREE_WIDE, ENC_UTF8, 6, 4).more);

    const std::string mixed = MIXED.GetAsUTF8();
    // The four-byte character is cut; its last byte comes with the "z" after it.
    EXPECT_EQ((std::vector<size_t>{3, 3, 3, 2}), Sizes(ReadInPieces(MIXED, ENC_UTF8, 3)));
    EXPECT_EQ(mixed, Joined(ReadInPieces(MIXED, ENC_UTF8, 3)));
    EXPECT_EQ((std::vector<size_t>{6, 5}), Sizes(ReadInPieces(MIXED, ENC_UTF8, 7)));
}

TEST_F(OutputStringDataTest, AnOffsetInsideACharacterStartsWithItsRemainingBytes)
{
    const std::string full = THREE_WIDE.GetAsUTF8();
    const Piece piece = Output(THREE_WIDE, ENC_UTF8, 1, -1);
    EXPECT_EQ(full.substr(1), piece.bytes);
    EXPECT_FALSE(piece.more);

    const Piece limited = Output(THREE_WIDE, ENC_UTF8, 1, 4);
    EXPECT_EQ(full.substr(1, 2), limited.bytes);
    EXPECT_TRUE(limited.more);

    const Piece shorter = Output(THREE_WIDE, ENC_UTF8, 1, 1);
    EXPECT_EQ(full.substr(1, 1), shorter.bytes);
    EXPECT_TRUE(shorter.more);
}

TEST_F(OutputStringDataTest, ALimitBelowOneCharacterStillMovesOn)
{
    const std::vector<std::string> pieces = ReadInPieces(THREE_WIDE, ENC_UTF8, 2);
    EXPECT_EQ((std::vector<size_t>{2, 1, 2, 1, 2, 1}), Sizes(pieces));
    EXPECT_EQ(THREE_WIDE.GetAsUTF8(), Joined(pieces));

    // A limit of 0 only asks whether a value is there.
    const Piece probe = Output(THREE_WIDE, ENC_UTF8, 0, 0);
    EXPECT_EQ("", probe.bytes);
    EXPECT_TRUE(probe.more);
}

TEST_F(OutputStringDataTest, AnOffsetAtOrPastTheEndGivesAnEmptyLastPiece)
{
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE, ENC_UTF32_LE})
    {
        const int64_t length = static_cast<int64_t>(THREE_WIDE.GetAsString(encoding).size());
        for (int64_t offset : {length, length + 1, length + 40000})
        {
            for (int64_t max : {int64_t{-1}, int64_t{2}})
            {
                const Piece piece = Output(THREE_WIDE, encoding, offset, max);
                EXPECT_EQ("", piece.bytes) << encoding << " " << offset << " " << max;
                EXPECT_FALSE(piece.more) << encoding << " " << offset << " " << max;
            }
        }
    }
}

TEST_F(OutputStringDataTest, EveryLimitGivesTheValueBackExactly)
{
    // A text long enough that skipping to an offset takes more than one pass of the skip buffer.
    orvik_wstring longText;
    for (int i = 0; i < 12000; ++i)
    {
        longText += MIXED;
    }
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE, ENC_UTF32_BE, ENC_LATIN1})
    {
        const orvik_wstring& text = encoding == ENC_LATIN1 ? orvik_wstring(u"caf\u00e9 cr\u00e8me") : MIXED;
        const std::string full = text.GetAsString(encoding);
        for (int64_t max : {1, 2, 3, 4, 5, 7, 64, -1})
        {
            SCOPED_TRACE("encoding " + std::to_string(encoding) + " limit " + std::to_string(max));
            const std::vector<std::string> pieces = ReadInPieces(text, encoding, max);
            EXPECT_EQ(full, Joined(pieces));
            for (const std::string& piece : pieces)
            {
                EXPECT_TRUE(max == -1 || static_cast<int64_t>(piece.size()) <= max);
            }
        }
        SCOPED_TRACE("long text in encoding " + std::to_string(encoding));
        const std::string longFull = longText.GetAsString(encoding);
        const int64_t offset = static_cast<int64_t>(longFull.size()) - 10;
        const std::vector<std::string> tail = ReadInPieces(longText, encoding, 4, offset);
        EXPECT_EQ(longFull.substr(static_cast<size_t>(offset)), Joined(tail));
        EXPECT_FALSE(tail.front().empty());
    }
}

TEST_F(OutputStringDataTest, RefusesANegativeOffsetOrLimit)
{
    SqlData& target = Target(ENC_UTF8);
    EXPECT_EQ("HY000 3 InvalidArgument", Outcome([&] { DSITypeUtilities::OutputStringData(u"x", target, -1, -1); })
                                             .substr(0, 23));
    EXPECT_EQ("HY000 3 InvalidArgument", Outcome([&] { DSITypeUtilities::OutputStringData(u"x", target, 0, -2); })
                                             .substr(0, 23));
}
