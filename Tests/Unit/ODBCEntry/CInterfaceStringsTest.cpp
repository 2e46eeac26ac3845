#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Dispatch/CInterface.h"
#include "Support/EncodingType.h"
#include "Support/ErrorException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/SizedBuffer.h"
#include "Support/orvik_wstring.h"

#include "EntryTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Testing::EntryDataEngine;
using Orvik::Testing::Narrow;
using Orvik::Testing::Outcome;
using Orvik::Testing::RecordText;
using Orvik::Testing::ToHandle;
using Orvik::Testing::ToValue;

namespace {

constexpr char16_t GUARD_UNIT = 0xAAAA;
constexpr char GUARD_BYTE = '#';

class CInterfaceStringsTest : public Orvik::Testing::EntryTest
{
};

/// UTF-16 units as UTF-8, the units past the text's terminator checked for being untouched.
std::string ShowUnits(const std::vector<char16_t>& in_units, size_t in_written)
{
    std::string shown = orvik_wstring(in_units.data(), static_cast<int32_t>(in_written)).GetAsUTF8();
    if (in_written < in_units.size() && in_units[in_written] != 0)
    {
        shown += "<no terminator>";
    }
    const size_t end = std::min(in_units.size(), in_written + 1);
    if (!std::all_of(in_units.begin() + end, in_units.end(), [](char16_t in_unit) { return in_unit == GUARD_UNIT; }))
    {
        shown += "<written past the text>";
    }
    return shown;
}

TEST_F(CInterfaceStringsTest, InputTextReachesTheWideBufferAsTheSameCharacters)
{
    const struct
    {
        EncodingType m_ansi;
        const char* m_text;
        SQLINTEGER m_length;
        int64_t m_bufferLength;
        bool m_inBytes;
        std::string m_expected;
    } cases[] = {
        { ENC_CP1252, "caf\xE9", SQL_NTS, 20, false, "café 4" },
        { ENC_UTF8, "caf\xC3\xA9", SQL_NTS, 20, false, "café 4" },
        { ENC_UTF8, "caf\xC3\xA9 au lait", 5, 20, false, "café 4" },
        { ENC_CP1252, "abcdef", SQL_NTS, 4, false, "abc 3 cut" },
        { ENC_CP1252, "abcdef", SQL_NTS, 8, true, "abc 6 cut" },
        // A character of two code units is taken whole or not at all.
        { ENC_UTF8, "a\xF0\x9F\x98\x80", SQL_NTS, 3, false, "a 1 cut" },
        { ENC_UTF8, "a\xF0\x9F\x98\x80", SQL_NTS, 4, false, "a\xF0\x9F\x98\x80 3" },
        // Text that is not valid in the application's encoding is refused, not given replacement
        // characters: the message names the first bad byte, from 1, and the encoding.
        { ENC_UTF8, "select '\xE9'", SQL_NTS, 20, false, "HY000 InputStringMalformed 9 UTF-8" },
        { ENC_UTF8, "ab\xE2\x82", SQL_NTS, 20, false, "HY000 InputStringMalformed 3 UTF-8" },
        { ENC_UTF8, "ab\xE2\x82\xAC", 4, 20, false, "HY000 InputStringMalformed 3 UTF-8" },
        { ENC_US_ASCII, "caf\xE9", SQL_NTS, 20, false, "HY000 InputStringMalformed 4 US-ASCII" },
    };
    for (const auto& c : cases)
    {
        orvik_wstring::InitializeAnsiEncoding(c.m_ansi);
        std::vector<char16_t> buffer(8, GUARD_UNIT);
        bool truncated = false;
        try
        {
            const int32_t count = CInterface::ConvertInputString(Narrow(c.m_text), c.m_length, buffer.data(),
                                                                 c.m_bufferLength, c.m_inBytes, truncated);
            const size_t units = c.m_inBytes ? count / 2 : count;
            EXPECT_EQ(c.m_expected, ShowUnits(buffer, units) + " " + std::to_string(count) + (truncated ? " cut" : ""))
                << c.m_text;
        }
        catch (const ErrorException& e)
        {
            EXPECT_EQ(DIAG_GENERAL_ERROR, e.GetDiagState());
            EXPECT_EQ(c.m_expected, "HY000 " + e.GetMessageKey().GetAsUTF8() + " " + e.GetParameters().at(0).GetAsUTF8()
                                        + " " + e.GetParameters().at(1).GetAsUTF8());
            EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](char16_t in_unit) { return in_unit == GUARD_UNIT; }))
                << "nothing is written of a refused text";
        }
    }
}

