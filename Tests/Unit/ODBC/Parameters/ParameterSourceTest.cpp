#include "Unit/ODBC/Descriptors/DescriptorTestSupport.h"

#include "DSI/BadStateException.h"
#include "DSI/CallbackException.h"
#include "DSI/NoDataInputParamException.h"
#include "DSI/ReadFromOutputParamException.h"
#include "DSI/WriteToDefaultParamException.h"
#include "DSI/WriteToInputParamException.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Parameters/DefaultOutputParameterSource.h"
#include "ODBC/Parameters/InputParameterSource.h"
#include "ODBC/Parameters/ParameterList.h"
#include "ODBC/Parameters/ParameterStatusWriter.h"
#include "ODBC/Parameters/PopulatingParameterSource.h"
#include "Support/TypedDataWrapper/SqlData.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;
using Orvik::DSI::ParameterStatus;

namespace {

// The class and key of what in_action throws, most derived class first.
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
    catch (const Orvik::DSI::NoDataInputParamException& e)
    {
        return "NoDataInput " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const Orvik::DSI::ReadFromOutputParamException& e)
    {
        return "ReadFromOutput " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const Orvik::DSI::WriteToDefaultParamException& e)
    {
        return "WriteToDefault " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const Orvik::DSI::WriteToInputParamException& e)
    {
        return "WriteToInput " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const Orvik::DSI::CallbackException& e)
    {
        return "Callback " + e.GetMessageKey().GetAsUTF8();
    }
    catch (const ErrorException& e)
    {
        return "Error " + e.GetMessageKey().GetAsUTF8();
    }
    return "nothing";
}

class ParameterSourceTest : public DescriptorTest
{
protected:
    /// Record in_number of the IPD as an SQLBindParameter would describe it.
    ImplParamDescriptorRecord& Describe(SQLSMALLINT in_number, SQLSMALLINT in_type, SQLSMALLINT in_direction, SQLLEN in_length = 10)
    {
        SetInteger(m_ipd, in_number, SQL_DESC_CONCISE_TYPE, in_type);
        SetInteger(m_ipd, in_number, SQL_DESC_PARAMETER_TYPE, in_direction);
        if (in_type == SQL_VARCHAR || in_type == SQL_WVARCHAR)
        {
            SetInteger(m_ipd, in_number, SQL_DESC_LENGTH, in_length);
        }
        return m_ipd.GetRecord(in_number);
    }
};

TEST_F(ParameterSourceTest, ValueSourcesRefuseWhatTheirDirectionAndStateDoNotAllow)
{
    Describe(1, SQL_VARCHAR, SQL_PARAM_INPUT);
    std::unique_ptr<InputParameterSource> input = m_ipd.CreateInputParameterSource(1, true);
    std::unique_ptr<InputParameterSource> output = m_ipd.CreateInputParameterSource(1, false);
    std::unique_ptr<DefaultOutputParameterSource> piece = m_ipd.CreateDefaultOutputParameterSource(1);
    uint64_t length = 0;
    const struct
    {
        std::function<void()> m_action;
        const char* m_thrown;
    } cases[] = {
        {[&] { input->GetOutputData(); }, "WriteToInput WriteToInputParam"},
        {[&] { input->SetDefault(true), input->GetOutputData(); }, "WriteToDefault WriteToDefaultParam"},
        {[&] { input->SetPushed(), input->GetData(length); }, "NoDataInput CannotReadFromPushedParam"},
        {[&] { input->GetSqlData(); }, "NoDataInput CannotReadFromPushedParam"},
        {[&] { output->GetData(length); }, "ReadFromOutput CannotReadFromOutputParam"},
        {[&] { output->GetSqlData(); }, "ReadFromOutput CannotReadFromOutputParam"},
        {[&] { output->SetColumnSize(5); }, "BadState CannotSetParmSrcAttrDuringPushData"},
        {[&] { output->SetConciseType(SQL_INTEGER); }, "BadState CannotSetParmSrcAttrDuringPushData"},
        {[&] { piece->GetOutputData(); }, "BadState CannotSetParmSrcAttrDuringPushData"},
        {[&] { piece->IsPushed(); }, "BadState PushValueStatusUnknown"},
        {[&] { piece->SetDefault(true), piece->GetData(length); }, "NoDataInput CannotReadFromDefaultParam"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_thrown);
        EXPECT_EQ(c.m_thrown, Thrown(c.m_action));
    }
    // An output source hands its holder to the data store, which starts NULL.
    EXPECT_TRUE(output->IsNull());
    EXPECT_EQ(&output->GetOutputData(), &output->GetHeldData());
    uint64_t pieceLength = 7;
    piece->SetDefault(false);
    piece->GetHeldData().SetNull(true);
    EXPECT_EQ(nullptr, piece->GetData(pieceLength));
    EXPECT_EQ(0u, pieceLength);
}

