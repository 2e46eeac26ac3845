#pragma once

#include "SqlToCStateGroups.h"

#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/SqlToCKernelState.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <memory>

namespace Orvik {
namespace Support {

class SqlCTypeMetadata;
class SqlTypeMetadata;

/// The single-value converter of every (SQL type, C type) pair: one conversion kernel and the
/// state made for it from the metadata of one binding. The state never changes after creation
/// (but for the encoding converter a transcoding kernel keeps in it), so a converter serves the
/// binding it was made for, however often its column is fetched; a binding that changes needs a
/// new converter. Used by one thread at a time.
class SqlToCConverter : public ISqlToCConverter
{
public:
    /// The converter of the pair (in_sourceType, in_targetType) for values described by
    /// in_source and buffers described by in_target, with the state of in_group. A SQL_C_DEFAULT
    /// buffer is taken as one of in_targetType, the source's default C type, with that type's
    /// defaults and the binding's buffer length. Character data into character buffers is
    /// copied when the source's encoding is the process-wide encoding of the buffer's kind (the
    /// driver manager's for a wide buffer, the application's ANSI encoding otherwise), else
    /// transcoded into the buffer's own encoding. Throws InvalidOperationException when no kernel
    /// serves the pair.
    static std::unique_ptr<ISqlToCConverter> Create(TDWType in_sourceType,
                                                    TDWType in_targetType,
                                                    SqlToCStateGroup in_group,
                                                    const SqlTypeMetadata& in_source,
                                                    const SqlCTypeMetadata& in_target);

    SqlToCConverter(SqlToCKernel in_kernel, SqlToCKernelState&& in_state);

    /// A NULL value sets the target's null flag and nothing else. Any other value clears it, goes
    /// through the kernel into the target's data address plus offset (none when the address is
    /// not valid or null: the length is still reported) and sets the target's output length.
    /// Returns the last result the kernel posted, or null. Allocates nothing unless a result is
    /// posted.
    std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, ODBC::CDataWrapper& io_target) override;

private:
    /// The copy or transcoding kernel for character data, by the encodings.
    static SqlToCKernel ChooseCharacterKernel(const SqlTypeMetadata& in_source, const SqlCTypeMetadata& in_target);

    const SqlToCKernel m_kernel;

    /// The kernel's state; its target length is the length every conversion starts from.
    SqlToCKernelState m_state;
};

} // namespace Support
} // namespace Orvik
