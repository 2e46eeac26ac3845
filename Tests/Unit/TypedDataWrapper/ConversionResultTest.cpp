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
        {[] { return std::make_unique<ConversionResult>(u"InvalidDatetimeFormat", SUPPORT_COMPONENT_ID, CONV_INVALID_DATETIME_FORMAT); }, DIAG_INVALID_DATETIME_FORMAT, "InvalidDatetimeFormat"},
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

TEST(ConversionResult, EveryStaticResultCarriesItsFields)
{
    struct Case
    {
        const char* name;
        ConversionResult result;
        const char* key;
        int32_t componentId;
        ConversionResultCode code;
        int32_t overflowInfo;
        int32_t truncationInfo;
        bool isIndicatorResult;
    };
    using R = ConversionResult;
    std::vector<Case> cases = {
        {"DatetimeFieldOverflow", R::DatetimeFieldOverflow(), "DatetimeFieldOverflow", 3, CONV_DATETIME_FIELD_OVERFLOW, 2, 2, false},
        {"MakeDatetimeFieldOverflow", *R::MakeDatetimeFieldOverflow(), "DatetimeFieldOverflow", 3, CONV_DATETIME_FIELD_OVERFLOW, 2, 2, false},
        {"InvalidCharValForCast", R::InvalidCharValForCast(), "InvalidCharValForCast", 3, CONV_INVALID_CHARACTER_VALUE, 2, 2, false},
        {"MakeInvalidCharValForCast", *R::MakeInvalidCharValForCast(), "InvalidCharValForCast", 3, CONV_INVALID_CHARACTER_VALUE, 2, 2, false},
        {"NullIndPtrNotSupplied", R::NullIndPtrNotSupplied(), "NullIndPtrNotSupplied", 1, CONV_NULL_WITHOUT_INDICATOR, 2, 2, true},
        {"StrRightTrunc", R::StrRightTrunc(), "StrRightTrunc", 3, CONV_STRING_TRUNCATED, 2, 2, false},
        {"MakeStrRightTrunc", *R::MakeStrRightTrunc(), "StrRightTrunc", 3, CONV_STRING_TRUNCATED, 2, 2, false},
        {"StrRightTruncErr", R::StrRightTruncErr(), "StrRightTruncErr", 3, CONV_STRING_TRUNCATED_ERROR, 2, 2, false},
        {"MakeStrRightTruncErr", *R::MakeStrRightTruncErr(), "StrRightTruncErr", 3, CONV_STRING_TRUNCATED_ERROR, 2, 2, false},
        {"MakeInvalidDatetimeValue", *R::MakeInvalidDatetimeValue(), "InvalidDatetimeValue", 3, CONV_INVALID_DATETIME_VALUE, 2, 2, false},
        {"MakeInvalidLeadingPrecision", *R::MakeInvalidLeadingPrecision(), "InvalidLeadingPrecision", 3, CONV_INTERVAL_FIELD_OVERFLOW, 2, 2, false},
        {"MakeInvalidMultiFieldIntervalConversion", *R::MakeInvalidMultiFieldIntervalConversion(), "InvalidMultiFieldIntervalConversion", 3, CONV_RESTRICTED_DATA_TYPE, 2, 2, false},
    };
    for (int32_t info = 0; info <= 2; ++info)
    {
        cases.push_back({"FractionalTrunc", R::FractionalTrunc(info), "FractionalTrunc", 3, CONV_FRACTION_TRUNCATED, 2, info, false});
        cases.push_back({"MakeFractionalTrunc", *R::MakeFractionalTrunc(info), "FractionalTrunc", 3, CONV_FRACTION_TRUNCATED, 2, info, false});
        cases.push_back({"IntervalFieldOverflow", R::IntervalFieldOverflow(info), "IntervalFieldOverflow", 3, CONV_INTERVAL_FIELD_OVERFLOW, info, 2, false});
        cases.push_back({"MakeIntervalFieldOverflow", *R::MakeIntervalFieldOverflow(info), "IntervalFieldOverflow", 3, CONV_INTERVAL_FIELD_OVERFLOW, info, 2, false});
        cases.push_back({"NumericValOutOfRange", R::NumericValOutOfRange(info), "NumericValOutOfRange", 3, CONV_NUMERIC_OUT_OF_RANGE, info, 2, false});
        cases.push_back({"MakeNumericValOutOfRange", *R::MakeNumericValOutOfRange(info), "NumericValOutOfRange", 3, CONV_NUMERIC_OUT_OF_RANGE, info, 2, false});
    }
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.name << " " << c.overflowInfo << c.truncationInfo);
        EXPECT_EQ(c.key, Show(c.result.GetMessageKey()));
        EXPECT_EQ(c.componentId, c.result.GetComponentId());
        EXPECT_EQ(c.code, c.result.GetCode());
        EXPECT_EQ(c.overflowInfo, c.result.GetOverflowInfo());
        EXPECT_EQ(c.truncationInfo, c.result.GetTruncationInfo());
        EXPECT_EQ(c.isIndicatorResult, c.result.IsIndicatorResult());
        EXPECT_EQ(nullptr, c.result.GetCustomState());
    }
}

TEST(ConversionResult, GettersShareOneResultAndMakersCopyIt)
{
    EXPECT_EQ(&ConversionResult::StrRightTrunc(), &ConversionResult::StrRightTrunc());
    EXPECT_EQ(&ConversionResult::NumericValOutOfRange(1), &ConversionResult::NumericValOutOfRange(1));
    EXPECT_NE(&ConversionResult::NumericValOutOfRange(0), &ConversionResult::NumericValOutOfRange(1));
    EXPECT_NE(&ConversionResult::StrRightTrunc(), ConversionResult::MakeStrRightTrunc().get());
    EXPECT_NE(ConversionResult::MakeStrRightTrunc(), ConversionResult::MakeStrRightTrunc());
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
