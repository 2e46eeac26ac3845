#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace OS {

/// The address of function in_name that the host program itself exports (it must be linked
/// with its symbols exported, -rdynamic); null when it exports none by that name.
void* FindProgramFunction(const char* in_name);

/// The calling thread's value of the thread-local slot whose pthread_key_t lies at in_key.
void* GetThreadSlotValue(const void* in_key);

/// Sends in_length bytes in one send call, without raising SIGPIPE when the peer has gone;
/// repeated while interrupted. The bytes sent, or a negative value on failure.
int64_t SendPiece(int32_t in_socket, const void* in_data, size_t in_length);

/// Receives at most one byte, repeated while interrupted. 1 when a byte came, 0 when the peer
/// closed the connection, a negative value on failure.
int64_t ReceiveByte(int32_t in_socket, uint8_t& out_byte);

void CloseSocket(int32_t in_socket);

} // namespace OS
} // namespace Orvik
