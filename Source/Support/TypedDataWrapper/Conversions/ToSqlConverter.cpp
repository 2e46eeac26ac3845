#include "ToSqlConverter.h"

#include "ToSqlSource.h"
#include "ToSqlUnsupportedOverload.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/TypedDataWrapper/ConversionWarningHolder.h"
#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace Support {

ToSqlConverter::ToSqlConverter(ToSqlKernel in_kernel, const ToSqlUnsupportedOverload* in_unsupported)
    : m_kernel(in_kernel), m_unsupported(in_unsupported)
{
}

// The data address of a NULL value is not looked at: the application need not have bound one.
std::unique_ptr<ConversionResult> ToSqlConverter::Convert(const ODBC::CDataWrapper& in_source, SqlData& io_target)
{
    CheckSupported(true);
    if (in_source.IsNull())
    {
        io_target.SetNull(true);
        return nullptr;
    }
    return ConvertValue(ToSqlSource::Of(in_source), io_target);
}

std::unique_ptr<ConversionResult> ToSqlConverter::Convert(const SqlData& in_source, SqlData& io_target)
{
    CheckSupported(false);
    if (in_source.IsNull())
    {
        io_target.SetNull(true);
        return nullptr;
    }
    return ConvertValue(ToSqlSource::Of(in_source), io_target);
}

// The null flag is cleared before the kernel runs, so a value refused part way leaves a target
// that is not NULL; the caller acts on the result.
std::unique_ptr<ConversionResult> ToSqlConverter::ConvertValue(const ToSqlSource& in_source, SqlData& io_target)
{
    io_target.SetNull(false);
    ConversionWarningHolder holder;
    m_kernel(in_source, io_target, m_state, holder);
    return holder.TakeResult();
}

void ToSqlConverter::CheckSupported(bool in_isCSource) const
{
    if (m_unsupported != nullptr && m_unsupported->m_isCSource == in_isCSource)
    {
        m_unsupported->Throw();
    }
}

} // namespace Support
} // namespace Orvik
