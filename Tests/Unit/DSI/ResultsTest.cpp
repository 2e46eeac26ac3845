#include "DSI/Client/DSIEmptyMetadataSource.h"
#include "DSI/Client/DSIListMetadataSource.h"
#include "DSI/Client/DSIResultSetColumn.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/Client/DSIRowCountResult.h"
#include "DSI/Client/DSISimpleResultSet.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "DSITestSupport.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;

namespace {

// A row count that tells when it is deleted.
class WatchedRowCount : public DSIRowCountResult
{
public:
    WatchedRowCount(int64_t in_count, int& io_deleted) : DSIRowCountResult(in_count), m_deleted(io_deleted) {}
    ~WatchedRowCount() override { ++m_deleted; }

private:
    int& m_deleted;
};

int64_t CountOf(IResult* in_result)
{
    return in_result == nullptr ? -99 : in_result->GetRowCount();
}

} // namespace

TEST(DSIResultsTest, WalksItsResultsInOrderAndStartsOver)
{
    DSIResults empty;
    EXPECT_EQ(nullptr, empty.GetCurrentResult());
    EXPECT_FALSE(empty.MoveToNext());

    int deleted = 0;
    DSIResults results;
    results.AddResult(std::make_unique<WatchedRowCount>(10, deleted));
    results.AddResult(std::make_unique<WatchedRowCount>(20, deleted));
    EXPECT_EQ(2u, results.GetCount());
    EXPECT_EQ(10, CountOf(results.GetCurrentResult()));
    EXPECT_TRUE(results.MoveToNext());
    EXPECT_EQ(20, CountOf(results.GetCurrentResult()));
    EXPECT_FALSE(results.MoveToNext());
    EXPECT_EQ(nullptr, results.GetCurrentResult());
    EXPECT_FALSE(results.MoveToNext());
    results.Reset();
    EXPECT_EQ(10, CountOf(results.GetCurrentResult()));

    results.Clear();
    EXPECT_EQ(2, deleted);
    EXPECT_EQ(0u, results.GetCount());
    EXPECT_EQ(nullptr, results.GetCurrentResult());
    EXPECT_EQ("HY000 3 InvalidArgument", Outcome([&] { results.AddResult(nullptr); }).substr(0, 23));
}

TEST(DSIRowCountResultTest, AnswersItsCountAndRefusesEveryCursorOperation)
{
    DSIRowCountResult result(-1);
    EXPECT_FALSE(result.HasRowCount());
    EXPECT_EQ(DSI_ROW_COUNT, result.GetResultType());
    result.SetRowCount(0);
    EXPECT_TRUE(result.HasRowCount());
    EXPECT_EQ(0, result.GetRowCount());
    result.SetRowCount(7);

    std::unique_ptr<SqlTypeMetadata> metadata = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_VARCHAR, false, 0);
    std::unique_ptr<SqlData> data = SqlDataFactory().CreateNewSqlData(*metadata);
    const std::string refused = "HY000 2 CannotPerformCursorOrDataRetrievalOperationOnRowCountResult";
    const std::pair<std::string, std::function<void()>> operations[] = {
        {"HY000 2 FuncNotSupported", [&] { result.BulkFetch(2, {}); }},
        {refused, [&] { result.CloseCursor(); }},
        {refused, [&] { result.SetDataNeeded(0, true); }},
        {refused, [&] { result.IsDataNeeded(0); }},
        {refused, [&] { result.RetrieveData(0, *data, 0, -1); }},
        {"HY000 2 CellmarkingNotSupported", [&] { result.SetCellmark(0); }},
        {refused, [&] { result.SetCursorType(DSI_FORWARD_ONLY); }},
        {refused, [&] { result.SetRowsetSize(10); }},
        {refused, [&] { result.Move(DSI_DIR_NEXT, 0); }},
    };
    for (const auto& operation : operations)
    {
        EXPECT_EQ(operation.first, Outcome(operation.second));
    }
    EXPECT_EQ(7, result.GetRowCount());
    EXPECT_EQ(nullptr, result.GetSelectColumns());
    EXPECT_FALSE(result.CanBulkFetch({0, 1}));
}

