#pragma once

#include <algorithm>
#include <memory>
#include <vector>

namespace CreationOrder {

// Children of a record as their lists show them: oldest created first, those without a
// creation date ahead of all dated ones; equal dates keep the order given.
template <typename Child> void sort(std::vector<std::shared_ptr<Child>>& children) {
    std::stable_sort(children.begin(), children.end(), [](const auto& a, const auto& b) {
        const auto ca = a->createdAt();
        const auto cb = b->createdAt();
        if (!cb)
            return false;
        return !ca || *ca < *cb;
    });
}

} // namespace CreationOrder
