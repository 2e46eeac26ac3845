// Converts a million values through each main family of conversion kernels and through the
// plainest C++ that does the same work, and prints cells per second for both and their ratio.
// The common column types also run through the single-value converters that value-by-value
// fetching uses: a value holder filled per row, converted into the row's application buffer.
// Then a column of 100,000 values per main family goes through its bulk converter in one call,
// in either source layout, beside the single-value converter doing the same rows.
// Build with -DCMAKE_BUILD_TYPE=Release -DPELTA_BENCH=ON and run build/.../Bench/KernelBenchmark.

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/BulkWarningListener.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlToCKernelTable.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/WarningListener.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <unicode/ucnv.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

constexpr size_t CELLS = 1000000;
/// The columns' values are converted into a ring of target buffers, as a fetch fills a rowset.
constexpr size_t RING = 1024;
constexpr size_t TARGET_SIZE = 64;
constexpr int ROUNDS = 5;

/// Counts results without keeping them, as a bulk converter's listener does.
class CountingListener : public WarningListener
{
public:
    void PostWarning(const ConversionResult&) override { ++m_count; }
    size_t m_count = 0;
};

/// Texts back to back, with the offset where each begins and one past the last.
struct TextColumn
{
    std::string text;
    std::vector<uint32_t> offsets;

    void Add(const std::string& in_value)
    {
        offsets.push_back(static_cast<uint32_t>(text.size()));
        text += in_value;
    }
    const char* Begin(size_t in_index) const { return text.data() + offsets[in_index]; }
    uint32_t Length(size_t in_index) const { return offsets[in_index + 1] - offsets[in_index]; }
};

/// The fixed-size source values and the text values of one run.
struct Inputs
{
    /// Integers and doubles as a database sends them in text columns.
    TextColumn integerTexts;
    TextColumn doubleTexts;
    std::vector<TDWTimestampValue> timestamps;
    /// Exact numerics of scale 2, and the same values as integers of hundredths.
    std::vector<TDWNumeric> numerics;
    std::vector<int64_t> hundredths;
    std::vector<int64_t> bigints;
    std::vector<int32_t> integers;
    std::vector<double> doubles;
    /// CELLS texts of 20 characters each, some of them two-byte characters, back to back.
    std::string texts;
    std::vector<uint32_t> textOffsets;
};

Inputs MakeInputs()
{
    Inputs inputs;
    uint64_t seed = 88172645463325252ull;
    const auto next = [&seed]() {
        seed ^= seed << 13;
        seed ^= seed >> 7;
        seed ^= seed << 17;
        return seed;
    };
    // Every fourth character or so takes two bytes in UTF-8.
    const char* const characters[] = {"k", "\xC3\xA9", "t", "r", "\xC3\xBC", "n", "m", "s"};
    for (size_t i = 0; i < CELLS; ++i)
    {
        const uint64_t r = next();
        inputs.bigints.push_back(static_cast<int32_t>(r));
        inputs.integers.push_back(static_cast<int32_t>(r >> 16));
        inputs.doubles.push_back(static_cast<double>(static_cast<int64_t>(r % 2000000000) - 1000000000) / 997.0);
        inputs.textOffsets.push_back(static_cast<uint32_t>(inputs.texts.size()));
        for (int character = 0; character < 20; ++character)
        {
            inputs.texts += characters[next() % 8];
        }
        char text[64];
        inputs.integerTexts.Add(std::to_string(inputs.integers[i]));
        std::snprintf(text, sizeof(text), "%.10g", inputs.doubles[i]);
        inputs.doubleTexts.Add(text);
        TDWTimestampValue timestamp;
        timestamp.m_year = static_cast<int16_t>(1900 + r % 200);
        timestamp.m_month = static_cast<uint16_t>(1 + (r >> 8) % 12);
        timestamp.m_day = static_cast<uint16_t>(1 + (r >> 12) % 28);
        timestamp.m_hour = static_cast<uint16_t>((r >> 17) % 24);
        timestamp.m_minute = static_cast<uint16_t>((r >> 22) % 60);
        timestamp.m_second = static_cast<uint16_t>((r >> 28) % 60);
        timestamp.m_fraction = static_cast<uint32_t>((r >> 34) % 1000000) * 1000;
        inputs.timestamps.push_back(timestamp);
        const int64_t hundredths = static_cast<int64_t>(r % 2000000000) - 1000000000;
        const uint64_t magnitude = static_cast<uint64_t>(hundredths < 0 ? -hundredths : hundredths);
        std::snprintf(text, sizeof(text), "%s%llu.%02llu", hundredths < 0 ? "-" : "",
                      static_cast<unsigned long long>(magnitude / 100), static_cast<unsigned long long>(magnitude % 100));
        inputs.numerics.emplace_back(text, true);
        inputs.hundredths.push_back(hundredths);
    }
    inputs.textOffsets.push_back(static_cast<uint32_t>(inputs.texts.size()));
    inputs.integerTexts.offsets.push_back(static_cast<uint32_t>(inputs.integerTexts.text.size()));
    inputs.doubleTexts.offsets.push_back(static_cast<uint32_t>(inputs.doubleTexts.text.size()));
    return inputs;
}

