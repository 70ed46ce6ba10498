#pragma once

// The exclusion set of the two tree books (element classes, storage places): an item together
// with every item below it, which the parent pickers hide so that an item is never moved below
// itself.

#include "core/KVList.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

template <typename TKey> class TKVExcludeSet {
public:
    // The item first, then its descendants breadth-first, each key once.
    const std::vector<TKey>& Items() const { return FItems; }
    bool Contains(const TKey& AKey) const { return FKeys.contains(AKey.Packed()); }
    void Clear() {
        FItems.clear();
        FKeys.clear();
    }

    // Fills the set with ARoot and every row reachable below it. AEnumerate(AVisit) calls
    // AVisit(key, parent key) for every loaded row in list order; children of one parent
    // enter in that order. A row whose parent is not in the set never enters, and a parent
    // cycle among the rows ends because every key enters once.
    template <typename TEnumerate> void Build(const TKey& ARoot, TEnumerate&& AEnumerate) {
        Clear();
        std::unordered_map<quint64, std::vector<TKey>> children;
        AEnumerate([&children](const TKey& AKey, const TKey& AParent) {
            children[AParent.Packed()].push_back(AKey);
        });
        Add(ARoot);
        for (std::size_t i = 0; i < FItems.size(); ++i) {
            const auto found = children.find(FItems[i].Packed());
            if (found == children.end())
                continue;
            for (const TKey& child : found->second)
                Add(child);
        }
    }

private:
    void Add(const TKey& AKey) {
        if (FKeys.insert(AKey.Packed()).second)
            FItems.push_back(AKey);
    }

    std::vector<TKey> FItems;
    std::unordered_set<quint64> FKeys;
};
