#pragma once

#include "ToSqlKernel.h"

#include "Support/EncodingType.h"

#include <memory>

namespace Orvik {
namespace Support {

class ICToSqlConverter;
class ISqlToSqlConverter;
class SqlCTypeMetadata;
class SqlTypeMetadata;

/// Character data into character values, and bytes into binary values: the byte copy when both
/// sides are in one encoding, the transcoding otherwise, and the choice between the two.
class CharacterToSql
{
public:
    CharacterToSql() = delete;

    /// The converter of application text into a character value: the byte copy when the
    /// process-wide encoding of the buffer's kind (GetProcessEncoding) is the target's encoding,
    /// else the transcoding, which starts without an encoding converter.
    static std::unique_ptr<ICToSqlConverter> CreateCToSqlConverter(const SqlCTypeMetadata& in_source,
                                                                   const SqlTypeMetadata& in_target);

    /// The converter of a character value into a character value: the byte copy when the two
    /// metadata records give one encoding, else the transcoding, whatever the two types are.
    static std::unique_ptr<ISqlToSqlConverter> CreateSqlToSqlConverter(const SqlTypeMetadata& in_source,
                                                                       const SqlTypeMetadata& in_target);

    /// The encoding of the text an application buffer holds for in_target: the driver manager's
    /// for a wide buffer, or for SQL_C_DEFAULT against a wide target; the application's ANSI
    /// encoding otherwise.
    static EncodingType GetProcessEncoding(const SqlCTypeMetadata& in_source, const SqlTypeMetadata& in_target);

    /// Copies the source's bytes unchanged, sizing the target to them; the converted length is
    /// their count. A length that no holder takes (negative, or beyond 32 bits) posts
    /// NumericValOutOfRange 2 and writes nothing; a holder that stays smaller than the value gets
    /// what fits, with StrRightTrunc.
    static void CopyBytes(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState& io_state,
                          WarningListener& io_listener);

    /// Converts the source's text from its encoding into the target's, without a terminator. The
    /// target is sized for the longest text the source's characters can give, then trimmed to
    /// what was written, which is the converted length. The encoding converter is kept in
    /// io_state for the next value. Lengths as for CopyBytes; text that does not fit a holder
    /// that could not grow is cut with StrRightTrunc. Encoding errors throw.
    static void Transcode(const ToSqlSource& in_source,
                          SqlData& io_target,
                          ToSqlKernelState& io_state,
                          WarningListener& io_listener);
};

} // namespace Support
} // namespace Orvik
