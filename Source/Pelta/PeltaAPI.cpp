#include "Pelta/PeltaAPI.h"

#include "DSI/DSILog.h"
#include "DSI/ILogger.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaReplyCell.h"
#include "Pelta/PeltaReplyReader.h"
#include "Platform/OsClock.h"
#include "Support/NumberConverter.h"
#include "Support/Utf8Boundary.h"

#include <rapidjson/document.h>

#include <algorithm>
#include <cstring>

using Orvik::Support::ErrorException;
using Orvik::Support::NumberConverter;

namespace Pelta {

namespace {

constexpr char LOG_NAMESPACE[] = "Pelta";
constexpr char LOG_CLASS[] = "PeltaAPI";

// The fixed pieces of a statement body.
constexpr char OPENING[] = "{\"stmt\":\"";
constexpr char CLOSE_WITHOUT_ARGUMENTS[] = "\"}";
constexpr char ARGUMENTS_START[] = "\", \"args\":[";
constexpr char BULK_ARGUMENTS_START[] = "\", \"bulk_args\":[";
constexpr char ARGUMENTS_CLOSE[] = "]}";
constexpr char SEPARATOR[] = ", ";

constexpr char SUBQUERY_PROBE_PREFIX[] = "select * from (";
constexpr char SUBQUERY_PROBE_SUFFIX[] = ") limit 0";
constexpr char FALLBACK_PROBE_SUFFIX[] = " limit 0";
constexpr char STATEMENT_PATH[] = "/_sql?types";
constexpr char SCHEME[] = "http://";
constexpr int32_t FAILED_SET_ROW_COUNT = -2;
constexpr char CONNECTION_FAILED_STATE[] = "08001";

// The server's error codes and the SQLSTATE each stands for; any other code is HY000.
struct ErrorCodeState
{
    int32_t code;
    const char* sqlState;
};
constexpr ErrorCodeState ERROR_CODE_STATES[] = {
    {4000, "42000"},
    {4006, "42S22"},
    {4041, "42S02"},
    {4043, "42S22"},
    {4045, "3F000"},
    {4093, "42S01"},
};
constexpr char OTHER_ERROR_STATE[] = "HY000";

// The key of a request that the application canceled.
constexpr char16_t CANCELED_KEY[] = u"PeltaRequestCanceled";

// The longest request time limit kept, in seconds (ten years), so that a deadline never
// overflows the clock.
constexpr uint64_t MAX_REQUEST_TIMEOUT = 10ULL * 366 * 24 * 3600;

// How much of a reply that is not JSON a message quotes.
constexpr size_t REPLY_EXCERPT_LENGTH = 200;

constexpr size_t Length(const char* in_text)
{
    return std::char_traits<char>::length(in_text);
}

// The bytes of values joined by the separator.
size_t JoinedLength(const std::vector<std::string>& in_values)
{
    size_t length = in_values.empty() ? 0 : (in_values.size() - 1) * Length(SEPARATOR);
    for (const std::string& value : in_values)
    {
        length += value.size();
    }
    return length;
}

void AppendJoined(const std::vector<std::string>& in_values, std::string& io_body)
{
    for (size_t i = 0; i < in_values.size(); ++i)
    {
        if (i != 0)
        {
            io_body.append(SEPARATOR);
        }
        io_body.append(in_values[i]);
    }
}

// The end of a one-set body: the close without arguments, or the argument list and its close.
size_t TailLength(const std::vector<std::string>& in_values)
{
    return in_values.empty() ? Length(CLOSE_WITHOUT_ARGUMENTS)
                             : Length(ARGUMENTS_START) + JoinedLength(in_values)
            + Length(ARGUMENTS_CLOSE);
}

void AppendTail(const std::vector<std::string>& in_values, std::string& io_body)
{
    if (in_values.empty())
    {
        io_body.append(CLOSE_WITHOUT_ARGUMENTS);
        return;
    }
    io_body.append(ARGUMENTS_START);
    AppendJoined(in_values, io_body);
    io_body.append(ARGUMENTS_CLOSE);
}

[[noreturn]] void ThrowWrongType(const char* in_name, const char* in_kind)
{
    throw PeltaError("PeltaJSONWrongType", {in_name, in_kind});
}

std::string StatementEndpoint(const std::string& in_server)
{
    return SCHEME + in_server + STATEMENT_PATH;
}

// A document whose numbers are read from their digits as the reply reader reads them, so that
// both readers of a reply agree: RapidJSON's own reading takes some numbers beyond the double
// range for small ones (10e308) and rounds some below it away from zero (2e-324).
class ExactNumberDocument : public rapidjson::Document
{
public:
    // Hides the document's own handler of numbers given as text.
    bool RawNumber(const char* in_text, rapidjson::SizeType in_length, bool)
    {
        PeltaReplyCell cell;
        if (!PeltaReplyReader::ReadNumber(in_text, in_length, cell))
        {
            m_isTooBig = true;
            return false;
        }
        return cell.GiveNumberTo(*this);
    }

