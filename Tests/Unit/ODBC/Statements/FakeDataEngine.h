#pragma once

// Test helper: a data engine whose statements are scripts. The text prepared says what the
// executor yields:
//   "select R C"   a result set of R rows and C integer columns, described when prepared
//   "update N"     a row count of N
//   "none"         no result
// several of them separated by ";" (the results of one execution, in order), and the words
//   "params N"     the statement has N parameter markers, described as WVARCHAR inputs
//   "fail-prepare" the engine refuses the text (42000)
//   "fail-length"  the engine refuses the text with HY090
//   "fail-execute" the execution fails (HY000)
//   "block"        the execution waits until it is cancelled, then fails with HY008
//   "fail-set K"   the execution reads the parameter sets up to set K, marks K failed and fails
//   "info-set K"   set K succeeds with information
//   "refuse-default" a parameter bound as the default fails the execution (07S01)
//   "output"       every output parameter gets "out<set>" (text) or 10 * set (numbers)
// An execution of a statement with parameters reads every set, records its values (see
// FakeEngineLog::s_sets) and marks each set successful.
//   "canned"       the execution yields the result FakeEngineLog::s_cannedResult makes (also to
//                  describe it when prepared)
// Catalog functions give an empty result set and record the table id and arguments they got.

#include "DSI/BadDefaultParamException.h"
#include "DSI/Client/DSIResultSetColumns.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/Client/DSIRowCountResult.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSIStatement.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/OperationCanceledException.h"
#include "DSI/ParameterList.h"
#include "DSI/ParameterSet.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "DSI/ParameterSource.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/Variant.h"

#include "Unit/ODBC/Descriptors/DescriptorTestSupport.h"

#include <sqlext.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace Orvik {
namespace Testing {

/// What the fake back end saw, and how it behaves; reset by every test.
struct FakeEngineLog
{
    static inline std::mutex s_lock;
    static inline int32_t s_lastTableId = -1;
    static inline std::vector<Support::Variant> s_lastArguments;
    static inline std::vector<std::string> s_pushes;
    /// One entry per parameter set read: "<set>:<value>,<value>...", each value as
    /// DescribeParameterValue gives it.
    static inline std::vector<std::string> s_sets;
    /// The number of sets the last execution announced.
    static inline uint64_t s_setCount = 0;
    static inline std::vector<uint64_t> s_rowsetHints;
    static inline std::atomic<int> s_cancels{0};
    static inline std::atomic<int> s_clearedCancels{0};
    static inline std::atomic<int> s_executions{0};
    static inline std::atomic<bool> s_isBlocked{false};
    static inline bool s_refusesPushes = false;
    static inline bool s_cancelThrows = false;
    static inline std::function<std::unique_ptr<DSI::IResult>()> s_cannedResult;

    static void Reset()
    {
        std::lock_guard<std::mutex> lock(s_lock);
        s_lastTableId = -1;
        s_lastArguments.clear();
        s_pushes.clear();
        s_sets.clear();
        s_setCount = 0;
        s_rowsetHints.clear();
        s_cancels = 0;
        s_clearedCancels = 0;
        s_executions = 0;
        s_isBlocked = false;
        s_refusesPushes = false;
        s_cancelThrows = false;
        s_cannedResult = nullptr;
    }
};

/// A forward-only result set of rows of integer columns.
class FakeResultSet : public DSI::IResult
{
public:
    FakeResultSet(uint64_t in_rows, uint16_t in_columns) : m_rows(in_rows), m_columns(true)
    {
        for (uint16_t column = 0; column < in_columns; ++column)
        {
            const std::u16string name = u"C" + std::u16string(1, static_cast<char16_t>(u'1' + column));
            m_columns.AddColumn(MakeColumn({SQL_INTEGER, 10}, name.c_str()));
        }
    }

    uint64_t BulkFetch(uint64_t, const DSI::BulkFetchColumns&) override { return 0; }
    void CloseCursor() override { m_position = 0; }
    void SetDataNeeded(uint16_t, bool) override {}
    bool IsDataNeeded(uint16_t) override { return false; }
    bool RetrieveData(uint16_t, Support::SqlData&, int64_t, int64_t) override { return false; }
    void SetCellmark(uint16_t) override {}
    int32_t GetResultType() override { return DSI::DSI_RESULT_SET; }
    bool HasRowCount() override { return true; }
    int64_t GetRowCount() override { return static_cast<int64_t>(m_rows); }
    DSI::IColumns* GetSelectColumns() override { return &m_columns; }
    bool CanBulkFetch(const std::set<uint16_t>&) override { return false; }
    void SetCursorType(int32_t) override {}

