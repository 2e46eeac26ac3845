#include "DescriptorTestSupport.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class DescriptorTypeCouplingTest : public DescriptorTest
{
protected:
    // "TYPE/CONCISE/CODE" of record 1.
    std::string Types(Descriptor& io_descriptor)
    {
        return std::to_string(GetInteger(io_descriptor, 1, SQL_DESC_TYPE)) + "/" +
               std::to_string(GetInteger(io_descriptor, 1, SQL_DESC_CONCISE_TYPE)) + "/" +
               std::to_string(GetInteger(io_descriptor, 1, SQL_DESC_DATETIME_INTERVAL_CODE));
    }
};

TEST_F(DescriptorTypeCouplingTest, TheVerboseTypeNeedsItsIntervalCodeFirstOnBothKinds)
{
    for (const char* kind : {"ARD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        EXPECT_EQ("ERROR HY021 InvalidDatetimeCodeIdent",
                  Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_TYPE, SQL_DATETIME)));
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_DATETIME_INTERVAL_CODE, SQL_CODE_TIMESTAMP)));
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_TYPE, SQL_DATETIME)));
        EXPECT_EQ("9/93/3", Types(descriptor));

        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_DATETIME_INTERVAL_CODE, 14)));
        EXPECT_EQ("ERROR HY021 InvalidIntervalCode",
                  Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_TYPE, SQL_INTERVAL)));
        SetInteger(descriptor, 1, SQL_DESC_DATETIME_INTERVAL_CODE, SQL_CODE_DAY_TO_SECOND);
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_TYPE, SQL_INTERVAL)));
        EXPECT_EQ("10/110/10", Types(descriptor));

        // A plain type is its own concise type and has no interval code.
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_TYPE, SQL_INTEGER)));
        EXPECT_EQ("4/4/0", Types(descriptor));
    }
}

TEST_F(DescriptorTypeCouplingTest, AConciseTypeSetsTheVerboseTypeAndTheCode)
{
    struct ConciseCase
    {
        const char* m_kind;
        SQLSMALLINT m_conciseType;
        const char* m_types;
    };
    const ConciseCase cases[] = {
        {"ARD", SQL_C_TYPE_TIMESTAMP, "9/93/3"},  {"ARD", SQL_C_TIME, "9/10/2"},
        {"ARD", SQL_C_INTERVAL_MONTH, "10/102/2"}, {"ARD", SQL_C_SLONG, "-16/-16/0"},
        {"APD", SQL_C_DEFAULT, "99/99/0"},         {"IPD", SQL_TYPE_DATE, "9/91/1"},
        {"IPD", SQL_INTERVAL_MINUTE_TO_SECOND, "10/113/13"}, {"IPD", SQL_DECIMAL, "3/3/0"},
    };
    for (const ConciseCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.m_kind) + " " + std::to_string(test.m_conciseType));
        Descriptor& descriptor = Get(test.m_kind);
        ASSERT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 1, SQL_DESC_CONCISE_TYPE, test.m_conciseType)));
        EXPECT_EQ(test.m_types, Types(descriptor));
    }
}

TEST_F(DescriptorTypeCouplingTest, TypesOfTheOtherSideOrOutsideTheListsAreRefusedAndChangeNothing)
{
    struct RefusalCase
    {
        const char* m_kind;
        SQLSMALLINT m_field;
        SQLSMALLINT m_value;
        const char* m_outcome;
    };
    const RefusalCase cases[] = {
        {"ARD", SQL_DESC_CONCISE_TYPE, SQL_VARCHAR, "ERROR HY021 IllegalDescConciseType"},
        {"ARD", SQL_DESC_CONCISE_TYPE, SQL_C_INTERVAL_MINUTE_TO_SECOND + 1, "ERROR HY021 IllegalDescConciseType"},
        {"ARD", SQL_DESC_TYPE, SQL_C_TYPE_DATE, "ERROR HY021 IllegalDescType"},
        {"EXPLICIT", SQL_DESC_TYPE, SQL_WVARCHAR, "ERROR HY021 IllegalDescType"},
        {"IPD", SQL_DESC_CONCISE_TYPE, SQL_C_DEFAULT, "ERROR HY021 IllegalDescConciseType"},
        {"IPD", SQL_DESC_CONCISE_TYPE, SQL_C_SLONG, "ERROR HY021 IllegalDescConciseType"},
        {"IPD", SQL_DESC_TYPE, SQL_TYPE_TIMESTAMP, "ERROR HY021 IllegalDescType"},
    };
    for (const RefusalCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.m_kind) + " " + std::to_string(test.m_value));
        Descriptor& descriptor = Get(test.m_kind);
        const SQLSMALLINT before = std::string(test.m_kind) == "IPD" ? SQL_SMALLINT : SQL_C_SSHORT;
        SetInteger(descriptor, 1, SQL_DESC_CONCISE_TYPE, before);
        EXPECT_EQ(test.m_outcome, Outcome(descriptor, SetInteger(descriptor, 1, test.m_field, test.m_value)));
        EXPECT_EQ(before, GetInteger(descriptor, 1, SQL_DESC_CONCISE_TYPE));
    }
}

