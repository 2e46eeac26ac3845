#include "ODBC/Settings/ConnectionStringParser.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/EncodingType.h"

#include <string>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char16_t* const INVALID_CONNECTION_STRING = u"InvalidConnStr";

bool IsWhitespace(char in_byte)
{
    return in_byte == ' ' || (in_byte >= '\t' && in_byte <= '\r');
}

orvik_wstring FromUtf8(const std::string& in_text, size_t in_start, size_t in_length)
{
    return orvik_wstring(in_text.data() + in_start, static_cast<int32_t>(in_length), ENC_UTF8);
}

/// Scans one connection string's bytes (UTF-8) from the start.
class Scanner
{
public:
    explicit Scanner(const orvik_wstring& in_text) : m_text(in_text.GetAsUTF8()) {}

    bool AtEnd() const { return m_position >= m_text.size(); }

    void SkipWhitespace()
    {
        while (!AtEnd() && IsWhitespace(m_text[m_position]))
        {
            ++m_position;
        }
    }

    /// Whitespace and separators between two pairs.
    void SkipSeparators()
    {
        while (!AtEnd() && (IsWhitespace(m_text[m_position]) || m_text[m_position] == ';'))
        {
            ++m_position;
        }
    }

    /// The key up to the next "=", trimmed and upper-cased; the "=" is passed.
    orvik_wstring ReadKey()
    {
        const size_t equals = m_text.find('=', m_position);
        if (equals == std::string::npos)
        {
            throw ODBCInternalException(INVALID_CONNECTION_STRING);
        }
        // Trimmed of the same whitespace that separates pairs, so that a key never begins with
        // what a reading would skip.
        size_t start = m_position;
        size_t end = equals;
        while (start < end && IsWhitespace(m_text[start]))
        {
            ++start;
        }
        while (end > start && IsWhitespace(m_text[end - 1]))
        {
            --end;
        }
        orvik_wstring key = FromUtf8(m_text, start, end - start);
        if (key.GetLength() == 0)
        {
            throw ODBCInternalException(INVALID_CONNECTION_STRING);
        }
        key.ToUpperIdentifier();
        m_position = equals + 1;
        return key;
    }

    /// The value: out_written as it stands in the string, the returned text as meant.
    orvik_wstring ReadValue(orvik_wstring& out_written)
    {
        const size_t start = m_position;
        if (!AtEnd() && m_text[m_position] == '{')
        {
            std::string value = ReadBracedValue();
            out_written = FromUtf8(m_text, start, m_position - start);
            return FromUtf8(value, 0, value.size());
        }
        const size_t end = m_text.find(';', m_position);
        m_position = end == std::string::npos ? m_text.size() : end;
        out_written = FromUtf8(m_text, start, m_position - start);
        return out_written;
    }

private:
    std::string ReadBracedValue()
    {
        std::string value;
        for (size_t i = m_position + 1; i < m_text.size(); ++i)
        {
            if (m_text[i] != '}')
            {
                value += m_text[i];
            }
            else if (i + 1 < m_text.size() && m_text[i + 1] == '}')
            {
                value += '}';
                ++i;
            }
            else
            {
                m_position = i + 1;
                return value;
            }
        }
        throw ODBCInternalException(INVALID_CONNECTION_STRING);
    }

    std::string m_text;
    size_t m_position = 0;
};

} // namespace

bool ConnectionStringParser::Parse(const orvik_wstring& in_text, VariantMap& io_settings, VariantMap& io_outputForms)
{
    if (in_text.IsNull())
    {
        throw ODBCInternalException(INVALID_CONNECTION_STRING);
    }
    bool isDriverMode = false;
    bool isDecided = false;
    Scanner scanner(in_text);
    for (scanner.SkipSeparators(); !scanner.AtEnd(); scanner.SkipSeparators())
    {
        const orvik_wstring key = scanner.ReadKey();
        if (!isDecided && (key == orvik_wstring(u"DRIVER") || key == orvik_wstring(u"DSN")))
        {
            isDriverMode = key == orvik_wstring(u"DRIVER");
            isDecided = true;
        }
        scanner.SkipWhitespace();
        orvik_wstring written;
        orvik_wstring value = scanner.ReadValue(written);
        if (io_settings.find(key) == io_settings.end())
        {
            io_settings.emplace(key, Variant(std::move(value)));
            io_outputForms.emplace(key, Variant(std::move(written)));
        }
    }
    return isDriverMode;
}

orvik_wstring ConnectionStringParser::EscapeValue(const orvik_wstring& in_value)
{
    static const std::u16string SPECIAL = u"!()*,;=?[]{}@";
    std::u16string escaped;
    // Whitespace before an unbraced value is skipped when the string is read again.
    const std::string utf8 = in_value.GetAsUTF8();
    bool needsBraces = !utf8.empty() && IsWhitespace(utf8[0]);
    for (const char16_t unit : in_value.GetAsWString())
    {
        needsBraces = needsBraces || SPECIAL.find(unit) != std::u16string::npos;
        escaped += unit;
        if (unit == u'}')
        {
            escaped += u'}';
        }
    }
    return needsBraces ? orvik_wstring(u"{" + escaped + u"}") : orvik_wstring(escaped);
}

} // namespace ODBC
} // namespace Orvik
