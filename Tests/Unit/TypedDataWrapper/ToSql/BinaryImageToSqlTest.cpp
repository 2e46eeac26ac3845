// Typed values moved as their raw bytes: an application's binary value taken as a fixed-size
// value's image, fixed-size SQL values given as binary images, and GUIDs.

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;

namespace {

/// Bytes 01, 02, 03, ... of in_count.
std::string Counting(size_t in_count)
{
    std::string bytes;
    for (size_t i = 1; i <= in_count; ++i)
    {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

/// "<posted> | <the target's record in hexadecimal, or kept>" after binding in_bytes as
/// SQL_C_BINARY for a value of in_target, whose record holds 0xEE bytes first.
std::string BindBytes(TDWType in_target, const std::string& in_bytes, size_t in_recordSize)
{
    BoundParameter parameter(TDW_C_BINARY, in_target);
    SqlData& target = parameter.Target().Data();
    std::memset(target.GetBuffer(), 0xEE, in_recordSize);
    const std::string posted = parameter.Convert(in_bytes);
    const std::string record(static_cast<const char*>(target.GetBuffer()), in_recordSize);
    if (record == std::string(in_recordSize, '\xEE'))
    {
        return posted + " | kept";
    }
    EXPECT_EQ(static_cast<int64_t>(in_recordSize), target.GetConvertedLength()) << in_target;
    return posted + " | " + Hex(record);
}

/// The numeric image of 12.5 with one field changed.
std::string NumericImageWith(size_t in_offset, uint16_t in_value)
{
    std::string image = NumericImage("12.5");
    std::memcpy(&image[in_offset], &in_value, sizeof(in_value));
    return image;
}

} // namespace

TEST(BinaryImageToSql, AnApplicationsBytesOfExactlyTheImageSizeBecomeTheValue)
{
    struct ImageSize
    {
        TDWType target;
        size_t size;
    };
    const ImageSize sizes[] = {
        {TDW_SQL_BIT, 1},
        {TDW_SQL_UTINYINT, 1},
        {TDW_SQL_USMALLINT, 2},
        {TDW_SQL_REAL, 4},
        {TDW_SQL_UINTEGER, 4},
        {TDW_SQL_TYPE_DATE, 6},
        {TDW_SQL_DOUBLE, 8},
        {TDW_SQL_INTERVAL_MONTH, 8},
        {TDW_SQL_INTERVAL_YEAR_TO_MONTH, 12},
        {TDW_SQL_INTERVAL_SECOND, 12},
        {TDW_SQL_TYPE_TIMESTAMP, 16},
        {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, 16},
        {TDW_SQL_INTERVAL_HOUR_TO_SECOND, 20},
        {TDW_SQL_GUID, 20},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, 24},
    };
    for (const ImageSize& image : sizes)
    {
        EXPECT_EQ(" | " + Hex(Counting(image.size)), BindBytes(image.target, Counting(image.size), image.size))
            << image.target;
        EXPECT_EQ("NumericValOutOfRange(2) | kept", BindBytes(image.target, Counting(image.size - 1), image.size))
            << image.target;
        EXPECT_EQ("NumericValOutOfRange(2) | kept", BindBytes(image.target, Counting(image.size + 1), image.size))
            << image.target;
    }
    EXPECT_EQ(" | 01000000", BindBytes(TDW_SQL_SINTEGER, std::string("\x01\x00\x00\x00", 4), 4));
    EXPECT_EQ("NumericValOutOfRange(2) | kept", BindBytes(TDW_SQL_SINTEGER, "", 4));
}

TEST(BinaryImageToSql, ATimesImageLeavesOutTheRecordsUnusedBytes)
{
    EXPECT_EQ(" | 0102030405060000" "0708090A", BindBytes(TDW_SQL_TYPE_TIME, Counting(10), 12));
    EXPECT_EQ("NumericValOutOfRange(2) | kept", BindBytes(TDW_SQL_TYPE_TIME, Counting(12), 12));

    SqlValue source(TDW_SQL_TYPE_TIME);
    source.Set(Counting(12));
    SqlValue target(TDW_SQL_VARBINARY);
    EXPECT_EQ(nullptr,
              SqlToSqlConverterOfCell(TDW_SQL_TYPE_TIME, TDW_SQL_VARBINARY)->Convert(source.Data(), target.Data()));
    EXPECT_EQ("010203040506090A0B0C", Hex(target.Bytes()));
    EXPECT_EQ(10, target.Data().GetConvertedLength());
}

TEST(BinaryImageToSql, AnExactNumericImageMustHoldAnExactNumber)
{
    const std::string twelveAndAHalf = NumericImage("12.5");
    EXPECT_EQ(" | " + Hex(twelveAndAHalf), BindBytes(TDW_SQL_DECIMAL, twelveAndAHalf, 38));
    EXPECT_EQ(" | " + Hex(NumericImage("-7")), BindBytes(TDW_SQL_NUMERIC, NumericImage("-7"), 38));
    struct Broken
    {
        const char* what;
        size_t offset;
        uint16_t value;
    };
    // Invalid flag, exponent, word count, then the words.
    const Broken broken[] = {
        {"marked invalid", 0, 1},
        {"an exponent beyond scaling", 2, 9000},
        {"an exponent below scaling", 2, static_cast<uint16_t>(-8192)},
        {"no words", 4, 0},
        {"more words than there are", 4, 17},
        {"a last word in use that is no sign", 4, 1},
    };
    for (const Broken& b : broken)
    {
        EXPECT_EQ("NumericValOutOfRange(2) | kept", BindBytes(TDW_SQL_NUMERIC, NumericImageWith(b.offset, b.value), 38))
            << b.what;
    }
    EXPECT_EQ(" | " + Hex(NumericImageWith(2, static_cast<uint16_t>(-8191))),
              BindBytes(TDW_SQL_NUMERIC, NumericImageWith(2, static_cast<uint16_t>(-8191)), 38));
}

TEST(BinaryImageToSql, FixedSizeSqlValuesBecomeTheirImagesWhateverTheColumnSize)
{
    struct Case
    {
        TDWType source;
        std::string record;
        TDWType target;
        std::string image;
    };
    const Case cases[] = {
        {TDW_SQL_SINTEGER, Image<int32_t>(1), TDW_SQL_BINARY, "01000000"},
        {TDW_SQL_BIT, "\x01", TDW_SQL_LONGVARBINARY, "01"},
        {TDW_SQL_UTINYINT, "\xFF", TDW_SQL_BINARY, "FF"},
        {TDW_SQL_DOUBLE, Image<double>(1.0), TDW_SQL_VARBINARY, "000000000000F03F"},
        {TDW_SQL_INTERVAL_DAY, std::string("\x05\x00\x00\x00\x01\x00\x00\x00", 8), TDW_SQL_BINARY, "0500000001000000"},
        {TDW_SQL_NUMERIC, NumericImage("12.5"), TDW_SQL_VARBINARY, Hex(NumericImage("12.5"))},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, Counting(24), TDW_SQL_BINARY, Hex(Counting(24))},
    };
    for (const Case& c : cases)
    {
        SqlValue source(c.source);
        source.Set(c.record);
        SqlValue target(c.target);
        target.Data().SetLength(2);
        EXPECT_EQ(nullptr,
                  SqlToSqlConverterOfCell(c.source, c.target)->Convert(source.Data(), target.Data())) << c.source;
        EXPECT_EQ(c.image, Hex(target.Bytes())) << c.source;
        EXPECT_EQ(static_cast<int64_t>(c.image.size() / 2), target.Data().GetConvertedLength()) << c.source;
    }
}