    void SetRowsetSize(uint64_t in_rowsetSize) override
    {
        std::lock_guard<std::mutex> lock(FakeEngineLog::s_lock);
        FakeEngineLog::s_rowsetHints.push_back(in_rowsetSize);
    }

    bool Move(int32_t, int64_t) override { return m_position < m_rows ? (++m_position, true) : false; }

private:
    uint64_t m_rows;
    uint64_t m_position = 0;
    DSI::DSIResultSetColumns m_columns;
};

/// One result of a script.
struct FakeResultSpec
{
    bool m_isResultSet = false;
    uint64_t m_rows = 0;
    uint16_t m_columns = 0;
    int64_t m_count = 0;
};

/// A statement text read as a script.
struct FakeScript
{
    std::vector<FakeResultSpec> m_results;
    uint16_t m_parameters = 0;
    bool m_failsPrepare = false;
    bool m_failsLength = false;
    bool m_failsExecute = false;
    bool m_blocks = false;
    uint64_t m_failingSet = 0;
    uint64_t m_infoSet = 0;
    bool m_refusesDefault = false;
    bool m_writesOutput = false;
    bool m_isCanned = false;

    explicit FakeScript(const std::string& in_text)
    {
        std::istringstream parts(in_text);
        std::string part;
        while (std::getline(parts, part, ';'))
        {
            std::istringstream words(part);
            std::string word;
            while (words >> word)
            {
                if (word == "select")
                {
                    FakeResultSpec result;
                    result.m_isResultSet = true;
                    words >> result.m_rows >> result.m_columns;
                    m_results.push_back(result);
                }
                else if (word == "update")
                {
                    FakeResultSpec result;
                    words >> result.m_count;
                    m_results.push_back(result);
                }
                else if (word == "params")
                {
                    words >> m_parameters;
                }
                else if (word == "fail-set")
                {
                    words >> m_failingSet;
                }
                else if (word == "info-set")
                {
                    words >> m_infoSet;
                }
                m_refusesDefault = m_refusesDefault || word == "refuse-default";
                m_writesOutput = m_writesOutput || word == "output";
                m_failsPrepare = m_failsPrepare || word == "fail-prepare";
                m_failsLength = m_failsLength || word == "fail-length";
                m_failsExecute = m_failsExecute || word == "fail-execute";
                m_blocks = m_blocks || word == "block";
                m_isCanned = m_isCanned || word == "canned";
            }
        }
    }
};

/// A parameter's value in the current set as one word: "pushed", "NULL", "DEFAULT", the text of
/// a character value in quotes, an integer in decimal, a floating-point number with %g, anything
/// else as hexadecimal bytes.
inline std::string DescribeParameterValue(DSI::ParameterSource& io_parameter)
{
    if (io_parameter.IsPushed())
    {
        return "pushed";
    }
    if (io_parameter.IsNull())
    {
        return "NULL";
    }
    if (io_parameter.IsDefault())
    {
        return "DEFAULT";
    }
    uint64_t length = 0;
    const auto* bytes = static_cast<const unsigned char*>(io_parameter.GetData(length));
    const int16_t type = io_parameter.GetSqlType();
    if (type == SQL_CHAR || type == SQL_VARCHAR || type == SQL_LONGVARCHAR || type == SQL_WCHAR ||
        type == SQL_WVARCHAR || type == SQL_WLONGVARCHAR)
    {
        return "'" + Support::orvik_wstring(bytes, static_cast<int32_t>(length), io_parameter.GetEncoding()).GetAsUTF8() +
               "'";
    }
    const bool isInteger = type == SQL_TINYINT || type == SQL_SMALLINT || type == SQL_INTEGER || type == SQL_BIGINT;
    if (isInteger && length >= 1 && length <= 8)
    {
        uint64_t unsignedValue = 0;
        std::memcpy(&unsignedValue, bytes, length);
        const int shift = static_cast<int>(64 - 8 * length);
        const int64_t value = static_cast<int64_t>(unsignedValue << shift) >> shift;
        return io_parameter.IsUnsigned() ? std::to_string(unsignedValue) : std::to_string(value);
    }
    if (type == SQL_DOUBLE || type == SQL_FLOAT || type == SQL_REAL)
    {
        double value = 0;
        if (length == sizeof(float))
        {
            float single = 0;
            std::memcpy(&single, bytes, sizeof(single));
            value = single;
        }
        else
        {
            std::memcpy(&value, bytes, sizeof(value));
        }
        char text[32];
        std::snprintf(text, sizeof(text), "%g", value);
        return text;
    }
    std::string hex;
    for (uint64_t i = 0; i < length; ++i)
    {
        char digits[3];
        std::snprintf(digits, sizeof(digits), "%02x", bytes[i]);
        hex += digits;
    }
    return "x" + hex;
}

/// The executor of one script.
class FakeExecutor : public DSI::IQueryExecutor
{
public:
    explicit FakeExecutor(FakeScript in_script) : m_script(std::move(in_script))
    {
        // A query describes its result set before it runs.
        if (m_script.m_isCanned)
        {
            m_results.AddResult(FakeEngineLog::s_cannedResult());
        }
        else if (!m_script.m_results.empty() && m_script.m_results.front().m_isResultSet)
        {
            m_results.AddResult(std::make_unique<FakeResultSet>(0, m_script.m_results.front().m_columns));
        }
    }

