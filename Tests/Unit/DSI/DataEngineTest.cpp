#include "DSI/Catalog/ColumnsSchemaAdapter.h"
#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/IMetadataFilter.h"
#include "DSI/Catalog/ProviderTypesSchemaAdapter.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/ConnectionPropertyKey.h"

#include "CatalogTestSupport.h"
#include "DSITestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Cell;
using Orvik::Testing::DescribeRestrictions;
using Orvik::Testing::Outcome;
using Orvik::Testing::ReadAll;
using Orvik::Testing::ScriptedDataEngine;
using Orvik::Testing::ScriptedRow;

namespace {

using Arguments = std::vector<Variant>;

const Variant NONE;

// Arguments as the ODBC layer passes them, with the numeric options in place.
Arguments ArgumentsOf(uint32_t in_tableId)
{
    switch (in_tableId)
    {
        case 9:
            return {Variant(uint16_t(SQL_BEST_ROWID)), NONE, NONE, NONE, Variant(int16_t(SQL_SCOPE_CURROW)),
                    Variant(uint16_t(SQL_NULLABLE))};
        case 10:
            return {NONE, NONE, NONE, Variant(uint16_t(SQL_INDEX_ALL)), Variant(uint16_t(SQL_QUICK))};
        case 13:
            return {Variant(int16_t(SQL_ALL_TYPES))};
        default:
            return {NONE, NONE, NONE, NONE, NONE, NONE};
    }
}

class DataEngineTest : public Orvik::Testing::CatalogFixture
{
protected:
    std::unique_ptr<IResult> Call(ScriptedDataEngine& io_engine, uint32_t in_tableId, const Arguments& in_arguments,
                                  bool in_isMetadataId = false)
    {
        return io_engine.MakeNewMetadataResult(in_tableId, in_arguments, u"\\", u"\"", in_isMetadataId);
    }

    std::unique_ptr<IResult> Call(uint32_t in_tableId, const Arguments& in_arguments)
    {
        return Call(m_engine, in_tableId, in_arguments);
    }

    std::string ColumnName(IResult& in_result, uint16_t in_column)
    {
        orvik_wstring name;
        in_result.GetSelectColumns()->GetColumn(in_column)->GetName(name);
        return Show(name);
    }

    ScriptedDataEngine m_engine{m_statement.get()};
};

} // namespace

TEST_F(DataEngineTest, ABackEndWithoutASourceGivesEveryTableItsColumnsAndNoRows)
{
    const uint16_t counts[] = {5, 5, 5, 5, 7, 19, 8, 14, 6, 8, 13, 8, 21, 20, 5};
    for (uint32_t tableId = 0; tableId <= 14; ++tableId)
    {
        std::unique_ptr<IResult> result = Call(tableId, ArgumentsOf(tableId));
        EXPECT_EQ(tableId, m_engine.m_tableId);
        EXPECT_EQ(counts[tableId], result->GetSelectColumns()->GetCount()) << "table " << tableId;
        EXPECT_FALSE(result->Move(DSI_DIR_NEXT, 0)) << "table " << tableId;
    }
    EXPECT_EQ(15, m_engine.m_tableRequests);
}

TEST_F(DataEngineTest, TheCatalogListTakesOnlyItsCatalogsFromTheSource)
{
    m_engine.Script({{{0, u"main"}, {1, u"s"}, {2, u"t"}, {3, u"TABLE"}, {4, u"r"}},
                     {{0, u"sys"}, {1, u"s"}, {2, u"t"}, {3, u"TABLE"}, {4, u"r"}}});
    std::unique_ptr<IResult> result = Call(1, {Variant(u"%"), Variant(u""), Variant(u"")});
    // The pattern is left to the result's own filter.
    EXPECT_EQ("", DescribeRestrictions(m_engine.m_restrictions));
    EXPECT_EQ("main|<null>|<null>|<null>|<null>; sys|<null>|<null>|<null>|<null>", ReadAll(*result));
    for (int32_t tag : m_engine.m_source->m_askedTags)
    {
        EXPECT_EQ(DSI_TAG_TABLE_CAT, tag);
    }
}

