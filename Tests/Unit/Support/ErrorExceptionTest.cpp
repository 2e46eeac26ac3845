#include "Support/BadPrecisionException.h"
#include "Support/BadScaleException.h"
#include "Support/ErrorException.h"
#include "Support/IMessageSource.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/InvalidTypeConversionException.h"
#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConversionOutOfRangeException.h"
#include "Support/StartupInitException.h"

#include "StringTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

using namespace Orvik::Support;

namespace {

// Answers every lookup with a fixed text and code, and remembers what it was asked.
class FakeMessageSource : public IMessageSource
{
public:
    void LoadMessage(const std::string& in_locale,
                     const orvik_wstring& in_key,
                     int32_t in_componentId,
                     const std::vector<orvik_wstring>& in_parameters,
                     orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        m_parameters = in_parameters;
        Answer("parameterised", in_locale, in_key, in_componentId, out_message, out_nativeErrorCode);
    }

    void LoadMessage(const std::string& in_locale,
                     const orvik_wstring& in_key,
                     int32_t in_componentId,
                     orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        Answer("plain", in_locale, in_key, in_componentId, out_message, out_nativeErrorCode);
    }

    orvik_wstring m_text = u"[Pelta][Support] (12) Encoding not recognised.";
    uint32_t m_nativeErrorCode = 12;

    std::vector<std::string> m_calls;
    std::vector<orvik_wstring> m_parameters;

private:
    void Answer(const std::string& in_form,
                const std::string& in_locale,
                const orvik_wstring& in_key,
                int32_t in_componentId,
                orvik_wstring& out_message,
                uint32_t& out_nativeErrorCode)
    {
        m_calls.push_back(in_form + " " + in_locale + " " + Show(in_key) + " " +
                          std::to_string(in_componentId));
        out_message = m_text;
        out_nativeErrorCode = m_nativeErrorCode;
    }
};

const std::string LOCALE = "en-US";

ErrorException MakeError(std::vector<orvik_wstring> in_parameters)
{
    return ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, u"EncodingNotRecog",
                          std::move(in_parameters), -1, -1);
}

ErrorException MakeError()
{
    return ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, u"EncodingNotRecog", -1, -1);
}

} // namespace

TEST(ErrorException, ToStringDescribesAnUnmadeMessage)
{
    const struct
    {
        ErrorException exception;
        const char* text;
    } cases[] = {
        {MakeError(),
         "Unformatted ErrorException: {MessageKey=\"EncodingNotRecog\" ComponentID=3' RowNumber=UNKNOWN "
         "ColumnNumber=UNKNOWN DiagState=63}"},
        {ErrorException(DIAG_NUMERIC_OUT_OF_RANGE, DSI_COMPONENT_ID, u"NumericValOutOfRange",
                        {u"a", u"say \"hi\""}, 5, 7),
         "Unformatted ErrorException: {MessageKey=\"NumericValOutOfRange\" ComponentID=2' RowNumber=5 "
         "ColumnNumber=7 DiagState=32 MessageParameters=[\"a\", \"say \\\"hi\\\"\"]}"},
        {ErrorException(SqlState("42S22"), 117, u"PeltaAPIError", {}, 9000000000, -1),
         "Unformatted ErrorException: {MessageKey=\"PeltaAPIError\" ComponentID=117' RowNumber=9000000000 "
         "ColumnNumber=UNKNOWN CustomState=\"42S22\" MessageParameters=[]}"},
        {ErrorException(SqlState("HYT00"), ODBC_COMPONENT_ID, u"Time\"out", -1, 0),
         "Unformatted ErrorException: {MessageKey=\"Time\\\"out\" ComponentID=1' RowNumber=UNKNOWN "
         "ColumnNumber=0 CustomState=\"HYT00\"}"},
        {ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, orvik_wstring(), {orvik_wstring()}, -1, -1),
         "Unformatted ErrorException: {MessageKey=\"\" ComponentID=3' RowNumber=UNKNOWN "
         "ColumnNumber=UNKNOWN DiagState=63 MessageParameters=[\"\"]}"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.text, Show(c.exception.ToString()));
    }
}

TEST(ErrorException, AnExplicitSqlStateMeansTheGeneralError)
{
    const ErrorException withState(SqlState("42S02"), 117, u"PeltaAPIError", {u"4041"}, -1, -1);
    EXPECT_EQ(DIAG_GENERAL_ERROR, withState.GetDiagState());
    EXPECT_TRUE(withState.HasCustomState());
    EXPECT_STREQ("42S02", withState.GetCustomState().GetText());
    EXPECT_EQ(117, withState.GetComponentId());

    const ErrorException withoutState = MakeError();
    EXPECT_FALSE(withoutState.HasCustomState());
    EXPECT_TRUE(withoutState.GetCustomState().IsEmpty());
}