    bool IsTooBig() const { return m_isTooBig; }

private:
    bool m_isTooBig = false;
};

// Reads one JSON value up to the first NUL; iteratively, so that no nesting depth can exhaust
// the stack. Gives RapidJSON's error code, kParseErrorNone when the value was read.
int32_t ParseJson(const std::string& in_text, rapidjson::Document& out_document)
{
    ExactNumberDocument document;
    rapidjson::Reader reader;
    rapidjson::StringStream stream(in_text.c_str());
    auto parse = [&](rapidjson::Document&) {
        return !reader.Parse<rapidjson::kParseIterativeFlag | rapidjson::kParseNumbersAsStringsFlag>(stream, document).IsError();
    };
    document.Populate(parse);
    out_document.Swap(document);
    return document.IsTooBig() ? rapidjson::kParseErrorNumberTooBig : reader.GetParseErrorCode();
}

// Whether an HTTP status is a success: anything else did not come from a statement that ran.
bool IsSuccessStatus(int32_t in_status)
{
    return in_status >= 200 && in_status < 300;
}

// The start of a reply as one line of whole UTF-8 characters, for a message.
std::string ReplyExcerpt(const std::string& in_reply)
{
    // Cut before a character, never inside one.
    const size_t length = in_reply.size() > REPLY_EXCERPT_LENGTH
                              ? Orvik::Support::EndOfWholeUtf8Characters(in_reply.data(), REPLY_EXCERPT_LENGTH)
                              : in_reply.size();
    std::string excerpt = in_reply.substr(0, length);
    const auto isLineBreakOrTab = [](char in_c) { return in_c == '\r' || in_c == '\n' || in_c == '\t'; };
    std::replace_if(excerpt.begin(), excerpt.end(), isLineBreakOrTab, ' ');
    return excerpt;
}

} // namespace

PeltaAPI::PeltaAPI(Orvik::DSI::ILogger& in_log, PeltaConnectionSettings& in_settings)
    : m_settings(in_settings), m_action(in_log), m_log(in_log), m_endpoint(in_settings.endpoint)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "PeltaAPI");
    m_action.AddHeaderOption(USER_AGENT_LINE);
    std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
    m_poolMode = m_settings.activeServers.size() > 1 || !m_settings.inactiveServers.empty();
}

void PeltaAPI::Prepare()
{
    m_action.Reset();
    // The time limit covers the whole request: the liveness checks as well as the statement.
    const int64_t limit = static_cast<int64_t>(std::min(m_requestTimeout, MAX_REQUEST_TIMEOUT)) * 1000;
    m_deadline = m_requestTimeout == 0 ? 0 : Orvik::OS::GetMonotonicMilliseconds() + limit;
    if (m_poolMode)
    {
        std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
        AddIntoActiveServers();
        ChooseServer();
    }
    m_log.LogTrace(LOG_NAMESPACE, LOG_CLASS, "Prepare", "Using endpoint: %s", m_endpoint.c_str());
    m_action.SetEndpoint(m_endpoint);
}

void PeltaAPI::ChooseServer()
{
    std::deque<ServerEntry>& active = m_settings.activeServers;
    while (!active.empty())
    {
        ServerEntry entry = std::move(active.front());
        active.pop_front();
        bool online = false;
        try
        {
            online = IsServerOnline(entry.server);
        }
        catch (...)
        {
            // Not a verdict on the server: it keeps its place.
            active.push_front(std::move(entry));
            throw;
        }
        if (online)
        {
            m_server = entry.server;
            m_endpoint = StatementEndpoint(entry.server);
            active.push_back(std::move(entry));
            return;
        }
        entry.leaveTime = Orvik::OS::GetMonotonicMilliseconds();
        m_settings.inactiveServers.push_back(std::move(entry));
    }
    throw PeltaError("PeltaAllServersAreInInactiveList");
}