    void CancelExecute() override
    {
        ++FakeEngineLog::s_cancels;
        m_isCanceled = true;
        if (FakeEngineLog::s_cancelThrows)
        {
            throw Support::ErrorException(Support::DIAG_GENERAL_ERROR, 117, u"FakeCannotCancel", -1, -1);
        }
    }

    void ClearCancel() override
    {
        ++FakeEngineLog::s_clearedCancels;
        m_isCanceled = false;
    }

    void PopulateParameters(DSI::ParameterList& io_parameters) override
    {
        for (uint16_t number = 1; number <= m_script.m_parameters; ++number)
        {
            DSI::ParameterSource& parameter = io_parameters.GetParameter(number);
            parameter.SetConciseType(SQL_WVARCHAR);
            parameter.SetInputOutputType(SQL_PARAM_INPUT);
            parameter.SetColumnSize(100);
        }
    }

    void PushParamData(uint64_t in_set, DSI::ParameterSource& in_piece) override
    {
        if (FakeEngineLog::s_refusesPushes)
        {
            throw Support::ErrorException(Support::DIAG_GENERAL_ERROR, 117, u"FakePushRefused", -1, -1);
        }
        uint64_t length = 0;
        const auto* data = static_cast<const char*>(in_piece.GetData(length));
        std::lock_guard<std::mutex> lock(FakeEngineLog::s_lock);
        FakeEngineLog::s_pushes.push_back(std::to_string(in_set) + ":" +
                                          (in_piece.IsNull() ? "NULL" : std::string(data, length)));
    }

    void FinalizePushedParamData() override {}

