#include "ODBC/Parameters/InputParameterSet.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/BoundLengths.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Parameters/InputParameterSource.h"
#include "ODBC/Parameters/ParameterInput.h"
#include "ODBC/Parameters/ParameterList.h"
#include "ODBC/Parameters/ParameterText.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

bool IsTextParameter(int16_t in_cType, const SqlTypeMetadata& in_metadata, const SQLLEN* in_length, const SQLLEN* in_indicator)
{
    return (in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR || in_cType == SQL_C_BINARY) &&
           (in_metadata.IsCharacter() || in_metadata.IsWideCharacter()) &&
           (in_indicator == nullptr || *in_indicator != SQL_NULL_DATA) &&
           (in_length == nullptr || *in_length != SQL_DEFAULT_PARAM);
}

[[noreturn]] void ThrowTooLong(uint64_t in_set, uint16_t in_parameter)
{
    throw ErrorException(DIAG_STRING_RIGHT_TRUNCATED, ODBC_COMPONENT_ID, u"StrRightTruncErr",
                         static_cast<int64_t>(in_set), in_parameter);
}

} // namespace

InputParameterSet::InputParameterSet(AppDescriptorBase& io_apd,
                                     IDiagManager& io_diagnostics,
                                     ParameterList& io_inputs,
                                     const PushedPositions& in_pushed)
    : ApplicationParameterSets(io_apd, io_diagnostics, io_inputs),
      m_pushed(in_pushed),
      m_converters(io_inputs.GetCount()),
      m_encodingConverters(io_inputs.GetCount())
{
}

InputParameterSet::~InputParameterSet() = default;

bool InputParameterSet::MoveToNext()
{
    if (!StepToNextSet())
    {
        return false;
    }
    FillSet();
    return true;
}

void InputParameterSet::FillSet()
{
    for (uint16_t index = 0; index < m_parameters.GetCount(); ++index)
    {
        InputParameterSource& source = m_parameters.GetSource(index);
        const int16_t parameter = source.GetRecord().GetParameterNumber();
        source.ResetForSet();
        const SqlTypeMetadata& metadata = source.GetRecord().GetMetadata();
        AppDescriptorRecord& record = m_apd.MoveToRow(parameter, m_set - 1, metadata.GetTDWType());
        if (m_pushed.count({m_set, parameter}) != 0)
        {
            source.SetPushed();
            continue;
        }
        CDataWrapper& cData = record.GetData();
        const int16_t cType = ParameterInput::ResolveCType(cData.GetMetadata().GetCType(), metadata.GetTDWType());
        BoundLengths lengths(record);
        const SQLLEN* length = lengths.GetLength();
        const SQLLEN* indicator = lengths.GetIndicator();
        if (IsTextParameter(cType, metadata, length, indicator))
        {
            ConvertText(index, source, cType, cData, length);
        }
        else
        {
            ParameterInput::ConvertInputValue(length, indicator, cData, m_set, static_cast<uint16_t>(parameter), source,
                                              m_diagnostics, m_converters[index]);
        }
    }
}

void InputParameterSet::ConvertText(uint16_t in_index,
                                    InputParameterSource& io_source,
                                    int16_t in_cType,
                                    CDataWrapper& in_cData,
                                    const SQLLEN* in_length)
{
    const auto parameter = static_cast<uint16_t>(io_source.GetRecord().GetParameterNumber());
    const void* value = ParameterInput::GetValueAddress(in_cData);
    SQLLEN length = ParameterInput::GetInputLength(value, in_length, m_set, parameter);
    if (length == SQL_NTS)
    {
        length = ParameterText::MeasureTerminated(value, in_cType);
    }
    if (length > std::numeric_limits<int32_t>::max())
    {
        ThrowTooLong(m_set, parameter);
    }
    const SqlTypeMetadata& metadata = io_source.GetRecord().GetMetadata();
    const EncodingType sourceEncoding = ParameterText::GetValueEncoding(in_cType, metadata.GetEncoding());
    std::unique_ptr<EncodingConverter>& converter = m_encodingConverters[in_index];
    if (converter == nullptr)
    {
        converter = EncodingConverterFactory().CreateStrictConverter(sourceEncoding, metadata.GetEncoding());
    }
    converter->ResetPartial();
    // The declared size counts characters: room for that many of the widest, but never more than
    // the value's own code units can make.
    const uint64_t columnSize = metadata.GetStoredColumnSize();
    const uint64_t sourceUnits = static_cast<uint64_t>(length) / EncodingInfo::GetCodeUnitSize(sourceEncoding);
    const uint64_t room = std::min<uint64_t>(std::min(columnSize, sourceUnits) *
                                                 ParameterText::GetMaxBytesPerCharacter(metadata.GetEncoding()),
                                             std::numeric_limits<int32_t>::max());
    SqlData& target = io_source.GetHeldData();
    target.SetLength(static_cast<uint32_t>(room));
    int32_t written = 0;
    try
    {
        converter->SetSource(value, static_cast<int32_t>(length));
        converter->SetTarget(target.GetBuffer(), static_cast<int32_t>(room));
        written = converter->Convert(true);
    }
    catch (MalformedTextException& e)
    {
        throw ParameterText::AtParameter(e, m_set, parameter);
    }
    if (written < 0)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InvalidConvResult", -1, -1);
    }
    if (converter->NeedsConvert() ||
        ParameterText::CountCharacters(target.GetBuffer(), static_cast<uint64_t>(written), metadata.GetEncoding()) >
            columnSize)
    {
        ThrowTooLong(m_set, parameter);
    }
    target.SetLength(static_cast<uint32_t>(written));
    target.SetConvertedLength(written);
    target.SetNull(false);
}

} // namespace ODBC
} // namespace Orvik
