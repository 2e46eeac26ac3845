#pragma once

namespace Orvik {
namespace Support {

/// The Convert overload that a converter class serving one table only does not support. Such an
/// overload is never handed out by the registry; called anyway, it throws
/// InvalidOperationException ("InvalidOperation") with the method name "Convert", the class's
/// file and the line, as the class has always reported them.
struct ToSqlUnsupportedOverload
{
    /// True when the refused overload is the one of application buffers, false for the one of
    /// SQL-side values.
    bool m_isCSource;
    const char16_t* m_file;
    const char16_t* m_line;

    [[noreturn]] void Throw() const;
};

// The refused overloads, one line per class: a SQL bit into binary, and exact numerics into the
// single-field intervals, from SQL-side values (C source refused) and from the application's
// numeric structure (SQL source refused).

inline constexpr const char16_t* BIT_CVT_FILE = u"TypedDataWrapper\\Conversions\\BitCvt";
inline constexpr const char16_t* NUM_TO_SECOND_FILE = u"TypedDataWrapper\\Conversions\\NumToSecondIntervalCvt";
inline constexpr const char16_t* NUM_TO_SINGLE_FILE = u"TypedDataWrapper\\Conversions\\NumToSingleFieldIntervalCvt";

inline constexpr ToSqlUnsupportedOverload BIT_CVT_SQL_BIT_TO_BINARY{true, BIT_CVT_FILE, u"152"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_SECOND_SQL_NUMERIC{true, NUM_TO_SECOND_FILE, u"171"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_SECOND_C_NUMERIC{false, NUM_TO_SECOND_FILE, u"161"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_DAY_SQL_NUMERIC{true, NUM_TO_SINGLE_FILE, u"241"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_HOUR_SQL_NUMERIC{true, NUM_TO_SINGLE_FILE, u"251"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_MINUTE_SQL_NUMERIC{true, NUM_TO_SINGLE_FILE, u"264"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_MONTH_SQL_NUMERIC{true, NUM_TO_SINGLE_FILE, u"277"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_YEAR_SQL_NUMERIC{true, NUM_TO_SINGLE_FILE, u"290"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_DAY_C_NUMERIC{false, NUM_TO_SINGLE_FILE, u"176"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_HOUR_C_NUMERIC{false, NUM_TO_SINGLE_FILE, u"189"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_MINUTE_C_NUMERIC{false, NUM_TO_SINGLE_FILE, u"202"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_MONTH_C_NUMERIC{false, NUM_TO_SINGLE_FILE, u"215"};
inline constexpr ToSqlUnsupportedOverload NUM_TO_YEAR_C_NUMERIC{false, NUM_TO_SINGLE_FILE, u"228"};

} // namespace Support
} // namespace Orvik
