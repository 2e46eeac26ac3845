#pragma once

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"

#include <functional>
#include <memory>
#include <string>

namespace Orvik {
namespace Support {

class TDWNumeric;

/// The C type whose layout a SQL number type shares, and whose converter class (from the C-to-SQL
/// table) converts values of the SQL type as well.
TDWType CounterpartOf(TDWType in_sqlType);

/// A SQL-side value with its own metadata, made by the value factory as the parameter code makes
/// its targets.
class SqlValue
{
public:
    explicit SqlValue(TDWType in_type);

    SqlTypeMetadata& Metadata() { return *m_metadata; }
    SqlData& Data() { return *m_data; }

    /// Makes in_image's bytes the value, not NULL.
    void Set(const std::string& in_image);

    /// The value's bytes, as its length counts them.
    std::string Bytes() const;

private:
    std::unique_ptr<SqlTypeMetadata> m_metadata;
    std::unique_ptr<SqlData> m_data;
};

/// A parameter as the parameter code holds it: the application buffer's wrapper, the target
/// value and the converter the registry makes for the pair.
class BoundParameter
{
public:
    /// An application buffer of in_cType (its metadata from the C metadata factory) bound for a
    /// value of in_sqlType; the converter is made at the first conversion.
    BoundParameter(TDWType in_cType, TDWType in_sqlType);

    ODBC::CDataWrapper& Wrapper() { return m_wrapper; }
    SqlValue& Target() { return m_target; }

    /// The converter, asked of the registry first when there is none.
    ICToSqlConverter& Converter();

    /// Converts in_bytes as the application's value (the wrapper's data length their count) and
    /// returns the result as RecordingListener writes it ("" for none).
    std::string Convert(const std::string& in_bytes);

private:
    ODBC::CDataWrapper m_wrapper;
    SqlValue m_target;
    std::unique_ptr<ICToSqlConverter> m_converter;
    std::string m_bytes;
};

/// The converter of the C-to-SQL cell (in_cType, in_sqlType) as its creator makes it, for a
/// buffer of in_cType's metadata; used for the rows that only hand-made metadata reaches.
std::unique_ptr<ICToSqlConverter> ConverterOfCell(TDWType in_cType, TDWType in_sqlType);

/// The converter of the SQL-to-SQL cell (in_source, in_target) as its creator makes it for values
/// of the two types' default metadata; null, with a failure, when the cell is empty.
std::unique_ptr<ISqlToSqlConverter> SqlToSqlConverterOfCell(TDWType in_source, TDWType in_target);

/// A date, time, timestamp or interval value of in_type from its record's bytes: "2024-02-29",
/// "10:20:30.5" (the fraction in nanoseconds), "2024-02-29 10:20:30.5"; an interval's fields
/// from the first, a "." and the fraction for the kinds with seconds, " -" when negative. The
/// unused bytes of the record must be zero.
std::string ShowSqlValue(TDWType in_type, const std::string& in_record);

/// The SQL-source side of the converter that the C-to-SQL table holds for (in_cType, in_sqlType).
std::unique_ptr<ISqlToSqlConverter> SqlSideOf(std::unique_ptr<ICToSqlConverter> in_converter);

/// The precision and scale a case gives its target's type; a negative one keeps the type's.
struct TargetShape
{
    int16_t precision = -1;
    int16_t scale = -1;
};

/// An exact number as decimal text with every fraction place its exponent gives ("12.500",
/// "-0.05"), or "invalid".
std::string ShowNumeric(const TDWNumeric& in_value);

/// "<posted> | <target>" after in_convert wrote a new target of the number type in_sqlType (bits,
/// integers, floating-point and exact numbers) of in_shape, whose bytes were set to 7 first; the
/// target shows "kept" when the conversion left those bytes, else its value.
std::string ConvertIntoNumber(TDWType in_sqlType,
                              const TargetShape& in_shape,
                              const std::function<std::unique_ptr<ConversionResult>(SqlData&)>& in_convert);

/// The same after converting the application value in_image of in_cType.
std::string ConvertNumber(TDWType in_cType,
                          const std::string& in_image,
                          TDWType in_sqlType,
                          const TargetShape& in_shape = {});

/// The same from a SQL-side number of in_source's type, through the converter of its counterpart.
std::string ConvertSqlNumber(TDWType in_source,
                             const std::string& in_image,
                             TDWType in_sqlType,
                             const TargetShape& in_shape = {});

} // namespace Support
} // namespace Orvik