TEST(BinaryImageToSql, GuidsCopyTheirBytesAndAnApplicationsIsMarkedValid)
{
    SQLGUID guid;
    std::memcpy(&guid, Counting(16).data(), sizeof(guid));
    BoundParameter parameter(TDW_C_GUID, TDW_SQL_GUID);
    SqlData& target = parameter.Target().Data();
    std::memset(target.GetBuffer(), 0xEE, sizeof(TDWGuidValue));
    EXPECT_EQ("", parameter.Convert(std::string(reinterpret_cast<const char*>(&guid), sizeof(guid))));
    EXPECT_EQ(Hex(Counting(16)) + "01000000", Hex(parameter.Target().Bytes()));
    EXPECT_EQ(20, target.GetConvertedLength());

    // A SQL-side GUID brings its flag along, even a clear one.
    for (const char flag : {'\x00', '\x01'})
    {
        SqlValue source(TDW_SQL_GUID);
        source.Set(Counting(16) + flag + std::string("\x33\x33\x33", 3));
        SqlValue copy(TDW_SQL_GUID);
        EXPECT_EQ(nullptr, SqlToSqlConverterOfCell(TDW_SQL_GUID, TDW_SQL_GUID)->Convert(source.Data(), copy.Data()));
        EXPECT_EQ(Hex(Counting(16) + flag) + "000000", Hex(copy.Bytes()));
    }
}

TEST(BinaryImageToSql, ANullSourceMakesANullTargetAndLeavesItsValue)
{
    BoundParameter parameter(TDW_C_BINARY, TDW_SQL_SINTEGER);
    parameter.Wrapper().SetNull(true);
    SqlData& target = parameter.Target().Data();
    std::memset(target.GetBuffer(), 0xEE, 4);
    EXPECT_EQ(nullptr, parameter.Converter().Convert(parameter.Wrapper(), target));
    EXPECT_TRUE(target.IsNull());
    EXPECT_EQ("EEEEEEEE", Hex(parameter.Target().Bytes()));
}
