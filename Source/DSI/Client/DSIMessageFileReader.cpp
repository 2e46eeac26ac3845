#include "DSI/Client/DSIMessageFileReader.h"

#include "DSI/DSIDriverSingleton.h"
#include "DSI/IDriver.h"
#include "Platform/OsFiles.h"
#include "Support/NumberConverter.h"
#include "Support/OrvikSettingReader.h"

#include <expat.h>

#include <cstring>
#include <exception>
#include <memory>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

namespace {

constexpr size_t CHUNK_SIZE = 8192;

orvik_wstring FromUtf8(const char* in_text, int32_t in_length = Support::NUL_TERMINATED)
{
    return orvik_wstring(in_text, in_length, Support::ENC_UTF8);
}

// What the handlers of one lookup share.
struct MessageParseState
{
    XML_Parser m_parser = nullptr;
    bool m_inPackage = false;
    bool m_found = false;
    bool m_done = false;
    bool m_componentPrefix = false;
    orvik_wstring m_key;
    orvik_wstring m_defaultComponent;
    orvik_wstring m_text;
    int32_t m_componentId = 0;
    int32_t m_nativeErrorCode = 0;
    uint16_t m_parameterCount = 0;
    // A failure raised inside a handler, carried past expat's C frames and raised again.
    std::exception_ptr m_failure;
};

const char* FindAttribute(const XML_Char** in_attributes, const char* in_name)
{
    for (const XML_Char** attribute = in_attributes; attribute[0] != nullptr; attribute += 2)
    {
        if (std::strcmp(attribute[0], in_name) == 0)
        {
            return attribute[1];
        }
    }
    return nullptr;
}

// A Package element before the selected one: its default component counts, and its id says
// whether it is the selected one.
void OnPackage(MessageParseState& io_state, const XML_Char** in_attributes)
{
    const char* defaultComponent = FindAttribute(in_attributes, "DefaultComponent");
    io_state.m_defaultComponent = defaultComponent != nullptr ? FromUtf8(defaultComponent) : orvik_wstring();
    const char* id = FindAttribute(in_attributes, "ID");
    if (id != nullptr && Support::NumberConverter::ConvertStringToInt32(id, true) == io_state.m_componentId)
    {
        io_state.m_inPackage = true;
    }
}

// The found Error element: its prefix, parameter count and native code.
void OnFoundError(MessageParseState& io_state, const XML_Char** in_attributes, const char* in_nativeErrorCode)
{
    if (io_state.m_componentPrefix)
    {
        const char* component = FindAttribute(in_attributes, "Component");
        const orvik_wstring name = component != nullptr ? FromUtf8(component) : io_state.m_defaultComponent;
        if (name.GetLength() > 0)
        {
            io_state.m_text += u"[" + name + u"] ";
        }
    }
    const char* parameters = FindAttribute(in_attributes, "Params");
    io_state.m_parameterCount =
        parameters != nullptr ? Support::NumberConverter::ConvertStringToUInt16(parameters, true) : 0;
    io_state.m_nativeErrorCode = Support::NumberConverter::ConvertStringToInt32(in_nativeErrorCode, true);
    io_state.m_text += u"(" + FromUtf8(in_nativeErrorCode) + u") ";
    io_state.m_found = true;
}

void OnStartElement(MessageParseState& io_state, const XML_Char* in_name, const XML_Char** in_attributes)
{
    if (!io_state.m_inPackage)
    {
        if (std::strcmp(in_name, "Package") == 0)
        {
            OnPackage(io_state, in_attributes);
        }
        return;
    }
    const char* key = FindAttribute(in_attributes, "Key");
    if (std::strcmp(in_name, "Error") != 0 || key == nullptr || FromUtf8(key) != io_state.m_key)
    {
        return;
    }
    // An entry without a native code is malformed; it is passed over like one without a key.
    const char* nativeErrorCode = FindAttribute(in_attributes, "NativeErrorCode");
    if (nativeErrorCode != nullptr)
    {
        OnFoundError(io_state, in_attributes, nativeErrorCode);
    }
}

// Runs a handler's work; a failure stops the parser and waits in the state, since no exception
// may pass through expat.
template <class Work>
void Guarded(void* io_data, Work in_work)
{
    MessageParseState& state = *static_cast<MessageParseState*>(io_data);
    if (state.m_done || state.m_failure)
    {
        return;
    }
    try
    {
        in_work(state);
    }
    catch (...)
    {
        state.m_failure = std::current_exception();
        XML_StopParser(state.m_parser, XML_FALSE);
    }
}

void XMLCALL StartElementHandler(void* io_data, const XML_Char* in_name, const XML_Char** in_attributes)
{
    Guarded(io_data, [&](MessageParseState& io_state) { OnStartElement(io_state, in_name, in_attributes); });
}

// The end of any element after the found Error's start ends its text.
void XMLCALL EndElementHandler(void* io_data, const XML_Char* /* in_name */)
{
    Guarded(io_data, [](MessageParseState& io_state) {
        if (io_state.m_found)
        {
            io_state.m_done = true;
            XML_StopParser(io_state.m_parser, XML_FALSE);
        }
    });
}

void XMLCALL CharacterDataHandler(void* io_data, const XML_Char* in_text, int in_length)
{
    Guarded(io_data, [&](MessageParseState& io_state) {
        if (io_state.m_found)
        {
            io_state.m_text += FromUtf8(in_text, in_length);
        }
    });
}

struct ParserDeleter
{
    void operator()(XML_ParserStruct* in_parser) const { XML_ParserFree(in_parser); }
};

} // namespace

