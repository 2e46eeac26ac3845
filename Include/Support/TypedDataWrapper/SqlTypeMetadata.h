#pragma once

#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/TDWType.h"
#include "Support/TypedDataWrapper/TypeKinds.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Describes one SQL-side value: its type id, lengths, precision and scale, the ODBC descriptor
/// facts about it, the names that catalog functions report, the encoding of character data and
/// whether a variable-length value lives in a buffer the caller attaches. SqlTypeMetadataFactory
/// fills the per-type defaults.
class SqlTypeMetadata : public TypeKinds
{
public:
    /// Metadata without defaults: sizes 0, no encoding, no kind flags, null strings.
    SqlTypeMetadata() = default;
    virtual ~SqlTypeMetadata() = default;

    SqlTypeMetadata(const SqlTypeMetadata&) = delete;
    SqlTypeMetadata& operator=(const SqlTypeMetadata&) = delete;

    /// For exact numerics: a negative precision throws BadPrecisionException, a negative scale
    /// BadScaleException.
    virtual void Validate() const;

    /// The column size of a value of in_length (characters or bytes) of this type.
    virtual uint32_t GetColumnSize(uint32_t in_length) const;

    /// The display size of a value of in_length (characters or bytes) of this type.
    virtual uint32_t GetDisplaySize(uint32_t in_length) const;

    TDWType GetTDWType() const { return m_type; }

    /// 10 for exact and integer types, 2 for approximate types, 0 otherwise.
    int32_t GetNumPrecRadix() const { return m_numPrecRadix; }

    /// The transfer size in bytes of a fixed-size value; precision + 2 for exact numerics.
    uint64_t GetOctetLength() const { return m_octetLength; }
    void SetOctetLength(uint64_t in_octetLength) { m_octetLength = in_octetLength; }

    EncodingType GetEncoding() const { return m_encoding; }
    void SetEncoding(EncodingType in_encoding) { m_encoding = in_encoding; }

    /// The stored default sizes; GetColumnSize and GetDisplaySize compute what is reported.
    uint32_t GetStoredColumnSize() const { return m_columnSize; }
    void SetColumnSize(uint32_t in_columnSize) { m_columnSize = in_columnSize; }
    uint32_t GetStoredDisplaySize() const { return m_displaySize; }
    void SetDisplaySize(uint32_t in_displaySize) { m_displaySize = in_displaySize; }

    /// The ODBC SQL type code.
    int16_t GetConciseType() const { return m_conciseType; }
    void SetConciseType(int16_t in_conciseType) { m_conciseType = in_conciseType; }

    /// Non-zero for a driver-defined SQL type, whose name is then the type name.
    int16_t GetDriverTypeNumber() const { return m_driverTypeNumber; }
    void SetDriverTypeNumber(int16_t in_number) { m_driverTypeNumber = in_number; }

    /// SQL_DATETIME for the datetime types, else the concise type.
    int16_t GetVerboseType() const { return m_verboseType; }
    void SetVerboseType(int16_t in_verboseType) { m_verboseType = in_verboseType; }

    /// The value of the driver-defined column attribute 16387.
    uint16_t GetDriverAttributeValue() const { return m_driverAttributeValue; }

    int16_t GetDatetimeIntervalCode() const { return m_datetimeIntervalCode; }
    void SetDatetimeIntervalCode(int16_t in_code) { m_datetimeIntervalCode = in_code; }

    /// The character or binary length; the leading precision for intervals, where a value above
    /// 9 throws BadPrecisionException.
    uint64_t GetLengthOrIntervalPrecision() const { return m_length; }
    void SetLengthOrIntervalPrecision(uint64_t in_length);

    int16_t GetScale() const { return m_scale; }
    void SetScale(int16_t in_scale) { m_scale = in_scale; }

    /// Digits for numerics, fractional-second digits for times, timestamps and intervals. For
    /// intervals, times and timestamps a value outside 0 to 9, and for exact numerics a negative
    /// value, throws BadPrecisionException; an exact numeric's octet length follows the precision.
    int16_t GetPrecision() const { return m_precision; }
    void SetPrecision(int16_t in_precision);

    /// Approximate or exact numeric, time or interval: the types whose precision means something.
    bool IsPrecisionApplicable() const { return m_isPrecisionApplicable; }

    const orvik_wstring& GetCreateParams() const { return m_createParams; }
    void SetCreateParams(const orvik_wstring& in_params) { m_createParams = in_params; }
    const orvik_wstring& GetLiteralPrefix() const { return m_literalPrefix; }
    void SetLiteralPrefix(const orvik_wstring& in_prefix) { m_literalPrefix = in_prefix; }
    const orvik_wstring& GetLiteralSuffix() const { return m_literalSuffix; }
    void SetLiteralSuffix(const orvik_wstring& in_suffix) { m_literalSuffix = in_suffix; }
    const orvik_wstring& GetLocalTypeName() const { return m_localTypeName; }
    void SetLocalTypeName(const orvik_wstring& in_name) { m_localTypeName = in_name; }

    /// The ODBC type name without its "SQL_" prefix.
    const orvik_wstring& GetTypeName() const { return m_typeName; }
    void SetTypeName(const orvik_wstring& in_name) { m_typeName = in_name; }

    /// Non-zero: a variable-length value lives in a buffer that the caller attaches.
    uint32_t GetAttached() const { return m_attached; }
    void SetAttached(uint32_t in_attached) { m_attached = in_attached; }

    bool IsFixedPrecScale() const { return m_isFixedPrecScale; }
    void SetFixedPrecScale(bool in_isFixedPrecScale) { m_isFixedPrecScale = in_isFixedPrecScale; }

    /// The ODBC UNSIGNED attribute; changed through SqlTypeMetadataFactory::SetUnsigned.
    bool IsUnsigned() const { return m_isUnsigned; }

    bool IsWideStorage() const { return m_isWideStorage; }
    void SetWideStorage(bool in_isWideStorage) { m_isWideStorage = in_isWideStorage; }

private:
    friend class SqlTypeMetadataFactory;

    uint32_t GetIntervalColumnSize() const;
    uint32_t GetIntervalDisplaySize() const;

    TDWType m_type = TDW_SQL_NOTYPE;
    int32_t m_numPrecRadix = 0;
    uint64_t m_octetLength = 0;
    EncodingType m_encoding = ENC_NONE;
    uint32_t m_columnSize = 0;
    uint32_t m_displaySize = 0;
    int16_t m_conciseType = 0;
    int16_t m_driverTypeNumber = 0;
    int16_t m_verboseType = 0;
    uint16_t m_driverAttributeValue = 1;
    int16_t m_datetimeIntervalCode = 0;
    uint64_t m_length = 0;
    int16_t m_scale = 0;
    int16_t m_precision = 0;
    orvik_wstring m_createParams;
    orvik_wstring m_literalPrefix;
    orvik_wstring m_literalSuffix;
    orvik_wstring m_localTypeName;
    orvik_wstring m_typeName;
    uint32_t m_attached = 0;
    bool m_isFixedPrecScale = false;
    bool m_isUnsigned = false;
    bool m_isWideStorage = false;
    bool m_isPrecisionApplicable = false;
};

} // namespace Support
} // namespace Orvik
