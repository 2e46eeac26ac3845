#include "Pelta/PeltaPrimaryKeysMetadataSource.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/ILogger.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaCatalogQuery.h"
#include "Pelta/PeltaCatalogValue.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Pelta/PeltaResultSet.h"

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaPrimaryKeysMetadataSource";
constexpr char QUERY[] = "select schema_name, table_name, constraint_name from information_schema.table_constraints ";
constexpr uint16_t SCHEMA_NAME_COLUMN = 0;
constexpr uint16_t TABLE_NAME_COLUMN = 1;
constexpr uint16_t KEY_COLUMNS_COLUMN = 2;

std::unique_ptr<PeltaResultSet> RunQuery(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                         Orvik::DSI::ILogger& in_log,
                                         const uint32_t& in_maxColumnSize,
                                         PeltaAPI& in_api,
                                         bool in_isODBC3)
{
    const std::string query = PeltaCatalogQuery::WithRestrictions(QUERY, in_restrictions);
    // Sent as it stands, its trailing blank included.
    std::string text;
    PeltaJsonWriter::AppendEscaped(query.data(), query.size(), text);
    std::string reply;
    in_api.ExecuteQueryUnchecked(reply, text, {});
    return std::make_unique<PeltaResultSet>(in_log, std::move(reply), in_maxColumnSize, true, in_isODBC3);
}

} // namespace

PeltaPrimaryKeysMetadataSource::PeltaPrimaryKeysMetadataSource(const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                                               Orvik::DSI::ILogger& in_log,
                                                               const uint32_t& in_maxColumnSize,
                                                               PeltaAPI& in_api,
                                                               bool in_isODBC3)
    : DSIMetadataSource(in_restrictions),
      m_result(RunQuery(in_restrictions, in_log, in_maxColumnSize, in_api, in_isODBC3)),
      m_log(in_log)
{
}

PeltaPrimaryKeysMetadataSource::~PeltaPrimaryKeysMetadataSource() = default;

void PeltaPrimaryKeysMetadataSource::CloseCursor()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CloseCursor");
    m_result->CloseCursor();
}

bool PeltaPrimaryKeysMetadataSource::Move(int32_t in_direction, int64_t in_offset)
{
    return m_result->Move(in_direction, in_offset);
}

bool PeltaPrimaryKeysMetadataSource::GetMetadata(int32_t in_tag,
                                                 Orvik::Support::SqlData& io_target,
                                                 int64_t in_offset,
                                                 int64_t in_maxLength)
{
    using namespace Orvik::DSI;
    switch (in_tag)
    {
    case DSI_TAG_PKTABLE_CAT: return PeltaCatalogValue::WriteText(PELTA_NAME, io_target, in_offset, in_maxLength);
    case DSI_TAG_PKTABLE_SCHEM: return m_result->RetrieveAsTarget(SCHEMA_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_PKTABLE_NAME: return m_result->RetrieveAsTarget(TABLE_NAME_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_PKCOLUMN_NAME:
    case DSI_TAG_PK_NAME: return m_result->RetrieveAsTarget(KEY_COLUMNS_COLUMN, io_target, in_offset, in_maxLength);
    case DSI_TAG_KEY_SEQ:
        PeltaCatalogValue::WriteInteger(static_cast<int64_t>(m_result->GetElementIndex()) + 1, io_target);
        return false;
    default: PeltaCatalogValue::ThrowBadTag(in_tag);
    }
}

} // namespace Pelta
