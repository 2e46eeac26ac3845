#pragma once

#include "DSI/Client/IColumn.h"

#include <memory>

namespace Orvik {
namespace DSI {

/// A result column: its SQL type description bound to its descriptive attributes. It owns both
/// and reads every answer from them.
class DSIColumn : public IColumn
{
public:
    /// Takes both over. A missing type description, or attributes without a collation, throw
    /// InvalidArgumentException and leave both with the caller.
    DSIColumn(std::unique_ptr<Support::SqlTypeMetadata>&& io_metadata,
              std::unique_ptr<DSIColumnMetadata>&& io_columnMetadata);

    ~DSIColumn() override;

    DSIColumn(const DSIColumn&) = delete;
    DSIColumn& operator=(const DSIColumn&) = delete;

    uint32_t GetColumnSize() const override;
    int32_t GetSearchable() const override;
    void GetLabel(Support::orvik_wstring& out_label) const override;
    void GetName(Support::orvik_wstring& out_name) const override;
    void GetTableName(Support::orvik_wstring& out_name) const override;
    void GetCatalogName(Support::orvik_wstring& out_name) const override;
    void GetSchemaName(Support::orvik_wstring& out_name) const override;
    Support::SqlTypeMetadata* GetMetadata() const override;
    DSIColumnMetadata* GetColumnMetadata() const override;
    int32_t GetUpdatable() const override;

    /// When the log traces, the entry, then "\tName: " and "\tType: " lines with the column's
    /// name and type name.
    void LogColumn(ILogger& in_log) const override;

    bool IsAutoUnique() const override;
    bool IsCaseSensitive() const override;
    int32_t GetNullable() const override;
    bool IsUnnamed() const override;
    bool GetAuxiliaryFlag() const override;
    int32_t GetAuxiliaryValue() const override;
    Support::SharedPtr<Collation> GetCollation() const override;

private:
    std::unique_ptr<Support::SqlTypeMetadata> m_metadata;
    std::unique_ptr<DSIColumnMetadata> m_columnMetadata;
};

} // namespace DSI
} // namespace Orvik