TEST_F(DataEngineTest, CatalogFilteringDecidesWhetherTheResultOrTheSourceFilters)
{
    const std::vector<ScriptedRow> rows = {
        {{0, Cell()}, {1, u"s"}, {2, u"orders"}, {10, u"id"}},
        {{0, Cell()}, {1, u"s"}, {2, u"ordinal"}, {10, u"id"}},
        {{0, Cell()}, {1, u"s"}, {2, u"items"}, {10, u"id"}},
        {{0, Cell()}, {1, u"t"}, {2, u"orders"}, {10, u"id"}},
    };
    const Arguments arguments = {NONE, Variant(u"s"), Variant(u"ord%"), Variant(u"id")};
    m_engine.Script(rows);
    std::unique_ptr<IResult> filtered = Call(5, arguments);
    EXPECT_EQ("1=s 10=id", DescribeRestrictions(m_engine.m_restrictions));
    EXPECT_EQ(4, m_engine.m_source->m_registeredFilterCount);
    EXPECT_EQ("s|orders; s|ordinal", ReadAll(*filtered, {1, 2}));

    SetCatalogFiltering(0);
    ScriptedDataEngine trusting(m_statement.get());
    trusting.Script(rows);
    std::unique_ptr<IResult> unfiltered = Call(trusting, 5, arguments);
    EXPECT_EQ("1=s 2=ord% 10=id", DescribeRestrictions(trusting.m_restrictions));
    EXPECT_EQ(-1, trusting.m_source->m_registeredFilterCount);
    EXPECT_EQ("orders; ordinal; items; orders", ReadAll(*unfiltered, {2}));
}

TEST_F(DataEngineTest, TypeInformationForAllTypesOrForOne)
{
    const std::vector<ScriptedRow> rows = {
        {{DSI_TAG_TYPE_NAME, u"string"}, {DSI_TAG_DATA_TYPE, SQL_WVARCHAR}},
        {{DSI_TAG_TYPE_NAME, u"text"}, {DSI_TAG_DATA_TYPE, SQL_VARCHAR}},
        {{DSI_TAG_TYPE_NAME, u"integer"}, {DSI_TAG_DATA_TYPE, SQL_INTEGER}},
    };
    m_engine.Script(rows);
    std::unique_ptr<IResult> all = Call(13, {Variant(int16_t(SQL_ALL_TYPES))});
    EXPECT_EQ("", DescribeRestrictions(m_engine.m_restrictions));
    EXPECT_EQ("string; text; integer", ReadAll(*all, {0}));

    std::unique_ptr<IResult> one = Call(13, {Variant(int16_t(SQL_VARCHAR))});
    EXPECT_EQ("15=12", DescribeRestrictions(m_engine.m_restrictions));
    EXPECT_EQ("text|12", ReadAll(*one, {0, 1}));
}

