#pragma once

#include "ODBC/Descriptors/DescriptorFieldValue.h"
#include "ODBC/Descriptors/DescriptorFields.h"
#include "ODBC/Descriptors/DescriptorHeader.h"
#include "ODBC/Handles/HandleGenerator.h"
#include "Support/CriticalSection.h"

#include <sql.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Orvik {

namespace DSI {
class ILogger;
} // namespace DSI

namespace Support {
class ErrorException;
class IMessageSource;
} // namespace Support

namespace ODBC {

class Connection;
class DiagManager;
class IDescriptorDeleteListener;
class IDiagManager;

/// A descriptor handle (SQL_HANDLE_DESC): the common part of the application descriptors
/// (AppDescriptorBase), the implementation parameter descriptor and the implementation row
/// descriptor. It owns the header, the diagnostics and the lock, runs the five ODBC descriptor
/// functions, and keeps the rules that the kinds share: which fields each kind serves (and may
/// be set by the application), how values travel between the application's buffers and the
/// descriptor, and which header fields exist. Records belong to the kinds.
///
/// Every operation runs under GetLock(): the descriptor's own lock, or the statement's for the
/// implementation row descriptor.
class Descriptor
{
public:
    virtual ~Descriptor();

    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    // The ODBC functions. Each clears the diagnostics, works under the lock and returns
    // SQL_SUCCESS, SQL_SUCCESS_WITH_INFO after a warning, SQL_NO_DATA for a record that a read
    // does not find, or SQL_ERROR with a record on the diagnostics.

    /// String lengths in bytes. SQL_DESC_BIND_TYPE is written as a 32-bit integer of length 4.
    SQLRETURN SQLGetDescFieldW(SQLSMALLINT in_recNumber,
                               SQLSMALLINT in_fieldIdentifier,
                               SQLPOINTER out_value,
                               SQLINTEGER in_bufferLength,
                               SQLINTEGER* out_stringLength);

    /// An integer travels in the pointer itself; SQL_DESC_BIND_TYPE is taken as 32-bit.
    SQLRETURN SQLSetDescFieldW(SQLSMALLINT in_recNumber,
                               SQLSMALLINT in_fieldIdentifier,
                               SQLPOINTER in_value,
                               SQLINTEGER in_bufferLength);

    /// The name's buffer length and length count characters.
    SQLRETURN SQLGetDescRecW(SQLSMALLINT in_recNumber,
                             SQLWCHAR* out_name,
                             SQLSMALLINT in_bufferLength,
                             SQLSMALLINT* out_stringLength,
                             SQLSMALLINT* out_type,
                             SQLSMALLINT* out_subType,
                             SQLLEN* out_length,
                             SQLSMALLINT* out_precision,
                             SQLSMALLINT* out_scale,
                             SQLSMALLINT* out_nullable);

    SQLRETURN SQLSetDescRec(SQLSMALLINT in_recNumber,
                            SQLSMALLINT in_type,
                            SQLSMALLINT in_subType,
                            SQLLEN in_length,
                            SQLSMALLINT in_precision,
                            SQLSMALLINT in_scale,
                            SQLPOINTER in_data,
                            SQLLEN* in_stringLength,
                            SQLLEN* in_indicator);

    /// Copies io_source into this descriptor; errors are posted here. A copy onto itself
    /// changes nothing.
    SQLRETURN SQLCopyDesc(Descriptor& io_source);

    /// True only for descriptors the application allocated.
    virtual bool IsExplicit() const;

    /// Statements to tell when the descriptor is freed; only explicit descriptors keep them,
    /// the others throw ODBCInternalException "CannotAssocNonExpDescWithDeleteListener".
    virtual void AddDeleteListener(IDescriptorDeleteListener* in_listener);
    virtual void RemoveDeleteListener(IDescriptorDeleteListener* in_listener);

