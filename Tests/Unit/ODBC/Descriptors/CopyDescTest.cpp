#include "DescriptorTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class CopyDescTest : public DescriptorTest
{
protected:
    CopyDescTest()
    {
        // The source ARD: two bound columns over row-wise buffers, and its header.
        m_ard.SQLSetDescRec(1, SQL_C_SLONG, 0, 4, 0, 0, &m_data, &m_lengths[0], &m_lengths[1]);
        m_ard.SQLSetDescRec(2, SQL_DATETIME, SQL_CODE_TIMESTAMP, 16, 3, 0, &m_data, nullptr, &m_lengths[2]);
        SetInteger(m_ard, 0, SQL_DESC_ARRAY_SIZE, 20);
        SetInteger(m_ard, 0, SQL_DESC_BIND_TYPE, 48);
        m_ard.SQLSetDescFieldW(0, SQL_DESC_BIND_OFFSET_PTR, &m_lengths[3], 0);
        m_ard.SQLSetDescFieldW(0, SQL_DESC_ARRAY_STATUS_PTR, m_statuses, 0);
    }

    static SQLPOINTER GetPointer(Descriptor& io_descriptor, SQLSMALLINT in_record, SQLSMALLINT in_field)
    {
        SQLPOINTER pointer = nullptr;
        io_descriptor.SQLGetDescFieldW(in_record, in_field, &pointer, 0, nullptr);
        return pointer;
    }

    SQLINTEGER m_data = 0;
    SQLLEN m_lengths[4] = {};
    SQLUSMALLINT m_statuses[20] = {};
};

