#pragma once

#include "ODBC/Cursors/BulkColumnListener.h"

#include <sqltypes.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class ISqlToCBulkConverter;
class ISqlToCBulkConverterFactory;
class SqlCTypeMetadata;
class SqlTypeMetadata;
struct BulkSqlData;
} // namespace Support

namespace ODBC {

/// One bound column of a rowset fetched in bulk: a result that fetches in bulk hands it each batch
/// of the column's values, and it converts them in one call into the application's array, then
/// writes the lengths and indicators.
class BulkColumn
{
public:
    /// Where the values of a rowset go: row i's value at m_data + i * m_dataStride (an element
    /// of m_elementSize bytes), its length and indicator at the addresses + i * m_lengthStride
    /// bytes. Either address may be null; both may be the same.
    struct Target
    {
        char* m_data;
        int64_t m_elementSize;
        int64_t m_dataStride;
        SQLLEN* m_octetLength;
        SQLLEN* m_indicator;
        int64_t m_lengthStride;
    };

    /// Column in_columnIndex (from 0), described by in_source, bound as in_target describes. The
    /// converter comes from in_factory; a pair it has none for throws
    /// InvalidTypeConversionException "DataConvAlgorithmNotSupported" with the two type names.
    BulkColumn(uint16_t in_columnIndex,
               const Support::SqlTypeMetadata& in_source,
               const Support::SqlCTypeMetadata& in_target,
               const Target& in_where,
               IDiagManager& in_diagnostics,
               const Support::ISqlToCBulkConverterFactory& in_factory);
    virtual ~BulkColumn();

    BulkColumn(const BulkColumn&) = delete;
    BulkColumn& operator=(const BulkColumn&) = delete;

    virtual uint16_t GetColumnIndex() const { return m_columnIndex; }

    /// Converts the next batch of the rowset's values after the rows already converted; returns
    /// the rows converted. NULL goes to the indicator as SQL_NULL_DATA (a length and indicator at
    /// the same address take it there, a separate length gets 0); a NULL row without an indicator
    /// posts "NullIndPtrNotSupplied" at its row. Other lengths are written as their absolute value.
    virtual uint64_t Fill(const Support::BulkSqlData& in_source);

    /// Starts a new rowset into in_where: no rows converted, the row counter at 1 and no rows
    /// recorded with warnings or errors.
    void StartRowset(const Target& in_where);

    const BulkColumnListener& GetListener() const { return m_listener; }

private:
    /// Writes the length and indicator of row in_row (from 0 within the rowset).
    void WriteLength(uint64_t in_row, int64_t in_length);

    std::unique_ptr<Support::ISqlToCBulkConverter> m_converter;
    Target m_where;
    uint64_t m_rowsConverted = 0;
    int64_t m_rowCounter = 1;
    std::vector<int64_t> m_lengths;
    BulkColumnListener m_listener;
    uint16_t m_columnIndex;
};

} // namespace ODBC
} // namespace Orvik
