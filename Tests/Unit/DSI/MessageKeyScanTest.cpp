#include "DSI/Client/DSIMessageFileReader.h"

#include "DriverSettings.h"
#include "MessageKeyScanner.h"

#include <gtest/gtest.h>

#include <expat.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

using Orvik::DSI::DSIMessageFileReader;
using Orvik::DSI::MESSAGE_NOT_FOUND;
using Orvik::Support::orvik_wstring;
using Orvik::Testing::ANY_COMPONENT;
using Orvik::Testing::DriverSettings;
using Orvik::Testing::MessageKeyScanner;
using Orvik::Testing::RaisedKey;

namespace {

const std::string SOURCE_ROOT = PELTA_SOURCE_DIRECTORY;
const std::string BUILT_MESSAGES = std::string(PELTA_MESSAGE_DIRECTORY) + "en-US/";

// The message file of each component that may raise errors.
const struct
{
    int32_t m_componentId;
    const char* m_fileName;
} COMPONENT_FILES[] = {
    { 1, "ODBCMessages" },     { 2, "ODBCMessages" },      { 3, "ODBCMessages" },   { 4, "SQLEngineMessages" },
    { 5, "CSCommonMessages" }, { 6, "CSCommonMessages" }, { 7, "ServerMessages" }, { 11, "OLEDBMessages" },
    { 117, "PeltaMessages" },
};

std::string Describe(const std::vector<RaisedKey>& in_keys)
{
    std::string text;
    for (const RaisedKey& key : in_keys)
    {
        text += key.m_key + "@" + std::to_string(key.m_componentId) + " ";
    }
    return text;
}

std::vector<RaisedKey> ScanSources()
{
    std::vector<RaisedKey> keys = MessageKeyScanner::ScanDirectory(SOURCE_ROOT + "Include/");
    const std::vector<RaisedKey> more = MessageKeyScanner::ScanDirectory(SOURCE_ROOT + "Source/");
    keys.insert(keys.end(), more.begin(), more.end());
    return keys;
}

// True when the built message file of in_componentId holds in_key in that component's package.
bool HasEntry(const std::string& in_key, int32_t in_componentId)
{
    for (const auto& file : COMPONENT_FILES)
    {
        if (file.m_componentId != in_componentId)
        {
            continue;
        }
        DSIMessageFileReader reader(file.m_fileName, "en-US", true);
        orvik_wstring text;
        uint32_t code = MESSAGE_NOT_FOUND;
        return reader.Lookup("en-US", orvik_wstring(in_key.c_str(), static_cast<int32_t>(in_key.size()), Orvik::Support::ENC_UTF8),
                             in_componentId, text, code) &&
               code != MESSAGE_NOT_FOUND;
    }
    return false;
}

// Where an entry for in_componentId belongs, for the failure message.
std::string EntryPlace(int32_t in_componentId)
{
    for (const auto& file : COMPONENT_FILES)
    {
        if (file.m_componentId == in_componentId)
        {
            return std::string("Resources/ErrorMessages/en-US/") + file.m_fileName + ".xml, in <Package ID=\"" +
                   std::to_string(in_componentId) + "\">";
        }
    }
    return in_componentId == ANY_COMPONENT ? "any file of Resources/ErrorMessages/en-US/ (component unknown)"
                                           : "no file: component " + std::to_string(in_componentId) + " has none";
}

bool HasEntryInAnyComponent(const std::string& in_key)
{
    for (const auto& file : COMPONENT_FILES)
    {
        if (HasEntry(in_key, file.m_componentId))
        {
            return true;
        }
    }
    return false;
}

// Every problem of one message file's structure, one a line.
struct FileCheck
{
    XML_Parser m_parser;
    std::string m_problems;
    std::set<std::string> m_keys;
    std::string m_package;
};

void XMLCALL CheckElement(void* io_data, const XML_Char* in_name, const XML_Char** in_attributes)
{
    FileCheck& check = *static_cast<FileCheck*>(io_data);
    std::map<std::string, std::string> attributes;
    for (const XML_Char** a = in_attributes; a[0] != nullptr; a += 2)
    {
        attributes[a[0]] = a[1];
    }
    const std::string line = " at line " + std::to_string(XML_GetCurrentLineNumber(check.m_parser));
    const auto isNumber = [](const std::string& in_text) {
        return !in_text.empty() && in_text.find_first_not_of("0123456789") == std::string::npos;
    };
    if (std::strcmp(in_name, "Package") == 0)
    {
        check.m_package = attributes["ID"];
        if (!isNumber(check.m_package))
        {
            check.m_problems += "Package without a numeric ID" + line + "\n";
        }
    }
    else if (std::strcmp(in_name, "Error") == 0)
    {
        const std::string key = attributes["Key"];
        if (key.empty() || !isNumber(attributes["NativeErrorCode"]))
        {
            check.m_problems += "Error without a Key or a numeric NativeErrorCode" + line + "\n";
        }
        if (!check.m_keys.insert(check.m_package + "/" + key).second)
        {
            check.m_problems += "key " + key + " twice in package " + check.m_package + line + "\n";
        }
    }
}

} // namespace

