// Convert's choice by layout: the two row loops, the driver-defined layouts that the one default
// of ConvertCustom refuses, and the layouts refused outright; a refusal changes nothing.

#include "BulkTestSupport.h"

#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlToCBulkCharCopyConverter.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlToCBulkTranscodingConverter.h"

#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

const char* const HEADER = "Include/Support/TypedDataWrapper/SqlToCBulkConverter.h";

/// The converters whose refusals must be alike: a pair's converter from the factory, a copy
/// converter and a transcoding converter, all from character columns.
struct Converters
{
    Converters()
        : column(SqlMetadataOf(TDW_SQL_VARCHAR)),
          toSlong(CMetadataOf(TDW_C_SLONG)),
          toWchar(CMetadataOf(TDW_C_WCHAR)),
          factory(nullptr)
    {
        toWchar->SetOctetLength(16);
    }

    std::unique_ptr<SqlTypeMetadata> column;
    std::unique_ptr<SqlCTypeMetadata> toSlong;
    std::unique_ptr<SqlCTypeMetadata> toWchar;
    SqlToCBulkConverterFactory factory;
};

/// Calls Convert with in_layout on a column of two values and expects in_Exception; the target,
/// the slots and the row counter must be as they were.
template <class Exception>
RaisedError Refuse(ISqlToCBulkConverter& io_converter, uint32_t in_layout, size_t in_rows = 2)
{
    const SourceColumn column(std::vector<BulkValue>(in_rows, std::string("12")));
    BulkTarget target(in_rows, 8, 8);
    RecordingBulkListener listener(7);
    const RaisedError error = Capture<Exception>([&] {
        io_converter.Convert(column.In(static_cast<int32_t>(in_layout)), target.Target(), 8, 8, target.Slots(), 8,
                             listener);
    });
    EXPECT_TRUE(target.Untouched() && target.Clean()) << "layout " << in_layout;
    EXPECT_EQ(7, listener.m_counter) << "layout " << in_layout;
    EXPECT_EQ(0, listener.m_counterReads) << "layout " << in_layout;
    EXPECT_EQ("", listener.m_posted);
    return error;
}

void ExpectRefusal(const RaisedError& in_error, const char* in_key, const Parameters& in_parameters)
{
    EXPECT_EQ(in_key, in_error.key);
    EXPECT_EQ(DIAG_GENERAL_ERROR, in_error.diagState);
    EXPECT_EQ(3, in_error.componentId);
    EXPECT_EQ(-1, in_error.rowNumber);
    EXPECT_EQ(-1, in_error.columnNumber);
    EXPECT_EQ(in_parameters, in_error.parameters);
}

/// A converter that takes driver-defined layouts itself, to show which layouts reach it.
class CustomLayoutConverter : public SqlToCBulkConverter<>
{
public:
    CustomLayoutConverter() : SqlToCBulkConverter<>(nullptr, SqlToCKernelState()) {}

    uint64_t ConvertCustom(const BulkSqlData& in_source, void*, int64_t, int64_t, int64_t*, int64_t, BulkWarningListener&)
        override
    {
        m_layouts.push_back(static_cast<uint32_t>(in_source.m_layout));
        return 99;
    }

    std::vector<uint32_t> m_layouts;
};

} // namespace

TEST(BulkDispatchTest, LayoutsOutsideTheKnownOnesAreRefusedWithoutTouchingAnything)
{
    Converters converters;
    std::unique_ptr<ISqlToCBulkConverter> pair = converters.factory.CreateConverter(*converters.column, *converters.toSlong);
    ASSERT_NE(nullptr, pair);
    for (const uint32_t layout : {0u, 3u, 0x7FFFu})
    {
        ExpectRefusal(Refuse<InvalidArgumentException>(*pair, layout), "InvalidArgument", {HEADER, "106"});
    }
    // The layout is looked at before the rows: no rows are refused alike.
    ExpectRefusal(Refuse<InvalidArgumentException>(*pair, 0, 0), "InvalidArgument", {HEADER, "106"});
    // The converter is as it was.
    EXPECT_EQ("4 0C000000 | NULL untouched", ConvertColumn(*pair, {std::string("12"), std::nullopt}, 4));
}

