#pragma once

#include "DSI/Client/IParameterSource.h"

namespace Orvik {
namespace ODBC {

class ImplParamDescriptor;
class ImplParamDescriptorRecord;
struct DescriptorFieldValue;

/// The source through which the data engine describes one parameter while a statement is
/// prepared: every description lands in the parameter's IPD record. Made by the IPD for the
/// time of the description; it clears the record's modified flag and keeps the value it had.
class PopulatingParameterSource : public DSI::IParameterSource
{
public:
    /// A source over io_record of io_descriptor (neither owned).
    PopulatingParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    PopulatingParameterSource(const PopulatingParameterSource&) = delete;
    PopulatingParameterSource& operator=(const PopulatingParameterSource&) = delete;

    uint16_t GetParameterNumber() const override;
    void SetCaseSensitive(bool in_isCaseSensitive) override;
    void SetColumnSize(uint32_t in_columnSize) override;
    void SetLength(uint32_t in_length) override;
    void SetName(const Support::orvik_wstring& in_name) override;
    void SetInputOutputType(int16_t in_type) override;
    void SetPrecision(int16_t in_precision) override;
    void SetScale(int16_t in_scale) override;
    void SetEncoding(Support::EncodingType in_encoding) override;
    void SetNullable(int16_t in_nullable) override;
    void SetSqlType(int16_t in_sqlType) override;
    void SetUnnamed(bool in_isUnnamed) override;
    void SetUnsigned(bool in_isUnsigned) override;

    /// The record's modified flag when the source was made.
    bool IsModified() const { return m_isModified; }

private:
    /// Writes a field of the record through the descriptor; a refusal becomes CallbackException
    /// with the refusal's message and component.
    void WriteField(int16_t in_field, const DescriptorFieldValue& in_value);

    ImplParamDescriptor& m_descriptor;
    ImplParamDescriptorRecord& m_record;
    bool m_isModified;
};

} // namespace ODBC
} // namespace Orvik
