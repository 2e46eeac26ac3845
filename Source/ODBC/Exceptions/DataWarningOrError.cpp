#include "ODBC/Exceptions/DataWarningOrError.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

DataWarningOrError::DataWarningOrError(bool in_isError,
                                       DiagState in_diagState,
                                       const orvik_wstring& in_messageKey,
                                       int64_t in_rowNumber,
                                       int32_t in_columnNumber)
    : ErrorException(in_diagState, ODBC_COMPONENT_ID, in_messageKey, in_rowNumber, in_columnNumber),
      m_isError(in_isError)
{
}

} // namespace ODBC
} // namespace Orvik
