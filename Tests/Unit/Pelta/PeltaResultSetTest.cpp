// The result set over a reply: every server type from the test server, NULL against 0, objects
// and arrays as compact JSON, timestamps for ODBC 2 and 3, long text in pieces, unnesting, and
// replies of an unexpected shape, which are errors and never crashes.

#include "Pelta/PeltaResultSet.h"
#include "Pelta/PeltaReply.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "Unit/Pelta/BackEndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Pelta::PeltaResultSet;
using namespace Pelta::Test;

namespace {

// The columns and rows of a reply as one line, or what was read up to the error.
std::string ReadReply(const std::string& in_reply, bool in_isUnnest = false)
{
    RecordingLog log;
    const uint32_t maxColumnSize = 4000;
    std::string text;
    const std::string outcome = Outcome([&] {
        PeltaResultSet result(log, std::string(in_reply), maxColumnSize, in_isUnnest, true);
        for (const std::string& column : DescribeColumns(result))
        {
            text += column + " ";
        }
        text += "|";
        Orvik::DSI::IColumns* columns = result.GetSelectColumns();
        std::vector<std::unique_ptr<Orvik::Support::SqlData>> holders;
        for (uint16_t i = 0; i < columns->GetCount(); ++i)
        {
            holders.push_back(MakeHolder(*columns->GetColumn(i)->GetMetadata()));
        }
        while (result.Move(Orvik::DSI::DSI_DIR_NEXT, 0))
        {
            std::string row;
            for (uint16_t i = 0; i < holders.size(); ++i)
            {
                result.RetrieveData(i, *holders[i], 0, -1);
                row += (i ? "," : "") + Render(*holders[i]);
            }
            text += " " + row;
        }
    });
    return outcome == "ok" ? text : text + " " + outcome;
}

TEST(PeltaResultSet, RepliesOfEveryShapeGiveTheirRowsOrAnError)
{
    const struct
    {
        const char* reply;
        const char* outcome;
    } cases[] = {
        {R"j({"empty":null})j", "|"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[],"rowcount":0})j", "a:4 |"},
        {R"j({"cols":["n"],"col_types":[0],"rows":[[null]],"rowcount":1})j", "n:-9 | NULL"},
        {R"j({"cols":["a","b"],"col_types":[9,4],"rows":[[1,"x"],[null,null]],"rowcount":2})j", "a:4 b:-9 | 1,x NULL,NULL"},
        {R"j({"rowcount":1,"rows":[[1],[2]],"col_types":[9],"cols":["a"]})j", "a:4 | 1"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[[1]],"rowcount":3})j", "a:4 | 1 PeltaReplyRowMissing HY000 117 [2|1]"},
        {R"j({"cols":["a"],"col_types":[9],"rowcount":1})j", "a:4 | PeltaReplyRowMissing HY000 117 [1|0]"},
        {R"j({"cols":["a","b"],"col_types":[9,9],"rows":[[1]],"rowcount":1})j",
         "a:4 b:4 | PeltaReplyRowWidth HY000 117 [1|1|2]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[[1],[2,3]],"rowcount":2})j", "a:4 | 1 PeltaReplyRowWidth HY000 117 [2|2|1]"},
        {R"j({"cols":["a","b"],"col_types":[9],"rows":[],"rowcount":0})j", " PeltaColumnTypeMissing HY000 117 [b]"},
        {R"j({"cols":["a"],"col_types":["9"],"rows":[],"rowcount":0})j",
         " PeltaJSONWrongType HY000 117 [col_types|array of type ids]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[["7"]],"rowcount":1})j", "a:4 | PeltaCellTypeMismatch HY000 117 [a|integer]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[[1.5]],"rowcount":1})j", "a:4 | PeltaCellTypeMismatch HY000 117 [a|integer]"},
        {R"j({"cols":["a"],"col_types":[2],"rows":[[300]],"rowcount":1})j", "a:-6 | PeltaCellValueOutOfRange HY000 117 [a|byte]"},
        {R"j({"cols":["a"],"col_types":[10],"rows":[[9223372036854775808]],"rowcount":1})j",
         "a:-5 | PeltaCellValueOutOfRange HY000 117 [a|long]"},
        {R"j({"cols":["a"],"col_types":[3],"rows":[[1]],"rowcount":1})j", "a:-7 | PeltaCellTypeMismatch HY000 117 [a|boolean]"},
        {R"j({"cols":["a"],"col_types":[11],"rows":[["2020-01-01"]],"rowcount":1})j",
         "a:93 | PeltaCellTypeMismatch HY000 117 [a|integer]"},
        {R"j({"cols":["d"],"col_types":[6],"rows":[["NaN"],["Infinity"],["-Infinity"],["inf"],[42],[-0.0],[1e308],["x"]],"rowcount":8})j",
         "d:8 | nan inf -inf inf 42 -0 1e+308 PeltaCellTypeMismatch HY000 117 [d|number]"},
        // A REAL takes what fits a float; a finite value beyond it is no infinity.
        {R"j({"cols":["f"],"col_types":[7],"rows":[[1.5],[-3.4028234663852886e38],[3.4028235e38],["-Infinity"],[1e-300],[3.4028236e38]],"rowcount":6})j",
         "f:7 | 1.5 -3.40282347e+38 3.40282347e+38 -inf 0 PeltaCellValueOutOfRange HY000 117 [f|float]"},
        {R"j({"cols":["f"],"col_types":[7],"rows":[[-1e300]],"rowcount":1})j",
         "f:7 | PeltaCellValueOutOfRange HY000 117 [f|float]"},
        {R"j({"cols":["s"],"col_types":[4],"rows":[[42],[true],[2.5]],"rowcount":3})j", "s:-9 | 42 true 2.5"},
        {R"j({"cols":["o"],"col_types":[12],"rows":[[{"a" : [1, {"b": null}], "c":"\u00e9\"\n"}]],"rowcount":1})j",
         "o:-9 | {\"a\":[1,{\"b\":null}],\"c\":\"\xc3\xa9\\\"\\n\"}"},
        // Object and array texts keep each number as the server wrote it.
        {R"j({"cols":["o","a"],"col_types":[12,[100,10]],"rows":[[{"n":123456789012345678901234567890,"r":1.10,"e":-1E+2},[18446744073709551616,-0]]],"rowcount":1})j",
         "o:-9 a:-9 | {\"n\":123456789012345678901234567890,\"r\":1.10,\"e\":-1E+2},[18446744073709551616,-0]"},
        // Numbers read in one pass, exactly: the edges of 64 bits, doubles rounded once.
        {R"j({"cols":["l"],"col_types":[10],"rows":[[9223372036854775807],[-9223372036854775808],[-0],[-9223372036854775809]],"rowcount":4})j",
         "l:-5 | 9223372036854775807 -9223372036854775808 0 PeltaCellTypeMismatch HY000 117 [l|integer]"},
        {R"j({"cols":["l"],"col_types":[10],"rows":[[18446744073709551615]],"rowcount":1})j",
         "l:-5 | PeltaCellValueOutOfRange HY000 117 [l|long]"},
        {R"j({"cols":["d"],"col_types":[6],"rows":[[0.1],[1e23],[9007199254740993],[-1234.5678e2],[123456789012345678e-5]],"rowcount":5})j",
         "d:8 | 0.10000000000000001 9.9999999999999992e+22 9007199254740992 -123456.78 1234567890123.4568"},
        {R"j({"cols":["s"],"col_types":[4],"rows":[["more than eight plain bytes"],["esc\"aped\u00e9\ttab"],[""]],"rowcount":3})j",
         "s:-9 | more than eight plain bytes esc\"aped\xc3\xa9\ttab "},
        {R"j({"cols":["d"],"col_types":[6],"rows":[[1e309]],"rowcount":1})j", " PeltaJSONParseError HY000 117 [13]"},
        {R"j({"cols":["d"],"col_types":[6],"rows":[[10e308]],"rowcount":1})j", " PeltaJSONParseError HY000 117 [13]"},
        // Below the doubles' range a number is the nearest double, not an error.
        {R"j({"cols":["d"],"col_types":[6],"rows":[[1e-400],[-2e-324],[3e-324]],"rowcount":3})j",
         "d:8 | 0 -0 4.9406564584124654e-324"},
        {R"j({"cols":["o"],"col_types":[12],"rows":[[{"n":-1e400}]],"rowcount":1})j", " PeltaJSONParseError HY000 117 [13]"},
        {R"j({"cols":["g"],"col_types":[1],"rows":[],"rowcount":0})j", " PeltaUnsupportedPeltaType HY000 117 [g]"},
        {R"j({"cols":["x"],"col_types":[14],"rows":[],"rowcount":0})j", " PeltaUnknownPeltaColumnType HY000 117 [x]"},
        {R"j({"cols":["x"],"col_types":[99],"rows":[],"rowcount":0})j", " PeltaUnknownPeltaColumnType HY000 117 [x]"},
        {R"j({"cols":["x"],"col_types":[102],"rows":[],"rowcount":0})j", " PeltaUnknownPeltaColumnType HY000 117 [x]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[5],"rowcount":1})j", " PeltaJSONWrongType HY000 117 [row|array]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":{},"rowcount":1})j", " PeltaJSONWrongType HY000 117 [rows|array]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[]})j", " PeltaJSONMemberNotFoundError HY000 117 [rowcount]"},
        // Without "cols" there are no columns, and rows of no values.
        {R"j({"col_types":[9],"rows":[],"rowcount":0})j", "|"},
        {R"j({"rowcount":0})j", "|"},
        {R"j({"rowcount":0,"rows":[]})j", "|"},
        {R"j({"rowcount":1,"rows":[[]]})j", "| "},
        {R"j({"rowcount":2,"rows":[[],[]]})j", "|  "},
        {R"j({"rowcount":1,"rows":[[1]]})j", "| PeltaReplyRowWidth HY000 117 [1|1|0]"},
        {R"j({"rowcount":1})j", "| PeltaReplyRowMissing HY000 117 [1|0]"},
        {R"j({"cols":["a"],"rows":[],"rowcount":0})j", " PeltaJSONMemberNotFoundError HY000 117 [col_types]"},
        {R"j({"error":{"code":4041,"message":"no such table: t"}})j", " PeltaAPIError 42S02 117 [4041|no such table: t]"},
        {R"j({"cols":["a"],"col_types":[9],"rows":[[1]],"rowcount":1)j", " PeltaJSONParseError HY000 117 [6]"},
        {R"j([])j", " PeltaJSONWrongType HY000 117 [reply|object]"},
        {"", " PeltaJSONParseError HY000 117 [1]"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.outcome, ReadReply(c.reply)) << c.reply;
    }
}

