#pragma once

#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// The converter of pairs that never convert a value: it answers every call with the same
/// result, whether the value is NULL or not, and reads neither the source nor the metadata. One
/// object serves either table.
class ToSqlFixedAnswerConverter final : public ICToSqlConverter, public ISqlToSqlConverter
{
public:
    /// Which answer the converter gives.
    enum Answer
    {
        /// A multi-field interval into an integer or exact numeric:
        /// InvalidMultiFieldIntervalConversion, after the target's converted length is set to
        /// its size.
        MULTI_FIELD_INTERVAL_TO_NUMBER,
        /// A number into a multi-field interval: IntervalFieldOverflow with info 2, the target
        /// untouched.
        NUMBER_TO_MULTI_FIELD_INTERVAL
    };

    /// in_targetSize is the size of the number type that MULTI_FIELD_INTERVAL_TO_NUMBER reports
    /// as converted.
    explicit ToSqlFixedAnswerConverter(Answer in_answer, int64_t in_targetSize = 0);

    std::unique_ptr<ConversionResult> Convert(const ODBC::CDataWrapper& in_source, SqlData& io_target) override;
    std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, SqlData& io_target) override;

private:
    std::unique_ptr<ConversionResult> Respond(SqlData& io_target) const;

    const Answer m_answer;
    const int64_t m_targetSize;
};

} // namespace Support
} // namespace Orvik
