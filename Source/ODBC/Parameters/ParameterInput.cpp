#include "ODBC/Parameters/ParameterInput.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Parameters/ParameterText.h"
#include "ODBC/Parameters/PushedParameterSource.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

[[noreturn]] void ThrowBadLength(uint64_t in_set, uint16_t in_parameter)
{
    throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen",
                         static_cast<int64_t>(in_set), in_parameter);
}

bool IsText(int16_t in_cType)
{
    return in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR || in_cType == SQL_C_BINARY;
}

bool IsTextOrBinary(const SqlTypeMetadata& in_metadata)
{
    return in_metadata.IsCharacter() || in_metadata.IsWideCharacter() || in_metadata.IsBinary();
}

/// A value whose SQL type has a precision takes the parameter's sizes where the application left
/// the buffer's at their defaults.
void TakeParameterSizes(SqlCTypeMetadata& io_cMetadata, const SqlTypeMetadata& in_sqlMetadata)
{
    if (!in_sqlMetadata.IsPrecisionApplicable())
    {
        return;
    }
    if (io_cMetadata.IsPrecisionDefault())
    {
        io_cMetadata.SetPrecision(in_sqlMetadata.GetPrecision());
        io_cMetadata.SetScale(in_sqlMetadata.GetScale());
    }
    if (io_cMetadata.IsIntervalPrecisionDefault() && in_sqlMetadata.IsInterval())
    {
        io_cMetadata.SetLengthOrIntervalPrecision(in_sqlMetadata.GetLengthOrIntervalPrecision());
    }
}

/// The length of a present value, before SQL_NTS is resolved.
SQLLEN GetValueLength(const SQLLEN* in_length,
                      CDataWrapper& io_cData,
                      int16_t in_effectiveType,
                      PushedParameterSource& io_source,
                      uint64_t in_set,
                      uint16_t in_parameter)
{
    SqlCTypeMetadata& cMetadata = io_cData.GetMetadata();
    const SqlTypeMetadata& sqlMetadata = io_source.GetRecord().GetMetadata();
    const int16_t cType = cMetadata.GetCType();
    const void* value = ParameterInput::GetValueAddress(io_cData);
    if (IsText(cType))
    {
        return ParameterInput::GetInputLength(value, in_length, in_set, in_parameter);
    }
    if (cType == SQL_C_DEFAULT)
    {
        if (in_effectiveType == SQL_C_CHAR || in_effectiveType == SQL_C_WCHAR)
        {
            cMetadata.SetEncoding(in_effectiveType == SQL_C_WCHAR ? orvik_wstring::GetDriverManagerEncoding()
                                                                  : orvik_wstring::GetAnsiEncoding());
        }
        TakeParameterSizes(cMetadata, sqlMetadata);
        if (IsTextOrBinary(sqlMetadata) || in_effectiveType == SQL_C_CHAR || in_effectiveType == SQL_C_WCHAR)
        {
            return ParameterInput::GetInputLength(value, in_length, in_set, in_parameter);
        }
        return static_cast<SQLLEN>(io_source.GetHeldData().GetLength());
    }
    TakeParameterSizes(cMetadata, sqlMetadata);
    return static_cast<SQLLEN>(io_cData.GetElementSize());
}

} // namespace

SQLLEN ParameterInput::GetInputLength(const void* in_data, const SQLLEN* in_length, uint64_t in_set, uint16_t in_parameter)
{
    if (in_length != nullptr && *in_length != SQL_NTS)
    {
        if (*in_length == 0 || (*in_length > 0 && in_data != nullptr))
        {
            return *in_length;
        }
        ThrowBadLength(in_set, in_parameter);
    }
    if (in_data == nullptr)
    {
        ThrowBadLength(in_set, in_parameter);
    }
    return SQL_NTS;
}

void ParameterInput::ConvertInputValue(const SQLLEN* in_length,
                                       const SQLLEN* in_indicator,
                                       CDataWrapper& io_cData,
                                       uint64_t in_set,
                                       uint16_t in_parameter,
                                       PushedParameterSource& io_source,
                                       IDiagManager& io_diagnostics,
                                       std::unique_ptr<ICToSqlConverter>& io_converter)
{
    const void* value = GetValueAddress(io_cData);
    const bool isPresent = in_indicator == nullptr ||
                           (*in_indicator != SQL_NULL_DATA && (value != nullptr || *in_indicator == SQL_DEFAULT_PARAM));
    if (isPresent)
    {
        if (in_length != nullptr && *in_length == SQL_DEFAULT_PARAM)
        {
            io_source.SetDefault(true);
            return;
        }
        if (value == nullptr)
        {
            ThrowBadLength(in_set, in_parameter);
        }
        const SqlTypeMetadata& sqlMetadata = io_source.GetRecord().GetMetadata();
        const int16_t effectiveType = ResolveCType(io_cData.GetMetadata().GetCType(), sqlMetadata.GetTDWType());
        if (in_length != nullptr && *in_length == SQL_NTS && !IsText(effectiveType))
        {
            throw ODBCInternalException(u"DataConvError");
        }
        SQLLEN length = GetValueLength(in_length, io_cData, effectiveType, io_source, in_set, in_parameter);
        if (length == SQL_NTS)
        {
            length = ParameterText::MeasureTerminated(value, effectiveType);
        }
        io_cData.SetNull(false);
        io_cData.SetDataLength(length);
    }
    else
    {
        io_cData.SetNull(true);
    }
    SqlData& target = io_source.GetHeldData();
    if (io_converter == nullptr)
    {
        io_converter = TypedDataSingleton<SqlConverterFactory>::GetOrDefault().CreateNewCToSqlConverter(
            io_cData.GetMetadata(), target, &io_diagnostics);
    }
    const std::unique_ptr<ConversionResult> result = io_converter->Convert(io_cData, target);
    if (result != nullptr)
    {
        result->Report(io_diagnostics, static_cast<int16_t>(in_parameter), static_cast<int64_t>(in_set));
    }
}

int16_t ParameterInput::ResolveCType(int16_t in_cType, TDWType in_sqlTypeId)
{
    if (in_cType != SQL_C_DEFAULT)
    {
        return in_cType;
    }
    return TypeConversionInfo::GetSqlTypeForTDWType(TypeConversionInfo::GetDefaultCTypeForSqlType(in_sqlTypeId));
}

void* ParameterInput::GetValueAddress(const CDataWrapper& in_cData)
{
    void* data = in_cData.GetData();
    return data != nullptr ? static_cast<char*>(data) + in_cData.GetOffset() : nullptr;
}

} // namespace ODBC
} // namespace Orvik
