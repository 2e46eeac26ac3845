#include "CharacterToSql.h"

#include "KernelOutput.h"
#include "SourcePieces.h"
#include "ToSqlConverter.h"
#include "ToSqlSource.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// A value's length fits a holder's 32-bit length. A negative one was never resolved from the
/// application's indicator; neither can be sized or copied.
bool IsHoldable(int64_t in_length, WarningListener& io_listener)
{
    if (in_length < 0 || in_length > UINT32_MAX)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return false;
    }
    return true;
}

// A SQL_C_DEFAULT buffer's own encoding says nothing of the text it holds: its text is in the
// process-wide encoding of its kind, as the converter's choice assumed.
EncodingType SourceEncoding(const ToSqlSource& in_source, const SqlTypeMetadata& in_target)
{
    if (in_source.IsCSource() && in_source.m_cMetadata->GetCType() == SQL_C_DEFAULT)
    {
        return CharacterToSql::GetProcessEncoding(*in_source.m_cMetadata, in_target);
    }
    return in_source.GetEncoding();
}

/// The most bytes that in_length bytes of in_source text can become in in_target, at most what a
/// holder takes. A partial last code unit counts as a character: it becomes a replacement
/// character.
uint32_t WorstCaseLength(int64_t in_length, EncodingType in_source, EncodingType in_target)
{
    const uint64_t unitSize = EncodingInfo::GetCodeUnitSize(in_source);
    const uint64_t characters = (static_cast<uint64_t>(in_length) + unitSize - 1) / unitSize;
    const uint64_t bytes =
        characters * EncodingInfo::GetMaxCodeUnitsPerChar(in_target) * EncodingInfo::GetCodeUnitSize(in_target);
    return static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX));
}

} // namespace

std::unique_ptr<ICToSqlConverter> CharacterToSql::CreateCToSqlConverter(const SqlCTypeMetadata& in_source,
                                                                        const SqlTypeMetadata& in_target)
{
    const bool isSameEncoding = GetProcessEncoding(in_source, in_target) == in_target.GetEncoding();
    return std::make_unique<ToSqlConverter>(isSameEncoding ? &CopyBytes : &Transcode);
}

std::unique_ptr<ISqlToSqlConverter> CharacterToSql::CreateSqlToSqlConverter(const SqlTypeMetadata& in_source,
                                                                            const SqlTypeMetadata& in_target)
{
    const bool isSameEncoding = in_source.GetEncoding() == in_target.GetEncoding();
    return std::make_unique<ToSqlConverter>(isSameEncoding ? &CopyBytes : &Transcode);
}

EncodingType CharacterToSql::GetProcessEncoding(const SqlCTypeMetadata& in_source, const SqlTypeMetadata& in_target)
{
    const bool isWide = in_source.IsWideCharacter()
        || (in_source.GetCType() == SQL_C_DEFAULT && in_target.IsWideCharacter());
    return isWide ? orvik_wstring::GetDriverManagerEncoding() : orvik_wstring::GetAnsiEncoding();
}

void CharacterToSql::CopyBytes(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState&,
                               WarningListener& io_listener)
{
    if (!IsHoldable(in_source.m_length, io_listener))
    {
        return;
    }
    const uint32_t length = static_cast<uint32_t>(in_source.m_length);
    io_target.SetLength(length);
    const uint32_t copied = std::min(length, io_target.GetLength());
    if (copied > 0)
    {
        std::memcpy(io_target.GetBuffer(), in_source.m_value, copied);
    }
    io_target.SetConvertedLength(copied);
    if (copied < length)
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

void CharacterToSql::Transcode(const ToSqlSource& in_source,
                               SqlData& io_target,
                               ToSqlKernelState& io_state,
                               WarningListener& io_listener)
{
    if (!IsHoldable(in_source.m_length, io_listener))
    {
        return;
    }
    const EncodingType sourceEncoding = SourceEncoding(in_source, io_target.GetMetadata());
    const EncodingType targetEncoding = io_target.GetMetadata().GetEncoding();
    io_target.SetLength(WorstCaseLength(in_source.m_length, sourceEncoding, targetEncoding));
    EncodingConverter& converter =
        SourcePieces::PrepareConverter(io_state.m_converter, sourceEncoding, targetEncoding, false);
    SourcePieces source(converter, in_source.m_value, in_source.m_length, INT32_MAX);
    const uint32_t room = std::min<uint32_t>(io_target.GetLength(), INT32_MAX);
    converter.SetTarget(io_target.GetBuffer(), static_cast<int32_t>(room));
    const int32_t written = source.Convert();
    if (source.HasMore())
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
    io_target.SetLength(static_cast<uint32_t>(written));
    io_target.SetConvertedLength(written);
}

} // namespace Support
} // namespace Orvik
