#include "Pelta/PeltaCellConverter.h"

#include "DSI/Client/DSITypeUtilities.h"
#include "Pelta/PeltaCellText.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaReply.h"
#include "Pelta/PeltaTimeUtilities.h"
#include "Support/EncodingType.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConverter.h"
#include "Support/TextValidator.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/Utf8Boundary.h"
#include "Support/orvik_wstring.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using Orvik::Support::SqlData;
using Orvik::Support::TDWType;

namespace Pelta {

namespace {

constexpr int64_t NO_LIMIT = -1;

template <class T>
void Store(SqlData& io_target, T in_value)
{
    io_target.SetNull(false);
    std::memcpy(io_target.GetBuffer(), &in_value, sizeof(T));
}

[[noreturn]] void ThrowMismatch(const std::string& in_columnName, const char* in_expected)
{
    throw PeltaError("PeltaCellTypeMismatch", {Utf8Parameter(in_columnName), in_expected});
}

[[noreturn]] void ThrowOutOfRange(const std::string& in_columnName, const char* in_type)
{
    throw PeltaError("PeltaCellValueOutOfRange", {Utf8Parameter(in_columnName), in_type});
}

template <class T>
void StoreInteger(const PeltaReplyCell& in_cell, const std::string& in_columnName, const char* in_type, SqlData& io_target)
{
    if (in_cell.kind == PeltaReplyCell::UNSIGNED)
    {
        ThrowOutOfRange(in_columnName, in_type);
    }
    if (in_cell.kind != PeltaReplyCell::INTEGER)
    {
        ThrowMismatch(in_columnName, "integer");
    }
    const int64_t value = in_cell.GetInt64();
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
    {
        ThrowOutOfRange(in_columnName, in_type);
    }
    Store(io_target, static_cast<T>(value));
}

double ReadDouble(const PeltaReply& in_reply, const PeltaReplyCell& in_cell, const std::string& in_columnName)
{
    switch (in_cell.kind)
    {
    case PeltaReplyCell::DOUBLE:
        return in_cell.GetDouble();
    case PeltaReplyCell::INTEGER:
        return static_cast<double>(in_cell.GetInt64());
    case PeltaReplyCell::UNSIGNED:
        return static_cast<double>(in_cell.payload);
    case PeltaReplyCell::STRING:
    case PeltaReplyCell::COUNTED_STRING:
    {
        // The server spells the values without a JSON form as text: "NaN", "Infinity".
        const std::string_view text = in_reply.GetText(in_cell);
        try
        {
            return Orvik::Support::NumberConverter::ConvertStringToDouble(text.data(), text.size(), true);
        }
        catch (const Orvik::Support::NumberConversionInvalidDataException&)
        {
            // Any other text is a cell of the wrong kind, reported with its column.
            ThrowMismatch(in_columnName, "number");
        }
    }
    default:
        ThrowMismatch(in_columnName, "number");
    }
}

// The least magnitude that rounds beyond the largest float: FLT_MAX and half its last place.
constexpr double FLOAT_ROUNDING_LIMIT = 0x1.ffffffp+127;

// A double narrowed to a REAL: a finite value that rounds beyond the float range must not become
// an infinity; one that rounds to the largest float (as its shortest text often parses) is it.
float ReadFloat(const PeltaReply& in_reply, const PeltaReplyCell& in_cell, const std::string& in_columnName)
{
    const double value = ReadDouble(in_reply, in_cell, in_columnName);
    if (std::isinf(value) || std::isnan(value))
    {
        return static_cast<float>(value);
    }
    if (std::fabs(value) >= FLOAT_ROUNDING_LIMIT)
    {
        ThrowOutOfRange(in_columnName, "float");
    }
    const float largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::max(-static_cast<double>(largest), std::min(value, static_cast<double>(largest))));
}

void StoreBit(const PeltaReplyCell& in_cell, const std::string& in_columnName, SqlData& io_target)
{
    if (in_cell.kind != PeltaReplyCell::TRUE_VALUE && in_cell.kind != PeltaReplyCell::FALSE_VALUE)
    {
        ThrowMismatch(in_columnName, "boolean");
    }
    Store<uint8_t>(io_target, in_cell.kind == PeltaReplyCell::TRUE_VALUE ? 1 : 0);
}

void StoreTimestamp(const PeltaReplyCell& in_cell, const std::string& in_columnName, SqlData& io_target)
{
    if (in_cell.kind != PeltaReplyCell::INTEGER)
    {
        ThrowMismatch(in_columnName, "integer");
    }
    Orvik::Support::TDWTimestampValue value;
    if (!PeltaTimeUtilities::EpochMillisToTimestamp(in_cell.GetInt64(), value))
    {
        ThrowOutOfRange(in_columnName, "timestamp");
    }
    Store(io_target, value);
}

// The bytes of a UTF-8 value as they are, cut on whole characters.
bool WriteUtf8Bytes(std::string_view in_text, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    const size_t start = std::min<uint64_t>(static_cast<uint64_t>(in_offset), in_text.size());
    size_t piece = in_text.size() - start;
    bool isMore = false;
    if (in_maxLength != NO_LIMIT && static_cast<uint64_t>(in_maxLength) < piece)
    {
        isMore = true;
        const size_t cut =
            Orvik::Support::EndOfWholeUtf8Characters(in_text.data() + start, static_cast<size_t>(in_maxLength));
        // A limit smaller than the next character takes its first bytes, so the caller moves on.
        piece = cut > 0 ? cut : static_cast<size_t>(in_maxLength);
    }
    io_target.SetNull(false);
    io_target.SetLength(static_cast<uint32_t>(piece));
    if (piece > 0)
    {
        std::memcpy(io_target.GetBuffer(), in_text.data() + start, piece);
    }
    return isMore;
}

template <class Write>
std::string JsonText(Write in_write)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    in_write(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

} // namespace

std::string_view PeltaCellConverter::MakeWellFormed(std::string_view in_text, std::string& out_repaired)
{
    if (Orvik::Support::TextValidator::IsWellFormedUtf8(in_text))
    {
        return in_text;
    }
    out_repaired = Orvik::Support::orvik_wstring(in_text.data(), static_cast<int32_t>(std::min<size_t>(in_text.size(), INT32_MAX)),
                                                 Orvik::Support::ENC_UTF8)
                       .GetAsUTF8();
    return out_repaired;
}

bool PeltaCellConverter::WriteWellFormedText(std::string_view in_text,
                                             SqlData& io_target,
                                             int64_t in_offset,
                                             int64_t in_maxLength)
{
    if (in_offset < 0 || in_maxLength < NO_LIMIT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (io_target.GetMetadata().GetEncoding() == Orvik::Support::ENC_UTF8 && in_text.size() <= UINT32_MAX)
    {
        return WriteUtf8Bytes(in_text, io_target, in_offset, in_maxLength);
    }
    // Another target encoding.
    const Orvik::Support::orvik_wstring text(in_text.data(), static_cast<int32_t>(std::min<size_t>(in_text.size(), INT32_MAX)),
                                             Orvik::Support::ENC_UTF8);
    return Orvik::DSI::DSITypeUtilities::OutputWVarCharStringData(text, io_target, in_offset, in_maxLength);
}

bool PeltaCellConverter::WriteText(std::string_view in_text, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    std::string repaired;
    return WriteWellFormedText(MakeWellFormed(in_text, repaired), io_target, in_offset, in_maxLength);
}

std::string PeltaCellConverter::GetText(const PeltaReply& in_reply, const PeltaReplyCell& in_cell)
{
    switch (in_cell.kind)
    {
    case PeltaReplyCell::NULL_VALUE:
        return "null";
    case PeltaReplyCell::FALSE_VALUE:
        return "false";
    case PeltaReplyCell::TRUE_VALUE:
        return "true";
    case PeltaReplyCell::INTEGER:
        return Orvik::Support::NumberConverter::ConvertInt64ToString(in_cell.GetInt64());
    case PeltaReplyCell::UNSIGNED:
        return Orvik::Support::NumberConverter::ConvertUInt64ToString(in_cell.payload);
    case PeltaReplyCell::DOUBLE:
        return JsonText([&](auto& io_writer) { io_writer.Double(in_cell.GetDouble()); });
    default:
        break;
    }
    return std::string(in_reply.GetText(in_cell));
}

bool PeltaCellConverter::Convert(const PeltaReply& in_reply,
                                 const PeltaReplyCell& in_cell,
                                 TDWType in_type,
                                 const std::string& in_columnName,
                                 PeltaCellText& io_cellText,
                                 SqlData& io_target,
                                 int64_t in_offset,
                                 int64_t in_maxLength)
{
    switch (in_type)
    {
    case Orvik::Support::TDW_SQL_WVARCHAR:
        return WriteWellFormedText(io_cellText.Get(in_reply, in_cell), io_target, in_offset, in_maxLength);
    case Orvik::Support::TDW_SQL_BIT:
        StoreBit(in_cell, in_columnName, io_target);
        return false;
    case Orvik::Support::TDW_SQL_STINYINT:
        StoreInteger<int8_t>(in_cell, in_columnName, "byte", io_target);
        return false;
    case Orvik::Support::TDW_SQL_SSMALLINT:
        StoreInteger<int16_t>(in_cell, in_columnName, "short", io_target);
        return false;
    case Orvik::Support::TDW_SQL_SINTEGER:
        StoreInteger<int32_t>(in_cell, in_columnName, "integer", io_target);
        return false;
    case Orvik::Support::TDW_SQL_SBIGINT:
        StoreInteger<int64_t>(in_cell, in_columnName, "long", io_target);
        return false;
    case Orvik::Support::TDW_SQL_REAL:
        Store(io_target, ReadFloat(in_reply, in_cell, in_columnName));
        return false;
    case Orvik::Support::TDW_SQL_DOUBLE:
        Store(io_target, ReadDouble(in_reply, in_cell, in_columnName));
        return false;
    case Orvik::Support::TDW_SQL_TYPE_TIMESTAMP:
        StoreTimestamp(in_cell, in_columnName, io_target);
        return false;
    default:
        throw PeltaError("PeltaUnknownTDWType", {Orvik::Support::NumberConverter::ConvertInt32ToWString(in_type)});
    }
}

} // namespace Pelta
