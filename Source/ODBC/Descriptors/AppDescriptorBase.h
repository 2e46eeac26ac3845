#pragma once

#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Descriptors/DescriptorRecords.h"
#include "Support/TypedDataWrapper/TDWType.h"

namespace Orvik {
namespace ODBC {

class AppDescriptorRecord;

/// Where SQLParamData stops next: a row of the parameter arrays (from 0) and a parameter (from
/// 1).
struct DataAtExecPosition
{
    uint64_t m_row = 0;
    int16_t m_recNumber = 0;
};

/// The application descriptors: the ARD and APD of a statement (AppDescriptor) and the ones the
/// application allocates (ExplicitAppDescriptor). Each record describes one of the
/// application's buffers; record 0 is the bookmark column, which only the row descriptors and
/// explicit descriptors have. The record vector always holds SQL_DESC_COUNT + 1 entries, null
/// where no record was set.
class AppDescriptorBase : public Descriptor
{
public:
    ~AppDescriptorBase() override;

    void SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value) override;
    bool HasRecord(int16_t in_recNumber) override;
    void DropRecord(int16_t in_recNumber) override;
    void CopyFrom(Descriptor& io_source) override;

    /// Record in_recNumber, made (and the count raised to it) when it does not exist; record 0
    /// of a descriptor without a bookmark record throws 07009 "BookmarkColumnNotSupported".
    AppDescriptorRecord& GetOrCreateRecord(int16_t in_recNumber);

    /// Record in_recNumber, or the default record where none was set; NoDataException
    /// "InvalidDescIndex" beyond the count.
    const AppDescriptorRecord& GetRecordOrDefault(int16_t in_recNumber);

    /// Succeeds when in_count is 0, or at most the count with records 1 to in_count all set;
    /// otherwise 07002 "DescRecNotSeq".
    using Descriptor::CheckRecordsSequential;

    /// Searches, from the record after in_from in its row (from the start when in_from is null),
    /// the parameter arrays for the next parameter whose length is SQL_DATA_AT_EXEC or
    /// SQL_LEN_DATA_AT_EXEC(n): rows marked SQL_PARAM_IGNORE and values marked SQL_NULL_DATA are
    /// passed over. Each record visited keeps its row's length offset and its wrapper the data
    /// offset. False when none remains.
    bool FindNextDataAtExecParameter(const DataAtExecPosition* in_from, DataAtExecPosition& out_found);

    /// Points record in_recNumber at row in_row (from 0) of the parameter or column arrays: its
    /// length offset and its wrapper's data offset take the binding offset and the row's place
    /// by SQL_DESC_BIND_TYPE (row-wise rows of that many bytes, or column-wise elements of
    /// CDataWrapper::GetElementSize for in_sqlType, the SQL type the values serve, and 8-byte
    /// lengths). A record that does not exist throws ODBCInternalException "DescRecNotFound".
    AppDescriptorRecord& MoveToRow(int16_t in_recNumber, uint64_t in_row, Support::TDWType in_sqlType);

    /// The offset at SQL_DESC_BIND_OFFSET_PTR that the current execution or fetch adds to every
    /// bound address.
    int64_t GetBindingOffset() const { return m_bindingOffset; }
    void SetBindingOffset(int64_t in_offset) { m_bindingOffset = in_offset; }

    /// Takes the binding offset from SQL_DESC_BIND_OFFSET_PTR (0 without one), as execution and
    /// fetching do when they start.
    void LoadBindingOffset();

    /// Set whenever the bound buffers may have changed; the fetch code clears it once it has
    /// read the bindings again.
    bool HasBindingsChanged() const { return m_bindingsChanged; }
    void SetBindingsChanged(bool in_changed) { m_bindingsChanged = in_changed; }

protected:
    AppDescriptorBase(HandleValue in_handle,
                      int16_t in_allocType,
                      bool in_hasBookmarkRecord,
                      Connection* in_parentConnection,
                      Support::IMessageSource* in_messageSource,
                      DSI::ILogger* in_log);

    DescriptorFieldValue ReadRecordField(int16_t in_recNumber, int16_t in_field) override;
    void MakeRecord(int16_t in_recNumber) override;

private:
    /// Throws 07009 "BookmarkColumnNotSupported" for record 0 without a bookmark record.
    void CheckBookmarkRecord(int16_t in_recNumber) const;

    /// Cuts or extends the records to in_count + 1 entries.
    void SetCount(int64_t in_count);

    /// Whether the record of in_recNumber in row in_row waits for data at execution; computes
    /// the record's offsets for the row.
    bool IsDataAtExec(int16_t in_recNumber, uint64_t in_row);

    DescriptorRecords<AppDescriptorRecord> m_records;
    bool m_hasBookmarkRecord;
    int64_t m_bindingOffset = 0;
    bool m_bindingsChanged = true;
};

} // namespace ODBC
} // namespace Orvik
