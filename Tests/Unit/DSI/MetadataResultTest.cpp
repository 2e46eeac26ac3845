#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataResult.h"
#include "DSI/Catalog/OAMetadataFilter.h"
#include "DSI/Catalog/PVMetadataFilter.h"
#include "DSI/Catalog/SmallIntMetadataFilter.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "CatalogTestSupport.h"
#include "DSITestSupport.h"
#include "RecordingLog.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Cell;
using Orvik::Testing::Outcome;
using Orvik::Testing::ReadAll;
using Orvik::Testing::RecordingLog;
using Orvik::Testing::ScriptedMetadataSource;
using Orvik::Testing::ScriptedRow;

namespace {

constexpr bool FILTERING = true;

std::unique_ptr<DSIMetadataColumn> Column(int32_t in_tag, int16_t in_sqlType, int32_t in_kind = DSI_COLUMN_FROM_SOURCE)
{
    auto attributes = std::make_unique<DSIColumnMetadata>();
    attributes->m_name = Orvik::Support::NumberConverter::ConvertInt32ToWString(in_tag);
    return std::make_unique<DSIMetadataColumn>(SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(in_sqlType, false, 0),
                                               std::move(attributes), in_tag, in_kind);
}

// Rows of SQLSpecialColumns-like data: a name, a scope and a type.
const std::vector<ScriptedRow> ROWS = {
    {{DSI_TAG_COLUMN_NAME, u"id"}, {DSI_TAG_SCOPE, 0}, {DSI_TAG_DATA_TYPE, 4}},
    {{DSI_TAG_COLUMN_NAME, u"name"}, {DSI_TAG_SCOPE, Cell()}, {DSI_TAG_DATA_TYPE, -9}},
    {{DSI_TAG_COLUMN_NAME, u"idx"}, {DSI_TAG_SCOPE, 2}, {DSI_TAG_DATA_TYPE, 4}},
};

class MetadataResultTest : public Orvik::Support::EncodingsRestored
{
protected:
    MetadataResultTest()
    {
        orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
        m_log.SetLogLevel(LOG_TRACE);
    }

    /// A result over in_rows with a name, a scope, a type and a derived column.
    std::unique_ptr<DSIMetadataResult> Make(std::vector<ScriptedRow> in_rows, bool in_isFiltering)
    {
        auto source = std::make_unique<ScriptedMetadataSource>(std::move(in_rows));
        m_source = source.get();
        m_source->m_deleted = &m_deletedSources;
        m_columns.push_back(Column(DSI_TAG_COLUMN_NAME, SQL_WVARCHAR));
        m_columns.push_back(Column(DSI_TAG_SCOPE, SQL_SMALLINT));
        m_columns.push_back(Column(DSI_TAG_DATA_TYPE, SQL_SMALLINT));
        m_columns.push_back(Column(DSI_TAG_REMARKS, SQL_WVARCHAR, DSI_COLUMN_ALWAYS_NULL));
        return std::make_unique<DSIMetadataResult>(std::move(source), m_columns, m_filters, &m_log, in_isFiltering);
    }

    std::vector<std::unique_ptr<DSIMetadataColumn>> m_columns;
    std::vector<std::unique_ptr<IMetadataFilter>> m_filters;
    RecordingLog m_log;
    ScriptedMetadataSource* m_source = nullptr;
    int m_deletedSources = 0;
};

} // namespace

TEST_F(MetadataResultTest, ReadsEveryRowOfItsSourceForwardOnly)
{
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    EXPECT_TRUE(m_columns.empty());
    EXPECT_TRUE(m_filters.empty());
    EXPECT_EQ(0, m_source->m_registeredFilterCount);
    EXPECT_EQ(4u, result->GetSelectColumns()->GetCount());
    EXPECT_EQ(DSI_RESULT_SET, result->GetResultType());
    EXPECT_FALSE(result->HasRowCount());
    EXPECT_EQ(-1, result->GetRowCount());
    EXPECT_FALSE(result->CanBulkFetch({0}));

    EXPECT_EQ("id|0|4|<null>; name|<null>|-9|<null>; idx|2|4|<null>", ReadAll(*result));
    // The derived column is NULL without asking the source.
    for (int32_t tag : m_source->m_askedTags)
    {
        EXPECT_NE(DSI_TAG_REMARKS, tag);
    }
    EXPECT_FALSE(result->Move(DSI_DIR_NEXT, 0));
    result->CloseCursor();
    EXPECT_EQ("id|0|4|<null>; name|<null>|-9|<null>; idx|2|4|<null>", ReadAll(*result));

    result.reset();
    EXPECT_EQ(1, m_deletedSources);
}

