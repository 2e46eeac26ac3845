#pragma once

#include <sqltypes.h>

#include <cstdint>
#include <memory>

namespace Orvik {
namespace DSI {
class IResult;
}
namespace Support {
class ISqlToCConverter;
class SqlData;
class SqlTypeMetadata;
} // namespace Support

namespace ODBC {

class CDataWrapper;
class IDiagManager;

/// Converts the whole value of one result column into an application buffer at once, through a
/// converter from the registry that it keeps while the buffer's type and size stay the same. The
/// value holder is made once, so converting a row allocates nothing.
class ColumnValueConverter
{
public:
    /// Column in_columnIndex (from 0) of in_result, described by in_metadata; all not owned and
    /// outliving the converter. Conversion warnings go to in_diagnostics.
    ColumnValueConverter(DSI::IResult& in_result,
                         uint16_t in_columnIndex,
                         const Support::SqlTypeMetadata& in_metadata,
                         IDiagManager& in_diagnostics);
    ~ColumnValueConverter();

    ColumnValueConverter(const ColumnValueConverter&) = delete;
    ColumnValueConverter& operator=(const ColumnValueConverter&) = delete;

    /// The next conversions write into in_cData (not owned); a buffer of another C type, size,
    /// precision or scale than the converter was made for gets a new converter (which throws
    /// InvalidTypeConversionException for a pair the registry cannot convert).
    void AttachCData(CDataWrapper& in_cData);

    /// Converts the current row's value at row in_row. The length goes to io_length; a separate
    /// io_indicator gets 0, or SQL_NULL_DATA for NULL (without an indicator, NULL throws
    /// DataWarningOrError "NullIndPtrNotSupplied", 22002). Conversion errors are thrown with the
    /// row and column; warnings are posted and make it return true.
    bool Convert(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row);

private:
    /// Whether the converter was made for buffers like in_cData's.
    bool IsMadeFor(CDataWrapper& in_cData) const;

    DSI::IResult& m_result;
    IDiagManager& m_diagnostics;
    std::unique_ptr<Support::SqlData> m_data;
    std::unique_ptr<Support::ISqlToCConverter> m_converter;
    CDataWrapper* m_cData = nullptr;
    uint64_t m_elementSize = 0;
    uint64_t m_lengthOrIntervalPrecision = 0;
    int16_t m_cType = 0;
    int16_t m_precision = 0;
    int16_t m_scale = 0;
    uint16_t m_columnIndex;
};

} // namespace ODBC
} // namespace Orvik
