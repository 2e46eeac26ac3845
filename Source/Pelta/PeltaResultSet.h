#pragma once

#include "DSI/Client/DSIResultSetColumns.h"
#include "DSI/Client/DSISimpleResultSet.h"
#include "Pelta/PeltaCellText.h"
#include "Pelta/PeltaReply.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace DSI {
class ILogger;
}
} // namespace Orvik

namespace Pelta {

/// The result set over one select reply of the server: its columns described from "cols" and
/// "col_types", its rows walked forward up to "rowcount", each cell turned into a value when
/// the layer above asks for it. The reply is read once and kept while the result set lives.
///
/// In unnest mode the array column of the reply presents each of its elements as a row of its
/// own, the other columns repeating (the primary keys list their columns that way).
class PeltaResultSet : public Orvik::DSI::DSISimpleResultSet
{
public:
    /// Reads io_reply (taken over). The placeholder reply {"empty":null} gives no columns and
    /// no rows; any other reply needs "rowcount", and "col_types" when it has a non-empty
    /// "cols": one without columns has no columns, and its rows no values, and may count below
    /// zero, as a statement's row count. Raises the reply's
    /// errors (PeltaReply), "PeltaJSONMemberNotFoundError" and "PeltaJSONWrongType" for missing
    /// or malformed members, "PeltaColumnTypeMissing" for a column without a type, and
    /// "PeltaUnsupportedPeltaType" or "PeltaUnknownPeltaColumnType" with the column's name for
    /// a type the driver cannot read. Every column is as long as in_maxColumnSize says now; the
    /// ODBC 3 flag picks the SQL type of timestamp columns.
    PeltaResultSet(Orvik::DSI::ILogger& in_log,
                   std::string&& io_reply,
                   const uint32_t& in_maxColumnSize,
                   bool in_isUnnest,
                   bool in_isODBC3);
    ~PeltaResultSet() override;

    /// Writes the current row's cell of in_column: character columns from the byte offset
    /// in_offset on, at most in_maxLength bytes (-1: all), returning whether more remains;
    /// other columns whole. A JSON null gives NULL; objects and arrays in character columns
    /// give their compact JSON text. A cell whose kind or size does not suit its column raises
    /// "PeltaCellTypeMismatch" or "PeltaCellValueOutOfRange"; text in a REAL or DOUBLE column
    /// that is not a number, "PeltaCellTypeMismatch" too.
    bool RetrieveData(uint16_t in_column,
                      Orvik::Support::SqlData& io_target,
                      int64_t in_offset,
                      int64_t in_maxLength) override;

    /// RetrieveData, but the value is made of the type of io_target rather than of the column:
    /// catalog sources read the server's information_schema into the catalog layout's types.
    bool RetrieveAsTarget(uint16_t in_column, Orvik::Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength);

    /// Keeps at most in_maxRows rows of the reply (0: all): the statement's SQL_ATTR_MAX_ROWS.
    void LimitRows(uint64_t in_maxRows);

    /// True unless in unnest mode.
    bool HasRowCount() override;

    /// "rowcount"; -1 once the unnested column of the current row was read.
    int64_t GetRowCount() override;

    Orvik::DSI::IColumns* GetSelectColumns() override;

    /// Whether the reply described columns: a non-empty "cols".
    bool HasColumns() const { return !m_columnNames.empty(); }

    /// The current row's cell of in_column as UTF-8 text: a string as it is, NULL as the empty
    /// text, anything else as its JSON text. Raises "PeltaColumnOutOfBounds" (the column, the
    /// number of cells) when the row has no such cell.
    std::string GetColumnText(uint16_t in_column);

    /// In unnest mode, the place of the current element in its array, from 0.
    uint32_t GetElementIndex() const { return m_elementIndex; }

protected:
    /// Nothing to do: the rows were taken in order and cannot be walked again.
    void DoCloseCursor() override;

    /// The next element of the unnested array, or the next row; false at "rowcount". Every
    /// element is a row whether or not its column was read, so the rows do not depend on the
    /// columns an application binds. Raises
    /// "PeltaReplyRowMissing" when the reply holds fewer rows than it counts, "PeltaReplyRowWidth"
    /// for a row with more or fewer values than columns, and in unnest mode
    /// "PeltaEmptyArrayToUnnest" for a row whose array holds nothing.
    bool MoveToNextRow() override;

private:
    void BuildColumns();
    void AddColumn(const rapidjson::Value& in_name, const rapidjson::Value* in_typeEntry);
    uint32_t ReadTypeId(const rapidjson::Value& in_entry, uint32_t in_column);
    PeltaReplyCell GetCurrentCell(uint16_t in_column);
    /// "PeltaReplyRowWidth" when the current row has not one value per column.
    void CheckRowWidth();
    void CheckUnnestedCell();
    bool Retrieve(uint16_t in_column,
                  Orvik::Support::TDWType in_type,
                  Orvik::Support::SqlData& io_target,
                  int64_t in_offset,
                  int64_t in_maxLength);
    /// The name of in_column, or its number when the reply names no such column.
    const std::string& ColumnName(uint16_t in_column);

    Orvik::DSI::ILogger& m_log;
    Orvik::DSI::DSIResultSetColumns m_columns{true};
    std::vector<Orvik::Support::TDWType> m_typeIds;
    std::vector<std::string> m_columnNames;
    std::string m_extraColumnName;
    PeltaReply m_reply;
    /// The text of the character cell read last, for the next piece of it.
    PeltaCellText m_cellText;
    uint32_t m_unnestColumn = 0;
    uint32_t m_elementIndex = 0;
    const uint32_t& m_maxColumnSize;
    int64_t m_rowCount = 0;
    int64_t m_currentRow = -1;
    /// Where the current row's cells begin in the reply, and how many it has.
    uint64_t m_currentRowStart = 0;
    uint32_t m_currentRowCells = 0;
    bool m_isElementRead = false;
    bool m_hasUnnestColumn = false;
    const bool m_isUnnest;
    const bool m_isODBC3;
};

} // namespace Pelta
