// Intervals into intervals of their family and into integers and exact numerics, from SQL-side
// values and from the application's interval structure.

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

enum Unit
{
    YEAR,
    MONTH,
    DAY,
    HOUR,
    MINUTE,
    SECOND
};

/// Each unit counted in the smallest unit of its family (months, or seconds).
constexpr uint64_t UNIT_SIZE[] = {12, 1, 86400, 3600, 60, 1};

/// An interval kind as the test knows it: its SQL and C type ids and its fields.
struct Kind
{
    TDWType sqlType;
    TDWType cType;
    std::vector<Unit> units;

    bool HasSeconds() const { return units.back() == SECOND; }
    bool IsYearMonth() const { return units.front() <= MONTH; }
};

const std::vector<Kind> KINDS = {
    {TDW_SQL_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR, {YEAR}},
    {TDW_SQL_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH, {MONTH}},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH, {YEAR, MONTH}},
    {TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY, {DAY}},
    {TDW_SQL_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR, {HOUR}},
    {TDW_SQL_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE, {MINUTE}},
    {TDW_SQL_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND, {SECOND}},
    {TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR, {DAY, HOUR}},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE, {DAY, HOUR, MINUTE}},
    {TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND, {DAY, HOUR, MINUTE, SECOND}},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE, {HOUR, MINUTE}},
    {TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND, {HOUR, MINUTE, SECOND}},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND, {MINUTE, SECOND}},
};

const Kind& KindOf(TDWType in_type)
{
    for (const Kind& kind : KINDS)
    {
        if (kind.sqlType == in_type || kind.cType == in_type)
        {
            return kind;
        }
    }
    ADD_FAILURE() << "no interval kind " << in_type;
    return KINDS.front();
}

/// An interval value: its fields (those of its kind, in order), fraction and sign.
struct Value
{
    std::vector<uint32_t> fields;
    uint32_t fraction = 0;
    bool isNegative = false;
};

void Append32(std::string& io_bytes, uint32_t in_value)
{
    for (int i = 0; i < 4; ++i)
    {
        io_bytes += static_cast<char>((in_value >> (8 * i)) & 0xFF);
    }
}

/// The SQL-side record: the fields, the fraction for kinds with seconds, the sign and padding.
std::string SqlRecord(const Kind& in_kind, const Value& in_value)
{
    std::string bytes;
    for (uint32_t field : in_value.fields)
    {
        Append32(bytes, field);
    }
    if (in_kind.HasSeconds())
    {
        Append32(bytes, in_value.fraction);
    }
    bytes += std::string(1, in_value.isNegative ? '\x01' : '\0') + std::string(3, '\0');
    return bytes;
}

size_t RecordSize(const Kind& in_kind)
{
    return 4 * (in_kind.units.size() + (in_kind.HasSeconds() ? 1 : 0) + 1);
}

/// A target interval of in_type with leading precision in_leading and seconds precision
/// in_precision, whose record holds 0xEE bytes before the conversion.
SqlValue Target(TDWType in_type, uint64_t in_leading, int16_t in_precision)
{
    SqlValue target(in_type);
    target.Metadata().SetLengthOrIntervalPrecision(in_leading);
    target.Metadata().SetPrecision(in_precision);
    std::memset(target.Data().GetBuffer(), 0xEE, RecordSize(KindOf(in_type)));
    target.Data().SetConvertedLength(-1);
    return target;
}

/// "<result> | <target record, or kept>" and the converted length checked against the record.
std::string Outcome(const ConversionResult* in_result, SqlValue& io_target)
{
    const Kind& kind = KindOf(io_target.Metadata().GetTDWType());
    const std::string record(static_cast<const char*>(io_target.Data().GetBuffer()), RecordSize(kind));
    EXPECT_FALSE(io_target.Data().IsNull());
    if (record == std::string(RecordSize(kind), '\xEE'))
    {
        EXPECT_EQ(-1, io_target.Data().GetConvertedLength()) << "nothing stored, nothing counted";
        return Describe(in_result) + " | kept";
    }
    EXPECT_EQ(static_cast<int64_t>(RecordSize(kind)), io_target.Data().GetConvertedLength());
    return Describe(in_result) + " | " + ShowSqlValue(io_target.Metadata().GetTDWType(), record);
}

struct Precisions
{
    int16_t source = 6;
    uint64_t leading = 9;
    int16_t target = 6;
};

