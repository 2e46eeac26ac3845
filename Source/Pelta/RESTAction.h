#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

typedef void CURL;
struct curl_slist;

namespace Orvik {
namespace DSI {
class ILogger;
}
} // namespace Orvik

namespace Pelta {

/// One HTTP exchange at a time with a database server, over one libcurl easy handle owned for
/// the action's whole life and reset, not recreated, between requests, so that libcurl keeps
/// the connection to a server open while it is busy. Plain HTTP only; redirects are handed back,
/// not followed; no proxy is used whatever the environment says. A GET may go out again on a new
/// connection when the kept one dies before any reply (libcurl's own second try); any other
/// request goes out at most once. Errors are ErrorExceptions of component 117: "PeltaAPIErr"
/// with libcurl's text, "PeltaSentRequestUnanswered" (08S01) with libcurl's text for a request
/// other than a GET that failed after it went out, "RESTAPIUnknownRequestType".
class RESTAction
{
public:
    /// Request verbs of DoAction.
    enum Verb : int32_t
    {
        VERB_DELETE = 0,
        VERB_GET = 1,
        VERB_POST = 2,
        VERB_PUT = 3,
    };

    /// Initialises libcurl for the process, once; later calls do nothing. The module calls it
    /// at start-up, and every action makes sure of it before it creates its handle.
    static void InitializeLibrary();

    /// Creates the easy handle, then Reset. Borrows in_log, which must outlive the action;
    /// every request writes two timing lines to it at TRACE.
    explicit RESTAction(Orvik::DSI::ILogger& in_log);

    /// Frees the header list and the easy handle.
    ~RESTAction();

    RESTAction(const RESTAction&) = delete;
    RESTAction& operator=(const RESTAction&) = delete;

    /// Appends one header line ("Name: value") sent with every later request; Reset keeps it.
    void AddHeaderOption(const std::string& in_line);

    /// Reset, then in_url becomes the URL of the next action.
    void SetEndpoint(const std::string& in_url);

    /// The body of the next POST or PUT, or the query string of the next GET.
    void SetBody(std::string in_body);

    /// Limits the next action to in_seconds seconds as a whole; lasts until the next Reset.
    void SetTimeout(uint64_t in_seconds);

    /// Back to a clean handle: no body, no location, status 0, TCP keep-alive, GET, no time
    /// limit, no reuse of a connection idle for more than about two seconds. The endpoint and
    /// the header lines stay.
    void Reset();

    /// A GET of the endpoint (followed by "?" and the body when there is one); the reply
    /// body, of whatever status, is appended to io_response.
    void Get(std::string& io_response);

    /// A POST of the body to the endpoint; the reply body is appended to io_response.
    void Post(std::string& io_response);

    /// Performs one request of in_verb (see Verb), appending the reply body to io_response.
    /// After a failure the body stays and io_response keeps what arrived.
    void DoAction(int32_t in_verb, std::string& io_response);

    /// The value of the last "Location: " header line of the latest action; empty without one.
    const std::string& GetLocation() const { return m_location; }

    /// The HTTP status of the latest action; 0 after Reset.
    int32_t GetResponseCode() const { return m_responseCode; }

    /// Whether the latest action failed because no connection could be made (refused, or the
    /// host not found) before any byte of its request went out: only such a request is sure
    /// not to have reached a server. One that libcurl began on a kept-alive connection may
    /// have arrived even when libcurl's own second try, on a new connection, was refused.
    bool IsRefusedBeforeSending() const { return m_isRefusedBeforeSending; }

    /// Whether the latest action failed with "PeltaSentRequestUnanswered": its request went out
    /// and the server may have acted on it.
    bool IsSentUnanswered() const { return m_isSentUnanswered; }

    /// Hands back the body of a failed action, which stays until then, and leaves none.
    std::string TakeBody();

    /// Ends the running action, from any thread, within about a second even while the server
    /// sends nothing; it then fails with "PeltaRequestCanceled" (HY008). A cancel made while no
    /// action runs is forgotten when the next one starts.
    void Cancel() { m_cancel.store(1); }

private:
    struct WriteTarget
    {
        std::string* response;
        const std::atomic<int32_t>* cancel;
        CURL* curl;
        // Whether the reply's room was set from its Content-Length.
        bool isSized;
    };

    static size_t WriteCallback(char* in_data, size_t in_size, size_t in_count, void* io_target);
    static size_t HeaderCallback(char* in_data, size_t in_size, size_t in_count, void* io_target);
    static size_t ReadCallback(char* out_buffer, size_t in_size, size_t in_count, void* io_action);
    static int ProgressCallback(void* io_cancel, int64_t, int64_t, int64_t, int64_t);
    static int PrerequestCallback(void* io_action, char*, char*, int, int);

    void SetVerbOptions(int32_t in_verb);
    void Perform();

    std::string m_endpoint;
    std::string m_location;
    std::string m_body;
    std::string m_url;
    size_t m_uploaded = 0;
    CURL* m_curl = nullptr;
    curl_slist* m_headers = nullptr;
    Orvik::DSI::ILogger& m_log;
    int32_t m_responseCode = 0;
    /// Set when libcurl is about to send the latest action's request on a connection.
    bool m_isRequestStarted = false;
    /// Whether libcurl may send the latest action's request again after it went out once.
    bool m_isResendAllowed = false;
    /// Set when libcurl's own second try of the latest action was stopped.
    bool m_isResendStopped = false;
    bool m_isRefusedBeforeSending = false;
    bool m_isSentUnanswered = false;
    std::atomic<int32_t> m_cancel{0};
    WriteTarget m_writeTarget {nullptr, &m_cancel, nullptr, false};
};

} // namespace Pelta