/// One column of a result bound to the ring through the converter that the registry makes for
/// it, as value-by-value fetching holds it: per row the value holder is filled and converted into
/// the row's buffer.
class ConverterColumn
{
public:
    ConverterColumn(const SqlConverterFactory& in_registry,
                    int16_t in_sqlType,
                    bool in_isUnsigned,
                    int16_t in_cType,
                    int16_t in_precision = -1,
                    uint64_t in_octetLength = TARGET_SIZE)
        : m_metadata(SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(in_sqlType, in_isUnsigned, 0)),
          m_target(SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(in_cType))
    {
        if (in_precision >= 0)
        {
            m_metadata->SetPrecision(in_precision);
        }
        m_value = SqlDataFactory().CreateNewSqlData(*m_metadata);
        m_target.GetMetadata().SetOctetLength(in_octetLength);
        m_converter = in_registry.CreateNewSqlToCConverter(*m_value, m_target.GetMetadata(), nullptr);
    }

    /// Converts in_rowCount values, row i's in_row(i) (begin and length), each into its own
    /// element of in_elementLength bytes, as value-by-value fetching fills a bound rowset.
    template <typename Row>
    uint64_t RunRows(size_t in_rowCount, Row in_row, char* io_target, int64_t in_elementLength)
    {
        uint64_t sum = 0;
        for (size_t i = 0; i < in_rowCount; ++i)
        {
            const std::pair<const char*, int64_t> value = in_row(i);
            m_value->SetLength(static_cast<uint32_t>(value.second));
            std::memcpy(m_value->GetBuffer(), value.first, static_cast<size_t>(value.second));
            m_target.SetData(io_target + i * in_elementLength);
            const std::unique_ptr<ConversionResult> result = m_converter->Convert(*m_value, m_target);
            sum += static_cast<uint64_t>(m_target.GetOutputLength()) + (result != nullptr ? 1 : 0);
        }
        return sum;
    }

    SqlTypeMetadata& Metadata() { return *m_metadata; }
    SqlCTypeMetadata& Binding() { return m_target.GetMetadata(); }

    /// Converts every value of in_values.
    template <typename T>
    uint64_t Run(const std::vector<T>& in_values, char* io_ring)
    {
        uint64_t sum = 0;
        for (size_t i = 0; i < CELLS; ++i)
        {
            std::memcpy(m_value->GetBuffer(), &in_values[i], sizeof(T));
            sum += ConvertRow(i, io_ring);
        }
        return sum + static_cast<unsigned char>(io_ring[0]);
    }

