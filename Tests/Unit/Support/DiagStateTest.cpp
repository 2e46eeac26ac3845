#include "Support/DiagState.h"
#include "Support/InvalidArgumentException.h"
#include "Support/SupportError.h"

#include "StringTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;

TEST(DiagState, MapsStatesToTheirSqlStates)
{
    const struct
    {
        int32_t state;
        const char* sqlState;
    } cases[] = {
        {0, "01000"},  {4, "01004"},  {12, "01S07"}, {14, "01S09"},  {15, "07001"},  {18, "07006"},
        {32, "22003"}, {33, "22007"}, {62, "44000"}, {63, "HY000"},  {66, "HY004"},  {70, "HY010"},
        {73, "HY013"}, {82, "HY024"}, {83, "HY090"}, {101, "HYC00"}, {103, "HYT01"}, {106, "IM009"},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(c.sqlState, GetSqlStateForDiagState(static_cast<DiagState>(c.state)).GetText())
            << "state " << c.state;
    }
    EXPECT_EQ(63, DIAG_GENERAL_ERROR);
}

TEST(DiagState, SqlStatesAscendWithTheStateNumbers)
{
    std::string previous;
    for (int32_t state = 0; state < DIAG_STATE_COUNT; ++state)
    {
        const std::string text = GetSqlStateForDiagState(static_cast<DiagState>(state)).GetText();
        EXPECT_EQ(5u, text.size()) << "state " << state;
        EXPECT_LT(previous, text) << "state " << state;
        previous = text;
    }
}

TEST(DiagState, RefusesValuesOutsideTheTable)
{
    EXPECT_THROW(GetSqlStateForDiagState(static_cast<DiagState>(-1)), InvalidArgumentException);
    EXPECT_THROW(GetSqlStateForDiagState(static_cast<DiagState>(DIAG_STATE_COUNT)), InvalidArgumentException);
}

TEST(SqlState, EmptyOnlyWithoutText)
{
    EXPECT_TRUE(SqlState().IsEmpty());
    EXPECT_TRUE(SqlState(nullptr).IsEmpty());
    EXPECT_FALSE(SqlState("42S22").IsEmpty());
    EXPECT_STREQ("42S22", SqlState("42S22-and-more").GetText());
    EXPECT_EQ(SqlState("HY000"), GetSqlStateForDiagState(DIAG_GENERAL_ERROR));
    EXPECT_NE(SqlState("HY000"), SqlState("HY001"));
}

TEST(SupportError, EveryCodeHasTheStateOfItsGroup)
{
    const struct
    {
        int32_t firstCode;
        int32_t lastCode;
        int32_t state;
    } groups[] = {
        {0, 0, 4},    {1, 1, 12},   {2, 3, 18},   {4, 4, 30},   {5, 5, 32},   {6, 22, 33},  {23, 24, 34},
        {25, 27, 36}, {28, 29, 37}, {30, 56, 63}, {57, 57, 66}, {58, 59, 73}, {60, 66, 63},
    };
    int32_t covered = 0;
    for (const auto& group : groups)
    {
        for (int32_t code = group.firstCode; code <= group.lastCode; ++code, ++covered)
        {
            const SupportError error(static_cast<SupportErrorCode>(code));
            EXPECT_EQ(group.state, error.GetDiagState()) << "code " << code;
            EXPECT_EQ(-1, error.GetRowNumber());
            EXPECT_EQ(-1, error.GetColumnNumber());
        }
    }
    EXPECT_EQ(SUPPORT_ERROR_COUNT, covered);
}

TEST(SupportError, CodesNameTheirKeys)
{
    const struct
    {
        int32_t code;
        const char* key;
    } cases[] = {
        {0, "StrRightTrunc"},
        {3, "InvalidMultiFieldIntervalConversion"},
        {5, "NumericValOutOfRange"},
        {22, "InvalidSingleFieldIntervalValue"},
        {29, "InvalidGuidValue"},
        {32, "InvalidArgument"},
        {33, "InvalidArgumentParam"},
        {34, "InvalidOperation"},
        {35, "DataConvAlgorithmError"},
        {37, "DataConvAlgorithmNotSupported"},
        {41, "TDWNumericArithmeticError"},
        {43, "TDWNumericStringError"},
        {51, "PrecLessThanZero"},
        {52, "MaxPrecisionExceeded"},
        {53, "ScaleLessThanZero"},
        {56, "SQLTypeNotSupported"},
        {57, "InvalidParamSqlDataType"},
        {58, "OutOfMemoryError"},
        {66, "NoSecurityAPI"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.key, Show(SupportError(static_cast<SupportErrorCode>(c.code)).GetMessageKey()));
    }
}

class SupportErrorKeys : public EncodingsRestored
{
};

TEST_F(SupportErrorKeys, DoNotDependOnTheAnsiEncoding)
{
    orvik_wstring::InitializeAnsiEncoding(ENC_UTF16_LE);
    EXPECT_EQ(orvik_wstring(u"InvalidOperation"), SupportError(SupportErrorCode::InvalidOperation).GetMessageKey());
}

TEST(SupportError, RefusesCodesOutsideTheTable)
{
    EXPECT_THROW(SupportError(static_cast<SupportErrorCode>(-1)), InvalidArgumentException);
    EXPECT_THROW(SupportError(static_cast<SupportErrorCode>(SUPPORT_ERROR_COUNT)), InvalidArgumentException);
}