std::string ConvertSql(TDWType in_source, const Value& in_value, TDWType in_target, Precisions in_precisions = {})
{
    const std::unique_ptr<ISqlToSqlConverter> converter = SqlToSqlConverterOfCell(in_source, in_target);
    SqlValue source(in_source);
    source.Metadata().SetPrecision(in_precisions.source);
    source.Set(SqlRecord(KindOf(in_source), in_value));
    SqlValue target = Target(in_target, in_precisions.leading, in_precisions.target);
    const std::unique_ptr<ConversionResult> result = converter->Convert(source.Data(), target.Data());
    return Outcome(result.get(), target);
}

/// The application's structure with in_value's fields at the places of in_cType's members.
SQL_INTERVAL_STRUCT Structure(TDWType in_cType, const Value& in_value, SQLSMALLINT in_sign)
{
    SQL_INTERVAL_STRUCT structure;
    std::memset(&structure, 0, sizeof(structure));
    structure.interval_sign = in_sign;
    const Kind& kind = KindOf(in_cType);
    for (size_t i = 0; i < kind.units.size(); ++i)
    {
        SQLUINTEGER* const places[] = {&structure.intval.year_month.year, &structure.intval.year_month.month,
                                       &structure.intval.day_second.day, &structure.intval.day_second.hour,
                                       &structure.intval.day_second.minute, &structure.intval.day_second.second};
        *places[kind.units[i]] = in_value.fields[i];
    }
    structure.intval.day_second.fraction = kind.HasSeconds() ? in_value.fraction : 0;
    return structure;
}

std::string ConvertStructure(TDWType in_cType,
                             const SQL_INTERVAL_STRUCT& in_structure,
                             TDWType in_target,
                             Precisions in_precisions = {})
{
    BoundParameter parameter(in_cType, in_target);
    parameter.Wrapper().GetMetadata().SetPrecision(in_precisions.source);
    SqlValue target = Target(in_target, in_precisions.leading, in_precisions.target);
    Orvik::ODBC::CDataWrapper& wrapper = parameter.Wrapper();
    std::string bytes(reinterpret_cast<const char*>(&in_structure), sizeof(in_structure));
    wrapper.SetData(&bytes[0]);
    wrapper.SetDataLength(-77);
    const std::unique_ptr<ConversionResult> result = parameter.Converter().Convert(wrapper, target.Data());
    return Outcome(result.get(), target);
}

std::string ConvertC(TDWType in_cType, const Value& in_value, TDWType in_target, Precisions in_precisions = {})
{
    return ConvertStructure(in_cType, Structure(in_cType, in_value, in_value.isNegative ? 1 : 0), in_target,
                            in_precisions);
}

/// The value of in_total smallest units as the fields of in_kind, the leading field taking what
/// the others leave, and what is left below the kind's last unit.
Value Decompose(uint64_t in_total, const Kind& in_kind, uint64_t& out_rest)
{
    Value value;
    uint64_t rest = in_total;
    for (Unit unit : in_kind.units)
    {
        value.fields.push_back(static_cast<uint32_t>(rest / UNIT_SIZE[unit]));
        rest %= UNIT_SIZE[unit];
    }
    out_rest = rest;
    return value;
}

std::string Show(const Value& in_value, bool in_hasSeconds)
{
    std::string text;
    for (size_t i = 0; i < in_value.fields.size(); ++i)
    {
        text += (i > 0 ? " " : "") + std::to_string(in_value.fields[i]);
    }
    return text + (in_hasSeconds ? "." + std::to_string(in_value.fraction) : "") + (in_value.isNegative ? " -" : "");
}

} // namespace

// The reference: a source whose lower fields are within their units is worth its total in the
// family's smallest unit; the target holds that total cut to its last unit, spread over its fields
// the same way, and a remainder (or a fraction, for a target without seconds) is a quantity that
// had no place.
TEST(IntervalToSql, EveryPairOfAFamilyKeepsTheValueItsTargetCanHold)
{
    const std::vector<uint64_t> dayTimeTotals = {0, 59, 3600, 93784, 3 * 86400 + 60, 1000000, 86399};
    const std::vector<uint64_t> yearMonthTotals = {0, 11, 12, 18, 1205};
    int pairs = 0;
    for (const Kind& from : KINDS)
    {
        for (const Kind& to : KINDS)
        {
            if (from.IsYearMonth() != to.IsYearMonth())
            {
                continue;
            }
            ++pairs;
            for (uint64_t total : from.IsYearMonth() ? yearMonthTotals : dayTimeTotals)
            {
                for (bool isNegative : {false, true})
                {
                    uint64_t unused = 0;
                    Value source = Decompose(total, from, unused);
                    source.fraction = from.HasSeconds() ? 250000 : 0;
                    source.isNegative = isNegative;
                    const uint64_t sourceTotal = total - unused;
                    uint64_t rest = 0;
                    Value expected = Decompose(sourceTotal, to, rest);
                    expected.fraction = to.HasSeconds() ? source.fraction : 0;
                    expected.isNegative = isNegative;
                    const bool isDropped = rest != 0 || (source.fraction != 0 && !to.HasSeconds());
                    const std::string outcome =
                        std::string(isDropped ? "IntervalFieldOverflow(2)" : "") + " | "
                        + Show(expected, to.HasSeconds());
                    EXPECT_EQ(outcome, ConvertSql(from.sqlType, source, to.sqlType))
                        << from.sqlType << " to " << to.sqlType << " of " << total;
                    EXPECT_EQ(outcome, ConvertC(from.cType, source, to.sqlType))
                        << from.cType << " to " << to.sqlType << " of " << total;
                }
            }
        }
    }
    EXPECT_EQ(10 * 10 + 3 * 3, pairs);
}

