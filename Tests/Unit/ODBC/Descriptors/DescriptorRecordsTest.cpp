#include "DescriptorTestSupport.h"

#include "ODBC/Descriptors/IDescriptorDeleteListener.h"
#include "ODBC/Exceptions/ODBCInternalException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

class DescriptorRecordsTest : public DescriptorTest
{
protected:
    // Sets the concise type of records of io_descriptor: a C type on application descriptors,
    // an SQL type on the IPD.
    static void MakeRecords(Descriptor& io_descriptor, std::initializer_list<SQLSMALLINT> in_records)
    {
        const SQLSMALLINT type = io_descriptor.GetKind() == DescriptorKind::IPD ? SQL_INTEGER : SQL_C_SLONG;
        for (SQLSMALLINT record : in_records)
        {
            ASSERT_EQ(SQL_SUCCESS, SetInteger(io_descriptor, record, SQL_DESC_CONCISE_TYPE, type));
        }
    }

    // Which of records 1 to 5 exist, as "1 3".
    static std::string Existing(Descriptor& io_descriptor)
    {
        std::string existing;
        for (SQLSMALLINT record = 1; record <= 5; ++record)
        {
            if (io_descriptor.HasRecord(record))
            {
                existing += (existing.empty() ? "" : " ") + std::to_string(record);
            }
        }
        return existing;
    }
};

TEST_F(DescriptorRecordsTest, ARecordSetBeyondTheCountRaisesItAndALowerCountDropsTheRecordsAbove)
{
    for (const char* kind : {"ARD", "APD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        MakeRecords(descriptor, {1, 4});
        EXPECT_EQ(4, GetInteger(descriptor, 0, SQL_DESC_COUNT));
        EXPECT_EQ("1 4", Existing(descriptor));
        // A record inside the count that was never set reads as a new one.
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_COUNT, 2)));
        EXPECT_EQ("1", Existing(descriptor));
        SQLRETURN result = SQL_SUCCESS;
        GetInteger(descriptor, 2, SQL_DESC_CONCISE_TYPE, &result);
        EXPECT_EQ("OK", Outcome(descriptor, result));
        GetInteger(descriptor, 3, SQL_DESC_CONCISE_TYPE, &result);
        EXPECT_EQ("NO_DATA", Outcome(descriptor, result));
        // A larger count makes room without making records.
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_COUNT, 5)));
        EXPECT_EQ("1", Existing(descriptor));
        GetInteger(descriptor, 5, SQL_DESC_CONCISE_TYPE, &result);
        EXPECT_EQ("OK", Outcome(descriptor, result));
    }
}

TEST_F(DescriptorRecordsTest, ANegativeCountIsRefusedAndChangesNothing)
{
    for (const char* kind : {"ARD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        MakeRecords(descriptor, {1, 2});
        for (SQLLEN count : {-1, -2, 65535})
        {
            EXPECT_EQ("ERROR HY024 NegativeDescCount",
                      Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_COUNT, count)));
            EXPECT_EQ(2, GetInteger(descriptor, 0, SQL_DESC_COUNT));
            EXPECT_EQ("1 2", Existing(descriptor));
        }
    }
    // The bookmark record survives as well.
    EXPECT_TRUE(m_ard.HasRecord(0));
}

TEST_F(DescriptorRecordsTest, AnArraySizeOfNoRowsIsRefusedAndChangesNothing)
{
    for (const char* kind : {"ARD", "APD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_ARRAY_SIZE, 4)));
        EXPECT_EQ("ERROR HY024 ZeroDescArraySize", Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_ARRAY_SIZE, 0)));
        EXPECT_EQ(4, GetInteger(descriptor, 0, SQL_DESC_ARRAY_SIZE));
    }
}

