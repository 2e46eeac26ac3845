#include "DescriptorTestSupport.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/Client/IParameterSource.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Exceptions/ODBCInternalException.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;
using Orvik::DSI::IParameterRegistration;
using Orvik::DSI::IParameterSource;

namespace {

// An executor that describes a prepared statement's parameters with the function it is given.
class FakeExecutor : public Orvik::DSI::IQueryExecutor
{
public:
    explicit FakeExecutor(std::function<void(IParameterRegistration&)> in_describe) : m_describe(std::move(in_describe)) {}

    void PopulateParameters(IParameterRegistration& io_registration) override { m_describe(io_registration); }

    // Describing is all these tests ask of it.
    void CancelExecute() override {}
    void ClearCancel() override {}
    void PushParamData(uint64_t, Orvik::DSI::ParameterSource&) override {}
    void FinalizePushedParamData() override {}
    void Execute(Orvik::Support::WarningListener*,
                 Orvik::DSI::ParameterSetIterator&,
                 Orvik::DSI::ParameterSetIterator&,
                 Orvik::DSI::ParameterSetStatus&) override
    {
    }
    Orvik::DSI::DSIResults& GetResults() override { return m_results; }
    uint16_t GetNumParams() override { return 0; }

private:
    std::function<void(IParameterRegistration&)> m_describe;
    Orvik::DSI::DSIResults m_results;
};

// The back end's description: every parameter an input WVARCHAR of a fixed length.
void DescribeAsText(IParameterRegistration& io_registration, uint16_t in_count)
{
    for (uint16_t number = 1; number <= in_count; ++number)
    {
        IParameterSource* source = io_registration.RegisterParameter(number);
        source->SetSqlType(SQL_WVARCHAR);
        source->SetInputOutputType(SQL_PARAM_INPUT);
        source->SetLength(100);
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

    FakeExecutor executor([](IParameterRegistration& io_registration) { DescribeAsText(io_registration, 3); });
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

TEST_F(ImplParamDescriptorTest, EveryDescriptionReachesTheRecord)
{
    FakeExecutor executor([](IParameterRegistration& io_registration) {
        IParameterSource* amount = io_registration.RegisterParameter(1);
        EXPECT_EQ(1, amount->GetParameterNumber());
        amount->SetSqlType(SQL_DECIMAL);
        amount->SetPrecision(12);
        amount->SetScale(4);
        amount->SetInputOutputType(SQL_RETURN_VALUE);
        amount->SetNullable(7);
        amount->SetName(orvik_wstring(u"amount"));
        amount->SetUnnamed(false);
        amount->SetCaseSensitive(true);
        IParameterSource* count = io_registration.RegisterParameter(2);
        count->SetSqlType(SQL_INTEGER);
        count->SetUnsigned(true);
        count->SetInputOutputType(SQL_PARAM_INPUT_OUTPUT);
        count->SetNullable(SQL_NO_NULLS);
        IParameterSource* text = io_registration.RegisterParameter(3);
        text->SetSqlType(SQL_WCHAR);
        text->SetColumnSize(8);
        text->SetEncoding(ENC_UTF32_LE);
    });
    m_ipd.PopulateFromDataEngine(executor);
    EXPECT_EQ(12, GetInteger(m_ipd, 1, SQL_DESC_PRECISION));
    EXPECT_EQ(4, GetInteger(m_ipd, 1, SQL_DESC_SCALE));
    EXPECT_EQ(SQL_PARAM_OUTPUT, GetInteger(m_ipd, 1, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ(SQL_NULLABLE_UNKNOWN, GetInteger(m_ipd, 1, SQL_DESC_NULLABLE));
    EXPECT_EQ("amount", GetText(m_ipd, 1, SQL_DESC_NAME));
    EXPECT_EQ(SQL_NAMED, GetInteger(m_ipd, 1, SQL_DESC_UNNAMED));
    EXPECT_EQ(SQL_TRUE, GetInteger(m_ipd, 1, SQL_DESC_CASE_SENSITIVE));
    EXPECT_EQ(SQL_TRUE, GetInteger(m_ipd, 2, SQL_DESC_UNSIGNED));
    EXPECT_EQ("UINTEGER", GetText(m_ipd, 2, SQL_DESC_LOCAL_TYPE_NAME));
    EXPECT_EQ(SQL_PARAM_INPUT_OUTPUT, GetInteger(m_ipd, 2, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ(SQL_NO_NULLS, GetInteger(m_ipd, 2, SQL_DESC_NULLABLE));
    EXPECT_EQ(8, GetInteger(m_ipd, 3, SQL_DESC_LENGTH));
    EXPECT_EQ(ENC_UTF32_LE, GetInteger(m_ipd, 3, 16386));
}

TEST_F(ImplParamDescriptorTest, RegistrationIsRefusedOutsideADescriptionAndForParameterZero)
{
    EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { m_ipd.RegisterParameter(0); }));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.RegisterParameter(1); }));
    FakeExecutor executor([](IParameterRegistration& io_registration) {
        EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { io_registration.RegisterParameter(0); }));
        EXPECT_EQ("Callback InvalidParamRegistIndex", Thrown([&] { io_registration.RegisterParameter(40000); }));
        DescribeAsText(io_registration, 1);
    });
    m_ipd.PopulateFromDataEngine(executor);
    EXPECT_EQ(1, GetInteger(m_ipd, 0, SQL_DESC_COUNT));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.RegisterParameter(2); }));
}

TEST_F(ImplParamDescriptorTest, ARefusedDescriptionEndsThePopulationAndKeepsTheRecordsSoFar)
{
    FakeExecutor executor([](IParameterRegistration& io_registration) {
        DescribeAsText(io_registration, 2);
        IParameterSource* third = io_registration.RegisterParameter(3);
        EXPECT_EQ("Callback InvalidParameterType", Thrown([&] { third->SetInputOutputType(3); }));
        third->SetSqlType(SQL_C_DEFAULT);
    });
    EXPECT_EQ("Callback IllegalDescConciseType", Thrown([&] { m_ipd.PopulateFromDataEngine(executor); }));
    EXPECT_EQ(3, GetInteger(m_ipd, 0, SQL_DESC_COUNT));
    EXPECT_EQ(SQL_WVARCHAR, GetInteger(m_ipd, 2, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ("BadState ParamRegistNotPermit", Thrown([&] { m_ipd.RegisterParameter(4); }));
}

TEST_F(ImplParamDescriptorTest, EveryRecordIsCheckedOnceTheDescriptionEnds)
{
    FakeExecutor untyped([](IParameterRegistration& io_registration) {
        DescribeAsText(io_registration, 1);
        io_registration.RegisterParameter(2);
    });
    EXPECT_EQ("HY021 IllegalDescConciseType", Thrown([&] { m_ipd.PopulateFromDataEngine(untyped); }));

    FakeExecutor badScale([](IParameterRegistration& io_registration) {
        IParameterSource* source = io_registration.RegisterParameter(1);
        source->SetSqlType(SQL_NUMERIC);
        source->SetScale(-2);
    });
    m_ipd.ResetRecords();
    EXPECT_EQ("HY104 ScaleLessThanZero", Thrown([&] { m_ipd.PopulateFromDataEngine(badScale); }));
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
