#pragma once

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"

#include <memory>
#include <string>

namespace Orvik {
namespace Support {

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

/// The SQL-source side of the converter that the C-to-SQL table holds for (in_cType, in_sqlType).
std::unique_ptr<ISqlToSqlConverter> SqlSideOf(std::unique_ptr<ICToSqlConverter> in_converter);

/// "<posted> | <target>" after converting the application value in_image of in_cType into a new
/// target of the number type in_sqlType, whose bytes were set to 7 first; the target shows
/// "kept" when the conversion left those bytes, else its value.
std::string ConvertNumber(TDWType in_cType, const std::string& in_image, TDWType in_sqlType);

/// The same from a SQL-side number of in_source's type, through the converter of its counterpart.
std::string ConvertSqlNumber(TDWType in_source, const std::string& in_image, TDWType in_sqlType);

} // namespace Support
} // namespace Orvik
