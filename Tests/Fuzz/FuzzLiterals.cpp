// Literals and intervals from application and server text: dates, times and timestamps that are
// accepted hold valid fields and read back from their canonical text; blanks around a text
// change nothing; integers, bits and doubles agree with the exact-decimal and double readers;
// GUIDs read back from their own text; interval texts read back from a canonical rendering of
// what they gave, and year-month texts follow a reference reader.

#include "FuzzSupport.h"

#include "Support/NumberConverter.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/IntervalLiteralParser.h"
#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

/// The posted results as "Key(info)" joined by ", ".
class Posts : public WarningListener
{
public:
    void PostWarning(const ConversionResult& in_result) override
    {
        std::string text = in_result.GetMessageKey().GetAsUTF8();
        if (text == "FractionalTrunc")
        {
            text += "(" + std::to_string(in_result.GetTruncationInfo()) + ")";
        }
        else if (text == "NumericValOutOfRange" || text == "IntervalFieldOverflow")
        {
            text += "(" + std::to_string(in_result.GetOverflowInfo()) + ")";
        }
        m_text += (m_text.empty() ? "" : ", ") + text;
    }

    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

/// Every parser reads its text from a heap block of exactly the text's size.
struct Exact
{
    explicit Exact(const std::string& in_text) : bytes(Fuzz::ExactCopy(in_text)), length(in_text.size()) {}
    std::unique_ptr<char[]> bytes;
    size_t length;
};

std::string Digits(uint64_t in_value, int in_width)
{
    std::string text = std::to_string(in_value);
    return std::string(text.size() < static_cast<size_t>(in_width) ? in_width - text.size() : 0, '0') + text;
}

std::string DateText(int16_t in_year, uint16_t in_month, uint16_t in_day)
{
    return (in_year < 0 ? "-" : "") + Digits(static_cast<uint64_t>(std::abs(in_year)), 4) + "-" + Digits(in_month, 2) + "-" + Digits(in_day, 2);
}

/// HH:MM:SS and, for a precision above 0, the fraction's first in_precision digits.
std::string TimeText(uint16_t in_hour, uint16_t in_minute, uint16_t in_second, uint32_t in_fraction, int in_precision)
{
    std::string text = Digits(in_hour, 2) + ":" + Digits(in_minute, 2) + ":" + Digits(in_second, 2);
    if (in_precision > 0)
    {
        text += "." + Digits(in_fraction, 9).substr(0, static_cast<size_t>(in_precision));
    }
    return text;
}

struct DateResult
{
    std::string posts;
    int16_t year = -1;
    uint16_t month = 99, day = 99;
    bool operator==(const DateResult& o) const { return posts == o.posts && year == o.year && month == o.month && day == o.day; }
};

DateResult ReadDate(const std::string& in_text, bool in_toSql)
{
    Exact text(in_text);
    DateResult result;
    Posts posts;
    LiteralParser::ConvertCharToDate(text.bytes.get(), text.length, in_toSql, result.year, result.month, result.day, posts);
    result.posts = posts.Text();
    return result;
}

struct TimeResult
{
    std::string posts;
    uint16_t hour = 99, minute = 99, second = 99;
    uint32_t fraction = 99;
    bool operator==(const TimeResult& o) const
    {
        return posts == o.posts && hour == o.hour && minute == o.minute && second == o.second && fraction == o.fraction;
    }
};

TimeResult ReadTime(const std::string& in_text, bool in_toSql, int16_t in_precision)
{
    Exact text(in_text);
    TimeResult result;
    Posts posts;
    LiteralParser::ConvertCharToTime(
        text.bytes.get(), text.length, in_toSql, in_precision, result.hour, result.minute, result.second, result.fraction, posts);
    result.posts = posts.Text();
    return result;
}

struct TimestampResult
{
    std::string posts;
    TDWTimestampValue value;
    bool operator==(const TimestampResult& o) const { return posts == o.posts && std::memcmp(&value, &o.value, sizeof(value)) == 0; }
};

TimestampResult ReadTimestamp(const std::string& in_text, bool in_toSql, int16_t in_precision)
{
    Exact text(in_text);
    TimestampResult result;
    Posts posts;
    LiteralParser::ConvertCharToTimestamp(text.bytes.get(), text.length, in_toSql, in_precision, result.value, posts);
    result.posts = posts.Text();
    return result;
}

void CheckDatetimes(const std::string& in_text, bool in_toSql, int16_t in_precision)
{
    const std::string context = Fuzz::Show(in_text) + (in_toSql ? " to SQL" : "") + " precision " + std::to_string(in_precision);
    const std::string padded = "  " + in_text + "   ";

    const DateResult date = ReadDate(in_text, in_toSql);
    FUZZ_CHECK(ReadDate(padded, in_toSql) == date, context + ": blanks changed the date");
    if (date.posts.empty())
    {
        FUZZ_CHECK(TDWDateValue::IsValid(date.year, date.month, date.day), context + ": invalid date accepted");
        const std::string canonical = DateText(date.year, date.month, date.day);
        FUZZ_CHECK(ReadDate(canonical, in_toSql) == date, context + ": the date does not read back from " + canonical);
        FUZZ_CHECK(ReadDate("{d '" + canonical + "'}", in_toSql) == date, context + ": the date escape differs");
    }

    const TimeResult time = ReadTime(in_text, in_toSql, in_precision);
    FUZZ_CHECK(ReadTime(padded, in_toSql, in_precision) == time, context + ": blanks changed the time");
    if (time.posts.empty())
    {
        FUZZ_CHECK(TDWTimeValue::IsValid(time.hour, time.minute, time.second, time.fraction), context + ": invalid time accepted");
        const std::string canonical = TimeText(time.hour, time.minute, time.second, time.fraction, in_precision);
        FUZZ_CHECK(ReadTime(canonical, in_toSql, in_precision) == time, context + ": the time does not read back from " + canonical);
    }

    const TimestampResult timestamp = ReadTimestamp(in_text, in_toSql, in_precision);
    FUZZ_CHECK(ReadTimestamp(padded, in_toSql, in_precision) == timestamp, context + ": blanks changed the timestamp");
    if (timestamp.posts.empty())
    {
        const TDWTimestampValue& v = timestamp.value;
        FUZZ_CHECK(v.IsValid(), context + ": invalid timestamp accepted");
        const std::string canonical = DateText(v.m_year, v.m_month, v.m_day) + " "
                                      + TimeText(v.m_hour, v.m_minute, v.m_second, v.m_fraction, in_precision);
        FUZZ_CHECK(ReadTimestamp(canonical, in_toSql, in_precision) == timestamp,
                   context + ": the timestamp does not read back from " + canonical);
        FUZZ_CHECK(ReadTimestamp("{ts '" + canonical + "'}", in_toSql, in_precision) == timestamp,
                   context + ": the timestamp escape differs");
    }

    // The raising parse raises exactly where the quiet one leaves its marker.
    Exact text(in_text);
    TDWTimestampValue quiet;
    quiet.Parse(text.bytes.get(), text.length, false);
    TDWTimestampValue marker;
    marker.SetInvalidMarker();
    const bool rejected = std::memcmp(&quiet, &marker, sizeof(quiet)) == 0;
    try
    {
        TDWTimestampValue raising;
        raising.Parse(text.bytes.get(), text.length, true);
        FUZZ_CHECK(!rejected && std::memcmp(&raising, &quiet, sizeof(quiet)) == 0, context + ": the raising parse differs");
    }
    catch (const SupportException& e)
    {
        const std::string key = Fuzz::KeyOf(e);
        FUZZ_CHECK(rejected && (key == "InvalidTimestampFormat" || key == "InvalidTimestampValue"), context + " raised " + key);
    }
}

/// The trimmed text of a number: blanks at both ends dropped.
std::string Trimmed(const std::string& in_text)
{
    const size_t first = in_text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : in_text.substr(first, in_text.find_last_not_of(' ') - first + 1);
}

/// The special word a trimmed text spells, as the readers compare them: 1 infinity, -1 minus
/// infinity, 2 NaN, 0 none.
int SpecialWord(const std::string& in_text)
{
    const auto isStart = [&](const char* in_word, size_t in_least) {
        if (in_text.size() < in_least || in_text.size() > std::strlen(in_word))
        {
            return false;
        }
        for (size_t i = 0; i < in_text.size(); ++i)
        {
            if (std::toupper(static_cast<unsigned char>(in_text[i])) != in_word[i])
            {
                return false;
            }
        }
        return true;
    };
    return isStart("INFINITY", 3) ? 1 : isStart("-INFINITY", 4) ? -1 : (in_text.size() == 3 && isStart("NAN", 3)) ? 2 : 0;
}

/// What an integer reader must post and store, by the exact-decimal reading of the text.
template <typename T>
void CheckInteger(const std::string& in_text,
                  bool in_toSql,
                  void (*in_read)(const char*, size_t, bool, T&, WarningListener&),
                  T (TDWNumeric::*in_get)(bool&) const)
{
    Exact text(in_text);
    Posts posts;
    T value = 0x5A;
    in_read(text.bytes.get(), text.length, in_toSql, value, posts);
    const std::string trimmed = Trimmed(in_text);
    std::string expected;
    T expectedValue = 0x5A;
    const TDWNumeric number(trimmed.c_str(), trimmed.size(), false);
    const int special = SpecialWord(trimmed);
    if (trimmed.empty())
    {
        expected = "InvalidCharValForCast";
    }
    else if (special != 0)
    {
        expected = "NumericValOutOfRange(" + std::to_string(special == 1 ? 0 : special == -1 ? 1 : 2) + ")";
    }
    else if (!number.IsValid())
    {
        expected = "InvalidCharValForCast";
    }
    else
    {
        bool overflow = false;
        const T exact = (number.*in_get)(overflow);
        if (overflow)
        {
            expected = std::string("NumericValOutOfRange(") + (number.IsNegative() ? "1" : "0") + ")";
        }
        else
        {
            expectedValue = exact;
            if (number.HasFraction())
            {
                expected = in_toSql ? "StrRightTruncErr" : std::string("FractionalTrunc(") + (number.IsNegative() ? "0" : "1") + ")";
            }
        }
    }
    const std::string context = Fuzz::Show(in_text) + (in_toSql ? " to SQL" : "");
    FUZZ_CHECK(posts.Text() == expected, context + " posted [" + posts.Text() + "], expected [" + expected + "]");
    FUZZ_CHECK(expectedValue == 0x5A || value == expectedValue,
               context + " stored " + std::to_string(value) + ", expected " + std::to_string(expectedValue));
}

void CheckNumbers(const std::string& in_text, bool in_toSql)
{
    CheckInteger<int8_t>(in_text, in_toSql, &LiteralParser::ConvertCharToSTinyInt, &TDWNumeric::GetInt8);
    CheckInteger<uint8_t>(in_text, in_toSql, &LiteralParser::ConvertCharToUTinyInt, &TDWNumeric::GetUInt8);
    CheckInteger<int16_t>(in_text, in_toSql, &LiteralParser::ConvertCharToSShort, &TDWNumeric::GetInt16);
    CheckInteger<uint16_t>(in_text, in_toSql, &LiteralParser::ConvertCharToUShort, &TDWNumeric::GetUInt16);
    CheckInteger<int32_t>(in_text, in_toSql, &LiteralParser::ConvertCharToSLong, &TDWNumeric::GetInt32);
    CheckInteger<uint32_t>(in_text, in_toSql, &LiteralParser::ConvertCharToULong, &TDWNumeric::GetUInt32);
    CheckInteger<int64_t>(in_text, in_toSql, &LiteralParser::ConvertCharToSBigInt, &TDWNumeric::GetInt64);
    CheckInteger<uint64_t>(in_text, in_toSql, &LiteralParser::ConvertCharToUBigInt, &TDWNumeric::GetUInt64);

    const std::string context = Fuzz::Show(in_text);
    const std::string trimmed = Trimmed(in_text);
    const TDWNumeric number(trimmed.c_str(), trimmed.size(), false);
    {
        Exact text(in_text);
        Posts posts;
        TDWNumeric value;
        int16_t digits = -1;
        const bool read = LiteralParser::ConvertCharToNumeric(text.bytes.get(), text.length, value, digits, posts);
        FUZZ_CHECK(read == posts.Text().empty(), context + ": the numeric reader's result and posts disagree");
        // Trailing NULs are ignored as well as blanks.
        const std::string unNul = Trimmed(in_text.substr(0, in_text.find_last_not_of(std::string(" \0", 2)) + 1));
        const TDWNumeric reference(unNul.c_str(), unNul.size(), false);
        FUZZ_CHECK(!read || (reference.IsValid() && value == reference && value.GetExponent() == reference.GetExponent()),
                   context + ": the numeric reader's value differs from the exact reading");
    }
    {
        Exact text(in_text);
        Posts posts;
        uint8_t bit = 0x5A;
        LiteralParser::ConvertCharToBit(text.bytes.get(), text.length, &bit, posts);
        std::string expected;
        uint8_t expectedBit = 0x5A;
        if (trimmed.empty() || SpecialWord(trimmed) != 0)
        {
            expected = "NumericValOutOfRange(2)";
        }
        else if (!number.IsValid())
        {
            expected = "InvalidCharValForCast";
        }
        else
        {
            const bool negative = TDWNumeric::Compare(number, TDWNumeric::Zero()) == TDWNumeric::Comparison::LESS;
            const bool twoOrMore = TDWNumeric::Two() <= number;
            expected = negative ? "NumericValOutOfRange(1)" : twoOrMore ? "NumericValOutOfRange(0)" : "";
            if (!negative && !twoOrMore)
            {
                expectedBit = TDWNumeric::One() <= number ? 1 : 0;
                const bool whole = number == TDWNumeric::Zero() || number == TDWNumeric::One();
                expected = whole ? "" : expectedBit ? "FractionalTrunc(1)" : "FractionalTrunc(0)";
            }
        }
        FUZZ_CHECK(posts.Text() == expected, context + " as a bit posted [" + posts.Text() + "], expected [" + expected + "]");
        FUZZ_CHECK(expectedBit == 0x5A || bit == expectedBit, context + " as a bit stored " + std::to_string(bit));
    }
    for (bool isDouble : {true, false})
    {
        Exact text(in_text);
        Posts posts;
        double stored = -12345.0;
        float storedSingle = -12345.0f;
        LiteralParser::ConvertCharToDouble(text.bytes.get(), text.length, isDouble ? static_cast<void*>(&stored) : &storedSingle, isDouble, posts);
        const double value = isDouble ? stored : storedSingle;
        const size_t first = in_text.find_first_not_of(' ');
        const std::string afterLeading = first == std::string::npos ? std::string() : in_text.substr(first);
        const int special = SpecialWord(afterLeading);
        if (trimmed.empty())
        {
            FUZZ_CHECK(posts.Text() == "InvalidCharValForCast", context + " blank as a double posted [" + posts.Text() + "]");
            continue;
        }
        if (special != 0)
        {
            FUZZ_CHECK(posts.Text().empty() && (special == 2 ? std::isnan(value) : value == special * HUGE_VAL),
                       context + ": a special word as a double");
            continue;
        }
        const std::string terminated(afterLeading.c_str());
        const char* end = nullptr;
        double expected = NumberConverter::ParseDouble(terminated.c_str(), &end);
        const bool number = end != terminated.c_str()
                            && afterLeading.find_first_not_of(' ', static_cast<size_t>(end - terminated.c_str())) == std::string::npos;
        if (!number)
        {
            FUZZ_CHECK(posts.Text() == "InvalidCharValForCast" && value == -12345.0, context + " as a double posted [" + posts.Text() + "]");
            continue;
        }
        const double smallest = isDouble ? std::numeric_limits<double>::min() : std::numeric_limits<float>::min();
        // A float is read from the text itself: rounding the text to a double first can land on a
        // tie between two floats that the text itself does not sit on.
        const std::string numberText = terminated.substr(0, static_cast<size_t>(end - terminated.c_str()));
        const double rounded = isDouble ? expected : std::strtof(numberText.c_str(), nullptr);
        if (std::isinf(rounded))
        {
            const std::string direction = afterLeading[0] == '-' ? "1" : "0";
            FUZZ_CHECK(posts.Text() == "NumericValOutOfRange(" + direction + ")" && value == -12345.0,
                       context + " out of range as a double posted [" + posts.Text() + "]");
            continue;
        }
        expected = std::fabs(expected) < smallest ? 0.0 : rounded;
        FUZZ_CHECK(posts.Text().empty() && (value == expected || (value == 0 && expected == 0)),
                   context + " as a double stored " + std::to_string(value) + " with [" + posts.Text() + "]");
    }
}

void CheckGuid(const std::string& in_text)
{
    Exact text(in_text);
    Posts posts;
    unsigned char guid[16];
    std::memset(guid, 0x5A, sizeof(guid));
    int64_t length = -1;
    LiteralParser::ConvertCharToGuid(text.bytes.get(), text.length, guid, length, posts);
    const std::string context = Fuzz::Show(in_text) + " as a GUID";
    FUZZ_CHECK(posts.Text().empty() || posts.Text() == "NumericValOutOfRange(2)", context + " posted [" + posts.Text() + "]");
    if (!posts.Text().empty())
    {
        return;
    }
    FUZZ_CHECK(length == 16, context + ": target length");
    TDWGuidValue value;
    std::memcpy(&value, guid, sizeof(guid));
    std::unique_ptr<char[]> written(new char[36]);
    value.ToChars(written.get(), false);
    const std::string canonical(written.get(), 36);
    for (const std::string& form : {canonical, "{" + canonical + "}", " {guid '" + canonical + "'} "})
    {
        Exact again(form);
        Posts againPosts;
        unsigned char back[16];
        int64_t backLength = -1;
        LiteralParser::ConvertCharToGuid(again.bytes.get(), again.length, back, backLength, againPosts);
        FUZZ_CHECK(againPosts.Text().empty() && std::memcmp(back, guid, sizeof(guid)) == 0, context + " does not read back from " + form);
    }
}

struct DayTime
{
    IntervalParseCode code;
    DayTimeIntervalParse record;
    bool operator==(const DayTime& o) const
    {
        const DayTimeIntervalParse &a = record, &b = o.record;
        return code == o.code && a.m_day == b.m_day && a.m_hour == b.m_hour && a.m_minute == b.m_minute && a.m_second == b.m_second
               && a.m_fraction == b.m_fraction && a.m_fieldCount == b.m_fieldCount && a.m_fractionDigits == b.m_fractionDigits
               && a.m_isNegative == b.m_isNegative;
    }
};

DayTime ReadDayTime(const std::string& in_text, int16_t in_precision)
{
    Exact text(in_text);
    DayTime result;
    result.code = IntervalLiteralParser::ParseDayTimeInterval(text.bytes.get(), text.length, result.record, in_precision);
    return result;
}

/// The text of a day-time record read from in_first (0 day ... 3 second) on.
std::string DayTimeText(const DayTimeIntervalParse& in_record, int in_first, int16_t in_precision)
{
    const uint32_t fields[] = {in_record.m_day, in_record.m_hour, in_record.m_minute, in_record.m_second};
    const char* separators[] = {" ", ":", ":", "."};
    std::string text = in_record.m_isNegative ? "-" : "";
    int count = 0;
    for (int field = in_first; field < 4 && count < in_record.m_fieldCount; ++field, ++count)
    {
        text += (count == 0 ? "" : separators[field - 1]) + std::to_string(fields[field]);
    }
    if (count < in_record.m_fieldCount)
    {
        const int digits = in_record.m_fractionDigits;
        uint64_t fraction = static_cast<uint32_t>(in_record.m_fraction);
        for (int i = digits; i < in_precision; ++i)
        {
            fraction /= 10;
        }
        text += "." + Digits(fraction, digits);
    }
    return text;
}

void CheckIntervals(const std::string& in_text, int16_t in_precision)
{
    const std::string context = Fuzz::Show(in_text) + " precision " + std::to_string(in_precision);
    const DayTime dayTime = ReadDayTime(in_text, in_precision);
    FUZZ_CHECK(ReadDayTime(in_text + "  ", in_precision) == dayTime || in_text.empty(), context + ": trailing blanks changed the interval");
    if (dayTime.code == IntervalParseCode::PARSED)
    {
        const DayTimeIntervalParse& r = dayTime.record;
        FUZZ_CHECK(r.m_fieldCount >= 1 && r.m_fieldCount <= 5 && r.m_fractionDigits <= 9, context + ": field counts");
        bool readsBack = false;
        std::string tried;
        // A text may end right after a separator, which tells minutes and seconds ("12:30.")
        // from hours and minutes ("12:30").
        for (int first = 0; first < 4 && !readsBack; ++first)
        {
            const std::string text = DayTimeText(r, first, in_precision);
            const int last = first + r.m_fieldCount - 1;
            const std::string ended = last <= 3 ? text + " ::."[last] : text;
            readsBack = ReadDayTime(text, in_precision) == dayTime || ReadDayTime(ended, in_precision) == dayTime;
            tried += " " + text + " " + ended;
        }
        FUZZ_CHECK(readsBack, context + ": no canonical text reads back; tried" + tried);
    }

    Exact text(in_text);
    YearMonthIntervalParse yearMonth;
    const IntervalParseCode code = IntervalLiteralParser::ParseYearMonthInterval(text.bytes.get(), text.length, yearMonth);
    // The year-month grammar: [-] Y{1,9} [- M{1,2} with M <= 11], trailing blanks.
    std::string body = in_text.substr(0, in_text.find_last_not_of(' ') + 1);
    const bool negative = !body.empty() && body[0] == '-';
    body = body.substr(negative ? 1 : 0);
    const size_t years = std::min(body.find_first_not_of("0123456789"), body.size());
    IntervalParseCode expected = IntervalParseCode::MALFORMED;
    if (years > 9)
    {
        expected = negative ? IntervalParseCode::LEADING_FIELD_TOO_LONG_NEGATIVE : IntervalParseCode::LEADING_FIELD_TOO_LONG_POSITIVE;
    }
    else if (years > 0 && years == body.size())
    {
        expected = IntervalParseCode::PARSED;
    }
    else if (years > 0 && body[years] == '-' && body.size() - years - 1 >= 1 && body.size() - years - 1 <= 2
             && body.find_first_not_of("0123456789", years + 1) == std::string::npos && std::stoi(body.substr(years + 1)) <= 11)
    {
        expected = IntervalParseCode::PARSED;
    }
    FUZZ_CHECK(code == expected, context + ": year-month code " + std::to_string(static_cast<int>(code)) + ", expected "
                                     + std::to_string(static_cast<int>(expected)));
    if (code == IntervalParseCode::PARSED)
    {
        const bool single = years == body.size();
        FUZZ_CHECK(yearMonth.m_isNegative == negative && yearMonth.m_isSingleField == single
                       && yearMonth.m_years == std::stoul(body.substr(0, years))
                       && yearMonth.m_months == (single ? 0u : std::stoul(body.substr(years + 1))),
                   context + ": year-month fields");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    // The first byte chooses the family, the direction and the fraction precision.
    const uint8_t choice = in_data[0];
    const std::string text(reinterpret_cast<const char*>(in_data) + 1, in_size - 1);
    const bool toSql = choice & 8;
    const int16_t precision = static_cast<int16_t>((choice >> 4) % 10);
    switch (choice & 3)
    {
    case 0: CheckDatetimes(text, toSql, precision); break;
    case 1: CheckNumbers(text, toSql); break;
    case 2: CheckGuid(text); break;
    default: CheckIntervals(text, precision); break;
    }
    return 0;
}
