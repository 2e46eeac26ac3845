// Encoding converters over every pair of the encoding table: the streaming converter gives the
// same text whether the source comes whole or in pieces and whatever the size of the targets,
// which hold whole characters (the first code units of one where none fits) and a terminator
// when asked, and its strict form gives the same text or refuses text that is not valid in its
// encoding; the driver manager's converter writes within exact-size buffers, reports truncation
// as the required length says, keeps a prefix of the text when it cuts, measures ANSI text
// generously enough, and reads back what it wrote.
// The text validator, over every encoding of the table, whole and in pieces cut anywhere, finds
// the first bad character where a reference does: a plain decoder for UTF-8, ICU's decoder
// stopped at the first bad character for every other encoding. UTF-8, valid or not, is cut within
// a room only before a character that the room cuts.

#include "FuzzSupport.h"

#include "Support/DriverManagerStringConverter.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/EncodingInfo.h"
#include "Support/MalformedTextException.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TextValidator.h"
#include "Support/Utf8Boundary.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

constexpr uint8_t UNTOUCHED = 0xCC;
constexpr size_t NOWHERE = std::string::npos;

/// ICU's decoder of in_encoding, told to stop at the first bad character, or null when ICU has
/// none; one per encoding, reset before each use.
UConverter* ReferenceDecoder(EncodingType in_encoding)
{
    static UConverter* decoders[ENCODING_COUNT] = {};
    static bool opened[ENCODING_COUNT] = {};
    if (!opened[in_encoding])
    {
        opened[in_encoding] = true;
        UErrorCode status = U_ZERO_ERROR;
        UConverter* decoder = ucnv_open(EncodingInfo::GetEncodingName(in_encoding), &status);
        if (U_SUCCESS(status))
        {
            ucnv_setToUCallBack(decoder, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
            FUZZ_CHECK(U_SUCCESS(status), "no stop callback for encoding " + std::to_string(in_encoding));
            decoders[in_encoding] = decoder;
        }
        else if (decoder != nullptr)
        {
            ucnv_close(decoder);
        }
    }
    if (decoders[in_encoding] != nullptr)
    {
        ucnv_reset(decoders[in_encoding]);
    }
    return decoders[in_encoding];
}

/// Where in_bytes, a whole text, stop being valid in in_encoding: the first byte of the first bad
/// character, or NOWHERE. UTF-8 by a plain decoder; any other encoding by ICU's decoder stopped
/// at the first bad character, which has then consumed the bad bytes it names.
size_t ReferenceBad(const std::string& in_bytes, EncodingType in_encoding)
{
    if (in_encoding == ENC_UTF8)
    {
        return Fuzz::FindBadUtf8(in_bytes);
    }
    UConverter* decoder = ReferenceDecoder(in_encoding);
    const char* source = in_bytes.data();
    const char* const end = source + in_bytes.size();
    UChar scratch[256];
    for (;;)
    {
        UChar* target = scratch;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(decoder, &target, scratch + 256, &source, end, nullptr, true, &status);
        if (status == U_BUFFER_OVERFLOW_ERROR)
        {
            continue;
        }
        if (U_SUCCESS(status))
        {
            return NOWHERE;
        }
        // Bad bytes, unassigned ones, a character cut at the end, or an escape sequence of a
        // stateful encoding that is no escape or none of the encoding's.
        FUZZ_CHECK(status == U_ILLEGAL_CHAR_FOUND || status == U_INVALID_CHAR_FOUND || status == U_TRUNCATED_CHAR_FOUND
                       || status == U_ILLEGAL_ESCAPE_SEQUENCE || status == U_UNSUPPORTED_ESCAPE_SEQUENCE,
                   "encoding " + std::to_string(in_encoding) + ": ICU failed with " + u_errorName(status));
        char invalid[64];
        int8_t invalidLength = sizeof(invalid);
        UErrorCode invalidStatus = U_ZERO_ERROR;
        ucnv_getInvalidChars(decoder, invalid, &invalidLength, &invalidStatus);
        return static_cast<size_t>(source - in_bytes.data()) - static_cast<size_t>(invalidLength);
    }
}

std::string ShowOffset(uint64_t in_offset)
{
    return in_offset == TextValidator::VALID || in_offset == NOWHERE ? "valid" : "bad at " + std::to_string(in_offset);
}

/// in_bytes cut at in_cuts (lengths of the pieces before the last, each taken as far as the
/// bytes go).
std::vector<std::string> Cut(const std::string& in_bytes, const std::vector<size_t>& in_cuts)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t cut : in_cuts)
    {
        const size_t length = std::min(cut, in_bytes.size() - start);
        pieces.push_back(in_bytes.substr(start, length));
        start += length;
    }
    pieces.push_back(in_bytes.substr(start));
    return pieces;
}

