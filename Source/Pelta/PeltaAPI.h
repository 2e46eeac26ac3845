#pragma once

#include "Pelta/RESTAction.h"

#include <rapidjson/fwd.h>

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace DSI {
class ILogger;
}
} // namespace Orvik

namespace Pelta {

struct PeltaConnectionSettings;

/// The back end's database client. It chooses the server of each request from the
/// connection's server pool, sends statements as JSON over HTTP through its own RESTAction,
/// checks every reply for a server error and reads the members its callers need.
///
/// Pool mode is fixed at construction: on when the connection then had more than one active
/// server or any inactive one. In pool mode each request goes to the next active server that
/// answers a liveness GET, servers that do not are taken out of rotation, and servers out
/// longer than ReEntryTime are taken back. A server that refuses the connection of the request
/// itself, before any of it was sent, is taken out too, and the request goes to the next one;
/// a request that may have reached a server is never sent again, in either mode: it fails with
/// "PeltaSentRequestUnanswered" (08S01) when no reply came. Without pool mode every request
/// goes to the endpoint.
///
/// Argument values are JSON texts (PeltaJsonWriter); the statement text is the escaped text
/// that stands between the quotes of "stmt".
class PeltaAPI
{
public:
    /// The one extra header line of every request.
    static constexpr const char* USER_AGENT_LINE = "User agent: orvik-odbc 01.00.00.1000";

    /// Borrows in_log and in_settings, which must outlive the client. Request and reply
    /// bodies, the server choice and timings are logged at TRACE.
    PeltaAPI(Orvik::DSI::ILogger& in_log, PeltaConnectionSettings& in_settings);

    PeltaAPI(const PeltaAPI&) = delete;
    PeltaAPI& operator=(const PeltaAPI&) = delete;

    /// Whether requests go through the server pool.
    bool IsPoolMode() const { return m_poolMode; }

    /// The time limit of every later statement request, in seconds (0 for none): the
    /// statement's SQL_ATTR_QUERY_TIMEOUT, for its liveness checks and the request together.
    /// A request that runs out of it fails with HYT00.
    void SetRequestTimeout(uint64_t in_seconds) { m_requestTimeout = in_seconds; }

    /// Ends the running request from another thread ("PeltaRequestCanceled", HY008); see
    /// RESTAction::Cancel.
    void Cancel() { m_action.Cancel(); }

    /// Chooses the server of the next request and points the action at it. Raises
    /// "PeltaAllServersAreInInactiveList" when no active server answers.
    void Prepare();

    /// Takes back, at the end of rotation, the servers that left first and whose re-entry
    /// time has passed.
    void AddIntoActiveServers();

    /// Whether a GET of "http://" + in_server, within the connection's Timeout, answers with a
    /// body that is one JSON value.
    bool IsServerOnline(const std::string& in_server);

    /// Posts in_body to the current endpoint and checks the reply (CheckResponseError).
    std::string& SendRequest(std::string& out_reply, std::string in_body);

    /// ParseReply into a document of its own.
    static void CheckResponseError(const std::string& in_reply);

    /// Parses in_reply (up to its first NUL; any depth of nesting; numbers read as the reply
    /// reader reads them) and raises what it reports: "PeltaJSONParseError" (RapidJSON's code)
    /// when it is not one JSON value or holds a number beyond the doubles,
    /// "PeltaJSONWrongType" ("reply", "object") when its root is not an object, "PeltaAPIError"
    /// (code, message) with the SQLSTATE of its error code when it holds "error"
    /// ("PeltaJSONMemberNotFoundError" "code" when the code is missing). Readers of the
    /// members (result sets, row counts) parse through it.
    static void ParseReply(const std::string& in_reply, rapidjson::Document& out_document);

    /// The checks of ParseReply on a reply that its reader parsed itself: "PeltaJSONWrongType"
    /// when in_root is not an object, "PeltaAPIError" when it holds "error".
    static void CheckReply(const rapidjson::Value& in_root);

    /// "PeltaJSONParseError" with RapidJSON's error code.
    [[noreturn]] static void ThrowParseError(int32_t in_code);

    /// The member in_name of in_object; "PeltaJSONMemberNotFoundError" with the name when it
    /// is missing or in_object is not an object.
    static const rapidjson::Value& GetMember(const rapidjson::Value& in_object,
                                             const char* in_name);