class WideInputStringsTest : public Orvik::Testing::StatementTest
{
protected:
    /// The result of a wide call with the SQLSTATE and message of its first record.
    static std::string Refusal(SQLRETURN in_result, DiagManager& io_diagnostics)
    {
        return Outcome(in_result, io_diagnostics) + " " + RecordText(io_diagnostics);
    }

    std::string OnStatement(SQLRETURN in_result) { return Refusal(in_result, m_statement->GetDiagManager()); }

    std::string OnConnection(SQLRETURN in_result) { return Refusal(in_result, m_connection->GetDiagManager()); }

    /// in_call on a connection of its own that is not yet connected.
    std::string OnNewConnection(const std::function<SQLRETURN(Connection&)>& in_call)
    {
        SQLHANDLE handle = nullptr;
        m_environment->SQLAllocHandle(SQL_HANDLE_DBC, GetEnvironmentHandle(), &handle);
        Connection& connection = *m_driver.GetConnection(ToValue(handle));
        const std::string outcome = Refusal(in_call(connection), connection.GetDiagManager());
        m_environment->SQLFreeHandle(SQL_HANDLE_DBC, handle);
        return outcome;
    }
};

// Wide text that is not valid UTF-16 is refused at every entrance before anything reaches the
// data store, never given replacement characters: the message names the first bad code unit,
// from 1. Valid text, surrogate pairs included, is taken as it came.
TEST_F(WideInputStringsTest, TextThatIsNotValidUtf16IsRefusedAtEveryEntrance)
{
    using Call = std::function<std::string(SQLWCHAR*, SQLINTEGER)>;
    const SQLHANDLE statement = m_statementHandle;
    const Call execDirect = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLExecDirectWArgs args{in_text, in_length};
        return OnStatement(CInterface::DispatchSQLExecDirectW("SQLExecDirectW", statement, &args));
    };
    const Call prepare = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLPrepareWArgs args{in_text, in_length};
        return OnStatement(CInterface::DispatchSQLPrepareW("SQLPrepareW", statement, &args));
    };
    const Call tables = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLTablesWArgs args{{{nullptr, 0}, {nullptr, 0}, {in_text, static_cast<SQLSMALLINT>(in_length)}, {nullptr, 0}}};
        return OnStatement(CInterface::DispatchSQLTablesW("SQLTablesW", statement, &args));
    };
    const Call columns = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLColumnsWArgs args{{{nullptr, 0}, {nullptr, 0}, {nullptr, 0}, {in_text, static_cast<SQLSMALLINT>(in_length)}}};
        return OnStatement(CInterface::DispatchSQLColumnsW("SQLColumnsW", statement, &args));
    };
    const Call cursorName = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        return OnStatement(m_statement->SQLSetCursorNameW(in_text, static_cast<SQLSMALLINT>(in_length)));
    };
    const Call nativeSql = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLWCHAR native[64];
        SQLINTEGER nativeLength = 0;
        return OnConnection(m_connection->SQLNativeSqlW(in_text, in_length, native, 64, &nativeLength));
    };
    // Attribute and descriptor field values count bytes.
    const Call currentCatalog = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        SQLSetConnectAttrWArgs args{SQL_ATTR_CURRENT_CATALOG, in_text, in_length == SQL_NTS ? SQL_NTS : 2 * in_length};
        return OnConnection(CInterface::DispatchSQLSetConnectAttrW("SQLSetConnectAttrW", m_connectionHandle, &args));
    };
    const Call parameterName = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        ImplParamDescriptor& ipd = m_statement->GetIPD();
        return Refusal(ipd.SQLSetDescFieldW(1, SQL_DESC_NAME, in_text, in_length == SQL_NTS ? SQL_NTS : 2 * in_length),
                       ipd.GetDiagManager());
    };
    const Call driverConnect = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        return OnNewConnection([&](Connection& io_connection) {
            return io_connection.SQLDriverConnectW(nullptr, in_text, static_cast<SQLSMALLINT>(in_length), nullptr, 0,
                                                   nullptr, SQL_DRIVER_NOPROMPT);
        });
    };
    const Call connect = [&](SQLWCHAR* in_text, SQLINTEGER in_length) {
        return OnNewConnection([&](Connection& io_connection) {
            return io_connection.SQLConnectW(in_text, static_cast<SQLSMALLINT>(in_length), nullptr, 0, nullptr, 0);
        });
    };
    const auto refused = [](int in_unit) {
        return "-1 HY000 [Orvik][ODBC] (2316) An input string was refused: it is not valid in the driver manager's "
               "encoding (UTF-16LE) from code unit " + std::to_string(in_unit) + " on, where a surrogate has no partner.";
    };
    const struct
    {
        const char* m_entrance;
        Call m_call;
        std::u16string m_text;
        SQLINTEGER m_length;
        std::string m_expected;
    } cases[] = {
        {"SQLExecDirectW", execDirect, u"select 'a\U0001F600b'", SQL_NTS, "prepared select 'a\U0001F600b'"},
        // A lone lead surrogate, a lone trail surrogate, a pair the wrong way round, a lead
        // surrogate that ends the text, and one that an explicit length parts from its trail.
        {"SQLExecDirectW", execDirect, {u's', 0xD83D, u'x'}, SQL_NTS, refused(2)},
        {"SQLExecDirectW", execDirect, {u's', u'e', 0xDE00, u'x'}, SQL_NTS, refused(3)},
        {"SQLExecDirectW", execDirect, {u's', 0xDE00, 0xD83D, u'x'}, SQL_NTS, refused(2)},
        {"SQLExecDirectW", execDirect, {u's', u'e', u'l', 0xD83D}, SQL_NTS, refused(4)},
        {"SQLExecDirectW", execDirect, {u's', 0xD83D, 0xDE00}, 2, refused(2)},
        // Every other wide input string.
        {"SQLPrepareW", prepare, {u's', 0xD83D, u'x'}, SQL_NTS, refused(2)},
        {"SQLTablesW", tables, {u't', 0xDE00}, SQL_NTS, refused(2)},
        {"SQLColumnsW", columns, {0xD83D, u'c'}, 2, refused(1)},
        {"SQLSetCursorNameW", cursorName, {u'c', 0xD83D}, SQL_NTS, refused(2)},
        {"SQLNativeSqlW", nativeSql, {u's', 0xDE00}, SQL_NTS, refused(2)},
        {"SQLSetConnectAttrW", currentCatalog, {u'k', 0xD83D, u'k'}, 3, refused(2)},
        {"SQLSetDescFieldW", parameterName, {u'p', 0xDE00}, SQL_NTS, refused(2)},
        {"SQLDriverConnectW", driverConnect, u"DRIVER={Pelta};Servers=h:1;UID=\xD83D", SQL_NTS, refused(32)},
        {"SQLConnectW", connect, {u'd', 0xD83D}, SQL_NTS, refused(2)},
    };
    for (const auto& c : cases)
    {
        EntryDataEngine::s_prepared.clear();
        std::u16string text = c.m_text;
        const std::string outcome = c.m_call(reinterpret_cast<SQLWCHAR*>(&text[0]), c.m_length);
        EXPECT_EQ(c.m_expected,
                  EntryDataEngine::s_prepared.empty() ? outcome : "prepared " + EntryDataEngine::s_prepared.back().GetAsUTF8())
            << c.m_entrance;
        m_statement->SQLCloseCursor();
    }
}

