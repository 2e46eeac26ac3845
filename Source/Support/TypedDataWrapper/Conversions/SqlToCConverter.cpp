#include "SqlToCConverter.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/EncodingInfo.h"
#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/ConversionWarningHolder.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlToCKernelTable.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <utility>

/// The transcoding kernel of character data, which the character kernels define.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_CHAR, TDW_C_CHAR);

namespace Orvik {
namespace Support {

namespace {

void* TargetAddress(const ODBC::CDataWrapper& in_target)
{
    if (!in_target.IsAddressValid() || in_target.GetData() == nullptr)
    {
        return nullptr;
    }
    return static_cast<char*>(in_target.GetData()) + in_target.GetOffset();
}

} // namespace

std::unique_ptr<ISqlToCConverter> SqlToCConverter::Create(TDWType in_sourceType,
                                                          TDWType in_targetType,
                                                          SqlToCStateGroup in_group,
                                                          const SqlTypeMetadata& in_source,
                                                          const SqlCTypeMetadata& in_target)
{
    // The metadata of a SQL_C_DEFAULT binding describes no C type: left as it is, an interval
    // would be held to a leading precision of 0 and text written in no particular encoding.
    const std::unique_ptr<SqlCTypeMetadata> defaultBuffer = in_target.GetCType() == SQL_C_DEFAULT
        ? TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateDefaultBindingMetadata(
              in_sourceType, in_target)
        : nullptr;
    const SqlCTypeMetadata& target = defaultBuffer != nullptr ? *defaultBuffer : in_target;
    SqlToCKernelState state = SqlToCStateGroups::Make(in_group, in_source, target);
    const SqlToCKernel kernel = in_group == SqlToCStateGroup::CHARACTER_TEXT
        ? ChooseCharacterKernel(in_source, target)
        : SqlToCKernelTable::Find(in_sourceType, in_targetType);
    if (kernel == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return std::make_unique<SqlToCConverter>(kernel, std::move(state));
}

SqlToCConverter::SqlToCConverter(SqlToCKernel in_kernel, SqlToCKernelState&& in_state)
    : m_kernel(in_kernel), m_state(std::move(in_state))
{
}

std::unique_ptr<ConversionResult> SqlToCConverter::Convert(const SqlData& in_source, ODBC::CDataWrapper& io_target)
{
    if (in_source.IsNull())
    {
        io_target.SetNull(true);
        return nullptr;
    }
    io_target.SetNull(false);
    int64_t length = m_state.m_targetLength;
    ConversionWarningHolder holder;
    m_kernel(m_state, in_source.GetBuffer(), in_source.GetLength(), TargetAddress(io_target), length, holder);
    io_target.SetOutputLength(length);
    return holder.TakeResult();
}

// Text in the process-wide encoding of the buffer's kind is copied unit for unit; the buffer's own
// encoding then plays no part. Other text is transcoded into the buffer's own encoding.
SqlToCKernel SqlToCConverter::ChooseCharacterKernel(const SqlTypeMetadata& in_source, const SqlCTypeMetadata& in_target)
{
    const EncodingType processEncoding = in_target.IsWideCharacter() ? orvik_wstring::GetDriverManagerEncoding()
                                                                      : orvik_wstring::GetAnsiEncoding();
    if (in_source.GetEncoding() != processEncoding)
    {
        return &SqlToCCvt<TDW_SQL_CHAR, TDW_C_CHAR>::Convert;
    }
    switch (EncodingInfo::GetCodeUnitSize(processEncoding))
    {
    case 1:
        return &SqlToCCharCopyCvt<1>::Convert;
    case 2:
        return &SqlToCCharCopyCvt<2>::Convert;
    default:
        return &SqlToCCharCopyCvt<4>::Convert;
    }
}

} // namespace Support
} // namespace Orvik
