#include "Pelta/PeltaResultSet.h"

#include "DSI/Client/DSIColumn.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/ILogger.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaCellConverter.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaTypeUtilities.h"
#include "Support/InvalidOperationException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <rapidjson/document.h>

#include <algorithm>

using Orvik::Support::NumberConverter;
using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaResultSet";

// ODBC numbers columns with 16-bit signed integers: a column past this could never be described
// or read.
constexpr rapidjson::SizeType MAX_COLUMNS = 32767;

// The server's character types: they compare with case.
constexpr uint32_t CHARACTER_TYPE_IDS[] = {0, 4, 5, 12, 13, 100, 101};

bool IsCharacterTypeId(uint32_t in_typeId)
{
    for (uint32_t id : CHARACTER_TYPE_IDS)
    {
        if (id == in_typeId)
        {
            return true;
        }
    }
    return false;
}

const rapidjson::Value& GetArrayMember(const rapidjson::Value& in_root, const char* in_name)
{
    const rapidjson::Value& member = PeltaAPI::GetMember(in_root, in_name);
    if (!member.IsArray())
    {
        throw PeltaError("PeltaJSONWrongType", {in_name, "array"});
    }
    return member;
}

} // namespace

PeltaResultSet::PeltaResultSet(Orvik::DSI::ILogger& in_log,
                               std::string&& io_reply,
                               const uint32_t& in_maxColumnSize,
                               bool in_isUnnest,
                               bool in_isODBC3)
    : m_log(in_log),
      m_reply(std::move(io_reply), in_isUnnest),
      m_maxColumnSize(in_maxColumnSize),
      m_isUnnest(in_isUnnest),
      m_isODBC3(in_isODBC3)
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
    const rapidjson::Value& root = m_reply.GetRoot();
    if (root.HasMember("empty"))
    {
        // The driver's own placeholder: no columns, and already at the end.
        m_currentRow = 0;
        return;
    }
    m_rowCount = PeltaAPI::GetInt32Member(root, "rowcount");
    const auto rows = root.FindMember("rows");
    if (rows != root.MemberEnd() && !rows->value.IsArray())
    {
        throw PeltaError("PeltaJSONWrongType", {"rows", "array"});
    }
    BuildColumns();
    if (m_rowCount < 0 && HasColumns())
    {
        // Rows are read up to the count: a negative one would drop every row it was sent with.
        // Without columns the count is all the reply says, as for a statement that changed rows.
        throw PeltaError("PeltaJSONWrongType", {"rowcount", "integer from 0 to 2147483647"});
    }
}

PeltaResultSet::~PeltaResultSet() = default;

void PeltaResultSet::BuildColumns()
{
    const rapidjson::Value& root = m_reply.GetRoot();
    if (!root.HasMember("cols"))
    {
        // A result without columns: its rows, if it counts any, hold no values.
        return;
    }
    const rapidjson::Value& names = GetArrayMember(root, "cols");
    if (names.Empty())
    {
        // A statement that returns no rows may come with empty "cols" and no types.
        return;
    }
    const rapidjson::Value& types = GetArrayMember(root, "col_types");
    if (names.Size() > MAX_COLUMNS)
    {
        throw PeltaError("PeltaTooManyColumns", {NumberConverter::ConvertUInt32ToWString(names.Size())});
    }
    for (rapidjson::SizeType i = 0; i < names.Size(); ++i)
    {
        AddColumn(names[i], i < types.Size() ? &types[i] : nullptr);
    }
}