/// Converts in_pieces of source one after another into targets of the sizes in_sizes (used in
/// turn), each an exact heap block, and returns what the targets received, without terminators.
std::string Stream(EncodingConverter& io_converter,
                   const std::vector<std::string>& in_pieces,
                   const std::vector<int32_t>& in_sizes,
                   int32_t in_terminator,
                   const std::string& in_context)
{
    std::string out;
    size_t nextSize = 0;
    std::unique_ptr<char[]> target;
    int32_t size = 0;
    const auto newTarget = [&] {
        size = in_sizes[nextSize++ % in_sizes.size()];
        target.reset(new char[static_cast<size_t>(size)]);
        io_converter.SetTarget(target.get(), size);
    };
    newTarget();
    size_t total = 0;
    for (const std::string& piece : in_pieces)
    {
        total += piece.size();
    }
    // Every full target holds at least one byte, so this many rounds are plenty.
    size_t rounds = total * 8 + in_pieces.size() * 4 + 16;
    for (size_t i = 0; i < in_pieces.size(); ++i)
    {
        const bool isFinal = i + 1 == in_pieces.size();
        FUZZ_CHECK(!io_converter.NeedsConvert(), in_context + ": a source set while the last one still waits");
        io_converter.SetSource(in_pieces[i].data(), static_cast<int32_t>(in_pieces[i].size()));
        while (true)
        {
            FUZZ_CHECK(rounds-- > 0, in_context + ": the conversion does not end");
            const int32_t written = io_converter.Convert(isFinal);
            if (written == -1)
            {
                FUZZ_CHECK(!isFinal, in_context + ": a final conversion asked for more source");
                break;
            }
            FUZZ_CHECK(written >= 0 && written + in_terminator <= size, in_context + ": wrote past the target");
            if (in_terminator > 0)
            {
                FUZZ_CHECK(std::string(target.get() + written, static_cast<size_t>(in_terminator)) == std::string(static_cast<size_t>(in_terminator), '\0'),
                           in_context + ": no terminator after the text");
            }
            out.append(target.get(), static_cast<size_t>(written));
            newTarget();
            if (!io_converter.NeedsConvert())
            {
                if (isFinal)
                {
                    // A final conversion with nothing waiting writes nothing more.
                    FUZZ_CHECK(io_converter.Convert(true) == 0, in_context + ": wrote after the end");
                }
                break;
            }
        }
    }
    return out;
}

/// Whether the validator's offset of text checked in pieces cut at in_cuts is the whole text's
/// in_whole. ICU decodes every encoding but UTF-8, the Unicode forms and US-ASCII; for a character
/// begun in an earlier piece it may have read ahead bytes that it keeps for the next character,
/// which the offset then lies past, though never past the piece's start.
bool IsNear(uint64_t in_offset, size_t in_whole, EncodingType in_encoding, const std::vector<size_t>& in_cuts)
{
    if (in_offset == in_whole)
    {
        return true;
    }
    const bool isIcu = in_encoding > ENC_UTF32_BE && in_encoding != ENC_US_ASCII;
    size_t pieceStart = 0;
    for (size_t cut : in_cuts)
    {
        pieceStart += cut;
        if (isIcu && pieceStart > in_whole && in_offset > in_whole && in_offset <= pieceStart)
        {
            return true;
        }
    }
    return false;
}

