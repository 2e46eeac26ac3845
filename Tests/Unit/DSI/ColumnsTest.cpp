#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIMessageSource.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/Client/DSIMetadataColumns.h"
#include "DSI/Client/DSIResultSetColumn.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "DSITestSupport.h"
#include "DriverSettings.h"
#include "RecordingLog.h"
#include "TestDriver.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;
using Orvik::Testing::RecordingLog;

namespace {

std::unique_ptr<SqlTypeMetadata> TypeOf(int16_t in_sqlType)
{
    return SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(in_sqlType, false, 0);
}

std::unique_ptr<DSIColumnMetadata> Named(const orvik_wstring& in_name)
{
    auto attributes = std::make_unique<DSIColumnMetadata>();
    attributes->m_name = in_name;
    attributes->m_isUnnamed = false;
    return attributes;
}

template <class Column = DSIResultSetColumn>
std::unique_ptr<Column> MakeColumn(const orvik_wstring& in_name, int16_t in_sqlType = SQL_VARCHAR)
{
    return std::make_unique<Column>(TypeOf(in_sqlType), Named(in_name));
}

// Every answer of a column, one line each, for comparing against what a record should give.
std::vector<std::string> Answers(const IColumn& in_column)
{
    orvik_wstring text;
    std::vector<std::string> answers;
    in_column.GetLabel(text);
    answers.push_back("label " + Show(text));
    in_column.GetName(text);
    answers.push_back("name " + Show(text));
    in_column.GetTableName(text);
    answers.push_back("table " + Show(text));
    in_column.GetSchemaName(text);
    answers.push_back("schema " + Show(text));
    in_column.GetCatalogName(text);
    answers.push_back("catalog " + Show(text));
    answers.push_back("nullable " + std::to_string(in_column.GetNullable()));
    answers.push_back("searchable " + std::to_string(in_column.GetSearchable()));
    answers.push_back("updatable " + std::to_string(in_column.GetUpdatable()));
    answers.push_back("size " + std::to_string(in_column.GetColumnSize()));
    answers.push_back("flags " + std::to_string(in_column.IsAutoUnique()) + std::to_string(in_column.IsCaseSensitive())
                      + std::to_string(in_column.IsUnnamed()) + std::to_string(in_column.GetAuxiliaryFlag()));
    answers.push_back("auxiliary " + std::to_string(in_column.GetAuxiliaryValue()));
    return answers;
}

} // namespace

TEST(DSIColumnTest, ReadsEveryAnswerFromItsRecord)
{
    DSIResultSetColumn plain(TypeOf(SQL_VARCHAR), std::make_unique<DSIColumnMetadata>());
    EXPECT_EQ((std::vector<std::string>{"label <null>", "name ", "table ", "schema ", "catalog ", "nullable 2",
                                        "searchable 3", "updatable 0", "size 0", "flags 0011", "auxiliary 2"}),
              Answers(plain));
    EXPECT_EQ(Collation::GetDefault().Get(), plain.GetCollation().Get());

    auto attributes = std::make_unique<DSIColumnMetadata>();
    attributes->m_label = u"Label";
    attributes->m_name = u"name";
    attributes->m_tableName = u"t";
    attributes->m_schemaName = u"s";
    attributes->m_catalogName = u"c";
    attributes->m_nullable = 0;
    attributes->m_searchable = 1;
    attributes->m_updatable = 2;
    attributes->m_columnLength = 25;
    attributes->m_hasDefaultLength = false;
    attributes->m_isAutoUnique = true;
    attributes->m_isCaseSensitive = true;
    attributes->m_isUnnamed = false;
    attributes->m_auxiliaryValue = 9;
    DSIColumnMetadata* record = attributes.get();
    DSIResultSetColumn described(TypeOf(SQL_VARCHAR), std::move(attributes));
    EXPECT_EQ((std::vector<std::string>{"label Label", "name name", "table t", "schema s", "catalog c", "nullable 0",
                                        "searchable 1", "updatable 2", "size 25", "flags 1100", "auxiliary 9"}),
              Answers(described));
    EXPECT_EQ(record, described.GetColumnMetadata());
    EXPECT_EQ(SQL_VARCHAR, described.GetMetadata()->GetConciseType());
}

