#pragma once

#include "ODBC/Cursors/DataSource.h"

#include <memory>

namespace Orvik {
namespace DSI {
class IResult;
}

namespace ODBC {

/// The values of one column of a result, read from its current row in pieces.
class ResultColumnSource : public DataSource
{
public:
    /// Reads column in_columnIndex (from 0) of in_result (not owned) into a holder made for
    /// in_metadata, which must outlive the source.
    ResultColumnSource(DSI::IResult& in_result, uint16_t in_columnIndex, const Support::SqlTypeMetadata& in_metadata);
    ~ResultColumnSource() override;

    /// Asks the result for the piece; HasMore becomes its answer.
    Support::SqlData& GetData(int64_t in_offset, int64_t in_maxLength) override;

    /// Throws ODBCInternalException "InvalidSrcData": a result column holds its own values.
    void SetData(Support::SqlData& in_data) override;

private:
    ResultColumnSource(DSI::IResult& in_result, uint16_t in_columnIndex, std::unique_ptr<Support::SqlData> in_data);

    DSI::IResult& m_result;
    uint16_t m_columnIndex;
    std::unique_ptr<Support::SqlData> m_ownedData;
};

} // namespace ODBC
} // namespace Orvik
