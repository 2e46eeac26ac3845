// The catalog functions: the queries on information_schema as the server receives them, the
// system-table rule, the column type table of SQLColumns, primary keys one column a row, the
// type information, and the functions answered without a query.

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataTableId.h"
#include "Support/Variant.h"

#include "Unit/Pelta/BackEndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Orvik::DSI::DSIMetadataRestrictions;
using Orvik::Support::Variant;
using namespace Pelta::Test;

namespace {

class PeltaCatalogTest : public BackEndTest
{
protected:
    static void SetUpTestSuite() { StartServer(1); }

    void SetUp() override
    {
        BackEndTest::SetUp();
        Connect();
        ServerSql("create table orders (id integer, item string, note string, primary key (item, id))");
        ClearRequestLog();
    }

    // The rows of a catalog function called with in_arguments, through the data-store road.
    std::vector<std::string> Catalog(uint32_t in_tableId, std::vector<Variant> in_arguments)
    {
        std::unique_ptr<Orvik::DSI::IResult> result =
            Engine()->MakeNewMetadataResult(in_tableId, in_arguments, u"\\", u"\"", false);
        return ReadRows(*result);
    }

    // The statements the server received: "kind stmt".
    std::vector<std::string> Statements()
    {
        std::vector<std::string> statements;
        for (const LoggedRequest& request : ReadRequestLog(Server()))
        {
            rapidjson::Document body;
            body.Parse(request.body.c_str());
            statements.push_back(request.kind + " " + (body.IsObject() ? body["stmt"].GetString() : request.body));
        }
        return statements;
    }
};

TEST_F(PeltaCatalogTest, TheQueriesReachTheServerAsWrittenWithTheProbeForTheQuerySourcesOnly)
{
    const std::string tables = "select table_name, schema_name from information_schema.tables";
    const std::string columns = "select * from information_schema.columns";
    const std::string keys = "select schema_name, table_name, constraint_name from information_schema.table_constraints ";
    const auto probed = [](const std::string& in_query) {
        return std::vector<std::string>{"probe-subquery select * from (" + in_query + ") limit 0", "statement " + in_query};
    };
    const struct
    {
        uint32_t tableId;
        DSIMetadataRestrictions restrictions;
        std::vector<std::string> statements;
    } cases[] = {
        {0, {}, probed(tables)},
        {0, {{2, u"orders"}, {1, u"main"}}, probed(tables + " WHERE table_name='orders' AND schema_name='main'")},
        {0, {{1, u"main"}}, probed(tables + " WHERE schema_name='main'")},
        {0, {{2, u"o'x"}, {0, u"ignored"}}, probed(tables + " WHERE table_name='o''x'")},
        {2, {{1, u"main"}}, probed("select * from information_schema.schemata")},
        {5, {{2, u"orders"}, {1, u"main"}}, probed(columns + " WHERE table_name='orders' AND schema_name='main'")},
        {8, {}, {"statement " + keys}},
        {8, {{31, u"orders"}, {30, u"main"}}, {"statement " + keys + " WHERE table_name='orders' AND schema_name='main'"}},
    };
    for (const auto& c : cases)
    {
        ClearRequestLog();
        Engine()->MakeNewMetadataTable(c.tableId, c.restrictions, u"\\", u"\"", false);
        EXPECT_EQ(c.statements, Statements()) << c.statements.back();
    }
}

TEST_F(PeltaCatalogTest, TheFunctionsWithoutAQueryAnswerWithoutTheServer)
{
    for (uint32_t id : {1, 3, 4, 6, 7, 9, 10, 11, 12, 13})
    {
        Engine()->MakeNewMetadataTable(id, {}, u"\\", u"\"", false);
    }
    EXPECT_TRUE(Statements().empty());
    for (uint32_t id : {4, 6, 7, 9, 10, 11, 12})
    {
        EXPECT_FALSE(Engine()->MakeNewMetadataTable(id, {}, u"\\", u"\"", false)->Move(Orvik::DSI::DSI_DIR_NEXT, 0)) << id;
    }
    EXPECT_EQ(std::vector<std::string>{"Pelta|NULL|NULL|NULL|NULL"}, Catalog(1, {Variant(u"%"), Variant(u""), Variant(u""), Variant()}));
    EXPECT_EQ((std::vector<std::string>{"NULL|NULL|NULL|SYSTEM TABLE|NULL", "NULL|NULL|NULL|TABLE|NULL"}),
              Catalog(3, {Variant(u""), Variant(u""), Variant(u""), Variant(u"%")}));
}

TEST_F(PeltaCatalogTest, TablesOfTheServersOwnSchemasAreSystemTables)
{
    std::vector<std::string> rows = Catalog(0, {Variant(), Variant(), Variant(), Variant()});
    const std::vector<std::string> expected = {
        "Pelta|information_schema|columns|SYSTEM TABLE|NULL",
        "Pelta|information_schema|schemata|SYSTEM TABLE|NULL",
        "Pelta|information_schema|table_constraints|SYSTEM TABLE|NULL",
        "Pelta|information_schema|tables|SYSTEM TABLE|NULL",
        "Pelta|main|orders|TABLE|NULL",
        "Pelta|sys|cluster|SYSTEM TABLE|NULL",
    };
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(expected, rows);
    EXPECT_EQ((std::vector<std::string>{"NULL|information_schema|NULL|NULL|NULL", "NULL|main|NULL|NULL|NULL",
                                        "NULL|sys|NULL|NULL|NULL"}),
              Catalog(2, {Variant(u""), Variant(u"%"), Variant(u""), Variant()}));
}

TEST_F(PeltaCatalogTest, TheTableTypeReadInPiecesIsDecidedOnTheWholeSchemaName)
{
    std::unique_ptr<Orvik::DSI::DSIMetadataSource> source =
        Engine()->MakeNewMetadataTable(0, {{1, u"information_schema"}, {2, u"tables"}}, u"\\", u"\"", false);
    ASSERT_TRUE(source->Move(Orvik::DSI::DSI_DIR_NEXT, 0));
    TypedHolder text(SQL_WVARCHAR);
    Orvik::Support::SqlData* holder = text.data.get();
    std::string schema;
    while (source->GetMetadata(Orvik::DSI::DSI_TAG_TABLE_SCHEM, *holder, static_cast<int64_t>(schema.size()), 5))
    {
        schema += Render(*holder);
    }
    EXPECT_EQ("information_schema", schema + Render(*holder));
    std::string type;
    while (source->GetMetadata(Orvik::DSI::DSI_TAG_TABLE_TYPE, *holder, static_cast<int64_t>(type.size()), 5))
    {
        type += Render(*holder);
    }
    EXPECT_EQ("SYSTEM TABLE", type + Render(*holder));
    EXPECT_EQ("InvalidColumnNum HY000 2 [10]",
              Outcome([&] { source->GetMetadata(Orvik::DSI::DSI_TAG_COLUMN_NAME, *holder, 0, -1); }));
    EXPECT_FALSE(source->Move(Orvik::DSI::DSI_DIR_NEXT, 0));
}

TEST_F(PeltaCatalogTest, ColumnsAreDescribedFromTheirDataTypeText)
{
    ServerSql("create table kinds (s string, i ip, o object, g geo_point, n \\\"null\\\", a \\\"array(long)\\\", "
              "se set, by byte, bo boolean, sh short, it integer, lo long, fl float, do double, ts timestamp, "
              "up \\\"Integer\\\", gs geo_shape)");
    const std::string prefix = "Pelta|main|kinds|";
    const std::vector<std::string> expected = {
        prefix + "s|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|1||0",
        prefix + "i|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|2||0",
        prefix + "o|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|3||0",
        prefix + "g|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|4||0",
        prefix + "n|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|5||0",
        prefix + "a|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|6||0",
        prefix + "se|-9|string|4000|0|NULL|NULL|2|NULL|NULL|-9|NULL|4000|7||0",
        prefix + "by|-6|byte|3|1|0|10|2|NULL|NULL|-6|NULL|NULL|8||0",
        prefix + "bo|-7|boolean|1|1|NULL|NULL|2|NULL|NULL|-7|NULL|NULL|9||0",
        prefix + "sh|5|short|5|2|0|10|2|NULL|NULL|5|NULL|NULL|10||0",
        prefix + "it|4|integer|10|4|0|10|2|NULL|NULL|4|NULL|NULL|11||0",
        prefix + "lo|-5|long|19|20|0|10|2|NULL|NULL|-5|NULL|NULL|12||0",
        prefix + "fl|7|float|24|4|NULL|2|2|NULL|NULL|7|NULL|NULL|13||0",
        prefix + "do|8|double|53|8|NULL|2|2|NULL|NULL|8|NULL|NULL|14||0",
        prefix + "ts|93|timestamp|26|16|6|NULL|2|NULL|NULL|93|3|NULL|15||0",
        prefix + "up|0|type not supported|0|0|NULL|NULL|2|NULL|NULL|0|NULL|NULL|16||0",
        prefix + "gs|0|type not supported|0|0|NULL|NULL|2|NULL|NULL|0|NULL|NULL|17||0",
    };
    EXPECT_EQ(expected, Catalog(5, {Variant(), Variant(u"main"), Variant(u"kinds"), Variant(u"%")}));

    UseOdbc2();
    EXPECT_EQ(std::vector<std::string>{prefix + "ts|11|timestamp|26|16|6|NULL|2|NULL|NULL|11|3|NULL|15||0"},
              Catalog(5, {Variant(), Variant(u"main"), Variant(u"kinds"), Variant(u"ts")}));
}

TEST_F(PeltaCatalogTest, APrimaryKeyIsOneRowPerColumnInKeyOrder)
{
    EXPECT_EQ((std::vector<std::string>{"Pelta|main|orders|item|1|item", "Pelta|main|orders|id|2|id"}),
              Catalog(8, {Variant(), Variant(u"main"), Variant(u"orders")}));
    EXPECT_EQ(std::vector<std::string>{"statement select schema_name, table_name, constraint_name from "
                                       "information_schema.table_constraints  WHERE table_name='orders' AND schema_name='main'"},
              Statements());
}

TEST_F(PeltaCatalogTest, TheTypeInformationListsNineTypesInTheApplicationsOdbcVersionByDataType)
{
    const std::vector<std::string> odbc3 = {
        "string|-9|4000|'|'|LENGTH|1|1|3|NULL|0|NULL|string|NULL|NULL|-9|NULL|NULL|NULL|0",
        "boolean|-7|1|NULL|NULL|NULL|1|0|2|NULL|0|NULL|boolean|NULL|NULL|-7|NULL|NULL|NULL|0",
        "byte|-6|3|NULL|NULL|NULL|1|0|2|0|0|NULL|byte|0|0|-6|NULL|10|NULL|0",
        "long|-5|19|NULL|NULL|NULL|1|0|2|0|0|NULL|long|0|0|-5|NULL|10|NULL|0",
        "integer|4|10|NULL|NULL|NULL|1|0|2|0|0|NULL|integer|0|0|4|NULL|10|NULL|0",
        "short|5|5|NULL|NULL|NULL|1|0|2|0|0|NULL|short|0|0|5|NULL|10|NULL|0",
        "float|7|24|NULL|NULL|NULL|1|0|2|0|0|NULL|float|NULL|NULL|7|NULL|2|NULL|0",
        "double|8|53|NULL|NULL|NULL|1|0|2|0|0|NULL|double|NULL|NULL|8|NULL|2|NULL|0",
        "timestamp|93|29|'|'|NULL|1|0|3|NULL|0|NULL|timestamp|0|6|9|3|NULL|NULL|0",
    };
    EXPECT_EQ(odbc3, Catalog(13, {Variant(int16_t(0))}));

    std::vector<std::string> odbc2 = odbc3;
    odbc2.back() = "timestamp|11|26|'|'|NULL|1|0|3|NULL|0|NULL|timestamp|0|6|9|3|NULL|NULL|0";
    UseOdbc2();
    EXPECT_EQ(odbc2, Catalog(13, {Variant(int16_t(0))}));
}

TEST_F(PeltaCatalogTest, TheFixedSourcesRestartAfterClosingAndRefuseOtherDirectionsAndTags)
{
    TypedHolder text(SQL_WVARCHAR);
    Orvik::Support::SqlData* holder = text.data.get();
    const auto moves = [](Orvik::DSI::DSIMetadataSource& io_source, int in_count) {
        std::string results;
        for (int i = 0; i < in_count; ++i)
        {
            results += io_source.Move(Orvik::DSI::DSI_DIR_NEXT, 0) ? "1" : "0";
        }
        return results;
    };

    std::unique_ptr<Orvik::DSI::DSIMetadataSource> types = Engine()->MakeNewMetadataTable(13, {}, u"\\", u"\"", false);
    EXPECT_EQ("1111111110", moves(*types, 10));
    types->CloseCursor();
    EXPECT_EQ("1", moves(*types, 1));
    types->GetMetadata(Orvik::DSI::DSI_TAG_TYPE_NAME, *holder, 0, -1);
    EXPECT_EQ("string", Render(*holder));
    EXPECT_EQ("InvalidColumnNum HY000 2 [22]", Outcome([&] { types->GetMetadata(22, *holder, 0, -1); }));
    EXPECT_EQ("PeltaResultSetTraverseDirNotSupported HY000 117 []", Outcome([&] { types->Move(1, 0); }));

    std::unique_ptr<Orvik::DSI::DSIMetadataSource> catalogs = Engine()->MakeNewMetadataTable(1, {}, u"\\", u"\"", false);
    EXPECT_EQ("10", moves(*catalogs, 2));
    catalogs->CloseCursor();
    EXPECT_EQ("10", moves(*catalogs, 2));
    EXPECT_EQ("InvalidColumnNum HY000 2 [1]", Outcome([&] { catalogs->GetMetadata(1, *holder, 0, -1); }));
    EXPECT_EQ("PeltaResultSetTraverseDirNotSupported HY000 117 []", Outcome([&] { catalogs->Move(3, 0); }));

    std::unique_ptr<Orvik::DSI::DSIMetadataSource> schemas = Engine()->MakeNewMetadataTable(2, {}, u"\\", u"\"", false);
    ASSERT_TRUE(schemas->Move(Orvik::DSI::DSI_DIR_NEXT, 0));
    EXPECT_EQ("InvalidColumnNum HY000 2 [0]", Outcome([&] { schemas->GetMetadata(0, *holder, 0, -1); }));
}

TEST_F(PeltaCatalogTest, ACatalogQueryThatFailsFailsTheCatalogFunction)
{
    AddFault(Server(), R"j({"method":"POST","stmt_regex":"^select table_name","error":{"code":5000,"message":"down"}})j");
    EXPECT_EQ("PeltaAPIError HY000 117 [5000|down]", Outcome([&] { Catalog(0, {Variant(), Variant(), Variant(), Variant()}); }));
}

} // namespace