TEST(DSIColumnTest, RefusesAttributesWithoutACollationAndLeavesThemToTheCaller)
{
    std::unique_ptr<SqlTypeMetadata> type = TypeOf(SQL_INTEGER);
    auto attributes = std::make_unique<DSIColumnMetadata>();
    attributes->m_collation.Release();
    const std::string outcome = Outcome([&] { DSIResultSetColumn column(std::move(type), std::move(attributes)); });
    // The parameters are the source file and a line number.
    const std::string expected = "HY000 2 InvalidArgument [DSI/Client/DSIColumn.cpp] [";
    EXPECT_EQ(expected, outcome.substr(0, expected.size()));
    EXPECT_EQ(std::string::npos, outcome.find('[', expected.size()));
    EXPECT_NE(nullptr, type);
    EXPECT_NE(nullptr, attributes);
}

TEST(DSIResultSetColumnsTest, FindsColumnsByPositionAndByExactName)
{
    DSIResultSetColumns columns(true);
    columns.AddColumn(MakeColumn(u"id").release());
    columns.AddColumn(MakeColumn(u"Name").release());
    columns.AddColumn(MakeColumn(u"name").release());
    ASSERT_EQ(3u, columns.GetCount());

    orvik_wstring name;
    columns.GetColumn(2)->GetName(name);
    EXPECT_EQ("name", Show(name));
    EXPECT_EQ("HY000 2 InvalidColumnNum [3]", Outcome([&] { columns.GetColumn(3); }));

    EXPECT_EQ(columns.GetColumn(1), columns.FindByName(u"Name"));
    EXPECT_EQ(columns.GetColumn(2), columns.FindByName("name"));
    EXPECT_EQ(2u, columns.FindIndexByName(u"name"));
    EXPECT_EQ(1u, columns.FindIndexByName("Name"));
    EXPECT_EQ("HY000 2 InvalidColumnName [NAME]", Outcome([&] { columns.FindByName(u"NAME"); }));
    EXPECT_EQ("HY000 2 InvalidColumnName [ID]", Outcome([&] { columns.FindIndexByName("ID"); }));
    EXPECT_EQ("HY000 2 InvalidColumnName [<null>]", Outcome([&] { columns.FindByName(orvik_wstring()); }));
}

TEST(DSIResultSetColumnsTest, ALendingListLeavesItsColumnsAlive)
{
    std::unique_ptr<DSIResultSetColumn> column = MakeColumn(u"kept");
    {
        DSIResultSetColumns columns(false);
        columns.AddColumn(column.get());
        EXPECT_EQ(column.get(), columns.GetColumn(0));
    }
    orvik_wstring name;
    column->GetName(name);
    EXPECT_EQ("kept", Show(name));
}

namespace {

class MetadataColumnsTest : public ::testing::Test
{
protected:
    MetadataColumnsTest()
    {
        for (const char16_t* name : {u"TABLE_CAT", u"TABLE_SCHEM", u"TABLE_NAME"})
        {
            m_standard.push_back(std::make_unique<DSIMetadataColumn>(TypeOf(SQL_WVARCHAR), Named(name),
                                                                     static_cast<int32_t>(m_standard.size()),
                                                                     DSI_COLUMN_FROM_SOURCE));
        }
    }

    void AddExtra(const char16_t* in_name)
    {
        m_extra.push_back(std::make_unique<DSIMetadataColumn>(TypeOf(SQL_SMALLINT), Named(in_name), 72,
                                                              DSI_COLUMN_ALWAYS_NULL));
    }

    std::vector<std::unique_ptr<DSIMetadataColumn>> m_standard;
    std::vector<std::unique_ptr<DSIColumn>> m_extra;
    Orvik::Testing::DriverSettings m_settings;
};

} // namespace

TEST_F(MetadataColumnsTest, NumbersTheExtraColumnsAfterTheStandardOnes)
{
    AddExtra(u"USER_DATA_TYPE");
    AddExtra(u"EXTRA");
    DSIMetadataColumns columns(m_standard, m_extra);
    EXPECT_EQ(5u, columns.GetCount());
    EXPECT_EQ(m_standard[2].get(), columns.GetColumn(2));
    EXPECT_EQ(m_extra[0].get(), columns.GetColumn(3));
    EXPECT_EQ(m_extra[1].get(), columns.GetColumn(4));
    EXPECT_EQ("HY000 2 InvalidColumnNum [5]", Outcome([&] { columns.GetColumn(5); }));
    EXPECT_EQ(1, m_standard[1]->GetTag());
    EXPECT_EQ(DSI_COLUMN_FROM_SOURCE, m_standard[1]->GetKind());
}