TEST(BulkDispatchTest, DriverDefinedLayoutsReachConvertCustomWhoseDefaultRefusesThemAlikeInEveryConverter)
{
    CustomLayoutConverter custom;
    RecordingBulkListener listener;
    const SourceColumn column({});
    for (const uint32_t layout : {0x8000u, 0xFFFFu, 0x80000000u, 0xFFFFFFFFu})
    {
        EXPECT_EQ(99u, custom.Convert(column.In(static_cast<int32_t>(layout)), nullptr, 0, 0, nullptr, 0, listener));
    }
    EXPECT_EQ((std::vector<uint32_t>{0x8000u, 0xFFFFu, 0x80000000u, 0xFFFFFFFFu}), custom.m_layouts);

    Converters converters;
    std::unique_ptr<ISqlToCBulkConverter> pair = converters.factory.CreateConverter(*converters.column, *converters.toSlong);
    SqlToCBulkCharCopyConverter<4> copy(*converters.column, *converters.toWchar);
    SqlToCBulkTranscodingConverter transcoder(*converters.column, *converters.toWchar);
    ISqlToCBulkConverter* const all[] = {pair.get(), &copy, &transcoder};
    const Parameters expected = {"SqlToCBulkConverter::ConvertCustom", HEADER, "306"};
    for (ISqlToCBulkConverter* converter : all)
    {
        for (const uint32_t layout : {0x8000u, 0x80000000u, 0xFFFFFFFFu})
        {
            ExpectRefusal(Refuse<InvalidOperationException>(*converter, layout), "InvalidOperation", expected);
        }
        ExpectRefusal(Refuse<InvalidOperationException>(*converter, 0x8000u, 0), "InvalidOperation", expected);
    }
    EXPECT_EQ(nullptr, transcoder.GetEncodingConverter()) << "a refused call converts nothing";
    EXPECT_EQ("4 0C000000", ConvertColumn(*pair, {std::string("12")}, 4));
    EXPECT_EQ("2 313200000000CDCD", ConvertColumn(copy, {std::string("12")}, 8));
}

TEST(BulkDispatchTest, TheRefusalsAreNotSupportExceptions)
{
    Converters converters;
    std::unique_ptr<ISqlToCBulkConverter> pair = converters.factory.CreateConverter(*converters.column, *converters.toSlong);
    const SourceColumn column({std::string("1")});
    RecordingBulkListener listener;
    for (const uint32_t layout : {3u, 0x8000u})
    {
        bool caughtAsSupportException = false;
        try
        {
            int64_t slot = 0;
            pair->Convert(column.In(static_cast<int32_t>(layout)), nullptr, 4, 4, &slot, 8, listener);
        }
        catch (const SupportException&)
        {
            caughtAsSupportException = true;
        }
        catch (const ErrorException&)
        {
        }
        EXPECT_FALSE(caughtAsSupportException) << "layout " << layout;
    }
}

TEST(BulkDispatchTest, TheDefaultOfConvertCustomReadsNoneOfItsArguments)
{
    // A listener whose counter must not be asked for, a source that points nowhere, no target and
    // no slots: the refusal touches none of them.
    RecordingBulkListener listener;
    BulkSqlData source;
    source.m_layout = 1;
    source.m_rowCount = 3;
    source.m_strided = {nullptr, 0, nullptr, 0};
    SqlToCBulkConverter<> converter(nullptr, SqlToCKernelState());
    ExpectRefusal(
        Capture<InvalidOperationException>([&] { converter.ConvertCustom(source, nullptr, 0, 0, nullptr, 0, listener); }),
        "InvalidOperation", {"SqlToCBulkConverter::ConvertCustom", HEADER, "306"});
    EXPECT_EQ(0, listener.m_counterReads);
}
