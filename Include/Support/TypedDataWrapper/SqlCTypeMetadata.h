#pragma once

#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/TDWType.h"
#include "Support/TypedDataWrapper/TypeKinds.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Describes an application buffer of one ODBC C type: its type id, the size of its C structure,
/// length, precision, scale and the encoding of character data. SqlCTypeMetadataFactory fills
/// the defaults; the ODBC layer changes the rest when the application sets descriptor fields.
class SqlCTypeMetadata : public TypeKinds
{
public:
    /// Metadata for in_cType without defaults: octet length 0, no encoding, no kind flags.
    explicit SqlCTypeMetadata(int16_t in_cType);

    virtual ~SqlCTypeMetadata() = default;

    SqlCTypeMetadata(const SqlCTypeMetadata&) = delete;
    SqlCTypeMetadata& operator=(const SqlCTypeMetadata&) = delete;

    /// For SQL_C_NUMERIC, a negative precision throws BadPrecisionException.
    virtual void Validate() const;

    /// Fields of driver-defined C types; this driver defines none, so both throw
    /// InvalidOperationException.
    virtual void SetField(int32_t in_fieldId, const void* in_value);
    virtual void GetField(int32_t in_fieldId, void* out_value) const;

    TDWType GetTDWType() const { return m_type; }
    int16_t GetCType() const { return m_cType; }
    EncodingType GetEncoding() const { return m_encoding; }
    void SetEncoding(EncodingType in_encoding) { m_encoding = in_encoding; }

    /// 10 for SQL_C_NUMERIC, 2 for the floating-point types, else 0 until the application sets it.
    int32_t GetNumPrecRadix() const { return m_numPrecRadix; }
    void SetNumPrecRadix(int32_t in_radix) { m_numPrecRadix = in_radix; }

    /// The length in bytes of the application's buffer.
    uint64_t GetOctetLength() const { return m_octetLength; }
    void SetOctetLength(uint64_t in_octetLength) { m_octetLength = in_octetLength; }

    /// The size of the C structure of a fixed-size type. When IsFixedSize is true converters take
    /// it as the buffer length; otherwise they take the octet length.
    uint64_t GetFixedSize() const { return m_fixedSize; }
    bool IsFixedSize() const { return m_isFixedSize; }

    /// SqlCTypeUtilities::IsCTypeFlagged of the code, taken at construction.
    bool IsTypeFlagged() const { return m_isTypeFlagged; }

    /// SQL_DESC_LENGTH; the leading precision for interval types.
    uint64_t GetLengthOrIntervalPrecision() const { return m_length; }
    void SetLengthOrIntervalPrecision(uint64_t in_length) { m_length = in_length; }

    int16_t GetPrecision() const { return m_precision; }
    void SetPrecision(int16_t in_precision) { m_precision = in_precision; }

    /// The fractional-second digits for timestamps and second-bearing intervals.
    int16_t GetScale() const { return m_scale; }
    void SetScale(int16_t in_scale) { m_scale = in_scale; }

    /// True until the application sets SQL_DESC_DATETIME_INTERVAL_PRECISION.
    bool IsIntervalPrecisionDefault() const { return m_isIntervalPrecisionDefault; }
    void ClearIntervalPrecisionDefault() { m_isIntervalPrecisionDefault = false; }

    /// True until the application sets SQL_DESC_PRECISION.
    bool IsPrecisionDefault() const { return m_isPrecisionDefault; }
    void ClearPrecisionDefault() { m_isPrecisionDefault = false; }

private:
    friend class SqlCTypeMetadataFactory;

    TDWType m_type = TDW_SQL_NOTYPE;
    int32_t m_numPrecRadix = 0;
    uint64_t m_octetLength = 0;
    EncodingType m_encoding = ENC_NONE;
    int16_t m_cType;
    uint64_t m_fixedSize = 0;
    uint64_t m_length = 0;
    int16_t m_precision = 0;
    int16_t m_scale = 0;
    bool m_isFixedSize = false;
    bool m_isTypeFlagged;
    bool m_isIntervalPrecisionDefault = true;
    bool m_isPrecisionDefault = true;
};

} // namespace Support
} // namespace Orvik