TEST_F(DescriptorRecordsTest, DroppingTheLastRecordLowersTheCountToTheHighestLeft)
{
    for (const char* kind : {"ARD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        MakeRecords(descriptor, {1, 3, 4});
        descriptor.DropRecord(3);
        EXPECT_EQ(4, GetInteger(descriptor, 0, SQL_DESC_COUNT));
        descriptor.DropRecord(4);
        EXPECT_EQ(1, GetInteger(descriptor, 0, SQL_DESC_COUNT));
        descriptor.DropRecord(1);
        EXPECT_EQ(0, GetInteger(descriptor, 0, SQL_DESC_COUNT));
        SQLRETURN result = SQL_SUCCESS;
        GetInteger(descriptor, 1, SQL_DESC_CONCISE_TYPE, &result);
        EXPECT_EQ(SQL_NO_DATA, result);
    }
}

TEST_F(DescriptorRecordsTest, BindingChangesAreFlaggedForTheFetchCode)
{
    SQLINTEGER data = 0;
    const auto flaggedBy = [&](const std::function<void()>& in_change) {
        m_ard.SetBindingsChanged(false);
        in_change();
        return m_ard.HasBindingsChanged();
    };
    EXPECT_TRUE(m_ard.HasBindingsChanged());
    EXPECT_TRUE(flaggedBy([&] { m_ard.SQLSetDescFieldW(1, SQL_DESC_DATA_PTR, &data, 0); }));
    EXPECT_TRUE(flaggedBy([&] { SetInteger(m_ard, 1, SQL_DESC_CONCISE_TYPE, SQL_C_CHAR); }));
    EXPECT_TRUE(flaggedBy([&] { SetInteger(m_ard, 0, SQL_DESC_COUNT, 0); }));
    EXPECT_TRUE(flaggedBy([&] { m_ard.DropRecord(0); }));
    EXPECT_FALSE(flaggedBy([&] { SetInteger(m_ard, 1, SQL_DESC_OCTET_LENGTH, 4); }));
}

TEST_F(DescriptorRecordsTest, TheParameterDescriptorHasNoBookmarkRecord)
{
    SQLINTEGER data = 0;
    EXPECT_EQ("OK", Outcome(m_apd, SetInteger(m_apd, 0, SQL_DESC_CONCISE_TYPE, SQL_C_CHAR)));
    EXPECT_EQ(0, GetInteger(m_apd, 0, SQL_DESC_COUNT));
    EXPECT_FALSE(m_apd.HasRecord(0));
    EXPECT_EQ("ERROR 07009 BookmarkColumnNotSupported",
              Outcome(m_apd, m_apd.SQLSetDescRec(0, SQL_C_CHAR, 0, 1, 0, 0, &data, nullptr, nullptr)));
    SQLRETURN result = SQL_SUCCESS;
    GetInteger(m_apd, 0, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("ERROR 07009 BookmarkColumnNotSupported", Outcome(m_apd, result));
    GetInteger(m_ipd, 0, SQL_DESC_CONCISE_TYPE, &result);
    EXPECT_EQ("ERROR 07009 BookmarkColumnNotSupported", Outcome(m_ipd, result));

    // The row descriptors keep one.
    for (const char* kind : {"ARD", "EXPLICIT"})
    {
        Descriptor& descriptor = Get(kind);
        EXPECT_EQ("OK", Outcome(descriptor, SetInteger(descriptor, 0, SQL_DESC_CONCISE_TYPE, SQL_C_VARBOOKMARK)));
        EXPECT_EQ(SQL_C_VARBOOKMARK, GetInteger(descriptor, 0, SQL_DESC_CONCISE_TYPE));
        EXPECT_EQ(0, GetInteger(descriptor, 0, SQL_DESC_COUNT));
    }
}

TEST_F(DescriptorRecordsTest, ANegativeRecordNumberIsAnInvalidIndexInEveryFunction)
{
    SQLSMALLINT value = 0;
    EXPECT_EQ("ERROR 07009 InvalidDescIndex", Outcome(m_ard, m_ard.SQLGetDescFieldW(-1, SQL_DESC_TYPE, &value, 0, nullptr)));
    EXPECT_EQ("ERROR 07009 InvalidDescIndex", Outcome(m_ard, SetInteger(m_ard, -1, SQL_DESC_TYPE, SQL_C_CHAR)));
    EXPECT_EQ("ERROR 07009 InvalidDescIndex",
              Outcome(m_ipd, m_ipd.SQLGetDescRecW(-1, nullptr, 0, nullptr, &value, nullptr, nullptr, nullptr, nullptr,
                                                  nullptr)));
    EXPECT_EQ("ERROR 07009 InvalidDescIndex",
              Outcome(m_ipd, m_ipd.SQLSetDescRec(-1, SQL_CHAR, 0, 1, 0, 0, nullptr, nullptr, nullptr)));
}

TEST_F(DescriptorRecordsTest, TheBindTypeIsFourBytesToSQLGetDescFieldAndWholeToTheStatement)
{
    const uint64_t rowSize = 0x100000010ULL;
    m_ard.SetHeaderField(SQL_DESC_BIND_TYPE, DescriptorFieldValue::Integer(static_cast<int64_t>(rowSize)));
    EXPECT_EQ(static_cast<int64_t>(rowSize), m_ard.GetHeaderFieldChecked(SQL_DESC_BIND_TYPE).m_integer);

    unsigned char attribute[12];
    std::memset(attribute, 0xAB, sizeof(attribute));
    SQLINTEGER length = 0;
    m_ard.GetField(&m_ard.GetDiagManager(), 0, SQL_DESC_BIND_TYPE, attribute, 0, &length, false);
    EXPECT_EQ(8, length);
    SQLULEN whole = 0;
    std::memcpy(&whole, attribute, sizeof(whole));
    EXPECT_EQ(rowSize, whole);

    std::memset(attribute, 0xAB, sizeof(attribute));
    ASSERT_EQ(SQL_SUCCESS, m_ard.SQLGetDescFieldW(0, SQL_DESC_BIND_TYPE, attribute, 0, &length));
    EXPECT_EQ(4, length);
    SQLINTEGER field = 0;
    std::memcpy(&field, attribute, sizeof(field));
    EXPECT_EQ(0x10, field);
    EXPECT_EQ(0xAB, attribute[4]);

    // SQLSetDescField takes the field as a 32-bit integer.
    ASSERT_EQ(SQL_SUCCESS, SetInteger(m_ard, 0, SQL_DESC_BIND_TYPE, static_cast<SQLLEN>(rowSize + 0x20)));
    EXPECT_EQ(0x30, m_ard.GetHeaderFieldChecked(SQL_DESC_BIND_TYPE).m_integer);
}

TEST_F(DescriptorRecordsTest, GetDescRecWritesNameAndNullabilityOnlyForImplementationRecords)
{
    SQLSMALLINT type = 0;
    SQLSMALLINT subType = 0;
    SQLLEN length = 0;
    SQLSMALLINT precision = 0;
    SQLSMALLINT scale = 0;
    SQLSMALLINT nullable = -7;
    SQLWCHAR name[8] = {u'x', 0};
    SQLSMALLINT nameLength = -7;
    SQLINTEGER data = 0;
    ASSERT_EQ(SQL_SUCCESS, m_ard.SQLSetDescRec(1, SQL_DATETIME, SQL_CODE_TIMESTAMP, 16, 3, 0, &data, nullptr, nullptr));
    ASSERT_EQ(SQL_SUCCESS,
              m_ard.SQLGetDescRecW(1, name, 8, &nameLength, &type, &subType, &length, &precision, &scale, &nullable));
    EXPECT_EQ(SQL_DATETIME, type);
    EXPECT_EQ(SQL_CODE_TIMESTAMP, subType);
    EXPECT_EQ(16, length);
    EXPECT_EQ(3, precision);
    EXPECT_EQ(3, scale);
    EXPECT_EQ(u'x', name[0]);
    EXPECT_EQ(-7, nameLength);
    EXPECT_EQ(-7, nullable);

    ASSERT_EQ(SQL_SUCCESS, m_ipd.SQLSetDescRec(1, SQL_DECIMAL, 0, 12, 10, 2, nullptr, nullptr, nullptr));
    ASSERT_EQ(SQL_SUCCESS, m_ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, const_cast<char16_t*>(u"amount"), SQL_NTS));
    EXPECT_EQ("INFO 01004 StrRightTruncWarn", Outcome(m_ipd, m_ipd.SQLGetDescRecW(1, name, 4, &nameLength, &type, &subType,
                                                                                 &length, &precision, &scale, &nullable)));
    EXPECT_EQ("amo", Narrow(name));
    EXPECT_EQ(6, nameLength);
    EXPECT_EQ(SQL_DECIMAL, type);
    EXPECT_EQ(12, length);
    EXPECT_EQ(10, precision);
    EXPECT_EQ(2, scale);
    EXPECT_EQ(SQL_NULLABLE, nullable);
}

TEST_F(DescriptorRecordsTest, SetDescRecSetsThePointersOfApplicationRecordsOnly)
{
    SQLINTEGER data = 0;
    SQLLEN lengths[2] = {};
    ASSERT_EQ(SQL_SUCCESS, m_apd.SQLSetDescRec(1, SQL_C_SLONG, 0, 4, 0, 0, &data, &lengths[0], &lengths[1]));
    SQLPOINTER pointer = nullptr;
    m_apd.SQLGetDescFieldW(1, SQL_DESC_OCTET_LENGTH_PTR, &pointer, 0, nullptr);
    EXPECT_EQ(&lengths[0], pointer);
    m_apd.SQLGetDescFieldW(1, SQL_DESC_INDICATOR_PTR, &pointer, 0, nullptr);
    EXPECT_EQ(&lengths[1], pointer);
    m_apd.SQLGetDescFieldW(1, SQL_DESC_DATA_PTR, &pointer, 0, nullptr);
    EXPECT_EQ(&data, pointer);

    ASSERT_EQ(SQL_SUCCESS, m_ipd.SQLSetDescRec(1, SQL_INTEGER, 0, 4, 0, 0, &data, &lengths[0], &lengths[1]));
    EXPECT_EQ(SQL_INTEGER, GetInteger(m_ipd, 1, SQL_DESC_CONCISE_TYPE));
}

TEST_F(DescriptorRecordsTest, RecordsMustRunWithoutGapsUpToTheParameterCount)
{
    for (const char* kind : {"APD", "IPD"})
    {
        SCOPED_TRACE(kind);
        Descriptor& descriptor = Get(kind);
        MakeRecords(descriptor, {1, 2, 4});
        const auto check = [&](int32_t in_count) -> std::string {
            try
            {
                if (descriptor.GetKind() == DescriptorKind::IPD)
                {
                    m_ipd.CheckRecordsSequential(in_count);
                }
                else
                {
                    m_apd.CheckRecordsSequential(in_count);
                }
                return "OK";
            }
            catch (const ErrorException& e)
            {
                const std::string state = GetSqlStateForDiagState(e.GetDiagState()).GetText();
                return state + " " + e.GetMessageKey().GetAsUTF8();
            }
        };
        EXPECT_EQ("OK", check(0));
        EXPECT_EQ("OK", check(2));
        EXPECT_EQ("07002 DescRecNotSeq", check(3));
        EXPECT_EQ("07002 DescRecNotSeq", check(5));
    }
}

TEST_F(DescriptorRecordsTest, ANameIsTakenInBytesOrUpToItsTerminator)
{
    ASSERT_EQ(SQL_SUCCESS, m_ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, const_cast<char16_t*>(u"abcdef"), 6));
    EXPECT_EQ("abc", GetText(m_ipd, 1, SQL_DESC_NAME));
    ASSERT_EQ(SQL_SUCCESS, m_ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, const_cast<char16_t*>(u"abcdef"), SQL_NTS));
    EXPECT_EQ("abcdef", GetText(m_ipd, 1, SQL_DESC_NAME));
    EXPECT_EQ("ERROR HY090 InvalidStrOrBuffLen",
              Outcome(m_ipd, m_ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, const_cast<char16_t*>(u"abc"), -5)));
    EXPECT_EQ("abcdef", GetText(m_ipd, 1, SQL_DESC_NAME));
}