TEST(PeltaResultSet, RowsOfEveryWidthKeepTheirOwnCells)
{
    // Rows as wide as the first share one width; from the first of another width on each row
    // has its own start, whatever the widths after it.
    const struct
    {
        const char* rows;
        const char* cells;
    } cases[] = {
        {"[]", ""},
        {"[[]]", "|"},
        {"[[],[]]", "||"},
        {"[[1,2],[3,4],[5,6]]", "1 2|3 4|5 6|"},
        {"[[1,2],[3,4],[5],[6,7,8],[],[9,10]]", "1 2|3 4|5|6 7 8||9 10|"},
        {"[[1],[2,3],[4]]", "1|2 3|4|"},
        {"[[],[1],[]]", "|1||"},
        {R"j([["a",{"b":[1]}],[null,[true]]])j", "a {\"b\":[1]}|null [true]|"},
    };
    for (const auto& c : cases)
    {
        Pelta::PeltaReply reply(std::string(R"j({"rows":)j") + c.rows + "}", false);
        std::string cells;
        for (uint64_t row = 0; row < reply.GetRowCount(); ++row)
        {
            for (uint32_t column = 0; column < reply.GetCellCount(row); ++column)
            {
                const Pelta::PeltaReplyCell cell = reply.GetCell(row, column);
                cells += (column ? " " : "")
                    + (cell.kind == Pelta::PeltaReplyCell::INTEGER ? std::to_string(cell.GetInt64())
                       : cell.kind == Pelta::PeltaReplyCell::NULL_VALUE ? std::string("null")
                                                                        : std::string(reply.GetText(cell)));
            }
            cells += "|";
        }
        EXPECT_EQ(c.cells, cells) << c.rows;
    }
}

