// Every message key the back end raises has its text, with one placeholder per parameter, in the
// project's message file.

#include "DSI/Client/DSIMessageFileReader.h"

#include "Unit/DSI/DriverSettings.h"

#include <gtest/gtest.h>

#include <string>

using Orvik::DSI::DSIMessageFileReader;
using Orvik::Testing::DriverSettings;

namespace {

TEST(PeltaMessages, EveryKeyHasItsTextWithOnePlaceholderPerParameter)
{
    DriverSettings settings;
    settings.Use(DriverSettings::Value("ERRORMESSAGESPATH", PELTA_MESSAGE_DIRECTORY));
    DSIMessageFileReader reader("PeltaMessages", "en-US", true);
    const struct
    {
        const char16_t* key;
        int parameters;
    } keys[] = {
        {u"PeltaAPIErr", 1},
        {u"RESTAPIUnknownRequestType", 1},
        {u"PeltaJSONParseError", 1},
        {u"PeltaAPIError", 2},
        {u"PeltaJSONMemberNotFoundError", 1},
        {u"PeltaJSONWrongType", 2},
        {u"PeltaBulkOperationError", 2},
        {u"PeltaAllServersAreInInactiveList", 0},
        {u"PeltaInvalidParameterData", 0},
        {u"PeltaUnsupportedParameterType", 1},
        {u"PeltaNonFiniteParameter", 1},
        {u"PeltaInvalidTimestampParameter", 1},
        {u"PeltaInvalidServer", 0},
        {u"PeltaDialogFailed", 0},
        {u"PeltaUnsupportedPeltaType", 1},
        {u"PeltaUnknownPeltaColumnType", 1},
        {u"PeltaUnknownTDWType", 1},
        {u"PeltaColumnOutOfBounds", 2},
        {u"PeltaColumnTypeMissing", 1},
        {u"PeltaReplyRowMissing", 2},
        {u"PeltaReplyRowWidth", 3},
        {u"PeltaHTTPStatusError", 2},
        {u"PeltaTooManyColumns", 1},
        {u"PeltaCellTypeMismatch", 2},
        {u"PeltaCellValueOutOfRange", 2},
        {u"PeltaCatalogValueOutOfRange", 2},
        {u"PeltaEmptyArrayToUnnest", 1},
        {u"PeltaResultSetTraverseDirNotSupported", 0},
        {u"PeltaDefaultParameterNotSupported", 1},
        {u"PeltaUnimplementedMethod", 1},
        {u"PeltaNoParameterSet", 0},
        {u"PeltaTooManyParameters", 1},
        {u"PeltaStringResourceError", 1},
        {u"PeltaCursorResourceError", 1},
        {u"PeltaBulkResultCountMismatch", 2},
        {u"PeltaInvalidNumericSetting", 2},
        {u"PeltaNoServerAnswered", 3},
        {u"PeltaRequestCanceled", 0},
        {u"PeltaSentRequestUnanswered", 1},
    };
    for (const auto& k : keys)
    {
        Orvik::Support::orvik_wstring text;
        uint32_t code = 0;
        ASSERT_TRUE(reader.Lookup("en-US", k.key, 117, text, code));
        const std::string message = text.GetAsUTF8();
        EXPECT_NE(Orvik::DSI::MESSAGE_NOT_FOUND, code) << message;
        EXPECT_EQ(0u, message.find("[Pelta] (")) << message;
        for (int i = 1; i <= k.parameters + 1; ++i)
        {
            const bool present = message.find("%" + std::to_string(i) + "%") != std::string::npos;
            EXPECT_EQ(i <= k.parameters, present) << message << " placeholder " << i;
        }
    }
}

} // namespace
