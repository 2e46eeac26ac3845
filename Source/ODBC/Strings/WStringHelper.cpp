#include "ODBC/Strings/WStringHelper.h"

#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Strings/RunningPlatform.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/ErrorException.h"
#include "Support/Platform.h"
#include "Support/orvik_wstring.h"

#include <algorithm>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

IDriverManagerStringConverter& GetConverter(IDriverManagerStringConverter* in_converter)
{
    if (in_converter != nullptr)
    {
        return *in_converter;
    }
    return RunningPlatform::Get().GetEncodingConverter();
}

void SetFlag(bool* out_flag, bool in_value)
{
    if (out_flag != nullptr)
    {
        *out_flag = in_value;
    }
}

} // namespace

void WStringHelper::CopyToBuffer(const orvik_wstring& in_text,
                                 bool in_lengthInChars,
                                 void* out_buffer,
                                 int32_t in_bufferLength,
                                 IDiagManager* io_diagnostics,
                                 bool* out_truncated,
                                 IDriverManagerStringConverter* in_converter)
{
    if (out_buffer == nullptr)
    {
        SetFlag(out_truncated, false);
        return;
    }
    // The application's own mistake, reported as ODBC names it, whichever entry point it came in by.
    if (in_bufferLength < 0)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
    bool truncated = false;
    GetConverter(in_converter).ToBuffer(in_text, out_buffer, in_bufferLength, !in_lengthInChars, truncated);
    if (truncated && io_diagnostics != nullptr)
    {
        io_diagnostics->PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn", -1, -1);
    }
    SetFlag(out_truncated, truncated);
}

void WStringHelper::CopyToBufferLen16(const orvik_wstring& in_text,
                                      bool in_lengthInChars,
                                      void* out_buffer,
                                      int16_t in_bufferLength,
                                      int16_t* out_length,
                                      IDiagManager* io_diagnostics,
                                      bool* out_truncated,
                                      IDriverManagerStringConverter* in_converter)
{
    CopyToBuffer(in_text, in_lengthInChars, out_buffer, in_bufferLength, io_diagnostics, out_truncated, in_converter);
    if (out_length != nullptr)
    {
        const int32_t length = GetConverter(in_converter).GetRequiredLength(in_text, !in_lengthInChars);
        // No 16-bit buffer holds more, so the largest value still tells the application to
        // expect a cut text.
        *out_length = static_cast<int16_t>(std::min<int32_t>(length, std::numeric_limits<int16_t>::max()));
    }
}

int32_t WStringHelper::CopyToBufferLen32(const orvik_wstring& in_text,
                                         bool in_lengthInChars,
                                         void* out_buffer,
                                         int32_t in_bufferLength,
                                         int32_t* out_length,
                                         IDiagManager* io_diagnostics,
                                         bool* out_truncated,
                                         IDriverManagerStringConverter* in_converter)
{
    CopyToBuffer(in_text, in_lengthInChars, out_buffer, in_bufferLength, io_diagnostics, out_truncated, in_converter);
    if (out_length == nullptr)
    {
        return 0;
    }
    *out_length = GetConverter(in_converter).GetRequiredLength(in_text, !in_lengthInChars);
    return *out_length;
}

} // namespace ODBC
} // namespace Orvik