TEST(PeltaResultSet, UnnestingPresentsEachArrayElementAsARow)
{
    const std::string keys = R"j({"cols":["s","t","k"],"col_types":[4,4,[100,4]],"rowcount":2,
        "rows":[["main","t1",["a","b"]],["main","t2",["c"]]]})j";
    EXPECT_EQ("s:-9 t:-9 k:-9 | main,t1,a main,t1,b main,t2,c", ReadReply(keys, true));
    EXPECT_EQ("s:-9 t:-9 k:-9 | main,t1,[\"a\",\"b\"] main,t2,[\"c\"]", ReadReply(keys, false));

    const struct
    {
        const char* reply;
        const char* outcome;
    } cases[] = {
        {R"j({"cols":["k","n"],"col_types":[[100,9],9],"rows":[[[7,[8,9]],1]],"rowcount":1})j",
         "k:4 n:4 | 7,1 PeltaCellTypeMismatch HY000 117 [k|integer]"},
        {R"j({"cols":["t","k"],"col_types":[4,[100,4]],"rows":[["t1",[]]],"rowcount":1})j",
         "t:-9 k:-9 | PeltaEmptyArrayToUnnest HY000 117 [k]"},
        {R"j({"cols":["t","k"],"col_types":[4,[100,4]],"rows":[["t1","a"]],"rowcount":1})j",
         "t:-9 k:-9 | PeltaCellTypeMismatch HY000 117 [k|array]"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.outcome, ReadReply(c.reply, true)) << c.reply;
    }

    RecordingLog log;
    const uint32_t maxColumnSize = 4000;
    PeltaResultSet unnested(log, std::string(keys), maxColumnSize, true, true);
    EXPECT_FALSE(unnested.HasRowCount());
    // The rows do not depend on which columns are read: each element is a row of its own.
    int rows = 0;
    while (unnested.Move(Orvik::DSI::DSI_DIR_NEXT, 0))
    {
        ++rows;
    }
    EXPECT_EQ(3, rows);
}