TEST(IntervalToSql, LowerFieldsAreCarriedAsTheyStandAndFoldedAtTheirFullValue)
{
    const Value dayAndThirtyHours{{1, 30}};
    EXPECT_EQ(" | 54", ConvertSql(TDW_SQL_INTERVAL_DAY_TO_HOUR, dayAndThirtyHours, TDW_SQL_INTERVAL_HOUR));
    EXPECT_EQ("IntervalFieldOverflow(2) | 1",
              ConvertSql(TDW_SQL_INTERVAL_DAY_TO_HOUR, dayAndThirtyHours, TDW_SQL_INTERVAL_DAY));
    EXPECT_EQ(" | 1 30 0", ConvertSql(TDW_SQL_INTERVAL_DAY_TO_HOUR, dayAndThirtyHours, TDW_SQL_INTERVAL_DAY_TO_MINUTE));
    EXPECT_EQ(" | 0 75 0.0",
              ConvertSql(TDW_SQL_INTERVAL_HOUR_TO_MINUTE, Value{{0, 75}}, TDW_SQL_INTERVAL_HOUR_TO_SECOND));
    EXPECT_EQ(" | 1 1", ConvertSql(TDW_SQL_INTERVAL_MINUTE, Value{{1500}}, TDW_SQL_INTERVAL_DAY_TO_HOUR));
    EXPECT_EQ("IntervalFieldOverflow(2) | 1 1",
              ConvertSql(TDW_SQL_INTERVAL_MINUTE, Value{{1501}}, TDW_SQL_INTERVAL_DAY_TO_HOUR));
    EXPECT_EQ(" | 1 1 1 0.0", ConvertSql(TDW_SQL_INTERVAL_MINUTE, Value{{1501}}, TDW_SQL_INTERVAL_DAY_TO_SECOND));
    EXPECT_EQ(" | 1 6", ConvertSql(TDW_SQL_INTERVAL_MONTH, Value{{18}}, TDW_SQL_INTERVAL_YEAR_TO_MONTH));
}

TEST(IntervalToSql, ALeadingFieldBeyondItsPrecisionIsRefusedAndNothingIsStored)
{
    struct Case
    {
        Value value;
        uint64_t leading;
        TDWType target;
        const char* expected;
    };
    const Case cases[] = {
        {Value{{100}}, 2, TDW_SQL_INTERVAL_DAY, "IntervalFieldOverflow(0) | kept"},
        {Value{{100}, 0, true}, 2, TDW_SQL_INTERVAL_DAY, "IntervalFieldOverflow(1) | kept"},
        {Value{{100}}, 3, TDW_SQL_INTERVAL_DAY, " | 100"},
        {Value{{0}}, 0, TDW_SQL_INTERVAL_DAY, "IntervalFieldOverflow(0) | kept"},
        {Value{{0}, 0, true}, 0, TDW_SQL_INTERVAL_HOUR, "IntervalFieldOverflow(1) | kept"},
        // Folding is never cut to 32 bits: 50,000 days are 4,320,000,000 seconds, which 32 bits
        // would wrap to 25,032,704, and 49,711 days would wrap to 63,104.
        {Value{{50000}}, 9, TDW_SQL_INTERVAL_SECOND, "IntervalFieldOverflow(0) | kept"},
        {Value{{49711}}, 9, TDW_SQL_INTERVAL_SECOND, "IntervalFieldOverflow(0) | kept"},
        {Value{{11574}}, 9, TDW_SQL_INTERVAL_SECOND, " | 999993600.0"},
    };
    for (const Case& c : cases)
    {
        Precisions precisions;
        precisions.leading = c.leading;
        EXPECT_EQ(c.expected, ConvertSql(TDW_SQL_INTERVAL_DAY, c.value, c.target, precisions))
            << c.value.fields[0] << " to " << c.target;
    }
    Precisions two;
    two.leading = 2;
    EXPECT_EQ("IntervalFieldOverflow(0) | kept",
              ConvertSql(TDW_SQL_INTERVAL_DAY_TO_HOUR, Value{{100, 5}}, TDW_SQL_INTERVAL_DAY, two))
        << "only the leading-field overflow is told when a field is also dropped";
    EXPECT_EQ("IntervalFieldOverflow(0) | kept",
              ConvertSql(TDW_SQL_INTERVAL_YEAR, Value{{400000000}}, TDW_SQL_INTERVAL_MONTH))
        << "4,800,000,000 months";
    EXPECT_EQ("IntervalFieldOverflow(1) | kept",
              ConvertC(TDW_C_INTERVAL_DAY, Value{{4000000000U}, 0, true}, TDW_SQL_INTERVAL_MINUTE));
}

