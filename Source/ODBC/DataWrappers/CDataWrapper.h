#pragma once

#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {

namespace Support {
class SqlCTypeMetadata;
} // namespace Support

namespace ODBC {

/// The C side of one application buffer: the description of its C type and where its data,
/// length and indicator are. A new or reset wrapper has no address, offset and lengths zero,
/// the null flag clear and the address-valid flag set; its user fills the rest.
class CDataWrapper
{
public:
    /// A wrapper described by in_metadata, which it owns.
    explicit CDataWrapper(std::unique_ptr<Support::SqlCTypeMetadata> in_metadata);
    ~CDataWrapper();

    CDataWrapper(const CDataWrapper&) = delete;
    CDataWrapper& operator=(const CDataWrapper&) = delete;

    Support::SqlCTypeMetadata& GetMetadata() { return *m_metadata; }
    const Support::SqlCTypeMetadata& GetMetadata() const { return *m_metadata; }

    /// The bytes one value of the buffer takes: the C structure's size for a fixed-size type,
    /// else the buffer length.
    uint64_t GetElementSize() const;

    /// The bytes one value of the buffer takes when it serves a column or parameter of SQL type
    /// in_sqlType. A SQL_C_DEFAULT buffer holds values of that type's default C type: a
    /// fixed-size one has its own size whatever buffer length was given, so that the elements of
    /// an array bound by column do not land on one another.
    uint64_t GetElementSize(Support::TDWType in_sqlType) const;

    /// Describes C type in_cType with its defaults and clears the buffer fields. The metadata is
    /// refilled in place when it already describes that type; otherwise the metadata the wrapper
    /// had for in_cType before is taken back (a new one the first time) and the current one kept
    /// for later, so that a wrapper reset again and again to a few types, as SQLGetData does from
    /// column to column, allocates nothing. Throws InvalidArgumentException for a code that is
    /// no C type.
    void Reset(int16_t in_cType);

    /// Forgets the data address.
    void ClearBuffer() { m_data = nullptr; }

    void* GetData() const { return m_data; }
    void SetData(void* in_data) { m_data = in_data; }

    /// The data length (the input length on the parameter side).
    int64_t GetDataLength() const { return m_dataLength; }
    void SetDataLength(int64_t in_length) { m_dataLength = in_length; }

    int64_t GetOffset() const { return m_offset; }
    void SetOffset(int64_t in_offset) { m_offset = in_offset; }

    int64_t GetOutputLength() const { return m_outputLength; }
    void SetOutputLength(int64_t in_length) { m_outputLength = in_length; }

    bool IsNull() const { return m_isNull; }
    void SetNull(bool in_isNull) { m_isNull = in_isNull; }

    bool IsAddressValid() const { return m_isAddressValid; }
    void SetAddressValid(bool in_isValid) { m_isAddressValid = in_isValid; }

    /// Clears the buffer fields (address, lengths, offset, flags), keeping the description.
    void ClearFields();

private:

    std::unique_ptr<Support::SqlCTypeMetadata> m_metadata;
    /// The metadata of another C type the wrapper described, with its type at hand, so that a
    /// search does not visit each metadata object.
    struct SpareMetadata
    {
        int16_t m_cType;
        std::unique_ptr<Support::SqlCTypeMetadata> m_metadata;
    };

    /// One per type.
    std::vector<SpareMetadata> m_spareMetadata;
    void* m_data = nullptr;
    int64_t m_dataLength = 0;
    int64_t m_offset = 0;
    int64_t m_outputLength = 0;
    bool m_isNull = false;
    bool m_isAddressValid = true;
};

} // namespace ODBC
} // namespace Orvik
