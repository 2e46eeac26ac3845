#pragma once

#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/BulkWarningListener.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"
#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/SqlToCKernelState.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace Orvik {
namespace Support {

/// Throws InvalidArgumentException ("InvalidArgument") for a layout that is neither strided, a
/// pointer array nor driver-defined; the parameters name this header and the refusal's line.
[[noreturn]] void ThrowBulkLayoutInvalid();

/// Throws InvalidOperationException ("InvalidOperation") for a driver-defined layout; the
/// parameters name ConvertCustom, this header and the refusal's line.
[[noreturn]] void ThrowBulkLayoutNotSupported();

/// The bulk converter of one (SQL type, C type) pair: a conversion kernel and the state that the
/// factory made for it from the metadata of one column and one binding. For every non-NULL row of
/// a column it hands the row's value to the kernel, which writes the C value and its length; a
/// NULL row gets BulkSqlData::NULL_LENGTH in its length slot and no kernel call.
///
/// The template is instantiated per kernel signature, not per pair: the driver's pairs all use
/// SqlToCKernel and differ only in the kernel and the state they hold. A converter serves the
/// binding it was made for (a changed binding needs a new one) and is used by one thread at a
/// time, since a transcoding kernel keeps its encoding converter in the state.
template <typename Kernel = SqlToCKernel>
class SqlToCBulkConverter : public ISqlToCBulkConverter
{
public:
    SqlToCBulkConverter(Kernel in_kernel, SqlToCKernelState&& in_state)
        : m_kernel(std::move(in_kernel)), m_state(std::move(in_state))
    {
    }

    /// By the source's layout, read as an unsigned 32-bit value: strided to ConvertStrided, a
    /// pointer array to ConvertPointerArray, a driver-defined one (0x8000 and above) to
    /// ConvertCustom, each with the same arguments; any other layout throws
    /// InvalidArgumentException before anything is touched.
    uint64_t Convert(const BulkSqlData& in_source,
                     void* io_target,
                     int64_t in_elementLength,
                     int64_t in_targetStride,
                     int64_t* io_lengths,
                     int64_t in_lengthStride,
                     BulkWarningListener& io_listener) final
    {
        const uint32_t layout = static_cast<uint32_t>(in_source.m_layout);
        if (layout == BulkSqlData::LAYOUT_STRIDED)
        {
            return ConvertStrided(
                in_source, io_target, in_elementLength, in_targetStride, io_lengths, in_lengthStride, io_listener);
        }
        if (layout == BulkSqlData::LAYOUT_POINTER_ARRAY)
        {
            return ConvertPointerArray(
                in_source, io_target, in_elementLength, in_targetStride, io_lengths, in_lengthStride, io_listener);
        }
        if (layout >= BulkSqlData::FIRST_CUSTOM_LAYOUT)
        {
            return ConvertCustom(
                in_source, io_target, in_elementLength, in_targetStride, io_lengths, in_lengthStride, io_listener);
        }
        ThrowBulkLayoutInvalid();
    }

    /// A driver-defined layout. No converter of this driver accepts one: it reads and writes
    /// nothing, not even through its arguments, and throws InvalidOperationException.
    virtual uint64_t ConvertCustom(const BulkSqlData&, void*, int64_t, int64_t, int64_t*, int64_t, BulkWarningListener&)
    {
        ThrowBulkLayoutNotSupported();
    }

    /// The row loop of the strided layout: row i's value at the data base plus i data strides,
    /// its length at the length base plus i length strides.
    uint64_t ConvertStrided(const BulkSqlData& in_source,
                            void* io_target,
                            int64_t in_elementLength,
                            int64_t in_targetStride,
                            int64_t* io_lengths,
                            int64_t in_lengthStride,
                            BulkWarningListener& io_listener)
    {
        const BulkSqlData::Strided& column = in_source.m_strided;
        const char* value = static_cast<const char*>(column.m_dataBase);
        const char* length = reinterpret_cast<const char*>(column.m_lengthBase);
        Rows rows(io_target, in_elementLength, in_targetStride, io_lengths, in_lengthStride, io_listener);
        for (uint64_t row = 0; row < in_source.m_rowCount; ++row)
        {
            int64_t sourceLength = 0;
            std::memcpy(&sourceLength, length, sizeof(sourceLength));
            ConvertRow(rows, value, sourceLength);
            value += column.m_dataStride;
            length += column.m_lengthStride;
        }
        return rows.Done();
    }

