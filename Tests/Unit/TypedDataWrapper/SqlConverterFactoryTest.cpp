#include "Support/InvalidArgumentException.h"
#include "Support/InvalidTypeConversionException.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

// A converter that tells who made it and for which C type code.
class ProbeSqlToC : public ISqlToCConverter
{
public:
    ProbeSqlToC(const char* in_maker, int16_t in_targetCType) : m_maker(in_maker), m_targetCType(in_targetCType) {}

    std::unique_ptr<ConversionResult> Convert(const SqlData&, Orvik::ODBC::CDataWrapper&) override { return nullptr; }

    std::string m_maker;
    int16_t m_targetCType;
};

class ProbeCToSql : public ICToSqlConverter
{
public:
    std::unique_ptr<ConversionResult> Convert(const Orvik::ODBC::CDataWrapper&, SqlData&) override { return nullptr; }
};

class ProbeSqlToSql : public ISqlToSqlConverter
{
public:
    std::unique_ptr<ConversionResult> Convert(const SqlData&, SqlData&) override { return nullptr; }
};

std::unique_ptr<ISqlToCConverter> MakeFromTable(const SqlTypeMetadata&, const SqlCTypeMetadata& in_target)
{
    return std::make_unique<ProbeSqlToC>("table", in_target.GetCType());
}

std::unique_ptr<ICToSqlConverter> MakeCToSql(const SqlCTypeMetadata&, const SqlTypeMetadata&)
{
    return std::make_unique<ProbeCToSql>();
}

std::unique_ptr<ISqlToSqlConverter> MakeSqlToSql(const SqlTypeMetadata&, const SqlTypeMetadata&)
{
    return std::make_unique<ProbeSqlToSql>();
}

// A registry whose cells the test fills, and whose custom hook may answer first. It starts from
// empty tables, so that the lookup is seen apart from the converters' own cells.
class TestRegistry : public SqlConverterFactory
{
public:
    TestRegistry()
    {
        m_sqlToCTable.fill(nullptr);
        m_cToSqlTable.fill(nullptr);
        m_sqlToSqlTable.fill(nullptr);
    }

    void FillSqlToC(TDWType in_source, TDWType in_target)
    {
        m_sqlToCTable[GetCellIndex(in_source, in_target)] = &MakeFromTable;
    }

    void FillCToSql(TDWType in_source, TDWType in_target)
    {
        m_cToSqlTable[GetCellIndex(in_source, in_target)] = &MakeCToSql;
    }

    void FillSqlToSql(TDWType in_source, TDWType in_target)
    {
        m_sqlToSqlTable[GetCellIndex(in_source, in_target)] = &MakeSqlToSql;
    }

    std::unique_ptr<ISqlToCConverter> CreateCustomSqlToCConverter(
        const SqlData&, const SqlCTypeMetadata& in_target, IDiagManager*) const override
    {
        return m_hookAnswers ? std::make_unique<ProbeSqlToC>("hook", in_target.GetCType()) : nullptr;
    }

    std::unique_ptr<ICToSqlConverter> CreateCustomCToSqlConverter(
        const SqlCTypeMetadata&, const SqlData&, IDiagManager*) const override
    {
        return m_hookAnswers ? std::make_unique<ProbeCToSql>() : nullptr;
    }

    bool m_hookAnswers = false;
};

class SqlConverterFactoryTest : public ::testing::Test
{
protected:
    std::unique_ptr<SqlData> Value(int16_t in_sqlType)
    {
        m_sqlMetadata.push_back(m_sqlMetadataFactory.CreateNewSqlTypeMetadata(in_sqlType, false, 0));
        return m_dataFactory.CreateNewSqlData(*m_sqlMetadata.back());
    }

    std::unique_ptr<SqlCTypeMetadata> Buffer(int16_t in_cType)
    {
        return m_cMetadataFactory.CreateNewSqlCTypeMetadata(in_cType);
    }

    std::unique_ptr<ProbeSqlToC> SqlToC(int16_t in_sqlType, int16_t in_cType)
    {
        std::unique_ptr<ISqlToCConverter> converter =
            m_registry->CreateNewSqlToCConverter(*Value(in_sqlType), *Buffer(in_cType), nullptr);
        return std::unique_ptr<ProbeSqlToC>(static_cast<ProbeSqlToC*>(converter.release()));
    }

    // The tables are large; keep them off the stack.
    std::unique_ptr<TestRegistry> m_registry = std::make_unique<TestRegistry>();
    SqlTypeMetadataFactory m_sqlMetadataFactory;
    SqlCTypeMetadataFactory m_cMetadataFactory;
    SqlDataFactory m_dataFactory;
    std::vector<std::unique_ptr<SqlTypeMetadata>> m_sqlMetadata;
};

} // namespace

TEST_F(SqlConverterFactoryTest, PairWithoutCreatorIsRefusedWithBothNames)
{
    const RaisedError error = Capture<InvalidTypeConversionException>([&] { SqlToC(SQL_GUID, SQL_C_DOUBLE); });
    EXPECT_EQ("DataConvAlgorithmNotSupported", error.key);
    EXPECT_EQ(SUPPORT_COMPONENT_ID, error.componentId);
    EXPECT_EQ((Parameters{"SQL_GUID", "SQL_C_DOUBLE"}), error.parameters);

    const RaisedError toSql = Capture<InvalidTypeConversionException>(
        [&] { m_registry->CreateNewCToSqlConverter(*Buffer(SQL_C_GUID), *Value(SQL_INTEGER), nullptr); });
    EXPECT_EQ((Parameters{"SQL_C_GUID", "SQL_INTEGER"}), toSql.parameters);
}

