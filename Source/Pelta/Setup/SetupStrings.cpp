#include "Pelta/Setup/SetupStrings.h"

#include "Pelta/PeltaError.h"
#include "Support/NumberConverter.h"

#include <algorithm>
#include <string_view>
#include <vector>

using Orvik::Support::orvik_wstring;

namespace Pelta {

namespace {

struct StringRow
{
    int32_t m_id;
    const char16_t* m_text;
};

// Ids 127, 132 and 133 are not in the table; 110, 112, 113, 118 and 119 are, though setup never
// loads them.
constexpr StringRow STRING_TABLE[] = {
    { 104, u"Invalid window handle." },
    { 105, u"Invalid keyword-value pairs." },
    { 106, u"Invalid driver or translator name." },
    { 107, u"Invalid type of request." },
    { 108, u"Request failed." },
    { 109, u"Driver- or translator-specific error." },
    { 110, u"Data Source Name value cannot be empty." },
    { 111, u"DSN Configuration Error" },
    { 112, u"Data Source Name value cannot contain any of the following characters: []{}(),;?*=!@\\" },
    { 113, u"Invalid Data Source Name" },
    { 114, u"Error writing changes to registry, ensure proper permissions have been granted." },
    { 115, u"OK" },
    { 116, u"Cancel" },
    { 117, u"Test..." },
    { 118, u"Logging Options..." },
    { 119, u" (32 bit)" },
    { 120, u" (64 bit)" },
    { 121, u"Pelta ODBC Driver DSN Setup" },
    { 122, u"Data Source Name:" },
    { 123, u"Description:" },
    { 124, u"Logging Options" },
    { 125, u"Log Level:" },
    { 126, u"Log Path:" },
    { 128, u"Test Results" },
    { 129, u"FAILED!\r\n\r\n" },
    { 130, u"SUCCESS! \r\n\r\nSuccessfully connected to data source!" },
    { 131, u"Max String Column Size:" },
    { 134, u"Pelta ODBC Driver Connection Dialog" },
    { 135, u"Max Number Files:" },
    { 136, u"Max File Size (MB):" },
    { 137, u"Log Rotation" },
    { 138, u"Invalid value for the maximum number of log files to use in rotation, valid values are [0, 4294967295]." },
    { 139, u"Invalid value for the maximum size of each log file in MB, valid values are [0, 4096]." },
    { 140, u"The setup dialog cannot be shown: no user interface is available to this process. Write the "
           u"data source into odbc.ini instead, for example with \"odbcinst -i -s -f <file>\", giving its "
           u"Driver, Servers and other settings." },
    { 1037, u"Timeout:" },
    { 1038, u"Re-Entry Time:" },
    { 1039, u"Servers:" },
    { 1040, u"Comma separated host:port values. \ne.g. host1:port1, host2:port2" },
};

constexpr int32_t BUFFER_STEP = 2048;
constexpr char16_t STRING_LOAD_ERROR[] = u"Error loading the string.";

// The string's text; null when the table has none.
const char16_t* FindString(int32_t in_id)
{
    for (const StringRow& row : STRING_TABLE)
    {
        if (row.m_id == in_id)
        {
            return row.m_text;
        }
    }
    return nullptr;
}

} // namespace

int32_t LoadStringResource(int32_t in_id, char16_t* out_buffer, int32_t in_size)
{
    if (in_size <= 0)
    {
        return 0;
    }
    const char16_t* text = FindString(in_id);
    const std::u16string_view view = text != nullptr ? std::u16string_view(text) : std::u16string_view();
    const int32_t count = static_cast<int32_t>(std::min<size_t>(view.size(), static_cast<size_t>(in_size - 1)));
    std::copy_n(view.data(), count, out_buffer);
    out_buffer[count] = u'\0';
    return count;
}

orvik_wstring LoadResourceString(int32_t in_id, StringLoader in_loader)
{
    std::vector<char16_t> buffer(BUFFER_STEP);
    for (;;)
    {
        const int32_t size = static_cast<int32_t>(buffer.size());
        const int32_t count = in_loader(in_id, buffer.data(), size);
        if (count <= 0)
        {
            return orvik_wstring(STRING_LOAD_ERROR);
        }
        // A text that filled the buffer may have been cut: read it again with more room.
        if (count < size - 1)
        {
            return orvik_wstring(buffer.data(), count);
        }
        buffer.resize(buffer.size() + BUFFER_STEP);
    }
}

orvik_wstring LoadRequiredString(int32_t in_id)
{
    const char16_t* text = FindString(in_id);
    if (text == nullptr || *text == u'\0')
    {
        throw PeltaError("PeltaStringResourceError",
                         { Orvik::Support::NumberConverter::ConvertUInt32ToWString(static_cast<uint32_t>(in_id)) });
    }
    return orvik_wstring(text);
}

} // namespace Pelta