void PeltaAPI::AddIntoActiveServers()
{
    std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
    std::deque<ServerEntry>& inactive = m_settings.inactiveServers;
    const int64_t now = Orvik::OS::GetMonotonicMilliseconds();
    while (!inactive.empty()
           && static_cast<double>(now - inactive.front().leaveTime) / 1000.0
               > static_cast<double>(m_settings.reEntryTime))
    {
        m_log.LogTrace(LOG_NAMESPACE,
                       LOG_CLASS,
                       "AddIntoActiveServers",
                       "Adding server %s back into active pool because it has reached the "
                       "re-entry time limit",
                       inactive.front().server.c_str());
        m_settings.activeServers.push_back(std::move(inactive.front()));
        inactive.pop_front();
    }
}

bool PeltaAPI::IsServerOnline(const std::string& in_server)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "IsServerOnline");
    const std::string url = SCHEME + in_server;
    m_log.LogTrace(
        LOG_NAMESPACE, LOG_CLASS, "IsServerOnline", "Attempting to connect to %s", url.c_str());
    std::string reply;
    try
    {
        m_action.SetEndpoint(url);
        m_action.SetTimeout(GetLivenessTimeout());
        m_action.Get(reply);
    }
    catch (const ErrorException& e)
    {
        m_log.LogErrorException(LOG_NAMESPACE, LOG_CLASS, "IsServerOnline", e);
        if (e.GetMessageKey() == Orvik::Support::orvik_wstring(CANCELED_KEY) || IsPastDeadline())
        {
            // The application stopped the check, or the request's own time ran out: no verdict
            // on the server.
            throw;
        }
        return false;
    }
    rapidjson::Document document;
    return ParseJson(reply, document) == rapidjson::kParseErrorNone;
}

std::string& PeltaAPI::SendRequest(std::string& out_reply, std::string in_body)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "SendRequest");
    rapidjson::Document document;
    Send(std::move(in_body), out_reply, document);
    return out_reply;
}

void PeltaAPI::Send(std::string in_body, std::string& out_reply, rapidjson::Document& out_document)
{
    Post(std::move(in_body), out_reply);
    ParseReply(out_reply, out_document);
}

void PeltaAPI::Post(std::string in_body, std::string& out_reply)
{
    // Bodies are arguments, never formats: a "%" in them is written as it is.
    m_log.LogTrace(LOG_NAMESPACE, LOG_CLASS, "SendRequest", "%s", in_body.c_str());
    m_action.SetBody(std::move(in_body));
    while (!TryPost(out_reply))
    {
        FailOver();
    }
    m_log.LogTrace(LOG_NAMESPACE, LOG_CLASS, "SendRequest", "%s", out_reply.c_str());
    CheckStatus(out_reply);
}

bool PeltaAPI::TryPost(std::string& out_reply)
{
    if (m_deadline != 0)
    {
        m_action.SetTimeout(GetRemainingSeconds());
    }
    out_reply.clear();
    try
    {
        m_action.Post(out_reply);
        return true;
    }
    catch (const ErrorException& e)
    {
        // A server can go down between its liveness check and the request. Only a request that
        // never left may go elsewhere: one that may have arrived must not run twice.
        if (!m_poolMode || !m_action.IsRefusedBeforeSending() || IsPastDeadline())
        {
            throw;
        }
        m_log.LogErrorException(LOG_NAMESPACE, LOG_CLASS, "SendRequest", e);
        return false;
    }
}

void PeltaAPI::FailOver()
{
    // The liveness checks reset the action, which would drop the body.
    std::string body = m_action.TakeBody();
    {
        std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
        TakeOutOfRotation(m_server);
        ChooseServer();
    }
    m_log.LogTrace(LOG_NAMESPACE, LOG_CLASS, "SendRequest", "Using endpoint: %s", m_endpoint.c_str());
    m_action.SetEndpoint(m_endpoint);
    m_action.SetBody(std::move(body));
}

