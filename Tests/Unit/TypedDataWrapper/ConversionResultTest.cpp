#include "Support/InvalidArgumentException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ConversionWarningHolder.h"
#include "Support/TypedDataWrapper/IDiagManager.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

struct PostedWarning
{
    DiagState diagState;
    int32_t componentId;
    std::string key;
    int64_t rowNumber;
    int32_t columnNumber;
};

class RecordingDiagManager : public IDiagManager
{
public:
    void PostStateWarning(DiagState in_diagState,
                          int32_t in_componentId,
                          const orvik_wstring& in_messageKey,
                          int64_t in_rowNumber,
                          int32_t in_columnNumber) override
    {
        m_warnings.push_back({in_diagState, in_componentId, Show(in_messageKey), in_rowNumber, in_columnNumber});
    }

    std::vector<PostedWarning> m_warnings;
};

class ConversionResultReport : public ::testing::Test
{
protected:
    RaisedError ReportError(const ConversionResult& in_result, int16_t in_column, int64_t in_row)
    {
        const RaisedError error = Capture<ErrorException>(
            [&] { ConversionResult::Report(m_diagnostics, in_result, in_column, in_row); });
        EXPECT_TRUE(m_diagnostics.m_warnings.empty());
        return error;
    }

    RecordingDiagManager m_diagnostics;
};

} // namespace

TEST_F(ConversionResultReport, TruncationWarningsArePostedAndReturn)
{
    ConversionResult::StrRightTrunc().Report(m_diagnostics, 2, 5);
    ConversionResult::FractionalTrunc(1).Report(m_diagnostics, 0, 0);
    ASSERT_EQ(2u, m_diagnostics.m_warnings.size());
    const PostedWarning& string = m_diagnostics.m_warnings[0];
    EXPECT_EQ(DIAG_STRING_RIGHT_TRUNCATED_WARNING, string.diagState);
    EXPECT_EQ(SUPPORT_COMPONENT_ID, string.componentId);
    EXPECT_EQ("StrRightTrunc", string.key);
    EXPECT_EQ(5, string.rowNumber);
    EXPECT_EQ(2, string.columnNumber);
    EXPECT_EQ(DIAG_FRACTIONAL_TRUNCATION, m_diagnostics.m_warnings[1].diagState);
    EXPECT_EQ("FractionalTrunc", m_diagnostics.m_warnings[1].key);
}

TEST_F(ConversionResultReport, ErrorsCarryStateKeyAndPosition)
{
    struct Case
    {
        std::function<std::unique_ptr<ConversionResult>()> make;
        DiagState diagState;
        const char* key;
    };
    const Case cases[] = {
        {ConversionResult::MakeStrRightTruncErr, DIAG_STRING_RIGHT_TRUNCATED, "StrRightTruncErr"},
        {ConversionResult::MakeDatetimeFieldOverflow, DIAG_DATETIME_FIELD_OVERFLOW, "DatetimeFieldOverflow"},
        {ConversionResult::MakeInvalidCharValForCast, DIAG_INVALID_CHARACTER_VALUE_FOR_CAST, "InvalidCharValForCast"},
        {ConversionResult::MakeInvalidDatetimeValue, DIAG_INVALID_DATETIME_FORMAT, "InvalidDatetimeValue"},
        {ConversionResult::MakeInvalidLeadingPrecision, DIAG_INTERVAL_FIELD_OVERFLOW, "InvalidLeadingPrecision"},
        {[] { return ConversionResult::MakeIntervalFieldOverflow(0); }, DIAG_INTERVAL_FIELD_OVERFLOW, "IntervalFieldOverflow"},
        {ConversionResult::MakeInvalidMultiFieldIntervalConversion, DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, "InvalidMultiFieldIntervalConversion"},
        {[] { return std::make_unique<ConversionResult>(u"ConvLogicError", SUPPORT_COMPONENT_ID, CONV_LOGIC_ERROR); }, DIAG_GENERAL_ERROR, "ConvLogicError"},
        {[] { return std::make_unique<ConversionResult>(u"ConvInvalidData", SUPPORT_COMPONENT_ID, CONV_INVALID_DATA); }, DIAG_GENERAL_ERROR, "ConvInvalidData"},
        {[] { return std::make_unique<ConversionResult>(u"OutOfMemoryError", SUPPORT_COMPONENT_ID, CONV_OUT_OF_MEMORY); }, DIAG_MEMORY_MANAGEMENT_ERROR, "OutOfMemoryError"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.key);
        const RaisedError error = ReportError(*c.make(), 4, 9);
        EXPECT_EQ(c.diagState, error.diagState);
        EXPECT_EQ(c.key, error.key);
        EXPECT_EQ(SUPPORT_COMPONENT_ID, error.componentId);
        EXPECT_EQ(9, error.rowNumber);
        EXPECT_EQ(4, error.columnNumber);
        EXPECT_FALSE(error.hasParameters);
    }
}

TEST_F(ConversionResultReport, OutOfRangeNamesColumnAndRowOrUnknown)
{
    const RaisedError unknown = ReportError(ConversionResult::NumericValOutOfRange(0), 0, 0);
    EXPECT_EQ(DIAG_NUMERIC_OUT_OF_RANGE, unknown.diagState);
    EXPECT_EQ((Parameters{"Unknown", "Unknown"}), unknown.parameters);

    const RaisedError known = ReportError(ConversionResult::NumericValOutOfRange(2), 3, 7);
    EXPECT_EQ((Parameters{"3", "7"}), known.parameters);
    EXPECT_EQ(7, known.rowNumber);
    EXPECT_EQ(3, known.columnNumber);

    const RaisedError rowOnly = ReportError(ConversionResult::NumericValOutOfRange(1), 0, 12345678901);
    EXPECT_EQ((Parameters{"Unknown", "12345678901"}), rowOnly.parameters);
}