TEST(PeltaResultSet, LongTextIsReadInWholeCharactersFromAnyOffset)
{
    std::string value;
    for (int i = 0; i < 1000; ++i)
    {
        value += "ab\xc3\xa9\xe2\x82\xac"; // a, b, e acute, euro sign: 7 bytes
    }
    RecordingLog log;
    const uint32_t maxColumnSize = 4000;
    PeltaResultSet result(log, R"j({"cols":["s"],"col_types":[4],"rows":[[")j" + value + R"j("]],"rowcount":1})j",
                          maxColumnSize, false, true);
    ASSERT_TRUE(result.Move(Orvik::DSI::DSI_DIR_NEXT, 0));
    std::unique_ptr<Orvik::Support::SqlData> holder = MakeHolder(*result.GetSelectColumns()->GetColumn(0)->GetMetadata());

    std::string joined;
    bool isMore = true;
    int pieces = 0;
    while (isMore)
    {
        isMore = result.RetrieveData(0, *holder, static_cast<int64_t>(joined.size()), 1000);
        const std::string piece = Render(*holder);
        ASSERT_LE(piece.size(), 1000u);
        ASSERT_NE(0x80, static_cast<unsigned char>(value[joined.size() + piece.size() < value.size() ? joined.size() + piece.size() : 0]) & 0xC0);
        joined += piece;
        ++pieces;
    }
    EXPECT_EQ(value, joined);
    EXPECT_EQ(8, pieces);

    // A limit smaller than one character still moves on, and an offset past the end gives nothing.
    EXPECT_TRUE(result.RetrieveData(0, *holder, 2, 1));
    EXPECT_EQ("\xc3", Render(*holder));
    EXPECT_FALSE(result.RetrieveData(0, *holder, 7000, 10));
    EXPECT_EQ("", Render(*holder));
}

TEST(PeltaResultSet, TextThatIsNotUtf8OrATargetOfAnotherEncodingGoesThroughTheConverter)
{
    PlatformScope platform;
    RecordingLog log;
    const uint32_t maxColumnSize = 4000;
    PeltaResultSet result(log, "{\"cols\":[\"s\"],\"col_types\":[4],\"rows\":[[\"a\xff\"],[\"h\xc3\xa9\"]],\"rowcount\":2}",
                          maxColumnSize, false, true);
    ASSERT_TRUE(result.Move(Orvik::DSI::DSI_DIR_NEXT, 0));
    std::unique_ptr<Orvik::Support::SqlData> holder = MakeHolder(*result.GetSelectColumns()->GetColumn(0)->GetMetadata());
    ASSERT_EQ("ok", Outcome([&] { result.RetrieveData(0, *holder, 0, -1); }));
    EXPECT_EQ("a\xef\xbf\xbd", Render(*holder));
    // Pieces are cut from the repaired text, which is made once for all of them.
    EXPECT_TRUE(result.RetrieveData(0, *holder, 0, 2));
    EXPECT_EQ("a", Render(*holder));
    EXPECT_FALSE(result.RetrieveData(0, *holder, 1, 3));
    EXPECT_EQ("\xef\xbf\xbd", Render(*holder));

    ASSERT_TRUE(result.Move(Orvik::DSI::DSI_DIR_NEXT, 0));
    Orvik::Support::orvik_wstring::SetDatabaseWCharEncoding(Orvik::Support::ENC_UTF16_LE);
    std::unique_ptr<Orvik::Support::SqlTypeMetadata> wide =
        Orvik::Support::TypedDataSingleton<Orvik::Support::SqlTypeMetadataFactory>::GetOrDefault().CreateNewSqlTypeMetadata(
            SQL_WVARCHAR, false, 0);
    Orvik::Support::orvik_wstring::SetDatabaseWCharEncoding(Orvik::Support::ENC_UTF8);
    std::unique_ptr<Orvik::Support::SqlData> wideHolder = MakeHolder(*wide);
    EXPECT_FALSE(result.RetrieveData(0, *wideHolder, 0, -1));
    EXPECT_EQ(std::string("h\0\xe9\0", 4), Render(*wideHolder));
}

