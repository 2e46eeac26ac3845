#pragma once

#include "DSI/ParameterList.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Descriptors/DescriptorRecords.h"

#include <memory>
#include <vector>

namespace Orvik {

namespace DSI {
class IQueryExecutor;
} // namespace DSI

namespace ODBC {

class DefaultOutputParameterSource;
class ImplParamDescriptorRecord;
class InputParameterSource;
class PopulatingParameterSource;

/// A statement's implementation parameter descriptor (IPD): each record describes one
/// parameter as an SQL value. The application describes parameters itself (SQLBindParameter,
/// SQLSetDescField), or preparing a statement lets the data engine describe them through the
/// descriptor's registration interface, DSI::ParameterList. Record 0 is never used; the record
/// vector holds SQL_DESC_COUNT + 1 entries, null where no record was set.
class ImplParamDescriptor : public Descriptor, public DSI::ParameterList
{
public:
    /// Arguments as Descriptor's.
    ImplParamDescriptor(HandleValue in_handle,
                        Connection* in_parentConnection,
                        Support::IMessageSource* in_messageSource,
                        DSI::ILogger* in_log);
    ~ImplParamDescriptor() override;

    void SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value) override;
    bool HasRecord(int16_t in_recNumber) override;
    void DropRecord(int16_t in_recNumber) override;

    /// Also refuses SQL_DESC_UNNAMED on record 0 (07009) and set to SQL_NAMED (HY092
    /// "DescUnnamedNotAllowed").
    void SetField(int16_t in_recNumber, int16_t in_field, SQLPOINTER in_value, int32_t in_bufferLength) override;

    void CopyFrom(Descriptor& io_source) override;

    /// A record that was never set gives NoDataException "DescRecNotFound".
    void GetRec(int16_t in_recNumber,
                SQLWCHAR* out_name,
                int16_t in_bufferLength,
                int16_t* out_stringLength,
                int16_t* out_type,
                int16_t* out_subType,
                SQLLEN* out_length,
                int16_t* out_precision,
                int16_t* out_scale,
                int16_t* out_nullable) override;

    /// Deletes every record: the count becomes 0. Preparing a statement does this before the
    /// data engine describes the new parameters.
    void ResetRecords();

    /// Lets io_executor describe the prepared statement's parameters through GetParameter, then
    /// runs the consistency check on every record. The records registered before a failure stay.
    void PopulateFromDataEngine(DSI::IQueryExecutor& io_executor);

    /// Registers parameter in_number while the data engine describes: makes its record when it
    /// does not exist and returns a source that describes it, valid until the description ends.
    /// Throws CallbackException "InvalidParamRegistIndex" for 0 or a number beyond 32767,
    /// BadStateException "ParamRegistNotPermit" outside a description.
    DSI::ParameterSource& GetParameter(uint16_t in_number) override;

    /// Succeeds when in_count is 0, or at most the count with records 1 to in_count all set;
    /// otherwise 07002 "DescRecNotSeq".
    using Descriptor::CheckRecordsSequential;

    /// Record in_recNumber; ODBCInternalException "DescRecNotFound" when it was never set.
    ImplParamDescriptorRecord& GetRecord(int16_t in_recNumber);

    /// A source of the value of parameter in_recNumber for an execution's input list
    /// (in_isInput) or output list; the caller owns it. "DescRecNotFound" as for GetRecord.
    std::unique_ptr<InputParameterSource> CreateInputParameterSource(int16_t in_recNumber, bool in_isInput);

    /// The holder of a piece of parameter in_recNumber sent as data at execution; the caller owns
    /// it. "DescRecNotFound" as for GetRecord.
    std::unique_ptr<DefaultOutputParameterSource> CreateDefaultOutputParameterSource(int16_t in_recNumber);

protected:
    DescriptorFieldValue ReadRecordField(int16_t in_recNumber, int16_t in_field) override;
    void MakeRecord(int16_t in_recNumber) override;

private:
    ImplParamDescriptorRecord& GetOrCreateRecord(int16_t in_recNumber);

    /// Cuts or extends the records to in_count + 1 entries.
    void SetCount(int64_t in_count);

    DescriptorRecords<ImplParamDescriptorRecord> m_records;
    bool m_isPopulating = false;
    std::vector<std::unique_ptr<PopulatingParameterSource>> m_sources;
};

} // namespace ODBC
} // namespace Orvik