    /// Converts every text that in_text (row -> begin and length) gives.
    template <typename Text>
    uint64_t RunText(Text in_text, char* io_ring)
    {
        uint64_t sum = 0;
        for (size_t i = 0; i < CELLS; ++i)
        {
            const std::pair<const char*, uint32_t> text = in_text(i);
            m_value->SetLength(text.second);
            std::memcpy(m_value->GetBuffer(), text.first, text.second);
            sum += ConvertRow(i, io_ring);
        }
        return sum + static_cast<unsigned char>(io_ring[0]);
    }

private:
    uint64_t ConvertRow(size_t in_row, char* io_ring)
    {
        m_target.SetData(io_ring + (in_row % RING) * TARGET_SIZE);
        const std::unique_ptr<ConversionResult> result = m_converter->Convert(*m_value, m_target);
        return static_cast<uint64_t>(m_target.GetOutputLength()) + (result != nullptr ? 1 : 0);
    }

    std::unique_ptr<SqlTypeMetadata> m_metadata;
    std::unique_ptr<SqlData> m_value;
    Orvik::ODBC::CDataWrapper m_target;
    std::unique_ptr<ISqlToCConverter> m_converter;
};

struct Family
{
    const char* name;
    std::function<uint64_t(char* ring)> kernel;
    std::function<uint64_t(char* ring)> plain;
    /// The same values through a single-value converter; empty for the families not measured so.
    std::function<uint64_t(char* ring)> converter = {};
};

/// Runs one family's work and returns the best time of the rounds, in seconds.
double BestSeconds(const std::function<uint64_t(char* ring)>& in_work, uint64_t& io_checksum)
{
    std::vector<char> ring(RING * TARGET_SIZE);
    double best = 1e9;
    for (int round = 0; round < ROUNDS; ++round)
    {
        const auto start = std::chrono::steady_clock::now();
        io_checksum += in_work(ring.data());
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
    }
    return best;
}

/// Converts every value of in_values through in_kernel into the ring.
template <typename T>
uint64_t RunKernel(SqlToCKernel in_kernel, SqlToCKernelState& io_state, const std::vector<T>& in_values, char* io_ring)
{
    CountingListener listener;
    uint64_t sum = 0;
    for (size_t i = 0; i < CELLS; ++i)
    {
        int64_t length = TARGET_SIZE;
        in_kernel(io_state, &in_values[i], sizeof(T), io_ring + (i % RING) * TARGET_SIZE, length, listener);
        sum += static_cast<uint64_t>(length);
    }
    return sum + listener.m_count + static_cast<unsigned char>(io_ring[0]);
}

uint64_t RunTextKernel(SqlToCKernel in_kernel, SqlToCKernelState& io_state, const Inputs& in_inputs, char* io_ring)
{
    CountingListener listener;
    uint64_t sum = 0;
    for (size_t i = 0; i < CELLS; ++i)
    {
        int64_t length = TARGET_SIZE;
        const uint32_t begin = in_inputs.textOffsets[i];
        in_kernel(io_state,
                  in_inputs.texts.data() + begin,
                  in_inputs.textOffsets[i + 1] - begin,
                  io_ring + (i % RING) * TARGET_SIZE,
                  length,
                  listener);
        sum += static_cast<uint64_t>(length);
    }
    return sum + listener.m_count + static_cast<unsigned char>(io_ring[0]);
}

/// Converts every text of in_column through in_kernel into the ring.
uint64_t RunTextColumn(SqlToCKernel in_kernel, SqlToCKernelState& io_state, const TextColumn& in_column, char* io_ring)
{
    CountingListener listener;
    uint64_t sum = 0;
    for (size_t i = 0; i < CELLS; ++i)
    {
        int64_t length = TARGET_SIZE;
        in_kernel(io_state, in_column.Begin(i), in_column.Length(i), io_ring + (i % RING) * TARGET_SIZE, length, listener);
        sum += static_cast<uint64_t>(length);
    }
    return sum + listener.m_count + static_cast<unsigned char>(io_ring[0]);
}