    /// The row loop of the pointer-array layout: row i's value and length in the array's entry i.
    uint64_t ConvertPointerArray(const BulkSqlData& in_source,
                                 void* io_target,
                                 int64_t in_elementLength,
                                 int64_t in_targetStride,
                                 int64_t* io_lengths,
                                 int64_t in_lengthStride,
                                 BulkWarningListener& io_listener)
    {
        const char* entry = reinterpret_cast<const char*>(in_source.m_entries);
        Rows rows(io_target, in_elementLength, in_targetStride, io_lengths, in_lengthStride, io_listener);
        for (uint64_t row = 0; row < in_source.m_rowCount; ++row)
        {
            BulkSqlData::PointerEntry value;
            std::memcpy(&value, entry, sizeof(value));
            ConvertRow(rows, value.m_data, value.m_length);
            entry += sizeof(BulkSqlData::PointerEntry);
        }
        return rows.Done();
    }

    /// The state the kernel is given, as the factory made it.
    const SqlToCKernelState& GetKernelState() const { return m_state; }

private:
    /// Where the loop stands in the target and the length slots, and the row counter it
    /// advances. Slots and values may be unaligned (row-wise bindings), so they are copied
    /// rather than dereferenced.
    struct Rows
    {
        Rows(void* io_target,
             int64_t in_elementLength,
             int64_t in_targetStride,
             int64_t* io_lengths,
             int64_t in_lengthStride,
             BulkWarningListener& io_listener)
            : m_target(static_cast<char*>(io_target)),
              m_elementLength(in_elementLength),
              m_targetStride(in_targetStride),
              m_slot(reinterpret_cast<char*>(io_lengths)),
              m_lengthStride(in_lengthStride),
              m_listener(io_listener),
              m_counter(*io_listener.GetRowCounter()),
              m_first(m_counter)
        {
        }

        void WriteSlot(int64_t in_length) { std::memcpy(m_slot, &in_length, sizeof(in_length)); }

        /// Counts the row and moves to the next one; a null target stays null.
        void Advance()
        {
            ++m_counter;
            if (m_target != nullptr)
            {
                m_target += m_targetStride;
            }
            m_slot += m_lengthStride;
        }

        uint64_t Done() const { return static_cast<uint64_t>(m_counter - m_first); }

        char* m_target;
        const int64_t m_elementLength;
        const int64_t m_targetStride;
        char* m_slot;
        const int64_t m_lengthStride;
        BulkWarningListener& m_listener;
        int64_t& m_counter;
        const int64_t m_first;
    };

    // The slot holds the element length while the kernel runs: an exception leaves it there.
    void ConvertRow(Rows& io_rows, const void* in_value, int64_t in_sourceLength)
    {
        io_rows.WriteSlot(io_rows.m_elementLength);
        if (in_sourceLength == BulkSqlData::NULL_LENGTH)
        {
            io_rows.WriteSlot(BulkSqlData::NULL_LENGTH);
        }
        else
        {
            int64_t length = io_rows.m_elementLength;
            m_kernel(m_state, in_value, in_sourceLength, io_rows.m_target, length, io_rows.m_listener);
            io_rows.WriteSlot(length);
        }
        io_rows.Advance();
    }

    Kernel m_kernel;
    SqlToCKernelState m_state;
};

extern template class SqlToCBulkConverter<SqlToCKernel>;

} // namespace Support
} // namespace Orvik
