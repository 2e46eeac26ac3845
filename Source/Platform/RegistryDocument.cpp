#include "Platform/RegistryDocument.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace Orvik {
namespace OS {

namespace {

// Written at the top of a file this layer creates; readers skip everything before the first
// section, so the line only tells a person what the file is.
const char* const FILE_HEADER = "Windows Registry Editor Version 5.00";
const char* const UTF8_BOM = "\xEF\xBB\xBF";

struct Entry
{
    enum class Kind { Section, Value, Other };

    Kind m_kind = Kind::Other;
    std::string m_path;            // of a section
    bool m_typed = false;          // a value of a type this layer reads
    RegistryValue m_value{};       // its name is set for every value line, typed or not
};

bool IsBlank(char in_char)
{
    return in_char == ' ' || in_char == '\t' || in_char == '\r';
}

std::string Trim(const std::string& in_text)
{
    size_t first = 0;
    size_t last = in_text.size();
    while (first < last && IsBlank(in_text[first]))
    {
        ++first;
    }
    while (last > first && IsBlank(in_text[last - 1]))
    {
        --last;
    }
    return in_text.substr(first, last - first);
}

bool HasLineBreak(const std::string& in_text)
{
    return in_text.find_first_of("\r\n") != std::string::npos;
}

bool EqualsIgnoringCase(const std::string& in_left, const std::string& in_right)
{
    return icu::UnicodeString::fromUTF8(in_left).caseCompare(
               icu::UnicodeString::fromUTF8(in_right), U_FOLD_CASE_DEFAULT) == 0;
}

std::string Quote(const std::string& in_text)
{
    std::string quoted = "\"";
    for (char c : in_text)
    {
        if (c == '\\' || c == '"')
        {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

// Reads a quoted text starting at the quote at io_pos; io_pos ends after the closing quote.
bool ReadQuoted(const std::string& in_line, size_t& io_pos, std::string& out_text)
{
    out_text.clear();
    for (size_t i = io_pos + 1; i < in_line.size(); ++i)
    {
        if (in_line[i] == '"')
        {
            io_pos = i + 1;
            return true;
        }
        if (in_line[i] == '\\' && i + 1 < in_line.size())
        {
            ++i;
        }
        out_text += in_line[i];
    }
    return false;
}

bool ReadHex(const std::string& in_digits, size_t in_maxDigits, uint64_t& out_number)
{
    if (in_digits.empty() || in_digits.size() > in_maxDigits)
    {
        return false;
    }
    out_number = 0;
    for (char c : in_digits)
    {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return false;
        out_number = out_number * 16 + static_cast<uint64_t>(digit);
    }
    return true;
}

bool StartsWithIgnoringCase(const std::string& in_text, const std::string& in_prefix)
{
    if (in_text.size() < in_prefix.size())
    {
        return false;
    }
    for (size_t i = 0; i < in_prefix.size(); ++i)
    {
        char c = in_text[i];
        if (c >= 'A' && c <= 'Z')
        {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != in_prefix[i])
        {
            return false;
        }
    }
    return true;
}

// Reads the data after "=": a quoted text, dword: or qword:. Anything else is a value of a type
// this layer does not read.
bool ReadData(const std::string& in_data, RegistryValue& io_value)
{
    struct NumberForm { const char* m_prefix; size_t m_digits; RegistryValue::Type m_type; };
    static const NumberForm NUMBER_FORMS[] = {
        { "dword:", 8, RegistryValue::Type::DWord },
        { "qword:", 16, RegistryValue::Type::QWord },
    };
    if (!in_data.empty() && in_data[0] == '"')
    {
        size_t end = 0;
        io_value.m_type = RegistryValue::Type::Text;
        return ReadQuoted(in_data, end, io_value.m_text) && end == in_data.size();
    }
    for (const NumberForm& form : NUMBER_FORMS)
    {
        std::string prefix = form.m_prefix;
        if (StartsWithIgnoringCase(in_data, prefix))
        {
            io_value.m_type = form.m_type;
            return ReadHex(in_data.substr(prefix.size()), form.m_digits, io_value.m_number);
        }
    }
    return false;
}

Entry Parse(const std::string& in_line)
{
    Entry entry;
    const std::string line = Trim(in_line);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
    {
        entry.m_kind = Entry::Kind::Section;
        entry.m_path = line.substr(1, line.size() - 2);
        return entry;
    }
    size_t pos = 0;
    if (line.empty() || line[0] != '"' || !ReadQuoted(line, pos, entry.m_value.m_name))
    {
        return entry;
    }
    while (pos < line.size() && IsBlank(line[pos]))
    {
        ++pos;
    }
    if (pos >= line.size() || line[pos] != '=')
    {
        return entry;
    }
    entry.m_kind = Entry::Kind::Value;
    entry.m_typed = ReadData(Trim(line.substr(pos + 1)), entry.m_value);
    return entry;
}

bool StartsValue(const std::string& in_line)
{
    const std::string line = Trim(in_line);
    return !line.empty() && (line[0] == '"' || line[0] == '@');
}

bool EndsInBackslash(const std::string& in_line)
{
    const std::string line = Trim(in_line);
    return !line.empty() && line.back() == '\\';
}

// A value whose last line ends in a backslash (the hex form of other types) goes on in the next
// line, however many lines it already spans.
bool ContinuesOnNextLine(const std::string& in_logicalLine)
{
    const size_t lastBreak = in_logicalLine.rfind('\n');
    const std::string lastLine =
        lastBreak == std::string::npos ? in_logicalLine : in_logicalLine.substr(lastBreak + 1);
    return StartsValue(in_logicalLine) && EndsInBackslash(lastLine);
}

} // namespace

RegistryDocument::RegistryDocument(const std::string& in_text)
{
    size_t start = in_text.compare(0, 3, UTF8_BOM) == 0 ? 3 : 0;
    bool continuing = false;
    while (start < in_text.size())
    {
        size_t end = in_text.find('\n', start);
        if (end == std::string::npos)
        {
            end = in_text.size();
        }
        std::string line = in_text.substr(start, end - start);
        if (continuing)
        {
            m_lines.back() += '\n' + line;
        }
        else
        {
            m_lines.push_back(line);
        }
        continuing = ContinuesOnNextLine(m_lines.back());
        start = end + 1;
    }
}

bool RegistryDocument::HasKey(const std::string& in_keyPath) const
{
    for (const std::string& line : m_lines)
    {
        Entry entry = Parse(line);
        if (entry.m_kind == Entry::Kind::Section && EqualsIgnoringCase(entry.m_path, in_keyPath))
        {
            return true;
        }
    }
    return false;
}

std::vector<RegistryValue> RegistryDocument::GetValues(const std::string& in_keyPath) const
{
    std::vector<RegistryValue> values;
    bool inKey = false;
    for (const std::string& line : m_lines)
    {
        Entry entry = Parse(line);
        if (entry.m_kind == Entry::Kind::Section)
        {
            inKey = EqualsIgnoringCase(entry.m_path, in_keyPath);
        }
        else if (inKey && entry.m_typed)
        {
            values.push_back(entry.m_value);
        }
    }
    return values;
}

bool RegistryDocument::SetText(
    const std::string& in_keyPath, const std::string& in_name, const std::string& in_text)
{
    if (HasLineBreak(in_keyPath) || HasLineBreak(in_name) || HasLineBreak(in_text))
    {
        return false;
    }
    const size_t none = m_lines.size();
    size_t lastOfKey = none;
    size_t match = none;
    std::string matchName;
    bool inKey = false;
    for (size_t i = 0; i < m_lines.size(); ++i)
    {
        Entry entry = Parse(m_lines[i]);
        if (entry.m_kind == Entry::Kind::Section)
        {
            inKey = EqualsIgnoringCase(entry.m_path, in_keyPath);
        }
        else if (!inKey || Trim(m_lines[i]).empty())
        {
            continue;
        }
        else if (entry.m_kind == Entry::Kind::Value && EqualsIgnoringCase(entry.m_value.m_name, in_name))
        {
            match = i;
            matchName = entry.m_value.m_name;
        }
        // A value still waiting for its next line would take a line written after it.
        if (inKey && !ContinuesOnNextLine(m_lines[i]))
        {
            lastOfKey = i;
        }
    }
    if (match != none)
    {
        m_lines[match] = Quote(matchName) + "=" + Quote(in_text);
    }
    else if (lastOfKey != none)
    {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastOfKey) + 1,
                       Quote(in_name) + "=" + Quote(in_text));
    }
    else
    {
        if (m_lines.empty())
        {
            m_lines.push_back(FILE_HEADER);
        }
        if (!Trim(m_lines.back()).empty())
        {
            m_lines.emplace_back();
        }
        m_lines.push_back("[" + in_keyPath + "]");
        m_lines.push_back(Quote(in_name) + "=" + Quote(in_text));
    }
    return true;
}

std::string RegistryDocument::ToText() const
{
    std::string text;
    for (const std::string& line : m_lines)
    {
        text += line;
        text += '\n';
    }
    return text;
}

} // namespace OS
} // namespace Orvik