TEST(IntervalToSql, SqlFractionsAreRescaledAndCutDigitsReported)
{
    struct Case
    {
        Value value;
        int16_t from;
        int16_t to;
        const char* expected;
    };
    const Case cases[] = {
        {Value{{30}, 123456}, 6, 3, "FractionalTrunc(1) | 30.123"},
        {Value{{30}, 123456, true}, 6, 3, "FractionalTrunc(0) | 30.123 -"},
        {Value{{30}, 123000}, 6, 3, " | 30.123"},
        {Value{{30}, 123}, 3, 6, " | 30.123000"},
        {Value{{30}, 123456}, 6, 6, " | 30.123456"},
        // Every fraction has a digit, which a precision of 0 cannot keep.
        {Value{{30}, 0}, 6, 0, "FractionalTrunc(1) | 30.0"},
        {Value{{30}, 0, true}, 0, 0, "FractionalTrunc(0) | 30.0 -"},
        // A fraction with more digits than its own precision is kept and reported.
        {Value{{30}, 1234567}, 6, 6, "FractionalTrunc(1) | 30.1234567"},
        // Scaled up beyond 32 bits it has no place at all.
        {Value{{30}, 5000000}, 6, 9, "IntervalFieldOverflow(2) | kept"},
        {Value{{30}, 4294967295U}, 0, 9, "IntervalFieldOverflow(2) | kept"},
    };
    for (const Case& c : cases)
    {
        Precisions precisions;
        precisions.source = c.from;
        precisions.target = c.to;
        EXPECT_EQ(c.expected, ConvertSql(TDW_SQL_INTERVAL_SECOND, c.value, TDW_SQL_INTERVAL_SECOND, precisions))
            << c.value.fraction << " from " << c.from << " to " << c.to;
    }
    Precisions precisions;
    precisions.target = 3;
    EXPECT_EQ("FractionalTrunc(1) | 1 2 3 4.567",
              ConvertSql(TDW_SQL_INTERVAL_DAY_TO_SECOND, Value{{1, 2, 3, 4}, 567890}, TDW_SQL_INTERVAL_DAY_TO_SECOND,
                         precisions));
}

TEST(IntervalToSql, ANullSourceMakesANullTargetAndChangesNothingElse)
{
    const std::unique_ptr<ISqlToSqlConverter> converter =
        SqlToSqlConverterOfCell(TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_MINUTE);
    SqlValue source(TDW_SQL_INTERVAL_HOUR);
    source.Set(SqlRecord(KindOf(TDW_SQL_INTERVAL_HOUR), Value{{5}}));
    source.Data().SetNull(true);
    SqlValue target = Target(TDW_SQL_INTERVAL_MINUTE, 9, 0);
    EXPECT_EQ(nullptr, converter->Convert(source.Data(), target.Data()));
    EXPECT_TRUE(target.Data().IsNull());
    EXPECT_EQ(std::string(8, '\xEE'), target.Bytes());
    EXPECT_EQ(-1, target.Data().GetConvertedLength());

    BoundParameter parameter(TDW_C_INTERVAL_HOUR, TDW_SQL_INTERVAL_MINUTE);
    parameter.Wrapper().SetNull(true);
    EXPECT_EQ(nullptr, parameter.Converter().Convert(parameter.Wrapper(), target.Data()));
    EXPECT_TRUE(target.Data().IsNull());
    EXPECT_EQ(std::string(8, '\xEE'), target.Bytes());
}

