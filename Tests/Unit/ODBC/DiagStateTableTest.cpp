#include "ODBC/Diagnostics/DiagStateTable.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;

namespace {

struct StateCase
{
    DiagState m_state;
    const char* m_odbc2;
    const char* m_classOrigin;
    const char* m_subclassOrigin;
};

// One state of each kind of map entry, with its origins.
const StateCase STATE_CASES[] = {
    {DIAG_COLUMN_NOT_FOUND, "S0022", "ISO 9075", "ODBC 3.0"},                  // 42S22
    {DIAG_TABLE_NOT_FOUND, "S0002", "ISO 9075", "ODBC 3.0"},                   // 42S02
    {DIAG_GENERAL_ERROR, "S1000", "ISO 9075", "ISO 9075"},                     // HY000
    {DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, "S1C00", "ISO 9075", "ISO 9075"},  // HYC00
    {DIAG_MEMORY_ALLOCATION_ERROR, "S1001", "ISO 9075", "ISO 9075"},           // HY001
    {DIAG_INVALID_BOOKMARK_VALUE, "S1111", "ISO 9075", "ODBC 3.0"},            // HY111
    {DIAG_OPTION_VALUE_CHANGED, "01S02", "ISO 9075", "ODBC 3.0"},              // 01S02
    {DIAG_FRACTIONAL_TRUNCATION, "01000", "ISO 9075", "ODBC 3.0"},             // 01S07
    {DIAG_STRING_RIGHT_TRUNCATED_WARNING, "01004", "ISO 9075", "ISO 9075"},    // 01004
    {DIAG_PREPARED_STATEMENT_NOT_CURSOR, "24000", "ISO 9075", "ISO 9075"},     // 07005
    {DIAG_INVALID_DESCRIPTOR_INDEX, "S1002", "ISO 9075", "ISO 9075"},          // 07009
    {DIAG_TIMEOUT_EXPIRED, "S1000", "ISO 9075", "ODBC 3.0"},                   // HYT00
    {DIAG_CONNECTION_TIMEOUT_EXPIRED, "S1000", "ISO 9075", "ODBC 3.0"},        // HYT01
    {DIAG_INVALID_CATALOG_NAME, "S1000", "ISO 9075", "ISO 9075"},              // 3D000
    {DIAG_NUMERIC_OUT_OF_RANGE, "22003", "ISO 9075", "ISO 9075"},              // 22003
    {DIAG_TRANSACTION_INTEGRITY_VIOLATION, "S1000", "ISO 9075", "ISO 9075"},   // 40002, not in the map
    {DIAG_NO_DATA_SOURCE_OR_DRIVER, "IM007", "ODBC 3.0", "ODBC 3.0"},          // IM007
    {DIAG_TRANSLATION_LOAD_FAILED, "IM009", "ODBC 3.0", "ISO 9075"},           // IM009
};

TEST(DiagStateTableTest, Odbc2FormsAndOriginsOfStates)
{
    for (const StateCase& testCase : STATE_CASES)
    {
        const SqlState sqlState = DiagStateTable::GetSqlState(testCase.m_state);
        EXPECT_STREQ(testCase.m_odbc2, DiagStateTable::ToOdbc2State(sqlState).GetText()) << sqlState.GetText();
        EXPECT_STREQ(testCase.m_classOrigin, DiagStateTable::GetClassOrigin(sqlState)) << sqlState.GetText();
        EXPECT_STREQ(testCase.m_subclassOrigin, DiagStateTable::GetSubclassOrigin(testCase.m_state))
            << sqlState.GetText();
    }
}

TEST(DiagStateTableTest, SqlStatesOutsideTheStatesHaveOdbc2FormsToo)
{
    EXPECT_STREQ("S1T00", DiagStateTable::ToOdbc2State(SqlState("S1T00")).GetText());
    EXPECT_STREQ("01000", DiagStateTable::ToOdbc2State(SqlState("01S99")).GetText());
    EXPECT_STREQ("S1000", DiagStateTable::ToOdbc2State(SqlState("XY123")).GetText());
    EXPECT_STREQ("ODBC 3.0", DiagStateTable::GetClassOrigin(SqlState("IM123")));
}

TEST(DiagStateTableTest, OdbcDefinesThirtyThreeStatesAndNoValueOutsideTheTable)
{
    int flagged = 0;
    for (int32_t state = 0; state < DIAG_STATE_COUNT; ++state)
    {
        flagged += DiagStateTable::IsOdbcSpecific(state) ? 1 : 0;
    }
    EXPECT_EQ(33, flagged);
    EXPECT_FALSE(DiagStateTable::IsOdbcSpecific(-1));
    EXPECT_FALSE(DiagStateTable::IsOdbcSpecific(DIAG_STATE_COUNT));
    EXPECT_STREQ("ISO 9075", DiagStateTable::GetSubclassOrigin(DIAG_STATE_COUNT));
}

} // namespace
