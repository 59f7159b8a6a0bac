#include "core/ArraysUnit.h"

#include "core/TSPErrors.h"

#include <algorithm>
#include <string>

void TIntegerArray::AddArray(const TIntegerArray& other) {
    // Take the length first, so that a list appended to itself is copied once.
    const size_t count = other.items_.size();
    if (count == 0)
        return;
    items_.reserve(items_.size() + count);
    for (size_t i = 0; i < count; ++i)
        items_.push_back(other.items_[i]);
}

void TIntegerArray::Delete(int32_t index) {
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
}

int32_t TIntegerArray::IndexOf(int32_t value) const {
    auto found = std::find(items_.begin(), items_.end(), value);
    return found == items_.end() ? -1 : static_cast<int32_t>(found - items_.begin());
}

void TIntegerArray::CheckIndex(int32_t index) const {
    if (index < 0 || index >= Count()) {
        throw EIntArrayError("Index " + std::to_string(index) + " > " + std::to_string(Count()) +
                             " or " + std::to_string(index) + " < 0");
    }
}

int32_t TIntegerArray::GetItem(int32_t index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)];
}

void TIntegerArray::SetItem(int32_t index, int32_t value) {
    CheckIndex(index);
    items_[static_cast<size_t>(index)] = value;
}

void TIntegerArray::SetCount(int32_t n) {
    items_.clear();
    items_.resize(static_cast<size_t>(std::max(n, 0)), 0);
}
