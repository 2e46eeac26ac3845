// Settings and registry files: count settings against a reference reader, size settings made
// from a number and a unit against their byte count, and registry files that read back the same
// after being written out and after a value is set, with every other value kept.

#include "FuzzSupport.h"

#include "Platform/RegistryDocument.h"
#include "Support/SettingParsers.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Orvik::OS::RegistryDocument;
using Orvik::OS::RegistryValue;

namespace {

/// A count: an optional "+" and decimal digits, the whole text up to its first NUL (where the
/// registry's text ends), 1 to 4294967295.
uint32_t ReferenceCount(const std::string& in_whole, uint32_t in_default)
{
    const std::string in_text = in_whole.substr(0, in_whole.find('\0'));
    const size_t digits = !in_text.empty() && in_text[0] == '+' ? 1 : 0;
    if (in_text.size() == digits || in_text.find_first_not_of("0123456789", digits) != std::string::npos)
    {
        return in_default;
    }
    uint64_t value = 0;
    for (size_t i = digits; i < in_text.size(); ++i)
    {
        value = value * 10 + static_cast<uint64_t>(in_text[i] - '0');
        if (value > UINT32_MAX)
        {
            return in_default;
        }
    }
    return value == 0 ? in_default : static_cast<uint32_t>(value);
}

void CheckCount(const std::string& in_text)
{
    for (uint32_t fallback : {7u, 11u})
    {
        const uint32_t value = Orvik::Support::ParseUInt32OrDefault(in_text, fallback);
        FUZZ_CHECK(value == ReferenceCount(in_text, fallback),
                   Fuzz::Show(in_text) + " read as " + std::to_string(value) + " with default " + std::to_string(fallback));
    }
}

/// A size written from its parts: the number, blanks, a unit letter in either case and a B.
void CheckSize(FuzzedDataProvider& io_data)
{
    constexpr const char* UNITS = "KMG";
    const uint64_t number = io_data.ConsumeIntegralInRange<uint64_t>(0, 1ull << 40);
    const int unit = io_data.ConsumeIntegralInRange<int>(-1, 2);
    const bool lower = io_data.ConsumeBool();
    const bool withB = io_data.ConsumeBool();
    const std::string blanks(io_data.ConsumeIntegralInRange<size_t>(0, 2), ' ');
    const bool half = io_data.ConsumeBool();
    std::string text = std::to_string(number) + (half ? ".5" : "") + blanks;
    if (unit >= 0)
    {
        text += static_cast<char>(lower ? std::tolower(UNITS[unit]) : UNITS[unit]);
    }
    if (withB)
    {
        text += lower ? "b" : "B";
    }
    text += blanks;
    const double multiplier = unit < 0 ? 1.0 : std::ldexp(1.0, 10 * (unit + 1));
    const double bytes = (static_cast<double>(number) + (half ? 0.5 : 0.0)) * multiplier;
    const uint64_t expected = bytes >= 18446744073709551616.0 ? UINT64_MAX : static_cast<uint64_t>(bytes);
    const uint64_t value = Orvik::Support::ParseByteSize(text, 3);
    FUZZ_CHECK(value == expected, Fuzz::Show(text) + " read as " + std::to_string(value) + ", expected " + std::to_string(expected));
}

/// Any text as a size: the default or a value that does not depend on the default, and the
/// same as the text up to its first NUL.
void CheckAnySize(const std::string& in_text)
{
    const uint64_t first = Orvik::Support::ParseByteSize(in_text, 3);
    const uint64_t second = Orvik::Support::ParseByteSize(in_text, 5);
    FUZZ_CHECK(first == second || (first == 3 && second == 5), Fuzz::Show(in_text) + ": the value depends on the default");
    FUZZ_CHECK(Orvik::Support::ParseByteSize(in_text.substr(0, in_text.find('\0')), 3) == first,
               Fuzz::Show(in_text) + ": the text after a NUL counts");
}

/// Valid UTF-8: what the registry file holds; the bytes of the driver's own strings.
std::string AsUtf8(const std::string& in_bytes)
{
    std::string text;
    icu::UnicodeString::fromUTF8(in_bytes).toUTF8String(text);
    return text;
}

/// The bracketed lines of a file: the key paths of its sections, and the lines that continue a
/// value and only look like one.
std::vector<std::string> KeyPaths(const std::string& in_text)
{
    std::vector<std::string> paths;
    size_t start = 0;
    while (start < in_text.size())
    {
        size_t end = std::min(in_text.find('\n', start), in_text.size());
        std::string line = in_text.substr(start, end - start);
        const size_t first = line.find_first_not_of(" \t\r");
        const size_t last = line.find_last_not_of(" \t\r");
        if (first != std::string::npos && last > first && line[first] == '[' && line[last] == ']')
        {
            paths.push_back(line.substr(first + 1, last - first - 1));
        }
        start = end + 1;
    }
    return paths;
}

std::string Describe(const std::vector<RegistryValue>& in_values)
{
    std::string text;
    for (const RegistryValue& value : in_values)
    {
        text += Fuzz::Show(value.m_name) + "=" + std::to_string(static_cast<int>(value.m_type)) + ":"
                + (value.m_type == RegistryValue::Type::Text ? Fuzz::Show(value.m_text) : std::to_string(value.m_number)) + " ";
    }
    return text;
}

std::string Folded(const std::string& in_name)
{
    std::string folded;
    icu::UnicodeString::fromUTF8(in_name).foldCase(U_FOLD_CASE_DEFAULT).toUTF8String(folded);
    return folded;
}

std::string Data(const RegistryValue& in_value)
{
    return std::to_string(static_cast<int>(in_value.m_type)) + ":"
           + (in_value.m_type == RegistryValue::Type::Text ? Fuzz::Show(in_value.m_text) : std::to_string(in_value.m_number));
}

/// The value each name has in the end, the last of its values, by the name case-folded.
std::map<std::string, std::string> Effective(const std::vector<RegistryValue>& in_values)
{
    std::map<std::string, std::string> effective;
    for (const RegistryValue& value : in_values)
    {
        effective[Folded(value.m_name)] = Data(value);
    }
    return effective;
}

std::string Describe(const std::map<std::string, std::string>& in_values)
{
    std::string text;
    for (const auto& value : in_values)
    {
        text += Fuzz::Show(value.first) + "=" + value.second + " ";
    }
    return text;
}

void CheckRegistry(FuzzedDataProvider& io_data)
{
    const std::string key = io_data.ConsumeRandomLengthString(40);
    const std::string name = io_data.ConsumeRandomLengthString(40);
    const std::string value = io_data.ConsumeRandomLengthString(80);
    const bool useExistingKey = io_data.ConsumeBool();
    const bool useExistingName = io_data.ConsumeBool();
    const std::string file = io_data.ConsumeRemainingBytesAsString();

    const RegistryDocument document(file);
    const std::string written = document.ToText();
    // A byte-order mark is read over, never written.
    const bool marked = written.compare(0, 3, "\xEF\xBB\xBF") == 0;
    FUZZ_CHECK(RegistryDocument(written).ToText() == written.substr(marked ? 3 : 0), Fuzz::Show(file) + ": writing out is not stable");
    if (marked)
    {
        // A second mark is a character of the first line until the next reading drops it.
        return;
    }
    const std::vector<std::string> paths = KeyPaths(written);
    for (const std::string& path : paths)
    {
        FUZZ_CHECK(document.HasKey(path) == RegistryDocument(written).HasKey(path),
                   Fuzz::Show(file) + ": key " + Fuzz::Show(path) + " is found only on one side of writing out");
        FUZZ_CHECK(Describe(RegistryDocument(written).GetValues(path)) == Describe(document.GetValues(path)),
                   Fuzz::Show(file) + ": key " + Fuzz::Show(path) + " reads differently once written out");
    }

    // Set a text value, on a key and a name of the file or new ones.
    std::string keyPath = AsUtf8(key);
    if (useExistingKey && !paths.empty())
    {
        keyPath = paths[key.size() % paths.size()];
    }
    std::string valueName = AsUtf8(name);
    const std::vector<RegistryValue> before = document.GetValues(keyPath);
    if (useExistingName && !before.empty())
    {
        valueName = before[name.size() % before.size()].m_name;
    }
    const std::string text = AsUtf8(value);
    RegistryDocument changed(file);
    const bool set = changed.SetText(keyPath, valueName, text);
    const std::string context = Fuzz::Show(file) + " set [" + Fuzz::Show(keyPath) + "] " + Fuzz::Show(valueName) + "=" + Fuzz::Show(text);
    const bool hasBreak = (keyPath + valueName + text).find_first_of("\r\n") != std::string::npos;
    FUZZ_CHECK(set == !hasBreak, context + (set ? " accepted a line break" : " refused"));
    if (!set)
    {
        FUZZ_CHECK(changed.ToText() == written, context + ": a refused value changed the file");
        return;
    }
    // Read back from the file text, as the next reader would.
    const RegistryDocument reread(changed.ToText());
    FUZZ_CHECK(reread.HasKey(keyPath), context + ": the key is missing afterwards");
    std::map<std::string, std::string> expected = Effective(before);
    expected[Folded(valueName)] = Data({valueName, RegistryValue::Type::Text, text, 0});
    const std::map<std::string, std::string> after = Effective(reread.GetValues(keyPath));
    FUZZ_CHECK(Describe(after) == Describe(expected),
               context + ":\n  values " + Describe(after) + "\n  expected " + Describe(expected) + "\n  file " + Fuzz::Show(changed.ToText()));
    for (const std::string& path : paths)
    {
        if (Folded(path) != Folded(keyPath))
        {
            FUZZ_CHECK(Describe(reread.GetValues(path)) == Describe(document.GetValues(path)),
                       context + ": key " + Fuzz::Show(path) + " changed");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(in_data) + 1, in_size - 1);
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    switch (in_data[0] & 3)
    {
    case 0:
        CheckCount(text);
        CheckAnySize(text);
        break;
    case 1: CheckSize(data); break;
    default: CheckRegistry(data); break;
    }
    return 0;
}
