#include "Pelta/PeltaQueryMetadataSource.h"

#include "DSI/Client/DSIResults.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSILog.h"
#include "DSI/DSIStatement.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaResultSet.h"
#include "Support/EncodingType.h"
#include "Support/InvalidOperationException.h"

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaQueryMetadataSource";

// A catalog query has no parameters: no set to hand over and no status to record.
class NoParameterSets : public Orvik::DSI::ParameterSetIterator, public Orvik::DSI::ParameterSetStatus
{
public:
    bool MoveToNext() override { return false; }
    Orvik::DSI::ParameterSet& GetCurrentSet() override { ORVIK_THROW_INVALID_OPERATION(); }
    uint64_t GetCurrentRow() override { return 0; }
    uint64_t GetNumberOfSets() override { return 0; }
    bool IsEmpty() override { return true; }
    Orvik::DSI::ParameterStatus GetStatus(uint64_t) override { return Orvik::DSI::PARAM_STATUS_UNUSED; }
    void SetStatus(uint64_t, Orvik::DSI::ParameterStatus) override {}
    uint64_t GetSize() override { return 0; }
};

} // namespace

PeltaQueryMetadataSource::PeltaQueryMetadataSource(Orvik::DSI::DSIStatement* in_statement,
                                                   const Orvik::DSI::DSIMetadataRestrictions& in_restrictions)
    : DSIMetadataSource(in_restrictions), m_statement(in_statement)
{
    m_statement->GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "QueryMetadataSource");
}

PeltaQueryMetadataSource::~PeltaQueryMetadataSource() = default;

void PeltaQueryMetadataSource::ExecuteQuery(const std::string& in_query)
{
    m_statement->GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "ExecuteQuery");
    m_result = nullptr;
    m_executor.reset();
    std::unique_ptr<Orvik::DSI::DSIDataEngine> engine = m_statement->CreateDataEngine();
    m_executor = engine->Prepare(Orvik::Support::orvik_wstring(
        in_query.data(), static_cast<int32_t>(in_query.size()), Orvik::Support::ENC_UTF8));
    NoParameterSets none;
    m_executor->Execute(m_statement->GetWarningListener(), none, none, none);
    m_result = dynamic_cast<PeltaResultSet*>(m_executor->GetResults().GetCurrentResult());
    if (m_result == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
}

PeltaResultSet& PeltaQueryMetadataSource::GetResult()
{
    return *m_result;
}

void PeltaQueryMetadataSource::CloseCursor()
{
    m_statement->GetLog()->LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CloseCursor");
    m_result->CloseCursor();
}

bool PeltaQueryMetadataSource::Move(int32_t in_direction, int64_t in_offset)
{
    return m_result->Move(in_direction, in_offset);
}

bool PeltaQueryMetadataSource::ReadColumn(uint16_t in_column,
                                          Orvik::Support::SqlData& io_target,
                                          int64_t in_offset,
                                          int64_t in_maxLength)
{
    return m_result->RetrieveAsTarget(in_column, io_target, in_offset, in_maxLength);
}

} // namespace Pelta
