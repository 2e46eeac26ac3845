#pragma once

#include "ODBC/Parameters/PushedParameterSource.h"

namespace Orvik {
namespace ODBC {

/// One parameter of an execution as the data store reads it set by set: in the input list the
/// value the application bound for the current set, converted to the parameter's SQL type (or
/// a mark that the value arrived as data at execution); in the output list the holder into
/// which the data store writes the output value. The holder starts NULL.
class InputParameterSource : public PushedParameterSource
{
public:
    /// A source over io_record of io_descriptor (neither owned) for the input list
    /// (in_isInput) or the output list. It clears the record's modified flag, except for an
    /// input/output parameter's source in the input list, which leaves it to the output one.
    InputParameterSource(ImplParamDescriptor& io_descriptor, ImplParamDescriptorRecord& io_record, bool in_isInput);

    /// An output source's holder; an input source throws WriteToDefaultParamException
    /// "WriteToDefaultParam" when it carries the default, WriteToInputParamException
    /// "WriteToInputParam" otherwise.
    Support::SqlData& GetOutputData() override;

    bool IsPushed() override;

    /// An output source throws ReadFromOutputParamException "CannotReadFromOutputParam", a
    /// pushed value NoDataInputParamException "CannotReadFromPushedParam"; NULL gives null.
    const void* GetData(uint64_t& out_length) override;

    /// The same refusals as GetData.
    Support::SqlData& GetSqlData() override;

    /// Starts the next set: not NULL, not the default, not pushed.
    void ResetForSet();

    void SetPushed() { m_isPushed = true; }

private:
    /// Throws what GetData and GetSqlData refuse with.
    void CheckReadable();

    const bool m_isInput;
    bool m_isPushed = false;
};

} // namespace ODBC
} // namespace Orvik