TEST_F(DataEngineTest, DateAndTimeTypesFollowTheApplicationsOdbcVersion)
{
    struct Case
    {
        int32_t odbcVersion;
        int16_t requested;
        const char* restriction;
    };
    const Case cases[] = {
        {SQL_OV_ODBC2, SQL_TYPE_DATE, "15=9"},  {SQL_OV_ODBC2, SQL_TYPE_TIME, "15=10"},
        {SQL_OV_ODBC2, SQL_TYPE_TIMESTAMP, "15=11"}, {SQL_OV_ODBC2, SQL_TIMESTAMP, "15=11"},
        {SQL_OV_ODBC3, SQL_DATE, "15=91"},       {SQL_OV_ODBC3, SQL_TIME, "15=92"},
        {SQL_OV_ODBC3, SQL_TIMESTAMP, "15=93"},  {SQL_OV_ODBC3, SQL_TYPE_TIMESTAMP, "15=93"},
        {SQL_OV_ODBC3_80, SQL_DATE, "15=91"},    {SQL_OV_ODBC2, SQL_VARCHAR, "15=12"},
    };
    for (const Case& c : cases)
    {
        SetEnvironment(ENV_PROP_ODBC_VERSION, c.odbcVersion);
        ScriptedDataEngine engine(m_statement.get());
        EXPECT_EQ(c.odbcVersion != SQL_OV_ODBC2, engine.IsOdbc3Behavior());
        engine.Script({{{DSI_TAG_DATA_TYPE, SQL_DATE}}, {{DSI_TAG_DATA_TYPE, SQL_TYPE_DATE}}});
        std::unique_ptr<IResult> result = Call(engine, 13, {Variant(c.requested)});
        EXPECT_EQ(c.restriction, DescribeRestrictions(engine.m_restrictions)) << c.odbcVersion << " " << c.requested;
    }
    // The filter sees the mapped type too: an ODBC 2 application asking for 91 gets the row of 9.
    SetEnvironment(ENV_PROP_ODBC_VERSION, SQL_OV_ODBC2);
    ScriptedDataEngine odbc2(m_statement.get());
    odbc2.Script({{{DSI_TAG_DATA_TYPE, SQL_DATE}}, {{DSI_TAG_DATA_TYPE, SQL_TYPE_DATE}}});
    EXPECT_EQ("9", ReadAll(*Call(odbc2, 13, {Variant(int16_t(SQL_TYPE_DATE))}), {1}));
}

TEST_F(DataEngineTest, StatisticsFromAHostThatCannotReadTheSortOrderHaveNoAscOrDesc)
{
    const std::vector<ScriptedRow> rows = {
        {{DSI_TAG_COLUMN_NAME, u"id"}, {DSI_TAG_ASC_OR_DESC, u"A"}, {DSI_TAG_NUM_PREC_RADIX, 10}},
        {{DSI_TAG_COLUMN_NAME, u"name"}, {DSI_TAG_ASC_OR_DESC, u"D"}, {DSI_TAG_NUM_PREC_RADIX, 10}},
    };
    struct Case
    {
        const char16_t* hostPath;
        const char* values;
    };
    const Case cases[] = {
        {u"C:/Office/MSACCESS.EXE", "id|<null>; name|<null>"},
        {u"/opt/office/bin/MSACCESS", "id|<null>; name|<null>"},
        {u"/opt/office/msaccess.exe", "id|A; name|D"},
        {u"/usr/bin/isql", "id|A; name|D"},
    };
    for (const Case& c : cases)
    {
        ScriptedDataEngine engine(m_statement.get());
        engine.m_hostPath = c.hostPath;
        engine.Script(rows);
        EXPECT_EQ(c.values, ReadAll(*Call(engine, 10, ArgumentsOf(10)), {8, 9})) << Show(c.hostPath);
    }
    // Another catalog function keeps its tenth column in that host.
    ScriptedDataEngine engine(m_statement.get());
    engine.m_hostPath = u"/opt/office/bin/MSACCESS";
    engine.Script(rows);
    EXPECT_EQ("10; 10", ReadAll(*Call(engine, 5, ArgumentsOf(5)), {9}));
}

TEST_F(DataEngineTest, RefusesAnUnknownTableBeforeAskingTheBackEnd)
{
    m_engine.Script({});
    EXPECT_EQ("HY000 2 InvalidMetadataTableID [15]", Outcome([&] { Call(15, ArgumentsOf(0)); }));
    EXPECT_EQ(0, m_engine.m_tableRequests);

    // A direct call with a source refuses the id too (and does not leak the source); without a
    // source it makes the empty result.
    std::vector<std::unique_ptr<DSIMetadataColumn>> columns;
    std::vector<std::unique_ptr<IMetadataFilter>> filters;
    int deleted = 0;
    auto source = std::make_unique<Orvik::Testing::ScriptedMetadataSource>(std::vector<ScriptedRow>{});
    source->m_deleted = &deleted;
    EXPECT_EQ("HY000 2 InvalidMetadataTableID [15]",
              Outcome([&] { m_engine.CreateMetadataResult(15, {}, std::move(source), columns, filters); }));
    EXPECT_EQ(1, deleted);
    EXPECT_EQ("ok", Outcome([&] { m_engine.CreateMetadataResult(15, {}, nullptr, columns, filters); }));
}

