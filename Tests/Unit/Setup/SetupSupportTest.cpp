// Setup's errors, its string table and the helpers that setup and its dialogs share.

#include "DSI/DSIDriverSingleton.h"
#include "Pelta/Setup/PeltaSetupException.h"
#include "Pelta/Setup/SetupDialogSupport.h"
#include "Pelta/Setup/SetupStrings.h"
#include "Pelta/PeltaError.h"
#include "Support/OrvikSettingReader.h"

#include "SetupTestSupport.h"
#include "Unit/DSI/RecordingLog.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Pelta;
using Pelta::Test::ErrorLine;
using Pelta::Test::InstalledUi;
using Pelta::Test::PrivateRegistry;
using Pelta::Test::Outcome;
using Pelta::Test::RecordingUi;
using Pelta::Test::Utf8;

namespace {

TEST(PeltaSetupException, EachKindHasItsTextAndInstallerCode)
{
    const struct
    {
        int32_t m_kind;
        int32_t m_code;
        const char* m_text;
    } cases[] = {
        { 0, 3, "Invalid window handle." },
        { 1, 8, "Invalid keyword-value pairs." },
        { 2, 7, "Invalid driver or translator name." },
        { 3, 5, "Invalid type of request." },
        { 4, 11, "Request failed." },
        { 5, 11, "Driver- or translator-specific error." },
        { 6, 11, "Error writing changes to registry, ensure proper permissions have been granted." },
        { 7, 11, "Invalid value for the maximum number of log files to use in rotation, valid values are [0, 4294967295]." },
        { 8, 11, "Invalid value for the maximum size of each log file in MB, valid values are [0, 4096]." },
        { 9, 11, "The setup dialog cannot be shown: no user interface is available to this process. Write the data "
                 "source into odbc.ini instead, for example with \"odbcinst -i -s -f <file>\", giving its Driver, "
                 "Servers and other settings." },
        // A value outside the table.
        { 10, 11, "Error loading the string." },
        { -1, 11, "Error loading the string." },
    };
    for (const auto& c : cases)
    {
        const PeltaSetupException error(static_cast<PeltaSetupErrorKind>(c.m_kind));
        EXPECT_EQ(c.m_code, error.GetInstallerErrorCode()) << c.m_kind;
        EXPECT_EQ(c.m_text, Utf8(error.GetErrorMessage())) << c.m_kind;
    }
}

TEST(SetupStrings, TextsKeepTheirLineBreaksAndMissingOnesAreReportedTheirWay)
{
    EXPECT_EQ("FAILED!\r\n\r\n", Utf8(LoadRequiredString(129)));
    EXPECT_EQ("SUCCESS! \r\n\r\nSuccessfully connected to data source!", Utf8(LoadRequiredString(130)));
    EXPECT_EQ("Comma separated host:port values. \ne.g. host1:port1, host2:port2", Utf8(LoadRequiredString(1040)));
    EXPECT_EQ("Data Source Name value cannot contain any of the following characters: []{}(),;?*=!@\\",
              Utf8(LoadResourceString(112)));
    for (const int32_t missing : { 127, 132, 133, 0 })
    {
        EXPECT_EQ("Error loading the string.", Utf8(LoadResourceString(missing))) << missing;
        EXPECT_EQ("PeltaStringResourceError HY000 117 [" + std::to_string(missing) + "]",
                  Outcome([&] { LoadRequiredString(missing); }));
    }
}

TEST(SetupStrings, TheLoaderCutsToTheBufferAsLoadStringDoes)
{
    char16_t buffer[8];
    std::memset(buffer, 0x55, sizeof buffer);
    EXPECT_EQ(2, LoadStringResource(115, buffer, 8));
    EXPECT_EQ(u"OK", std::u16string(buffer));
    EXPECT_EQ(3, LoadStringResource(116, buffer, 4));
    EXPECT_EQ(u"Can", std::u16string(buffer));
    EXPECT_EQ(0, LoadStringResource(127, buffer, 8));
    EXPECT_EQ(u"", std::u16string(buffer));
    EXPECT_EQ(0, LoadStringResource(115, buffer, 0));
}

// A table of one string per length, for the buffer's growth.
int32_t LoadLongString(int32_t in_id, char16_t* out_buffer, int32_t in_size)
{
    std::u16string text(static_cast<size_t>(in_id), u'x');
    text.back() = u'!';
    const int32_t count = std::min<int32_t>(in_id, in_size - 1);
    std::copy_n(text.data(), count, out_buffer);
    out_buffer[count] = u'\0';
    return count;
}

TEST(SetupStrings, ALongStringIsReadWholeThroughAGrowingBuffer)
{
    for (const int32_t length : { 1, 2046, 2047, 2048, 4095, 5000 })
    {
        const std::string text = Utf8(LoadResourceString(length, &LoadLongString));
        EXPECT_EQ(static_cast<size_t>(length), text.size()) << length;
        EXPECT_EQ('!', text.back()) << length;
    }
}

TEST(SetupDialogSupport, ACentredDialogIsKeptInsideTheDesktop)
{
    const SetupRect desktop{ 0, 0, 1920, 1080 };
    const SetupRect dialog{ 0, 0, 400, 300 }; // its size is what counts
    const struct
    {
        const char* m_case;
        SetupRect m_reference;
        SetupRect m_expected;
    } cases[] = {
        { "centred over the parent", { 100, 100, 900, 700 }, { 300, 250, 700, 550 } },
        { "centred over the desktop", desktop, { 760, 390, 1160, 690 } },
        { "parent partly off the right edge", { 1700, 100, 2300, 500 }, { 1520, 150, 1920, 450 } },
        { "parent below the desktop", { 100, 1000, 500, 1600 }, { 100, 780, 500, 1080 } },
        { "left of and above the desktop", { -900, -800, -100, -200 }, { 0, 0, 400, 300 } },
    };
    for (const auto& c : cases)
    {
        const SetupRect placed = CenterDialogRect(c.m_reference, dialog, desktop);
        EXPECT_EQ(c.m_expected.m_left, placed.m_left) << c.m_case;
        EXPECT_EQ(c.m_expected.m_top, placed.m_top) << c.m_case;
        EXPECT_EQ(c.m_expected.m_right, placed.m_right) << c.m_case;
        EXPECT_EQ(c.m_expected.m_bottom, placed.m_bottom) << c.m_case;
    }
    // A desktop that does not start at 0, and a negative centre rounded toward zero.
    const SetupRect placed = CenterDialogRect({ -1001, 0, 0, 300 }, { 0, 0, 100, 300 }, { -2000, 0, 0, 1000 });
    EXPECT_EQ(-550, placed.m_left);
}

TEST(SetupDialogSupport, BoxesAndCursorsGoToTheUserInterface)
{
    RecordingUi ui;
    InstalledUi installed(ui);
    int parent = 0;
    ShowMessageBox(&parent, u"text");
    ShowMessageBox(nullptr, u"second");
    EXPECT_EQ((std::vector<std::string>{ "owned|DSN Configuration Error|text", "unowned|DSN Configuration Error|second" }),
              ui.m_boxes);

    SetWaitCursor();
    SetArrowCursor();
    EXPECT_EQ((std::vector<std::string>{ "wait", "arrow" }), ui.m_cursors);
    ui.m_cursorFails = true;
    EXPECT_EQ("PeltaCursorResourceError HY000 117 [" + std::string(std::strerror(ENOENT)) + "]",
              Outcome([] { SetWaitCursor(); }));
}

TEST(SetupDialogSupport, ErrorsAreShownInTheDriverLocaleAndLogged)
{
    PrivateRegistry registry;
    Orvik::Testing::WriteTextFile(registry.Directory() / "user.reg",
                                  "[SOFTWARE\\Pelta\\Driver]\n\"ERRORMESSAGESPATH\"=\"" PELTA_MESSAGE_DIRECTORY "\"\n");
    Orvik::Support::OrvikSettingReader::Shutdown();
    Orvik::Support::OrvikSettingReader::Initialize(u"Pelta", u"Driver");
    RecordingUi ui;
    InstalledUi installed(ui);
    Orvik::Testing::RecordingLog log;
    log.SetLogLevel(Orvik::DSI::LOG_TRACE);

    Orvik::Support::ErrorException error = PeltaError("PeltaStringResourceError", { u"127" });
    const std::string expected = "[Pelta][Pelta] (30) The driver has no text for string resource 127.";
    EXPECT_EQ(expected, Utf8(GetLocalizedMessage(error)));
    // Made once, the text stays.
    EXPECT_EQ(expected, Utf8(error.GetMessageKey()));

    DisplaySetupError(nullptr, &log, "PeltaLoggingDialog", "ActionProc", PeltaSetupException(SETUP_INVALID_LOG_FILE_SIZE));
    Orvik::Support::ErrorException fresh = PeltaError("PeltaInvalidServer");
    DisplaySetupError(nullptr, &log, "PeltaMainDialog", "DoTestAction", fresh);
    ASSERT_EQ(2u, ui.m_boxes.size());
    EXPECT_EQ("unowned|DSN Configuration Error|Invalid value for the maximum size of each log file in MB, valid values "
              "are [0, 4096].",
              ui.m_boxes[0]);
    EXPECT_EQ(0u, ui.m_boxes[1].find("unowned|DSN Configuration Error|[Pelta][Pelta] (13) The \"Servers\" setting"))
        << ui.m_boxes[1];
    ASSERT_EQ(2u, log.m_entries.size());
    EXPECT_EQ("ERROR PeltaLoggingDialog::ActionProc: Invalid value for the maximum size of each log file in MB, valid "
              "values are [0, 4096].",
              log.m_entries[0]);
    EXPECT_EQ(0u, log.m_entries[1].find("ERROR PeltaMainDialog::DoTestAction: ")) << log.m_entries[1];
    Orvik::Support::OrvikSettingReader::Shutdown();
}

} // namespace
