#pragma once

#include "ODBC/Parameters/RecordParameterSource.h"

#include <memory>

namespace Orvik {
namespace ODBC {

/// The part the sources that carry values share: the SQL-side value of the parameter, held in a
/// holder made for the record's type, and whether the application asked for the column's
/// default. While values travel the description is fixed: every describing setter throws
/// BadStateException "CannotSetParmSrcAttrDuringPushData".
class PushedParameterSource : public RecordParameterSource
{
public:
    ~PushedParameterSource() override;

    void SetCaseSensitive(bool in_isCaseSensitive) override;
    void SetColumnSize(uint64_t in_size) override;
    void SetLength(uint64_t in_length) override;
    void SetName(const Support::orvik_wstring& in_name) override;
    void SetInputOutputType(int16_t in_type) override;
    void SetPrecision(int16_t in_precision) override;
    void SetScale(int16_t in_scale) override;
    void SetEncoding(Support::EncodingType in_encoding) override;
    void SetNullable(int16_t in_nullable) override;
    void SetConciseType(int16_t in_type) override;
    void SetUnnamed(bool in_isUnnamed) override;
    void SetUnsigned(bool in_isUnsigned) override;

    /// The holder's null flag.
    bool IsNull() override;

    bool IsDefault() override;
    void SetDefault(bool in_isDefault) { m_isDefault = in_isDefault; }

    /// The holder, for the ODBC layer that fills it.
    Support::SqlData& GetHeldData() { return *m_data; }

protected:
    /// A source over io_record of io_descriptor (neither owned) with a holder for the record's
    /// type.
    PushedParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    /// The held value's bytes and length (GetData of the value sources); null for NULL.
    const void* GetHeldBytes(uint64_t& out_length);

private:
    std::unique_ptr<Support::SqlData> m_data;
    bool m_isDefault = false;
};

} // namespace ODBC
} // namespace Orvik
