#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataFilterFactory.h"
#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/Catalog/IDMetadataFilter.h"
#include "DSI/Catalog/OAMetadataFilter.h"
#include "DSI/Catalog/PVMetadataFilter.h"
#include "DSI/Catalog/SmallIntMetadataFilter.h"
#include "DSI/Catalog/VLMetadataFilter.h"
#include "DSI/Client/DSITypeUtilities.h"
#include "Support/Platform.h"
#include "Support/Variant.h"
#include "Support/TypedDataWrapper/SqlData.h"

#include "CatalogTestSupport.h"
#include "DSITestSupport.h"
#include "RecordingLog.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::DSI;
using namespace Orvik::Support;
using Orvik::Testing::Outcome;
using Orvik::Testing::RecordingLog;

namespace {

constexpr bool WIDE = true;
const orvik_wstring NULL_TEXT;

/// Which of in_values (nullptr for NULL) the filter accepts, each written as a catalog source
/// writes it; rejected values are left out.
std::vector<std::string> Accepted(IMetadataFilter& io_filter, const std::vector<const char16_t*>& in_values)
{
    std::vector<std::string> accepted;
    for (const char16_t* value : in_values)
    {
        DSITypeUtilities::OutputStringData(value == nullptr ? NULL_TEXT : orvik_wstring(value), io_filter.GetSqlData(), 0, -1);
        if (io_filter.Filter())
        {
            accepted.push_back(value == nullptr ? "<null>" : orvik_wstring(value).GetAsUTF8());
        }
    }
    return accepted;
}

using Names = std::vector<std::string>;

// Filters compare encoded bytes, so each string filter is checked in both wide encodings a
// database may declare.
class StringFilterTest : public EncodingsRestored, public ::testing::WithParamInterface<EncodingType>
{
protected:
    StringFilterTest()
    {
        Orvik::Platform::InitializePlatform(false);
        orvik_wstring::SetDatabaseWCharEncoding(GetParam());
    }
    ~StringFilterTest() override { Orvik::Platform::UninitializePlatform(); }
};

} // namespace