class PeltaResultSetServerTest : public BackEndTest
{
protected:
    static void SetUpTestSuite() { StartServer(1); }

    void SetUp() override
    {
        BackEndTest::SetUp();
        ServerSql("create table types (by byte, bo boolean, st string, ip ip, do double, fl float, sh short, "
                  "it integer, lo long, ts timestamp, ob object, gp geo_point, ar \\\"array(string)\\\", "
                  "ai \\\"array(integer)\\\", se set)");
    }
};

TEST_F(PeltaResultSetServerTest, EveryServerTypeIsDescribedAndReadFromTheReply)
{
    ServerSql("insert into types values (127, 1, 'h\xc3\xa9llo \xf0\x9f\x98\x80', '127.0.0.1', 3.141592653589793, 1.5, "
              "32767, 2147483647, 9223372036854775807, 951782400000, '{\\\"a\\\":1,\\\"b\\\":\\\"x\\\"}', '[9.74,47.41]', "
              "'[\\\"a\\\",\\\"b\\\"]', '[1,2]', '[\\\"x\\\",\\\"y\\\"]')");
    ServerSql("insert into types values (-128, 0, '', '', -0.0, -2.5, -32768, -2147483648, -9223372036854775808, -1, "
              "'{}', '[0,0]', '[]', '[]', '[]')");
    ServerSql("insert into types (by) values (0)");
    Connect();
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Run(u"select * from types");
    Orvik::DSI::IResult& result = *executor->GetResults().GetCurrentResult();
    EXPECT_EQ((std::vector<std::string>{"by:-6", "bo:-7", "st:-9", "ip:-9", "do:8", "fl:7", "sh:5", "it:4", "lo:-5",
                                        "ts:93", "ob:-9", "gp:-9", "ar:-9", "ai:-9", "se:-9"}),
              DescribeColumns(result));
    EXPECT_EQ((std::vector<std::string>{
                  "127|1|h\xc3\xa9llo \xf0\x9f\x98\x80|127.0.0.1|3.1415926535897931|1.5|32767|2147483647|9223372036854775807|"
                  "2000-02-29 00:00:00.000000000|{\"a\":1,\"b\":\"x\"}|[9.74,47.41]|[\"a\",\"b\"]|[1,2]|[\"x\",\"y\"]",
                  "-128|0|||0|-2.5|-32768|-2147483648|-9223372036854775808|1969-12-31 23:59:59.999000000|{}|[0,0]|[]|[]|[]",
                  "0|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}),
              ReadRows(result));

    Orvik::DSI::IColumns* columns = result.GetSelectColumns();
    for (uint16_t i = 0; i < columns->GetCount(); ++i)
    {
        // Every column is as long as MaxColumnSize said when the reply was read, numbers too.
        EXPECT_EQ(4000u, columns->GetColumn(i)->GetColumnMetadata()->m_columnLength) << i;
        EXPECT_EQ(i >= 2 && i != 4 && i != 5 && (i < 6 || i > 9), columns->GetColumn(i)->IsCaseSensitive()) << i;
    }
}

TEST_F(PeltaResultSetServerTest, TimestampsAreSqlTimestampForOdbc2AndTheUnsupportedTypesAreRefused)
{
    ServerSql("insert into types (ts) values (1500)");
    ServerSql("create table odd (g geo_shape)");
    UseOdbc2();
    Connect();
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Run(u"select ts from types");
    Orvik::DSI::IResult& result = *executor->GetResults().GetCurrentResult();
    EXPECT_EQ(std::vector<std::string>{"ts:11"}, DescribeColumns(result));
    EXPECT_EQ(std::vector<std::string>{"1970-01-01 00:00:01.500000000"}, ReadRows(result));

    EXPECT_EQ("PeltaUnsupportedPeltaType HY000 117 [g]", Outcome([&] { Run(u"select g from odd"); }));
}

} // namespace