/// Reads every text of in_column as a T with std::from_chars into the ring.
template <typename T>
uint64_t FromChars(const TextColumn& in_column, char* io_ring)
{
    uint64_t sum = 0;
    for (size_t i = 0; i < CELLS; ++i)
    {
        T value{};
        const char* begin = in_column.Begin(i);
        sum += static_cast<uint64_t>(std::from_chars(begin, begin + in_column.Length(i), value).ptr - begin);
        std::memcpy(io_ring + (i % RING) * TARGET_SIZE, &value, sizeof(T));
    }
    return sum + static_cast<unsigned char>(io_ring[0]);
}

/// Writes hundredths as decimal text with two fraction digits.
size_t WriteHundredths(int64_t in_hundredths, char* out_text)
{
    char* end = std::to_chars(out_text, out_text + 24, in_hundredths / 100).ptr;
    if (in_hundredths < 0 && in_hundredths > -100)
    {
        out_text[0] = '-';
        out_text[1] = '0';
        end = out_text + 2;
    }
    const int64_t fraction = in_hundredths < 0 ? -(in_hundredths % 100) : in_hundredths % 100;
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 10);
    *end++ = static_cast<char>('0' + fraction % 10);
    *end = '\0';
    return static_cast<size_t>(end - out_text);
}

constexpr size_t BULK_ROWS = 100000;

/// Counts results and keeps the row counter, as a bulk column's listener does.
class CountingBulkListener : public BulkWarningListener
{
public:
    void PostWarning(const ConversionResult&) override { ++m_count; }
    int64_t* GetRowCounter() override { return &m_counter; }
    void SetRowCounter(int64_t in_row) override { m_counter = in_row; }
    size_t m_count = 0;
    int64_t m_counter = 1;
};

/// A column of BULK_ROWS values as a result that fetches in bulk holds it: the values in_stride
/// bytes apart with their lengths beside them, and the same values as an array of pointers.
class BulkBenchColumn
{
public:
    BulkBenchColumn(size_t in_stride, const std::function<std::string(size_t)>& in_value)
        : m_stride(in_stride), m_data(BULK_ROWS * in_stride), m_lengths(BULK_ROWS)
    {
        for (size_t i = 0; i < BULK_ROWS; ++i)
        {
            const std::string value = in_value(i);
            std::memcpy(&m_data[i * in_stride], value.data(), std::min(value.size(), in_stride));
            m_lengths[i] = static_cast<int64_t>(std::min(value.size(), in_stride));
            m_entries.push_back({&m_data[i * in_stride], m_lengths[i]});
        }
    }

    BulkSqlData In(int32_t in_layout) const
    {
        BulkSqlData source;
        source.m_layout = in_layout;
        source.m_rowCount = BULK_ROWS;
        if (in_layout == BulkSqlData::LAYOUT_POINTER_ARRAY)
        {
            source.m_entries = m_entries.data();
        }
        else
        {
            source.m_strided = {m_data.data(), static_cast<int64_t>(m_stride), m_lengths.data(), sizeof(int64_t)};
        }
        return source;
    }

    std::pair<const char*, int64_t> Row(size_t in_row) const { return {&m_data[in_row * m_stride], m_lengths[in_row]}; }

private:
    size_t m_stride;
    std::vector<char> m_data;
    std::vector<int64_t> m_lengths;
    std::vector<BulkSqlData::PointerEntry> m_entries;
};

/// One pair of SQL type and C type, with the value of each row in its SQL-side layout.
struct BulkFamily
{
    const char* name;
    int16_t sqlType;
    int16_t cType;
    /// The column's precision (-1: the type's own) and the binding's buffer length.
    int16_t precision;
    int64_t bufferLength;
    size_t valueStride;
    std::function<std::string(size_t)> value;
};

template <typename T>
std::string BytesOf(const T& in_value)
{
    return std::string(reinterpret_cast<const char*>(&in_value), sizeof(T));
}

