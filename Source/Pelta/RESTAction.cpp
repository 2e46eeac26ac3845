#include "Pelta/RESTAction.h"

#include "DSI/ILogger.h"
#include "Pelta/PeltaError.h"
#include "Platform/OsClock.h"
#include "Support/NumberConverter.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <mutex>

using Orvik::Support::NumberConverter;

namespace Pelta {

namespace {

constexpr char LOG_NAMESPACE[] = "Pelta";
constexpr char LOG_CLASS[] = "RESTAction";

constexpr char LOCATION_PREFIX[] = "Location: ";
constexpr size_t LOCATION_PREFIX_LENGTH = sizeof(LOCATION_PREFIX) - 1;

constexpr char TIMEOUT_EXPIRED_STATE[] = "HYT00";
constexpr char OPERATION_CANCELED_STATE[] = "HY008";
constexpr char COMMUNICATION_LINK_FAILURE_STATE[] = "08S01";

// How long, in whole seconds, a connection may have been idle and still carry the next
// request. A request other than a GET that meets a connection the server is just closing
// cannot be sent again, so a connection is given up well before the shortest idle limit
// that HTTP servers commonly keep (5 seconds); libcurl counts whole seconds and reuses
// connections idle for up to one second more than this.
constexpr long MAX_IDLE_SECONDS = 2;

[[noreturn]] void ThrowCurlError(CURLcode in_code)
{
    if (in_code == CURLE_OPERATION_TIMEDOUT)
    {
        // Only a time limit the caller set runs out: applications tell it by its own state.
        throw PeltaStateError("PeltaAPIErr", TIMEOUT_EXPIRED_STATE, {curl_easy_strerror(in_code)});
    }
    throw PeltaError("PeltaAPIErr", {curl_easy_strerror(in_code)});
}

void Check(CURLcode in_code)
{
    if (in_code != CURLE_OK)
    {
        ThrowCurlError(in_code);
    }
}

// The failures that come before any connection to the server exists.
bool IsFailureToConnect(CURLcode in_code)
{
    return in_code == CURLE_COULDNT_CONNECT || in_code == CURLE_COULDNT_RESOLVE_HOST;
}

} // namespace

void RESTAction::InitializeLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

RESTAction::RESTAction(Orvik::DSI::ILogger& in_log) : m_log(in_log)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "RESTAction");
    InitializeLibrary();
    m_curl = curl_easy_init();
    if (m_curl == nullptr)
    {
        ThrowCurlError(CURLE_FAILED_INIT);
    }
    Reset();
}

RESTAction::~RESTAction()
{
    curl_slist_free_all(m_headers);
    curl_easy_cleanup(m_curl);
}

void RESTAction::AddHeaderOption(const std::string& in_line)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "AddHeaderOption");
    curl_slist* headers = curl_slist_append(m_headers, in_line.c_str());
    if (headers == nullptr)
    {
        ThrowCurlError(CURLE_OUT_OF_MEMORY);
    }
    m_headers = headers;
}

void RESTAction::SetEndpoint(const std::string& in_url)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "SetEndpoint");
    Reset();
    m_endpoint = in_url;
}

void RESTAction::SetBody(std::string in_body)
{
    m_body = std::move(in_body);
}

void RESTAction::SetTimeout(uint64_t in_seconds)
{
    const long seconds = static_cast<long>(std::min<uint64_t>(in_seconds, LONG_MAX));
    curl_easy_setopt(m_curl, CURLOPT_TIMEOUT, seconds);
}

void RESTAction::Reset()
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "Reset");
    m_body.clear();
    curl_easy_reset(m_curl);
    curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(m_curl, CURLOPT_TIMEOUT, 0L);
    // The servers are reached directly: a proxy named by the environment must not take over.
    curl_easy_setopt(m_curl, CURLOPT_PROXY, "");
    // A time limit must not raise signals in a host process that has threads of its own.
    curl_easy_setopt(m_curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_curl, CURLOPT_MAXAGE_CONN, MAX_IDLE_SECONDS);
    m_location.clear();
    m_responseCode = 0;
    m_cancel = 0;
    m_isRequestStarted = false;
    m_isResendStopped = false;
    m_isRefusedBeforeSending = false;
    m_isSentUnanswered = false;
}

