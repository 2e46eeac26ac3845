#include "ToSqlFixedAnswerConverter.h"

#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace Support {

ToSqlFixedAnswerConverter::ToSqlFixedAnswerConverter(Answer in_answer, int64_t in_targetSize)
    : m_answer(in_answer), m_targetSize(in_targetSize)
{
}

std::unique_ptr<ConversionResult> ToSqlFixedAnswerConverter::Convert(const ODBC::CDataWrapper&, SqlData& io_target)
{
    return Respond(io_target);
}

std::unique_ptr<ConversionResult> ToSqlFixedAnswerConverter::Convert(const SqlData&, SqlData& io_target)
{
    return Respond(io_target);
}

std::unique_ptr<ConversionResult> ToSqlFixedAnswerConverter::Respond(SqlData& io_target) const
{
    if (m_answer == NUMBER_TO_MULTI_FIELD_INTERVAL)
    {
        return ConversionResult::MakeIntervalFieldOverflow(ConversionResult::NO_DIRECTION);
    }
    io_target.SetConvertedLength(m_targetSize);
    return ConversionResult::MakeInvalidMultiFieldIntervalConversion();
}

} // namespace Support
} // namespace Orvik