TEST(IntervalToSql, TheApplicationStructureIsReadAsItsBoundTypeNamesItsMembers)
{
    // A structure filled as a YEAR interval but bound as DAY: its first member is the day.
    SQL_INTERVAL_STRUCT year;
    std::memset(&year, 0, sizeof(year));
    year.interval_type = SQL_IS_YEAR;
    year.intval.year_month.year = 5;
    EXPECT_EQ(" | 120", ConvertStructure(TDW_C_INTERVAL_DAY, year, TDW_SQL_INTERVAL_HOUR));

    // Only the bound type's members are read; the others may hold anything.
    SQL_INTERVAL_STRUCT full;
    std::memset(&full, 0, sizeof(full));
    full.intval.day_second = {7, 8, 9, 10, 11};
    EXPECT_EQ(" | 8", ConvertStructure(TDW_C_INTERVAL_HOUR, full, TDW_SQL_INTERVAL_HOUR));
    EXPECT_EQ(" | 8", ConvertStructure(TDW_C_INTERVAL_MONTH, full, TDW_SQL_INTERVAL_MONTH));
    EXPECT_EQ(" | 9 10.11", ConvertStructure(TDW_C_INTERVAL_MINUTE_TO_SECOND, full, TDW_SQL_INTERVAL_MINUTE_TO_SECOND));

    // Only a sign of 1 is negative, also when the leading field overflows.
    const Value hundred{{100}};
    Precisions two;
    two.leading = 2;
    for (SQLSMALLINT sign : {0, 2, -1})
    {
        EXPECT_EQ(" | 100",
                  ConvertStructure(TDW_C_INTERVAL_DAY, Structure(TDW_C_INTERVAL_DAY, hundred, sign),
                                   TDW_SQL_INTERVAL_DAY))
            << sign;
        EXPECT_EQ("IntervalFieldOverflow(0) | kept",
                  ConvertStructure(TDW_C_INTERVAL_DAY, Structure(TDW_C_INTERVAL_DAY, hundred, sign),
                                   TDW_SQL_INTERVAL_DAY, two))
            << sign;
    }
    EXPECT_EQ(" | 100 -",
              ConvertStructure(TDW_C_INTERVAL_DAY, Structure(TDW_C_INTERVAL_DAY, hundred, 1), TDW_SQL_INTERVAL_DAY));

    EXPECT_EQ("IntervalFieldOverflow(2) | 1",
              ConvertC(TDW_C_INTERVAL_DAY_TO_SECOND, Value{{1, 30, 0, 0}}, TDW_SQL_INTERVAL_DAY));
}

TEST(IntervalToSql, AnApplicationFractionIsCutSilentlyAndJudgedByItsDigits)
{
    struct Case
    {
        uint32_t fraction;
        int16_t from;
        int16_t to;
        const char* expected;
    };
    const Case cases[] = {
        {500, 3, 6, " | 7.500000"},
        {123456, 6, 3, " | 7.123"},
        {123456, 6, 0, "FractionalTrunc(1) | 7.0"},
        {1234567, 6, 6, "FractionalTrunc(1) | 7.1234567"},
        // A precision beyond nine digits takes a digit off first.
        {1234567890, 10, 9, " | 7.12345678"},
        // No precision scales a fraction beyond 32 bits.
        {5, -12, 3, "IntervalFieldOverflow(2) | kept"},
        {5, 40, 9, " | 7.0"},
    };
    for (const Case& c : cases)
    {
        Precisions precisions;
        precisions.source = c.from;
        precisions.target = c.to;
        EXPECT_EQ(c.expected,
                  ConvertC(TDW_C_INTERVAL_SECOND, Value{{7}, c.fraction}, TDW_SQL_INTERVAL_SECOND, precisions))
            << c.fraction << " from " << c.from << " to " << c.to;
    }
}

TEST(IntervalToSql, ABufferBoundAsDefaultHoldsTheTargetsOwnInterval)
{
    SQL_INTERVAL_STRUCT structure;
    std::memset(&structure, 0, sizeof(structure));
    structure.intval.day_second.hour = 3;
    structure.intval.day_second.minute = 15;
    EXPECT_EQ(" | 3 15", ConvertStructure(TDW_C_DEFAULT, structure, TDW_SQL_INTERVAL_HOUR_TO_MINUTE));
}

