#include "ToSqlText.h"

#include "KernelOutput.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/ConversionHelpers.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

int64_t UnitSizeOf(const SqlData& in_target)
{
    return EncodingInfo::GetCodeUnitSize(in_target.GetMetadata().GetEncoding());
}

} // namespace

bool ToSqlText::StoreWhole(const char* in_text,
                           int64_t in_length,
                           bool in_terminate,
                           SqlData& io_target,
                           WarningListener& io_listener)
{
    if (in_length > UINT32_MAX
        || ConversionHelpers::StoreAsciiText(in_text, static_cast<uint32_t>(in_length), io_target, in_terminate))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return false;
    }
    return true;
}

// A text too long for any holder asks for the most a holder takes and is cut to what it got.
int64_t ToSqlText::Reserve(int64_t in_length, bool in_terminate, SqlData& io_target)
{
    const int64_t unitSize = UnitSizeOf(io_target);
    const int64_t terminator = in_terminate ? 1 : 0;
    io_target.SetConvertedLength(0);
    io_target.SetLength(static_cast<uint32_t>(std::min<int64_t>((in_length + terminator) * unitSize, UINT32_MAX)));
    return std::min(in_length, int64_t{io_target.GetLength()} / unitSize - terminator);
}

void ToSqlText::StoreFitted(const char* in_text, int64_t in_count, bool in_terminate, SqlData& io_target)
{
    // The holder already has room for the count: this store only shrinks its length, and records
    // the count as the converted length.
    ConversionHelpers::StoreAsciiText(in_text, static_cast<uint32_t>(in_count), io_target, in_terminate);
}

} // namespace Support
} // namespace Orvik