TEST_F(SqlConverterFactoryTest, FilledCellMakesTheConverterFromTheMetadataAsGiven)
{
    m_registry->FillSqlToC(TDW_SQL_SINTEGER, TDW_C_SLONG);
    // SQL_C_LONG reaches the cell of SQL_C_SLONG, and the creator still sees SQL_C_LONG.
    const std::unique_ptr<ProbeSqlToC> converter = SqlToC(SQL_INTEGER, SQL_C_LONG);
    EXPECT_EQ("table", converter->m_maker);
    EXPECT_EQ(SQL_C_LONG, converter->m_targetCType);
}

TEST_F(SqlConverterFactoryTest, DefaultTargetTakesTheSourcesDefaultCType)
{
    const RaisedError error =
        Capture<InvalidTypeConversionException>([&] { SqlToC(SQL_INTERVAL_DAY, SQL_C_DEFAULT); });
    EXPECT_EQ((Parameters{"SQL_INTERVAL_DAY", "SQL_C_DEFAULT"}), error.parameters);

    m_registry->FillSqlToC(TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY);
    const std::unique_ptr<ProbeSqlToC> converter = SqlToC(SQL_INTERVAL_DAY, SQL_C_DEFAULT);
    EXPECT_EQ("table", converter->m_maker);
    EXPECT_EQ(SQL_C_DEFAULT, converter->m_targetCType);

    const RaisedError toSql = Capture<InvalidTypeConversionException>(
        [&] { m_registry->CreateNewCToSqlConverter(*Buffer(SQL_C_DEFAULT), *Value(SQL_DECIMAL), nullptr); });
    EXPECT_EQ((Parameters{"SQL_C_DEFAULT", "SQL_DECIMAL"}), toSql.parameters);

    m_registry->FillCToSql(TDW_C_CHAR, TDW_SQL_DECIMAL);
    EXPECT_NE(nullptr, m_registry->CreateNewCToSqlConverter(*Buffer(SQL_C_DEFAULT), *Value(SQL_DECIMAL), nullptr));
}

TEST_F(SqlConverterFactoryTest, CustomHookWinsOverTheTable)
{
    m_registry->FillSqlToC(TDW_SQL_VARCHAR, TDW_C_CHAR);
    m_registry->m_hookAnswers = true;
    EXPECT_EQ("hook", SqlToC(SQL_VARCHAR, SQL_C_CHAR)->m_maker);
    EXPECT_EQ("hook", SqlToC(SQL_GUID, SQL_C_DOUBLE)->m_maker);
    EXPECT_NE(nullptr, m_registry->CreateNewCToSqlConverter(*Buffer(SQL_C_GUID), *Value(SQL_INTEGER), nullptr));
}

TEST_F(SqlConverterFactoryTest, SourceOutsideTheTablesIsRefused)
{
    const std::unique_ptr<SqlTypeMetadata> untyped = m_sqlMetadataFactory.CreateNewSqlTypeMetadata(0, false, 0);
    SqlVarLengthAttachedType value(*untyped);
    const RaisedError error = Capture<InvalidTypeConversionException>(
        [&] { m_registry->CreateNewSqlToCConverter(value, *Buffer(SQL_C_CHAR), nullptr); });
    EXPECT_EQ((Parameters{"SQL_NOTYPE", "SQL_C_CHAR"}), error.parameters);

    EXPECT_EQ("InvalidArgumentParam", Capture<InvalidArgumentException>([&] {
                  m_registry->CreateNewSqlToCConverter(value, *Buffer(SQL_C_DEFAULT), nullptr);
              }).key);
}

TEST_F(SqlConverterFactoryTest, CanConvertAsksAllThreeTables)
{
    EXPECT_FALSE(m_registry->CanConvert(TDW_SQL_CHAR, TDW_C_CHAR));
    m_registry->FillSqlToC(TDW_SQL_CHAR, TDW_C_CHAR);
    m_registry->FillCToSql(TDW_C_SLONG, TDW_SQL_BIT);
    m_registry->FillSqlToSql(TDW_SQL_SINTEGER, TDW_SQL_BINARY);
    EXPECT_TRUE(m_registry->CanConvert(TDW_SQL_CHAR, TDW_C_CHAR));
    EXPECT_TRUE(m_registry->CanConvert(TDW_C_SLONG, TDW_SQL_BIT));
    EXPECT_TRUE(m_registry->CanConvert(TDW_SQL_SINTEGER, TDW_SQL_BINARY));
    EXPECT_FALSE(m_registry->CanConvert(TDW_SQL_BINARY, TDW_SQL_SINTEGER));
    EXPECT_FALSE(m_registry->CanConvert(TDW_SQL_NOTYPE, TDW_C_CHAR));
    EXPECT_FALSE(m_registry->CanConvert(TDW_SQL_CHAR, static_cast<TDWType>(-1)));
    EXPECT_FALSE(m_registry->CanConvert(static_cast<TDWType>(1000), TDW_C_CHAR));
    EXPECT_FALSE(m_registry->CanConvertCustomType(16384));
    EXPECT_FALSE(m_registry->CanConvertCustomTypes(16384, 16385));
}