class RecordingListener : public IDescriptorDeleteListener
{
public:
    RecordingListener(std::vector<std::string>& io_log, const char* in_name) : m_log(io_log), m_name(in_name) {}

    // Drops the descriptor as a statement does: it stops listening on the way.
    void DropAppDescriptor(Descriptor& in_descriptor) override
    {
        m_log.push_back(m_name);
        in_descriptor.RemoveDeleteListener(this);
    }

private:
    std::vector<std::string>& m_log;
    const char* m_name;
};

TEST_F(DescriptorRecordsTest, AFreedExplicitDescriptorTellsEachStatementUsingItOnce)
{
    std::vector<std::string> log;
    RecordingListener first(log, "first");
    RecordingListener second(log, "second");
    RecordingListener gone(log, "gone");
    {
        ExplicitAppDescriptor descriptor(31, nullptr, &m_messages, nullptr);
        EXPECT_TRUE(descriptor.IsExplicit());
        EXPECT_EQ(SQL_DESC_ALLOC_USER, GetInteger(descriptor, 0, SQL_DESC_ALLOC_TYPE));
        descriptor.AddDeleteListener(&first);
        descriptor.AddDeleteListener(&gone);
        descriptor.AddDeleteListener(&second);
        descriptor.AddDeleteListener(&first);
        descriptor.RemoveDeleteListener(&gone);
    }
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), log);

    EXPECT_FALSE(m_ard.IsExplicit());
    EXPECT_EQ(SQL_DESC_ALLOC_AUTO, GetInteger(m_ard, 0, SQL_DESC_ALLOC_TYPE));
    EXPECT_THROW(m_ard.AddDeleteListener(&first), ODBCInternalException);
}

