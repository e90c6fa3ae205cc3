#pragma once

#include "Store/ManagedObject.h"
#include "Store/StoreValue.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

class StoreCore;

// The records one fetch returned, so that asking one of them for a to-many relationship can
// read that relationship for all of them in one query.
using FetchBatch = std::vector<std::weak_ptr<ManagedObject>>;

// A to-many relationship as last read; valid while no link in the context changed since.
struct ToManyCache {
    quint64 generation = 0;
    std::vector<std::shared_ptr<ManagedObject>> objects;
};

// A run of values stored right behind the State that owns it.
template <typename T> class InlineArray {
public:
    T* begin() const { return data_; }
    T* end() const { return data_ + size_; }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) const { return data_[i]; }
    void assign(const std::vector<T>& from) { std::copy(from.begin(), from.end(), data_); }
    std::vector<T> copy() const { return std::vector<T>(begin(), end()); }
    bool operator==(const std::vector<T>& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

    void attach(T* data, std::size_t size) {
        data_ = data;
        size_ = size;
    }

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

// What the context keeps about one record object. Values are in stored form; links hold the
// pk of each to-one target (0: none). The saved copy exists while the record has unsaved
// changes, so rollback can restore it and save can write only what differs.
struct ManagedObject::State {
    // One allocation holds the state and its values: a screen reads tens of thousands of
    // records, and the allocator is what it would otherwise wait for.
    static std::unique_ptr<State> make(std::size_t attributes, std::size_t relationships);
    static void operator delete(void* p) { ::operator delete(p); }
    ~State();
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    StoreCore* core = nullptr; // null once the object left its context
    int entity = -1;
    bool inserted = false;
    bool updated = false;
    bool deleted = false;
    bool gone = false;
    bool snapshot = false;
    InlineArray<StoreValue> values;
    InlineArray<qint64> links;
    std::vector<StoreValue> savedValues;
    std::vector<qint64> savedLinks;
    std::vector<ToManyCache> toMany; // by relationship index, filled on first use
    std::shared_ptr<FetchBatch> batch;

    bool pending() const { return inserted || updated || deleted; }
    bool live() const { return core != nullptr && !gone; }

private:
    State() = default;
};

inline std::unique_ptr<ManagedObject::State> ManagedObject::State::make(std::size_t attributes,
                                                                        std::size_t relationships) {
    constexpr std::size_t head =
        (sizeof(State) + alignof(StoreValue) - 1) / alignof(StoreValue) * alignof(StoreValue);
    const std::size_t linksAt = head + attributes * sizeof(StoreValue);
    char* memory = static_cast<char*>(::operator new(linksAt + relationships * sizeof(qint64)));
    std::unique_ptr<State> state(new (memory) State());
    auto* values = reinterpret_cast<StoreValue*>(memory + head);
    for (std::size_t i = 0; i < attributes; ++i)
        new (values + i) StoreValue();
    state->values.attach(values, attributes);
    auto* links = reinterpret_cast<qint64*>(memory + linksAt);
    std::fill_n(links, relationships, 0);
    state->links.attach(links, relationships);
    return state;
}

inline ManagedObject::State::~State() {
    for (StoreValue& v : values)
        v.~StoreValue();
}
