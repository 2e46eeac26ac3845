#pragma once

#include "Support/EncodingConverter.h"
#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// The state a SQL-to-C conversion kernel reads: one plain record for every kernel, filled from
/// the SQL and C type metadata when the converter that holds it is made and not changed after
/// that. Each kernel reads only the fields its pair needs; the others keep their defaults. The
/// single-value converters and the bulk converters hold one each and pass it to every call.
struct SqlToCKernelState
{
    /// The size in bytes of the target buffer as the converter holds it: the C type's fixed size
    /// for fixed-size types, else the buffer length the application gave. Callers pass it as the
    /// kernel's incoming target length; kernels read the incoming length, never this field.
    int64_t m_targetLength = 0;

    /// The encoding of the source text: the database's CHAR or WCHAR encoding.
    EncodingType m_sourceEncoding = ENC_NONE;

    /// The encoding of the target text: the application's ANSI encoding for SQL_C_CHAR, the
    /// driver manager's wide-character encoding for SQL_C_WCHAR.
    EncodingType m_targetEncoding = ENC_NONE;

    /// The leading precision of an interval source type.
    uint64_t m_sourceLeadingPrecision = 0;

    /// The leading precision of an interval target.
    uint64_t m_targetLeadingPrecision = 0;

    /// The fractional-seconds precision (0 to 9) of a time, timestamp or interval source.
    int16_t m_sourceFractionalPrecision = 0;

    /// The fractional-seconds precision (0 to 9) of a time, timestamp or interval target.
    int16_t m_targetFractionalPrecision = 0;

    /// The precision field of the source's metadata (exact numerics: their digit count).
    int16_t m_sourcePrecision = 0;

    /// The precision of a SQL_C_NUMERIC target.
    int16_t m_targetPrecision = 0;

    /// The scale of a SQL_C_NUMERIC target.
    int16_t m_targetScale = 0;

    /// The transcoding kernel's converter, made on its first value and kept for the following
    /// ones; deleted with the state.
    std::unique_ptr<EncodingConverter> m_converter;
};

} // namespace Support
} // namespace Orvik