TEST_F(DataEngineTest, ACatalogResultIsForwardOnly)
{
    std::unique_ptr<IResult> result = Call(0, ArgumentsOf(0));
    EXPECT_EQ("ok", Outcome([&] { result->SetCursorType(SQL_CURSOR_FORWARD_ONLY); }));
    EXPECT_EQ("HY000 2 CursorTypeNotSupported [3]", Outcome([&] { result->SetCursorType(SQL_CURSOR_STATIC); }));
    EXPECT_EQ("HY000 2 CursorTypeNotSupported [1]", Outcome([&] { result->SetCursorType(SQL_CURSOR_KEYSET_DRIVEN); }));
}

TEST_F(DataEngineTest, FailuresPropagateAndLeaveNothingBehind)
{
    m_engine.m_failure = u"SourceFailed";
    EXPECT_EQ("HY000 2 SourceFailed", Outcome([&] { Call(5, ArgumentsOf(5)); }));

    // The columns fail after the source was made: the source goes with the other pieces.
    m_engine.m_failure = nullptr;
    m_engine.Script({});
    SetConnection(CONN_PROP_MAX_COLUMN_NAME_LEN, AttributeData::MakeNewWStringAttributeData(orvik_wstring(u"x")));
    EXPECT_EQ("HY000 3 InvalidOperation", Outcome([&] { Call(5, ArgumentsOf(5)); }).substr(0, 24));
    EXPECT_EQ(1, m_engine.m_deletedSources);

    // A numeric argument that is no number fails before the back end is asked.
    const int32_t requests = m_engine.m_tableRequests;
    EXPECT_NE("ok", Outcome([&] { Call(13, {Variant(u"twelve")}); }));
    EXPECT_EQ(requests, m_engine.m_tableRequests);

    // The engine needs the catalog convention of its environment.
    Orvik::Testing::TestEnvironment environment(&m_driver);
    Orvik::Testing::TestConnection connection(&environment);
    std::unique_ptr<DSIStatement> statement = connection.CreateStatement();
    EXPECT_EQ("HY000 2 DSIEnvPropNotFound [4]", Outcome([&] { ScriptedDataEngine engine(statement.get()); }));
}

TEST_F(DataEngineTest, OleDbAdaptersOnlyWithTheOleDbConventionAndMetadataId)
{
    // Environment property 4 left at 0: no adapter even with SQL_ATTR_METADATA_ID, ODBC names.
    std::unique_ptr<IResult> odbc = Call(m_engine, 5, ArgumentsOf(5), true);
    EXPECT_NE(nullptr, dynamic_cast<DSIMetadataResult*>(odbc.get()));
    EXPECT_EQ("TABLE_CAT", ColumnName(*odbc, 0));

    SetEnvironment(ENV_PROP_CATALOG_CONVENTION, 3);
    ScriptedDataEngine oleDb(m_statement.get());
    std::unique_ptr<IResult> named = Call(oleDb, 5, ArgumentsOf(5), false);
    EXPECT_NE(nullptr, dynamic_cast<DSIMetadataResult*>(named.get()));
    EXPECT_EQ("TABLE_CATALOG", ColumnName(*named, 0));
    std::unique_ptr<IResult> adapted = Call(oleDb, 5, ArgumentsOf(5), true);
    EXPECT_NE(nullptr, dynamic_cast<ColumnsSchemaAdapter*>(adapted.get()));
    EXPECT_NE(nullptr, dynamic_cast<DSIMetadataResult*>(Call(oleDb, 0, ArgumentsOf(0), true).get()));

    // SQLGetTypeInfo: every type reaches the source; the adapter keeps what was asked.
    std::unique_ptr<IResult> types = Call(oleDb, 13, {Variant(int16_t(SQL_INTEGER)), Variant(u"1")}, true);
    EXPECT_EQ("", DescribeRestrictions(oleDb.m_restrictions));
    const auto* provider = dynamic_cast<ProviderTypesSchemaAdapter*>(types.get());
    ASSERT_NE(nullptr, provider);
    EXPECT_TRUE(provider->HasDataType());
    EXPECT_EQ(SQL_INTEGER, provider->GetDataType());
    EXPECT_TRUE(provider->HasBestMatch());
    EXPECT_TRUE(provider->GetBestMatch());
}