TEST_F(DescriptorTypeCouplingTest, SetDescRecTakesDatetimeAndIntervalSubtypes)
{
    SQLINTEGER data = 0;
    EXPECT_EQ("OK", Outcome(m_ard, m_ard.SQLSetDescRec(1, SQL_DATETIME, SQL_CODE_TIME, 0, 0, 0, &data, nullptr, nullptr)));
    EXPECT_EQ("9/92/2", Types(m_ard));
    EXPECT_EQ("ERROR HY021 InvalidIntevalSubcodeIdent",
              Outcome(m_ard, m_ard.SQLSetDescRec(1, SQL_INTERVAL, 14, 0, 0, 0, &data, nullptr, nullptr)));
    EXPECT_EQ("ERROR HY021 InvalidDatetimeSubcodeIdent",
              Outcome(m_ipd, m_ipd.SQLSetDescRec(1, SQL_DATETIME, 4, 0, 0, 0, nullptr, nullptr, nullptr)));
    EXPECT_EQ("OK", Outcome(m_ipd, m_ipd.SQLSetDescRec(1, SQL_INTERVAL, SQL_CODE_HOUR, 0, 0, 0, nullptr, nullptr, nullptr)));
    EXPECT_EQ("10/104/4", Types(m_ipd));
    // Any other type is SQL_DESC_TYPE, subtype ignored.
    EXPECT_EQ("OK", Outcome(m_ard, m_ard.SQLSetDescRec(2, SQL_C_DOUBLE, 7, 8, 0, 0, &data, nullptr, nullptr)));
    EXPECT_EQ(SQL_C_DOUBLE, GetInteger(m_ard, 2, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(0, GetInteger(m_ard, 2, SQL_DESC_DATETIME_INTERVAL_CODE));
}

TEST_F(DescriptorTypeCouplingTest, PrecisionAndScaleMoveTogetherOnIntervalAndDatetimeRecords)
{
    // An application interval record: the precision is also the scale (fractional seconds) and
    // the interval precision is the leading field's.
    SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_INTERVAL_DAY_TO_SECOND);
    SetInteger(m_ard, 1, SQL_DESC_PRECISION, 5);
    SetInteger(m_ard, 1, SQL_DESC_DATETIME_INTERVAL_PRECISION, 4);
    const Orvik::Support::SqlCTypeMetadata& interval = m_ard.GetOrCreateRecord(1).GetData().GetMetadata();
    EXPECT_EQ(5, interval.GetScale());
    EXPECT_EQ(5, GetInteger(m_ard, 1, SQL_DESC_PRECISION));
    EXPECT_EQ(4, GetInteger(m_ard, 1, SQL_DESC_DATETIME_INTERVAL_PRECISION));
    EXPECT_FALSE(interval.IsIntervalPrecisionDefault());
    EXPECT_FALSE(interval.IsPrecisionDefault());

    // An application numeric record: precision and scale apart, the length follows the precision.
    SetInteger(m_ard, 2, SQL_DESC_CONCISE_TYPE, SQL_C_NUMERIC);
    SetInteger(m_ard, 2, SQL_DESC_PRECISION, 10);
    SetInteger(m_ard, 2, SQL_DESC_SCALE, 2);
    EXPECT_EQ(10, GetInteger(m_ard, 2, SQL_DESC_LENGTH));
    EXPECT_EQ(2, GetInteger(m_ard, 2, SQL_DESC_SCALE));

    // IPD records: a floating-point precision stays; a timestamp's precision is its scale; a
    // character length is its precision.
    SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_DOUBLE);
    EXPECT_EQ("OK", Outcome(m_ipd, SetInteger(m_ipd, 1, SQL_DESC_PRECISION, 10)));
    EXPECT_EQ(53, GetInteger(m_ipd, 1, SQL_DESC_PRECISION));
    SetInteger(m_ipd, 2, SQL_DESC_CONCISE_TYPE, SQL_TYPE_TIMESTAMP);
    SetInteger(m_ipd, 2, SQL_DESC_PRECISION, 3);
    EXPECT_EQ(3, GetInteger(m_ipd, 2, SQL_DESC_SCALE));
    EXPECT_EQ(23, GetInteger(m_ipd, 2, SQL_DESC_LENGTH));
    SetInteger(m_ipd, 3, SQL_DESC_CONCISE_TYPE, SQL_VARCHAR);
    SetInteger(m_ipd, 3, SQL_DESC_LENGTH, 50);
    EXPECT_EQ(50, GetInteger(m_ipd, 3, SQL_DESC_LENGTH));
    EXPECT_EQ(50, GetInteger(m_ipd, 3, SQL_DESC_PRECISION));
    SetInteger(m_ipd, 4, SQL_DESC_CONCISE_TYPE, SQL_INTERVAL_SECOND);
    SetInteger(m_ipd, 4, SQL_DESC_LENGTH, 5);
    SetInteger(m_ipd, 4, SQL_DESC_SCALE, 3);
    EXPECT_EQ(5u, m_ipd.GetRecord(4).GetMetadata().GetLengthOrIntervalPrecision());
    EXPECT_EQ(3, GetInteger(m_ipd, 4, SQL_DESC_PRECISION));
}