TEST_F(ParameterSourceTest, TheDescriptionIsReadFromTheRecordAndItsOddValuesAreRefused)
{
    Describe(1, SQL_WVARCHAR, SQL_PARAM_INPUT_OUTPUT, 12);
    Describe(2, SQL_VARCHAR, SQL_PARAM_INPUT, 12);
    Describe(3, SQL_INTEGER, SQL_PARAM_INPUT);
    std::unique_ptr<InputParameterSource> wide = m_ipd.CreateInputParameterSource(1, true);
    std::unique_ptr<InputParameterSource> narrow = m_ipd.CreateInputParameterSource(2, true);
    std::unique_ptr<InputParameterSource> number = m_ipd.CreateInputParameterSource(3, true);
    EXPECT_EQ(24u, wide->GetOctetLength());
    EXPECT_EQ(12u, narrow->GetOctetLength());
    EXPECT_EQ(4u, number->GetOctetLength());
    EXPECT_EQ(12u, narrow->GetColumnSize());
    EXPECT_EQ(SQL_PARAM_INPUT_OUTPUT, wide->GetInputOutputType());
    EXPECT_EQ(2, narrow->GetParameterNumber());
    EXPECT_EQ(10, number->GetNumPrecRadix());

    m_ipd.SetFieldValue(3, SQL_DESC_PARAMETER_TYPE, DescriptorFieldValue::Integer(3));
    m_ipd.SetFieldValue(3, SQL_DESC_NULLABLE, DescriptorFieldValue::Integer(9));
    m_ipd.SetFieldValue(3, SQL_DESC_UNNAMED, DescriptorFieldValue::Integer(4));
    EXPECT_EQ("Callback InvalidParameterType", Thrown([&] { number->GetInputOutputType(); }));
    EXPECT_EQ("Callback DescFieldNotRecg", Thrown([&] { number->GetNullable(); }));
    EXPECT_EQ("Callback DescFieldNotRecg", Thrown([&] { number->IsUnnamed(); }));
}

TEST_F(ParameterSourceTest, SourcesKeepTheModifiedFlagOfTheirMakingAndClearTheRecords)
{
    // An input/output parameter's record stays modified through the input list, so that the
    // output list's source still sees the application's change.
    ImplParamDescriptorRecord& both = Describe(1, SQL_INTEGER, SQL_PARAM_INPUT_OUTPUT);
    ImplParamDescriptorRecord& input = Describe(2, SQL_INTEGER, SQL_PARAM_INPUT);
    std::unique_ptr<ParameterList> inputs = ParameterList::MakeInputList(m_ipd, 2);
    EXPECT_TRUE(both.IsModified());
    EXPECT_FALSE(input.IsModified());
    std::unique_ptr<ParameterList> outputs = ParameterList::MakeOutputList(m_ipd, 2);
    EXPECT_FALSE(both.IsModified());
    ASSERT_EQ(2, inputs->GetCount());
    ASSERT_EQ(1, outputs->GetCount());
    EXPECT_TRUE(inputs->GetSource(0).IsModified());
    EXPECT_TRUE(outputs->GetSource(0).IsModified());
    EXPECT_FALSE(m_ipd.CreateInputParameterSource(2, true)->IsModified());
}

TEST_F(ParameterSourceTest, TheListsTakeTheirDirectionsAndNeedEveryRecord)
{
    Describe(1, SQL_INTEGER, SQL_PARAM_OUTPUT);
    Describe(2, SQL_INTEGER, SQL_PARAM_INPUT);
    Describe(3, SQL_INTEGER, SQL_PARAM_INPUT_OUTPUT);
    std::vector<Orvik::DSI::ParameterSource*> sources;
    const std::unique_ptr<ParameterList> inputs = ParameterList::MakeInputList(m_ipd, 3);
    const std::unique_ptr<ParameterList> outputs = ParameterList::MakeOutputList(m_ipd, 3);
    inputs->GetParameters(sources);
    outputs->GetParameters(sources);
    std::vector<uint16_t> numbers;
    for (Orvik::DSI::ParameterSource* source : sources)
    {
        numbers.push_back(source->GetParameterNumber());
    }
    EXPECT_EQ((std::vector<uint16_t>{2, 3, 1, 3}), numbers);
    EXPECT_EQ("Error DescRecNotFound", Thrown([&] { ParameterList::MakeInputList(m_ipd, 4); }));
}