void CheckStreaming(FuzzedDataProvider& io_data)
{
    const EncodingType source = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const EncodingType target = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const bool terminate = io_data.ConsumeBool();
    const bool fromText = io_data.ConsumeBool();
    const int32_t terminator = terminate ? EncodingInfo::GetCodeUnitSize(target) : 0;
    // A terminated target needs room for one code unit and a terminator; a character that does
    // not fit whole comes a code unit at a time.
    const int32_t smallest = terminate ? 2 * terminator : 1;
    std::vector<int32_t> sizes;
    for (int i = io_data.ConsumeIntegralInRange<int>(1, 4); i > 0; --i)
    {
        sizes.push_back(io_data.ConsumeIntegralInRange<int32_t>(smallest, 40));
    }
    std::vector<size_t> cuts;
    for (int i = io_data.ConsumeIntegralInRange<int>(0, 4); i > 0; --i)
    {
        cuts.push_back(io_data.ConsumeIntegralInRange<size_t>(0, 64));
    }
    std::string bytes = io_data.ConsumeRemainingBytesAsString();
    if (fromText)
    {
        // Mostly valid text of the source encoding: the bytes as UTF-16, written in it.
        std::u16string text(bytes.size() / 2, u'\0');
        std::memcpy(&text[0], bytes.data(), text.size() * 2);
        bytes = orvik_wstring(text).GetAsString(source);
    }
    const std::string context = std::to_string(source) + " to " + std::to_string(target) + (terminate ? " terminated " : " ")
                                + Fuzz::Show(bytes);

    EncodingConverterFactory factory;
    std::unique_ptr<EncodingConverter> whole;
    try
    {
        whole = factory.CreateConverter(source, target, terminate);
    }
    catch (const ErrorException& e)
    {
        FUZZ_CHECK(Fuzz::KeyOf(e) == "ICUCreateUConverterErr", context + " raised " + Fuzz::KeyOf(e));
        return;
    }
    const std::string once = Stream(*whole, {bytes}, {static_cast<int32_t>(bytes.size() * 8 + 64)}, terminator, context);

    const std::vector<std::string> pieces = Cut(bytes, cuts);
    std::unique_ptr<EncodingConverter> streamed = factory.CreateConverter(source, target, terminate);
    const std::string inPieces = Stream(*streamed, pieces, sizes, terminator, context);
    FUZZ_CHECK(inPieces == once, context + ": in pieces " + Fuzz::Show(inPieces) + ", at once " + Fuzz::Show(once));

    // The converter starts over on unrelated text after a reset.
    streamed->ResetPartial();
    FUZZ_CHECK(Stream(*streamed, {bytes}, {static_cast<int32_t>(bytes.size() * 8 + 64)}, terminator, context) == once,
               context + ": differs after a reset");

    if (terminate)
    {
        return;
    }
    // The strict converter, in the same pieces: the same text when the source is valid, else a
    // refusal at the first bad byte, raised by the piece that holds it or by the final
    // conversion when the text ends inside a character. It starts over after a refusal too.
    const size_t bad = ReferenceBad(bytes, source);
    std::unique_ptr<EncodingConverter> strict = factory.CreateStrictConverter(source, target);
    for (int round = 0; round < 2; ++round)
    {
        strict->ResetPartial();
        try
        {
            const std::string strictText = Stream(*strict, pieces, sizes, 0, context + " strictly");
            FUZZ_CHECK(bad == NOWHERE, context + ": accepted strictly, expected " + ShowOffset(bad));
            FUZZ_CHECK(strictText == once, context + ": strictly " + Fuzz::Show(strictText) + ", else " + Fuzz::Show(once));
        }
        catch (const MalformedTextException& e)
        {
            FUZZ_CHECK(bad != NOWHERE && Fuzz::KeyOf(e) == "MalformedText" && IsNear(e.GetOffset(), bad, source, cuts),
                       context + ": refused strictly " + ShowOffset(e.GetOffset()) + ", expected " + ShowOffset(bad));
        }
    }
}