std::vector<BulkFamily> MakeBulkFamilies(const Inputs& in_inputs)
{
    const auto text = [&in_inputs](size_t in_row) {
        const uint32_t begin = in_inputs.textOffsets[in_row];
        return in_inputs.texts.substr(begin, in_inputs.textOffsets[in_row + 1] - begin);
    };
    const auto wideInteger = [&in_inputs](size_t in_row) {
        std::string wide;
        for (char c : std::to_string(in_inputs.integers[in_row]))
        {
            wide += c;
            wide += '\0';
        }
        return wide;
    };
    const auto guid = [&in_inputs](size_t in_row) {
        TDWGuidValue value;
        const uint64_t bits = static_cast<uint64_t>(in_inputs.bigints[in_row]);
        value.m_data1 = static_cast<uint32_t>(bits);
        value.m_data2 = static_cast<uint16_t>(bits >> 32);
        value.m_data3 = static_cast<uint16_t>(bits >> 48);
        std::memcpy(value.m_data4, &in_inputs.doubles[in_row], sizeof(value.m_data4));
        value.m_isValid = true;
        return BytesOf(value);
    };
    const auto daySecond = [&in_inputs](size_t in_row) {
        const uint32_t bits = static_cast<uint32_t>(in_inputs.integers[in_row]);
        TDWDaySecondInterval value;
        value.m_day = bits % 100000;
        value.m_hour = bits % 24;
        value.m_minute = bits % 60;
        value.m_second = (bits >> 8) % 60;
        value.m_fraction = bits % 1000000;
        value.m_isNegative = in_inputs.integers[in_row] < 0;
        return BytesOf(value);
    };
    return {
        {"INTEGER to SLONG", SQL_INTEGER, SQL_C_SLONG, -1, 4, 4,
         [&in_inputs](size_t i) { return BytesOf(in_inputs.integers[i]); }},
        {"BIGINT to SLONG", SQL_BIGINT, SQL_C_SLONG, -1, 4, 8,
         [&in_inputs](size_t i) { return BytesOf(in_inputs.bigints[i]); }},
        {"BIGINT to CHAR", SQL_BIGINT, SQL_C_CHAR, -1, 24, 8,
         [&in_inputs](size_t i) { return BytesOf(in_inputs.bigints[i]); }},
        {"DOUBLE to DOUBLE", SQL_DOUBLE, SQL_C_DOUBLE, -1, 8, 8,
         [&in_inputs](size_t i) { return BytesOf(in_inputs.doubles[i]); }},
        {"DOUBLE to CHAR", SQL_DOUBLE, SQL_C_CHAR, -1, 32, 8,
         [&in_inputs](size_t i) { return BytesOf(in_inputs.doubles[i]); }},
        {"NUMERIC scale 2 to CHAR", SQL_NUMERIC, SQL_C_CHAR, 12, 24, sizeof(TDWNumeric),
         [&in_inputs](size_t i) { return BytesOf(in_inputs.numerics[i]); }},
        {"TIMESTAMP(6) to CHAR", SQL_TYPE_TIMESTAMP, SQL_C_CHAR, 6, 32, sizeof(TDWTimestampValue),
         [&in_inputs](size_t i) { return BytesOf(in_inputs.timestamps[i]); }},
        {"TIMESTAMP(6) to TIMESTAMP_STRUCT", SQL_TYPE_TIMESTAMP, SQL_C_TYPE_TIMESTAMP, 6, 16,
         sizeof(TDWTimestampValue), [&in_inputs](size_t i) { return BytesOf(in_inputs.timestamps[i]); }},
        {"GUID to CHAR", SQL_GUID, SQL_C_CHAR, -1, 40, sizeof(TDWGuidValue), guid},
        {"DAY TO SECOND(6) to CHAR", SQL_INTERVAL_DAY_TO_SECOND, SQL_C_CHAR, 6, 32, sizeof(TDWDaySecondInterval),
         daySecond},
        {"UTF-8 text to CHAR (UTF-8)", SQL_VARCHAR, SQL_C_CHAR, -1, TARGET_SIZE, 48, text},
        {"UTF-8 text to WCHAR (UTF-16)", SQL_VARCHAR, SQL_C_WCHAR, -1, TARGET_SIZE, 48, text},
        {"UTF-16 integer text to SLONG", SQL_WVARCHAR, SQL_C_SLONG, -1, 4, 24, wideInteger},
    };
}