TEST_F(DataEngineTest, SchemaAdaptersConvertTheirColumnsAndForwardTheRest)
{
    SetEnvironment(ENV_PROP_CATALOG_CONVENTION, 3);
    ScriptedDataEngine engine(m_statement.get());

    engine.Script({{{DSI_TAG_TABLE_NAME, u"t"}, {DSI_TAG_IS_GRANTABLE, u"YES"}},
                   {{DSI_TAG_TABLE_NAME, u"u"}, {DSI_TAG_IS_GRANTABLE, u"NO"}},
                   {{DSI_TAG_TABLE_NAME, u"v"}, {DSI_TAG_IS_GRANTABLE, Cell()}}});
    std::unique_ptr<IResult> privileges = Call(engine, 4, ArgumentsOf(4), true);
    EXPECT_EQ(SQL_BIT, privileges->GetSelectColumns()->GetColumn(6)->GetMetadata()->GetConciseType());
    EXPECT_EQ("IS_GRANTABLE", ColumnName(*privileges, 6));
    EXPECT_EQ("t|1; u|0; v|<null>", ReadAll(*privileges, {4, 6}));

    engine.Script({{{DSI_TAG_UPDATE_RULE, SQL_CASCADE}, {DSI_TAG_DELETE_RULE, SQL_SET_NULL}},
                   {{DSI_TAG_UPDATE_RULE, SQL_NO_ACTION}, {DSI_TAG_DELETE_RULE, SQL_SET_DEFAULT}},
                   {{DSI_TAG_UPDATE_RULE, SQL_RESTRICT}, {DSI_TAG_DELETE_RULE, Cell()}}});
    std::unique_ptr<IResult> keys = Call(engine, 7, ArgumentsOf(7), true);
    EXPECT_EQ("CASCADE|SET NULL; NO ACTION|SET DEFAULT; <null>|<null>", ReadAll(*keys, {13, 14}));

    engine.Script({{{DSI_TAG_PROCEDURE_TYPE, SQL_PT_PROCEDURE}}});
    EXPECT_EQ("2", ReadAll(*Call(engine, 11, ArgumentsOf(11), true), {3}));

    engine.Script({{{DSI_TAG_DATA_TYPE, SQL_INTEGER}, {DSI_TAG_UNSIGNED_ATTRIBUTE, SQL_TRUE}},
                   {{DSI_TAG_DATA_TYPE, SQL_INTEGER}, {DSI_TAG_UNSIGNED_ATTRIBUTE, SQL_FALSE}},
                   {{DSI_TAG_DATA_TYPE, SQL_WVARCHAR}, {DSI_TAG_UNSIGNED_ATTRIBUTE, Cell()}},
                   {{DSI_TAG_DATA_TYPE, 999}, {DSI_TAG_UNSIGNED_ATTRIBUTE, SQL_FALSE}}});
    std::unique_ptr<IResult> columns = Call(engine, 5, ArgumentsOf(5), true);
    // Marking DATA_TYPE marks the unsigned attribute it reads as well.
    columns->SetDataNeeded(11, true);
    EXPECT_TRUE(columns->IsDataNeeded(28));
    EXPECT_EQ("19; 3; 130; <null>", ReadAll(*columns, {11}));

    const std::string refused = Outcome([&] { columns->BulkFetch(1, {}); });
    EXPECT_EQ("HY000 2 InvalidOperation [FuncNotSupported]", refused.substr(0, refused.find("] [") + 1));
    EXPECT_FALSE(columns->CanBulkFetch({0}));
    EXPECT_EQ("HY000 2 CursorTypeNotSupported [3]", Outcome([&] { columns->SetCursorType(SQL_CURSOR_STATIC); }));
}
