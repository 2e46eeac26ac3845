#pragma once

// Test helper: lists of type ids as the tests of the conversion tables write them, by source rows
// and target groups, and the cells such lists name.

#include "Support/TypedDataWrapper/TDWType.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

namespace Orvik {
namespace Support {

using Types = std::vector<TDWType>;
using Pairs = std::vector<std::pair<TDWType, TDWType>>;

inline Types operator+(Types in_left, const Types& in_right)
{
    in_left.insert(in_left.end(), in_right.begin(), in_right.end());
    return in_left;
}

inline Pairs operator+(Pairs in_left, const Pairs& in_right)
{
    in_left.insert(in_left.end(), in_right.begin(), in_right.end());
    return in_left;
}

/// in_types less those of in_dropped, in order.
inline Types Without(const Types& in_types, const Types& in_dropped)
{
    Types kept;
    for (TDWType type : in_types)
    {
        if (std::find(in_dropped.begin(), in_dropped.end(), type) == in_dropped.end())
        {
            kept.push_back(type);
        }
    }
    return kept;
}

/// Every row of in_rows paired with every target of in_targets.
inline Pairs Product(const Types& in_rows, const Types& in_targets)
{
    Pairs pairs;
    for (TDWType row : in_rows)
    {
        for (TDWType target : in_targets)
        {
            pairs.emplace_back(row, target);
        }
    }
    return pairs;
}

/// Sources whose rows hold the same targets, and how many targets each row has.
struct TypeRow
{
    Types sources;
    Types targets;
    size_t count;
};

/// The (source, target) cells the rows list, each row's count checked against its targets.
inline std::set<std::pair<int, int>> ListedCells(const std::vector<TypeRow>& in_rows)
{
    std::set<std::pair<int, int>> cells;
    for (const TypeRow& row : in_rows)
    {
        EXPECT_EQ(row.count, std::set<TDWType>(row.targets.begin(), row.targets.end()).size())
            << "row of source " << row.sources.front();
        for (TDWType source : row.sources)
        {
            for (TDWType target : row.targets)
            {
                cells.insert({source, target});
            }
        }
    }
    return cells;
}

} // namespace Support
} // namespace Orvik