/// The driver manager's converter, one per encoding of the table that ICU opens.
DriverManagerStringConverter* Converter(EncodingType in_encoding)
{
    static PlatformStringConverter strings;
    static std::unique_ptr<DriverManagerStringConverter> converters[ENCODING_COUNT];
    static bool refused[ENCODING_COUNT] = {};
    if (!converters[in_encoding] && !refused[in_encoding])
    {
        try
        {
            converters[in_encoding].reset(new DriverManagerStringConverter(in_encoding, strings));
        }
        catch (const ErrorException& e)
        {
            FUZZ_CHECK(Fuzz::KeyOf(e) == "ICUCreateUConverterErr", "encoding " + std::to_string(in_encoding) + " raised " + Fuzz::KeyOf(e));
            refused[in_encoding] = true;
        }
    }
    return converters[in_encoding].get();
}

struct Written
{
    std::string bytes;
    int32_t length;
    bool truncated;
};

/// ToBuffer into exactly in_room units (bytes or code units), checked against the buffer's size.
Written Write(DriverManagerStringConverter& io_converter, const orvik_wstring& in_text, int32_t in_room, bool in_inBytes, int32_t in_unit, const std::string& in_context)
{
    const size_t size = static_cast<size_t>(in_room) * (in_inBytes ? 1 : in_unit);
    std::unique_ptr<char[]> buffer(new char[size]);
    std::memset(buffer.get(), UNTOUCHED, size);
    bool truncated = false;
    const int32_t length = io_converter.ToBuffer(in_text, buffer.get(), in_room, in_inBytes, truncated);
    const size_t bytes = static_cast<size_t>(length) * (in_inBytes ? 1 : in_unit);
    const std::string context = in_context + " into " + std::to_string(in_room) + (in_inBytes ? " bytes" : " units");
    if (size < static_cast<size_t>(in_unit))
    {
        FUZZ_CHECK(length == 0 && std::string(buffer.get(), size) == std::string(size, static_cast<char>(UNTOUCHED)),
                   context + ": a buffer too small for a terminator was written");
        return {std::string(), 0, truncated};
    }
    FUZZ_CHECK(length >= 0 && bytes + static_cast<size_t>(in_unit) <= size, context + ": no room left for the terminator");
    FUZZ_CHECK(std::string(buffer.get() + bytes, static_cast<size_t>(in_unit)) == std::string(static_cast<size_t>(in_unit), '\0'),
               context + ": no terminator after the text");
    return {std::string(buffer.get(), bytes), length, truncated};
}

