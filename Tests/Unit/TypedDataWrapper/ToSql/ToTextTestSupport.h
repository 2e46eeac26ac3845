#pragma once

#include "ToSqlTestSupport.h"

#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlKernel.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Orvik {
namespace Support {

/// A character target: its type and the encoding its metadata gives its text.
struct CharTarget
{
    TDWType type;
    EncodingType encoding;
};

/// A narrow target in the database's encoding, and a wide one in UTF-16.
constexpr CharTarget NARROW = {TDW_SQL_VARCHAR, ENC_UTF8};
constexpr CharTarget UTF16 = {TDW_SQL_WVARCHAR, ENC_UTF16_LE};

/// A holder whose room never grows past its capacity, as a holder of another kind might; its
/// bytes start as "." and its length as the capacity.
class CappedValue : public SqlData
{
public:
    CappedValue(const SqlTypeMetadata& in_metadata, uint32_t in_capacity);

    void* GetBuffer() override { return &m_bytes[0]; }

    void SetLength(uint32_t in_length) override;

private:
    std::string m_bytes;
};

/// One value converted into a new character value, and what the conversion left there. The
/// source's metadata may be changed before Run.
class ToTextRun
{
public:
    /// From an application buffer of in_cType, through the converter that the creator of the
    /// pair's C-to-SQL cell makes (the selectors decide by the target's encoding). The buffer's
    /// metadata comes from the C metadata factory, which gives the plain ids of SQL_C_TINYINT,
    /// SQL_C_SHORT and SQL_C_LONG the signed ones.
    ToTextRun(TDWType in_cType, CharTarget in_target);

    /// From a SQL-side value of in_sqlType, through a converter of in_kernel.
    ToTextRun(TDWType in_sqlType, ToSqlKernel in_kernel, CharTarget in_target);

    /// The metadata of the application buffer, or of the SQL-side value.
    SqlCTypeMetadata& CMetadata() { return m_wrapper->GetMetadata(); }
    SqlTypeMetadata& SourceMetadata() { return m_source->Metadata(); }
    SqlTypeMetadata& TargetMetadata() { return *m_targetMetadata; }

    /// A target holder that never holds more than in_capacity bytes, as a holder of another kind
    /// might; its length before the conversion is in_capacity.
    void CapTarget(uint32_t in_capacity);

    /// Converts the value of in_image's bytes and writes the outcome as
    /// "<posted> | <text> | <length>/<converted length>": the text is the target's code units,
    /// one character each, "\0" for a zero unit and "<hex>" for any other than ASCII; the two
    /// lengths are in bytes.
    std::string Run(const std::string& in_image);

    /// The same with in_length as the application buffer's length in place of the image's size.
    std::string Run(const std::string& in_image, int64_t in_length);

private:
    TDWType m_cType = TDW_C_DEFAULT;
    std::unique_ptr<ODBC::CDataWrapper> m_wrapper;
    std::unique_ptr<SqlValue> m_source;
    ToSqlKernel m_kernel = nullptr;
    std::unique_ptr<SqlTypeMetadata> m_targetMetadata;
    std::unique_ptr<SqlData> m_target;
    std::string m_bytes;
};

/// The text of one value of in_cType's application image into in_target.
std::string ApplicationToText(TDWType in_cType, const std::string& in_image, CharTarget in_target);

/// The text of one SQL-side value of in_sqlType's image into in_target, through in_kernel.
std::string SqlToText(TDWType in_sqlType, ToSqlKernel in_kernel, const std::string& in_image, CharTarget in_target);

} // namespace Support
} // namespace Orvik
