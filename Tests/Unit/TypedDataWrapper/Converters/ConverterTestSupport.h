#pragma once

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include "Unit/TypedDataWrapper/Conversions/KernelTestSupport.h"

#include <cstring>
#include <memory>
#include <string>

namespace Orvik {
namespace Support {

/// A registry with every table filled, made once for the test program.
const SqlConverterFactory& Registry();

/// The metadata of a value of the SQL type in_type, with its defaults.
std::unique_ptr<SqlTypeMetadata> SqlMetadataOf(TDWType in_type);

/// The metadata of an application buffer of the C type in_type, with its defaults. The ids of
/// SQL_C_TINYINT, SQL_C_SHORT and SQL_C_LONG give the signed ids, as an application's binding
/// does.
std::unique_ptr<SqlCTypeMetadata> CMetadataOf(TDWType in_type);

/// The bytes of a value in its SQL-side layout.
template <typename T>
std::string Image(const T& in_value)
{
    return std::string(reinterpret_cast<const char*>(&in_value), sizeof(T));
}

/// The image of an exact numeric written as text.
std::string NumericImage(const char* in_text);

/// The result a converter returned, as RecordingListener writes it ("" for none).
std::string Describe(const ConversionResult* in_result);

/// The bytes a run left in its buffer, in hexadecimal.
inline std::string HexOf(const KernelRun& in_run)
{
    return Hex(in_run.bytes);
}

/// The interval structure a run wrote: its type, sign and the fields of its kind.
std::string IntervalText(const KernelRun& in_run);

/// A column of one SQL type bound to an application buffer of one C type, as a cursor holds it:
/// the value holder, the buffer's wrapper and the converter the registry makes for them.
class BoundColumn
{
public:
    /// A column of in_source read into buffers that in_target describes; in_octetLength is the
    /// buffer length of the binding.
    BoundColumn(TDWType in_source, TDWType in_target, int64_t in_octetLength = 0);

    /// The metadata records, to be changed before MakeConverter or after it (which the
    /// converter then does not see).
    SqlTypeMetadata& SourceMetadata() { return *m_sourceMetadata; }
    SqlCTypeMetadata& TargetMetadata() { return m_wrapper.GetMetadata(); }

    ODBC::CDataWrapper& Wrapper() { return m_wrapper; }
    SqlData& Value() { return *m_value; }

    /// The converter, made first when there is none.
    ISqlToCConverter& Converter();

    /// Makes in_image's bytes the value, not NULL.
    void SetValue(const std::string& in_image);

    /// Asks the registry for the converter of the binding as it stands.
    void MakeConverter();

    /// Makes the converter with the creator of the table's cell for in_target, as metadata that
    /// carries in_target's own id would reach it.
    void MakeConverterOfCell(TDWType in_target);

    /// Converts a value of in_image's bytes into a guarded buffer of in_bufferSize bytes
    /// (negative: no buffer bound, the wrapper's address not valid), making the converter first
    /// when there is none. The run's length is the wrapper's output length.
    KernelRun Convert(const std::string& in_image, int64_t in_bufferSize);

    /// Converts a NULL value the same way.
    KernelRun ConvertNull(int64_t in_bufferSize);

private:
    KernelRun Run(int64_t in_bufferSize);

    std::unique_ptr<SqlTypeMetadata> m_sourceMetadata;
    std::unique_ptr<SqlData> m_value;
    ODBC::CDataWrapper m_wrapper;
    std::unique_ptr<ISqlToCConverter> m_converter;
};

/// Runs one value through a new binding made for in_octetLength bytes into a buffer of
/// in_bufferSize bytes, and writes the outcome as "<posted> | <length> | <shown>", the written
/// bytes shown by in_show or "untouched"; the buffer's guards must hold.
template <typename Show>
std::string ConvertOnce(TDWType in_source,
                        const std::string& in_image,
                        TDWType in_target,
                        int64_t in_octetLength,
                        int64_t in_bufferSize,
                        Show in_show)
{
    BoundColumn column(in_source, in_target, in_octetLength);
    const KernelRun run = column.Convert(in_image, in_bufferSize);
    EXPECT_TRUE(run.clean) << "written outside the buffer";
    return run.posted + " | " + std::to_string(run.length) + " | "
        + (run.untouched ? std::string("untouched") : in_show(run));
}

/// The same with a buffer of the binding's length.
template <typename Show>
std::string ConvertOnce(
    TDWType in_source, const std::string& in_image, TDWType in_target, int64_t in_size, Show in_show)
{
    return ConvertOnce(in_source, in_image, in_target, in_size, in_size, in_show);
}

} // namespace Support
} // namespace Orvik
