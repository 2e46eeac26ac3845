#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/Bulk/SqlToCBulkMatrix.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkCharCopyConverter.h"
#include "Support/TypedDataWrapper/SqlToCBulkTranscodingConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

namespace Orvik {
namespace Support {

namespace {

/// Character data into a character buffer: the two encodings alone decide, whatever the two
/// types. Equal encodings copy by their code-unit size (no encoding at all counts as one byte).
std::unique_ptr<ISqlToCBulkConverter> CreateCharacterConverter(const SqlTypeMetadata& in_source,
                                                               const SqlCTypeMetadata& in_target)
{
    if (in_source.GetEncoding() != in_target.GetEncoding())
    {
        return std::make_unique<SqlToCBulkTranscodingConverter>(in_source, in_target);
    }
    switch (EncodingInfo::GetCodeUnitSize(in_source.GetEncoding()))
    {
    case 1:
        return std::make_unique<SqlToCBulkCharCopyConverter<1>>(in_source, in_target);
    case 2:
        return std::make_unique<SqlToCBulkCharCopyConverter<2>>(in_source, in_target);
    default:
        return std::make_unique<SqlToCBulkCharCopyConverter<4>>(in_source, in_target);
    }
}

std::unique_ptr<ISqlToCBulkConverter> CreateFromEntry(const SqlToCBulkMatrix::Entry& in_entry,
                                                      const SqlTypeMetadata& in_source,
                                                      const SqlCTypeMetadata& in_target)
{
    if (in_entry.m_group == SqlToCStateGroup::CHARACTER_TEXT)
    {
        return CreateCharacterConverter(in_source, in_target);
    }
    return std::make_unique<SqlToCBulkConverter<>>(in_entry.m_kernel,
                                                   SqlToCStateGroups::Make(in_entry.m_group, in_source, in_target));
}

} // namespace

SqlToCBulkConverterFactory::SqlToCBulkConverterFactory(DSI::DSIConnection* in_connection)
    : m_connection(in_connection)
{
}

ISqlToCBulkConverterFactory* SqlToCBulkConverterFactory::CreateForConnection(DSI::DSIConnection& in_connection)
{
    return new SqlToCBulkConverterFactory(&in_connection);
}

void SqlToCBulkConverterFactory::Delete(ISqlToCBulkConverterFactory* in_factory)
{
    delete in_factory;
}

std::unique_ptr<ISqlToCBulkConverter> SqlToCBulkConverterFactory::CreateConverter(
    const SqlTypeMetadata& in_source, const SqlCTypeMetadata& in_target) const
{
    // A SQL_C_DEFAULT binding describes no C type: left as it is, its text would be written in
    // the driver manager's encoding whatever its type, and its intervals held to a leading
    // precision of 0.
    const std::unique_ptr<SqlCTypeMetadata> defaultBinding = in_target.GetTDWType() == TDW_C_DEFAULT
        ? TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateDefaultBindingMetadata(
              in_source.GetTDWType(), in_target)
        : nullptr;
    const SqlCTypeMetadata& target = defaultBinding != nullptr ? *defaultBinding : in_target;
    const SqlToCBulkMatrix::Entry* entry = SqlToCBulkMatrix::Find(in_source.GetTDWType(), target.GetTDWType());
    return entry != nullptr ? CreateFromEntry(*entry, in_source, target) : nullptr;
}

} // namespace Support
} // namespace Orvik