void PeltaAPI::TakeOutOfRotation(const std::string& in_server)
{
    std::deque<ServerEntry>& active = m_settings.activeServers;
    const auto entry = std::find_if(
        active.begin(), active.end(), [&](const ServerEntry& in_entry) { return in_entry.server == in_server; });
    if (entry == active.end())
    {
        return;
    }
    m_log.LogTrace(LOG_NAMESPACE,
                   LOG_CLASS,
                   "SendRequest",
                   "Server %s refused the connection before the request was sent: taking it out of the active pool",
                   in_server.c_str());
    ServerEntry leaving = std::move(*entry);
    active.erase(entry);
    leaving.leaveTime = Orvik::OS::GetMonotonicMilliseconds();
    m_settings.inactiveServers.push_back(std::move(leaving));
}

uint64_t PeltaAPI::GetRemainingSeconds() const
{
    // Whole seconds, rounded up: a limit of 0 would mean none.
    const int64_t left = m_deadline - Orvik::OS::GetMonotonicMilliseconds();
    return left <= 1000 ? 1 : static_cast<uint64_t>((left + 999) / 1000);
}

bool PeltaAPI::IsPastDeadline() const
{
    return m_deadline != 0 && Orvik::OS::GetMonotonicMilliseconds() >= m_deadline;
}

uint64_t PeltaAPI::GetLivenessTimeout() const
{
    if (m_deadline == 0)
    {
        return m_settings.timeout;
    }
    const uint64_t remaining = GetRemainingSeconds();
    return m_settings.timeout == 0 ? remaining : std::min<uint64_t>(m_settings.timeout, remaining);
}

void PeltaAPI::CheckStatus(const std::string& in_reply) const
{
    // A failing status with a body that is no JSON is an answer of the HTTP layer (a proxy, a
    // server starting up or overloaded), not of the database: its status and its text tell
    // what went wrong, where a JSON parse error would not. A JSON body is read as usual.
    const int32_t status = m_action.GetResponseCode();
    rapidjson::Document document;
    if (IsSuccessStatus(status) || ParseJson(in_reply, document) == rapidjson::kParseErrorNone)
    {
        return;
    }
    throw PeltaError("PeltaHTTPStatusError",
                     {NumberConverter::ConvertInt32ToWString(status), Utf8Parameter(ReplyExcerpt(in_reply))});
}

void PeltaAPI::CheckResponseError(const std::string& in_reply)
{
    rapidjson::Document document;
    ParseReply(in_reply, document);
}

void PeltaAPI::ParseReply(const std::string& in_reply, rapidjson::Document& out_document)
{
    const int32_t parseError = ParseJson(in_reply, out_document);
    if (parseError != rapidjson::kParseErrorNone)
    {
        ThrowParseError(parseError);
    }
    CheckReply(out_document);
}

void PeltaAPI::ThrowParseError(int32_t in_code)
{
    throw PeltaError("PeltaJSONParseError", {NumberConverter::ConvertInt32ToWString(in_code)});
}

void PeltaAPI::CheckReply(const rapidjson::Value& in_root)
{
    if (!in_root.IsObject())
    {
        ThrowWrongType("reply", "object");
    }
    const auto error = in_root.FindMember("error");
    if (error == in_root.MemberEnd())
    {
        return;
    }
    const int32_t code = GetInt32Member(error->value, "code");
    std::string message;
    if (error->value.HasMember("message") && error->value["message"].IsString())
    {
        const rapidjson::Value& text = error->value["message"];
        message.assign(text.GetString(), text.GetStringLength());
    }
    throw PeltaStateError("PeltaAPIError",
                          MapErrorCodeToSQLState(code),
                          {NumberConverter::ConvertInt32ToWString(code), Utf8Parameter(message)});
}

const rapidjson::Value& PeltaAPI::GetMember(const rapidjson::Value& in_object, const char* in_name)
{
    if (in_object.IsObject())
    {
        const auto member = in_object.FindMember(in_name);
        if (member != in_object.MemberEnd())
        {
            return member->value;
        }
    }
    throw PeltaError("PeltaJSONMemberNotFoundError", {in_name});
}

