#include "ODBC/Dispatch/CInterface.h"

#include "ODBC/Attributes/ConnectionAttrTypes.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Attributes/StatementAttrTypes.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"
#include "Support/SizedBuffer.h"
#include "Support/SqlState.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

constexpr int64_t LARGEST_SMALLINT = std::numeric_limits<SQLSMALLINT>::max();

IDriverManagerStringConverter& GetConverter()
{
    Platform* platform = Platform::GetPlatform();
    if (platform == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return platform->GetEncodingConverter();
}

uint8_t GetUnitSize()
{
    return EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
}

[[noreturn]] void RaiseInvalidLength()
{
    throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
}

[[noreturn]] void RaiseConversionError()
{
    throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InputStringToUnicodeConvErr", -1, -1);
}

bool CopiesOutputs(SQLRETURN in_result, bool in_withNeedData)
{
    return in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO || (in_withNeedData && in_result == SQL_NEED_DATA);
}

/// An ANSI input string converted into the driver manager's encoding, terminated, for the
/// duration of one call. A null text stays null with the application's length.
class WideInput
{
public:
    /// in_inBytes: the wide length counts bytes (attribute values), else code units.
    WideInput(const void* in_text, SQLINTEGER in_length, bool in_inBytes = false) : m_length(in_length)
    {
        if (in_text == nullptr)
        {
            return;
        }
        if (in_length < 0 && in_length != SQL_NTS)
        {
            RaiseInvalidLength();
        }
        const char* const text = static_cast<const char*>(in_text);
        const int64_t size = GetConverter().GetNtsLength(text, in_length, in_inBytes, true);
        m_buffer.Resize(static_cast<uint64_t>(in_inBytes ? size : size * GetUnitSize()));
        bool truncated = false;
        m_length = CInterface::ConvertInputString(reinterpret_cast<const SQLCHAR*>(text), in_length,
                                                  m_buffer.GetBuffer(), size, in_inBytes, truncated);
        if (truncated)
        {
            RaiseConversionError();
        }
        m_isConverted = true;
    }

    SQLWCHAR* GetText() { return m_isConverted ? reinterpret_cast<SQLWCHAR*>(m_buffer.GetBuffer()) : nullptr; }

    /// The converted length, or SQL_NTS for a text too long for a 16-bit length (it is
    /// terminated); the application's length for a null text.
    SQLSMALLINT GetShortLength() const
    {
        return m_isConverted && m_length > LARGEST_SMALLINT ? SQL_NTS : static_cast<SQLSMALLINT>(m_length);
    }

    SQLINTEGER GetLength() const { return m_length; }

private:
    SizedBuffer m_buffer;
    SQLINTEGER m_length;
    bool m_isConverted = false;
};

/// A buffer in the driver manager's encoding into which a wide call writes what the
/// application wants in its ANSI buffer; it holds as many characters as that buffer holds bytes,
/// but never more than a 16-bit length can offer.
class WideOutput
{
public:
    /// in_inBytes: the wide length counts bytes (SQLColAttribute), else code units.
    WideOutput(SQLPOINTER in_applicationBuffer, SQLSMALLINT in_applicationLength, bool in_inBytes)
        : m_length(in_applicationLength)
    {
        if (in_applicationBuffer == nullptr)
        {
            return;
        }
        if (in_applicationLength < 0)
        {
            RaiseInvalidLength();
        }
        const Support::EncodingType encoding = orvik_wstring::GetDriverManagerEncoding();
        const int64_t unitSize = GetUnitSize();
        const int64_t perCharacter = EncodingInfo::GetMaxCodeUnitsPerChar(encoding) * (in_inBytes ? unitSize : 1);
        // Counted in 64 bits: a large buffer gives the most a 16-bit length offers in whole code
        // units, never a wrapped length.
        int64_t length = std::min(int64_t{in_applicationLength} * perCharacter, LARGEST_SMALLINT);
        if (in_inBytes)
        {
            length -= length % unitSize;
        }
        const int64_t bytes = in_inBytes ? length : length * unitSize;
        m_buffer.Resize(static_cast<uint64_t>(bytes));
        // Whatever the call leaves unwritten reads as an empty text.
        std::memset(m_buffer.GetBuffer(), 0, static_cast<size_t>(bytes));
        m_length = static_cast<SQLSMALLINT>(length);
    }

    SQLPOINTER GetBuffer() { return m_buffer.GetSize() == 0 ? nullptr : m_buffer.GetBuffer(); }
    SQLSMALLINT GetLength() const { return m_length; }

    /// Converts the text the call wrote into the application's buffer: cut at a whole character,
    /// the larger of the call's length and the ANSI length in bytes in io_length, and a cut text
    /// posted as 01004 on io_diagnostics (SQL_SUCCESS becoming SQL_SUCCESS_WITH_INFO).
    SQLRETURN Deliver(SQLRETURN in_result,
                      SQLPOINTER out_buffer,
                      SQLSMALLINT in_bufferLength,
                      SQLSMALLINT* io_length,
                      DiagManager& io_diagnostics)
    {
        if (out_buffer == nullptr)
        {
            return in_result;
        }
        int32_t ansiLength = 0;
        bool truncated = false;
        CInterface::ConvertOutputString(m_buffer.GetBuffer(), MeasureText(), static_cast<SQLCHAR*>(out_buffer),
                                        in_bufferLength, &ansiLength, true, truncated);
        if (io_length != nullptr)
        {
            *io_length = static_cast<SQLSMALLINT>(std::max<int64_t>(*io_length, std::min<int64_t>(ansiLength, LARGEST_SMALLINT)));
        }
        if (!truncated)
        {
            return in_result;
        }
        // A text the wide call already cut is one truncation, reported once.
        if (!io_diagnostics.HasRecordWithState(SqlState("01004")))
        {
            io_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn",
                                       -1, -1);
        }
        return in_result == SQL_SUCCESS ? SQL_SUCCESS_WITH_INFO : in_result;
    }

private:
    /// The bytes before the first zero code unit, within the buffer.
    SQLINTEGER MeasureText() const
    {
        const uint8_t unitSize = GetUnitSize();
        const uint8_t* const text = m_buffer.GetBuffer();
        const uint64_t size = m_buffer.GetSize() - m_buffer.GetSize() % unitSize;
        uint64_t bytes = 0;
        while (bytes < size && !std::all_of(text + bytes, text + bytes + unitSize, [](uint8_t in_byte) { return in_byte == 0; }))
        {
            bytes += unitSize;
        }
        return static_cast<SQLINTEGER>(bytes);
    }

    SizedBuffer m_buffer;
    SQLSMALLINT m_length;
};