namespace {

// A result set over a number of rows with two columns; its own position follows the moves.
class CountingResultSet : public DSISimpleResultSet
{
public:
    explicit CountingResultSet(int64_t in_rows) : m_rows(in_rows)
    {
        const SqlTypeMetadataFactory factory;
        for (const char* name : {"A", "B"})
        {
            auto attributes = std::make_unique<DSIColumnMetadata>();
            attributes->m_name = name;
            m_columns.AddColumn(new DSIResultSetColumn(factory.CreateNewSqlTypeMetadata(SQL_INTEGER, false, 0),
                                                       std::move(attributes)));
        }
    }

    bool RetrieveData(uint16_t, SqlData&, int64_t, int64_t) override { return false; }
    bool HasRowCount() override { return true; }
    int64_t GetRowCount() override { return m_rows; }
    IColumns* GetSelectColumns() override { return &m_columns; }

    int64_t m_position = -1;
    int32_t m_closed = 0;

protected:
    void DoCloseCursor() override
    {
        m_position = -1;
        ++m_closed;
    }

    bool MoveToNextRow() override
    {
        m_position = std::min(m_position + 1, m_rows);
        return m_position < m_rows;
    }

private:
    int64_t m_rows;
    DSIResultSetColumns m_columns{true};
};

// A result set that fetches blocks of rows.
class BlockResultSet : public CountingResultSet
{
public:
    using CountingResultSet::CountingResultSet;

protected:
    uint64_t DoBulkFetch(uint64_t in_rowCount, const BulkFetchColumns&) override
    {
        const uint64_t fetched = std::min<uint64_t>(in_rowCount, GetRowCount() - (m_position + 1));
        m_position += static_cast<int64_t>(fetched);
        return fetched;
    }
};

} // namespace

TEST(DSISimpleResultSetTest, NumbersRowsAcrossMovesAndBlockFetches)
{
    BlockResultSet result(20);
    EXPECT_EQ(DSI_RESULT_SET, result.GetResultType());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_TRUE(result.Move(DSI_DIR_NEXT, 0));
    }
    EXPECT_EQ(2u, result.GetRowNumber());
    EXPECT_EQ(5u, result.BulkFetch(5, {}));
    EXPECT_EQ(7u, result.GetRowNumber());
    EXPECT_EQ(12u, result.BulkFetch(100, {}));
    EXPECT_EQ(19u, result.GetRowNumber());
    EXPECT_EQ(0u, result.BulkFetch(100, {}));
    EXPECT_FALSE(result.Move(DSI_DIR_NEXT, 0));

    result.CloseCursor();
    EXPECT_EQ(1, result.m_closed);
    EXPECT_TRUE(result.Move(DSI_DIR_NEXT, 0));
    EXPECT_EQ(0u, result.GetRowNumber());
    EXPECT_EQ(0, result.m_position);
}

TEST(DSISimpleResultSetTest, RefusesWhatAForwardOnlyResultCannotDo)
{
    CountingResultSet result(3);
    EXPECT_EQ("HY000 2 ResultSetTraverseDirNotSupported [1]", Outcome([&] { result.Move(1, 0); }));
    EXPECT_EQ(-1, result.m_position);
    EXPECT_EQ("HY000 2 CursorTypeNotSupported [1]", Outcome([&] { result.SetCursorType(1); }));
    EXPECT_EQ("ok", Outcome([&] { result.SetCursorType(DSI_FORWARD_ONLY); }));
    EXPECT_EQ("HY000 2 CellmarkingNotSupported", Outcome([&] { result.SetCellmark(0); }));
    EXPECT_FALSE(result.CanBulkFetch({0}));
    // Without a block fetch of its own, the row number still moved before the refusal.
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { result.BulkFetch(2, {}); }));
    EXPECT_EQ(0u, result.GetRowNumber());
}