void CheckDriverManager(FuzzedDataProvider& io_data)
{
    const EncodingType encoding = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const bool inBytes = io_data.ConsumeBool();
    const int32_t extra = io_data.ConsumeIntegralInRange<int32_t>(0, 8);
    const int32_t cut = io_data.ConsumeIntegralInRange<int32_t>(0, 64);
    DriverManagerStringConverter* converter = Converter(encoding);
    if (converter == nullptr)
    {
        return;
    }
    const int32_t unit = EncodingInfo::GetCodeUnitSize(encoding);
    const std::string bytes = io_data.ConsumeRemainingBytesAsString();
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(&units[0], bytes.data(), units.size() * 2);
    const orvik_wstring text(units);
    const std::string context = "encoding " + std::to_string(encoding) + " " + Fuzz::Show(units);

    const int32_t required = converter->GetRequiredLength(text, inBytes);
    const Written full = Write(*converter, text, required + (inBytes ? unit : 1) + extra, inBytes, unit, context);
    FUZZ_CHECK(!full.truncated && full.length == required,
               context + ": with room to spare wrote " + std::to_string(full.length) + " of " + std::to_string(required));
    if (Fuzz::IsWellFormed(units))
    {
        FUZZ_CHECK(full.bytes == text.GetAsString(encoding), context + ": not the string's own encoding of it");
    }
    // What was written reads back.
    orvik_wstring back;
    converter->FromUChars(full.bytes.data(), full.length, inBytes, back);
    const orvik_wstring decoded(full.bytes.data(), static_cast<int32_t>(full.bytes.size()), encoding);
    FUZZ_CHECK(back == decoded, context + ": FromUChars differs from the string's decoding");
    if (Fuzz::IsWellFormed(units) && (encoding == ENC_UTF8 || encoding == ENC_UTF16_LE || encoding == ENC_UTF32_LE))
    {
        FUZZ_CHECK(back == text, context + ": the Unicode text does not read back");
    }

    // A smaller room: whole characters, a prefix of the text, truncation reported.
    // A room below one code unit counts as truncation, even for empty text.
    const int32_t room = std::min(cut, required + (inBytes ? unit : 1));
    const Written part = Write(*converter, text, room, inBytes, unit, context);
    FUZZ_CHECK(room * (inBytes ? 1 : unit) < unit ? part.truncated : part.truncated == (part.length != required),
               context + ": truncation flag " + std::to_string(part.truncated) + " with " + std::to_string(part.length) + " of "
                   + std::to_string(required));
    const orvik_wstring partText(part.bytes.data(), static_cast<int32_t>(part.bytes.size()), encoding);
    FUZZ_CHECK(decoded.StartsWith(partText) || partText.GetLength() == 0, context + ": the cut text is not a prefix of the whole");

    // ANSI text of any bytes: measured generously, decoded as the string class decodes it.
    for (bool withTerminator : {false, true})
    {
        const std::unique_ptr<char[]> ansi = Fuzz::ExactCopy(bytes);
        const int64_t most = converter->GetNtsLength(ansi.get(), static_cast<int32_t>(bytes.size()), inBytes, withTerminator);
        orvik_wstring fromAnsi;
        converter->FromBytes(ansi.get(), static_cast<int32_t>(bytes.size()), fromAnsi);
        FUZZ_CHECK(fromAnsi == orvik_wstring(bytes.data(), static_cast<int32_t>(bytes.size())), context + ": FromBytes differs");
        const int64_t needed = converter->GetRequiredLength(fromAnsi, inBytes) + (withTerminator ? (inBytes ? unit : 1) : 0);
        FUZZ_CHECK(most >= needed, context + ": ANSI text measured as " + std::to_string(most) + " needs " + std::to_string(needed));
    }
}