TEST_F(DescriptorTypeCouplingTest, TheSameTypeAgainKeepsWhatWasSetAndAnotherTypeStartsAfresh)
{
    SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_TYPE_TIMESTAMP);
    SetInteger(m_ipd, 1, SQL_DESC_PRECISION, 3);
    SetInteger(m_ipd, 1, SQL_DESC_TYPE, SQL_DATETIME);
    EXPECT_EQ(3, GetInteger(m_ipd, 1, SQL_DESC_PRECISION));
    SetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE, SQL_TYPE_TIME);
    EXPECT_EQ(0, GetInteger(m_ipd, 1, SQL_DESC_PRECISION));
    EXPECT_EQ("9/92/2", Types(m_ipd));

    // An application record takes the new C type's defaults whatever it held.
    SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_NUMERIC);
    SetInteger(m_ard, 1, SQL_DESC_PRECISION, 10);
    SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_NUMERIC);
    EXPECT_EQ(38, GetInteger(m_ard, 1, SQL_DESC_PRECISION));
}

TEST_F(DescriptorTypeCouplingTest, SettingADataPointerChecksTheRecordAndKeepsTheOldPointerWhenItFails)
{
    SQLINTEGER first = 0;
    SQLINTEGER second = 0;
    SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_TYPE_TIMESTAMP);
    ASSERT_EQ("OK", Outcome(m_ard, m_ard.SQLSetDescFieldW(1, SQL_DESC_DATA_PTR, &first, 0)));
    SetInteger(m_ard, 1, SQL_DESC_DATETIME_INTERVAL_CODE, 5);
    EXPECT_EQ("ERROR HY021 InvalidDatetimeCodeIdent",
              Outcome(m_ard, m_ard.SQLSetDescFieldW(1, SQL_DESC_DATA_PTR, &second, 0)));
    SQLPOINTER data = nullptr;
    m_ard.SQLGetDescFieldW(1, SQL_DESC_DATA_PTR, &data, 0, nullptr);
    EXPECT_EQ(&first, data);

    struct CheckCase
    {
        const char* m_kind;
        SQLSMALLINT m_conciseType; // 0: none set
        SQLSMALLINT m_field;       // then set to -1
        const char* m_outcome;
    };
    const CheckCase cases[] = {
        {"ARD", SQL_C_INTERVAL_YEAR, SQL_DESC_DATETIME_INTERVAL_CODE, "ERROR HY021 InvalidIntervalCode"},
        {"ARD", SQL_C_NUMERIC, SQL_DESC_PRECISION, "ERROR HY104 PrecLessThanZero"},
        {"APD", SQL_C_CHAR, SQL_DESC_PRECISION, "OK"},
        {"IPD", 0, 0, "ERROR HY021 IllegalDescConciseType"},
        {"IPD", SQL_DECIMAL, SQL_DESC_SCALE, "ERROR HY104 ScaleLessThanZero"},
        {"IPD", SQL_INTEGER, SQL_DESC_SCALE, "OK"},
    };
    for (const CheckCase& test : cases)
    {
        SCOPED_TRACE(std::string(test.m_kind) + " " + std::to_string(test.m_conciseType));
        Descriptor& descriptor = Get(test.m_kind);
        if (test.m_conciseType != 0)
        {
            SetInteger(descriptor, 2, SQL_DESC_CONCISE_TYPE, test.m_conciseType);
            SetInteger(descriptor, 2, test.m_field, -1);
        }
        EXPECT_EQ(test.m_outcome, Outcome(descriptor, descriptor.SQLSetDescFieldW(2, SQL_DESC_DATA_PTR, &second, 0)));
    }
}

} // namespace