/// The value type of a connection attribute: from the tables of connection attributes and of the
/// statement attributes a connection keeps for its statements, else of the data-store
/// connection's custom property; "InvalidAttrIdent" with the number for any other.
AttributeType GetValueType(Connection& io_connection, SQLINTEGER in_attribute)
{
    if (ConnectionAttrTypes::Contains(in_attribute))
    {
        return ConnectionAttrTypes::GetType(in_attribute);
    }
    if (StatementAttrTypes::Contains(in_attribute))
    {
        return StatementAttrTypes::GetType(in_attribute);
    }
    return io_connection.GetAttributes().GetCustomAttributeType(in_attribute);
}

} // namespace

SQLRETURN CInterface::CallSQLBrowseConnect(Connection& io_connection, const SQLBrowseConnectArgs& in_args)
{
    WideInput input(in_args.InConnectionString, in_args.StringLength1);
    WideOutput output(in_args.OutConnectionString, in_args.BufferLength, false);
    SQLRETURN result = io_connection.SQLBrowseConnectW(input.GetText(), input.GetShortLength(),
                                                       static_cast<SQLWCHAR*>(output.GetBuffer()), output.GetLength(),
                                                       in_args.StringLength2Ptr);
    if (CopiesOutputs(result, true))
    {
        result = output.Deliver(result, in_args.OutConnectionString, in_args.BufferLength, in_args.StringLength2Ptr,
                                io_connection.GetDiagManager());
    }
    return result;
}

SQLRETURN CInterface::CallSQLConnect(Connection& io_connection, const SQLConnectArgs& in_args)
{
    WideInput serverName(in_args.ServerName, in_args.NameLength1);
    WideInput userName(in_args.UserName, in_args.NameLength2);
    WideInput authentication(in_args.Authentication, in_args.NameLength3);
    return io_connection.SQLConnectW(serverName.GetText(), serverName.GetShortLength(), userName.GetText(),
                                     userName.GetShortLength(), authentication.GetText(),
                                     authentication.GetShortLength());
}