TEST_F(MetadataColumnsTest, LogsTheEntryAndEveryColumnAtTrace)
{
    AddExtra(u"USER_DATA_TYPE");
    DSIMetadataColumns columns(m_standard, m_extra);
    RecordingLog log;
    log.SetLogLevel(LOG_TRACE);
    columns.LogColumns(log);
    const std::string column = "TRACE DSIColumn::LogColumn: ";
    EXPECT_EQ((std::vector<std::string>{"TRACE DSIMetadataColumns::LogColumns: +++++ enter +++++",
                                        "TRACE DSIColumn::LogColumn: +++++ enter +++++",
                                        column + "\tName: TABLE_CAT", column + "\tType: WVARCHAR",
                                        "TRACE DSIColumn::LogColumn: +++++ enter +++++",
                                        column + "\tName: TABLE_SCHEM", column + "\tType: WVARCHAR",
                                        "TRACE DSIColumn::LogColumn: +++++ enter +++++",
                                        column + "\tName: TABLE_NAME", column + "\tType: WVARCHAR",
                                        "TRACE DSIColumn::LogColumn: +++++ enter +++++",
                                        column + "\tName: USER_DATA_TYPE", column + "\tType: SMALLINT"}),
              log.m_entries);

    const std::vector<std::unique_ptr<DSIMetadataColumn>> noStandard;
    const std::vector<std::unique_ptr<DSIColumn>> noExtra;
    RecordingLog empty;
    empty.SetLogLevel(LOG_TRACE);
    DSIMetadataColumns(noStandard, noExtra).LogColumns(empty);
    EXPECT_EQ((std::vector<std::string>{"TRACE DSIMetadataColumns::LogColumns: +++++ enter +++++"}), empty.m_entries);

    RecordingLog quiet;
    quiet.SetLogLevel(LOG_DEBUG);
    columns.LogColumns(quiet);
    EXPECT_TRUE(quiet.m_entries.empty());
}

TEST_F(MetadataColumnsTest, AResultSetListLogsItsColumnsToo)
{
    DSIResultSetColumns columns(true);
    columns.AddColumn(MakeColumn(u"id", SQL_INTEGER).release());
    RecordingLog log;
    log.SetLogLevel(LOG_TRACE);
    columns.LogColumns(log);
    EXPECT_EQ((std::vector<std::string>{"TRACE DSIResultSetColumns::LogColumns: +++++ enter +++++",
                                        "TRACE DSIColumn::LogColumn: +++++ enter +++++",
                                        "TRACE DSIColumn::LogColumn: \tName: id",
                                        "TRACE DSIColumn::LogColumn: \tType: INTEGER"}),
              log.m_entries);
}

TEST(DSIMessageTextTest, TheLayersRefusalsReadWithTheirParameters)
{
    Orvik::Testing::DriverSettings settings;
    settings.Use(Orvik::Testing::DriverSettings::Value("ERRORMESSAGESPATH", PELTA_MESSAGE_DIRECTORY));
    Orvik::Testing::TestDriver driver;
    SharedPtr<DSIMessageSource> source = driver.GetMessageSource();
    const auto textOf = [&](ErrorException in_error) { return in_error.GetMessageText(source.Get(), "en-US").GetAsUTF8(); };

    EXPECT_EQ("[Orvik][DSI] (1014) Cursor type 7 is not supported: only forward-only cursors are available.",
              textOf(DSIException(u"CursorTypeNotSupported", {u"7"})));
    try
    {
        auto attributes = std::make_unique<DSIColumnMetadata>();
        attributes->m_collation.Release();
        DSIResultSetColumn column(TypeOf(SQL_INTEGER), std::move(attributes));
        ADD_FAILURE() << "no collation was accepted";
    }
    catch (const ErrorException& error)
    {
        const std::string text = textOf(error);
        const std::string expected = "[Orvik][DSI] (1050) Invalid argument (DSI/Client/DSIColumn.cpp, line ";
        EXPECT_EQ(expected, text.substr(0, expected.size())) << text;
    }
}