namespace {

struct IntegerTarget
{
    TDWType type;
    size_t size;
    bool isSigned;
};

const IntegerTarget INTEGER_TARGETS[] = {
    {TDW_SQL_STINYINT, 1, true},  {TDW_SQL_UTINYINT, 1, false}, {TDW_SQL_SSMALLINT, 2, true},
    {TDW_SQL_USMALLINT, 2, false}, {TDW_SQL_SINTEGER, 4, true},  {TDW_SQL_UINTEGER, 4, false},
    {TDW_SQL_SBIGINT, 8, true},   {TDW_SQL_UBIGINT, 8, false},
};

const IntegerTarget& IntegerTargetOf(TDWType in_type)
{
    for (const IntegerTarget& target : INTEGER_TARGETS)
    {
        if (target.type == in_type)
        {
            return target;
        }
    }
    ADD_FAILURE() << "no integer type " << in_type;
    return INTEGER_TARGETS[0];
}

/// The integer an image of in_target's width spells.
std::string ShowInteger(const IntegerTarget& in_target, const std::string& in_bytes)
{
    uint64_t bits = 0;
    for (size_t i = 0; i < in_target.size; ++i)
    {
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(in_bytes[i])) << (8 * i);
    }
    const int shift = static_cast<int>(64 - 8 * in_target.size);
    if (in_target.isSigned)
    {
        return std::to_string(static_cast<int64_t>(bits << shift) >> shift);
    }
    return std::to_string(bits);
}

/// "<result> | <number, or kept>" for an integer or exact numeric target.
template <typename Convert>
std::string IntoNumber(TDWType in_target, int16_t in_precision, int16_t in_scale, Convert in_convert)
{
    SqlValue target(in_target);
    const bool isExact = in_target == TDW_SQL_NUMERIC || in_target == TDW_SQL_DECIMAL;
    if (isExact)
    {
        target.Metadata().SetPrecision(in_precision);
        target.Metadata().SetScale(in_scale);
    }
    const size_t size = isExact ? sizeof(TDWNumeric) : IntegerTargetOf(in_target).size;
    std::memset(target.Data().GetBuffer(), 0x7E, size);
    const std::unique_ptr<ConversionResult> result = in_convert(target);
    const std::string bytes(static_cast<const char*>(target.Data().GetBuffer()), size);
    if (bytes == std::string(size, '\x7E'))
    {
        return Describe(result.get()) + " | kept";
    }
    EXPECT_EQ(static_cast<int64_t>(size), target.Data().GetConvertedLength());
    if (!isExact)
    {
        return Describe(result.get()) + " | " + ShowInteger(IntegerTargetOf(in_target), bytes);
    }
    TDWNumeric number;
    std::memcpy(static_cast<void*>(&number), bytes.data(), sizeof(number));
    char digits[64];
    uint32_t leading = 0;
    EXPECT_TRUE(number.ToChars(sizeof(digits), digits, leading));
    return Describe(result.get()) + " | " + (number.IsNegative() ? "-" : "")
        + std::string(digits + leading, sizeof(digits) - leading) + "e" + std::to_string(number.GetExponent());
}

std::string SqlIntervalToNumber(TDWType in_source,
                                const Value& in_value,
                                TDWType in_target,
                                int16_t in_precision = 0,
                                int16_t in_scale = 0,
                                int16_t in_secondsPrecision = 6)
{
    return IntoNumber(in_target, in_precision, in_scale, [&](SqlValue& io_target) {
        SqlValue source(in_source);
        source.Metadata().SetPrecision(in_secondsPrecision);
        source.Set(SqlRecord(KindOf(in_source), in_value));
        return SqlToSqlConverterOfCell(in_source, in_target)->Convert(source.Data(), io_target.Data());
    });
}

std::string StructureToNumber(TDWType in_cType,
                              const SQL_INTERVAL_STRUCT& in_structure,
                              TDWType in_target,
                              int16_t in_precision = 0,
                              int16_t in_scale = 0,
                              int16_t in_secondsPrecision = 6)
{
    return IntoNumber(in_target, in_precision, in_scale, [&](SqlValue& io_target) {
        BoundParameter parameter(in_cType, in_target);
        parameter.Wrapper().GetMetadata().SetPrecision(in_secondsPrecision);
        std::string bytes(reinterpret_cast<const char*>(&in_structure), sizeof(in_structure));
        parameter.Wrapper().SetData(&bytes[0]);
        return parameter.Converter().Convert(parameter.Wrapper(), io_target.Data());
    });
}

} // namespace