TEST(DSISimpleResultSetTest, MarksOnlyColumnsTheResultHas)
{
    CountingResultSet result(1);
    EXPECT_FALSE(result.IsDataNeeded(0));
    result.SetDataNeeded(1, true);
    EXPECT_TRUE(result.IsDataNeeded(1));
    EXPECT_FALSE(result.IsDataNeeded(0));
    result.SetDataNeeded(1, false);
    EXPECT_FALSE(result.IsDataNeeded(1));
    EXPECT_EQ("HY000 2 InvalidColumnNum [2]", Outcome([&] { result.SetDataNeeded(2, true); }));
    EXPECT_EQ("HY000 2 InvalidColumnNum [65535]", Outcome([&] { result.SetDataNeeded(65535, true); }));
    EXPECT_FALSE(result.IsDataNeeded(2));
    EXPECT_FALSE(result.IsDataNeeded(65535));
}

namespace {

// Metadata sources write wide text; the target holds UTF-16LE, as the driver manager reads it.
class MetadataSourceTest : public EncodingsRestored
{
protected:
    MetadataSourceTest()
    {
        orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
        m_metadata = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_WVARCHAR, false, 0);
        m_data = SqlDataFactory().CreateNewSqlData(*m_metadata);
    }

    std::string Value() { return Show(orvik_wstring(*m_data)); }

    std::unique_ptr<SqlTypeMetadata> m_metadata;
    std::unique_ptr<SqlData> m_data;
};

} // namespace

TEST_F(MetadataSourceTest, AListSourceYieldsItsValuesOnceAndRewinds)
{
    DSIListMetadataSource source({{2, u"ignored"}}, {u"TABLE", u"VIEW"});
    std::vector<std::string> seen;
    for (int pass = 0; pass < 2; ++pass)
    {
        while (source.Move(DSI_DIR_NEXT, 0))
        {
            EXPECT_FALSE(source.GetMetadata(DSIListMetadataSource::VALUE_TAG, *m_data, 0, -1));
            seen.push_back(Value());
        }
        // At the end the source stays at the end.
        EXPECT_FALSE(source.Move(DSI_DIR_NEXT, 0));
        EXPECT_EQ("HY000 3 InvalidOperation", Outcome([&] { source.GetMetadata(3, *m_data, 0, -1); }).substr(0, 24));
        source.CloseCursor();
    }
    EXPECT_EQ((std::vector<std::string>{"TABLE", "VIEW", "TABLE", "VIEW"}), seen);

    ASSERT_TRUE(source.Move(DSI_DIR_NEXT, 0));
    EXPECT_TRUE(source.GetMetadata(3, *m_data, 0, 4));
    EXPECT_EQ("TA", Value());
    EXPECT_EQ("HY000 2 InvalidColumnNum [2]", Outcome([&] { source.GetMetadata(2, *m_data, 0, -1); }));
    EXPECT_EQ("HY000 2 ResultSetTraverseDirNotSupported [1]", Outcome([&] { source.Move(1, 0); }));
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { source.GetExtraColumnData(3, *m_data, 0, -1); }));
}

TEST_F(MetadataSourceTest, AnEmptySourceHasNoRowsAndNullValues)
{
    DSIEmptyMetadataSource source(DSIMetadataRestrictions{});
    EXPECT_FALSE(source.Move(DSI_DIR_NEXT, 0));
    EXPECT_FALSE(source.GetMetadata(3, *m_data, 0, -1));
    EXPECT_TRUE(m_data->IsNull());
    EXPECT_EQ("HY000 2 FuncNotSupported", Outcome([&] { source.GetExtraColumnData(0, *m_data, 0, -1); }));
    std::vector<std::unique_ptr<DSIColumn>> extra;
    source.AddExtraColumns(extra);
    EXPECT_TRUE(extra.empty());
}
