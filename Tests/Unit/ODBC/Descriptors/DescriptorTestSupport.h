#pragma once

// Test helpers for the descriptors: a running platform with a UTF-16 driver manager encoding,
// the four kinds of descriptor over a fake message source, columns for the row descriptor, and
// the outcome of an ODBC call as one comparable line.

#include "DSI/Client/DSIColumn.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Descriptors/ExplicitAppDescriptor.h"
#include "ODBC/Descriptors/IRowDescriptorOwner.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "Support/CriticalSection.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "Unit/ODBC/FakeMessageSource.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <string>

namespace Orvik {
namespace Testing {

/// The statement behind a row descriptor.
class FakeRowDescriptorOwner : public ODBC::IRowDescriptorOwner
{
public:
    Support::CriticalSection& GetStatementLock() override { return m_lock; }
    bool IsUsingBookmarks() override { return m_isUsingBookmarks; }

    Support::CriticalSection m_lock;
    bool m_isUsingBookmarks = false;
};

/// One result column: its SQL type (with the type's defaults, then in_adjust's changes), its
/// length and its attributes.
struct ColumnSpec
{
    int16_t m_sqlType;
    uint32_t m_length;
    void (*m_adjust)(Support::SqlTypeMetadata&) = nullptr;
    bool m_isUnsigned = false;
};

inline DSI::DSIColumn* MakeColumn(const ColumnSpec& in_spec, const char16_t* in_name = u"C")
{
    std::unique_ptr<Support::SqlTypeMetadata> metadata =
        Support::SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(in_spec.m_sqlType, in_spec.m_isUnsigned, 0);
    if (in_spec.m_adjust != nullptr)
    {
        in_spec.m_adjust(*metadata);
    }
    auto attributes = std::make_unique<DSI::DSIColumnMetadata>();
    attributes->m_columnLength = in_spec.m_length;
    attributes->m_name = in_name;
    attributes->m_isUnnamed = false;
    attributes->m_nullable = SQL_NO_NULLS;
    return new DSI::DSIColumn(std::move(metadata), std::move(attributes));
}

/// A running platform, UTF-16 as the driver manager's encoding, and the descriptors of one
/// statement: an ARD (with a bookmark record), an APD (without), an IPD and an IRD.
class DescriptorTest : public Support::EncodingsRestored
{
protected:
    ~DescriptorTest() override { Platform::UninitializePlatform(); }

    /// The descriptor of a kind by name: "ARD", "APD", "IPD", "IRD" or "EXPLICIT".
    ODBC::Descriptor& Get(const std::string& in_name)
    {
        if (in_name == "ARD")
        {
            return m_ard;
        }
        if (in_name == "APD")
        {
            return m_apd;
        }
        if (in_name == "IPD")
        {
            return m_ipd;
        }
        return in_name == "IRD" ? static_cast<ODBC::Descriptor&>(m_ird) : m_explicit;
    }

    /// The outcome of a call on io_descriptor: "OK", "NO_DATA", or the return code's name with the
    /// SQLSTATE and message key of the first record ("ERROR HY091 ReadOnlyDescField").
    static std::string Outcome(ODBC::Descriptor& io_descriptor, SQLRETURN in_result)
    {
        if (in_result == SQL_SUCCESS)
        {
            return "OK";
        }
        if (in_result == SQL_NO_DATA)
        {
            return io_descriptor.GetDiagManager().GetRecordCount() == 0 ? "NO_DATA" : "NO_DATA with records";
        }
        SQLWCHAR state[6] = {};
        SQLWCHAR message[256] = {};
        SQLINTEGER native = 0;
        SQLSMALLINT length = 0;
        if (io_descriptor.GetDiagManager().SQLGetDiagRec(1, state, &native, message, 256, &length) != SQL_SUCCESS)
        {
            return "no record";
        }
        // The fake message source's text is "<locale>[<component>:<key>]" and its parameters.
        const std::string text = Narrow(message);
        const size_t colon = text.find(':');
        const std::string key = text.substr(colon + 1, text.find(']') - colon - 1);
        return std::string(in_result == SQL_ERROR ? "ERROR " : "INFO ") + Narrow(state) + " " + key;
    }

    static std::string Narrow(const SQLWCHAR* in_text)
    {
        std::string text;
        for (; *in_text != 0; ++in_text)
        {
            text += static_cast<char>(*in_text);
        }
        return text;
    }

    /// SQLSetDescField with an integer value.
    static SQLRETURN SetInteger(ODBC::Descriptor& io_descriptor, SQLSMALLINT in_record, SQLSMALLINT in_field, SQLLEN in_value)
    {
        return io_descriptor.SQLSetDescFieldW(in_record, in_field, reinterpret_cast<SQLPOINTER>(in_value), 0);
    }

    /// SQLGetDescField of an integer field, widened; the return code in out_result.
    static int64_t GetInteger(ODBC::Descriptor& io_descriptor,
                              SQLSMALLINT in_record,
                              SQLSMALLINT in_field,
                              SQLRETURN* out_result = nullptr)
    {
        const ODBC::DescriptorValueType type = ODBC::DescriptorFields::GetValueType(in_field);
        int64_t value = 0;
        const SQLRETURN result = io_descriptor.SQLGetDescFieldW(in_record, in_field, &value, sizeof(value), nullptr);
        if (out_result != nullptr)
        {
            *out_result = result;
        }
        if (type == ODBC::DescriptorValueType::INT16)
        {
            return static_cast<int16_t>(value);
        }
        return type == ODBC::DescriptorValueType::INT32 ? static_cast<int32_t>(value) : value;
    }

    /// SQLGetDescField of a text field.
    static std::string GetText(ODBC::Descriptor& io_descriptor, SQLSMALLINT in_record, SQLSMALLINT in_field)
    {
        SQLWCHAR text[64] = {};
        io_descriptor.SQLGetDescFieldW(in_record, in_field, text, sizeof(text), nullptr);
        return Narrow(text);
    }

    /// Attaches columns to the IRD; the list lives as long as the test.
    void AttachColumns(std::initializer_list<ColumnSpec> in_columns)
    {
        m_columns = std::make_unique<DSI::DSIResultSetColumns>(true);
        for (const ColumnSpec& column : in_columns)
        {
            m_columns->AddColumn(MakeColumn(column));
        }
        m_ird.SetColumns(m_columns.get());
    }

private:
    static Platform* StartPlatform()
    {
        Support::orvik_wstring::SetDriverManagerEncoding(Support::ENC_UTF16_LE);
        return Platform::InitializePlatform(false);
    }

    Platform* m_platform = StartPlatform();

protected:
    FakeMessageSource m_messages;
    FakeRowDescriptorOwner m_statement;
    ODBC::AppDescriptor m_ard{11, true, nullptr, &m_messages, nullptr};
    ODBC::AppDescriptor m_apd{12, false, nullptr, &m_messages, nullptr};
    ODBC::ImplParamDescriptor m_ipd{13, nullptr, &m_messages, nullptr};
    ODBC::ImplRowDescriptor m_ird{14, m_statement, nullptr, &m_messages, nullptr};
    ODBC::ExplicitAppDescriptor m_explicit{15, nullptr, &m_messages, nullptr};
    std::unique_ptr<DSI::DSIResultSetColumns> m_columns;
};

} // namespace Testing
} // namespace Orvik