/// Times the bulk converter of one family on its column in one layout: one call per round.
double BestBulkSeconds(ISqlToCBulkConverter& io_converter,
                       const BulkSqlData& in_source,
                       std::vector<char>& io_target,
                       int64_t in_elementLength,
                       uint64_t& io_checksum)
{
    std::vector<int64_t> slots(BULK_ROWS);
    double best = 1e9;
    for (int round = 0; round < ROUNDS; ++round)
    {
        CountingBulkListener listener;
        const auto start = std::chrono::steady_clock::now();
        const uint64_t rows = io_converter.Convert(
            in_source, io_target.data(), in_elementLength, in_elementLength, slots.data(), sizeof(int64_t), listener);
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count());
        io_checksum += rows + listener.m_count + static_cast<uint64_t>(slots[BULK_ROWS - 1]);
    }
    return best;
}

/// Each family's column through its bulk converter in one call per layout, and the same rows
/// through its single-value converter, all into one rowset-sized target.
void RunBulkFamilies(const Inputs& in_inputs, const SqlConverterFactory& in_registry, uint64_t& io_checksum)
{
    std::printf("\n%-34s %18s %18s %18s %12s\n",
                "family (100,000 rows, one call)",
                "bulk strided ns",
                "bulk pointers ns",
                "single-value ns",
                "single/bulk");
    SqlToCBulkConverterFactory factory(nullptr);
    for (const BulkFamily& family : MakeBulkFamilies(in_inputs))
    {
        const BulkBenchColumn column(family.valueStride, family.value);
        ConverterColumn single(in_registry, family.sqlType, false, family.cType, family.precision,
                               static_cast<uint64_t>(family.bufferLength));
        const std::unique_ptr<ISqlToCBulkConverter> bulk = factory.CreateConverter(single.Metadata(), single.Binding());
        if (bulk == nullptr)
        {
            std::printf("%-34s no bulk converter\n", family.name);
            continue;
        }
        std::vector<char> target(BULK_ROWS * static_cast<size_t>(family.bufferLength));
        const double strided =
            BestBulkSeconds(*bulk, column.In(BulkSqlData::LAYOUT_STRIDED), target, family.bufferLength, io_checksum);
        const double pointers = BestBulkSeconds(
            *bulk, column.In(BulkSqlData::LAYOUT_POINTER_ARRAY), target, family.bufferLength, io_checksum);
        double singleSeconds = 1e9;
        for (int round = 0; round < ROUNDS; ++round)
        {
            const auto start = std::chrono::steady_clock::now();
            io_checksum += single.RunRows(BULK_ROWS, [&column](size_t i) { return column.Row(i); }, target.data(),
                                          family.bufferLength);
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
            singleSeconds = std::min(singleSeconds, elapsed.count());
        }
        const double perRow = 1e9 / BULK_ROWS;
        std::printf("%-34s %18.2f %18.2f %18.2f %12.2f\n", family.name, strided * perRow, pointers * perRow,
                    singleSeconds * perRow, singleSeconds / strided);
    }
}

} // namespace

