// Connection strings: any text is parsed or refused with "InvalidConnStr" alone; a string made
// again from what was parsed (the output forms as a completed connection string shows them, or
// the values escaped) parses to the same settings; keys come out trimmed and upper-cased.

#include "FuzzSupport.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Settings/ConnectionStringParser.h"
#include "Support/VariantMap.h"

#include <cstdint>
#include <cstring>
#include <string>

using Orvik::ODBC::ConnectionStringParser;
using Orvik::Support::orvik_wstring;
using Orvik::Support::VariantMap;

namespace {

struct Parsed
{
    bool refused = false;
    bool isDriver = false;
    VariantMap settings;
    VariantMap outputForms;
};

Parsed Parse(const orvik_wstring& in_text)
{
    Parsed parsed;
    try
    {
        parsed.isDriver = ConnectionStringParser::Parse(in_text, parsed.settings, parsed.outputForms);
    }
    catch (const Orvik::ODBC::ODBCInternalException& e)
    {
        FUZZ_CHECK(Fuzz::KeyOf(e) == "InvalidConnStr", Fuzz::Show(in_text.GetAsUTF8()) + " raised " + Fuzz::KeyOf(e));
        parsed.refused = true;
    }
    return parsed;
}

std::string Describe(const VariantMap& in_map)
{
    std::string text;
    for (const auto& entry : in_map)
    {
        text += Fuzz::Show(entry.first.GetAsUTF8()) + "=" + Fuzz::Show(entry.second.GetWString().GetAsUTF8()) + " ";
    }
    return text;
}

/// The connection string made of every key and in_form's text for it.
orvik_wstring Rebuild(const Parsed& in_parsed, bool in_fromOutputForms)
{
    orvik_wstring text(u"");
    for (const auto& entry : in_parsed.settings)
    {
        const orvik_wstring value = in_fromOutputForms ? in_parsed.outputForms.at(entry.first).GetWString()
                                                       : ConnectionStringParser::EscapeValue(entry.second.GetWString());
        text += entry.first + orvik_wstring(u"=") + value + orvik_wstring(u";");
    }
    return text;
}

void CheckRebuilt(const Parsed& in_parsed, bool in_fromOutputForms, const std::string& in_context)
{
    const orvik_wstring rebuilt = Rebuild(in_parsed, in_fromOutputForms);
    const Parsed again = Parse(rebuilt);
    const std::string context = in_context + (in_fromOutputForms ? " as its output forms " : " escaped ") + Fuzz::Show(rebuilt.GetAsUTF8());
    FUZZ_CHECK(!again.refused, context + " is refused");
    FUZZ_CHECK(Describe(again.settings) == Describe(in_parsed.settings),
               context + " gives " + Describe(again.settings) + ", first " + Describe(in_parsed.settings));
    if (in_fromOutputForms)
    {
        FUZZ_CHECK(Describe(again.outputForms) == Describe(in_parsed.outputForms), context + ": the output forms differ");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    // The first byte tells UTF-8 text from UTF-16 code units.
    const std::string bytes(reinterpret_cast<const char*>(in_data) + 1, in_size - 1);
    orvik_wstring text;
    if (in_data[0] & 1)
    {
        std::u16string units(bytes.size() / 2, u'\0');
        std::memcpy(&units[0], bytes.data(), units.size() * 2);
        text = orvik_wstring(units);
    }
    else
    {
        text = orvik_wstring(bytes.data(), static_cast<int32_t>(bytes.size()), Orvik::Support::ENC_UTF8);
    }
    const Parsed parsed = Parse(text);
    if (parsed.refused)
    {
        return 0;
    }
    const std::string context = Fuzz::Show(text.GetAsUTF8());
    for (const auto& entry : parsed.settings)
    {
        // Keys are trimmed of the separators' whitespace and upper-cased.
        orvik_wstring key = entry.first;
        key.ToUpperIdentifier();
        const std::string bytes = entry.first.GetAsUTF8();
        const std::string whitespace = " \t\n\v\f\r";
        FUZZ_CHECK(key == entry.first && !bytes.empty() && whitespace.find(bytes.front()) == std::string::npos
                       && whitespace.find(bytes.back()) == std::string::npos,
                   context + ": key " + Fuzz::Show(bytes));
        FUZZ_CHECK(parsed.outputForms.count(entry.first) == 1, context + ": no output form for " + Fuzz::Show(entry.first.GetAsUTF8()));
    }
    FUZZ_CHECK(parsed.outputForms.size() == parsed.settings.size(), context + ": output forms without settings");
    CheckRebuilt(parsed, true, context);
    CheckRebuilt(parsed, false, context);
    return 0;
}