    /// GetMember read as a signed 32-bit integer; "PeltaJSONWrongType" (name, "integer")
    /// when it is another kind of value.
    static int32_t GetInt32Member(const rapidjson::Value& in_object, const char* in_name);

    /// GetMember read as a UTF-8 string; "PeltaJSONWrongType" (name, "string") otherwise.
    static std::string GetStringMember(const rapidjson::Value& in_object, const char* in_name);

    /// The argument tail of one set, from `", "args":[` to `]}`; empty for an empty set.
    static std::string BuildRequest(const std::vector<std::string>& in_values);

    /// The SQLSTATE of a server error code.
    static const char* MapErrorCodeToSQLState(int32_t in_code);

    /// Sends one statement with no or one parameter set and returns the checked reply.
    std::string& ExecuteQuery(std::string& out_reply,
                              const std::string& in_text,
                              const std::vector<std::string>& in_values);

    /// ExecuteQuery that hands the reply back unread, for a caller that parses it once itself
    /// and checks it with CheckReply.
    std::string& ExecuteQueryUnchecked(std::string& out_reply,
                                       const std::string& in_text,
                                       const std::vector<std::string>& in_values);

    /// The column probe of a prepared query: "select * from (" text ") limit 0", and when that
    /// fails (but not by a cancel, the end of its time or a reply lost once it was sent), text
    /// " limit 0" to the same server; in_values holds one null per marker.
    std::string& ExecuteMetadataQuery(std::string& out_reply,
                                      const std::string& in_text,
                                      const std::vector<std::string>& in_values);

    /// Sends one statement with several parameter sets and returns the sum of their row
    /// counts. The sets the server reports failed (row count -2) are appended to
    /// out_failedSets, numbered from 1 in the order sent, and then "PeltaBulkOperationError"
    /// (sum of the others, number failed) is raised.
    int64_t ExecuteBulkOperation(const std::string& in_text,
                                 const std::vector<std::vector<std::string>>& in_sets,
                                 std::vector<uint64_t>& out_failedSets);

    /// Probes the active servers in order, without changing the queues, each within the
    /// settings' timeout (seconds; 0 for none), and reads the cluster name and version number of
    /// the first that answers; "PeltaNoServerAnswered" (08001) with the last failure when none
    /// does.
    void TestConnection(std::string& out_clusterName, std::string& out_versionNumber);

private:
    void ChooseServer();
    void Send(std::string in_body, std::string& out_reply, rapidjson::Document& out_document);
    void Post(std::string in_body, std::string& out_reply);
    /// Posts the action's body; false when the server refused the connection before the request
    /// went out and, in pool mode and within the time limit, another server may take it.
    bool TryPost(std::string& out_reply);
    /// Takes the server that refused the request out of rotation and points the action, with
    /// the same body, at the next one that answers its liveness check.
    void FailOver();
    /// Moves in_server from the active queue to the inactive one, unless another request did.
    void TakeOutOfRotation(const std::string& in_server);
    /// "PeltaHTTPStatusError" (status, the start of the reply) for a reply of a failing HTTP
    /// status whose body is not JSON; used on statement replies and on the probe at connect.
    void CheckStatus(const std::string& in_reply) const;
    /// The seconds left of the running request's time limit, rounded up, at least 1.
    uint64_t GetRemainingSeconds() const;
    /// Whether the running request has a time limit and it has run out.
    bool IsPastDeadline() const;
    /// The time limit of a liveness check: the connection's Timeout, cut to what is left of
    /// the request's time limit.
    uint64_t GetLivenessTimeout() const;
    static std::string BuildStatementBody(const char* in_prefix,
                                          const std::string& in_text,
                                          const char* in_suffix,
                                          const std::vector<std::string>& in_values);
    std::string& SendStatement(std::string& out_reply,
                               const char* in_prefix,
                               const std::string& in_text,
                               const char* in_suffix,
                               const std::vector<std::string>& in_values);

    PeltaConnectionSettings& m_settings;
    RESTAction m_action;
    Orvik::DSI::ILogger& m_log;
    std::string m_endpoint;
    /// The server of the endpoint, in pool mode.
    std::string m_server;
    uint64_t m_requestTimeout = 0;
    /// The clock reading (milliseconds) at which the running request's time limit ends; 0 for
    /// none. Set by Prepare.
    int64_t m_deadline = 0;
    bool m_poolMode = false;
};

} // namespace Pelta