TEST_F(ParameterSourceTest, APopulatingSourceDescribesEveryFieldAndHasNoValue)
{
    ImplParamDescriptorRecord& record = Describe(1, SQL_VARCHAR, SQL_PARAM_INPUT);
    PopulatingParameterSource source(m_ipd, record);
    source.SetConciseType(SQL_NUMERIC);
    source.SetPrecision(12);
    source.SetScale(3);
    source.SetName(u"price");
    source.SetNullable(7);
    source.SetUnsigned(true);
    source.SetCaseSensitive(true);
    source.SetUnnamed(false);
    EXPECT_EQ(12, GetInteger(m_ipd, 1, SQL_DESC_PRECISION));
    EXPECT_EQ(3, GetInteger(m_ipd, 1, SQL_DESC_SCALE));
    EXPECT_EQ("price", GetText(m_ipd, 1, SQL_DESC_NAME));
    EXPECT_EQ(SQL_NULLABLE_UNKNOWN, GetInteger(m_ipd, 1, SQL_DESC_NULLABLE));
    EXPECT_EQ(SQL_TRUE, GetInteger(m_ipd, 1, SQL_DESC_UNSIGNED));
    EXPECT_EQ(SQL_TRUE, GetInteger(m_ipd, 1, SQL_DESC_CASE_SENSITIVE));
    EXPECT_EQ(SQL_NAMED, GetInteger(m_ipd, 1, SQL_DESC_UNNAMED));
    EXPECT_FALSE(record.IsModified());
    EXPECT_EQ("BadState PushValueStatusUnknown", Thrown([&] { source.IsPushed(); }));
    EXPECT_EQ("BadState CannotQueryParmSrcDuringPopulate", Thrown([&] { source.GetSqlData(); }));
    EXPECT_EQ("BadState CannotQueryParmSrcDuringPopulate", Thrown([&] { source.GetOutputData(); }));
}

// The status writer, with the data store's statuses and the application's entries in one order:
// success, success with information, unused, no diagnostics, error.
class ParameterStatusWriterTest : public DescriptorTest
{
protected:
    static constexpr SQLUSMALLINT ENTRIES[] = {SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_UNUSED,
                                               SQL_PARAM_DIAG_UNAVAILABLE, SQL_PARAM_ERROR};

    SQLUSMALLINT m_statuses[2] = {};
};

TEST_F(ParameterStatusWriterTest, AStatusNeverReplacesAStrongerOne)
{
    m_ipd.SetFieldValue(0, SQL_DESC_ARRAY_STATUS_PTR, DescriptorFieldValue::Pointer(m_statuses));
    ParameterStatusWriter writer(m_ipd, 2);
    // Row: the new status; column: the entry before; cell: the entry after.
    const SQLUSMALLINT expected[5][5] = {
        {SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_SUCCESS, SQL_PARAM_DIAG_UNAVAILABLE, SQL_PARAM_ERROR},
        {SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_DIAG_UNAVAILABLE,
         SQL_PARAM_ERROR},
        {SQL_PARAM_UNUSED, SQL_PARAM_UNUSED, SQL_PARAM_UNUSED, SQL_PARAM_UNUSED, SQL_PARAM_ERROR},
        {SQL_PARAM_DIAG_UNAVAILABLE, SQL_PARAM_DIAG_UNAVAILABLE, SQL_PARAM_DIAG_UNAVAILABLE, SQL_PARAM_DIAG_UNAVAILABLE,
         SQL_PARAM_ERROR},
        {SQL_PARAM_ERROR, SQL_PARAM_ERROR, SQL_PARAM_ERROR, SQL_PARAM_ERROR, SQL_PARAM_ERROR},
    };
    for (int status = 0; status < 5; ++status)
    {
        for (int before = 0; before < 5; ++before)
        {
            m_statuses[1] = ENTRIES[before];
            writer.SetStatus(2, static_cast<ParameterStatus>(status));
            EXPECT_EQ(expected[status][before], m_statuses[1]) << "status " << status << " over entry " << ENTRIES[before];
            EXPECT_EQ(static_cast<ParameterStatus>(status), (m_statuses[1] = ENTRIES[status], writer.GetStatus(2)));
        }
    }
}

TEST_F(ParameterStatusWriterTest, OddStatusesAndSetsAreRefusedAndNoArrayWritesNothing)
{
    m_ipd.SetFieldValue(0, SQL_DESC_ARRAY_STATUS_PTR, DescriptorFieldValue::Pointer(m_statuses));
    ParameterStatusWriter writer(m_ipd, 2);
    writer.MarkAllUnused();
    EXPECT_EQ(0u, writer.CountUsed());
    EXPECT_EQ("Callback InvalidExecStatusCode", Thrown([&] { writer.SetStatus(1, static_cast<ParameterStatus>(5)); }));
    EXPECT_EQ("Callback InvalidParamSetNumber", Thrown([&] { writer.SetStatus(3, Orvik::DSI::PARAM_STATUS_ERROR); }));
    EXPECT_EQ("Callback InvalidParamSetNumber", Thrown([&] { writer.GetStatus(0); }));
    m_statuses[0] = 2;
    EXPECT_EQ("Callback InvalidExecStatusCode", Thrown([&] { writer.GetStatus(1); }));
    EXPECT_EQ(1u, writer.CountUsed());

    m_ipd.SetFieldValue(0, SQL_DESC_ARRAY_STATUS_PTR, DescriptorFieldValue::Pointer(nullptr));
    ParameterStatusWriter withoutArray(m_ipd, 2);
    withoutArray.SetStatus(1, Orvik::DSI::PARAM_STATUS_SUCCESS);
    EXPECT_EQ(Orvik::DSI::PARAM_STATUS_ERROR, withoutArray.GetStatus(1));
    EXPECT_FALSE(withoutArray.IsEmpty());
    EXPECT_TRUE(ParameterStatusWriter(m_ipd, 0).IsEmpty());
}

} // namespace
