#pragma once

#include "Pelta/PeltaNumberReader.h"
#include "Pelta/PeltaReplyCell.h"

#include <rapidjson/reader.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace Pelta {

/// Reads the JSON text of a reply in place and hands its events to a RapidJSON handler (the
/// reply reader), as RapidJSON's reader does with the reply's flags (in place, numbers as their
/// text, iterative): the same events for the same text, and for malformed text the same error
/// code. It reads the plain values itself (strings without escapes or control characters,
/// numbers of ordinary size, the literals) and leaves each other value to RapidJSON, one at a
/// time. A plain number comes already read, to the handler's Number(cell, text, length), in
/// place of RawNumber(text, length). Open containers are kept on a stack of its own, so no
/// nesting reaches the machine stack.
template <class Handler>
class PeltaReplyScanner
{
public:
    /// Scans the in_length bytes at io_text, followed by a NUL, for io_handler. The text ends
    /// at its first NUL; it is changed in place.
    PeltaReplyScanner(char* io_text, size_t in_length, Handler& io_handler)
        : m_position(io_text), m_end(io_text + in_length), m_handler(io_handler)
    {
    }

    PeltaReplyScanner(const PeltaReplyScanner&) = delete;
    PeltaReplyScanner& operator=(const PeltaReplyScanner&) = delete;

    /// Reads the whole text; returns RapidJSON's parse error code, kParseErrorNone when the
    /// text is one JSON value.
    rapidjson::ParseErrorCode Scan();

private:
    struct OpenContainer
    {
        uint32_t count;
        bool isObject;
    };

    rapidjson::ParseErrorCode ScanValue(bool& out_isComplete);
    rapidjson::ParseErrorCode Open(bool in_isObject, bool& out_isComplete);
    rapidjson::ParseErrorCode FinishValue();
    rapidjson::ParseErrorCode ScanName();
    rapidjson::ParseErrorCode ScanScalar();
    rapidjson::ParseErrorCode ScanLiteral(const char* in_literal, unsigned in_length, bool in_isNull, bool in_value);
    bool ScanPlainString(const char*& out_text, unsigned& out_length);
    rapidjson::ParseErrorCode ScanNumber();
    void SkipWhitespace();

    /// Lets RapidJSON read the one value that starts here.
    template <class ValueHandler>
    rapidjson::ParseErrorCode ParseOneValue(ValueHandler& io_handler);

    char* m_position;
    char* const m_end;
    Handler& m_handler;
    rapidjson::Reader m_parser;
    std::vector<OpenContainer> m_open;
};

// What the scanner's operations share.
namespace ReplyScanning {

// The flags the reply is read with, for one value at a time.
inline constexpr unsigned ONE_VALUE_FLAGS =
    rapidjson::kParseInsituFlag | rapidjson::kParseNumbersAsStringsFlag | rapidjson::kParseStopWhenDoneFlag;

inline constexpr uint64_t EVERY_BYTE = 0x0101010101010101;
inline constexpr uint64_t HIGH_BITS = 0x8080808080808080;

inline bool IsWhitespace(char in_char)
{
    return in_char == ' ' || in_char == '\n' || in_char == '\r' || in_char == '\t';
}

// Marks the high bit of each byte of in_word below in_limit (a byte from 1 to 128); the lowest
// marked byte is always one, the marks above it may be wrong.
inline uint64_t BytesBelow(uint64_t in_word, uint8_t in_limit)
{
    return (in_word - EVERY_BYTE * in_limit) & ~in_word & HIGH_BITS;
}

inline uint64_t BytesEqual(uint64_t in_word, char in_byte)
{
    return BytesBelow(in_word ^ (EVERY_BYTE * static_cast<uint8_t>(in_byte)), 1);
}

// Takes the one string a value holds, for a member name that RapidJSON reads.
struct NameCatcher : rapidjson::BaseReaderHandler<rapidjson::UTF8<>, NameCatcher>
{
    bool Default() { return false; }

    bool String(const char* in_text, rapidjson::SizeType in_length, bool)
    {
        text = in_text;
        length = in_length;
        return true;
    }