void PeltaResultSet::AddColumn(const rapidjson::Value& in_name, const rapidjson::Value* in_typeEntry)
{
    if (!in_name.IsString())
    {
        throw PeltaError("PeltaJSONWrongType", {"cols", "array of strings"});
    }
    const std::string name(in_name.GetString(), in_name.GetStringLength());
    if (in_typeEntry == nullptr)
    {
        throw PeltaError("PeltaColumnTypeMissing", {Utf8Parameter(name)});
    }
    const uint32_t column = static_cast<uint32_t>(m_columnNames.size());
    const uint32_t typeId = ReadTypeId(*in_typeEntry, column);
    const int16_t sqlType = PeltaTypeUtilities::GetSqlType(typeId, m_isODBC3);
    if (typeId == PeltaTypeUtilities::UNSUPPORTED_TYPE_ID)
    {
        throw PeltaError("PeltaUnsupportedPeltaType", {Utf8Parameter(name)});
    }
    if (sqlType == 0)
    {
        throw PeltaError("PeltaUnknownPeltaColumnType", {Utf8Parameter(name)});
    }

    auto attributes = std::make_unique<Orvik::DSI::DSIColumnMetadata>();
    attributes->m_label = Utf8Parameter(name);
    attributes->m_name = attributes->m_label;
    attributes->m_isAutoUnique = false;
    attributes->m_isCaseSensitive = IsCharacterTypeId(typeId);
    attributes->m_isUnnamed = false;
    attributes->m_nullable = 2;   // SQL_NULLABLE_UNKNOWN
    attributes->m_searchable = 3; // SQL_SEARCHABLE
    attributes->m_updatable = 2;  // SQL_ATTR_READWRITE_UNKNOWN
    attributes->m_columnLength = m_maxColumnSize;
    attributes->m_hasDefaultLength = false;

    std::unique_ptr<Orvik::Support::SqlTypeMetadata> metadata =
        Orvik::Support::TypedDataSingleton<Orvik::Support::SqlTypeMetadataFactory>::GetOrDefault()
            .CreateNewSqlTypeMetadata(sqlType, false, 0);
    const orvik_wstring typeName(PeltaTypeUtilities::GetTypeName(typeId));
    metadata->SetTypeName(typeName);
    metadata->SetLocalTypeName(typeName);
    const Orvik::Support::TDWType type = metadata->GetTDWType();

    m_columns.AddColumn(new Orvik::DSI::DSIColumn(std::move(metadata), std::move(attributes)));
    m_typeIds.push_back(type);
    m_columnNames.push_back(name);
}

uint32_t PeltaResultSet::ReadTypeId(const rapidjson::Value& in_entry, uint32_t in_column)
{
    if (in_entry.IsUint())
    {
        return in_entry.GetUint();
    }
    // An array type is [array id, element id]; unnesting presents the elements.
    if (in_entry.IsArray() && in_entry.Size() >= 2 && in_entry[0].IsUint() && in_entry[1].IsUint())
    {
        if (!m_isUnnest)
        {
            return in_entry[0].GetUint();
        }
        m_unnestColumn = in_column;
        m_hasUnnestColumn = true;
        m_elementIndex = 0;
        return in_entry[1].GetUint();
    }
    throw PeltaError("PeltaJSONWrongType", {"col_types", "array of type ids"});
}

bool PeltaResultSet::MoveToNextRow()
{
    if (m_isUnnest && m_hasUnnestColumn && m_currentRow != -1 && m_currentRow < m_rowCount
        && m_elementIndex + 1 < m_reply.GetElementCount(GetCurrentCell(static_cast<uint16_t>(m_unnestColumn))))
    {
        ++m_elementIndex;
        m_isElementRead = false;
        return true;
    }
    if (m_currentRow >= m_rowCount - 1)
    {
        m_elementIndex = 0;
        m_isElementRead = false;
        return false;
    }
    if (static_cast<uint64_t>(m_currentRow + 1) >= m_reply.GetRowCount())
    {
        throw PeltaError("PeltaReplyRowMissing",
                         {NumberConverter::ConvertInt64ToWString(m_currentRow + 2),
                          NumberConverter::ConvertUInt64ToWString(m_reply.GetRowCount())});
    }
    ++m_currentRow;
    m_isElementRead = false;
    m_elementIndex = 0;
    m_currentRowStart = m_reply.GetRowStart(static_cast<uint64_t>(m_currentRow));
    m_currentRowCells = m_reply.GetCellCount(static_cast<uint64_t>(m_currentRow));
    CheckRowWidth();
    if (m_isUnnest && m_hasUnnestColumn)
    {
        CheckUnnestedCell();
    }
    return true;
}

void PeltaResultSet::CheckRowWidth()
{
    // A row of another width than the column list has lost or gained values somewhere, so no
    // value of it can be trusted to belong to the column it stands under.
    if (m_currentRowCells != m_columnNames.size())
    {
        throw PeltaError("PeltaReplyRowWidth",
                         {NumberConverter::ConvertInt64ToWString(m_currentRow + 1),
                          NumberConverter::ConvertUInt32ToWString(m_currentRowCells),
                          NumberConverter::ConvertUInt64ToWString(m_columnNames.size())});
    }
}

