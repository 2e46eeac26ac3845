#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"

#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <gtest/gtest.h>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class StatementBindingTest : public StatementTest
{
protected:
    static int64_t Count(Descriptor& io_descriptor) { return io_descriptor.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer; }

    SQLINTEGER m_buffer = 0;
    SQLLEN m_length = 0;
};

TEST_F(StatementBindingTest, BindColRefusesWhatCannotBeBound)
{
    struct Case
    {
        const char16_t* m_executed; // null: a new statement
        SQLUSMALLINT m_column;
        SQLSMALLINT m_type;
        const char* m_outcome;
        SQLLEN m_bufferLength = 4;
    };
    const Case cases[] = {
        {nullptr, 0, SQL_C_SLONG, "HYC00 S1"},           // no bookmarks
        {nullptr, 1, SQL_C_CHAR, "HY090 S1", -1},
        {u"select 2 3", 1, SQL_C_CHAR, "HY090 S5", SQL_NTS},
        {nullptr, 1, 9999, "HYC00 S1"},                  // no such C type
        {nullptr, 7, SQL_C_SLONG, "OK S1"},              // nothing to compare with yet
        {u"select 2 3", 3, SQL_C_CHAR, "OK S5"},
        {u"select 2 3", 4, SQL_C_CHAR, "07009 S5"},      // beyond the result's columns
        {u"select 2 3", 0, SQL_C_SLONG, "HYC00 S5"},
        {u"update 1", 9, SQL_C_SLONG, "OK S4"},          // a row count limits nothing
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_outcome);
        Statement& statement = *NewStatement();
        if (c.m_executed != nullptr)
        {
            ExecDirect(statement, c.m_executed);
        }
        EXPECT_EQ(c.m_outcome, Outcome(statement, statement.SQLBindCol(c.m_column, c.m_type, &m_buffer, c.m_bufferLength, &m_length)));
    }
}

TEST_F(StatementBindingTest, BindColSetsTheRecordAndANullTargetUnbinds)
{
    Statement& statement = *NewStatement();
    AppDescriptorBase& ard = statement.GetCurrentARD();
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(2, SQL_C_SLONG, &m_buffer, 4, &m_length));
    EXPECT_EQ(2, Count(ard));
    EXPECT_EQ(&m_buffer, ard.ReadField(2, SQL_DESC_DATA_PTR).m_pointer);
    EXPECT_EQ(&m_length, ard.ReadField(2, SQL_DESC_INDICATOR_PTR).m_pointer);
    EXPECT_EQ(&m_length, ard.ReadField(2, SQL_DESC_OCTET_LENGTH_PTR).m_pointer);
    EXPECT_EQ(SQL_C_SLONG, ard.ReadField(2, SQL_DESC_CONCISE_TYPE).m_integer);
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(2, SQL_C_SLONG, nullptr, 0, nullptr));
    EXPECT_EQ(0, Count(ard));
}

TEST_F(StatementBindingTest, BindParameterRefusesTypesAndPairsWithoutAConversion)
{
    struct Case
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        const char* m_outcome;
    };
    const Case cases[] = {
        {9999, SQL_INTEGER, "HY003 S1"},
        {SQL_C_SLONG, 9999, "HY004 S1"},
        {SQL_C_TYPE_DATE, SQL_INTEGER, "07006 S1"},
        {SQL_C_DEFAULT, SQL_INTEGER, "OK S1"},
        {SQL_C_DEFAULT, SQL_WLONGVARCHAR, "OK S1"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_outcome);
        Statement& statement = *NewStatement();
        EXPECT_EQ(c.m_outcome, Outcome(statement, statement.SQLBindParameter(1, SQL_PARAM_INPUT, c.m_cType, c.m_sqlType, 10,
                                                                             0, &m_buffer, 4, &m_length)));
        // A refused binding leaves no record behind.
        EXPECT_EQ(c.m_cType == SQL_C_DEFAULT ? 1 : 0, Count(statement.GetCurrentAPD()));
        EXPECT_EQ(c.m_cType == SQL_C_DEFAULT ? 1 : 0, Count(statement.GetIPD()));
    }
}

