// Any bytes as a reply's JSON text: the reply scanner gives the events, the error code and the
// text left in place that RapidJSON's reader gives with the reply's flags, also when the handler
// refuses an event, and every plain number it reads is the value its text reads as.

#include "FuzzSupport.h"

#include "../Unit/Pelta/ReplyEvents.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size < 1)
    {
        return 0;
    }
    // The first byte chooses the event the handler refuses (0: none); the rest is the text.
    const size_t refused = in_data[0] == 0 ? SIZE_MAX : in_data[0];
    const std::string text(reinterpret_cast<const char*>(in_data) + 1, in_size - 1);
    const std::string expected = Pelta::Test::RapidJsonEvents(text, refused);
    const std::string got = Pelta::Test::ScannerEvents(text, refused);
    FUZZ_CHECK(got == expected, Fuzz::Show(text) + ":\n  scanner:  " + got + "\n  RapidJSON: " + expected);
    return 0;
}