    /// Writes field in_field of record in_recNumber into the application's buffer: a text as
    /// WStringHelper writes it (lengths in characters when in_lengthsInChars, else bytes; a cut
    /// text warns io_diagnostics), any other value with its width, which also goes to the
    /// length output. HY091 for a field this kind does not serve; NoDataException for a record
    /// beyond the last.
    void GetField(IDiagManager* io_diagnostics,
                  int16_t in_recNumber,
                  int16_t in_field,
                  void* out_value,
                  int32_t in_bufferLength,
                  int32_t* out_stringLength,
                  bool in_lengthsInChars);

    /// The value of a field as GetField would write it.
    DescriptorFieldValue ReadField(int16_t in_recNumber, int16_t in_field);

    /// Stores a field without asking whether the application may set it: SQLBindCol,
    /// SQLBindParameter, SQLFreeStmt and copying set fields this way.
    virtual void SetFieldValue(int16_t in_recNumber, int16_t in_field, const DescriptorFieldValue& in_value) = 0;

    /// Whether record in_recNumber exists.
    virtual bool HasRecord(int16_t in_recNumber) = 0;

    /// Deletes record in_recNumber (unbinding it); a deleted last record lowers the count to
    /// the highest record that remains.
    virtual void DropRecord(int16_t in_recNumber) = 0;

    /// SQLSetDescField's work: the application may set the field on this kind, then the value
    /// is taken from in_value (integers cut to the field's width; a text of in_bufferLength bytes
    /// or SQL_NTS) and stored.
    virtual void SetField(int16_t in_recNumber, int16_t in_field, SQLPOINTER in_value, int32_t in_bufferLength);

    /// SQLCopyDesc's work: reads io_source under its lock, then writes this descriptor under its
    /// own, so that no call holds both.
    virtual void CopyFrom(Descriptor& io_source) = 0;

    /// SQLGetDescRec's and SQLSetDescRec's work.
    virtual void GetRec(int16_t in_recNumber,
                        SQLWCHAR* out_name,
                        int16_t in_bufferLength,
                        int16_t* out_stringLength,
                        int16_t* out_type,
                        int16_t* out_subType,
                        SQLLEN* out_length,
                        int16_t* out_precision,
                        int16_t* out_scale,
                        int16_t* out_nullable);
    virtual void SetRec(int16_t in_recNumber,
                        int16_t in_type,
                        int16_t in_subType,
                        SQLLEN in_length,
                        int16_t in_precision,
                        int16_t in_scale,
                        void* in_data,
                        SQLLEN* in_stringLength,
                        SQLLEN* in_indicator);

    /// Throws unless the application may set in_field on this kind: HY016 "CannotModImpRowDesc"
    /// on the implementation row descriptor, else HY091 "ReadOnlyDescField" for a read-only
    /// field and "InvalidDescFieldIdent" for one the kind does not serve.
    virtual void CheckWritable(int16_t in_field) const;

    /// Whether in_field is a header field of this kind.
    bool IsHeaderField(int16_t in_field) const;

    /// Whether this kind serves in_field to readers.
    bool CanRead(int16_t in_field) const;

    /// A header field of this kind; another field throws ODBCInternalException. 64-bit fields
    /// (SQL_DESC_BIND_TYPE among them) come whole.
    DescriptorFieldValue GetHeaderFieldChecked(int16_t in_field);

    /// The whole header, read at once under the descriptor's lock: for the fetch, which reads
    /// several header fields on every call.
    DescriptorHeader ReadHeader();

    /// A field that is no text; a text field throws ODBCInternalException
    /// "CannotGetStrDescFieldInNonStrMethod".
    DescriptorFieldValue GetNonStringField(int16_t in_recNumber, int16_t in_field);

    /// Stores a header field of this kind (SQLFreeStmt, the statement attributes that are header
    /// fields); another field throws HY091 "InvalidDescFieldIdent".
    void SetHeaderField(int16_t in_field, const DescriptorFieldValue& in_value);

