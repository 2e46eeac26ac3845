#pragma once

#include "ODBC/Parameters/RecordParameterSource.h"

namespace Orvik {
namespace ODBC {

/// The source through which the data engine describes one parameter while a statement is
/// prepared: every description lands in the parameter's IPD record, and the description reads
/// back from it. There is no value to read yet: the value queries throw BadStateException
/// "CannotQueryParmSrcDuringPopulate", IsPushed "PushValueStatusUnknown". Made by the IPD for the
/// time of the description; what it writes is the record's starting point, so the record stays
/// unmodified.
class PopulatingParameterSource : public RecordParameterSource
{
public:
    /// A source over io_record of io_descriptor (neither owned).
    PopulatingParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    void SetCaseSensitive(bool in_isCaseSensitive) override;

    /// A size beyond 32 bits is kept as the largest 32-bit size; so is a length.
    void SetColumnSize(uint64_t in_size) override;
    void SetLength(uint64_t in_length) override;

    void SetName(const Support::orvik_wstring& in_name) override;

    /// Output parameters (4, 5) are recorded as SQL_PARAM_OUTPUT.
    void SetInputOutputType(int16_t in_type) override;

    /// With the metadata's own checks (BadPrecisionException).
    void SetPrecision(int16_t in_precision) override;
    void SetScale(int16_t in_scale) override;
    void SetEncoding(Support::EncodingType in_encoding) override;

    /// 0 SQL_NO_NULLS, 1 SQL_NULLABLE, anything else SQL_NULLABLE_UNKNOWN.
    void SetNullable(int16_t in_nullable) override;

    /// A code that is no SQL type throws CallbackException "IllegalDescConciseType".
    void SetConciseType(int16_t in_type) override;

    void SetUnnamed(bool in_isUnnamed) override;
    void SetUnsigned(bool in_isUnsigned) override;

    Support::SqlData& GetOutputData() override;
    bool IsPushed() override;
    bool IsNull() override;
    bool IsDefault() override;
    const void* GetData(uint64_t& out_length) override;
    Support::SqlData& GetSqlData() override;
};

} // namespace ODBC
} // namespace Orvik