DSIMessageFileReader::DSIMessageFileReader(const std::string& in_fileName,
                                           const std::string& in_locale,
                                           bool in_componentPrefix)
    : m_fileName(in_fileName), m_locale(in_locale), m_componentPrefix(in_componentPrefix)
{
}

DSIMessageFileReader::~DSIMessageFileReader()
{
    if (m_file != nullptr)
    {
        std::fclose(m_file);
    }
}

bool DSIMessageFileReader::OpenFile()
{
    IDriver* driver = DSIDriverSingleton::GetDriver();
    orvik_wstring defaultDirectory = driver != nullptr ? driver->GetErrorMessagePath() : orvik_wstring();
    if (defaultDirectory.IsNull())
    {
        defaultDirectory = Support::GetDriverModuleDirectory(Support::GetDriverModuleHandle());
    }
    m_directory = Support::OrvikSettingReader::GetErrorMessagesPath(defaultDirectory.GetAsUTF8());
    m_firstPath = m_directory + m_locale + "/" + m_fileName + ".xml";
    m_file = OS::OpenRegularFileForReading(m_firstPath);
    if (m_file == nullptr)
    {
        m_file = OS::OpenRegularFileForReading(m_directory + m_fileName + "_" + m_locale + ".xml");
    }
    return m_file != nullptr;
}

bool DSIMessageFileReader::Lookup(const std::string& in_messageLocale,
                                  const orvik_wstring& in_key,
                                  int32_t in_componentId,
                                  orvik_wstring& out_text,
                                  uint32_t& out_nativeErrorCode)
{
    if (m_file == nullptr && !OpenFile())
    {
        out_nativeErrorCode = MESSAGE_NOT_FOUND;
        out_text = u"[DSI] The error message " + in_key + u" could not be found in the " +
                   FromUtf8(in_messageLocale.c_str()) + u" locale. Check that " + FromUtf8(m_firstPath.c_str()) +
                   u" exists.";
        return false;
    }
    MessageParseState state;
    state.m_componentPrefix = m_componentPrefix;
    state.m_key = in_key;
    state.m_componentId = in_componentId;
    state.m_text = u"";
    const std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate(nullptr));
    if (parser == nullptr)
    {
        throw std::bad_alloc();
    }
    state.m_parser = parser.get();
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), StartElementHandler, EndElementHandler);
    XML_SetCharacterDataHandler(parser.get(), CharacterDataHandler);

    std::rewind(m_file);
    char chunk[CHUNK_SIZE];
    bool isFinal = false;
    while (!isFinal && !state.m_done)
    {
        const size_t count = std::fread(chunk, 1, sizeof chunk, m_file);
        isFinal = count < sizeof chunk;
        if (XML_Parse(parser.get(), chunk, static_cast<int>(count), isFinal ? XML_TRUE : XML_FALSE) == XML_STATUS_OK)
        {
            continue;
        }
        if (state.m_failure)
        {
            std::rethrow_exception(state.m_failure);
        }
        if (!state.m_done && state.m_found)
        {
            state.m_text = u"[DSI] Parsing error occurred at line " +
                           Support::NumberConverter::ConvertUInt64ToWString(XML_GetCurrentLineNumber(parser.get())) +
                           u" of file '" + FromUtf8((m_directory + m_fileName).c_str()) +
                           u"' while looking for message with ID '" + in_key + u"': " +
                           FromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get())));
        }
        break;
    }
    if (!state.m_found)
    {
        out_nativeErrorCode = MESSAGE_NOT_FOUND;
        out_text = u"[DSI]: Error message not found: " + in_key;
        return true;
    }
    out_text = state.m_text;
    out_nativeErrorCode = static_cast<uint32_t>(state.m_nativeErrorCode);
    return true;
}

} // namespace DSI
} // namespace Orvik
