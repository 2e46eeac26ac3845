#pragma once

#include "DSI/Client/IResult.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace Orvik {
namespace Support {
class SqlTypeMetadata;
}

namespace DSI {

class DSIColumn;
class DSIMetadataResult;
class DSIResultSetColumns;

/// How a schema adapter presents one column of the wrapped catalog result.
enum class SchemaColumnConversion
{
    YesToBoolean,   ///< text "YES" becomes true, any other text false (SQL_BIT)
    RuleToText,     ///< a referential rule becomes its OLE DB name; an unknown rule NULL
    PlusOne,        ///< a procedure type counted from 1
    SqlTypeToOleDb  ///< an ODBC SQL type becomes an OLE DB type code, by the unsigned attribute
};

/// One converted column, named by its catalog column tag.
struct SchemaColumnRule
{
    int32_t m_tag;
    SchemaColumnConversion m_conversion;
    /// The tag of a second column the conversion reads (the unsigned attribute); -1 for none.
    int32_t m_helperTag;
};

/// The base of the adapters that present a catalog result in the OLE DB schema-rowset form. It
/// owns the wrapped result and forwards to it every column and operation it does not convert.
/// Only applications that ask for the OLE DB convention ever get one.
class SchemaResultAdapter : public IResult
{
public:
    ~SchemaResultAdapter() override;

    SchemaResultAdapter(const SchemaResultAdapter&) = delete;
    SchemaResultAdapter& operator=(const SchemaResultAdapter&) = delete;

    /// Throws InvalidOperationException: CanBulkFetch always says no.
    uint64_t BulkFetch(uint64_t in_rowCount, const BulkFetchColumns& in_columns) override;
    void CloseCursor() override;

    /// Marking a converted column marks the column it reads as well.
    void SetDataNeeded(uint16_t in_column, bool in_isNeeded) override;
    bool IsDataNeeded(uint16_t in_column) override;

    /// A converted column reads the wrapped value into the adapter's buffer and writes its
    /// converted form; every other column comes from the wrapped result.
    bool RetrieveData(uint16_t in_column, Support::SqlData& io_target, int64_t in_offset, int64_t in_maxLength) override;

    void SetCellmark(uint16_t in_column) override;
    int32_t GetResultType() override;
    bool HasRowCount() override;
    int64_t GetRowCount() override;

    /// The wrapped columns with the converted ones replaced.
    IColumns* GetSelectColumns() override;

    bool CanBulkFetch(const std::set<uint16_t>& in_columns) override;
    void SetCursorType(int32_t in_cursorType) override;
    void SetRowsetSize(uint64_t in_rowsetSize) override;
    bool Move(int32_t in_direction, int64_t in_offset) override;

    /// Takes io_result over (clearing the caller's pointer), deletes a result wrapped before, and
    /// rebuilds the column list with the converted columns and their buffers.
    void Attach(std::unique_ptr<DSIMetadataResult>& io_result);

protected:
    /// An adapter converting the columns of in_rules (static data) once a result is attached.
    SchemaResultAdapter(const SchemaColumnRule* in_rules, size_t in_ruleCount);

private:
    /// A holder for whole values of one wrapped column.
    struct Buffer
    {
        std::unique_ptr<Support::SqlTypeMetadata> m_metadata;
        std::unique_ptr<Support::SqlData> m_data;
    };

    /// A converted column of the wrapped result, with the buffers its conversion reads into.
    struct ConvertedColumn
    {
        SchemaColumnConversion m_conversion;
        Buffer m_value;
        int32_t m_helperColumn; ///< position of the column it also reads; -1 for none
        Buffer m_helper;
    };

    DSIMetadataResult& GetResult() const;
    void BuildColumns();
    void AddConvertedColumn(uint16_t in_position, const SchemaColumnRule& in_rule, int32_t in_helperColumn);

    /// A holder for values of in_type.
    static Buffer MakeBuffer(const Support::SqlTypeMetadata& in_type);

    /// Reads the wrapped value of in_column whole into io_buffer; false when it is NULL.
    bool ReadWrapped(uint16_t in_column, Buffer& io_buffer);

    bool Convert(uint16_t in_column, ConvertedColumn& io_converted, Support::SqlData& io_target, int64_t in_offset,
                 int64_t in_maxLength);

    const SchemaColumnRule* m_rules;
    size_t m_ruleCount;
    std::unique_ptr<DSIMetadataResult> m_result;
    std::map<uint16_t, ConvertedColumn> m_converted;
    std::vector<std::unique_ptr<DSIColumn>> m_replacementColumns;
    std::unique_ptr<DSIResultSetColumns> m_columns;
};

} // namespace DSI
} // namespace Orvik