TEST_F(MetadataResultTest, HidesTheRowsThatAFilterRejects)
{
    m_filters.push_back(std::make_unique<SmallIntMetadataFilter>(DSI_TAG_SCOPE, 1));
    m_filters.push_back(std::make_unique<PVMetadataFilter>(u"%d%", u"\\", DSI_TAG_COLUMN_NAME, true));
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    EXPECT_EQ(2, m_source->m_registeredFilterCount);
    EXPECT_TRUE(m_filters.empty());
    // "id" fails the scope, "name" passes it (NULL) but fails the pattern.
    EXPECT_EQ("idx|2|4|<null>", ReadAll(*result));
    // The filters were logged when the result took them over.
    EXPECT_EQ(4u, m_log.m_entries.size());
}

TEST_F(MetadataResultTest, AMissingFilterIsDroppedRatherThanApplied)
{
    m_filters.push_back(nullptr);
    m_filters.push_back(std::make_unique<OAMetadataFilter>(u"idx", DSI_TAG_COLUMN_NAME, true));
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    EXPECT_EQ("idx|2|4|<null>", ReadAll(*result));
}

TEST_F(MetadataResultTest, ARowThatNoFilterAcceptsMovesTheSourceToItsEnd)
{
    m_filters.push_back(std::make_unique<OAMetadataFilter>(u"none", DSI_TAG_COLUMN_NAME, true));
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    EXPECT_FALSE(result->Move(DSI_DIR_NEXT, 0));
    EXPECT_EQ(4, m_source->m_moveCount);
    EXPECT_EQ(3u, m_source->m_askedTags.size());
}

TEST_F(MetadataResultTest, WithoutFilteringTheSourceSeesNoFiltersAndEveryRowPasses)
{
    m_filters.push_back(std::make_unique<OAMetadataFilter>(u"none", DSI_TAG_COLUMN_NAME, true));
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, !FILTERING);
    EXPECT_EQ(-1, m_source->m_registeredFilterCount);
    EXPECT_EQ("id|0|4|<null>; name|<null>|-9|<null>; idx|2|4|<null>", ReadAll(*result));
}

TEST_F(MetadataResultTest, AnEmptySourceGivesNoRowsAndAllColumns)
{
    std::unique_ptr<DSIMetadataResult> result = Make({}, FILTERING);
    EXPECT_FALSE(result->Move(DSI_DIR_NEXT, 0));
    EXPECT_EQ(4u, result->GetSelectColumns()->GetCount());
}

TEST_F(MetadataResultTest, MarksColumnsAsNeededOnDemand)
{
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    EXPECT_FALSE(result->IsDataNeeded(0));
    result->SetDataNeeded(40, false);
    EXPECT_FALSE(result->IsDataNeeded(40));
    result->SetDataNeeded(2, true);
    EXPECT_TRUE(result->IsDataNeeded(2));
    EXPECT_FALSE(result->IsDataNeeded(65535));
    result->SetDataNeeded(65535, true);
    EXPECT_TRUE(result->IsDataNeeded(65535));
}

