#include "ODBC/Descriptors/BoundLengths.h"

#include "ODBC/Descriptors/AppDescriptorRecord.h"

namespace Orvik {
namespace ODBC {

BoundLengths::BoundLengths(const AppDescriptorRecord& in_record)
    : BoundLengths(in_record.GetOctetLengthPtr(), in_record.GetIndicatorPtr(), in_record.GetLengthOffset())
{
}

} // namespace ODBC
} // namespace Orvik
