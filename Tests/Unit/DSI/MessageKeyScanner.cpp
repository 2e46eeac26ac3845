#include "MessageKeyScanner.h"

#include "Common/TemporaryDirectory.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>

namespace Orvik {
namespace Testing {

namespace {

struct Raiser
{
    const char* m_name;
    int32_t m_componentId; ///< ANY_COMPONENT: from an argument, else any
};

// The calls that raise or carry a message key, besides every name ending in "Exception".
constexpr Raiser RAISERS[] = {
    { "DSIException", 2 },
    { "BadColumnException", 2 },
    { "ProductException", 3 },
    { "StartupInitException", 3 },
    { "NumberConversionException", 3 },
    { "NumberConversionInvalidDataException", 3 },
    { "NumberConversionOutOfRangeException", 3 },
    { "RaiseTextError", 3 },
    { "TypedDataResult", 3 },
    { "ConversionResult", ANY_COMPONENT },
    { "PeltaError", 117 },
    { "PeltaStateError", 117 },
    { "ODBCInternalException", 1 },
    { "NoDataException", 1 },
    { "InvalidSQLTypeException", 1 },
    { "InvalidCTypeException", 1 },
    { "DataWarningOrError", 1 },
    { "PostError", ANY_COMPONENT },
    { "PostWarning", ANY_COMPONENT },
};

enum class Kind
{
    NAME,
    STRING,
    NUMBER,
    PUNCTUATION
};

struct Token
{
    Kind m_kind;
    std::string m_text; ///< a string's contents without quotes and prefix
    int32_t m_line;
};

std::map<std::string, int32_t>& ComponentConstants()
{
    static std::map<std::string, int32_t> s_constants;
    return s_constants;
}

bool IsNameChar(char in_char)
{
    return std::isalnum(static_cast<unsigned char>(in_char)) || in_char == '_';
}

bool EndsWith(const std::string& in_text, const std::string& in_end)
{
    return in_text.size() >= in_end.size() && in_text.compare(in_text.size() - in_end.size(), in_end.size(), in_end) == 0;
}

// Reads a quoted literal starting at io_position (on the quote); raw strings when in_raw.
std::string ReadQuoted(const std::string& in_text, size_t& io_position, bool in_raw, int32_t& io_line)
{
    const char quote = in_text[io_position++];
    std::string value;
    if (in_raw)
    {
        const size_t open = in_text.find('(', io_position);
        const std::string close = ")" + in_text.substr(io_position, open - io_position) + "\"";
        const size_t end = in_text.find(close, open);
        value = in_text.substr(open + 1, end - open - 1);
        io_line += static_cast<int32_t>(std::count(value.begin(), value.end(), '\n'));
        io_position = end == std::string::npos ? in_text.size() : end + close.size();
        return value;
    }
    while (io_position < in_text.size() && in_text[io_position] != quote && in_text[io_position] != '\n')
    {
        if (in_text[io_position] == '\\' && io_position + 1 < in_text.size())
        {
            ++io_position;
        }
        value += in_text[io_position++];
    }
    ++io_position;
    return value;
}

void SkipComment(const std::string& in_text, size_t& io_position, int32_t& io_line)
{
    const bool isLine = in_text[io_position + 1] == '/';
    const size_t end = in_text.find(isLine ? "\n" : "*/", io_position + 2);
    const size_t stop = end == std::string::npos ? in_text.size() : (isLine ? end : end + 2);
    io_line += static_cast<int32_t>(std::count(in_text.begin() + io_position, in_text.begin() + stop, '\n'));
    io_position = stop;
}

std::vector<Token> Tokenize(const std::string& in_text)
{
    std::vector<Token> tokens;
    int32_t line = 1;
    size_t i = 0;
    while (i < in_text.size())
    {
        const char c = in_text[i];
        if (c == '\n')
        {
            ++line;
            ++i;
        }
        else if (std::isspace(static_cast<unsigned char>(c)) || c == '\\')
        {
            ++i;
        }
        else if (c == '/' && i + 1 < in_text.size() && (in_text[i + 1] == '/' || in_text[i + 1] == '*'))
        {
            SkipComment(in_text, i, line);
        }
        else if (c == '"' || c == '\'')
        {
            const int32_t start = line;
            const std::string value = ReadQuoted(in_text, i, false, line);
            tokens.push_back({ c == '"' ? Kind::STRING : Kind::PUNCTUATION, value, start });
        }
        else if (IsNameChar(c))
        {
            const size_t start = i;
            while (i < in_text.size() && IsNameChar(in_text[i]))
            {
                ++i;
            }
            const std::string name = in_text.substr(start, i - start);
            const bool isPrefix = name == "u" || name == "u8" || name == "U" || name == "L" || name == "R" ||
                                  name == "uR" || name == "u8R" || name == "UR" || name == "LR";
            if (isPrefix && i < in_text.size() && in_text[i] == '"')
            {
                const int32_t startLine = line;
                tokens.push_back({ Kind::STRING, ReadQuoted(in_text, i, name.back() == 'R', line), startLine });
            }
            else
            {
                const bool isNumber = std::isdigit(static_cast<unsigned char>(name[0])) != 0;
                tokens.push_back({ isNumber ? Kind::NUMBER : Kind::NAME, name, line });
            }
        }
        else
        {
            tokens.push_back({ Kind::PUNCTUATION, std::string(1, c), line });
            ++i;
        }
    }
    return tokens;
}

bool Is(const std::vector<Token>& in_tokens, size_t in_index, Kind in_kind, const char* in_text = nullptr)
{
    return in_index < in_tokens.size() && in_tokens[in_index].m_kind == in_kind &&
           (in_text == nullptr || in_tokens[in_index].m_text == in_text);
}

// Names defined in the file as string literals: NAME = "text" or NAME[] = "text".
std::map<std::string, std::string> FindTextConstants(const std::vector<Token>& in_tokens)
{
    std::map<std::string, std::string> constants;
    for (size_t i = 0; i + 2 < in_tokens.size(); ++i)
    {
        size_t next = i + 1;
        if (Is(in_tokens, next, Kind::PUNCTUATION, "[") && Is(in_tokens, next + 1, Kind::PUNCTUATION, "]"))
        {
            next += 2;
        }
        if (Is(in_tokens, i, Kind::NAME) && Is(in_tokens, next, Kind::PUNCTUATION, "=") &&
            Is(in_tokens, next + 1, Kind::STRING))
        {
            constants[in_tokens[i].m_text] = in_tokens[next + 1].m_text;
        }
    }
    return constants;
}

using Argument = std::vector<Token>;

// The arguments of the call whose "(" is at in_open, split at top-level commas.
std::vector<Argument> ReadArguments(const std::vector<Token>& in_tokens, size_t in_open)
{
    std::vector<Argument> arguments(1);
    int32_t depth = 0;
    for (size_t i = in_open + 1; i < in_tokens.size(); ++i)
    {
        const Token& token = in_tokens[i];
        const bool isPunctuation = token.m_kind == Kind::PUNCTUATION;
        if (isPunctuation && (token.m_text == "(" || token.m_text == "{" || token.m_text == "["))
        {
            ++depth;
        }
        else if (isPunctuation && (token.m_text == ")" || token.m_text == "}" || token.m_text == "]"))
        {
            if (depth-- == 0)
            {
                break;
            }
        }
        else if (isPunctuation && token.m_text == "," && depth == 0)
        {
            arguments.emplace_back();
            continue;
        }
        arguments.back().push_back(token);
    }
    return arguments;
}

// The text of an argument that is a key: adjacent literals, one wrapped in orvik_wstring(...)
// (qualified or not), or a name of the file's text constants. False for anything else.
bool ReadKey(Argument in_argument, const std::map<std::string, std::string>& in_constants, std::string& out_key)
{
    // Drop a leading (qualified) orvik_wstring( ... ) wrapper.
    auto wrapper = std::find_if(in_argument.begin(), in_argument.end(),
                                [](const Token& t) { return t.m_kind == Kind::NAME && t.m_text == "orvik_wstring"; });
    if (wrapper != in_argument.end() && wrapper + 1 != in_argument.end() && (wrapper + 1)->m_text == "(" &&
        in_argument.back().m_text == ")")
    {
        in_argument = Argument(wrapper + 2, in_argument.end() - 1);
    }
    if (in_argument.size() == 1 && in_argument[0].m_kind == Kind::NAME)
    {
        const auto found = in_constants.find(in_argument[0].m_text);
        if (found == in_constants.end())
        {
            return false;
        }
        out_key = found->second;
        return true;
    }
    out_key.clear();
    for (const Token& token : in_argument)
    {
        if (token.m_kind != Kind::STRING)
        {
            return false;
        }
        out_key += token.m_text;
    }
    return !in_argument.empty();
}

// The component an argument names: a (qualified) *_COMPONENT_ID constant, or, when
// in_allowNumber, an integer.
bool ReadComponent(const Argument& in_argument, bool in_allowNumber, int32_t& out_componentId)
{
    if (in_allowNumber && in_argument.size() == 1 && in_argument[0].m_kind == Kind::NUMBER &&
        std::all_of(in_argument[0].m_text.begin(), in_argument[0].m_text.end(), ::isdigit))
    {
        out_componentId = std::stoi(in_argument[0].m_text);
        return true;
    }
    const auto& constants = ComponentConstants();
    const auto found = in_argument.empty() ? constants.end() : constants.find(in_argument.back().m_text);
    if (found == constants.end())
    {
        return false;
    }
    out_componentId = found->second;
    return true;
}

int32_t FixedComponent(const std::string& in_name, bool& out_isRaiser)
{
    for (const Raiser& raiser : RAISERS)
    {
        if (in_name == raiser.m_name)
        {
            out_isRaiser = true;
            return raiser.m_componentId;
        }
    }
    // Logging an exception (LogErrorException) raises nothing.
    out_isRaiser = EndsWith(in_name, "Exception") && in_name.rfind("Log", 0) != 0;
    return ANY_COMPONENT;
}

void ScanCall(const std::vector<Token>& in_tokens, size_t in_name, size_t in_open, const std::string& in_fileName,
              const std::map<std::string, std::string>& in_constants, std::vector<RaisedKey>& io_keys)
{
    bool isRaiser = false;
    int32_t componentId = FixedComponent(in_tokens[in_name].m_text, isRaiser);
    if (!isRaiser)
    {
        return;
    }
    const std::vector<Argument> arguments = ReadArguments(in_tokens, in_open);
    if (arguments[0].size() == 1 && (arguments[0][0].m_text == "true" || arguments[0][0].m_text == "false"))
    {
        return;
    }
    bool hasComponent = false;
    for (size_t i = 0; i < arguments.size() && i < 3; ++i)
    {
        std::string key;
        if (ReadKey(arguments[i], in_constants, key))
        {
            // A component constant right after the key counts too (ConversionResult(key, comp, ...));
            // a number there is a row or a column.
            if (!hasComponent && i + 1 < arguments.size())
            {
                ReadComponent(arguments[i + 1], false, componentId);
            }
            io_keys.push_back({ key, componentId, in_fileName + ":" + std::to_string(in_tokens[in_name].m_line) });
            return;
        }
        hasComponent = ReadComponent(arguments[i], true, componentId) || hasComponent;
    }
}

// ROW(Key, DIAG_...) rows of the support error table.
bool IsSupportErrorRow(const std::vector<Token>& in_tokens, size_t in_index)
{
    return Is(in_tokens, in_index, Kind::NAME, "ROW") && Is(in_tokens, in_index + 1, Kind::PUNCTUATION, "(") &&
           Is(in_tokens, in_index + 2, Kind::NAME) && in_tokens[in_index + 2].m_text.rfind("DIAG_", 0) != 0 &&
           Is(in_tokens, in_index + 3, Kind::PUNCTUATION, ",") && Is(in_tokens, in_index + 4, Kind::NAME) &&
           in_tokens[in_index + 4].m_text.rfind("DIAG_", 0) == 0;
}

} // namespace

void MessageKeyScanner::ReadComponentConstants(const std::string& in_text)
{
    const std::vector<Token> tokens = Tokenize(in_text);
    for (size_t i = 0; i + 2 < tokens.size(); ++i)
    {
        if (Is(tokens, i, Kind::NAME) && EndsWith(tokens[i].m_text, "COMPONENT_ID") &&
            Is(tokens, i + 1, Kind::PUNCTUATION, "=") && Is(tokens, i + 2, Kind::NUMBER))
        {
            ComponentConstants()[tokens[i].m_text] = std::stoi(tokens[i + 2].m_text);
        }
    }
}

std::vector<RaisedKey> MessageKeyScanner::ScanText(const std::string& in_fileName, const std::string& in_text)
{
    const std::vector<Token> tokens = Tokenize(in_text);
    const std::map<std::string, std::string> constants = FindTextConstants(tokens);
    std::vector<RaisedKey> keys;
    for (size_t i = 0; i + 1 < tokens.size(); ++i)
    {
        if (IsSupportErrorRow(tokens, i))
        {
            keys.push_back({ tokens[i + 2].m_text, 3, in_fileName + ":" + std::to_string(tokens[i].m_line) });
        }
        else if (tokens[i].m_kind == Kind::NAME && Is(tokens, i + 1, Kind::PUNCTUATION, "("))
        {
            ScanCall(tokens, i, i + 1, in_fileName, constants, keys);
        }
        else if (tokens[i].m_kind == Kind::NAME && Is(tokens, i + 1, Kind::NAME) &&
                 (Is(tokens, i + 2, Kind::PUNCTUATION, "(") || Is(tokens, i + 2, Kind::PUNCTUATION, "{")))
        {
            // A variable constructed with its arguments: Raiser name(...) or Raiser name{...}.
            ScanCall(tokens, i, i + 2, in_fileName, constants, keys);
        }
    }
    return keys;
}

std::vector<RaisedKey> MessageKeyScanner::ScanDirectory(const std::string& in_directory)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(in_directory))
    {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp"))
        {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
    {
        ReadComponentConstants(ReadTextFile(file));
    }
    std::vector<RaisedKey> keys;
    for (const std::string& file : files)
    {
        const std::vector<RaisedKey> found = ScanText(file.substr(in_directory.size()), ReadTextFile(file));
        keys.insert(keys.end(), found.begin(), found.end());
    }
    return keys;
}

} // namespace Testing
} // namespace Orvik
