#include "BinaryAndGuidToText.h"

#include "HexText.h"
#include "KernelOutput.h"
#include "ToSqlSource.h"
#include "ToSqlText.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include <sqltypes.h>

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

void BinaryAndGuidToText::HexToText(const ToSqlSource& in_source,
                                    SqlData& io_target,
                                    ToSqlKernelState&,
                                    WarningListener& io_listener)
{
    const int64_t bytes = std::max<int64_t>(in_source.m_length, 0);
    const int64_t room = ToSqlText::Reserve(2 * bytes, false, io_target);
    int64_t kept = bytes;
    if (room < 2 * bytes)
    {
        // Whole bytes only, and a place is left as a terminator would take it.
        kept = std::max<int64_t>(room - 1, 0) / 2;
        KernelOutput::PostStrRightTrunc(io_listener);
    }
    const EncodingType encoding = io_target.GetMetadata().GetEncoding();
    const int64_t written = 2 * kept * EncodingInfo::GetCodeUnitSize(encoding);
    io_target.SetLength(static_cast<uint32_t>(written));
    io_target.SetConvertedLength(written);
    HexText::WriteAs(static_cast<const uint8_t*>(in_source.m_value), kept, static_cast<uint8_t*>(io_target.GetBuffer()),
                     encoding, false);
}

void BinaryAndGuidToText::GuidToText(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    // The ODBC GUID structure begins the SQL-side record as well.
    const SQLGUID application = KernelOutput::Load<SQLGUID>(in_source.m_value);
    TDWGuidValue guid;
    guid.m_data1 = application.Data1;
    guid.m_data2 = application.Data2;
    guid.m_data3 = application.Data3;
    std::memcpy(guid.m_data4, application.Data4, sizeof(guid.m_data4));
    char text[TDWGuidValue::TEXT_LENGTH];
    guid.ToChars(text, false);
    ToSqlText::StoreWhole(text, TDWGuidValue::TEXT_LENGTH, in_source.IsCSource(), io_target, io_listener);
}

} // namespace Support
} // namespace Orvik