int32_t PeltaAPI::GetInt32Member(const rapidjson::Value& in_object, const char* in_name)
{
    const rapidjson::Value& value = GetMember(in_object, in_name);
    if (!value.IsInt())
    {
        // A whole number that is too large is not called something other than a number.
        const bool isWholeNumber = value.IsInt64() || value.IsUint64();
        ThrowWrongType(in_name, isWholeNumber ? "integer from -2147483648 to 2147483647" : "integer");
    }
    return value.GetInt();
}

std::string PeltaAPI::GetStringMember(const rapidjson::Value& in_object, const char* in_name)
{
    const rapidjson::Value& value = GetMember(in_object, in_name);
    if (!value.IsString())
    {
        ThrowWrongType(in_name, "string");
    }
    return std::string(value.GetString(), value.GetStringLength());
}

std::string PeltaAPI::BuildRequest(const std::vector<std::string>& in_values)
{
    std::string tail;
    if (!in_values.empty())
    {
        tail.reserve(TailLength(in_values));
        AppendTail(in_values, tail);
    }
    return tail;
}

const char* PeltaAPI::MapErrorCodeToSQLState(int32_t in_code)
{
    for (const ErrorCodeState& entry : ERROR_CODE_STATES)
    {
        if (entry.code == in_code)
        {
            return entry.sqlState;
        }
    }
    return OTHER_ERROR_STATE;
}

std::string PeltaAPI::BuildStatementBody(const char* in_prefix,
                                         const std::string& in_text,
                                         const char* in_suffix,
                                         const std::vector<std::string>& in_values)
{
    std::string body;
    body.reserve(Length(OPENING) + Length(in_prefix) + in_text.size() + Length(in_suffix)
                 + TailLength(in_values));
    body.append(OPENING).append(in_prefix).append(in_text).append(in_suffix);
    AppendTail(in_values, body);
    return body;
}

std::string& PeltaAPI::SendStatement(std::string& out_reply,
                                     const char* in_prefix,
                                     const std::string& in_text,
                                     const char* in_suffix,
                                     const std::vector<std::string>& in_values)
{
    return SendRequest(out_reply, BuildStatementBody(in_prefix, in_text, in_suffix, in_values));
}

std::string& PeltaAPI::ExecuteQuery(std::string& out_reply,
                                    const std::string& in_text,
                                    const std::vector<std::string>& in_values)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "ExecuteQuery");
    Prepare();
    return SendStatement(out_reply, "", in_text, "", in_values);
}

std::string& PeltaAPI::ExecuteQueryUnchecked(std::string& out_reply,
                                             const std::string& in_text,
                                             const std::vector<std::string>& in_values)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "ExecuteQuery");
    Prepare();
    Post(BuildStatementBody("", in_text, "", in_values), out_reply);
    return out_reply;
}

std::string& PeltaAPI::ExecuteMetadataQuery(std::string& out_reply,
                                            const std::string& in_text,
                                            const std::vector<std::string>& in_values)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "ExecuteMetadataQuery");
    Prepare();
    try
    {
        return SendStatement(
            out_reply, SUBQUERY_PROBE_PREFIX, in_text, SUBQUERY_PROBE_SUFFIX, in_values);
    }
    catch (const ErrorException& e)
    {
        m_log.LogErrorException(LOG_NAMESPACE, LOG_CLASS, "ExecuteMetadataQuery", e);
        if (e.GetMessageKey() == Orvik::Support::orvik_wstring(CANCELED_KEY) || IsPastDeadline()
            || m_action.IsSentUnanswered())
        {
            // The application stopped the probe, or its time ran out: a second form would
            // only wait again. Nor does a lost reply say that the server refused the first form.
            throw;
        }
    }
    // The same server again: Prepare is not repeated, so no liveness check and no rotation.
    m_action.SetEndpoint(m_endpoint);
    return SendStatement(out_reply, "", in_text, FALLBACK_PROBE_SUFFIX, in_values);
}