TEST_F(DescriptorRecordsTest, InternalReadsAndWritesKeepToTheirKindOfField)
{
    EXPECT_THROW(m_ipd.GetNonStringField(1, SQL_DESC_NAME), ODBCInternalException);
    EXPECT_THROW(m_ard.GetHeaderFieldChecked(SQL_DESC_CONCISE_TYPE), ODBCInternalException);
    EXPECT_THROW(m_ard.GetHeaderFieldChecked(SQL_DESC_ROWS_PROCESSED_PTR), ODBCInternalException);
    try
    {
        m_ipd.SetHeaderField(SQL_DESC_ARRAY_SIZE, DescriptorFieldValue::Integer(5));
        ADD_FAILURE() << "the IPD has no array size";
    }
    catch (const ErrorException& e)
    {
        EXPECT_EQ(DIAG_INVALID_DESCRIPTOR_FIELD, e.GetDiagState());
    }
    m_ard.SetHeaderField(SQL_DESC_ARRAY_SIZE, DescriptorFieldValue::Integer(5));
    EXPECT_EQ(5, m_ard.GetNonStringField(0, SQL_DESC_ARRAY_SIZE).m_integer);
    EXPECT_THROW(m_ard.SetHeaderField(SQL_DESC_ALLOC_TYPE, DescriptorFieldValue::Integer(2)), ODBCInternalException);
}

} // namespace
