#pragma once

#include "Support/EncodingType.h"

#include <sql.h>

#include <cstdint>
#include <memory>

namespace Orvik {

namespace DSI {
class IQueryExecutor;
class ParameterSource;
} // namespace DSI

namespace Support {
class EncodingConverter;
} // namespace Support

namespace ODBC {

class Statement;

/// The parameter whose value the application is sending in pieces (SQLPutData): each piece is
/// checked against the ones before, converted to the parameter's SQL type and pushed to the query
/// executor. Character pieces for a character parameter, and bytes, which are its text, are
/// transcoded into one piece buffer, which is pushed when it is full and when the parameter ends,
/// so that many small pieces make few pushes. Character parameters hold at most their declared
/// length in characters, binary ones in bytes (22001 beyond). Diagnostics name the parameter set
/// as the row and the parameter as the column. Used under the statement's APD and IPD locks.
class DataAtExecParameter
{
public:
    /// Pushes to io_executor the pieces of io_statement's parameters (neither owned).
    DataAtExecParameter(DSI::IQueryExecutor& io_executor, Statement& io_statement);
    ~DataAtExecParameter();

    DataAtExecParameter(const DataAtExecParameter&) = delete;
    DataAtExecParameter& operator=(const DataAtExecParameter&) = delete;

    /// Starts serving parameter in_parameter of set in_set (both from 1): no piece yet, the
    /// encoding converter of a character value, the declared capacity.
    void Begin(uint64_t in_set, int16_t in_parameter);

    /// Checks, converts and pushes one piece: in_length bytes at in_data, SQL_NTS, SQL_NULL_DATA
    /// or SQL_DEFAULT_PARAM. A second piece of a value that is neither character nor binary
    /// throws "SendNonCharBinaryConcatData" (HY019); a piece after a NULL or default piece, or a
    /// NULL, default or missing piece after data, "SendConcatDataForDefaultOrNullParam" (HY020);
    /// a C type that does not convert to the parameter's SQL type "DataConvNotSupported" (07006);
    /// more than the declared capacity "StrRightTruncErr" (22001); a default the executor refuses
    /// 07S01 with the executor's message.
    void Push(SQLPOINTER in_data, SQLLEN in_length);

    /// Ends the parameter: the text the converter still holds is pushed, unless a NULL or default
    /// piece was sent, and the converter is deleted. A converter that fails there throws
    /// ODBCInternalException "FlushFailed".
    void Finish();

    /// Forgets the parameter without pushing anything.
    void Clear();

private:
    /// Throws what Push refuses a piece for before converting it.
    void CheckPiece(SQLPOINTER in_data, SQLLEN in_length);

    /// A character piece through the encoding converter into the piece buffer.
    void PushText(SQLPOINTER in_data, SQLLEN in_length);

    /// Any other piece, converted whole by the registry's converter.
    void PushValue(SQLPOINTER in_data, SQLLEN in_length);

    /// Makes the piece buffer io_converter's target, with room for what the capacity allows.
    void SetBufferAsTarget(Support::EncodingConverter& io_converter);

    /// Pushes the first in_bytes bytes of the piece buffer.
    void PushBuffer(int32_t in_bytes);

    /// Takes the characters (bytes for binary values) of in_length bytes at in_value off the
    /// capacity; throws 22001 when they exceed it.
    void UseCapacity(const void* in_value, uint64_t in_length);

    /// Hands io_piece to the executor.
    void PushToExecutor(DSI::ParameterSource& io_piece);

    [[noreturn]] void ThrowTooLong() const;

    DSI::IQueryExecutor& m_executor;
    Statement& m_statement;
    uint64_t m_set = 0;
    int16_t m_parameter = 0;
    bool m_canConcatenate = false;
    bool m_hasCapacity = false;
    bool m_countsCharacters = false;
    Support::EncodingType m_encoding = Support::ENC_NONE;
    uint64_t m_remaining = 0;
    std::unique_ptr<Support::EncodingConverter> m_converter;
    std::unique_ptr<char[]> m_buffer;
    int32_t m_bufferSize = 0;
    bool m_isBufferConsumed = false;
    bool m_hasPiece = false;
    bool m_isNullOrDefault = false;
};

} // namespace ODBC
} // namespace Orvik
