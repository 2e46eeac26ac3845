#pragma once

#include "ODBC/Cursors/DataSource.h"

namespace Orvik {
namespace ODBC {

/// The value of one output parameter, delivered once, whole.
class OutputValueSource : public DataSource
{
public:
    /// Delivers in_data (not owned) as the value of parameter in_parameterNumber.
    OutputValueSource(Support::SqlData& in_data, uint16_t in_parameterNumber);

    /// The held value the first time, whatever the offset and length; no more remains then. A
    /// second call throws ODBCInternalException "NoMoreDataToGet".
    Support::SqlData& GetData(int64_t in_offset, int64_t in_maxLength) override;

    void SetData(Support::SqlData& in_data) override;
};

} // namespace ODBC
} // namespace Orvik
