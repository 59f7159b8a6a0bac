#pragma once
// TIntegerArray: the one list type for sequences of node IDs (road lists,
// the selection, routes, scratch lists of the operators).

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

class TIntegerArray {
public:
    TIntegerArray() = default;
    TIntegerArray(std::initializer_list<int32_t> values) : items_(values) {}

    void Add(int32_t value) { items_.push_back(value); }
    // Appends the other list's elements; appending a list to itself doubles it.
    void AddArray(const TIntegerArray& other);
    void Clear() { items_.clear(); }
    // Removes the element at index; an index outside the list does nothing.
    void Delete(int32_t index);
    bool Exists(int32_t value) const { return IndexOf(value) >= 0; }
    // Position of the first element equal to value, or -1.
    int32_t IndexOf(int32_t value) const;
    // Bounds-checked access; raises EIntArrayError "Index %d > %d or %d < 0".
    int32_t GetItem(int32_t index) const;
    void SetItem(int32_t index, int32_t value);
    // Clears the list, then makes it hold n zeros.
    void SetCount(int32_t n);
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

    // Unchecked access for hot paths that have already validated the index.
    int32_t operator[](int32_t index) const { return items_[static_cast<size_t>(index)]; }
    int32_t& operator[](int32_t index) { return items_[static_cast<size_t>(index)]; }
    const int32_t* data() const { return items_.data(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    void Reserve(int32_t n) { items_.reserve(static_cast<size_t>(n)); }
    const std::vector<int32_t>& Items() const { return items_; }
    std::vector<int32_t>& Items() { return items_; }

    bool operator==(const TIntegerArray&) const = default;

private:
    void CheckIndex(int32_t index) const;

    std::vector<int32_t> items_;
};
