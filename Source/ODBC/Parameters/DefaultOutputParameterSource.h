#pragma once

#include "ODBC/Parameters/PushedParameterSource.h"

namespace Orvik {
namespace ODBC {

/// The holder of one piece of a parameter's value sent as data at execution, converted to the
/// parameter's SQL type, on its way to the data store. It has no output to write into and no
/// pushed state of its own.
class DefaultOutputParameterSource : public PushedParameterSource
{
public:
    /// A source over io_record of io_descriptor (neither owned); it clears the record's
    /// modified flag.
    DefaultOutputParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record);

    /// Throws BadStateException "CannotSetParmSrcAttrDuringPushData".
    Support::SqlData& GetOutputData() override;

    /// Throws BadStateException "PushValueStatusUnknown".
    bool IsPushed() override;

    /// The default throws NoDataInputParamException "CannotReadFromDefaultParam"; NULL gives
    /// null.
    const void* GetData(uint64_t& out_length) override;

    /// The same refusal as GetData.
    Support::SqlData& GetSqlData() override;

private:
    void CheckReadable();
};

} // namespace ODBC
} // namespace Orvik
