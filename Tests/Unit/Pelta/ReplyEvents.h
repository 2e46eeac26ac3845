#pragma once

// The events the JSON text of a reply gives, read by RapidJSON's reader with the reply's flags
// and by the reply scanner, each as one line that holds every event, the error code and, after
// a successful reading, the text as the reading left it in place. The two lines must be equal.

#include "Pelta/PeltaNumberReader.h"
#include "Pelta/PeltaReplyCell.h"
#include "Pelta/PeltaReplyScanner.h"

#include <rapidjson/reader.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace Pelta {
namespace Test {

/// Bytes with the non-printable ones as hexadecimal escapes.
inline std::string ShowBytes(const char* in_bytes, size_t in_length)
{
    std::string shown;
    for (size_t i = 0; i < in_length; ++i)
    {
        const auto byte = static_cast<unsigned char>(in_bytes[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\')
        {
            shown += static_cast<char>(byte);
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof(escape), "\\x%02x", byte);
        shown += escape;
    }
    return shown;
}

/// Records the events of a reading; refuses the event numbered in_refusedEvent (from 1).
class ReplyEventLog : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, ReplyEventLog>
{
public:
    explicit ReplyEventLog(size_t in_refusedEvent) : m_refusedEvent(in_refusedEvent) {}

    bool Default() { return Add("unexpected event"); }
    bool Null() { return Add("null"); }
    bool Bool(bool in_value) { return Add(in_value ? "true" : "false"); }
    bool RawNumber(const char* in_text, rapidjson::SizeType in_length, bool)
    {
        return Add("number " + std::string(in_text, in_length));
    }

    /// A number the scanner read: the same event as RawNumber, provided that the value is the
    /// one the general reading of its text gives.
    bool Number(const PeltaReplyCell& in_cell, const char* in_text, unsigned in_length)
    {
        PeltaReplyCell expected;
        const bool isInRange = PeltaNumberReader::Read(in_text, in_length, expected);
        const bool isSame = isInRange && expected.kind == in_cell.kind && expected.payload == in_cell.payload;
        return Add("number " + std::string(in_text, in_length) + (isSame ? "" : " read wrongly"));
    }

    bool String(const char* in_text, rapidjson::SizeType in_length, bool)
    {
        return Add("string " + ShowBytes(in_text, in_length));
    }

    bool Key(const char* in_text, rapidjson::SizeType in_length, bool)
    {
        return Add("key " + ShowBytes(in_text, in_length));
    }

    bool StartObject() { return Add("{"); }
    bool EndObject(rapidjson::SizeType in_count) { return Add("}" + std::to_string(in_count)); }
    bool StartArray() { return Add("["); }
    bool EndArray(rapidjson::SizeType in_count) { return Add("]" + std::to_string(in_count)); }

    const std::string& GetText() const { return m_text; }

private:
    bool Add(const std::string& in_event)
    {
        m_text += in_event + ", ";
        return ++m_events != m_refusedEvent;
    }

    std::string m_text;
    size_t m_events = 0;
    const size_t m_refusedEvent;
};

inline std::string Outcome(const ReplyEventLog& in_log, int in_error, const std::string& in_text)
{
    std::string line = in_log.GetText() + "error " + std::to_string(in_error);
    if (in_error == rapidjson::kParseErrorNone)
    {
        line += " text " + ShowBytes(in_text.data(), in_text.size());
    }
    return line;
}

/// in_text as RapidJSON's reader reads a reply.
inline std::string RapidJsonEvents(std::string in_text, size_t in_refusedEvent = SIZE_MAX)
{
    ReplyEventLog log(in_refusedEvent);
    rapidjson::Reader reader;
    rapidjson::InsituStringStream stream(&in_text[0]);
    reader.Parse<rapidjson::kParseInsituFlag | rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag>(
        stream, log);
    return Outcome(log, reader.GetParseErrorCode(), in_text);
}

/// in_text as the reply scanner reads it.
inline std::string ScannerEvents(std::string in_text, size_t in_refusedEvent = SIZE_MAX)
{
    ReplyEventLog log(in_refusedEvent);
    const int error = PeltaReplyScanner<ReplyEventLog>(&in_text[0], in_text.size(), log).Scan();
    return Outcome(log, error, in_text);
}

} // namespace Test
} // namespace Pelta
