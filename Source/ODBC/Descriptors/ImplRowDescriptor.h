#pragma once

#include "ODBC/Descriptors/Descriptor.h"

namespace Orvik {

namespace DSI {
class IColumns;
} // namespace DSI

namespace ODBC {

class IRowDescriptorOwner;

/// A statement's implementation row descriptor (IRD): it describes the columns of the
/// statement's current result. It keeps no records: every record field is computed from the
/// result's column and its SQL type metadata. The application may set only
/// SQL_DESC_ARRAY_STATUS_PTR and SQL_DESC_ROWS_PROCESSED_PTR. It works under its statement's
/// lock, so that the columns cannot change while a field is read.
class ImplRowDescriptor : public Descriptor
{
public:
    /// The IRD of io_owner (not owned); other arguments as Descriptor's.
    ImplRowDescriptor(HandleValue in_handle,
                      IRowDescriptorOwner& io_owner,
                      Connection* in_parentConnection,
                      Support::IMessageSource* in_messageSource,
                      DSI::ILogger* in_log);

    /// Stores the two header fields the application may set; any other field throws
    /// ODBCInternalException "CannotModImpRowDesc".
    void SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value) override;

    /// Records 1 to the count, once columns are attached.
    bool HasRecord(int16_t in_recNumber) override;

    /// Throws ODBCInternalException "CannotDropRecOfImplRowDesc".
    void DropRecord(int16_t in_recNumber) override;

    /// Throws HY016 "CannotModImpRowDesc".
    void CopyFrom(Descriptor& io_source) override;

    /// Attaches the current result's columns (not owned; null for a result without columns):
    /// the count becomes their number.
    void SetColumns(const DSI::IColumns* in_columns);

    /// The statement's lock.
    Support::CriticalSection& GetLock() override;

protected:
    /// SQL_DESC_COUNT is HY010 "StmtNotPrep" before any columns were attached, else the number
    /// of columns (0 for a result without columns).
    DescriptorFieldValue ReadHeaderField(int16_t in_field) override;

    /// HY010 before any columns were attached; record 0 is 07009 "BookmarkColumnNotSupported"
    /// (HY000 with bookmarks on); NoDataException "DescRecNotFound" beyond the count.
    DescriptorFieldValue ReadRecordField(int16_t in_recNumber, int16_t in_field) override;

    /// Throws HY016 "CannotModImpRowDesc".
    void MakeRecord(int16_t in_recNumber) override;

private:
    /// Throws HY010 "StmtNotPrep" before any columns were attached.
    void CheckPopulated() const;

    IRowDescriptorOwner& m_owner;
    const DSI::IColumns* m_columns = nullptr;
    bool m_isPopulated = false;
};

} // namespace ODBC
} // namespace Orvik
