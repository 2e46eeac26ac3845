#pragma once

#include "DSI/Client/DSIMetadataSource.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Pelta {

/// One type that SQLGetTypeInfo lists. A value of -1 in unsignedAttribute, autoUniqueValue or
/// intervalPrecision stands for NULL; a null text pointer for a NULL text.
struct PeltaTypeInfoRow
{
    std::string typeName;
    int16_t dataType = 1;
    int32_t columnSize = 1;
    const char* literalPrefix = nullptr;
    const char* literalSuffix = nullptr;
    const char* createParams = nullptr;
    int16_t nullable = 1;  // SQL_NULLABLE
    int16_t caseSensitive = 0;
    int16_t searchable = 3; // SQL_SEARCHABLE
    int16_t unsignedAttribute = 0;
    int16_t fixedPrecScale = 0;
    int16_t autoUniqueValue = -1;
    int16_t minimumScale = 0;
    int16_t maximumScale = 0;
    int16_t intervalPrecision = -1;
};

/// SQLGetTypeInfo, answered without the server: the nine types the driver reports, ordered by
/// DATA_TYPE as ODBC requires. The data-store layer applies the data-type argument; the
/// restrictions are not used.
class PeltaTypeInfoMetadataSource : public Orvik::DSI::DSIMetadataSource
{
public:
    /// Builds the rows: the "string" row's column size is in_maxColumnSize as it is now; the
    /// timestamp row is SQL_TYPE_TIMESTAMP of size 29 with the ODBC 3 flag, SQL_TIMESTAMP of
    /// size 26 without.
    PeltaTypeInfoMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                const uint32_t& in_maxColumnSize,
                                bool in_isODBC3);

    /// Back to before the first row.
    void CloseCursor() override;

    /// The current row's value of the column tagged in_tag; only the texts take the offset and
    /// limit. A tag the source does not answer raises BadColumnException "InvalidColumnNum".
    bool GetMetadata(int32_t in_tag, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    /// The next row; false past the last. Any direction but next raises
    /// "PeltaResultSetTraverseDirNotSupported".
    bool Move(int32_t in_direction, int64_t in_offset) override;

private:
    bool WriteText(const char* in_text, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength);

    std::vector<PeltaTypeInfoRow> m_rows;
    size_t m_current = 0;
    bool m_isStarted = false;
};

} // namespace Pelta
