#pragma once

#include "DSI/ParameterSource.h"

namespace Orvik {
namespace ODBC {

class ImplParamDescriptor;
class ImplParamDescriptorRecord;
struct DescriptorFieldValue;

/// The source through which the data engine describes one parameter while a statement is
/// prepared: every description lands in the parameter's IPD record, and the type reads back from
/// it. There is no value to read yet: the value queries throw BadStateException
/// "CannotQueryParmSrcDuringPopulate". Made by the IPD for the time of the description; what
/// it writes is the record's starting point, so the record stays unmodified.
class PopulatingParameterSource : public DSI::ParameterSource
{
public:
    /// A source over io_record of io_descriptor (neither owned).
    PopulatingParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    PopulatingParameterSource(const PopulatingParameterSource&) = delete;
    PopulatingParameterSource& operator=(const PopulatingParameterSource&) = delete;

    bool IsNull() override;
    bool IsDefault() override;

    /// The record's concise SQL type.
    int16_t GetSqlType() override;

    bool IsUnsigned() override;
    const void* GetData(uint64_t& out_length) override;

    /// A code that is no SQL type throws CallbackException "IllegalDescConciseType".
    void SetConciseType(int16_t in_type) override;

    /// Output parameters (4, 5) are recorded as SQL_PARAM_OUTPUT.
    void SetInputOutputType(int16_t in_type) override;

    /// A size beyond 32 bits is kept as the largest 32-bit size.
    void SetColumnSize(uint64_t in_size) override;

private:
    /// Writes a field of the record through the descriptor; a refusal becomes CallbackException
    /// with the refusal's message and component.
    void WriteField(int16_t in_field, const DescriptorFieldValue& in_value);

    ImplParamDescriptor& m_descriptor;
    ImplParamDescriptorRecord& m_record;
};

} // namespace ODBC
} // namespace Orvik