    const char* text = nullptr;
    unsigned length = 0;
};

} // namespace ReplyScanning

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::Scan()
{
    SkipWhitespace();
    const char first = *m_position;
    if (first == '\0' || first == ',' || first == ':' || first == ']' || first == '}')
    {
        // Nothing that could begin the document: RapidJSON calls it empty.
        return rapidjson::kParseErrorDocumentEmpty;
    }
    bool isComplete = false;
    do
    {
        rapidjson::ParseErrorCode error = ScanValue(isComplete);
        if (error == rapidjson::kParseErrorNone && isComplete)
        {
            error = FinishValue();
        }
        if (error != rapidjson::kParseErrorNone)
        {
            return error;
        }
    } while (!m_open.empty());
    SkipWhitespace();
    return *m_position == '\0' ? rapidjson::kParseErrorNone : rapidjson::kParseErrorDocumentRootNotSingular;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ScanValue(bool& out_isComplete)
{
    out_isComplete = true;
    switch (*m_position)
    {
    case '{':
        return Open(true, out_isComplete);
    case '[':
        return Open(false, out_isComplete);
    default:
        return ScanScalar();
    }
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::Open(bool in_isObject, bool& out_isComplete)
{
    ++m_position;
    if (!(in_isObject ? m_handler.StartObject() : m_handler.StartArray()))
    {
        return rapidjson::kParseErrorTermination;
    }
    SkipWhitespace();
    if (*m_position == (in_isObject ? '}' : ']'))
    {
        ++m_position;
        out_isComplete = true;
        const bool isAccepted = in_isObject ? m_handler.EndObject(0) : m_handler.EndArray(0);
        return isAccepted ? rapidjson::kParseErrorNone : rapidjson::kParseErrorTermination;
    }
    m_open.push_back({0, in_isObject});
    out_isComplete = false;
    return in_isObject ? ScanName() : rapidjson::kParseErrorNone;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::FinishValue()
{
    // A value is complete: the separator after it and the scalars that follow, or the ends of
    // the containers it completes; returns before the next container to open.
    while (!m_open.empty())
    {
        SkipWhitespace();
        OpenContainer& container = m_open.back();
        ++container.count;
        if (*m_position == ',')
        {
            ++m_position;
            SkipWhitespace();
            const rapidjson::ParseErrorCode error = container.isObject ? ScanName() : rapidjson::kParseErrorNone;
            if (error != rapidjson::kParseErrorNone || *m_position == '{' || *m_position == '[')
            {
                return error;
            }
            // A scalar is complete at once: the rows' cells go round this loop alone.
            const rapidjson::ParseErrorCode scalarError = ScanScalar();
            if (scalarError != rapidjson::kParseErrorNone)
            {
                return scalarError;
            }
            continue;
        }
        if (*m_position != (container.isObject ? '}' : ']'))
        {
            return container.isObject ? rapidjson::kParseErrorObjectMissCommaOrCurlyBracket
                                      : rapidjson::kParseErrorArrayMissCommaOrSquareBracket;
        }
        ++m_position;
        const OpenContainer closed = container;
        m_open.pop_back();
        if (!(closed.isObject ? m_handler.EndObject(closed.count) : m_handler.EndArray(closed.count)))
        {
            return rapidjson::kParseErrorTermination;
        }
    }
    return rapidjson::kParseErrorNone;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ScanName()
{
    if (*m_position != '"')
    {
        return rapidjson::kParseErrorObjectMissName;
    }
    const char* text = nullptr;
    unsigned length = 0;
    if (!ScanPlainString(text, length))
    {
        ReplyScanning::NameCatcher name;
        const rapidjson::ParseErrorCode error = ParseOneValue(name);
        if (error != rapidjson::kParseErrorNone)
        {
            return error;
        }
        text = name.text;
        length = name.length;
    }
    if (!m_handler.Key(text, length, false))
    {
        return rapidjson::kParseErrorTermination;
    }
    SkipWhitespace();
    if (*m_position != ':')
    {
        return rapidjson::kParseErrorObjectMissColon;
    }
    ++m_position;
    SkipWhitespace();
    return rapidjson::kParseErrorNone;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ScanScalar()
{
    const char* text = nullptr;
    unsigned length = 0;
    bool isAccepted = true;
    switch (*m_position)
    {
    case '"':
        if (!ScanPlainString(text, length))
        {
            return ParseOneValue(m_handler);
        }
        isAccepted = m_handler.String(text, length, false);
        break;
    case 't':
        return ScanLiteral("true", 4, false, true);
    case 'f':
        return ScanLiteral("false", 5, false, false);
    case 'n':
        return ScanLiteral("null", 4, true, false);
    case '-':
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        return ScanNumber();
    default:
        return rapidjson::kParseErrorValueInvalid;
    }
    return isAccepted ? rapidjson::kParseErrorNone : rapidjson::kParseErrorTermination;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ScanLiteral(const char* in_literal, unsigned in_length, bool in_isNull, bool in_value)
{
    // The comparison stops at the first byte that differs, at the latest at the closing NUL.
    for (unsigned i = 1; i < in_length; ++i)
    {
        if (m_position[i] != in_literal[i])
        {
            return rapidjson::kParseErrorValueInvalid;
        }
    }
    m_position += in_length;
    const bool isAccepted = in_isNull ? m_handler.Null() : m_handler.Bool(in_value);
    return isAccepted ? rapidjson::kParseErrorNone : rapidjson::kParseErrorTermination;
}

template <class Handler>
bool PeltaReplyScanner<Handler>::ScanPlainString(const char*& out_text, unsigned& out_length)
{
    // Up to the closing quote, eight bytes at a time while they are whole in the text; a
    // backslash or a control character (the closing NUL too) leaves the string to RapidJSON.
    char* const start = m_position + 1;
    char* p = start;
    while (p + sizeof(uint64_t) <= m_end)
    {
        uint64_t word;
        std::memcpy(&word, p, sizeof(word));
        const uint64_t marks = ReplyScanning::BytesEqual(word, '"') | ReplyScanning::BytesEqual(word, '\\') | ReplyScanning::BytesBelow(word, 0x20);
        if (marks != 0)
        {
            p += __builtin_ctzll(marks) / 8;
            break;
        }
        p += sizeof(word);
    }
    while (*p != '"' && *p != '\\' && static_cast<unsigned char>(*p) >= 0x20)
    {
        ++p;
    }
    if (*p != '"' || static_cast<size_t>(p - start) > std::numeric_limits<rapidjson::SizeType>::max())
    {
        return false;
    }
    // Ended by a NUL in place of the closing quote, as RapidJSON ends the strings it reads.
    *p = '\0';
    out_text = start;
    out_length = static_cast<unsigned>(p - start);
    m_position = p + 1;
    return true;
}

template <class Handler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ScanNumber()
{
    PeltaReplyCell cell;
    size_t length = 0;
    const char* const text = m_position;
    bool isAccepted = true;
    switch (PeltaNumberReader::ReadPlain(text, length, cell))
    {
    case PeltaNumberReader::NOT_PLAIN:
        return ParseOneValue(m_handler);
    case PeltaNumberReader::READ:
        isAccepted = m_handler.Number(cell, text, static_cast<unsigned>(length));
        break;
    case PeltaNumberReader::OUT_OF_RANGE:
        // The handler refuses it as it refuses such a number read by RapidJSON.
        isAccepted = m_handler.RawNumber(text, static_cast<unsigned>(length), false);
        break;
    }
    m_position += length;
    return isAccepted ? rapidjson::kParseErrorNone : rapidjson::kParseErrorTermination;
}

template <class Handler>
void PeltaReplyScanner<Handler>::SkipWhitespace()
{
    // Most places have none: one comparison tells the bytes above the blank from it.
    while (static_cast<unsigned char>(*m_position) <= ' ' && ReplyScanning::IsWhitespace(*m_position))
    {
        ++m_position;
    }
}

template <class Handler>
template <class ValueHandler>
rapidjson::ParseErrorCode PeltaReplyScanner<Handler>::ParseOneValue(ValueHandler& io_handler)
{
    rapidjson::InsituStringStream stream(m_position);
    m_parser.Parse<ReplyScanning::ONE_VALUE_FLAGS>(stream, io_handler);
    m_position = stream.src_;
    return m_parser.GetParseErrorCode();
}

} // namespace Pelta