TEST(MessageKeyScannerTest, RecognisedCallPatterns)
{
    MessageKeyScanner::ReadComponentConstants("constexpr int32_t ODBC_COMPONENT_ID = 1;\n"
                                              "constexpr int32_t PELTA_COMPONENT_ID = 117;");
    const struct
    {
        const char* m_source;
        const char* m_found;
    } cases[] = {
        { "throw DSIException(u\"FuncNotSupported\");", "FuncNotSupported@2 " },
        { "throw DSIException(Support::DIAG_X, u\"DSIReqSettingNotFound\", {name});", "DSIReqSettingNotFound@2 " },
        { "throw ProductException(orvik_wstring(\"CannotOpenFile\"), { WStringFromUtf8(m_path) });", "CannotOpenFile@3 " },
        { "throw ErrorException(DIAG_GENERAL_ERROR, Support::ODBC_COMPONENT_ID, u\"FuncSeqErr\", -1, -1);", "FuncSeqErr@1 " },
        { "throw ErrorException(SqlState(\"42000\"), PELTA_COMPONENT_ID, u\"PeltaAPIError\", {code}, -1, -1);",
          "PeltaAPIError@117 " },
        { "throw InvalidCatalogException(2, u\"InvalidCurrentCatalog\", {name});", "InvalidCurrentCatalog@2 " },
        { "throw OtherLayerException(u\"Something\");", "Something@-1 " },
        { "RaiseTextError(u\"ICUConvErr\"); // RaiseTextError(u\"Commented\");", "ICUConvErr@3 " },
        { "const char* const ILLEGAL = \"Not a legal encoding.\";\nthrow StartupInitException(orvik_wstring(ILLEGAL));",
          "Not a legal encoding.@3 " },
        { "return TypedDataResult(u\"InvalidDatetimeValue\", CONV_INVALID_DATETIME_VALUE);", "InvalidDatetimeValue@3 " },
        { "static const ConversionResult s_result(u\"NullIndPtrNotSupplied\", ODBC_COMPONENT_ID, CONV_X);",
          "NullIndPtrNotSupplied@1 " },
        { "#define T(ROW) \\\n ROW(StrRightTrunc, DIAG_STRING_RIGHT_TRUNCATED_WARNING) \\\n ROW(DIAG_GENERAL_WARNING, \"01000\")",
          "StrRightTrunc@3 " },
        // Finished text, parameters in braces, keys in variables and mere declarations raise no key.
        { "throw DSIException(true, u\"[DSI] Parsing error\", 5);", "" },
        { "throw InvalidArgumentException(SupportError(code), {in_name, u\"File.cpp\", in_line});", "" },
        { "throw ErrorException(state, m_componentId, m_messageKey, in_row, in_column);", "" },
        { "explicit ProductException(const orvik_wstring& in_messageKey);", "" },
        { "Log(\"ProductException(\\\"NotAKey\\\")\");", "" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_found, Describe(MessageKeyScanner::ScanText("case.cpp", c.m_source))) << c.m_source;
    }
}

TEST(MessageFilesTest, EveryFileIsWellFormedWithNumberedEntries)
{
    for (const std::string name : { "ODBCMessages", "PeltaMessages", "SQLEngineMessages", "CSCommonMessages",
                                    "ServerMessages", "OLEDBMessages" })
    {
        const std::string text = Orvik::Testing::ReadTextFile(BUILT_MESSAGES + name + ".xml");
        ASSERT_FALSE(text.empty()) << "the build did not copy " << name << ".xml to " << BUILT_MESSAGES;
        FileCheck check{ XML_ParserCreate(nullptr), "", {}, "" };
        XML_SetUserData(check.m_parser, &check);
        XML_SetStartElementHandler(check.m_parser, CheckElement);
        if (XML_Parse(check.m_parser, text.data(), static_cast<int>(text.size()), XML_TRUE) != XML_STATUS_OK)
        {
            check.m_problems += std::string("not well-formed: ") + XML_ErrorString(XML_GetErrorCode(check.m_parser)) +
                                " at line " + std::to_string(XML_GetCurrentLineNumber(check.m_parser)) + "\n";
        }
        XML_ParserFree(check.m_parser);
        EXPECT_EQ("", check.m_problems) << name << ".xml";
    }
}

TEST(MessageFilesTest, EveryRaisedKeyHasAnEntry)
{
    DriverSettings settings;
    settings.Use(DriverSettings::Value("ERRORMESSAGESPATH", PELTA_MESSAGE_DIRECTORY));
    const std::vector<RaisedKey> keys = ScanSources();

    // The scan must see what the sources are known to raise, or it proves nothing.
    const std::string found = Describe(keys);
    for (const char* known : { "InvalidArgument@3 ", "CannotOpenFile@3 ", "ICUConvErr@3 ", "StrToNumConvFailed@3 ",
                               "ANSIEncoding setting is not a legal encoding.@3 ", "InvalidDatetimeValue@3 ",
                               "DSIDriverPropNotFound@2 ", "EnvAttrOutputNtsNotSupported@2 " })
    {
        EXPECT_NE(std::string::npos, found.find(known)) << "the scan no longer finds " << known;
    }

    std::set<std::string> reported;
    for (const RaisedKey& key : keys)
    {
        const bool present = key.m_componentId == ANY_COMPONENT ? HasEntryInAnyComponent(key.m_key)
                                                                : HasEntry(key.m_key, key.m_componentId);
        if (!present && reported.insert(key.m_key + "@" + std::to_string(key.m_componentId)).second)
        {
            ADD_FAILURE() << "message key \"" << key.m_key << "\", raised at " << key.m_place
                          << ", has no entry; add one to " << EntryPlace(key.m_componentId);
        }
    }
}
