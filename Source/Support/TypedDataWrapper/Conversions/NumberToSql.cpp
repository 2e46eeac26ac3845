#include "NumberToSql.h"

#include "Support/TypedDataWrapper/SqlToCCvt.h"

#include <cfloat>

// The bit rule of floating values is the one of the SQL-to-C kernels into SQL_C_BIT.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_REAL, TDW_C_BIT);
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_FLOAT, TDW_C_BIT);

namespace Orvik {
namespace Support {

namespace {

void ConvertToBit(SqlToCKernel in_kernel,
                  int64_t in_size,
                  const ToSqlSource& in_source,
                  SqlData& io_target,
                  WarningListener& io_listener)
{
    io_target.SetConvertedLength(1);
    SqlToCKernelState state;
    int64_t length = 1;
    in_kernel(state, in_source.m_value, in_size, io_target.GetBuffer(), length, io_listener);
}

} // namespace

void NumberToSql::ConvertRealToBit(const ToSqlSource& in_source,
                                   SqlData& io_target,
                                   ToSqlKernelState&,
                                   WarningListener& io_listener)
{
    ConvertToBit(&SqlToCCvt<TDW_SQL_REAL, TDW_C_BIT>::Convert, sizeof(float), in_source, io_target, io_listener);
}

void NumberToSql::ConvertDoubleToBit(const ToSqlSource& in_source,
                                     SqlData& io_target,
                                     ToSqlKernelState&,
                                     WarningListener& io_listener)
{
    ConvertToBit(&SqlToCCvt<TDW_SQL_FLOAT, TDW_C_BIT>::Convert, sizeof(double), in_source, io_target, io_listener);
}

void NumberToSql::ConvertDoubleToReal(const ToSqlSource& in_source,
                                      SqlData& io_target,
                                      ToSqlKernelState&,
                                      WarningListener& io_listener)
{
    const double value = KernelOutput::Load<double>(in_source.m_value);
    KernelOutput::Store(FixedTarget(io_target, sizeof(float)), static_cast<float>(value));
    if (value > FLT_MAX)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::ABOVE);
    }
    else if (value < -FLT_MAX)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
    }
}

void NumberToSql::ConvertRealToDouble(const ToSqlSource& in_source,
                                      SqlData& io_target,
                                      ToSqlKernelState&,
                                      WarningListener&)
{
    const float value = KernelOutput::Load<float>(in_source.m_value);
    KernelOutput::Store(FixedTarget(io_target, sizeof(double)), static_cast<double>(value));
}

} // namespace Support
} // namespace Orvik
