#include "Pelta/PeltaDataEngine.h"

#include "DSI/Catalog/DSIMetadataTableId.h"
#include "DSI/Client/DSIEmptyMetadataSource.h"
#include "DSI/Client/DSIListMetadataSource.h"
#include "DSI/DSILog.h"
#include "DSI/IQueryExecutor.h"
#include "Pelta/PeltaCatalogOnlyMetadataSource.h"
#include "Pelta/PeltaColumnsMetadataSource.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Pelta/PeltaPrimaryKeysMetadataSource.h"
#include "Pelta/PeltaQueryExecutor.h"
#include "Pelta/PeltaSchemasMetadataSource.h"
#include "Pelta/PeltaTablesMetadataSource.h"
#include "Pelta/PeltaTypeInfoMetadataSource.h"
#include "Support/NumberConverter.h"

#include <limits>

using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaDataEngine";
constexpr char16_t SELECT_WORD[] = u"select";

bool IsSelect(const orvik_wstring& in_trimmedText)
{
    orvik_wstring start = in_trimmedText.Substr(0, static_cast<int32_t>(std::char_traits<char16_t>::length(SELECT_WORD)));
    start.ToLowerIdentifier();
    return start == orvik_wstring(SELECT_WORD);
}

} // namespace

PeltaDataEngine::PeltaDataEngine(Orvik::DSI::DSIStatement* in_statement, PeltaConnectionSettings& in_settings, PeltaAPI& in_api)
    : DSIDataEngine(in_statement), m_settings(in_settings), m_api(in_api)
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
}

PeltaDataEngine::~PeltaDataEngine() = default;

uint32_t PeltaDataEngine::CountParameterMarkers(const orvik_wstring& in_text)
{
    const char16_t* text = in_text.GetBuffer();
    const int32_t length = in_text.GetLength();
    uint32_t count = 0;
    for (int32_t i = 0; i < length; ++i)
    {
        const char16_t unit = text[i];
        if (unit == u'"' || unit == u'\'')
        {
            int32_t close = i + 1;
            while (close < length && text[close] != unit)
            {
                ++close;
            }
            if (close == length)
            {
                return 0;
            }
            i = close;
        }
        else if (unit == u'?')
        {
            ++count;
        }
    }
    return count;
}

std::unique_ptr<Orvik::DSI::IQueryExecutor> PeltaDataEngine::Prepare(const orvik_wstring& in_sql)
{
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Prepare");
    orvik_wstring text(in_sql);
    text.Trim();
    const uint32_t markers = CountParameterMarkers(text);
    if (markers > std::numeric_limits<uint16_t>::max())
    {
        throw PeltaError("PeltaTooManyParameters", {Orvik::Support::NumberConverter::ConvertUInt32ToWString(markers)});
    }
    return std::make_unique<PeltaQueryExecutor>(*GetLog(),
                                                PeltaJsonWriter::EscapeStatementText(text.GetAsUTF8()),
                                                static_cast<uint16_t>(markers),
                                                IsSelect(text),
                                                IsDirectExecute(),
                                                m_settings,
                                                m_api,
                                                *GetParentStatement(),
                                                IsOdbc3Behavior());
}

std::unique_ptr<Orvik::DSI::DSIMetadataSource>
PeltaDataEngine::MakeNewMetadataTable(uint32_t in_tableId,
                                      const Orvik::DSI::DSIMetadataRestrictions& in_restrictions,
                                      const orvik_wstring& /* in_escape */,
                                      const orvik_wstring& /* in_quote */,
                                      bool /* in_isMetadataId */)
{
    using namespace Orvik::DSI;
    GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "MakeNewMetadataTable");
    switch (in_tableId)
    {
    case DSI_TABLES_METADATA:
        return std::make_unique<PeltaTablesMetadataSource>(GetParentStatement(), in_restrictions);
    case DSI_CATALOG_ONLY_METADATA:
        return std::make_unique<PeltaCatalogOnlyMetadataSource>(in_restrictions);
    case DSI_SCHEMA_ONLY_METADATA:
        return std::make_unique<PeltaSchemasMetadataSource>(GetParentStatement(), in_restrictions);
    case DSI_TABLETYPE_ONLY_METADATA:
        return std::make_unique<DSIListMetadataSource>(in_restrictions,
                                                       std::vector<orvik_wstring>{u"SYSTEM TABLE", u"TABLE"});
    case DSI_COLUMNS_METADATA:
        return std::make_unique<PeltaColumnsMetadataSource>(
            GetParentStatement(), in_restrictions, m_settings.maxColumnSize, IsOdbc3Behavior());
    case DSI_PRIMARY_KEYS_METADATA:
        return std::make_unique<PeltaPrimaryKeysMetadataSource>(
            in_restrictions, *GetLog(), m_settings.maxColumnSize, m_api, IsOdbc3Behavior());
    case DSI_TYPE_INFO_METADATA:
        return std::make_unique<PeltaTypeInfoMetadataSource>(in_restrictions, m_settings.maxColumnSize, IsOdbc3Behavior());
    default:
        return std::make_unique<DSIEmptyMetadataSource>(in_restrictions);
    }
}

} // namespace Pelta