/// The text validator against the reference: whole, in pieces, after a reset, with what it says
/// about a character left unfinished; and where UTF-8 text can be cut.
void CheckValidator(FuzzedDataProvider& io_data)
{
    const EncodingType encoding = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const bool fromText = io_data.ConsumeBool();
    const uint8_t flip = io_data.ConsumeIntegral<uint8_t>();
    const size_t room = io_data.ConsumeIntegralInRange<size_t>(0, 80);
    std::vector<size_t> cuts;
    for (int i = io_data.ConsumeIntegralInRange<int>(0, 6); i > 0; --i)
    {
        cuts.push_back(io_data.ConsumeIntegralInRange<size_t>(0, 24));
    }
    std::string bytes = io_data.ConsumeRemainingBytesAsString();
    if (fromText)
    {
        // Valid text of the encoding, mostly: the bytes as UTF-16 written in it, one byte then
        // changed unless the choice falls beyond the text.
        std::u16string text(bytes.size() / 2, u'\0');
        std::memcpy(&text[0], bytes.data(), text.size() * 2);
        bytes = orvik_wstring(text).GetAsString(encoding);
        if (flip < bytes.size())
        {
            bytes[flip] = static_cast<char>(bytes[flip] ^ 0x80);
        }
    }
    const std::string context = "encoding " + std::to_string(encoding) + " " + Fuzz::Show(bytes);
    if (ReferenceDecoder(encoding) == nullptr && encoding != ENC_UTF8)
    {
        try
        {
            TextValidator validator(encoding);
            Fuzz::Fail("a refusal", __FILE__, __LINE__, context + ": a validator without ICU's decoder");
        }
        catch (const ErrorException& e)
        {
            FUZZ_CHECK(Fuzz::KeyOf(e) == "ICUCreateUConverterErr", context + " raised " + Fuzz::KeyOf(e));
        }
        return;
    }
    const size_t bad = ReferenceBad(bytes, encoding);
    const std::unique_ptr<char[]> whole = Fuzz::ExactCopy(bytes);
    const uint64_t found = TextValidator::FindMalformed(whole.get(), bytes.size(), encoding);
    FUZZ_CHECK(found == (bad == NOWHERE ? TextValidator::VALID : bad), context + ": " + ShowOffset(found) + ", expected " + ShowOffset(bad));

    // In pieces, each from a block of its own size; twice, the second time after a reset.
    const std::vector<std::string> pieces = Cut(bytes, cuts);
    TextValidator validator(encoding);
    for (int round = 0; round < 2; ++round)
    {
        validator.Reset();
        uint64_t verdict = TextValidator::VALID;
        std::string checked;
        for (const std::string& piece : pieces)
        {
            const std::unique_ptr<char[]> exact = Fuzz::ExactCopy(piece);
            verdict = validator.Check(exact.get(), piece.size());
            if (verdict != TextValidator::VALID)
            {
                break;
            }
            checked += piece;
            // Valid so far: the text checked is whole, or ends inside a character.
            const bool isCut = ReferenceBad(checked, encoding) != NOWHERE;
            FUZZ_CHECK(validator.IsInsideCharacter() == isCut,
                       context + ": after " + std::to_string(checked.size()) + " bytes inside a character " + std::to_string(!isCut));
        }
        if (verdict == TextValidator::VALID)
        {
            verdict = validator.Finish();
        }
        FUZZ_CHECK(bad == NOWHERE ? verdict == TextValidator::VALID : verdict != TextValidator::VALID && IsNear(verdict, bad, encoding, cuts),
                   context + " in pieces: " + ShowOffset(verdict) + ", expected " + ShowOffset(bad));
    }

    // Where UTF-8 can be cut, valid or not: within the room and short of it only by the bytes of
    // a character that the room cuts, whose lead is then the first byte left out; valid text at
    // its longest valid start within the room.
    if (encoding == ENC_UTF8)
    {
        const size_t most = std::min(room, bytes.size());
        const size_t fits = EndOfWholeUtf8Characters(whole.get(), most);
        const std::string cut = context + ": cut at " + std::to_string(fits) + " of " + std::to_string(most);
        const auto lead = static_cast<unsigned char>(fits < most ? bytes[fits] : 0);
        const size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        bool isCharacterCut = lead >= 0xC2 && lead <= 0xF4 && most - fits < announced;
        for (size_t i = fits + 1; i < most; ++i)
        {
            isCharacterCut = isCharacterCut && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80;
        }
        FUZZ_CHECK(fits == most || isCharacterCut, cut + ", not before a cut character");
        if (bad == NOWHERE)
        {
            FUZZ_CHECK(ReferenceBad(bytes.substr(0, fits), encoding) == NOWHERE, cut + ", inside a character");
            for (size_t longer = fits + 1; longer <= most; ++longer)
            {
                FUZZ_CHECK(ReferenceBad(bytes.substr(0, longer), encoding) != NOWHERE,
                           cut + ", where " + std::to_string(longer) + " is whole");
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    if (in_data[0] & 2)
    {
        CheckValidator(data);
    }
    else if (in_data[0] & 1)
    {
        CheckDriverManager(data);
    }
    else
    {
        CheckStreaming(data);
    }
    return 0;
}
