#pragma once

#include "DSI/Client/IColumns.h"

#include <cstdint>
#include <vector>

namespace Orvik {
namespace Support {
class orvik_wstring;
}

namespace DSI {

class DSIColumn;

/// The columns of an ordinary result set, in result order. Whether the list owns its columns
/// is fixed at construction.
class DSIResultSetColumns : public IColumns
{
public:
    /// With in_ownsColumns the list deletes its columns when it goes; otherwise it only
    /// forgets them.
    explicit DSIResultSetColumns(bool in_ownsColumns);

    ~DSIResultSetColumns() override;

    DSIResultSetColumns(const DSIResultSetColumns&) = delete;
    DSIResultSetColumns& operator=(const DSIResultSetColumns&) = delete;

    IColumn* GetColumn(uint16_t in_index) const override;
    uint16_t GetCount() const override;

    /// When the log traces, the entry, then every column in order.
    void LogColumns(ILogger& in_log) const override;

    /// The first column whose name equals in_name exactly (case-sensitive; the null name equals
    /// only the null name). No such column throws BadColumnException "InvalidColumnName" with
    /// the name.
    virtual DSIColumn* FindByName(const Support::orvik_wstring& in_name) const;

    /// The same for a name in the application's ANSI encoding.
    virtual DSIColumn* FindByName(const char* in_name) const;

    /// The position of FindByName's column.
    virtual uint16_t FindIndexByName(const Support::orvik_wstring& in_name) const;
    virtual uint16_t FindIndexByName(const char* in_name) const;

    /// Appends in_column; the list owns it when it owns its columns. Null, or a column beyond
    /// the 65535 that a count can hold, throws InvalidArgumentException.
    void AddColumn(DSIColumn* in_column);

private:
    std::vector<DSIColumn*> m_columns;
    const bool m_ownsColumns;
};

} // namespace DSI
} // namespace Orvik