TEST_P(StringFilterTest, AnIdentifierLosesItsQuotesOrTrailingBlanksAndIgnoresCase)
{
    IDMetadataFilter quoted(u"x\"MyTable\"y", u"\"", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_EQ("MyTable", Show(quoted.GetIdentifier()));
    EXPECT_EQ((Names{"mytable", "MYTABLE"}), Accepted(quoted, {u"mytable", u"MYTABLE", u"MyTable2", u"x\"MyTable\"y"}));

    IDMetadataFilter blanks(u"Orders \t ", u"\"", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_EQ("Orders", Show(blanks.GetIdentifier()));
    EXPECT_EQ((Names{"ORDERS"}), Accepted(blanks, {u"ORDERS", u"Orders ", u"Order"}));

    // Without a quote character nothing is unquoted; a lone quote is kept as text.
    EXPECT_EQ("\"a\"", Show(IDMetadataFilter(u"\"a\"", u"", 2, WIDE).GetIdentifier()));
    EXPECT_EQ("\"a", Show(IDMetadataFilter(u"\"a", u"\"", 2, WIDE).GetIdentifier()));

    IDMetadataFilter none(NULL_TEXT, u"\"", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_TRUE(none.GetIdentifier().IsNull());
    EXPECT_EQ((Names{"a", "<null>"}), Accepted(none, {u"a", nullptr}));

    // An empty name finds the objects that have no such name.
    IDMetadataFilter empty(u"", u"\"", DSI_TAG_TABLE_CAT, WIDE);
    EXPECT_EQ((Names{"", "<null>"}), Accepted(empty, {u"", nullptr, u"x"}));
}

TEST_P(StringFilterTest, AnOrdinaryArgumentMatchesExactly)
{
    OAMetadataFilter orders(u"orders", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_EQ((Names{"orders"}), Accepted(orders, {u"Orders", u"orders", u"orders ", u"order"}));
    // A NULL after a longer value is not read as that value.
    EXPECT_EQ((Names{}), Accepted(orders, {u"orders-and-more", nullptr}));

    EXPECT_EQ((Names{"", "<null>"}), Accepted(*std::make_unique<OAMetadataFilter>(u"", 0, WIDE), {u"", nullptr, u"x"}));
    EXPECT_EQ((Names{"Orders", "<null>"}), Accepted(*std::make_unique<OAMetadataFilter>(NULL_TEXT, 0, WIDE), {u"Orders", nullptr}));
}

TEST_P(StringFilterTest, APatternMatchesAsLikeAndSaysWhetherItIsOne)
{
    PVMetadataFilter prefix(u"ab%", u"\\", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_TRUE(prefix.IsPattern());
    EXPECT_EQ("ab%", Show(prefix.GetPattern()));
    EXPECT_EQ((Names{"ab", "abc", "ab\u00e9"}), Accepted(prefix, {u"ab", u"abc", u"ab\u00e9", u"xab", u"a", nullptr}));

    PVMetadataFilter escaped(u"a\\_c", u"\\", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_TRUE(escaped.IsPattern());
    EXPECT_EQ((Names{"a_c"}), Accepted(escaped, {u"a_c", u"abc"}));

    struct Case
    {
        const char16_t* pattern;
        const char16_t* escape;
        bool isPattern;
    };
    const Case cases[] = {{u"abc", u"\\", false}, {u"a_c", u"\\", true},   {u"a%", u"", true},
                          {u"a\\b", u"\\", true}, {u"a\\b", u"", false},  {u"a\\b", nullptr, false},
                          {u"", u"\\", false}};
    for (const Case& c : cases)
    {
        const orvik_wstring escape = c.escape == nullptr ? NULL_TEXT : orvik_wstring(c.escape);
        EXPECT_EQ(c.isPattern, PVMetadataFilter(c.pattern, escape, 2, WIDE).IsPattern()) << Show(c.pattern);
    }

    PVMetadataFilter none(NULL_TEXT, u"\\", DSI_TAG_TABLE_NAME, WIDE);
    EXPECT_FALSE(none.IsPattern());
    EXPECT_EQ((Names{"x", "<null>"}), Accepted(none, {u"x", nullptr}));

    // The empty pattern finds the objects without a name; "%" finds all of them.
    EXPECT_EQ((Names{"", "<null>"}), Accepted(*std::make_unique<PVMetadataFilter>(u"", u"\\", 1, WIDE), {u"", nullptr, u"s"}));
    EXPECT_EQ((Names{"", "<null>", "s"}), Accepted(*std::make_unique<PVMetadataFilter>(u"%", u"\\", 1, WIDE), {u"", nullptr, u"s"}));
}

TEST_P(StringFilterTest, AValueListSplitsUnquotesAndIgnoresAsciiCase)
{
    VLMetadataFilter list(u" 'TABLE', view ", u"\"", DSI_TAG_TABLE_TYPE, WIDE);
    EXPECT_EQ((Names{"TABLE", "VIEW"}), list.GetItems());
    EXPECT_EQ(" 'TABLE', view ", Show(list.GetList()));
    EXPECT_EQ((Names{"table", "View"}), Accepted(list, {u"table", u"View", u"SYSTEM TABLE", u"'TABLE'", nullptr}));

    EXPECT_EQ((Names{"SYSTEM TABLE", "A"}), VLMetadataFilter(u"\" system table \",a", u"\"", 3, WIDE).GetItems());
    EXPECT_EQ((Names{"A", "'B"}), VLMetadataFilter(u"a,'b", u"", 3, WIDE).GetItems());

    VLMetadataFilter gap(u"TABLE,,VIEW", u"\"", DSI_TAG_TABLE_TYPE, WIDE);
    EXPECT_EQ((Names{"TABLE", "", "VIEW"}), gap.GetItems());
    EXPECT_EQ((Names{"", "VIEW"}), Accepted(gap, {u"", u"VIEW", u"X"}));

    for (const orvik_wstring& everything : {orvik_wstring(u"%"), NULL_TEXT})
    {
        VLMetadataFilter all(everything, u"\"", DSI_TAG_TABLE_TYPE, WIDE);
        EXPECT_TRUE(all.GetItems().empty());
        EXPECT_EQ((Names{"x", "<null>"}), Accepted(all, {u"x", nullptr}));
    }
}

INSTANTIATE_TEST_SUITE_P(Encodings, StringFilterTest, ::testing::Values(ENC_UTF16_LE, ENC_UTF8));

TEST(SmallIntMetadataFilterTest, AScopeIsALeastValueAndADataTypeMustBeEqual)
{
    const auto accepted = [](SmallIntMetadataFilter& io_filter, const std::vector<int>& in_values) {
        std::vector<int> result;
        for (int value : in_values)
        {
            SqlData& data = io_filter.GetSqlData();
            data.SetNull(value < 0);
            const auto number = static_cast<int16_t>(value);
            std::memcpy(data.GetBuffer(), &number, sizeof number);
            if (io_filter.Filter())
            {
                result.push_back(value);
            }
        }
        return result;
    };
    // -1 stands for NULL.
    SmallIntMetadataFilter scope(DSI_TAG_SCOPE, 1);
    EXPECT_EQ((std::vector<int>{-1, 1, 2}), accepted(scope, {-1, 0, 1, 2}));
    SmallIntMetadataFilter dataType(DSI_TAG_DATA_TYPE, 4);
    EXPECT_EQ((std::vector<int>{4}), accepted(dataType, {-1, 3, 4, 5}));
    EXPECT_EQ(4, dataType.GetValue());
}

TEST(MetadataFilterLogTest, EachFilterWritesItsArgumentAtTrace)
{
    RecordingLog log;
    log.SetLogLevel(LOG_TRACE);
    IDMetadataFilter(u"\u00e9t\u00e9", u"", 2, WIDE).LogFilter(log);
    OAMetadataFilter(NULL_TEXT, 0, WIDE).LogFilter(log);
    PVMetadataFilter(u"a%", u"\\", 2, WIDE).LogFilter(log);
    VLMetadataFilter(u"table,view", u"", 3, WIDE).LogFilter(log);
    SmallIntMetadataFilter(15, -5).LogFilter(log);
    EXPECT_EQ((Names{"TRACE IDMetadataFilter::LogFilter: +++++ enter +++++",
                     "TRACE IDMetadataFilter::LogFilter: Filter string (in UTF-8) is \u00e9t\u00e9",
                     "TRACE OAMetadataFilter::LogFilter: +++++ enter +++++",
                     "TRACE OAMetadataFilter::LogFilter: Filter string (in platform encoding) is NULL",
                     "TRACE PVMetadataFilter::LogFilter: +++++ enter +++++",
                     "TRACE PVMetadataFilter::LogFilter: Filter string (in UTF-8) is a%",
                     "TRACE VLMetadataFilter::LogFilter: +++++ enter +++++",
                     "TRACE VLMetadataFilter::LogFilter: Filter strings are (in UTF-8): TABLE, VIEW, ",
                     "TRACE SmallIntMetadataFilter::LogFilter: +++++ enter +++++",
                     "TRACE SmallIntMetadataFilter::LogFilter: Filter value is -5"}),
              log.m_entries);

    RecordingLog quiet;
    quiet.SetLogLevel(LOG_DEBUG);
    PVMetadataFilter(u"a%", u"\\", 2, WIDE).LogFilter(quiet);
    EXPECT_TRUE(quiet.m_entries.empty());
}

namespace {

std::string Describe(const IMetadataFilter& in_filter)
{
    const std::string tag = std::to_string(in_filter.GetColumnTag()) + "=";
    if (const auto* id = dynamic_cast<const IDMetadataFilter*>(&in_filter))
    {
        return "ID" + tag + Show(id->GetIdentifier());
    }
    if (const auto* oa = dynamic_cast<const OAMetadataFilter*>(&in_filter))
    {
        return "OA" + tag + Show(oa->GetArgument());
    }
    if (const auto* pv = dynamic_cast<const PVMetadataFilter*>(&in_filter))
    {
        return "PV" + tag + Show(pv->GetPattern());
    }
    if (const auto* vl = dynamic_cast<const VLMetadataFilter*>(&in_filter))
    {
        return "VL" + tag + Show(vl->GetList());
    }
    return "SI" + tag + std::to_string(dynamic_cast<const SmallIntMetadataFilter&>(in_filter).GetValue());
}

std::string Describe(const std::vector<std::unique_ptr<IMetadataFilter>>& in_filters)
{
    std::string text;
    for (const std::unique_ptr<IMetadataFilter>& filter : in_filters)
    {
        text += (text.empty() ? "" : " ") + Describe(*filter);
    }
    return text;
}

using Arguments = std::vector<Variant>;

const Arguments NAMES = {Variant(u"c%"), Variant(u"s"), Variant(u"t"), Variant(u"x"), Variant(u"y"), Variant(u"z")};
// SQLSpecialColumns: identifier type, catalog, schema, table, scope, nullable.
const Arguments SPECIAL = {Variant(uint16_t(1)), Variant(u"c"), Variant(u"s"), Variant(u"t"), Variant(int16_t(2)),
                           Variant(uint16_t(0))};
// SQLStatistics: catalog, schema, table, unique (SQL_INDEX_ALL), reserved (SQL_QUICK).
const Arguments STATISTICS = {Variant(u"c"), Variant(u"s"), Variant(u"t"), Variant(uint16_t(1)), Variant(uint16_t(0))};

struct FilterOptions
{
    bool metadataId = false;
    bool odbc3 = true;
};

std::vector<std::unique_ptr<IMetadataFilter>> MakeFilters(uint32_t in_tableId,
                                                          const Arguments& in_arguments,
                                                          FilterOptions in_options = {})
{
    std::vector<std::unique_ptr<IMetadataFilter>> filters;
    DSIMetadataFilterFactory::MakeNewMetadataFilters(in_arguments, in_tableId, u"\\", u"\"", in_options.metadataId,
                                                     in_options.odbc3, filters);
    return filters;
}

} // namespace

TEST(DSIMetadataFilterFactoryTest, MakesTheFiltersOfEachCatalogFunction)
{
    struct Case
    {
        uint32_t tableId;
        Arguments arguments;
        FilterOptions options;
        const char* filters;
    };
    const FilterOptions ODBC2{false, false};
    const FilterOptions METADATA_ID{true, true};
    const Case cases[] = {
        {0, NAMES, {}, "PV0=c% PV1=s PV2=t VL3=x"},
        {0, NAMES, ODBC2, "OA0=c% PV1=s PV2=t VL3=x"},
        {0, NAMES, METADATA_ID, "ID0=c% ID1=s ID2=t VL3=x"},
        {1, NAMES, {}, "PV0=c%"},
        {2, NAMES, {}, ""},
        {3, NAMES, {}, ""},
        {4, NAMES, {}, "OA0=c% PV1=s PV2=t"},
        {5, NAMES, {}, "OA0=c% PV1=s PV2=t PV10=x"},
        {5, NAMES, METADATA_ID, "ID0=c% ID1=s ID2=t ID10=x"},
        {6, NAMES, {}, "OA0=c% OA1=s OA2=t PV10=x"},
        {7, NAMES, {}, "OA29=c% OA30=s OA31=t OA34=x OA35=y OA36=z"},
        {8, NAMES, {}, "OA29=c% OA30=s OA31=t"},
        {9, SPECIAL, {}, "OA0=c OA1=s OA2=t SI65=2"},
        {9, SPECIAL, METADATA_ID, "ID0=c ID1=s ID2=t SI65=2"},
        {10, STATISTICS, {}, "OA0=c OA1=s OA2=t"},
        {11, NAMES, {}, "OA0=c% PV1=s PV5=t"},
        {12, NAMES, {}, "OA0=c% PV1=s PV5=t PV10=x"},
        {13, {Variant(int16_t(0))}, {}, ""},
        {13, {Variant(int16_t(12))}, {}, "SI15=12"},
        {14, NAMES, {}, "PV0=c% PV1=s"},
        // Arguments a caller left out are NULL.
        {5, {Variant(u"c")}, {}, "OA0=c PV1=<null> PV2=<null> PV10=<null>"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.filters, Describe(MakeFilters(c.tableId, c.arguments, c.options))) << "table " << c.tableId;
    }
}

TEST(DSIMetadataFilterFactoryTest, RefusesUnknownTablesAndKeepsTheFiltersMadeBeforeAFailure)
{
    std::vector<std::unique_ptr<IMetadataFilter>> filters;
    const auto make = [&](uint32_t in_tableId, const Arguments& in_arguments) {
        return Outcome([&] {
            DSIMetadataFilterFactory::MakeNewMetadataFilters(in_arguments, in_tableId, u"\\", u"\"", false, true, filters);
        });
    };
    EXPECT_EQ("HY000 2 InvalidMetadataTableID [15]", make(15, NAMES));
    EXPECT_EQ("HY000 2 InvalidMetadataTableID [4294967295]", make(static_cast<uint32_t>(-1), NAMES));
    EXPECT_TRUE(filters.empty());

    // The scope of SQLSpecialColumns is no number: the three name filters stay with the caller.
    Arguments badScope = SPECIAL;
    badScope[4] = Variant(u"wide");
    EXPECT_NE("ok", make(9, badScope));
    EXPECT_EQ("OA0=c OA1=s OA2=t", Describe(filters));
}

TEST(DSIMetadataRestrictionGeneratorTest, PutsArgumentsUnderTheirTagsAndLeavesPatternsToTheFilters)
{
    struct Case
    {
        uint32_t tableId;
        Arguments arguments;
        bool filtering;
        FilterOptions options;
        const char* restrictions;
    };
    const Arguments COLUMNS_PATTERN = {Variant(u"c"), Variant(u"s"), Variant(u"ord%"), Variant(u"id")};
    const Arguments COLUMNS_ESCAPE = {Variant(u"c"), Variant(u"s"), Variant(u"a\\b"), Variant(u"id")};
    const Arguments COLUMNS_PLAIN = {Variant(u"c"), Variant(u"s"), Variant(u"orders"), Variant(u"id")};
    const Arguments COLUMNS_QUOTED = {Variant(u"c"), Variant(u"s"), Variant(u"\"ord%\""), Variant(u"id")};
    const Arguments TABLES = {Variant(u"c%"), Variant(u"s"), Variant(u"t"), Variant(u"TABLE,VIEW")};
    const Case cases[] = {
        {5, COLUMNS_PATTERN, true, {}, "0=c 1=s 10=id"},
        {5, COLUMNS_PATTERN, false, {}, "0=c 1=s 2=ord% 10=id"},
        {5, COLUMNS_ESCAPE, true, {}, "0=c 1=s 10=id"},
        {5, COLUMNS_ESCAPE, false, {}, "0=c 1=s 2=a\\b 10=id"},
        {5, COLUMNS_PLAIN, true, {}, "0=c 1=s 2=orders 10=id"},
        {5, COLUMNS_QUOTED, true, {true, true}, "0=c 1=s 2=ord% 10=id"},
        {0, TABLES, true, {}, "1=s 2=t"},
        {0, TABLES, false, {}, "0=c% 1=s 2=t 3=TABLE,VIEW"},
        {0, TABLES, true, {false, false}, "0=c% 1=s 2=t"},
        {0, {Variant(), Variant(), Variant(), Variant()}, false, {}, ""},
        {10, STATISTICS, true, {}, "0=c 1=s 2=t 69=1 70=0"},
        {9, SPECIAL, true, {}, "0=c 1=s 2=t 65=2 67=1 68=0"},
        {2, {Variant(u""), Variant(u"%"), Variant(u"")}, true, {}, "0="},
        {13, {Variant(int16_t(12))}, true, {}, "15=12"},
        {13, {Variant(int16_t(0))}, true, {}, ""},
    };
    for (const Case& c : cases)
    {
        DSIMetadataRestrictions restrictions;
        DSIMetadataRestrictionGenerator generator(restrictions, c.filtering);
        generator.GenerateRestrictions(c.tableId, c.arguments, MakeFilters(c.tableId, c.arguments, c.options));
        EXPECT_EQ(c.restrictions, Orvik::Testing::DescribeRestrictions(restrictions)) << "table " << c.tableId << " filtering " << c.filtering;
    }
}

TEST(DSIMetadataRestrictionGeneratorTest, RefusesAMissingFilterAndAnOptionThatIsNoNumber)
{
    DSIMetadataRestrictions restrictions;
    DSIMetadataRestrictionGenerator generator(restrictions, true);
    std::vector<std::unique_ptr<IMetadataFilter>> filters = MakeFilters(8, NAMES);
    filters.push_back(nullptr);
    const std::string refused = "HY000 2 InvalidFilterInMetadataRestrictionGenerator";
    EXPECT_EQ(refused, Outcome([&] { generator.GenerateRestrictions(8, NAMES, filters); }));
    EXPECT_EQ(refused, Outcome([&] { generator.VisitPVFilter(nullptr); }));
    EXPECT_EQ(refused, Outcome([&] { generator.VisitSmallIntFilter(nullptr); }));

    Arguments badUnique = STATISTICS;
    badUnique[3] = Variant(u"all");
    EXPECT_NE("ok", Outcome([&] { generator.GenerateRestrictions(10, badUnique, {}); }));
}
