#include "ODBC/Descriptors/BoundLengths.h"

#include "ODBC/Descriptors/AppDescriptorRecord.h"

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
        out_value = BoundLengths::Read(in_address);
    }
}

void Save(char* in_address, SQLLEN in_value)
{
    if (in_address != nullptr)
    {
        BoundLengths::Write(in_address, in_value);
    }
}

} // namespace

BoundLengths::BoundLengths(const AppDescriptorRecord& in_record)
    : BoundLengths(in_record.GetOctetLengthPtr(), in_record.GetIndicatorPtr(), in_record.GetLengthOffset())
{
}

BoundLengths::BoundLengths(SQLLEN* in_length, SQLLEN* in_indicator, int64_t in_offset)
    : m_lengthAddress(AtRow(in_length, in_offset)), m_indicatorAddress(AtRow(in_indicator, in_offset))
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
