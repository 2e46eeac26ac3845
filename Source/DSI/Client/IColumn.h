#pragma once

#include "Support/SharedPtr.h"

#include <cstdint>

namespace Orvik {
namespace Support {
class SqlTypeMetadata;
class orvik_wstring;
} // namespace Support

namespace DSI {

class Collation;
class DSIColumnMetadata;
class ILogger;

/// One column of a result, as the ODBC layer describes it to the application (SQLDescribeCol,
/// SQLColAttribute, the implementation row descriptor).
class IColumn
{
public:
    virtual ~IColumn() = default;

    /// The column size that the type's rule gives for the column length.
    virtual uint32_t GetColumnSize() const = 0;

    /// SQL_PRED_NONE, SQL_PRED_CHAR, SQL_PRED_BASIC or SQL_PRED_SEARCHABLE.
    virtual int32_t GetSearchable() const = 0;

    /// The label; null when the column has none.
    virtual void GetLabel(Support::orvik_wstring& out_label) const = 0;

    /// The base column name (also the name, unless the column is unnamed).
    virtual void GetName(Support::orvik_wstring& out_name) const = 0;

    virtual void GetTableName(Support::orvik_wstring& out_name) const = 0;
    virtual void GetCatalogName(Support::orvik_wstring& out_name) const = 0;
    virtual void GetSchemaName(Support::orvik_wstring& out_name) const = 0;

    /// The SQL type description, still owned by the column.
    virtual Support::SqlTypeMetadata* GetMetadata() const = 0;

    /// The descriptive attributes, still owned by the column.
    virtual DSIColumnMetadata* GetColumnMetadata() const = 0;

    /// SQL_ATTR_READONLY, SQL_ATTR_WRITE or SQL_ATTR_READWRITE_UNKNOWN.
    virtual int32_t GetUpdatable() const = 0;

    /// Writes the column's name and type to in_log at TRACE.
    virtual void LogColumn(ILogger& in_log) const = 0;

    virtual bool IsAutoUnique() const = 0;
    virtual bool IsCaseSensitive() const = 0;

    /// SQL_NO_NULLS, SQL_NULLABLE or SQL_NULLABLE_UNKNOWN.
    virtual int32_t GetNullable() const = 0;

    /// While true, the column's name is reported empty and SQL_DESC_UNNAMED is SQL_UNNAMED.
    virtual bool IsUnnamed() const = 0;

    /// The attributes' default-length flag; no descriptor field comes from it.
    virtual bool GetAuxiliaryFlag() const = 0;

    /// The attributes' auxiliary value; no descriptor field comes from it.
    virtual int32_t GetAuxiliaryValue() const = 0;

    /// The collation, with a new reference of the caller's own.
    virtual Support::SharedPtr<Collation> GetCollation() const = 0;

protected:
    IColumn() = default;
};

} // namespace DSI
} // namespace Orvik
