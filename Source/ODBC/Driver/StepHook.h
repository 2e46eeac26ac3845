#pragma once

namespace Orvik {
namespace ODBC {

/// Lets a host program observe and pace the driver at named steps of connection and statement
/// calls, such as "GetConnectionLock_SQLExecDirect". It exists only when the host executable
/// exports the step-key function; in every other process a report does nothing.
///
/// The host's side:
/// - It exports, with C linkage and default visibility from the executable itself (linked with
///   -rdynamic), `pthread_key_t* Orvik_GetStepKey(void)`, returning the address of a
///   pthread_key_t that it created and keeps for the life of the process. The driver calls it
///   once, at start-up.
/// - For each thread it wants to observe it sets that key's value (pthread_setspecific) to a
///   channel in memory it owns: a signed 32-bit socket descriptor, immediately followed by a
///   NUL-terminated 8-bit prefix. A thread whose value is null is not observed.
/// - At each step the thread sends the prefix, the step name and one NUL byte in one send
///   (at most 1008 bytes; a longer prefix and name are cut) and waits, without a time limit,
///   for one byte in reply: 0 lets it go on. Any other byte, a closed connection or an error
///   makes the driver close the socket and store -1 in the channel, which ends the reports of
///   that thread until the host puts a new socket there. Sends never raise SIGPIPE.
class StepHook
{
public:
    StepHook() = delete;

    /// The name of the host's export.
    static constexpr const char* STEP_KEY_EXPORT = "Orvik_GetStepKey";

    /// Looks the host's export in_exportName up and keeps the step key it returns; without the
    /// export, reports do nothing.
    static void Initialize(const char* in_exportName = STEP_KEY_EXPORT);

    /// Reports step in_stepName for the calling thread. Never throws.
    static void ReportStep(const char* in_stepName);

    /// The exchange of one step over io_channel (a host's channel, or null for none).
    static void SendStep(void* io_channel, const char* in_stepName);
};

} // namespace ODBC
} // namespace Orvik
