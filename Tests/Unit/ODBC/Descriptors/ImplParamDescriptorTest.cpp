#include "DescriptorTestSupport.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/ParameterList.h"
#include "DSI/ParameterSource.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Exceptions/ODBCInternalException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;
using Orvik::DSI::ParameterList;
using Orvik::DSI::ParameterSource;

namespace {

// An executor that describes a prepared statement's parameters with the function it is given;
// it is never executed.
class FakeExecutor : public Orvik::DSI::IQueryExecutor
{
public:
    explicit FakeExecutor(std::function<void(ParameterList&)> in_describe) : m_describe(std::move(in_describe)) {}

    void CancelExecute() override {}
    void ClearCancel() override {}
    void PopulateParameters(ParameterList& io_parameters) override { m_describe(io_parameters); }
    void PushParamData(uint64_t, ParameterSource&) override {}
    void FinalizePushedParamData() override {}
    void Execute(WarningListener*,
                 Orvik::DSI::ParameterSetIterator&,
                 Orvik::DSI::ParameterSetIterator&,
                 Orvik::DSI::ParameterSetStatus&) override
    {
    }
    Orvik::DSI::DSIResults& GetResults() override { return m_results; }
    uint16_t GetNumParams() override { return 0; }

private:
    std::function<void(ParameterList&)> m_describe;
    Orvik::DSI::DSIResults m_results;
};

// The back end's description: every parameter an input WVARCHAR of a fixed length.
void DescribeAsText(ParameterList& io_parameters, uint16_t in_count)
{
    for (uint16_t number = 1; number <= in_count; ++number)
    {
        ParameterSource& source = io_parameters.GetParameter(number);
        source.SetConciseType(SQL_WVARCHAR);
        source.SetInputOutputType(SQL_PARAM_INPUT);
        source.SetColumnSize(100);
    }
}

// The key and SQLSTATE of what in_action throws.
std::string Thrown(const std::function<void()>& in_action)
{
    try
    {
        in_action();
    }
    catch (const Orvik::DSI::BadStateException& e)
    {
        return "BadState " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const Orvik::DSI::CallbackException& e)
    {
        return "Callback " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const ErrorException& e)
    {
        return std::string(GetSqlStateForDiagState(e.GetDiagState()).GetText()) + " " + e.GetMessageKey().GetAsUTF8();
    }
    return "nothing";
}

class ImplParamDescriptorTest : public DescriptorTest
{
};

TEST_F(ImplParamDescriptorTest, TheDataEngineDescribesThePreparedStatementsParameters)
{
    SetInteger(m_ipd, 5, SQL_DESC_CONCISE_TYPE, SQL_INTEGER);
    m_ipd.ResetRecords();
    EXPECT_EQ(0, GetInteger(m_ipd, 0, SQL_DESC_COUNT));

    FakeExecutor executor([](ParameterList& io_parameters) { DescribeAsText(io_parameters, 3); });
    m_ipd.PopulateFromDataEngine(executor);
    EXPECT_EQ(3, GetInteger(m_ipd, 0, SQL_DESC_COUNT));
    for (SQLSMALLINT record = 1; record <= 3; ++record)
    {
        SCOPED_TRACE(record);
        EXPECT_EQ(SQL_WVARCHAR, GetInteger(m_ipd, record, SQL_DESC_CONCISE_TYPE));
        EXPECT_EQ(SQL_WVARCHAR, GetInteger(m_ipd, record, SQL_DESC_TYPE));
        EXPECT_EQ(SQL_PARAM_INPUT, GetInteger(m_ipd, record, SQL_DESC_PARAMETER_TYPE));
        EXPECT_EQ(100, GetInteger(m_ipd, record, SQL_DESC_LENGTH));
        // What the engine describes is no change made by the application.
        EXPECT_FALSE(m_ipd.GetRecord(record).IsModified());
    }
    SetInteger(m_ipd, 2, SQL_DESC_CONCISE_TYPE, SQL_INTEGER);
    EXPECT_TRUE(m_ipd.GetRecord(2).IsModified());
}

TEST_F(ImplParamDescriptorTest, ADescriptionReadsBackItsTypeButNoValue)
{
    FakeExecutor executor([](ParameterList& io_parameters) {
        ParameterSource& result = io_parameters.GetParameter(1);
        result.SetConciseType(SQL_BIGINT);
        result.SetInputOutputType(SQL_RETURN_VALUE);
        EXPECT_EQ(SQL_BIGINT, result.GetSqlType());
        EXPECT_FALSE(result.IsUnsigned());
        uint64_t length = 0;
        EXPECT_EQ("BadState CannotQueryParmSrcDuringPopulate", Thrown([&] { result.GetData(length); }));
        EXPECT_EQ("BadState CannotQueryParmSrcDuringPopulate", Thrown([&] { result.IsNull(); }));
        EXPECT_EQ("BadState CannotQueryParmSrcDuringPopulate", Thrown([&] { result.IsDefault(); }));
        ParameterSource& text = io_parameters.GetParameter(2);
        text.SetConciseType(SQL_VARCHAR);
        text.SetInputOutputType(SQL_PARAM_INPUT_OUTPUT);
        text.SetColumnSize(1ULL << 40);
    });
    m_ipd.PopulateFromDataEngine(executor);
    EXPECT_EQ(SQL_PARAM_OUTPUT, GetInteger(m_ipd, 1, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ(SQL_PARAM_INPUT_OUTPUT, GetInteger(m_ipd, 2, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ(4294967295, GetInteger(m_ipd, 2, SQL_DESC_LENGTH));
}

TEST_F(ImplParamDescriptorTest, RegistrationIsRefusedOutsideADescriptionAndForParameterZero)
{
    EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { m_ipd.GetParameter(0); }));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.GetParameter(1); }));
    FakeExecutor executor([](ParameterList& io_parameters) {
        EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { io_parameters.GetParameter(0); }));
        EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { io_parameters.GetParameter(40000); }));
        DescribeAsText(io_parameters, 1);
    });
    m_ipd.PopulateFromDataEngine(executor);
    EXPECT_EQ(1, GetInteger(m_ipd, 0, SQL_DESC_COUNT));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.GetParameter(2); }));
}