TEST_F(CInterfaceStringsTest, ANullInputWritesNothingAndLeavesTheFlag)
{
    char16_t buffer[2] = { GUARD_UNIT, GUARD_UNIT };
    bool truncated = true;
    EXPECT_EQ(0, CInterface::ConvertInputString(nullptr, SQL_NTS, buffer, 2, false, truncated));
    EXPECT_TRUE(truncated);
    EXPECT_EQ(GUARD_UNIT, buffer[0]);
}

TEST_F(CInterfaceStringsTest, OutputTextIsCutAtWholeCharactersWithItsFullLength)
{
    const struct
    {
        EncodingType m_ansi;
        const char16_t* m_text;
        SQLINTEGER m_length;
        bool m_lengthInBytes;
        int32_t m_bufferLength;
        std::string m_expected;
    } cases[] = {
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 11, "abcdefghij 10" },
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 10, "abcdefghi 10 cut" },
        { ENC_UTF8, u"abcdefghij", SQL_NTS, false, 0, "<nothing> 10 cut" },
        { ENC_UTF8, u"abcdefghij", 6, true, 20, "abc 3" },
        { ENC_UTF8, u"abcdefghij", 4, false, 20, "abcd 4" },
        // é takes two bytes in UTF-8 and one in cp1252: it is never split.
        { ENC_UTF8, u"aé", SQL_NTS, false, 3, "a 3 cut" },
        { ENC_UTF8, u"aé", SQL_NTS, false, 4, "aé 3" },
        { ENC_CP1252, u"aé", SQL_NTS, false, 3, "a\xE9 2" },
    };
    for (const auto& c : cases)
    {
        orvik_wstring::InitializeAnsiEncoding(c.m_ansi);
        char buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), GUARD_BYTE);
        int32_t length = -7;
        bool truncated = false;
        CInterface::ConvertOutputString(c.m_text, c.m_length, Narrow(buffer), c.m_bufferLength, &length,
                                        c.m_lengthInBytes, truncated);
        std::string shown = buffer[0] == GUARD_BYTE ? "<nothing>" : std::string(buffer);
        const size_t end = buffer[0] == GUARD_BYTE ? 0 : std::strlen(buffer) + 1;
        if (!std::all_of(buffer + end, std::end(buffer), [](char in_byte) { return in_byte == GUARD_BYTE; }))
        {
            shown += "<written past the text>";
        }
        EXPECT_EQ(c.m_expected, shown + " " + std::to_string(length) + (truncated ? " cut" : ""))
            << Show(orvik_wstring(c.m_text)) << " into " << c.m_bufferLength;
    }
}