TEST_F(CopyDescTest, AnApplicationDescriptorCopiesHeaderTypesAndBuffers)
{
    SetInteger(m_explicit, 5, SQL_DESC_CONCISE_TYPE, SQL_C_CHAR);
    ASSERT_EQ("OK", Outcome(m_explicit, m_explicit.SQLCopyDesc(m_ard)));

    EXPECT_EQ(2, GetInteger(m_explicit, 0, SQL_DESC_COUNT));
    EXPECT_FALSE(m_explicit.HasRecord(5));
    EXPECT_EQ(20, GetInteger(m_explicit, 0, SQL_DESC_ARRAY_SIZE));
    EXPECT_EQ(48, m_explicit.GetHeaderFieldChecked(SQL_DESC_BIND_TYPE).m_integer);
    EXPECT_EQ(&m_lengths[3], GetPointer(m_explicit, 0, SQL_DESC_BIND_OFFSET_PTR));
    EXPECT_EQ(m_statuses, GetPointer(m_explicit, 0, SQL_DESC_ARRAY_STATUS_PTR));
    // Its own allocation type stays.
    EXPECT_EQ(SQL_DESC_ALLOC_USER, GetInteger(m_explicit, 0, SQL_DESC_ALLOC_TYPE));

    EXPECT_EQ(SQL_C_SLONG, GetInteger(m_explicit, 1, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(&m_data, GetPointer(m_explicit, 1, SQL_DESC_DATA_PTR));
    EXPECT_EQ(&m_lengths[0], GetPointer(m_explicit, 1, SQL_DESC_OCTET_LENGTH_PTR));
    EXPECT_EQ(&m_lengths[1], GetPointer(m_explicit, 1, SQL_DESC_INDICATOR_PTR));
    EXPECT_EQ(SQL_C_TYPE_TIMESTAMP, GetInteger(m_explicit, 2, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(3, GetInteger(m_explicit, 2, SQL_DESC_PRECISION));
    EXPECT_EQ(16, GetInteger(m_explicit, 2, SQL_DESC_OCTET_LENGTH));
    EXPECT_EQ(nullptr, GetPointer(m_explicit, 2, SQL_DESC_OCTET_LENGTH_PTR));
    EXPECT_EQ(&m_lengths[2], GetPointer(m_explicit, 2, SQL_DESC_INDICATOR_PTR));
}

TEST_F(CopyDescTest, TheParameterDescriptorTakesNoBookmarkRecord)
{
    SetInteger(m_ard, 0, SQL_DESC_CONCISE_TYPE, SQL_C_VARBOOKMARK);
    ASSERT_EQ("OK", Outcome(m_apd, m_apd.SQLCopyDesc(m_ard)));
    EXPECT_FALSE(m_apd.HasRecord(0));
    EXPECT_EQ(SQL_C_SLONG, GetInteger(m_apd, 1, SQL_DESC_CONCISE_TYPE));

    ASSERT_EQ("OK", Outcome(m_explicit, m_explicit.SQLCopyDesc(m_ard)));
    EXPECT_EQ(SQL_C_VARBOOKMARK, GetInteger(m_explicit, 0, SQL_DESC_CONCISE_TYPE));
}

TEST_F(CopyDescTest, TheRowDescriptorGivesCountTypesAndLengthsButNoBuffers)
{
    AttachColumns({{SQL_INTEGER, 0}, {SQL_DOUBLE, 0}});
    ASSERT_EQ("OK", Outcome(m_ard, m_ard.SQLCopyDesc(m_ird)));
    EXPECT_EQ(2, GetInteger(m_ard, 0, SQL_DESC_COUNT));
    EXPECT_EQ(SQL_C_LONG, GetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(SQL_C_DOUBLE, GetInteger(m_ard, 2, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(8, GetInteger(m_ard, 2, SQL_DESC_OCTET_LENGTH));
    EXPECT_EQ(nullptr, GetPointer(m_ard, 1, SQL_DESC_DATA_PTR));
    EXPECT_EQ(nullptr, GetPointer(m_ard, 1, SQL_DESC_INDICATOR_PTR));
    // The header fields the row descriptor does not have stay.
    EXPECT_EQ(20, GetInteger(m_ard, 0, SQL_DESC_ARRAY_SIZE));
    EXPECT_EQ(nullptr, GetPointer(m_ard, 0, SQL_DESC_ARRAY_STATUS_PTR));
}

TEST_F(CopyDescTest, AColumnTypeThatIsNoCTypeFailsTheCopy)
{
    AttachColumns({{SQL_INTEGER, 0}, {SQL_VARCHAR, 10}});
    EXPECT_EQ("ERROR HY021 IllegalDescConciseType", Outcome(m_explicit, m_explicit.SQLCopyDesc(m_ird)));
}

TEST_F(CopyDescTest, NothingIsCopiedIntoTheRowDescriptorOrFromOneWithoutColumns)
{
    EXPECT_EQ("ERROR HY016 CannotModImpRowDesc", Outcome(m_ird, m_ird.SQLCopyDesc(m_ard)));
    EXPECT_EQ("ERROR HY010 StmtNotPrep", Outcome(m_explicit, m_explicit.SQLCopyDesc(m_ird)));
    EXPECT_EQ(0, GetInteger(m_explicit, 0, SQL_DESC_COUNT));
    EXPECT_EQ(1, GetInteger(m_explicit, 0, SQL_DESC_ARRAY_SIZE));
}

TEST_F(CopyDescTest, ACopyOntoItselfKeepsEverything)
{
    for (const char* kind : {"ARD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        const SQLSMALLINT type = descriptor.GetKind() == DescriptorKind::IPD ? SQL_BIGINT : SQL_C_SBIGINT;
        SetInteger(descriptor, 3, SQL_DESC_CONCISE_TYPE, type);
        ASSERT_EQ("OK", Outcome(descriptor, descriptor.SQLCopyDesc(descriptor)));
        EXPECT_EQ(3, GetInteger(descriptor, 0, SQL_DESC_COUNT));
        EXPECT_TRUE(descriptor.HasRecord(3));
    }
    EXPECT_EQ(&m_data, GetPointer(m_ard, 1, SQL_DESC_DATA_PTR));
}

TEST_F(CopyDescTest, AParameterDescriptorCopiesDescriptionsAndStopsAtFieldsTheSourceLacks)
{
    SQLULEN processed = 0;
    m_ipd.SQLSetDescRec(1, SQL_DECIMAL, 0, 12, 10, 2, nullptr, nullptr, nullptr);
    m_ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, const_cast<char16_t*>(u"amount"), SQL_NTS);
    SetInteger(m_ipd, 1, SQL_DESC_PARAMETER_TYPE, SQL_PARAM_OUTPUT);
    m_ipd.SQLSetDescFieldW(0, SQL_DESC_ROWS_PROCESSED_PTR, &processed, 0);
    ImplParamDescriptor target(41, nullptr, &m_messages, nullptr);
    ASSERT_EQ("OK", Outcome(target, target.SQLCopyDesc(m_ipd)));
    EXPECT_EQ(SQL_DECIMAL, GetInteger(target, 1, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(10, GetInteger(target, 1, SQL_DESC_PRECISION));
    EXPECT_EQ(2, GetInteger(target, 1, SQL_DESC_SCALE));
    EXPECT_EQ(SQL_PARAM_OUTPUT, GetInteger(target, 1, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ("amount", GetText(target, 1, SQL_DESC_NAME));
    EXPECT_EQ(&processed, GetPointer(target, 0, SQL_DESC_ROWS_PROCESSED_PTR));

    // The row descriptor has no parameter type, so nothing after it is copied either.
    AttachColumns({{SQL_INTEGER, 0}});
    ImplParamDescriptor fromColumns(42, nullptr, &m_messages, nullptr);
    ASSERT_EQ("OK", Outcome(fromColumns, fromColumns.SQLCopyDesc(m_ird)));
    EXPECT_EQ(SQL_INTEGER, GetInteger(fromColumns, 1, SQL_DESC_CONCISE_TYPE));
    EXPECT_EQ(SQL_PARAM_INPUT, GetInteger(fromColumns, 1, SQL_DESC_PARAMETER_TYPE));
    EXPECT_EQ("", GetText(fromColumns, 1, SQL_DESC_NAME));
}

TEST_F(CopyDescTest, CopiesBothWaysAtOnceNeverWaitForEachOther)
{
    ExplicitAppDescriptor other(43, nullptr, &m_messages, nullptr);
    ASSERT_EQ(SQL_SUCCESS, other.SQLCopyDesc(m_ard));
    ASSERT_EQ(SQL_SUCCESS, m_explicit.SQLCopyDesc(m_ard));
    std::atomic<int> ready{0};
    const auto copyMany = [&ready](Descriptor& io_target, Descriptor& io_source) {
        ++ready;
        while (ready < 2)
        {
        }
        for (int i = 0; i < 2000; ++i)
        {
            io_target.SQLCopyDesc(io_source);
        }
    };
    std::future<void> forward = std::async(std::launch::async, copyMany, std::ref(other), std::ref(m_explicit));
    std::future<void> backward = std::async(std::launch::async, copyMany, std::ref(m_explicit), std::ref(other));
    for (std::future<void>* copies : {&forward, &backward})
    {
        if (copies->wait_for(std::chrono::seconds(30)) != std::future_status::ready)
        {
            // Deadlocked threads can never be joined: end here rather than hang.
            std::fprintf(stderr, "SQLCopyDesc in both directions deadlocked\n");
            std::abort();
        }
    }
    EXPECT_EQ(2, GetInteger(other, 0, SQL_DESC_COUNT));
    EXPECT_EQ(2, GetInteger(m_explicit, 0, SQL_DESC_COUNT));
    EXPECT_EQ(&m_data, GetPointer(m_explicit, 1, SQL_DESC_DATA_PTR));
}

} // namespace