TEST(ErrorException, RowAndColumnAreSetOnce)
{
    ErrorException known(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, u"Key", 5, 2);
    known.SetRowNumber(9);
    known.SetColumnNumber(9);
    EXPECT_EQ(5, known.GetRowNumber());
    EXPECT_EQ(2, known.GetColumnNumber());

    ErrorException unknown = MakeError();
    unknown.SetRowNumber(7);
    unknown.SetColumnNumber(3);
    unknown.SetRowNumber(8);
    unknown.SetColumnNumber(4);
    EXPECT_EQ(7, unknown.GetRowNumber());
    EXPECT_EQ(3, unknown.GetColumnNumber());
}

TEST(ErrorException, MakesTheMessageOnceThroughTheMatchingLookup)
{
    FakeMessageSource source;

    ErrorException plain = MakeError();
    EXPECT_EQ(12, plain.GetNativeErrorCode(&source, LOCALE));
    EXPECT_EQ(Show(source.m_text), Show(plain.GetMessageText(&source, LOCALE)));
    EXPECT_TRUE(plain.IsMessageCreated());
    EXPECT_EQ(source.m_text, plain.GetMessageKey());
    EXPECT_EQ(source.m_text, plain.ToString());

    ErrorException parameterised = MakeError({});
    parameterised.GetMessageText(&source, "de-DE");
    ErrorException withValues(DIAG_GENERAL_ERROR, 117, u"PeltaAPIErr", {u"timeout", u"7"}, -1, -1);
    withValues.GetMessageText(&source, LOCALE);

    const std::vector<std::string> calls = {
        "plain en-US EncodingNotRecog 3",
        "parameterised de-DE EncodingNotRecog 3",
        "parameterised en-US PeltaAPIErr 117",
    };
    EXPECT_EQ(calls, source.m_calls);
    EXPECT_EQ((std::vector<orvik_wstring>{u"timeout", u"7"}), source.m_parameters);
}

TEST(ErrorException, NotFoundReadsAsMinusOne)
{
    FakeMessageSource source;
    source.m_text = u"[DSI]: Error message not found: EncodingNotRecog";
    source.m_nativeErrorCode = 4294967295u;
    ErrorException exception = MakeError();
    EXPECT_EQ(-1, exception.GetNativeErrorCode(&source, LOCALE));
    EXPECT_EQ(source.m_text, exception.GetMessageText(&source, LOCALE));
}

TEST(ErrorException, WithoutASourceNothingIsMadeAndTheKeyIsKept)
{
    ErrorException exception = MakeError();
    EXPECT_EQ("Cannot create a message with a NULL message source",
              Show(exception.GetMessageText(nullptr, LOCALE)));
    EXPECT_EQ(-1, exception.GetNativeErrorCode(nullptr, LOCALE));
    EXPECT_FALSE(exception.IsMessageCreated());
    EXPECT_EQ("EncodingNotRecog", Show(exception.GetMessageKey()));

    FakeMessageSource source;
    EXPECT_EQ(source.m_text, exception.GetMessageText(&source, LOCALE));
    EXPECT_EQ(std::vector<std::string>{"plain en-US EncodingNotRecog 3"}, source.m_calls);
}

TEST(ErrorException, AFinishedMessageIsNeverLookedUp)
{
    ErrorException exception(true, DIAG_DIALOG_FAILED, 42, u"Dialog failed", -1, -1);
    FakeMessageSource source;
    EXPECT_TRUE(exception.IsMessageCreated());
    EXPECT_EQ(0, exception.GetComponentId());
    EXPECT_FALSE(exception.HasParameters());
    EXPECT_EQ(42, exception.GetNativeErrorCode(&source, LOCALE));
    EXPECT_EQ("Dialog failed", Show(exception.GetMessageText(&source, LOCALE)));
    EXPECT_EQ("Dialog failed", Show(exception.ToString()));
    EXPECT_TRUE(source.m_calls.empty());
}

