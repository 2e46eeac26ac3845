// Encoding converters over every pair of the encoding table: the streaming converter gives the
// same text whether the source comes whole or in pieces and whatever the size of the targets,
// which hold whole characters and a terminator when asked; the driver manager's converter writes
// within exact-size buffers, reports truncation as the required length says, keeps a prefix of
// the text when it cuts, measures ANSI text generously enough, and reads back what it wrote.

#include "FuzzSupport.h"

#include "Support/DriverManagerStringConverter.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/EncodingInfo.h"
#include "Support/PlatformStringConverter.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

constexpr uint8_t UNTOUCHED = 0xCC;

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

void CheckStreaming(FuzzedDataProvider& io_data)
{
    const EncodingType source = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const EncodingType target = io_data.ConsumeIntegralInRange<EncodingType>(0, ENCODING_COUNT - 1);
    const bool terminate = io_data.ConsumeBool();
    const bool fromText = io_data.ConsumeBool();
    const int32_t terminator = terminate ? EncodingInfo::GetCodeUnitSize(target) : 0;
    // Terminated targets must hold the largest character, its shifts and a terminator.
    const int32_t smallest = terminate ? 16 : 1;
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

    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t cut : cuts)
    {
        const size_t length = std::min(cut, bytes.size() - start);
        pieces.push_back(bytes.substr(start, length));
        start += length;
    }
    pieces.push_back(bytes.substr(start));
    std::unique_ptr<EncodingConverter> streamed = factory.CreateConverter(source, target, terminate);
    const std::string inPieces = Stream(*streamed, pieces, sizes, terminator, context);
    FUZZ_CHECK(inPieces == once, context + ": in pieces " + Fuzz::Show(inPieces) + ", at once " + Fuzz::Show(once));

    // The converter starts over on unrelated text after a reset.
    streamed->ResetPartial();
    FUZZ_CHECK(Stream(*streamed, {bytes}, {static_cast<int32_t>(bytes.size() * 8 + 64)}, terminator, context) == once,
               context + ": differs after a reset");
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    if (in_data[0] & 1)
    {
        CheckDriverManager(data);
    }
    else
    {
        CheckStreaming(data);
    }
    return 0;
}
