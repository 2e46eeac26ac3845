// The string class against std::u16string: search, parts, comparison, tokens with escaped
// delimiters, replacement, trimming, joining and the writable buffer; text decoded from and
// encoded into the encodings of the table, which reads back where the encoding is Unicode.

#include "FuzzSupport.h"

#include "Support/EncodingInfo.h"
#include "Support/InvalidArgumentException.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <string>
#include <vector>

using Orvik::Support::orvik_wstring;

namespace {

// Units that make matches, delimiters, escapes, blanks and surrogates likely.
constexpr char16_t ALPHABET[] = {u'a', u'b', u'A', u',', u'\\', u' ', u'\t', u'\0', u'=', 0xD83D, 0xDE00, 0x00E9, 0x00C9, 0xFF21};

std::u16string Units(FuzzedDataProvider& io_data)
{
    const bool small = io_data.ConsumeBool();
    const std::string bytes = io_data.ConsumeRandomLengthString(64);
    std::u16string units;
    if (small)
    {
        for (unsigned char byte : bytes)
        {
            units.push_back(ALPHABET[byte % (sizeof(ALPHABET) / sizeof(ALPHABET[0]))]);
        }
        return units;
    }
    units.resize(bytes.size() / 2);
    std::memcpy(&units[0], bytes.data(), units.size() * 2);
    return units;
}

/// A string that may be null; std::u16string holds its units.
struct Text
{
    bool null;
    std::u16string units;