TEST_F(MetadataResultTest, RefusesWhatACatalogResultCannotDo)
{
    std::unique_ptr<DSIMetadataResult> result = Make(ROWS, FILTERING);
    std::unique_ptr<SqlTypeMetadata> type = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_WVARCHAR, false, 0);
    std::unique_ptr<SqlData> value = SqlDataFactory().CreateNewSqlData(*type);
    ASSERT_TRUE(result->Move(DSI_DIR_NEXT, 0));

    EXPECT_EQ("ok", Outcome([&] { result->SetCursorType(DSI_FORWARD_ONLY); }));
    EXPECT_EQ("HY000 2 CursorTypeNotSupported [1]", Outcome([&] { result->SetCursorType(1); }));
    EXPECT_EQ("HY000 2 InvalidColumnNum [4]", Outcome([&] { result->RetrieveData(4, *value, 0, -1); }));
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { result->BulkFetch(1, {}); }));
    EXPECT_EQ("HY000 2 CellmarkingNotSupported", Outcome([&] { result->SetCellmark(0); }));
    EXPECT_EQ("ok", Outcome([&] { result->SetRowsetSize(10); }));

    // The result stays usable after a failed retrieval.
    EXPECT_FALSE(result->RetrieveData(0, *value, 0, -1));
    EXPECT_EQ("id", Show(orvik_wstring(*value)));

    std::vector<std::unique_ptr<DSIMetadataColumn>> columns;
    std::vector<std::unique_ptr<IMetadataFilter>> filters;
    filters.push_back(std::make_unique<OAMetadataFilter>(u"x", 2, true));
    EXPECT_EQ("HY000 2 MetadataSourceNotFound",
              Outcome([&] { DSIMetadataResult(nullptr, columns, filters, &m_log, true); }));
    EXPECT_EQ(1u, filters.size());
}

TEST_F(MetadataResultTest, ADerivedColumnOfAnotherKindIsRefused)
{
    m_columns.push_back(Column(DSI_TAG_COLUMN_NAME, SQL_WVARCHAR, 202));
    std::vector<ScriptedRow> rows = ROWS;
    auto source = std::make_unique<ScriptedMetadataSource>(rows);
    ScriptedMetadataSource* raw = source.get();
    DSIMetadataResult result(std::move(source), m_columns, m_filters, &m_log, FILTERING);
    std::unique_ptr<SqlTypeMetadata> type = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_WVARCHAR, false, 0);
    std::unique_ptr<SqlData> value = SqlDataFactory().CreateNewSqlData(*type);
    ASSERT_TRUE(result.Move(DSI_DIR_NEXT, 0));
    EXPECT_EQ("HY000 2 InvalidDerivedColumnID", Outcome([&] { result.RetrieveData(0, *value, 0, -1); }));
    EXPECT_TRUE(raw->m_askedTags.empty());
}

TEST_F(MetadataResultTest, TheHostProgramRuleEmptiesOnlyColumnNine)
{
    std::vector<ScriptedRow> rows(2);
    for (int32_t tag = 0; tag < 13; ++tag)
    {
        m_columns.push_back(Column(tag, SQL_INTEGER));
        rows[0][tag] = tag;
        rows[1][tag] = tag + 100;
    }
    DSIMetadataResult result(std::make_unique<ScriptedMetadataSource>(rows), m_columns, m_filters, &m_log, FILTERING);
    result.SetHostProgramRule(true);
    EXPECT_EQ("0|1|2|3|4|5|6|7|8|<null>|10|11|12; 100|101|102|103|104|105|106|107|108|<null>|110|111|112",
              ReadAll(result));
}

namespace {

// A source with one extra column, tagged 72, answered through GetExtraColumnData.
class ExtraColumnSource : public ScriptedMetadataSource
{
public:
    using ScriptedMetadataSource::ScriptedMetadataSource;

    void AddExtraColumns(std::vector<std::unique_ptr<DSIColumn>>& io_columns) override
    {
        io_columns.push_back(Column(DSI_TAG_USER_DATA_TYPE, SQL_SMALLINT));
    }

    bool GetExtraColumnData(uint16_t in_tag, SqlData& io_target, int64_t, int64_t) override
    {
        const int16_t value = static_cast<int16_t>(in_tag * 10);
        io_target.SetNull(false);
        std::memcpy(io_target.GetBuffer(), &value, sizeof value);
        return false;
    }
};

} // namespace

TEST_F(MetadataResultTest, ExtraColumnsFollowTheStandardOnesAndAreAnsweredByTag)
{
    m_columns.push_back(Column(DSI_TAG_COLUMN_NAME, SQL_WVARCHAR));
    DSIMetadataResult result(std::make_unique<ExtraColumnSource>(ROWS), m_columns, m_filters, &m_log, FILTERING);
    EXPECT_EQ(2u, result.GetSelectColumns()->GetCount());
    EXPECT_EQ("id|720; name|720; idx|720", ReadAll(result));
}