TEST_F(ConversionResultReport, ExplicitStateIsRaisedWithIt)
{
    static const SqlState custom("42S22");
    const RaisedError plain = ReportError(
        ConversionResult(u"ColumnGone", 117, CONV_CUSTOM_STATE, 2, 2, false, &custom), 1, 2);
    EXPECT_EQ(DIAG_GENERAL_ERROR, plain.diagState);
    EXPECT_EQ(117, plain.componentId);
    EXPECT_EQ("ColumnGone", plain.key);
    EXPECT_FALSE(plain.hasParameters);

    const ConversionResult outOfRange(u"NumericValOutOfRange", 117, CONV_CUSTOM_STATE, 2, 2, false, &custom);
    try
    {
        outOfRange.Report(m_diagnostics, 0, 6);
        ADD_FAILURE() << "threw nothing";
    }
    catch (const ErrorException& exception)
    {
        EXPECT_EQ("42S22", std::string(exception.GetCustomState().GetText()));
        EXPECT_EQ((Parameters{"Unknown", "6"}), Describe(exception).parameters);
    }
}

TEST_F(ConversionResultReport, ResultsWithoutADiagnosticRaiseAlgorithmErrors)
{
    const ConversionResult multiField(u"InvalidMultiFieldIntervalConversion", 2, CONV_MULTI_FIELD_INTERVAL);
    const ConversionResult unknownCode(u"Strange", 3, static_cast<ConversionResultCode>(16));
    for (const ConversionResult* result : {&ConversionResult::NullIndPtrNotSupplied(), &multiField, &unknownCode})
    {
        const RaisedError error = Capture<SupportException>([&] { result->Report(m_diagnostics, 1, 1); });
        EXPECT_EQ("DataConvAlgorithmError", error.key);
    }
    EXPECT_TRUE(m_diagnostics.m_warnings.empty());
}

TEST(ConversionResult, StaticResultsCarryTheirFields)
{
    const ConversionResult& nullIndicator = ConversionResult::NullIndPtrNotSupplied();
    EXPECT_EQ(ODBC_COMPONENT_ID, nullIndicator.GetComponentId());
    EXPECT_EQ(CONV_NULL_WITHOUT_INDICATOR, nullIndicator.GetCode());
    EXPECT_TRUE(nullIndicator.IsIndicatorResult());
    EXPECT_FALSE(ConversionResult::StrRightTrunc().IsIndicatorResult());
    EXPECT_EQ(nullptr, ConversionResult::StrRightTrunc().GetCustomState());

    for (int32_t info = 0; info <= 2; ++info)
    {
        EXPECT_EQ(info, ConversionResult::NumericValOutOfRange(info).GetOverflowInfo());
        EXPECT_EQ(2, ConversionResult::NumericValOutOfRange(info).GetTruncationInfo());
        EXPECT_EQ(info, ConversionResult::IntervalFieldOverflow(info).GetOverflowInfo());
        EXPECT_EQ(info, ConversionResult::FractionalTrunc(info).GetTruncationInfo());
        EXPECT_EQ(2, ConversionResult::FractionalTrunc(info).GetOverflowInfo());
        EXPECT_EQ(info, ConversionResult::MakeNumericValOutOfRange(info)->GetOverflowInfo());
    }
    // Getters hand out the one static result; makers a fresh copy.
    EXPECT_EQ(&ConversionResult::StrRightTrunc(), &ConversionResult::StrRightTrunc());
    EXPECT_NE(&ConversionResult::StrRightTrunc(), ConversionResult::MakeStrRightTrunc().get());
    EXPECT_EQ(CONV_STRING_TRUNCATED, ConversionResult::MakeStrRightTrunc()->GetCode());
}

TEST(ConversionResult, InfoOutsideTheDirectionsIsRefused)
{
    struct Case
    {
        std::function<void()> call;
        Parameters parameters;
    };
    const Case cases[] = {
        {[] { ConversionResult::FractionalTrunc(3); }, {"in_fractionalTruncationInfo", "TypedDataWrapper\\TypedDataWrapperDefns", "608"}},
        {[] { ConversionResult::MakeFractionalTrunc(-1); }, {"in_fractionalTruncationInfo", "TypedDataWrapper\\TypedDataWrapperDefns", "608"}},
        {[] { ConversionResult::IntervalFieldOverflow(3); }, {"in_overflowInfo", "TypedDataWrapper\\TypedDataWrapperDefns", "632"}},
        {[] { ConversionResult::MakeNumericValOutOfRange(7); }, {"in_overflowInfo", "TypedDataWrapper\\TypedDataWrapperDefns", "560"}},
    };
    for (const Case& c : cases)
    {
        const RaisedError error = Capture<InvalidArgumentException>(c.call);
        EXPECT_EQ("InvalidArgumentParam", error.key);
        EXPECT_EQ(c.parameters, error.parameters);
    }
}

TEST(ConversionWarningHolder, KeepsACopyOfTheLastPostedResult)
{
    ConversionWarningHolder holder;
    EXPECT_EQ(nullptr, holder.TakeResult());
    holder.PostWarning(ConversionResult::StrRightTrunc());
    holder.PostWarning(ConversionResult::NumericValOutOfRange(1));
    std::unique_ptr<ConversionResult> result = holder.TakeResult();
    ASSERT_NE(nullptr, result);
    EXPECT_NE(&ConversionResult::NumericValOutOfRange(1), result.get());
    EXPECT_EQ("NumericValOutOfRange", Show(result->GetMessageKey()));
    EXPECT_EQ(1, result->GetOverflowInfo());
    EXPECT_EQ(nullptr, holder.TakeResult());
}
