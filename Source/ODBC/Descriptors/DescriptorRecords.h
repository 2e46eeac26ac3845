#pragma once

#include "ODBC/Descriptors/DescriptorHeader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace Orvik {
namespace ODBC {

/// The records of a descriptor kind that keeps them (the application descriptors and the IPD):
/// always SQL_DESC_COUNT + 1 entries, null where no record was set, with a default record that
/// stands for those. The operations that change the number of entries keep the header's count
/// with it. Callers check record numbers and hold the descriptor's lock.
template <class Record>
class DescriptorRecords
{
public:
    /// Record 0 only, not set.
    explicit DescriptorRecords(std::unique_ptr<Record> in_defaultRecord)
        : m_records(1), m_defaultRecord(std::move(in_defaultRecord))
    {
    }

    /// Whether in_number lies from 0 to the count.
    bool IsInRange(int16_t in_number) const
    {
        return in_number >= 0 && static_cast<size_t>(in_number) < m_records.size();
    }

    /// Whether record in_number was set.
    bool Has(int16_t in_number) const { return IsInRange(in_number) && m_records[in_number]; }

    /// Record in_number, which must have been set.
    Record& Get(int16_t in_number) const { return *m_records[in_number]; }

    /// Record in_number, in range, or the default record where it was not set.
    const Record& GetOrDefault(int16_t in_number) const
    {
        const std::unique_ptr<Record>& record = m_records[in_number];
        return record ? *record : *m_defaultRecord;
    }

    /// Record in_number (0 or more), made from in_arguments when it was not set; the count rises
    /// to it.
    template <typename... Arguments>
    Record& GetOrCreate(int16_t in_number, DescriptorHeader& io_header, Arguments&&... in_arguments)
    {
        if (static_cast<size_t>(in_number) >= m_records.size())
        {
            m_records.resize(static_cast<size_t>(in_number) + 1);
            io_header.m_count = in_number;
        }
        std::unique_ptr<Record>& record = m_records[in_number];
        if (!record)
        {
            record = std::make_unique<Record>(std::forward<Arguments>(in_arguments)...);
        }
        return *record;
    }

    /// Cuts or extends the records to in_count (0 or more), which becomes the count.
    void Resize(int64_t in_count, DescriptorHeader& io_header)
    {
        m_records.resize(static_cast<size_t>(in_count) + 1);
        io_header.m_count = static_cast<int16_t>(in_count);
    }

    /// Deletes record in_number; a deleted last record lowers the count to the highest record
    /// that remains. False when the record was not set.
    bool Drop(int16_t in_number, DescriptorHeader& io_header)
    {
        if (!Has(in_number))
        {
            return false;
        }
        m_records[in_number].reset();
        if (in_number == io_header.m_count)
        {
            int16_t highest = in_number;
            while (highest > 0 && !m_records[highest])
            {
                --highest;
            }
            Resize(highest, io_header);
        }
        return true;
    }

    /// Runs in_visit on every record that was set, from record 0 up.
    template <typename Visit>
    void ForEach(Visit&& in_visit) const
    {
        for (const std::unique_ptr<Record>& record : m_records)
        {
            if (record)
            {
                in_visit(*record);
            }
        }
    }

private:
    std::vector<std::unique_ptr<Record>> m_records;
    std::unique_ptr<Record> m_defaultRecord;
};

} // namespace ODBC
} // namespace Orvik