int64_t PeltaAPI::ExecuteBulkOperation(const std::string& in_text,
                                       const std::vector<std::vector<std::string>>& in_sets,
                                       std::vector<uint64_t>& out_failedSets)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "ExecuteBulkOperation");
    Prepare();
    size_t length = Length(OPENING) + in_text.size() + Length(BULK_ARGUMENTS_START)
        + Length(ARGUMENTS_CLOSE);
    for (const std::vector<std::string>& set : in_sets)
    {
        length += 2 + JoinedLength(set) + Length(SEPARATOR);
    }
    std::string body;
    body.reserve(length);
    body.append(OPENING).append(in_text).append(BULK_ARGUMENTS_START);
    for (size_t i = 0; i < in_sets.size(); ++i)
    {
        if (i != 0)
        {
            body.append(SEPARATOR);
        }
        body.push_back('[');
        AppendJoined(in_sets[i], body);
        body.push_back(']');
    }
    body.append(ARGUMENTS_CLOSE);

    std::string reply;
    rapidjson::Document document;
    Send(std::move(body), reply, document);
    const rapidjson::Value& results = GetMember(document, "results");
    if (!results.IsArray())
    {
        ThrowWrongType("results", "array");
    }
    if (results.Size() != in_sets.size())
    {
        // A set without its own result was neither confirmed nor refused: none can be trusted.
        throw PeltaError("PeltaBulkResultCountMismatch",
                         {NumberConverter::ConvertUInt64ToWString(in_sets.size()),
                          NumberConverter::ConvertUInt32ToWString(results.Size())});
    }
    int64_t total = 0;
    uint64_t failed = 0;
    for (rapidjson::SizeType i = 0; i < results.Size(); ++i)
    {
        const int32_t rowCount = GetInt32Member(results[i], "rowcount");
        if (rowCount == FAILED_SET_ROW_COUNT)
        {
            out_failedSets.push_back(i + 1);
            ++failed;
            continue;
        }
        total += rowCount;
    }
    if (failed != 0)
    {
        throw PeltaError("PeltaBulkOperationError",
                         {NumberConverter::ConvertInt64ToWString(total),
                          NumberConverter::ConvertUInt64ToWString(failed)});
    }
    return total;
}

void PeltaAPI::TestConnection(std::string& out_clusterName, std::string& out_versionNumber)
{
    m_log.LogFunctionEntrance(LOG_NAMESPACE, LOG_CLASS, "TestConnection");
    std::deque<ServerEntry> servers;
    {
        std::lock_guard<std::recursive_mutex> lock(m_settings.serverLock);
        servers = m_settings.activeServers;
    }
    rapidjson::Document document;
    const std::string* answered = nullptr;
    const std::string* failedServer = nullptr;
    std::string failure;
    for (const ServerEntry& entry : servers)
    {
        const std::string url = SCHEME + entry.server;
        std::string reply;
        try
        {
            m_action.SetEndpoint(url);
            // A server that takes the connection and never answers must not hang the connect.
            m_action.SetTimeout(m_settings.timeout);
            m_action.Get(reply);
            CheckStatus(reply);
            ParseReply(reply, document);
            answered = &entry.server;
            break;
        }
        catch (const ErrorException& e)
        {
            m_log.LogErrorException(LOG_NAMESPACE, LOG_CLASS, "TestConnection", e);
            m_log.LogTrace(LOG_NAMESPACE,
                           LOG_CLASS,
                           "TestConnection",
                           "Unable to use %s for server metadata",
                           url.c_str());
            failedServer = &entry.server;
            failure = Orvik::DSI::DSILog::ExceptionText(e, m_log.GetLocale());
        }
    }
    if (answered == nullptr)
    {
        // Nothing was ever in rotation yet: the user needs the reason the connection failed.
        throw PeltaStateError("PeltaNoServerAnswered",
                              CONNECTION_FAILED_STATE,
                              {NumberConverter::ConvertUInt64ToWString(servers.size()),
                               Utf8Parameter(failedServer != nullptr ? *failedServer : std::string()),
                               Utf8Parameter(failure)});
    }
    m_log.LogTrace(LOG_NAMESPACE,
                   LOG_CLASS,
                   "TestConnection",
                   "Using server at %s for server metadata",
                   (SCHEME + *answered).c_str());
    out_clusterName = GetStringMember(document, "cluster_name");
    out_versionNumber = GetStringMember(GetMember(document, "version"), "number");
}

} // namespace Pelta
