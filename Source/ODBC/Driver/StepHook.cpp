#include "ODBC/Driver/StepHook.h"

#include "Platform/OsStepChannel.h"

#include <atomic>
#include <cstdint>
#include <cstring>

namespace Orvik {
namespace ODBC {

namespace {

constexpr size_t MESSAGE_BUFFER_SIZE = 1008;
constexpr int32_t NO_SOCKET = -1;

// Set at start-up, read by every reporting thread.
std::atomic<const void*> s_stepKey{nullptr};

typedef const void* (*GetStepKeyFunction)();

// Appends as much of in_text as fits before the terminator's place; the new end.
size_t Append(char* io_buffer, size_t in_end, const char* in_text)
{
    const size_t room = MESSAGE_BUFFER_SIZE - 1 - in_end;
    const size_t length = strnlen(in_text, room);
    std::memcpy(io_buffer + in_end, in_text, length);
    return in_end + length;
}

bool Exchange(int32_t in_socket, const char* in_message, size_t in_length)
{
    if (OS::SendPiece(in_socket, in_message, in_length) < 0)
    {
        return false;
    }
    uint8_t acknowledgement = 1;
    return OS::ReceiveByte(in_socket, acknowledgement) == 1 && acknowledgement == 0;
}

} // namespace

void StepHook::Initialize(const char* in_exportName)
{
    const auto getStepKey = reinterpret_cast<GetStepKeyFunction>(OS::FindProgramFunction(in_exportName));
    s_stepKey = getStepKey == nullptr ? nullptr : getStepKey();
}

void StepHook::ReportStep(const char* in_stepName)
{
    const void* stepKey = s_stepKey;
    if (stepKey != nullptr)
    {
        SendStep(OS::GetThreadSlotValue(stepKey), in_stepName);
    }
}

void StepHook::SendStep(void* io_channel, const char* in_stepName)
{
    if (io_channel == nullptr)
    {
        return;
    }
    int32_t socket = NO_SOCKET;
    std::memcpy(&socket, io_channel, sizeof(socket));
    if (socket == NO_SOCKET)
    {
        return;
    }
    const char* prefix = static_cast<const char*>(io_channel) + sizeof(socket);
    char message[MESSAGE_BUFFER_SIZE];
    size_t end = Append(message, 0, prefix);
    end = Append(message, end, in_stepName);
    message[end] = '\0';
    if (!Exchange(socket, message, end + 1))
    {
        OS::CloseSocket(socket);
        std::memcpy(io_channel, &NO_SOCKET, sizeof(NO_SOCKET));
    }
}

} // namespace ODBC
} // namespace Orvik