    orvik_wstring Make() const { return null ? orvik_wstring() : orvik_wstring(units); }
};

Text TakeText(FuzzedDataProvider& io_data)
{
    const bool null = io_data.ConsumeIntegralInRange<int>(0, 9) == 0;
    const std::u16string units = Units(io_data);
    return {null, null ? std::u16string() : units};
}

std::u16string UnitsOf(const orvik_wstring& in_string)
{
    return in_string.IsNull() ? std::u16string() : std::u16string(in_string.GetBuffer(), static_cast<size_t>(in_string.GetLength()));
}

bool Same(const orvik_wstring& in_string, const Text& in_expected)
{
    return in_string.IsNull() == in_expected.null && UnitsOf(in_string) == in_expected.units;
}

std::string ShowText(const Text& in_text)
{
    return in_text.null ? "null" : Fuzz::Show(in_text.units);
}

bool IsLead(char16_t in_unit)
{
    return in_unit >= 0xD800 && in_unit <= 0xDBFF;
}

bool IsTrail(char16_t in_unit)
{
    return in_unit >= 0xDC00 && in_unit <= 0xDFFF;
}

/// Whether a match of in_length units at in_at splits no surrogate pair of the text searched from
/// in_from on: searches match at code point boundaries only.
bool IsWholeMatch(const std::u16string& in_text, size_t in_from, size_t in_at, size_t in_length)
{
    const size_t end = in_at + in_length;
    const bool splitsStart = in_at > in_from && IsLead(in_text[in_at - 1]) && IsTrail(in_text[in_at]);
    const bool splitsEnd = end < in_text.size() && IsLead(in_text[end - 1]) && IsTrail(in_text[end]);
    return !splitsStart && !splitsEnd;
}

size_t FindWhole(const std::u16string& in_text, const std::u16string& in_what, size_t in_from)
{
    size_t found = in_text.find(in_what, in_from);
    while (found != std::u16string::npos && !IsWholeMatch(in_text, in_from, found, in_what.size()))
    {
        found = in_text.find(in_what, found + 1);
    }
    return found;
}

size_t FindLastWhole(const std::u16string& in_text, const std::u16string& in_what, size_t in_from)
{
    size_t found = in_text.rfind(in_what);
    while (found != std::u16string::npos && found >= in_from && !IsWholeMatch(in_text, in_from, found, in_what.size()))
    {
        found = found == 0 ? std::u16string::npos : in_text.rfind(in_what, found - 1);
    }
    return found;
}

int Sign(int in_value)
{
    return in_value < 0 ? -1 : in_value > 0 ? 1 : 0;
}

int32_t Clamp(int32_t in_value, int32_t in_low, int32_t in_high)
{
    return std::max(in_low, std::min(in_value, in_high));
}

/// The tokens of in_text by the escape rule: a delimiter right after the first backslash since
/// the token's start (or since the last escaped delimiter) belongs to the token, the backslash
/// dropped.
std::vector<Text> ReferenceTokens(const std::u16string& in_text, int32_t in_start, const std::u16string& in_delimiter)
{
    std::vector<Text> tokens;
    int32_t position = in_start;
    while (position != -1 && position < static_cast<int32_t>(in_text.size()))
    {
        std::u16string token;
        size_t from = static_cast<size_t>(position);
        while (true)
        {
            const size_t found = FindWhole(in_text, in_delimiter, from);
            if (found == std::u16string::npos)
            {
                token += in_text.substr(from);
                position = -1;
                break;
            }
            const size_t backslash = in_text.find(u'\\', from);
            if (backslash != std::u16string::npos && found > from && backslash == found - 1)
            {
                token += in_text.substr(from, found - 1 - from) + in_delimiter;
                from = found + in_delimiter.size();
                if (from >= in_text.size())
                {
                    position = -1;
                    break;
                }
                continue;
            }
            token += in_text.substr(from, found - from);
            position = static_cast<int32_t>(found + in_delimiter.size());
            break;
        }
        tokens.push_back({false, token});
    }
    tokens.push_back({true, std::u16string()});
    return tokens;
}

void CheckTokens(const Text& in_text, const Text& in_delimiter, int32_t in_start)
{
    const orvik_wstring text = in_text.Make();
    const orvik_wstring delimiter = in_delimiter.Make();
    int32_t position = in_start;
    if (in_delimiter.null)
    {
        try
        {
            text.GetNextToken(position, delimiter);
            Fuzz::Fail("no refusal", __FILE__, __LINE__, "a null delimiter was accepted");
        }
        catch (const Orvik::Support::InvalidArgumentException&)
        {
        }
        return;
    }
    if (in_delimiter.units.empty() || in_start < 0)
    {
        return;
    }
    const std::vector<Text> expected =
        in_text.null ? std::vector<Text>{{true, std::u16string()}} : ReferenceTokens(in_text.units, in_start, in_delimiter.units);
    const std::string context = ShowText(in_text) + " split at " + ShowText(in_delimiter) + " from " + std::to_string(in_start);
    for (size_t i = 0; i < expected.size(); ++i)
    {
        const orvik_wstring token = text.GetNextToken(position, delimiter);
        FUZZ_CHECK(Same(token, expected[i]), context + ": token " + std::to_string(i) + " is " + ShowText({token.IsNull(), UnitsOf(token)})
                                                 + ", expected " + ShowText(expected[i]));
    }
    FUZZ_CHECK(position == -1, context + ": the position does not end at -1");
}

void CheckSearch(const Text& in_text, const Text& in_other, int32_t in_start, int32_t in_length)
{
    const orvik_wstring text = in_text.Make();
    const orvik_wstring other = in_other.Make();
    const std::u16string& t = in_text.units;
    const std::u16string& o = in_other.units;
    const std::string context = ShowText(in_text) + " with " + ShowText(in_other) + " at " + std::to_string(in_start);
    const bool either = in_text.null || in_other.null;
    const int32_t start = Clamp(in_start, 0, static_cast<int32_t>(t.size()));

    if (!o.empty())
    {
        const size_t first = FindWhole(t, o, static_cast<size_t>(start));
        FUZZ_CHECK(text.Find(other, in_start) == (either || first == std::u16string::npos ? -1 : static_cast<int32_t>(first)), context + ": Find");
        const size_t last = FindLastWhole(t, o, static_cast<size_t>(start));
        const int32_t expectedLast = either || last == std::u16string::npos || static_cast<int32_t>(last) < start ? -1 : static_cast<int32_t>(last);
        FUZZ_CHECK(text.FindLast(other, in_start) == expectedLast, context + ": FindLast");
    }
    FUZZ_CHECK(text.StartsWith(other) == (!either && t.compare(0, o.size(), o) == 0 && o.size() <= t.size()), context + ": StartsWith");

    // Parts: start and length clamped to the text.
    const int32_t length = Clamp(in_length, 0, static_cast<int32_t>(t.size()) - start);
    FUZZ_CHECK(Same(text.Substr(in_start, in_length), {in_text.null, t.substr(static_cast<size_t>(start), static_cast<size_t>(length))}),
               context + ": Substr for " + std::to_string(in_length));
    FUZZ_CHECK(Same(text.Substr(in_start), {in_text.null, t.substr(static_cast<size_t>(start))}), context + ": Substr to the end");

    // Comparison in code-unit order, the null string first.
    const int expected = in_text.null ? (in_other.null ? 0 : -1) : in_other.null ? 1 : Sign(t.compare(o));
    FUZZ_CHECK(text.Compare(other) == expected, context + ": Compare");
    FUZZ_CHECK((text == other) == (expected == 0) && (text < other) == (expected < 0), context + ": operators");
    FUZZ_CHECK(text.IsEqual(other, true) == (expected == 0), context + ": IsEqual");
    const int32_t count = Clamp(in_length, 0, static_cast<int32_t>(t.size()));
    if (!either && in_length >= 0)
    {
        FUZZ_CHECK(text.Compare(other, in_length, true) == Sign(t.substr(0, static_cast<size_t>(count)).compare(o)),
                   context + ": Compare of the first " + std::to_string(in_length));
    }
    FUZZ_CHECK(text.Compare(other, in_length, false) == -other.Compare(text, in_length, false) || in_length < 0,
               context + ": the folded comparison is not antisymmetric");
    FUZZ_CHECK(text.IsEqual(other, false) == other.IsEqual(text, false), context + ": folded equality is not symmetric");
}

void CheckChanges(const Text& in_text, const Text& in_from, const Text& in_to, int32_t in_start)
{
    const std::string context = ShowText(in_text) + " replacing " + ShowText(in_from) + " by " + ShowText(in_to);
    orvik_wstring text = in_text.Make();
    text.Replace(in_from.Make(), in_to.Make());
    std::u16string expected = in_text.units;
    if (!in_text.null && !in_from.null && !in_to.null && !in_from.units.empty())
    {
        expected.clear();
        size_t from = 0;
        for (size_t found; (found = FindWhole(in_text.units, in_from.units, from)) != std::u16string::npos; from = found + in_from.units.size())
        {
            expected += in_text.units.substr(from, found - from) + in_to.units;
        }
        expected += in_text.units.substr(from);
    }
    FUZZ_CHECK(Same(text, {in_text.null, expected}), context);

    orvik_wstring trimmed = in_text.Make();
    trimmed.TrimTrailingBlanks();
    const size_t kept = in_text.units.find_last_not_of(u" \t");
    FUZZ_CHECK(Same(trimmed, {in_text.null, in_text.units.substr(0, kept == std::u16string::npos ? 0 : kept + 1)}), context + ": TrimTrailingBlanks");

    orvik_wstring cut = in_text.Make();
    cut.TruncateAtNul(in_start);
    const size_t nul = in_text.units.find(u'\0', static_cast<size_t>(Clamp(in_start, 0, static_cast<int32_t>(in_text.units.size()))));
    FUZZ_CHECK(Same(cut, {in_text.null, in_text.units.substr(0, nul)}) || in_start < 0, context + ": TruncateAtNul at " + std::to_string(in_start));

    orvik_wstring both = in_text.Make();
    both.Trim();
    const std::u16string once = UnitsOf(both);
    both.Trim();
    FUZZ_CHECK(both.IsNull() == in_text.null && UnitsOf(both) == once && in_text.units.find(once) != std::u16string::npos, context + ": Trim");

    // Concatenation and joining, a null operand counting as nothing.
    const orvik_wstring sum = in_text.Make() + in_from.Make();
    FUZZ_CHECK(Same(sum, {in_text.null && in_from.null, in_text.units + in_from.units}), context + ": concatenation");
    const std::vector<orvik_wstring> parts{in_text.Make(), in_from.Make(), in_to.Make()};
    const orvik_wstring joined = orvik_wstring::Join(parts.begin(), parts.end(), u",");
    FUZZ_CHECK(Same(joined, {false, in_text.units + u"," + in_from.units + u"," + in_to.units}), context + ": Join");
    FUZZ_CHECK(orvik_wstring::Join(parts.begin(), parts.begin(), u",").IsNull(), context + ": Join of nothing");

    // The writable buffer: units written, an odd byte dropped.
    orvik_wstring written = in_to.Make();
    const int32_t bytes = static_cast<int32_t>(in_text.units.size() * 2) + (in_start & 1);
    char16_t* buffer = written.GetWritableBuffer(bytes);
    std::copy(in_text.units.begin(), in_text.units.end(), buffer);
    written.ReleaseBuffer(bytes);
    FUZZ_CHECK(Same(written, {false, in_text.units}), context + ": the writable buffer");
}

/// Bytes decoded from an encoding of the table, encoded back and decoded again: the Unicode
/// encodings and the single-byte Latin ones keep the text.
void CheckEncodings(FuzzedDataProvider& io_data)
{
    const Orvik::Support::EncodingType encoding =
        io_data.ConsumeIntegralInRange<Orvik::Support::EncodingType>(0, Orvik::Support::ENCODING_COUNT - 1);
    const std::string bytes = io_data.ConsumeRemainingBytesAsString();
    const std::unique_ptr<char[]> exact = Fuzz::ExactCopy(bytes);
    const orvik_wstring decoded(exact.get(), static_cast<int32_t>(bytes.size()), encoding);
    const std::string context = "encoding " + std::to_string(encoding) + " " + Fuzz::Show(bytes);
    FUZZ_CHECK(!decoded.IsNull(), context + ": decoded to the null string");
    const std::string encoded = decoded.GetAsString(encoding);
    if (encoding <= Orvik::Support::ENC_CP1252)
    {
        const orvik_wstring again(encoded.data(), static_cast<int32_t>(encoded.size()), encoding);
        FUZZ_CHECK(again == decoded, context + ": does not decode the same after encoding");
        if (!Fuzz::IsWellFormed(UnitsOf(decoded)))
        {
            // A lone surrogate has no UTF-8 form.
            return;
        }
        FUZZ_CHECK(orvik_wstring(decoded.GetAsUTF8().data(), static_cast<int32_t>(decoded.GetAsUTF8().size()), Orvik::Support::ENC_UTF8) == decoded,
                   context + ": the UTF-8 form does not read back");
        FUZZ_CHECK(orvik_wstring(decoded.GetAsWString()) == decoded, context + ": the UTF-16 form does not read back");
    }
    FUZZ_CHECK(decoded.GetLengthInBytes() == 2 * static_cast<int64_t>(decoded.GetLength()), context + ": byte length");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    if (in_data[0] & 1)
    {
        CheckEncodings(data);
        return 0;
    }
    const Text text = TakeText(data);
    const Text other = TakeText(data);
    const Text third = TakeText(data);
    const int32_t start = data.ConsumeIntegralInRange<int32_t>(-2, 70);
    const int32_t length = data.ConsumeIntegralInRange<int32_t>(-2, 70);
    CheckSearch(text, other, start, length);
    CheckTokens(text, other, start);
    CheckChanges(text, other, third, start);
    return 0;
}