std::string RESTAction::TakeBody()
{
    std::string body;
    body.swap(m_body);
    return body;
}

void RESTAction::Get(std::string& io_response)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "Get");
    DoAction(VERB_GET, io_response);
}

void RESTAction::Post(std::string& io_response)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "Post(out_response)");
    DoAction(VERB_POST, io_response);
}

void RESTAction::DoAction(int32_t in_verb, std::string& io_response)
{
    m_writeTarget.response = &io_response;
    m_writeTarget.curl = m_curl;
    m_writeTarget.isSized = false;
    Check(curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &RESTAction::WriteCallback));
    Check(curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &m_writeTarget));

    m_cancel = 0;
    m_location.clear();
    m_isRequestStarted = false;
    m_isResendStopped = false;
    m_isRefusedBeforeSending = false;
    m_isSentUnanswered = false;
    // Only a GET asks the server for nothing but an answer: any other request may change data.
    m_isResendAllowed = in_verb == VERB_GET;
    Check(curl_easy_setopt(m_curl, CURLOPT_PREREQFUNCTION, &RESTAction::PrerequestCallback));
    Check(curl_easy_setopt(m_curl, CURLOPT_PREREQDATA, this));
    Check(curl_easy_setopt(m_curl, CURLOPT_HEADERFUNCTION, &RESTAction::HeaderCallback));
    Check(curl_easy_setopt(m_curl, CURLOPT_HEADERDATA, &m_location));
    // Called about once a second even while nothing arrives, so that Cancel is seen.
    Check(curl_easy_setopt(m_curl, CURLOPT_XFERINFOFUNCTION, &RESTAction::ProgressCallback));
    Check(curl_easy_setopt(m_curl, CURLOPT_XFERINFODATA, &m_cancel));
    Check(curl_easy_setopt(m_curl, CURLOPT_NOPROGRESS, 0L));
    m_url = m_endpoint;
    if (in_verb == VERB_GET && !m_body.empty())
    {
        m_url.append(1, '?').append(m_body);
    }
    Check(curl_easy_setopt(m_curl, CURLOPT_URL, m_url.c_str()));
    SetVerbOptions(in_verb);
    Check(curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers));

    Perform();

    long status = 0;
    Check(curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &status));
    m_responseCode = static_cast<int32_t>(status);
    m_body.clear();
}

void RESTAction::SetVerbOptions(int32_t in_verb)
{
    switch (in_verb)
    {
    case VERB_DELETE:
        Check(curl_easy_setopt(m_curl, CURLOPT_CUSTOMREQUEST, "DELETE"));
        return;
    case VERB_GET:
        Check(curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L));
        return;
    case VERB_POST:
        Check(curl_easy_setopt(m_curl, CURLOPT_POST, 1L));
        // libcurl reads the body from the action, which keeps it until the request ends.
        Check(curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, m_body.data()));
        Check(curl_easy_setopt(
            m_curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(m_body.size())));
        return;
    case VERB_PUT:
        m_uploaded = 0;
        Check(curl_easy_setopt(m_curl, CURLOPT_UPLOAD, 1L));
        Check(curl_easy_setopt(m_curl, CURLOPT_READFUNCTION, &RESTAction::ReadCallback));
        Check(curl_easy_setopt(m_curl, CURLOPT_READDATA, this));
        Check(curl_easy_setopt(
            m_curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(m_body.size())));
        return;
    default:
        throw PeltaError("RESTAPIUnknownRequestType",
                         {NumberConverter::ConvertInt32ToWString(in_verb)});
    }
}

