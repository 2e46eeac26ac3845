#pragma once

#include "ToSqlKernel.h"

#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"

#include <memory>

namespace Orvik {
namespace Support {

struct ToSqlSource;
struct ToSqlUnsupportedOverload;

/// The to-SQL converter of every pair but the fixed answers: the outline that every conversion
/// shares around one kernel. A NULL source sets the target's null flag and nothing else; any
/// other value clears it and goes through the kernel, which reads both sides' metadata afresh,
/// so one converter serves every value of its parameter and every cell its kernel serves. It
/// converts application buffers and SQL-side values alike and may be deleted through either
/// interface. Used by one thread at a time.
class ToSqlConverter final : public ICToSqlConverter, public ISqlToSqlConverter
{
public:
    /// A converter through in_kernel. in_unsupported, when given, names the overload that the
    /// converter's class does not support; that overload throws.
    explicit ToSqlConverter(ToSqlKernel in_kernel, const ToSqlUnsupportedOverload* in_unsupported = nullptr);

    /// Returns the last result the kernel posted, or null.
    std::unique_ptr<ConversionResult> Convert(const ODBC::CDataWrapper& in_source, SqlData& io_target) override;

    /// The same from a SQL-side value.
    std::unique_ptr<ConversionResult> Convert(const SqlData& in_source, SqlData& io_target) override;

private:
    std::unique_ptr<ConversionResult> ConvertValue(const ToSqlSource& in_source, SqlData& io_target);

    /// Throws when the overload of in_isCSource is the unsupported one.
    void CheckSupported(bool in_isCSource) const;

    const ToSqlKernel m_kernel;
    const ToSqlUnsupportedOverload* const m_unsupported;
    ToSqlKernelState m_state;
};

} // namespace Support
} // namespace Orvik