    /// The value type of in_field; HY091 "InvalidDescFieldIdent" for an identifier that is no
    /// field.
    static DescriptorValueType GetFieldValueType(int16_t in_field);

    static bool IsStringField(int16_t in_field);

    DescriptorKind GetKind() const { return m_kind; }
    HandleValue GetHandle() const { return m_handle; }
    Connection* GetParentConnection() const { return m_parentConnection; }
    DiagManager& GetDiagManager() { return *m_diagnostics; }

    /// The lock every operation takes.
    virtual Support::CriticalSection& GetLock();

protected:
    /// A descriptor of kind in_kind with handle value in_handle and allocation type
    /// in_allocType, belonging to in_parentConnection (not owned; may be null where no
    /// connection is needed). Its diagnostics read texts from in_messageSource (not owned); it
    /// logs to in_log (not owned; may be null).
    Descriptor(DescriptorKind in_kind,
               HandleValue in_handle,
               int16_t in_allocType,
               Connection* in_parentConnection,
               Support::IMessageSource* in_messageSource,
               DSI::ILogger* in_log);

    /// A header field's value; the kinds that derive a field override it.
    virtual DescriptorFieldValue ReadHeaderField(int16_t in_field);

    /// A record field's value; in_field is a record field the kind serves.
    virtual DescriptorFieldValue ReadRecordField(int16_t in_recNumber, int16_t in_field) = 0;

    /// Makes record in_recNumber when it does not exist, raising the count to it.
    virtual void MakeRecord(int16_t in_recNumber) = 0;

    /// Stores a header field other than the count; the allocation type throws
    /// ODBCInternalException "CannotSetDescAllocType".
    void WriteHeaderField(int16_t in_field, const DescriptorFieldValue& in_value);

    /// Throws HY091 "InvalidDescFieldIdent" for a field this kind does not serve at all.
    void CheckServed(int16_t in_field) const;

    /// Throws HY024 "NegativeDescCount" for a count below 0.
    static void CheckCount(int64_t in_count);

    /// Succeeds when in_count is 0, or at most the count with records 1 to in_count all set;
    /// otherwise 07002 "DescRecNotSeq". The kinds that keep records make it public.
    void CheckRecordsSequential(int32_t in_count);

    /// The fields SQLCopyDesc copies into this kind: header fields, then the fields of every
    /// record from m_firstRecord to the count that the source has. A field of a "required" list
    /// that the source does not serve ends the copy with HY091; an "optional" list stops at the
    /// first field the source does not serve.
    struct FieldList
    {
        const int16_t* m_fields;
        size_t m_count;
    };
    struct CopyPlan
    {
        FieldList m_headerRequired;
        FieldList m_headerOptional;
        FieldList m_recordRequired;
        FieldList m_recordOptional;
        int16_t m_firstRecord;
    };

    /// Copies io_source by in_plan; a copy onto itself does nothing.
    void CopyByPlan(Descriptor& io_source, const CopyPlan& in_plan);

    DescriptorHeader& GetHeader() { return m_header; }

private:
    /// The frame of the ODBC functions, under the lock: entrance log, cleared diagnostics, and
    /// the outcome of in_work as an SQLRETURN; a record not found is SQL_NO_DATA for a read
    /// (in_isRead), an error otherwise. A copy (in_isCopy) holds the lock only to clear and post.
    template <class Work>
    SQLRETURN RunCall(const char* in_method, bool in_isRead, Work&& in_work, bool in_isCopy = false);

    /// The field's name and number at INFO.
    void LogField(const char* in_method, int16_t in_field);

    /// Posts and logs a failed call.
    void PostFailure(const char* in_method, const Support::ErrorException& in_exception);

    DescriptorKind m_kind;
    HandleValue m_handle;
    DescriptorHeader m_header;
    std::unique_ptr<DiagManager> m_diagnostics;
    DSI::ILogger* m_log;
    Support::CriticalSection m_lock;
    Connection* m_parentConnection;
};

} // namespace ODBC
} // namespace Orvik