SQLRETURN CInterface::CallSQLDriverConnect(Connection& io_connection, const SQLDriverConnectArgs& in_args)
{
    WideInput input(in_args.InConnectionString, in_args.StringLength1);
    WideOutput output(in_args.OutConnectionString, in_args.BufferLength, false);
    SQLRETURN result = io_connection.SQLDriverConnectW(in_args.WindowHandle, input.GetText(), input.GetShortLength(),
                                                       static_cast<SQLWCHAR*>(output.GetBuffer()), output.GetLength(),
                                                       in_args.StringLength2Ptr, in_args.DriverCompletion);
    if (CopiesOutputs(result, false))
    {
        result = output.Deliver(result, in_args.OutConnectionString, in_args.BufferLength, in_args.StringLength2Ptr,
                                io_connection.GetDiagManager());
    }
    return result;
}

SQLRETURN CInterface::CallSQLSetConnectAttr(Connection& io_connection, const SQLSetConnectAttrArgs& in_args)
{
    if (GetValueType(io_connection, in_args.Attribute) != ATTR_WSTRING || in_args.ValuePtr == nullptr)
    {
        return io_connection.SQLSetConnectAttr(in_args.Attribute, in_args.ValuePtr, in_args.StringLength);
    }
    WideInput value(in_args.ValuePtr, in_args.StringLength, true);
    return io_connection.SQLSetConnectAttr(in_args.Attribute, value.GetText(), value.GetLength());
}

SQLRETURN CInterface::CallSQLColAttribute(Statement& io_statement, const SQLColAttributeArgs& in_args)
{
    if (!Descriptor::IsStringField(static_cast<int16_t>(in_args.FieldIdentifier)))
    {
        return io_statement.SQLColAttributeW(in_args.ColumnNumber, in_args.FieldIdentifier,
                                             in_args.CharacterAttributePtr, in_args.BufferLength,
                                             in_args.StringLengthPtr, in_args.NumericAttributePtr);
    }
    WideOutput output(in_args.CharacterAttributePtr, in_args.BufferLength, true);
    SQLRETURN result = io_statement.SQLColAttributeW(in_args.ColumnNumber, in_args.FieldIdentifier, output.GetBuffer(),
                                                     output.GetLength(), in_args.StringLengthPtr,
                                                     in_args.NumericAttributePtr);
    if (!CopiesOutputs(result, false))
    {
        return result;
    }
    // The wide call counts bytes; the application is told characters.
    if (in_args.StringLengthPtr != nullptr)
    {
        *in_args.StringLengthPtr = static_cast<SQLSMALLINT>(*in_args.StringLengthPtr / GetUnitSize());
    }
    return output.Deliver(result, in_args.CharacterAttributePtr, in_args.BufferLength, in_args.StringLengthPtr,
                          io_statement.GetDiagManager());
}

SQLRETURN CInterface::CallSQLDescribeCol(Statement& io_statement, const SQLDescribeColArgs& in_args)
{
    WideOutput output(in_args.ColumnName, in_args.BufferLength, false);
    SQLRETURN result = io_statement.SQLDescribeColW(in_args.ColumnNumber, static_cast<SQLWCHAR*>(output.GetBuffer()),
                                                    output.GetLength(), in_args.NameLengthPtr, in_args.DataTypePtr,
                                                    in_args.ColumnSizePtr, in_args.DecimalDigitsPtr,
                                                    in_args.NullablePtr);
    if (CopiesOutputs(result, false))
    {
        result = output.Deliver(result, in_args.ColumnName, in_args.BufferLength, in_args.NameLengthPtr,
                                io_statement.GetDiagManager());
    }
    return result;
}

SQLRETURN CInterface::CallSQLExecDirect(Statement& io_statement, const SQLExecDirectArgs& in_args)
{
    WideInput text(in_args.StatementText, in_args.TextLength);
    return io_statement.GetConnection().SQLExecDirectW(io_statement, text.GetText(), text.GetLength());
}

SQLRETURN CInterface::CallSQLPrepare(Statement& io_statement, const SQLPrepareArgs& in_args)
{
    WideInput text(in_args.StatementText, in_args.TextLength);
    return io_statement.SQLPrepareW(text.GetText(), text.GetLength());
}

} // namespace ODBC
} // namespace Orvik
