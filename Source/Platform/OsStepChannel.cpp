#include "Platform/OsStepChannel.h"

#include <cerrno>
#include <dlfcn.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace Orvik {
namespace OS {

namespace {

// Runs in_call until it is not interrupted by a signal.
template <typename Call>
int64_t RetryInterrupted(Call in_call)
{
    int64_t result = 0;
    do
    {
        errno = 0;
        result = in_call();
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace

void* FindProgramFunction(const char* in_name)
{
    // The program itself stays loaded for the life of the process, so its function does too.
    void* program = dlopen(nullptr, RTLD_LAZY);
    if (program == nullptr)
    {
        return nullptr;
    }
    void* function = dlsym(program, in_name);
    dlclose(program);
    return function;
}

void* GetThreadSlotValue(const void* in_key)
{
    return pthread_getspecific(*static_cast<const pthread_key_t*>(in_key));
}

int64_t SendPiece(int32_t in_socket, const void* in_data, size_t in_length)
{
    return RetryInterrupted([&] { return send(in_socket, in_data, in_length, MSG_NOSIGNAL); });
}

int64_t ReceiveByte(int32_t in_socket, uint8_t& out_byte)
{
    return RetryInterrupted([&] { return recv(in_socket, &out_byte, 1, 0); });
}

void CloseSocket(int32_t in_socket)
{
    close(in_socket);
}

} // namespace OS
} // namespace Orvik