void RESTAction::Perform()
{
    m_log.LogTrace(LOG_NAMESPACE, LOG_CLASS, "DoAction", "Send REST request.");
    const int64_t start = Orvik::OS::GetMonotonicMilliseconds();
    const CURLcode result = curl_easy_perform(m_curl);
    const int64_t end = Orvik::OS::GetMonotonicMilliseconds();
    m_log.LogTrace(LOG_NAMESPACE,
                   LOG_CLASS,
                   "DoAction",
                   "Received REST response in %f seconds.",
                   static_cast<double>(end - start) / 1000.0);
    if (result != CURLE_OK && m_cancel.load() != 0)
    {
        throw PeltaStateError("PeltaRequestCanceled", OPERATION_CANCELED_STATE, {});
    }
    m_isRefusedBeforeSending = IsFailureToConnect(result) && !m_isRequestStarted;
    m_isSentUnanswered = result != CURLE_OK && result != CURLE_OPERATION_TIMEDOUT
        && m_isRequestStarted && !m_isResendAllowed;
    if (m_isSentUnanswered)
    {
        // The application must not take the request for one that never ran, and must not
        // simply run it again. A stopped second try means the first got nothing back.
        const CURLcode reason = m_isResendStopped ? CURLE_GOT_NOTHING : result;
        throw PeltaStateError(
            "PeltaSentRequestUnanswered", COMMUNICATION_LINK_FAILURE_STATE, {curl_easy_strerror(reason)});
    }
    Check(result);
}

size_t RESTAction::WriteCallback(char* in_data, size_t in_size, size_t in_count, void* io_target)
{
    auto* target = static_cast<WriteTarget*>(io_target);
    if (*target->cancel != 0)
    {
        return 0;
    }
    const size_t length = in_size * in_count;
    if (!target->isSized)
    {
        // A large reply grows in place exactly once instead of doubling, so it never needs
        // twice its size while it arrives.
        target->isSized = true;
        curl_off_t expected = -1;
        if (curl_easy_getinfo(target->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &expected) == CURLE_OK
            && expected > 0)
        {
            try
            {
                target->response->reserve(target->response->size() + static_cast<size_t>(expected));
            }
            catch (const std::exception&)
            {
                // A length the process cannot hold: the reply grows as it arrives instead.
            }
        }
    }
    try
    {
        target->response->append(in_data, length);
    }
    catch (const std::exception&)
    {
        // No exception may cross libcurl's frames: the transfer ends with a write error.
        return 0;
    }
    return length;
}

int RESTAction::ProgressCallback(void* io_cancel, int64_t, int64_t, int64_t, int64_t)
{
    return static_cast<const std::atomic<int32_t>*>(io_cancel)->load() != 0 ? 1 : 0;
}

int RESTAction::PrerequestCallback(void* io_action, char*, char*, int, int)
{
    // Called on every connection libcurl is about to send the request on, a new one or a kept
    // one, and so also before the second try libcurl makes of its own when a kept connection
    // dies before any reply: by then the server may have run the first.
    auto* action = static_cast<RESTAction*>(io_action);
    if (action->m_isRequestStarted && !action->m_isResendAllowed)
    {
        action->m_isResendStopped = true;
        return CURL_PREREQFUNC_ABORT;
    }
    action->m_isRequestStarted = true;
    return CURL_PREREQFUNC_OK;
}

size_t RESTAction::HeaderCallback(char* in_data, size_t in_size, size_t in_count, void* io_target)
{
    const size_t length = in_size * in_count;
    if (length < LOCATION_PREFIX_LENGTH
        || std::memcmp(in_data, LOCATION_PREFIX, LOCATION_PREFIX_LENGTH) != 0)
    {
        return length;
    }
    size_t end = length;
    while (end > LOCATION_PREFIX_LENGTH && (in_data[end - 1] == '\r' || in_data[end - 1] == '\n'))
    {
        --end;
    }
    static_cast<std::string*>(io_target)
        ->assign(in_data + LOCATION_PREFIX_LENGTH, end - LOCATION_PREFIX_LENGTH);
    return length;
}

size_t RESTAction::ReadCallback(char* out_buffer, size_t in_size, size_t in_count, void* io_action)
{
    auto* action = static_cast<RESTAction*>(io_action);
    const size_t length =
        std::min(action->m_body.size() - action->m_uploaded, in_size * in_count);
    std::memcpy(out_buffer, action->m_body.data() + action->m_uploaded, length);
    action->m_uploaded += length;
    return length;
}

} // namespace Pelta