    void Execute(Support::WarningListener*,
                 DSI::ParameterSetIterator& io_inputs,
                 DSI::ParameterSetIterator& io_outputs,
                 DSI::ParameterSetStatus& io_status) override
    {
        ++FakeEngineLog::s_executions;
        m_results.Clear();
        if (m_script.m_parameters != 0)
        {
            ReadParameterSets(io_inputs, io_outputs, io_status);
        }
        if (m_script.m_blocks)
        {
            FakeEngineLog::s_isBlocked = true;
            while (!m_isCanceled)
            {
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
            FakeEngineLog::s_isBlocked = false;
            throw DSI::OperationCanceledException(2, u"OperationCanceled");
        }
        if (m_script.m_failsExecute)
        {
            throw Support::ErrorException(Support::DIAG_GENERAL_ERROR, 117, u"FakeExecutionFailed", -1, -1);
        }
        if (m_script.m_isCanned)
        {
            m_results.AddResult(FakeEngineLog::s_cannedResult());
        }
        for (const FakeResultSpec& result : m_script.m_results)
        {
            if (result.m_isResultSet)
            {
                m_results.AddResult(std::make_unique<FakeResultSet>(result.m_rows, result.m_columns));
            }
            else
            {
                m_results.AddResult(std::make_unique<DSI::DSIRowCountResult>(result.m_count));
            }
        }
    }

    DSI::DSIResults& GetResults() override { return m_results; }
    uint16_t GetNumParams() override { return m_script.m_parameters; }

private:
    void ReadParameterSets(DSI::ParameterSetIterator& io_inputs,
                           DSI::ParameterSetIterator& io_outputs,
                           DSI::ParameterSetStatus& io_status)
    {
        FakeEngineLog::s_setCount = io_inputs.GetNumberOfSets();
        std::vector<DSI::ParameterSource*> parameters;
        while (io_inputs.MoveToNext())
        {
            const uint64_t set = io_inputs.GetCurrentRow();
            if (set == m_script.m_failingSet)
            {
                io_status.SetStatus(set, DSI::PARAM_STATUS_ERROR);
                throw Support::ErrorException(Support::DIAG_GENERAL_ERROR, 117, u"FakeSetFailed", static_cast<int64_t>(set), -1);
            }
            parameters.clear();
            io_inputs.GetCurrentSet().GetParameters(parameters);
            std::string values;
            for (size_t i = 0; i < parameters.size(); ++i)
            {
                if (m_script.m_refusesDefault && !parameters[i]->IsPushed() && parameters[i]->IsDefault())
                {
                    throw DSI::BadDefaultParamException(117, u"FakeDefaultRefused", static_cast<int64_t>(set),
                                                        static_cast<int32_t>(i + 1));
                }
                values += (i == 0 ? "" : ",") + DescribeParameterValue(*parameters[i]);
            }
            FakeEngineLog::s_sets.push_back(std::to_string(set) + ":" + values);
            if (m_script.m_writesOutput && io_outputs.MoveToNext())
            {
                WriteOutputs(io_outputs);
            }
            io_status.SetStatus(set, set == m_script.m_infoSet ? DSI::PARAM_STATUS_SUCCESS_WITH_INFO
                                                               : DSI::PARAM_STATUS_SUCCESS);
        }
        if (m_script.m_writesOutput)
        {
            // Delivers the last set's output values.
            io_outputs.MoveToNext();
        }
    }

    static void WriteOutputs(DSI::ParameterSetIterator& io_outputs)
    {
        const uint64_t set = io_outputs.GetCurrentRow();
        std::vector<DSI::ParameterSource*> parameters;
        io_outputs.GetCurrentSet().GetParameters(parameters);
        for (DSI::ParameterSource* parameter : parameters)
        {
            Support::SqlData& value = parameter->GetOutputData();
            value.SetNull(false);
            if (parameter->GetSqlType() == SQL_INTEGER)
            {
                const int32_t number = static_cast<int32_t>(10 * set);
                std::memcpy(value.GetBuffer(), &number, sizeof(number));
                value.SetConvertedLength(sizeof(number));
                continue;
            }
            const std::string text = "out" + std::to_string(set);
            value.SetLength(static_cast<uint32_t>(text.size()));
            std::memcpy(value.GetBuffer(), text.data(), text.size());
            value.SetConvertedLength(static_cast<int64_t>(text.size()));
        }
    }

    FakeScript m_script;
    DSI::DSIResults m_results;
    std::atomic<bool> m_isCanceled{false};
};

class FakeDataEngine : public DSI::DSIDataEngine
{
public:
    explicit FakeDataEngine(DSI::DSIStatement* in_statement) : DSIDataEngine(in_statement) {}

    std::unique_ptr<DSI::IQueryExecutor> Prepare(const Support::orvik_wstring& in_sql) override
    {
        FakeScript script(in_sql.GetAsUTF8());
        if (script.m_failsPrepare)
        {
            throw Support::ErrorException(Support::DIAG_SYNTAX_ERROR_OR_ACCESS_VIOLATION, 117, u"FakeSyntaxError", -1, -1);
        }
        if (script.m_failsLength)
        {
            throw Support::ErrorException(Support::DIAG_INVALID_STRING_OR_BUFFER_LENGTH, 117, u"FakeBadLength", -1, -1);
        }
        return std::make_unique<FakeExecutor>(std::move(script));
    }

    std::unique_ptr<DSI::IResult> MakeNewMetadataResult(uint32_t in_tableId,
                                                        const std::vector<Support::Variant>& in_restrictions,
                                                        const Support::orvik_wstring&,
                                                        const Support::orvik_wstring&,
                                                        bool) override
    {
        std::lock_guard<std::mutex> lock(FakeEngineLog::s_lock);
        FakeEngineLog::s_lastTableId = static_cast<int32_t>(in_tableId);
        FakeEngineLog::s_lastArguments = in_restrictions;
        return std::make_unique<FakeResultSet>(2, 5);
    }

    std::unique_ptr<DSI::DSIMetadataSource> MakeNewMetadataTable(uint32_t,
                                                                 const DSI::DSIMetadataRestrictions&,
                                                                 const Support::orvik_wstring&,
                                                                 const Support::orvik_wstring&,
                                                                 bool) override
    {
        return nullptr;
    }
};

class FakeDSIStatement : public DSI::DSIStatement
{
public:
    explicit FakeDSIStatement(DSI::DSIConnection* in_connection) : DSIStatement(in_connection, true) {}

    std::unique_ptr<DSI::DSIDataEngine> CreateDataEngine() override { return std::make_unique<FakeDataEngine>(this); }
};

} // namespace Testing
} // namespace Orvik
