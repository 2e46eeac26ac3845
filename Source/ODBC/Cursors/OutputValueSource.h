#pragma once

#include "ODBC/Cursors/DataSource.h"

#include <memory>

namespace Orvik {

namespace Support {
class SqlVarLengthAttachedType;
} // namespace Support

namespace ODBC {

/// The value of one output parameter, delivered once: a character or binary value in the pieces
/// its reader asks for, any other value whole.
class OutputValueSource : public DataSource
{
public:
    /// Delivers in_data (not owned) as the value of parameter in_parameterNumber.
    OutputValueSource(Support::SqlData& in_data, uint16_t in_parameterNumber);
    ~OutputValueSource() override;

    /// A character or binary value's bytes from in_offset on, at most in_maxLength of them (-1:
    /// all the rest), in a holder that views the held value; more remains while bytes are left
    /// beyond the piece. NULL and other values: the held value, whole; no more remains. Once
    /// nothing remains, a further call throws ODBCInternalException "NoMoreDataToGet".
    Support::SqlData& GetData(int64_t in_offset, int64_t in_maxLength) override;

    void SetData(Support::SqlData& in_data) override;

private:
    /// The piece handed out last, a view into the held value.
    std::unique_ptr<Support::SqlVarLengthAttachedType> m_piece;
};

} // namespace ODBC
} // namespace Orvik
