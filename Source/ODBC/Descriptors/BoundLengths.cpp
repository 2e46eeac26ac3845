#include "ODBC/Descriptors/BoundLengths.h"

#include "ODBC/Descriptors/AppDescriptorRecord.h"

#include <cstring>

namespace Orvik {
namespace ODBC {

namespace {

char* AtRow(SQLLEN* in_address, int64_t in_offset)
{
    return in_address != nullptr ? reinterpret_cast<char*>(in_address) + in_offset : nullptr;
}

void Load(const char* in_address, SQLLEN& out_value)
{
    if (in_address != nullptr)
    {
        std::memcpy(&out_value, in_address, sizeof(out_value));
    }
}

void Save(char* in_address, const SQLLEN& in_value)
{
    if (in_address != nullptr)
    {
        std::memcpy(in_address, &in_value, sizeof(in_value));
    }
}

} // namespace

BoundLengths::BoundLengths(const AppDescriptorRecord& in_record)
    : m_lengthAddress(AtRow(in_record.GetOctetLengthPtr(), in_record.GetLengthOffset())),
      m_indicatorAddress(AtRow(in_record.GetIndicatorPtr(), in_record.GetLengthOffset()))
{
    Load(m_lengthAddress, m_length);
    Load(m_indicatorAddress, m_indicator);
}

void BoundLengths::Store() const
{
    Save(m_lengthAddress, m_length);
    if (m_indicatorAddress != m_lengthAddress)
    {
        Save(m_indicatorAddress, m_indicator);
    }
}

} // namespace ODBC
} // namespace Orvik