TEST(ErrorException, CopiesAreIndependent)
{
    ErrorException original = MakeError({u"p"});
    ErrorException copy(original);
    FakeMessageSource source;
    copy.GetMessageText(&source, LOCALE);
    copy.SetRowNumber(3);
    EXPECT_FALSE(original.IsMessageCreated());
    EXPECT_EQ("EncodingNotRecog", Show(original.GetMessageKey()));
    EXPECT_EQ(-1, original.GetRowNumber());
    EXPECT_TRUE(copy.HasParameters());
}

// Callers catch by kind, so the family's shape is part of its contract.
static_assert(std::is_base_of<ErrorException, SupportException>::value, "");
static_assert(std::is_base_of<SupportException, BadTypeMetadataException>::value, "");
static_assert(std::is_base_of<BadTypeMetadataException, BadPrecisionException>::value, "");
static_assert(std::is_base_of<BadTypeMetadataException, BadScaleException>::value, "");
static_assert(std::is_base_of<SupportException, InvalidTypeConversionException>::value, "");
static_assert(std::is_base_of<ErrorException, InvalidArgumentException>::value, "");
static_assert(std::is_base_of<ErrorException, InvalidOperationException>::value, "");
static_assert(std::is_base_of<ErrorException, ProductException>::value, "");
static_assert(std::is_base_of<ProductException, StartupInitException>::value, "");
static_assert(std::is_base_of<ProductException, NumberConversionException>::value, "");
static_assert(std::is_base_of<NumberConversionException, NumberConversionInvalidDataException>::value, "");
static_assert(std::is_base_of<NumberConversionException, NumberConversionOutOfRangeException>::value, "");

TEST(ErrorException, SupportErrorsGiveStateKeyAndComponent)
{
    const SupportError precision(SupportErrorCode::MaxPrecisionExceeded);
    const BadPrecisionException withParameters(precision, {u"39"});
    EXPECT_EQ(DIAG_GENERAL_ERROR, withParameters.GetDiagState());
    EXPECT_EQ(SUPPORT_COMPONENT_ID, withParameters.GetComponentId());
    EXPECT_EQ("MaxPrecisionExceeded", Show(withParameters.GetMessageKey()));
    EXPECT_TRUE(withParameters.HasParameters());
    EXPECT_FALSE(BadScaleException(SupportError(SupportErrorCode::ScaleLessThanZero)).HasParameters());

    const SupportException truncation{SupportError(SupportErrorCode::StrRightTrunc)};
    EXPECT_EQ(DIAG_STRING_RIGHT_TRUNCATED_WARNING, truncation.GetDiagState());

    const InvalidOperationException dataStore(DIAG_GENERAL_ERROR, DSI_COMPONENT_ID,
                                              SupportError(SupportErrorCode::InvalidOperation), {});
    EXPECT_EQ(DSI_COMPONENT_ID, dataStore.GetComponentId());
    EXPECT_EQ("InvalidOperation", Show(dataStore.GetMessageKey()));
}

TEST(ErrorException, ProductErrorsAreGeneralErrorsOfTheSupportLibrary)
{
    const NumberConversionOutOfRangeException overflow(u"StrToNumConvFailedOverflow", {u""});
    EXPECT_EQ(DIAG_GENERAL_ERROR, overflow.GetDiagState());
    EXPECT_EQ(SUPPORT_COMPONENT_ID, overflow.GetComponentId());
    EXPECT_EQ(-1, overflow.GetRowNumber());
    EXPECT_EQ(-1, overflow.GetColumnNumber());
    EXPECT_TRUE(overflow.HasParameters());

    const StartupInitException startup(u"DriverConfigurationWarningEncoding");
    EXPECT_FALSE(startup.HasParameters());
    EXPECT_EQ("DriverConfigurationWarningEncoding", Show(startup.GetMessageKey()));
}

namespace {

int g_refusedOnLine = 0;

void RefuseTheArgument()
{
    g_refusedOnLine = __LINE__ + 1;
    ORVIK_THROW_INVALID_ARGUMENT();
}

} // namespace

TEST(ErrorException, MisuseNamesTheFunctionFileAndLine)
{
    try
    {
        RefuseTheArgument();
        FAIL() << "nothing was thrown";
    }
    catch (const InvalidArgumentException& exception)
    {
        EXPECT_EQ(
            "Unformatted ErrorException: {MessageKey=\"InvalidArgument\" ComponentID=3' RowNumber=UNKNOWN "
            "ColumnNumber=UNKNOWN DiagState=63 MessageParameters=[\"RefuseTheArgument\", "
            "\"ErrorExceptionTest.cpp\", \"" +
                std::to_string(g_refusedOnLine) + "\"]}",
            Show(exception.ToString()));
    }
}
