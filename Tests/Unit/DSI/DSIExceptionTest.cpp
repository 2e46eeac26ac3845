#include "DSI/BadColumnException.h"
#include "DSI/DSIException.h"
#include "DSI/InvalidCatalogException.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::DSI;
using Orvik::Support::DiagState;
using Orvik::Support::ErrorException;
using Orvik::Support::GetSqlStateForDiagState;
using Orvik::Support::orvik_wstring;

namespace {

// The fields a diagnostic record is made from, as one comparable line.
std::string Fields(const ErrorException& in_error)
{
    std::string line = GetSqlStateForDiagState(in_error.GetDiagState()).GetText();
    line += " component " + std::to_string(in_error.GetComponentId());
    line += " key " + in_error.GetMessageKey().GetAsUTF8();
    line += in_error.HasParameters() ? " with parameters" : " without parameters";
    line += in_error.IsMessageCreated() ? " made" : " looked up";
    line += " at " + std::to_string(in_error.GetRowNumber()) + "/" + std::to_string(in_error.GetColumnNumber());
    return line;
}

// Where a thrown exception lands among handlers ordered from the most specific.
template <class Thrown>
std::string CaughtBy(const Thrown& in_error)
{
    try
    {
        throw in_error;
    }
    catch (const DSIException&)
    {
        return "DSIException";
    }
    catch (const ErrorException&)
    {
        return "ErrorException";
    }
}

} // namespace

TEST(DSIExceptionTest, EachConstructorGivesItsStateComponentAndKey)
{
    EXPECT_EQ("HY000 component 2 key FuncNotSupported without parameters looked up at -1/-1",
              Fields(DSIException(u"FuncNotSupported")));
    EXPECT_EQ("HY000 component 2 key DSIConnPropNotFound with parameters looked up at -1/-1",
              Fields(DSIException(u"DSIConnPropNotFound", {u"7"})));
    // A literal key with one parameter and positions is never mistaken for finished text.
    EXPECT_EQ("HY000 component 2 key InvalidColumnNum with parameters looked up at 4/2",
              Fields(DSIException(u"InvalidColumnNum", {u"9"}, 4, 2)));
    EXPECT_EQ("HYC00 component 2 key CursorTypeNotSupported with parameters looked up at -1/-1",
              Fields(DSIException(Orvik::Support::DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED,
                                  u"CursorTypeNotSupported", {})));
}

TEST(DSIExceptionTest, FinishedTextIsNeverLookedUp)
{
    DSIException error(true, orvik_wstring(u"[DSI] Parsing error occurred"), 42);
    EXPECT_EQ("HY000 component 0 key [DSI] Parsing error occurred without parameters made at -1/-1",
              Fields(error));
    EXPECT_EQ(42, error.GetNativeErrorCode(nullptr, "en-US"));
    EXPECT_EQ("[DSI] Parsing error occurred", error.GetMessageText(nullptr, "en-US").GetAsUTF8());
}

TEST(DSIExceptionTest, BadColumnIsADataStoreErrorAndInvalidCatalogIsNot)
{
    const BadColumnException badColumn(u"InvalidColumnNum", {u"5"});
    EXPECT_EQ("HY000 component 2 key InvalidColumnNum with parameters looked up at -1/-1", Fields(badColumn));
    EXPECT_EQ("DSIException", CaughtBy(badColumn));

    const InvalidCatalogException badCatalog(2, u"InvalidCurrentCatalog", {u"other"});
    EXPECT_EQ("3D000 component 2 key InvalidCurrentCatalog with parameters looked up at -1/-1",
              Fields(badCatalog));
    EXPECT_EQ("ErrorException", CaughtBy(badCatalog));
}

TEST(DSIExceptionTest, AMissingRequiredSettingIsAnAuthorizationError)
{
    const DSIException error = DSIException::RequiredSettingNotFound(u"Servers");
    EXPECT_EQ("28000 component 2 key DSIReqSettingNotFound with parameters looked up at -1/-1", Fields(error));
    EXPECT_EQ("DSIException", CaughtBy(error));
}