TEST_F(StatementBindingTest, BindParameterDescribesTheParameterByItsSqlType)
{
    Statement& statement = *NewStatement();
    ImplParamDescriptor& ipd = statement.GetIPD();
    statement.SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_VARCHAR, 40, 0, &m_buffer, 4, &m_length);
    statement.SQLBindParameter(2, SQL_PARAM_INPUT_OUTPUT, SQL_C_DEFAULT, SQL_DECIMAL, 12, 3, &m_buffer, 4, &m_length);
    statement.SQLBindParameter(3, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_TYPE_TIMESTAMP, 23, 3, &m_buffer, 4, &m_length);
    EXPECT_EQ(40, ipd.ReadField(1, SQL_DESC_LENGTH).m_integer);
    EXPECT_EQ(SQL_VARCHAR, ipd.ReadField(1, SQL_DESC_CONCISE_TYPE).m_integer);
    EXPECT_EQ(12, ipd.ReadField(2, SQL_DESC_PRECISION).m_integer);
    EXPECT_EQ(3, ipd.ReadField(2, SQL_DESC_SCALE).m_integer);
    EXPECT_EQ(SQL_PARAM_INPUT_OUTPUT, ipd.ReadField(2, SQL_DESC_PARAMETER_TYPE).m_integer);
    EXPECT_EQ(3, ipd.ReadField(3, SQL_DESC_PRECISION).m_integer);

    // Without automatic description a prepared statement reports the application's.
    SetAttribute(statement, SQL_ATTR_ENABLE_AUTO_IPD, SQL_FALSE);
    Prepare(statement, u"update 1");
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    ASSERT_EQ(SQL_SUCCESS, statement.SQLDescribeParam(2, &type, &size, &digits, nullptr));
    EXPECT_EQ(SQL_DECIMAL, type);
    EXPECT_EQ(3, digits);
    // With it, the data engine's description replaces them all.
    SetAttribute(statement, SQL_ATTR_ENABLE_AUTO_IPD, SQL_TRUE);
    Prepare(statement, u"update 1 params 1");
    ASSERT_EQ(SQL_SUCCESS, statement.SQLDescribeParam(1, &type, &size, &digits, nullptr));
    EXPECT_EQ(SQL_WVARCHAR, type);
    EXPECT_EQ(100u, size);
    EXPECT_EQ(1, Count(statement.GetIPD()));
    // A number that names no parameter is refused as an index, and the statement stays prepared.
    for (SQLUSMALLINT number : {0, 2, 40000})
    {
        EXPECT_EQ("07009 S2", Outcome(statement, statement.SQLDescribeParam(number, &type, &size, &digits, nullptr)))
            << number;
    }
}

// A registry that converts the small integer C types to the integer SQL types.
class IntegerConverterFactory : public Orvik::Support::SqlConverterFactory
{
public:
    IntegerConverterFactory()
    {
        using namespace Orvik::Support;
        for (TDWType cType : {TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT, TDW_C_SLONG, TDW_C_ULONG})
        {
            for (TDWType sqlType : {TDW_SQL_STINYINT, TDW_SQL_UTINYINT, TDW_SQL_SINTEGER, TDW_SQL_UINTEGER})
            {
                m_cToSqlTable[GetCellIndex(cType, sqlType)] = &Create;
            }
        }
    }

private:
    static std::unique_ptr<Orvik::Support::ICToSqlConverter> Create(const Orvik::Support::SqlCTypeMetadata&,
                                                                   const Orvik::Support::SqlTypeMetadata&)
    {
        return nullptr;
    }
};

TEST_F(StatementBindingTest, OnlyUnsignedCTypesMakeAnIntegerParameterUnsigned)
{
    Orvik::Support::TypedDataSingleton<Orvik::Support::SqlConverterFactory>::Install(
        std::make_unique<IntegerConverterFactory>());
    struct Case
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        int64_t m_isUnsigned;
    };
    const Case cases[] = {
        {SQL_C_TINYINT, SQL_TINYINT, SQL_FALSE},
        {SQL_C_STINYINT, SQL_TINYINT, SQL_FALSE},
        {SQL_C_UTINYINT, SQL_TINYINT, SQL_TRUE},
        {SQL_C_SLONG, SQL_INTEGER, SQL_FALSE},
        {SQL_C_ULONG, SQL_INTEGER, SQL_TRUE},
        {SQL_C_DOUBLE, SQL_TINYINT, SQL_FALSE},
        {SQL_C_NUMERIC, SQL_TINYINT, SQL_FALSE},
        {SQL_C_CHAR, SQL_TINYINT, SQL_FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_cType);
        Statement& statement = *NewStatement();
        ASSERT_EQ("OK S1", Outcome(statement, statement.SQLBindParameter(1, SQL_PARAM_INPUT, c.m_cType, c.m_sqlType, 0, 0,
                                                                         &m_buffer, 4, &m_length)));
        EXPECT_EQ(c.m_isUnsigned, statement.GetIPD().ReadField(1, SQL_DESC_UNSIGNED).m_integer);
    }
}

TEST_F(StatementBindingTest, FreeStmtUnbindsAndResetsParameters)
{
    Statement& statement = *NewStatement();
    statement.SQLBindCol(1, SQL_C_SLONG, &m_buffer, 4, &m_length);
    statement.SQLBindCol(3, SQL_C_SLONG, &m_buffer, 4, &m_length);
    statement.SQLBindParameter(2, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_INTEGER, 0, 0, &m_buffer, 4, &m_length);
    EXPECT_EQ("OK S1", Outcome(statement, statement.SQLFreeStmt(SQL_UNBIND)));
    EXPECT_EQ(0, Count(statement.GetCurrentARD()));
    EXPECT_TRUE(statement.GetCurrentARD().HasBindingsChanged());
    EXPECT_EQ(2, Count(statement.GetCurrentAPD()));
    EXPECT_EQ("OK S1", Outcome(statement, statement.SQLFreeStmt(SQL_RESET_PARAMS)));
    EXPECT_EQ(0, Count(statement.GetCurrentAPD()));
    EXPECT_EQ("HY092 S1", Outcome(statement, statement.SQLFreeStmt(4)));
}

} // namespace