void PeltaResultSet::CheckUnnestedCell()
{
    const PeltaReplyCell cell = GetCurrentCell(static_cast<uint16_t>(m_unnestColumn));
    if (cell.kind != PeltaReplyCell::ARRAY)
    {
        throw PeltaError("PeltaCellTypeMismatch", {Utf8Parameter(m_columnNames[m_unnestColumn]), "array"});
    }
    if (m_reply.GetElementCount(cell) == 0)
    {
        throw PeltaError("PeltaEmptyArrayToUnnest", {Utf8Parameter(m_columnNames[m_unnestColumn])});
    }
}

PeltaReplyCell PeltaResultSet::GetCurrentCell(uint16_t in_column)
{
    if (m_currentRow < 0 || m_currentRow >= m_rowCount)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    if (in_column >= m_currentRowCells)
    {
        throw PeltaError("PeltaColumnOutOfBounds",
                         {NumberConverter::ConvertUInt32ToWString(in_column),
                          NumberConverter::ConvertUInt32ToWString(m_currentRowCells)});
    }
    return m_reply.GetCellAt(m_currentRowStart + in_column);
}

bool PeltaResultSet::RetrieveData(uint16_t in_column,
                                  Orvik::Support::SqlData& io_target,
                                  int64_t in_offset,
                                  int64_t in_maxLength)
{
    if (in_column >= m_typeIds.size())
    {
        throw PeltaError("PeltaColumnOutOfBounds",
                         {NumberConverter::ConvertUInt32ToWString(in_column),
                          NumberConverter::ConvertUInt64ToWString(m_typeIds.size())});
    }
    return Retrieve(in_column, m_typeIds[in_column], io_target, in_offset, in_maxLength);
}

bool PeltaResultSet::RetrieveAsTarget(uint16_t in_column,
                                      Orvik::Support::SqlData& io_target,
                                      int64_t in_offset,
                                      int64_t in_maxLength)
{
    return Retrieve(in_column, io_target.GetMetadata().GetTDWType(), io_target, in_offset, in_maxLength);
}

bool PeltaResultSet::Retrieve(uint16_t in_column,
                              Orvik::Support::TDWType in_type,
                              Orvik::Support::SqlData& io_target,
                              int64_t in_offset,
                              int64_t in_maxLength)
{
    PeltaReplyCell cell = GetCurrentCell(in_column);
    if (m_isUnnest && m_hasUnnestColumn && in_column == m_unnestColumn)
    {
        m_isElementRead = true;
        cell = m_reply.GetElement(cell, m_elementIndex);
    }
    if (cell.kind == PeltaReplyCell::NULL_VALUE)
    {
        io_target.SetNull(true);
        return false;
    }
    return PeltaCellConverter::Convert(m_reply, cell, in_type, ColumnName(in_column), m_cellText, io_target, in_offset,
                                       in_maxLength);
}

void PeltaResultSet::LimitRows(uint64_t in_maxRows)
{
    if (in_maxRows != 0 && in_maxRows < static_cast<uint64_t>(std::max<int64_t>(m_rowCount, 0)))
    {
        m_rowCount = static_cast<int64_t>(in_maxRows);
    }
}

bool PeltaResultSet::HasRowCount()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "HasRowCount");
    return !m_isUnnest;
}

int64_t PeltaResultSet::GetRowCount()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "GetRowCount");
    return m_isElementRead ? -1 : m_rowCount;
}

Orvik::DSI::IColumns* PeltaResultSet::GetSelectColumns()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "GetSelectColumns");
    return &m_columns;
}

std::string PeltaResultSet::GetColumnText(uint16_t in_column)
{
    const PeltaReplyCell cell = GetCurrentCell(in_column);
    return cell.kind == PeltaReplyCell::NULL_VALUE ? std::string() : PeltaCellConverter::GetText(m_reply, cell);
}

const std::string& PeltaResultSet::ColumnName(uint16_t in_column)
{
    if (in_column < m_columnNames.size())
    {
        return m_columnNames[in_column];
    }
    // A cell beyond the columns, in a row already refused for its width.
    m_extraColumnName = NumberConverter::ConvertUInt16ToString(in_column);
    return m_extraColumnName;
}

void PeltaResultSet::DoCloseCursor()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "DoCloseCursor");
}

} // namespace Pelta
