#pragma once

#include "ODBC/Descriptors/DescriptorFieldValue.h"

#include <sql.h>

#include <cstdint>
#include <memory>

namespace Orvik {
namespace ODBC {

class CDataWrapper;

/// One record of an application descriptor: one bound column or parameter buffer. Its C type,
/// lengths, precision, scale, radix and encoding live in the C data wrapper's metadata; the
/// record adds the verbose type, the interval code and the length and indicator addresses.
/// A new record describes SQL_C_DEFAULT and is bound to nothing.
class AppDescriptorRecord
{
public:
    /// The wrapper comes from the process's pool of C data wrappers when there is one.
    AppDescriptorRecord();

    /// Gives the wrapper back to the pool.
    ~AppDescriptorRecord();

    AppDescriptorRecord(const AppDescriptorRecord&) = delete;
    AppDescriptorRecord& operator=(const AppDescriptorRecord&) = delete;

    /// A record field of an application descriptor.
    DescriptorFieldValue Read(int16_t in_field) const;

    /// Sets a record field: a concise type or type through the type coupling, a data address
    /// after the consistency check (which leaves the old address when it fails), any other field
    /// into the metadata or the record.
    void Write(int16_t in_field, const DescriptorFieldValue& in_value);

    /// The consistency check that setting a data address runs.
    void CheckConsistency() const;

    CDataWrapper& GetData() { return *m_data; }

    SQLLEN* GetIndicatorPtr() const { return m_indicatorPtr; }
    SQLLEN* GetOctetLengthPtr() const { return m_octetLengthPtr; }

    /// The offset of the current row's length and indicator from their bound addresses.
    int64_t GetLengthOffset() const { return m_lengthOffset; }
    void SetLengthOffset(int64_t in_offset) { m_lengthOffset = in_offset; }

private:
    /// A C type the record takes: the wrapper describes it with its defaults, unbound; the
    /// verbose type and interval code follow it.
    void SetConciseType(int16_t in_conciseType);

    /// Whether SQL_DESC_TYPE is SQL_INTERVAL.
    bool IsInterval() const;

    void WriteMetadataField(int16_t in_field, int64_t in_value);

    int16_t m_type;
    int16_t m_intervalCode = 0;
    std::unique_ptr<CDataWrapper> m_data;
    SQLLEN* m_indicatorPtr = nullptr;
    SQLLEN* m_octetLengthPtr = nullptr;
    int64_t m_lengthOffset = 0;
};

} // namespace ODBC
} // namespace Orvik