TEST(IntervalToSql, AFieldIsStoredInTheIntegerBeforeItsRangeIsTested)
{
    struct Case
    {
        Value value;
        TDWType target;
        const char* expected;
    };
    const Case cases[] = {
        {Value{{127}}, TDW_SQL_STINYINT, " | 127"},
        {Value{{128}}, TDW_SQL_STINYINT, "NumericValOutOfRange(0) | -128"},
        {Value{{128}, 0, true}, TDW_SQL_STINYINT, " | -128"},
        {Value{{129}, 0, true}, TDW_SQL_STINYINT, "NumericValOutOfRange(1) | 127"},
        {Value{{255}}, TDW_SQL_UTINYINT, " | 255"},
        {Value{{256}}, TDW_SQL_UTINYINT, "NumericValOutOfRange(0) | 0"},
        {Value{{32768}, 0, true}, TDW_SQL_SSMALLINT, " | -32768"},
        {Value{{65536}}, TDW_SQL_USMALLINT, "NumericValOutOfRange(0) | 0"},
        {Value{{2147483648U}}, TDW_SQL_SINTEGER, "NumericValOutOfRange(0) | -2147483648"},
        {Value{{2147483648U}, 0, true}, TDW_SQL_SINTEGER, " | -2147483648"},
        {Value{{4294967295U}}, TDW_SQL_UINTEGER, " | 4294967295"},
        {Value{{4294967295U}, 0, true}, TDW_SQL_SBIGINT, " | -4294967295"},
        {Value{{4294967295U}}, TDW_SQL_UBIGINT, " | 4294967295"},
        // A negative value never fits an unsigned type, zero included.
        {Value{{0}, 0, true}, TDW_SQL_UTINYINT, "NumericValOutOfRange(1) | 0"},
        {Value{{0}, 0, true}, TDW_SQL_UBIGINT, "NumericValOutOfRange(1) | 0"},
        {Value{{1}, 0, true}, TDW_SQL_UINTEGER, "NumericValOutOfRange(1) | 4294967295"},
    };
    for (const Case& c : cases)
    {
        for (TDWType source :
             {TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR})
        {
            EXPECT_EQ(c.expected, SqlIntervalToNumber(source, c.value, c.target)) << source << " to " << c.target;
        }
        const TDWType cType = TDW_C_INTERVAL_MINUTE;
        EXPECT_EQ(c.expected, StructureToNumber(cType, Structure(cType, c.value, c.value.isNegative ? 1 : 0), c.target))
            << cType << " to " << c.target;
    }
}

TEST(IntervalToSql, EachStructureGivesTheFieldOfItsBoundType)
{
    SQL_INTERVAL_STRUCT structure;
    std::memset(&structure, 0, sizeof(structure));
    structure.interval_sign = 2;
    structure.intval.day_second = {12, 13, 14, 15, 500000};
    EXPECT_EQ(" | 12", StructureToNumber(TDW_C_INTERVAL_YEAR, structure, TDW_SQL_SINTEGER));
    EXPECT_EQ(" | 12", StructureToNumber(TDW_C_INTERVAL_DAY, structure, TDW_SQL_SINTEGER));
    EXPECT_EQ(" | 13", StructureToNumber(TDW_C_INTERVAL_MONTH, structure, TDW_SQL_SINTEGER));
    EXPECT_EQ(" | 13", StructureToNumber(TDW_C_INTERVAL_HOUR, structure, TDW_SQL_SINTEGER));
    EXPECT_EQ(" | 14", StructureToNumber(TDW_C_INTERVAL_MINUTE, structure, TDW_SQL_SINTEGER));
    // The structure's fraction is not read for an integer.
    EXPECT_EQ(" | 15", StructureToNumber(TDW_C_INTERVAL_SECOND, structure, TDW_SQL_SINTEGER));
    structure.interval_sign = 1;
    EXPECT_EQ(" | -15", StructureToNumber(TDW_C_INTERVAL_SECOND, structure, TDW_SQL_SBIGINT));
}

TEST(IntervalToSql, ASqlSecondReportsTheFractionAnIntegerDrops)
{
    EXPECT_EQ("FractionalTrunc(1) | 5",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_SECOND, Value{{5}, 250000}, TDW_SQL_SINTEGER));
    EXPECT_EQ("FractionalTrunc(0) | -5",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_SECOND, Value{{5}, 250000, true}, TDW_SQL_SINTEGER));
    EXPECT_EQ(" | 5", SqlIntervalToNumber(TDW_SQL_INTERVAL_SECOND, Value{{5}, 0}, TDW_SQL_SINTEGER));
    EXPECT_EQ("NumericValOutOfRange(0) | 0",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_SECOND, Value{{256}, 250000}, TDW_SQL_UTINYINT))
        << "the range is told before the fraction";
}

