#pragma once

#include <sql.h>

#include <cstdint>
#include <memory>

namespace Orvik {

namespace Support {
class ISqlToCConverter;
class SqlData;
} // namespace Support

namespace ODBC {

class CDataWrapper;
class IDiagManager;

/// Delivers an output parameter's value whole into the application's buffer, through a
/// converter from the registry that it keeps while the buffer's C type and size stay the same.
class OutputValueColumn
{
public:
    /// Conversion warnings go to io_diagnostics (not owned).
    explicit OutputValueColumn(IDiagManager& io_diagnostics);
    ~OutputValueColumn();

    OutputValueColumn(const OutputValueColumn&) = delete;
    OutputValueColumn& operator=(const OutputValueColumn&) = delete;

    /// The value to deliver next (not owned).
    void SetData(Support::SqlData& in_data) { m_data = &in_data; }

    /// The buffer to deliver into (not owned); a buffer of another C type or element size than the
    /// converter was made for gets a new converter (InvalidTypeConversionException for a pair the
    /// registry cannot convert).
    void AttachCData(CDataWrapper& io_cData);

    /// Converts the value for set in_row, parameter in_column. The written length goes to
    /// io_length; a separate io_indicator gets 0, or SQL_NULL_DATA for NULL (without an
    /// indicator NULL throws DataWarningOrError "NullIndPtrNotSupplied", 22002). Conversion
    /// errors are thrown and warnings posted with the set and the parameter.
    void Convert(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row, uint16_t in_column);

private:
    IDiagManager& m_diagnostics;
    Support::SqlData* m_data = nullptr;
    CDataWrapper* m_cData = nullptr;
    std::unique_ptr<Support::ISqlToCConverter> m_converter;
    int16_t m_cType = 0;
    uint64_t m_elementSize = 0;
};

} // namespace ODBC
} // namespace Orvik
