// Any bytes as a server's reply body. The reply check and the compact reply reader agree with a
// plain RapidJSON document of the same text whose numbers the C library reads from their own
// digits: the same outcome, the same root members, and every row cell of the same kind and
// value, objects and arrays as their compact JSON text with each number's digits as sent. The
// result set and the catalog sources read the same bytes: only the driver's errors come out, a
// character value read in pieces is the value read whole, and a column's text is its cell's.

#include "FuzzSupport.h"

#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "DSI/DSILog.h"
#include "DSI/Client/IResult.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaReply.h"
#include "Pelta/PeltaResultSet.h"
#include "Pelta/PeltaTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <sqlext.h>

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

using Pelta::PeltaReply;
using Pelta::PeltaReplyCell;

namespace {

/// A log at TRACE that formats every entry and keeps none, so that the entries' formats run.
class FormattingLog : public Orvik::DSI::DSILog
{
public:
    FormattingLog() { SetLogLevel(Orvik::DSI::LOG_TRACE); }

protected:
    void WriteEntry(int32_t, const char*, const char*, const char*, const char* in_format, va_list in_arguments) override
    {
        char line[256];
        std::vsnprintf(line, sizeof(line), in_format, in_arguments);
    }
};

std::string JsonText(const rapidjson::Value& in_value)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    in_value.Accept(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

/// A number read from its text by the C library: a 64-bit integer when the text has no fraction
/// or exponent and one holds it, else the nearest double. False for a number beyond the doubles.
bool ReadNumber(const std::string& in_text, rapidjson::Value& out_value)
{
    if (in_text.find_first_of(".eE") == std::string::npos)
    {
        errno = 0;
        const long long signedValue = std::strtoll(in_text.c_str(), nullptr, 10);
        if (errno == 0)
        {
            out_value.SetInt64(signedValue);
            return true;
        }
        errno = 0;
        const unsigned long long unsignedValue = std::strtoull(in_text.c_str(), nullptr, 10);
        if (in_text[0] != '-' && errno == 0)
        {
            out_value.SetUint64(unsignedValue);
            return true;
        }
    }
    const double value = std::strtod(in_text.c_str(), nullptr);
    out_value.SetDouble(value);
    return !std::isinf(value);
}

/// The reply as a plain document: its shape and kinds from RapidJSON, its numbers from their
/// digits, which a second parse keeps as text (RapidJSON's own reading of the extremes is off:
/// it gives a subnormal for 2e-324 and a small number for 10e308).
struct PlainReply
{
    explicit PlainReply(const std::string& in_text)
    {
        document.Parse<rapidjson::kParseIterativeFlag>(in_text.c_str());
        digits.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag>(in_text.c_str());
        numbersFit = document.HasParseError() || ReadNumbers(document, digits);
    }

    /// The outcome of the reply check: "ok" or the key it must raise.
    std::string Check() const
    {
        if (document.HasParseError() || !numbersFit)
        {
            return "PeltaJSONParseError";
        }
        if (!document.IsObject())
        {
            return "PeltaJSONWrongType";
        }
        return document.HasMember("error") ? "error" : "ok";
    }

    rapidjson::Document document;
    rapidjson::Document digits;
    bool numbersFit = true;

private:
    bool ReadNumbers(rapidjson::Value& io_value, const rapidjson::Value& in_digits)
    {
        bool fit = true;
        if (io_value.IsNumber())
        {
            fit = ReadNumber(std::string(in_digits.GetString(), in_digits.GetStringLength()), io_value);
        }
        for (rapidjson::SizeType i = 0; io_value.IsArray() && i < io_value.Size(); ++i)
        {
            fit = ReadNumbers(io_value[i], in_digits[i]) && fit;
        }
        for (rapidjson::SizeType i = 0; io_value.IsObject() && i < io_value.MemberCount(); ++i)
        {
            fit = ReadNumbers((io_value.MemberBegin() + i)->value, (in_digits.MemberBegin() + i)->value) && fit;
        }
        return fit;
    }
};

/// A value's compact JSON text with its numbers' digits as sent, in_digits its twin that holds them.
void WriteWithDigits(const rapidjson::Value& in_value, const rapidjson::Value& in_digits, rapidjson::Writer<rapidjson::StringBuffer>& io_writer)
{
    if (in_value.IsNumber())
    {
        io_writer.RawValue(in_digits.GetString(), in_digits.GetStringLength(), rapidjson::kNumberType);
    }
    else if (in_value.IsArray())
    {
        io_writer.StartArray();
        for (rapidjson::SizeType i = 0; i < in_value.Size(); ++i)
        {
            WriteWithDigits(in_value[i], in_digits[i], io_writer);
        }
        io_writer.EndArray();
    }
    else if (in_value.IsObject())
    {
        io_writer.StartObject();
        for (auto member = in_value.MemberBegin(), twin = in_digits.MemberBegin(); member != in_value.MemberEnd(); ++member, ++twin)
        {
            io_writer.Key(member->name.GetString(), member->name.GetStringLength());
            WriteWithDigits(member->value, twin->value, io_writer);
        }
        io_writer.EndObject();
    }
    else
    {
        in_value.Accept(io_writer);
    }
}

std::string JsonTextWithDigits(const rapidjson::Value& in_value, const rapidjson::Value& in_digits)
{
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    WriteWithDigits(in_value, in_digits, writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

/// The cell a document value must give: its kind, and its number or text.
std::string Expected(const rapidjson::Value& in_value, const rapidjson::Value& in_digits, bool in_asArray)
{
    if (in_value.IsNull()) return "null";
    if (in_value.IsFalse()) return "false";
    if (in_value.IsTrue()) return "true";
    if (in_value.IsInt64()) return "int " + std::to_string(in_value.GetInt64());
    if (in_value.IsUint64()) return "uint " + std::to_string(in_value.GetUint64());
    if (in_value.IsDouble())
    {
        uint64_t bits;
        const double value = in_value.GetDouble();
        std::memcpy(&bits, &value, sizeof(bits));
        return "double " + std::to_string(bits);
    }
    if (in_value.IsString()) return "text " + Fuzz::Show(std::string(in_value.GetString(), in_value.GetStringLength()));
    std::string text = "json " + Fuzz::Show(JsonTextWithDigits(in_value, in_digits));
    if (in_value.IsArray() && in_asArray)
    {
        text += " [";
        for (rapidjson::SizeType i = 0; i < in_value.Size(); ++i)
        {
            text += Expected(in_value[i], in_digits[i], false) + "; ";
        }
        text += "]";
    }
    return text;
}

std::string Got(const PeltaReply& in_reply, const PeltaReplyCell& in_cell, bool in_asArray)
{
    switch (in_cell.kind)
    {
    case PeltaReplyCell::NULL_VALUE: return "null";
    case PeltaReplyCell::FALSE_VALUE: return "false";
    case PeltaReplyCell::TRUE_VALUE: return "true";
    case PeltaReplyCell::INTEGER: return "int " + std::to_string(in_cell.GetInt64());
    case PeltaReplyCell::UNSIGNED: return "uint " + std::to_string(in_cell.payload);
    case PeltaReplyCell::DOUBLE: return "double " + std::to_string(in_cell.payload);
    case PeltaReplyCell::STRING:
    case PeltaReplyCell::COUNTED_STRING: return "text " + Fuzz::Show(std::string(in_reply.GetText(in_cell)));
    case PeltaReplyCell::JSON_TEXT: return "json " + Fuzz::Show(std::string(in_reply.GetText(in_cell)));
    case PeltaReplyCell::ARRAY:
    {
        std::string text = "json " + Fuzz::Show(std::string(in_reply.GetText(in_cell)));
        if (in_asArray)
        {
            text += " [";
            for (uint32_t i = 0; i < in_reply.GetElementCount(in_cell); ++i)
            {
                text += Got(in_reply, in_reply.GetElement(in_cell, i), false) + "; ";
            }
            text += "]";
        }
        return text;
    }
    }
    return "unknown kind " + std::to_string(in_cell.kind);
}

/// The place of the rows member the reader takes, the first member "rows" of the root whose
/// value is an array; -1 when there is none.
int64_t FindRows(const rapidjson::Value& in_root)
{
    for (auto member = in_root.MemberBegin(); member != in_root.MemberEnd(); ++member)
    {
        if (member->name == "rows" && member->value.IsArray())
        {
            return member - in_root.MemberBegin();
        }
    }
    return -1;
}

std::string Outcome(const std::function<void()>& in_action)
{
    try
    {
        in_action();
        return "ok";
    }
    catch (const Orvik::Support::ErrorException& e)
    {
        return Fuzz::KeyOf(e);
    }
}

bool IsErrorKey(const std::string& in_key)
{
    return in_key == "PeltaAPIError" || in_key == "PeltaJSONMemberNotFoundError" || in_key == "PeltaJSONWrongType";
}

void CheckReply(const std::string& in_text, bool in_keepElements)
{
    const PlainReply plain(in_text);
    const std::string expected = plain.Check();
    const std::string context = Fuzz::Show(in_text);

    const std::string checked = Outcome([&] { Pelta::PeltaAPI::CheckResponseError(in_text); });
    FUZZ_CHECK(checked == expected || (expected == "error" && IsErrorKey(checked)), context + ": the check raised " + checked + ", expected " + expected);

    std::unique_ptr<PeltaReply> reply;
    const std::string read = Outcome([&] { reply = std::make_unique<PeltaReply>(std::string(in_text), in_keepElements); });
    const int64_t rowsPlace = expected == "ok" || expected == "error" ? FindRows(plain.document) : -1;
    const rapidjson::Value* rows = rowsPlace < 0 ? nullptr : &(plain.document.MemberBegin() + rowsPlace)->value;
    const rapidjson::Value* rowDigits = rowsPlace < 0 ? nullptr : &(plain.digits.MemberBegin() + rowsPlace)->value;
    bool badRow = false;
    for (size_t i = 0; rows != nullptr && i < rows->Size(); ++i)
    {
        badRow = badRow || !(*rows)[static_cast<rapidjson::SizeType>(i)].IsArray();
    }
    if (expected == "PeltaJSONParseError")
    {
        // A row that is no array may stop the reading before the syntax error is met.
        FUZZ_CHECK(read == expected || read == "PeltaJSONWrongType", context + ": the reader raised " + read);
        return;
    }
    if (badRow)
    {
        FUZZ_CHECK(read == "PeltaJSONWrongType", context + ": a row that is no array gave " + read);
        return;
    }
    FUZZ_CHECK(read == checked, context + ": the reader raised " + read + ", the check " + checked);
    if (read != "ok")
    {
        return;
    }

    // The root's members as the document has them, the rows an empty array.
    rapidjson::Document root;
    root.CopyFrom(plain.document, root.GetAllocator());
    for (auto& member : root.GetObject())
    {
        if (member.name == "rows" && member.value.IsArray())
        {
            member.value.SetArray();
            break;
        }
    }
    FUZZ_CHECK(JsonText(reply->GetRoot()) == JsonText(root), context + ": root " + JsonText(reply->GetRoot()) + ", expected " + JsonText(root));
    const uint64_t rowCount = rows == nullptr ? 0 : rows->Size();
    FUZZ_CHECK(reply->GetRowCount() == rowCount, context + ": row count");
    for (uint64_t r = 0; r < rowCount; ++r)
    {
        const rapidjson::Value& row = (*rows)[static_cast<rapidjson::SizeType>(r)];
        const rapidjson::Value& digits = (*rowDigits)[static_cast<rapidjson::SizeType>(r)];
        FUZZ_CHECK(reply->GetCellCount(r) == row.Size(), context + ": cell count of row " + std::to_string(r));
        for (uint32_t c = 0; c < row.Size(); ++c)
        {
            const std::string want = Expected(row[c], digits[c], in_keepElements);
            const std::string got = Got(*reply, reply->GetCell(r, c), in_keepElements);
            FUZZ_CHECK(got == want, context + ": row " + std::to_string(r) + " cell " + std::to_string(c) + " is " + got + ", expected " + want);
        }
    }
}

/// A value holder of an SQL type with the description it needs.
struct Holder
{
    explicit Holder(const Orvik::Support::SqlTypeMetadata& in_metadata)
        : data(Orvik::Support::TypedDataSingleton<Orvik::Support::SqlDataFactory>::GetOrDefault().CreateNewSqlData(in_metadata))
    {
    }

    explicit Holder(int16_t in_sqlType)
        : metadata(Orvik::Support::TypedDataSingleton<Orvik::Support::SqlTypeMetadataFactory>::GetOrDefault().CreateNewSqlTypeMetadata(
              in_sqlType, false, 0)),
          data(Orvik::Support::TypedDataSingleton<Orvik::Support::SqlDataFactory>::GetOrDefault().CreateNewSqlData(*metadata))
    {
    }

    std::string Bytes() const
    {
        return data->IsNull() ? "NULL" : std::string(static_cast<const char*>(data->GetBuffer()), data->GetLength());
    }

    std::unique_ptr<Orvik::Support::SqlTypeMetadata> metadata;
    std::unique_ptr<Orvik::Support::SqlData> data;
};

/// A value read whole, and in pieces of in_piece bytes until nothing remains.
void ReadInPieces(const std::function<bool(Orvik::Support::SqlData&, int64_t, int64_t)>& in_read,
                  Holder& io_holder,
                  int64_t in_piece,
                  const std::string& in_context)
{
    in_read(*io_holder.data, 0, -1);
    const std::string whole = io_holder.Bytes();
    const Orvik::Support::SqlTypeMetadata& metadata = io_holder.data->GetMetadata();
    if (!(metadata.IsCharacter() || metadata.IsWideCharacter()) || io_holder.data->IsNull())
    {
        return;
    }
    // Each piece starts where the last one ended: pieces end on whole characters.
    std::string pieces;
    int64_t offset = 0;
    for (bool more = true; more;)
    {
        more = in_read(*io_holder.data, offset, in_piece);
        FUZZ_CHECK(!io_holder.data->IsNull(), in_context + ": a piece NULL");
        const std::string piece = io_holder.Bytes();
        FUZZ_CHECK(static_cast<int64_t>(piece.size()) <= in_piece, in_context + ": a piece too long");
        FUZZ_CHECK(!more || !piece.empty(), in_context + ": reading in pieces does not move on");
        pieces += piece;
        offset += static_cast<int64_t>(piece.size());
    }
    FUZZ_CHECK(pieces == whole, in_context + ": read in pieces of " + std::to_string(in_piece) + " as " + Fuzz::Show(pieces)
                                    + ", whole as " + Fuzz::Show(whole));
}

/// The result set over the bytes, read as an application and as the catalog sources read it.
void CheckResultSet(const std::string& in_text, bool in_isUnnest, bool in_isODBC3, uint32_t in_maxColumnSize, int64_t in_piece)
{
    // The rows as a plain document has them, for the texts of the columns.
    const PlainReply plain(in_text);
    const std::string checked = plain.Check();
    const int64_t rowsPlace = checked == "ok" || checked == "error" ? FindRows(plain.document) : -1;
    const rapidjson::Value* rows = rowsPlace < 0 ? nullptr : &(plain.document.MemberBegin() + rowsPlace)->value;
    const rapidjson::Value* rowDigits = rowsPlace < 0 ? nullptr : &(plain.digits.MemberBegin() + rowsPlace)->value;
    FormattingLog log;
    const std::string context = Fuzz::Show(in_text) + (in_isUnnest ? " unnested" : "");
    const std::string outcome = Outcome([&] {
        Pelta::PeltaResultSet result(log, std::string(in_text), in_maxColumnSize, in_isUnnest, in_isODBC3);
        Orvik::DSI::IColumns* columns = result.GetSelectColumns();
        std::vector<std::unique_ptr<Holder>> holders;
        for (uint16_t i = 0; i < columns->GetCount(); ++i)
        {
            holders.push_back(std::make_unique<Holder>(*columns->GetColumn(i)->GetMetadata()));
        }
        // The catalog layout's holders: names as wide and narrow text, numbers as integers.
        Holder catalogHolders[] = {Holder(SQL_WVARCHAR), Holder(SQL_VARCHAR), Holder(SQL_INTEGER), Holder(SQL_SMALLINT)};
        for (int row = 0; row < 64 && result.Move(Orvik::DSI::DSI_DIR_NEXT, 0); ++row)
        {
            for (uint16_t i = 0; i < holders.size(); ++i)
            {
                const std::string column = context + " row " + std::to_string(row) + " column " + std::to_string(i);
                // A column's text: a string as it is, NULL as nothing, anything else as its JSON.
                const rapidjson::Value* cells = rows != nullptr && !in_isUnnest && static_cast<rapidjson::SizeType>(row) < rows->Size()
                                                  ? &(*rows)[static_cast<rapidjson::SizeType>(row)]
                                                  : nullptr;
                if (cells != nullptr && cells->IsArray() && i < cells->Size())
                {
                    // A number alone is written from its value; inside an object or array it keeps its digits.
                    const rapidjson::Value& cell = (*cells)[i];
                    const rapidjson::Value& digits = (*rowDigits)[static_cast<rapidjson::SizeType>(row)][i];
                    const std::string expected = cell.IsString() ? std::string(cell.GetString(), cell.GetStringLength())
                                                 : cell.IsNull()   ? std::string()
                                                 : cell.IsNumber() ? JsonText(cell)
                                                                   : JsonTextWithDigits(cell, digits);
                    FUZZ_CHECK(result.GetColumnText(i) == expected,
                               column + ": text " + Fuzz::Show(result.GetColumnText(i)) + ", expected " + Fuzz::Show(expected));
                }
                Outcome([&] { Pelta::PeltaTypeUtilities::GetTypeIdFromName(result.GetColumnText(i)); });
                Outcome([&] {
                    ReadInPieces([&](Orvik::Support::SqlData& io_data, int64_t in_offset, int64_t in_length) {
                        return result.RetrieveData(i, io_data, in_offset, in_length);
                    }, *holders[i], in_piece, column);
                });
                for (Holder& holder : catalogHolders)
                {
                    Outcome([&] {
                        ReadInPieces([&](Orvik::Support::SqlData& io_data, int64_t in_offset, int64_t in_length) {
                            return result.RetrieveAsTarget(i, io_data, in_offset, in_length);
                        }, holder, in_piece, column + " as a catalog value");
                    });
                }
            }
            result.GetRowCount();
        }
    });
    (void)outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size < 2)
    {
        return 0;
    }
    // The first two bytes choose the reading; the rest is the reply.
    const uint8_t choice = in_data[0];
    const uint32_t maxColumnSize = in_data[1] < 128 ? 4000 : in_data[1];
    const std::string text(reinterpret_cast<const char*>(in_data) + 2, in_size - 2);
    CheckReply(text, choice & 1);
    CheckResultSet(text, choice & 2, choice & 4, maxColumnSize, 1 + (choice >> 3));
    return 0;
}