TEST_F(ImplParamDescriptorTest, ARefusedDescriptionEndsThePopulationAndKeepsTheRecordsSoFar)
{
    FakeExecutor executor([](ParameterList& io_parameters) {
        DescribeAsText(io_parameters, 2);
        ParameterSource& third = io_parameters.GetParameter(3);
        EXPECT_EQ("Callback InvalidParameterType", Thrown([&] { third.SetInputOutputType(3); }));
        third.SetConciseType(SQL_C_DEFAULT);
    });
    EXPECT_EQ("Callback IllegalDescConciseType", Thrown([&] { m_ipd.PopulateFromDataEngine(executor); }));
    EXPECT_EQ(3, GetInteger(m_ipd, 0, SQL_DESC_COUNT));
    EXPECT_EQ(SQL_WVARCHAR, GetInteger(m_ipd, 2, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.GetParameter(4); }));
}

TEST_F(ImplParamDescriptorTest, EveryRecordIsCheckedOnceTheDescriptionEnds)
{
    FakeExecutor untyped([](ParameterList& io_parameters) {
        DescribeAsText(io_parameters, 1);
        io_parameters.GetParameter(2);
    });
    EXPECT_EQ("HY021 IllegalDescConciseType", Thrown([&] { m_ipd.PopulateFromDataEngine(untyped); }));

    // A record the application described badly before the engine left it as it was.
    m_ipd.ResetRecords();
    SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_NUMERIC);
    SetInteger(m_ipd, 1, SQL_DESC_SCALE, -2);
    FakeExecutor directionOnly(
        [](ParameterList& io_parameters) { io_parameters.GetParameter(1).SetInputOutputType(SQL_PARAM_INPUT); });
    EXPECT_EQ("HY104 ScaleLessThanZero", Thrown([&] { m_ipd.PopulateFromDataEngine(directionOnly); }));
}

TEST_F(ImplParamDescriptorTest, TheApplicationMayNameButNotUnnameAParameter)
{
    EXPECT_EQ("ERROR HY092 DescUnnamedNotAllowed", Outcome(m_ipd, SetInteger(m_ipd, 1, SQL_DESC_UNNAMED, SQL_NAMED)));
    EXPECT_EQ("ERROR 07009 BookmarkColumnNotSupported", Outcome(m_ipd, SetInteger(m_ipd, 0, SQL_DESC_UNNAMED, SQL_UNNAMED)));
    EXPECT_EQ("OK", Outcome(m_ipd, SetInteger(m_ipd, 1, SQL_DESC_UNNAMED, SQL_UNNAMED)));
    EXPECT_EQ(SQL_UNNAMED, GetInteger(m_ipd, 1, SQL_DESC_UNNAMED));
    EXPECT_EQ("ERROR HY091 ReadOnlyDescField", Outcome(m_ipd, SetInteger(m_ipd, 1, SQL_DESC_NULLABLE, SQL_NO_NULLS)));
    EXPECT_EQ(SQL_NULLABLE, GetInteger(m_ipd, 1, SQL_DESC_NULLABLE));
}

TEST_F(ImplParamDescriptorTest, GetDescRecFindsOnlyRecordsThatWereSet)
{
    SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_INTEGER);
    SetInteger(m_ipd, 2, SQL_DESC_CONCISE_TYPE, SQL_INTEGER);
    SQLSMALLINT type = 0;
    EXPECT_EQ("OK", Outcome(m_ipd, m_ipd.SQLGetDescRecW(2, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr, nullptr,
                                                        nullptr)));
    EXPECT_EQ("NO_DATA", Outcome(m_ipd, m_ipd.SQLGetDescRecW(3, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr,
                                                             nullptr, nullptr)));
    m_ipd.DropRecord(1);
    EXPECT_EQ("NO_DATA", Outcome(m_ipd, m_ipd.SQLGetDescRecW(1, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr,
                                                             nullptr, nullptr)));
    EXPECT_THROW(m_ipd.GetRecord(1), ODBCInternalException);
}

} // namespace