TEST(IntervalToSql, ExactNumericsTakeTheFieldWithinTheirIntegralDigits)
{
    EXPECT_EQ("NumericValOutOfRange(0) | kept",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_MINUTE, Value{{70}}, TDW_SQL_DECIMAL, 3, 2));
    EXPECT_EQ("NumericValOutOfRange(1) | kept",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_MINUTE, Value{{70}, 0, true}, TDW_SQL_NUMERIC, 3, 2));
    EXPECT_EQ(" | 70e0", SqlIntervalToNumber(TDW_SQL_INTERVAL_MINUTE, Value{{70}}, TDW_SQL_DECIMAL, 4, 2));
    EXPECT_EQ(" | -999999999e0",
              SqlIntervalToNumber(TDW_SQL_INTERVAL_YEAR, Value{{999999999}, 0, true}, TDW_SQL_NUMERIC, 9, 0));
    // An application's field is held to the same digits.
    SQL_INTERVAL_STRUCT structure;
    std::memset(&structure, 0, sizeof(structure));
    structure.intval.day_second.day = 70;
    EXPECT_EQ("NumericValOutOfRange(0) | kept",
              StructureToNumber(TDW_C_INTERVAL_DAY, structure, TDW_SQL_NUMERIC, 3, 2));
    EXPECT_EQ(" | 70e0", StructureToNumber(TDW_C_INTERVAL_DAY, structure, TDW_SQL_NUMERIC, 2, 0));
}

TEST(IntervalToSql, SecondsBecomeExactNumericsAtTheTargetsScale)
{
    struct Case
    {
        Value value;
        int16_t secondsPrecision;
        int16_t precision;
        int16_t scale;
        const char* fromSql;
        const char* fromStructure;
    };
    const Case cases[] = {
        {Value{{12}, 500000}, 6, 10, 6, " | 12500000e-6", " | 12500000e-6"},
        {Value{{12}, 500000}, 6, 10, 8, " | 1250000000e-8", " | 1250000000e-8"},
        {Value{{12}, 500000, true}, 6, 10, 2, " | -1250e-2", " | -1250e-2"},
        // Digits below the scale are cut, never rounded: a warning for a SQL-side value, a
        // refusal for the application's.
        {Value{{12}, 567890}, 6, 10, 2, "FractionalTrunc(1) | 1256e-2", "NumericValOutOfRange(2) | kept"},
        {Value{{12}, 567890, true}, 6, 10, 0, "FractionalTrunc(0) | -12e0", "NumericValOutOfRange(2) | kept"},
        {Value{{12}, 5}, 1, 5, 3, " | 12500e-3", " | 12500e-3"},
        {Value{{123}, 0}, 6, 4, 2, "NumericValOutOfRange(0) | kept", "NumericValOutOfRange(0) | kept"},
        {Value{{1000000000}, 0}, 6, 20, 2, "IntervalFieldOverflow(2) | kept", "IntervalFieldOverflow(2) | kept"},
        {Value{{1}, 1000000000}, 9, 20, 2, " | 200e-2", "IntervalFieldOverflow(2) | kept"},
        // An application's seconds precision outside 0 to 9 counts in no known unit.
        {Value{{1}, 5}, 12, 20, 2, "", "IntervalFieldOverflow(2) | kept"},
    };
    for (const Case& c : cases)
    {
        if (*c.fromSql != '\0')
        {
            EXPECT_EQ(c.fromSql,
                      SqlIntervalToNumber(TDW_SQL_INTERVAL_SECOND, c.value, TDW_SQL_NUMERIC, c.precision, c.scale,
                                                     c.secondsPrecision))
                << c.value.fields[0] << "." << c.value.fraction << " at scale " << c.scale;
        }
        const SQL_INTERVAL_STRUCT structure = Structure(TDW_C_INTERVAL_SECOND, c.value, c.value.isNegative ? 1 : 0);
        EXPECT_EQ(c.fromStructure, StructureToNumber(TDW_C_INTERVAL_SECOND, structure, TDW_SQL_DECIMAL, c.precision,
                                                     c.scale, c.secondsPrecision))
            << c.value.fields[0] << "." << c.value.fraction << " at scale " << c.scale;
    }
}

TEST(IntervalToSql, MultiFieldIntervalsGiveNoNumberEvenWhenNull)
{
    for (TDWType target : {TDW_SQL_NUMERIC, TDW_SQL_UTINYINT, TDW_SQL_SBIGINT})
    {
        SqlValue source(TDW_SQL_INTERVAL_DAY_TO_HOUR);
        source.Data().SetNull(true);
        EXPECT_EQ("InvalidMultiFieldIntervalConversion | kept",
                  IntoNumber(target, 5, 0, [&](SqlValue& io_target) {
                      return SqlToSqlConverterOfCell(TDW_SQL_INTERVAL_DAY_TO_HOUR, target)
                          ->Convert(source.Data(), io_target.Data());
                  }))
            << target;
    }
}
