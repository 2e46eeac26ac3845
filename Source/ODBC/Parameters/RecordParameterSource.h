#pragma once

#include "DSI/ParameterSource.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

class ImplParamDescriptor;
class ImplParamDescriptorRecord;
struct DescriptorFieldValue;

/// The part every parameter source of the ODBC layer shares: the description read from one IPD
/// record, and the record's modified flag as it stood when the source was made. What the
/// sources do with descriptions and values is their own.
class RecordParameterSource : public DSI::ParameterSource
{
public:
    RecordParameterSource(const RecordParameterSource&) = delete;
    RecordParameterSource& operator=(const RecordParameterSource&) = delete;

    /// The metadata's stored column size.
    uint64_t GetColumnSize() override;
    uint64_t GetLength() override;
    Support::orvik_wstring GetName() override;
    int32_t GetNumPrecRadix() override;

    /// A recorded direction other than 1, 2 or 4 throws CallbackException "InvalidParameterType".
    int16_t GetInputOutputType() override;

    int16_t GetPrecision() override;
    int16_t GetScale() override;
    Support::EncodingType GetEncoding() override;
    int16_t GetSqlType() override;

    /// A recorded value other than 0, 1 or 2 throws CallbackException "DescFieldNotRecg".
    int16_t GetNullable() override;

    bool IsUnsigned() override;
    uint16_t GetParameterNumber() override;

    /// A recorded value other than 0 or 1 throws CallbackException "DescFieldNotRecg"; so does
    /// IsUnnamed.
    bool IsCaseSensitive() override;
    bool IsUnnamed() override;

    uint64_t GetOctetLength() override;
    bool IsModified() override;

    ImplParamDescriptorRecord& GetRecord() { return m_record; }

protected:
    /// A source over io_record of io_descriptor (neither owned).
    RecordParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    /// A field of the record; a refusal becomes CallbackException with the refusal's message and
    /// component.
    int64_t ReadInteger(int16_t in_field);

    /// Writes a field of the record through the descriptor, which leaves the record unmodified:
    /// what the data store describes is no change of the application's. A refusal becomes
    /// CallbackException as for ReadInteger.
    void WriteField(int16_t in_field, const DescriptorFieldValue& in_value);

    /// Throws CallbackException "DescFieldNotRecg" unless in_value is 0 or 1.
    static bool ToFlag(int64_t in_value);

    ImplParamDescriptor& m_descriptor;
    ImplParamDescriptorRecord& m_record;

private:
    const bool m_isModified;
};

} // namespace ODBC
} // namespace Orvik
