#pragma once

#include "ODBC/Descriptors/DescriptorFieldValue.h"

#include <cstdint>
#include <memory>

namespace Orvik {

namespace Support {
class SqlTypeMetadata;
} // namespace Support

namespace ODBC {

/// One record of the implementation parameter descriptor: how one parameter is described as an
/// SQL value. Types, sizes, precision, scale and encoding live in its SQL type metadata; the
/// record adds the verbose type, the interval code and the parameter's own attributes. A new
/// record describes no type yet (SQL type 0): an input parameter, nullable, unnamed.
class ImplParamDescriptorRecord
{
public:
    explicit ImplParamDescriptorRecord(int16_t in_parameterNumber);
    ~ImplParamDescriptorRecord();

    ImplParamDescriptorRecord(const ImplParamDescriptorRecord&) = delete;
    ImplParamDescriptorRecord& operator=(const ImplParamDescriptorRecord&) = delete;

    /// A record field of the implementation parameter descriptor.
    DescriptorFieldValue Read(int16_t in_field) const;

    /// Sets a record field and marks the record modified. A concise type or type goes through
    /// the type coupling; a data address only runs the consistency check; the fields that come
    /// from the type (radix, names, encoding and the like) throw ODBCInternalException.
    void Write(int16_t in_field, const DescriptorFieldValue& in_value);

    /// The consistency check that setting a data address, and filling the descriptor, run.
    void CheckConsistency() const;

    Support::SqlTypeMetadata& GetMetadata() { return *m_metadata; }

    int16_t GetParameterNumber() const { return m_parameterNumber; }

    /// Set at construction and by every field written; the parameter sources read it.
    bool IsModified() const { return m_isModified; }
    void SetModified(bool in_isModified) { m_isModified = in_isModified; }

private:
    /// An SQL type the record takes; the metadata takes the type's defaults when the verbose type
    /// or the interval code changes.
    void SetConciseType(int16_t in_conciseType);

    /// SQL_DESC_TYPE is SQL_DATETIME or SQL_INTERVAL.
    bool IsDatetimeOrInterval() const;

    void WriteMetadataField(int16_t in_field, int64_t in_value);

    int16_t m_type;
    int16_t m_intervalCode = 0;
    std::unique_ptr<Support::SqlTypeMetadata> m_metadata;
    int16_t m_parameterType;
    int16_t m_nullable;
    int32_t m_caseSensitive = 0;
    Support::orvik_wstring m_name;
    int16_t m_unnamed;
    int16_t m_parameterNumber;
    bool m_isModified = true;
};

} // namespace ODBC
} // namespace Orvik
