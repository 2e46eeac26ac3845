#pragma once

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"

#include "Unit/DSI/DSITestSupport.h"
#include "Unit/ODBC/FakeMessageSource.h"
#include "Unit/Support/StringTestSupport.h"

#include <sqlext.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// An application buffer of one C type and its C-data wrapper, as SQLBindCol or SQLGetData
/// describe it: the buffer length is the metadata's octet length. A fixed-size type's buffer
/// holds its structure whatever the length says.
class AppBuffer
{
public:
    AppBuffer(int16_t in_cType, int64_t in_length, char in_fill = '#')
        : m_wrapper(Support::SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(in_cType)),
          m_bytes(std::max<size_t>(static_cast<size_t>(in_length), m_wrapper.GetMetadata().GetFixedSize()) + GUARD,
                  in_fill)
    {
        m_wrapper.GetMetadata().SetOctetLength(static_cast<uint64_t>(in_length));
        m_wrapper.SetData(m_bytes.data());
    }

    ODBC::CDataWrapper& Wrapper() { return m_wrapper; }
    char* Data() { return m_bytes.data(); }

    /// The bytes before the first zero byte.
    std::string Text() const { return std::string(m_bytes.data()); }

    /// The UTF-16 text before the first zero code unit, as UTF-8.
    std::string WideText() const
    {
        return Support::orvik_wstring(reinterpret_cast<const char16_t*>(m_bytes.data())).GetAsUTF8();
    }

    /// The byte just past the buffer, which nothing may write.
    char Guard(int64_t in_length) const { return m_bytes[static_cast<size_t>(in_length)]; }

private:
    static constexpr size_t GUARD = 8;

    ODBC::CDataWrapper m_wrapper;
    std::vector<char> m_bytes;
};

/// Every record of io_diagnostics as "SQLSTATE@row,column", in reading order.
inline std::vector<std::string> DiagRecords(ODBC::DiagManager& io_diagnostics)
{
    std::vector<std::string> records;
    for (SQLSMALLINT number = 1; number <= io_diagnostics.GetRecordCount(); ++number)
    {
        SQLWCHAR sqlState[6] = {};
        io_diagnostics.SQLGetDiagRec(number, sqlState, nullptr, nullptr, 0, nullptr);
        SQLLEN row = 0;
        SQLINTEGER column = 0;
        io_diagnostics.SQLGetDiagField(number, SQL_DIAG_ROW_NUMBER, &row, 0, nullptr);
        io_diagnostics.SQLGetDiagField(number, SQL_DIAG_COLUMN_NUMBER, &column, 0, nullptr);
        records.push_back(Support::orvik_wstring(reinterpret_cast<char16_t*>(sqlState)).GetAsUTF8() + "@" +
                          std::to_string(row) + "," + std::to_string(column));
    }
    return records;
}

/// Diagnostics of a statement in the tests of result columns, with the process-wide encodings
/// of the driver under unixODBC: UTF-8 data and ANSI text, UTF-16LE wide buffers.
class DiagnosticsTest : public Support::EncodingsRestored
{
protected:
    ~DiagnosticsTest() override { Platform::UninitializePlatform(); }

    std::vector<std::string> Records() { return DiagRecords(m_diagnostics); }

    /// The message text of record in_number.
    std::string Message(SQLSMALLINT in_number)
    {
        SQLWCHAR text[256] = {};
        m_diagnostics.SQLGetDiagRec(in_number, nullptr, nullptr, text, 256, nullptr);
        return Support::orvik_wstring(reinterpret_cast<char16_t*>(text)).GetAsUTF8();
    }

private:
    static Platform* StartPlatform()
    {
        Support::orvik_wstring::InitializeAnsiEncoding(Support::ENC_UTF8);
        Support::orvik_wstring::SetDriverManagerEncoding(Support::ENC_UTF16_LE);
        Support::orvik_wstring::SetDatabaseCharEncoding(Support::ENC_UTF8);
        Support::orvik_wstring::SetDatabaseWCharEncoding(Support::ENC_UTF8);
        return Platform::InitializePlatform(false);
    }

    Platform* m_platform = StartPlatform();

protected:
    FakeMessageSource m_messages;
    ODBC::DiagManager m_diagnostics{&m_messages, u"server", u"connection"};
};

} // namespace Testing
} // namespace Orvik