TEST_F(CInterfaceStringsTest, ANullOutputBufferTakesNothingAndReportsNothing)
{
    int32_t length = -7;
    bool truncated = false;
    CInterface::ConvertOutputString(u"abc", SQL_NTS, nullptr, 10, &length, false, truncated);
    EXPECT_EQ(-7, length);
    EXPECT_FALSE(truncated);
}

TEST_F(CInterfaceStringsTest, AnOwnedCopyHoldsExactlyTheTextAndReusesItsArray)
{
    SizedBuffer owned;
    EXPECT_EQ(3, CInterface::CopyToOwnedBuffer(u"abc", SQL_NTS, owned));
    ASSERT_EQ(6u, owned.GetSize());
    EXPECT_EQ(0, std::memcmp(u"abc", owned.GetBuffer(), 6));
    const uint8_t* const array = owned.GetBuffer();
    EXPECT_EQ(3, CInterface::CopyToOwnedBuffer(u"xyz and more", 3, owned));
    EXPECT_EQ(array, owned.GetBuffer());
    EXPECT_EQ(0, std::memcmp(u"xyz", owned.GetBuffer(), 6));
    // An empty text still gives an array, so the call receives a pointer as the application gave.
    EXPECT_EQ(0, CInterface::CopyToOwnedBuffer(u"", 0, owned));
    EXPECT_NE(nullptr, owned.GetBuffer());
    EXPECT_THROW(CInterface::CopyToOwnedBuffer(nullptr, 3, owned), InvalidArgumentException);
    EXPECT_THROW(CInterface::CopyToOwnedBuffer(u"abc", -5, owned), InvalidArgumentException);
}

/// A task's own buffer as its wide call left it: the text and a terminator.
SizedBuffer TaskBuffer(const std::u16string& in_text)
{
    SizedBuffer buffer;
    const size_t bytes = (in_text.size() + 1) * 2;
    buffer.Resize(bytes);
    std::memcpy(buffer.GetBuffer(), in_text.c_str(), bytes);
    return buffer;
}

TEST_F(CInterfaceStringsTest, ACollectedTextIsCutToTheCollectingBufferAtWholeCharacters)
{
    const struct
    {
        std::u16string m_source;
        int64_t m_textLength;
        int64_t m_targetLength;
        bool m_inBytes;
        std::string m_expected;
    } cases[] = {
        { u"abcdefghij", 10, 200, false, "abcdefghij" },
        { u"abcdefghij", 10, 11, false, "abcdefghij" },
        { u"abcdefghij", 10, 10, false, "abcdefghi cut" },
        { u"abcdefghij", 10, 0, false, "<nothing> cut" },
        { u"abcdefghij", 20, 7, true, "ab cut" },
        // The call reported a longer text than it could write: what it wrote is all there is.
        { u"abcdefghij", 25, 200, false, "abcdefghij" },
        { u"a\U0001F600b", 4, 3, false, "a cut" },
    };
    for (const auto& c : cases)
    {
        const SizedBuffer source = TaskBuffer(c.m_source);
        std::vector<char16_t> target(12, GUARD_UNIT);
        bool truncated = false;
        CInterface::CopyTruncated(source, c.m_textLength, target.data(), c.m_targetLength, c.m_inBytes, truncated);
        const auto end = std::find(target.begin(), target.end(), char16_t(0));
        const std::string text = end == target.end() ? "<nothing>" : ShowUnits(target, end - target.begin());
        EXPECT_EQ(c.m_expected, text + (truncated ? " cut" : "")) << c.m_targetLength;
    }
    bool truncated = false;
    CInterface::CopyTruncated(TaskBuffer(u"abc"), 3, nullptr, 10, false, truncated);
    EXPECT_TRUE(truncated);
}

} // namespace