int main()
{
    orvik_wstring::InitializeAnsiEncoding(ENC_UTF8);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    orvik_wstring::SetDatabaseCharEncoding(ENC_UTF8);
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
    const Inputs inputs = MakeInputs();
    const auto registry = std::make_unique<SqlConverterFactory>();
    const auto utf8Text = [&inputs](size_t in_row) {
        const uint32_t begin = inputs.textOffsets[in_row];
        return std::pair<const char*, uint32_t>(inputs.texts.data() + begin, inputs.textOffsets[in_row + 1] - begin);
    };
    SqlToCKernelState plainState;
    SqlToCKernelState utf8State;
    utf8State.m_sourceEncoding = ENC_UTF8;
    utf8State.m_targetEncoding = ENC_UTF8;
    SqlToCKernelState wideState;
    wideState.m_sourceEncoding = ENC_UTF8;
    wideState.m_targetEncoding = ENC_UTF16_LE;

    SqlToCKernelState timestampState;
    timestampState.m_sourceFractionalPrecision = 6;
    timestampState.m_targetFractionalPrecision = 6;

    UErrorCode status = U_ZERO_ERROR;
    UConverter* icu = ucnv_open("UTF-8", &status);
    if (U_FAILURE(status))
    {
        std::fprintf(stderr, "ICU cannot open UTF-8: %s\n", u_errorName(status));
        return 1;
    }

    const Family families[] = {
        {"SBIGINT to SLONG",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_SBIGINT, TDW_C_SLONG), plainState, inputs.bigints, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 const int32_t value = static_cast<int32_t>(inputs.bigints[i]);
                 std::memcpy(ring + (i % RING) * TARGET_SIZE, &value, sizeof(value));
                 sum += sizeof(value);
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_BIGINT, false, SQL_C_SLONG).Run(inputs.bigints, ring);
         }},
        {"DOUBLE to DOUBLE",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_DOUBLE, TDW_C_DOUBLE), plainState, inputs.doubles, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 std::memcpy(ring + (i % RING) * TARGET_SIZE, &inputs.doubles[i], sizeof(double));
                 sum += sizeof(double);
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_DOUBLE, false, SQL_C_DOUBLE).Run(inputs.doubles, ring);
         }},
        {"DOUBLE to CHAR",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_DOUBLE, TDW_C_CHAR), plainState, inputs.doubles, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 sum += static_cast<uint64_t>(
                     std::snprintf(ring + (i % RING) * TARGET_SIZE, TARGET_SIZE, "%.15g", inputs.doubles[i]));
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_DOUBLE, false, SQL_C_CHAR).Run(inputs.doubles, ring);
         }},
        {"SINTEGER to CHAR",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_SINTEGER, TDW_C_CHAR), plainState, inputs.integers, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 char* target = ring + (i % RING) * TARGET_SIZE;
                 char* end = std::to_chars(target, target + TARGET_SIZE - 1, inputs.integers[i]).ptr;
                 *end = '\0';
                 sum += static_cast<uint64_t>(end - target);
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_INTEGER, false, SQL_C_CHAR).Run(inputs.integers, ring);
         }},
        {"UTF-8 text to CHAR (UTF-8)",
         [&](char* ring) {
             return RunTextKernel(
                 SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_CHAR, ENC_UTF8, ENC_UTF8), utf8State, inputs, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 const uint32_t begin = inputs.textOffsets[i];
                 const uint32_t length = inputs.textOffsets[i + 1] - begin;
                 char* target = ring + (i % RING) * TARGET_SIZE;
                 std::memcpy(target, inputs.texts.data() + begin, length);
                 target[length] = '\0';
                 sum += length;
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_VARCHAR, false, SQL_C_CHAR).RunText(utf8Text, ring);
         }},
        {"UTF-8 text to WCHAR (UTF-16)",
         [&](char* ring) {
             return RunTextKernel(
                 SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_WCHAR, ENC_UTF8, ENC_UTF16_LE), wideState, inputs, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 const uint32_t begin = inputs.textOffsets[i];
                 UErrorCode error = U_ZERO_ERROR;
                 sum += static_cast<uint64_t>(ucnv_toUChars(icu,
                                                            reinterpret_cast<UChar*>(ring + (i % RING) * TARGET_SIZE),
                                                            TARGET_SIZE / 2,
                                                            inputs.texts.data() + begin,
                                                            static_cast<int32_t>(inputs.textOffsets[i + 1] - begin),
                                                            &error));
             }
             return sum + static_cast<unsigned char>(ring[0]);
         },
         [&](char* ring) {
             return ConverterColumn(*registry, SQL_VARCHAR, false, SQL_C_WCHAR).RunText(utf8Text, ring);
         }},
        {"VARCHAR integer text to SLONG",
         [&](char* ring) {
             return RunTextColumn(SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_SLONG), plainState, inputs.integerTexts, ring);
         },
         [&](char* ring) { return FromChars<int32_t>(inputs.integerTexts, ring); }},
        {"VARCHAR number text to DOUBLE",
         [&](char* ring) {
             return RunTextColumn(SqlToCKernelTable::Find(TDW_SQL_VARCHAR, TDW_C_DOUBLE), plainState, inputs.doubleTexts, ring);
         },
         [&](char* ring) { return FromChars<double>(inputs.doubleTexts, ring); }},
        {"TIMESTAMP to CHAR",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_TYPE_TIMESTAMP, TDW_C_CHAR), timestampState, inputs.timestamps, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 const TDWTimestampValue& t = inputs.timestamps[i];
                 sum += static_cast<uint64_t>(std::snprintf(ring + (i % RING) * TARGET_SIZE, TARGET_SIZE,
                                                            "%04d-%02u-%02u %02u:%02u:%02u.%06u", t.m_year, t.m_month,
                                                            t.m_day, t.m_hour, t.m_minute, t.m_second,
                                                            t.m_fraction / 1000));
             }
             return sum + static_cast<unsigned char>(ring[0]);
         }},
        {"TIMESTAMP to TIMESTAMP_STRUCT",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP), timestampState,
                              inputs.timestamps, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 std::memcpy(ring + (i % RING) * TARGET_SIZE, &inputs.timestamps[i], sizeof(TDWTimestampValue));
                 sum += sizeof(TDWTimestampValue);
             }
             return sum + static_cast<unsigned char>(ring[0]);
         }},
        {"NUMERIC scale 2 to CHAR",
         [&](char* ring) {
             return RunKernel(SqlToCKernelTable::Find(TDW_SQL_NUMERIC, TDW_C_CHAR), plainState, inputs.numerics, ring);
         },
         [&](char* ring) {
             uint64_t sum = 0;
             for (size_t i = 0; i < CELLS; ++i)
             {
                 sum += WriteHundredths(inputs.hundredths[i], ring + (i % RING) * TARGET_SIZE);
             }
             return sum + static_cast<unsigned char>(ring[0]);
         }},
    };

    uint64_t checksum = 0;
    std::printf("%-32s %16s %16s %8s %18s %10s\n",
                "family (1,000,000 cells)",
                "kernel cells/s",
                "plain cells/s",
                "ratio",
                "converter cells/s",
                "over kernel");
    for (const Family& family : families)
    {
        const double kernelSeconds = BestSeconds(family.kernel, checksum);
        const double plainSeconds = BestSeconds(family.plain, checksum);
        std::printf("%-32s %16.0f %16.0f %8.2f", family.name, CELLS / kernelSeconds, CELLS / plainSeconds,
                    kernelSeconds / plainSeconds);
        if (family.converter)
        {
            const double converterSeconds = BestSeconds(family.converter, checksum);
            std::printf(" %18.0f %10.2f", CELLS / converterSeconds, converterSeconds / kernelSeconds);
        }
        std::printf("\n");
    }
    std::printf("(ratio: kernel time over plain time; over kernel: converter time over kernel time)\n");
    RunBulkFamilies(inputs, *registry, checksum);
    std::printf("(ns per row, best of %d rounds; single/bulk: single-value time over bulk strided time; "
                "checksum %llu)\n",
                ROUNDS,
                static_cast<unsigned long long>(checksum));
    ucnv_close(icu);
    return 0;
}
