#pragma once
// Enumerators and the enumerable base of the hash-table family. Every
// enumerable works with range-for:
//     for (const auto& [key, value] : table) ...

#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "platform/persistent.h"

namespace zor {

// Walks a sequence: MoveNext steps to the next element and reports whether
// there is one; Current is that element.
template <typename T>
class TZorEnumerator {
public:
    virtual ~TZorEnumerator() = default;
    virtual bool MoveNext() = 0;
    virtual T Current() const = 0;
};

// Adapts an enumerator to the iterator protocol of range-for.
template <typename T>
class TEnumerationIterator {
public:
    using value_type = T;
    using difference_type = std::ptrdiff_t;

    explicit TEnumerationIterator(std::unique_ptr<TZorEnumerator<T>> Enumerator)
        : FEnumerator(std::move(Enumerator))
    {
        Advance();
    }

    T operator*() const { return FEnumerator->Current(); }
    TEnumerationIterator& operator++()
    {
        Advance();
        return *this;
    }
    void operator++(int) { Advance(); }
    friend bool operator==(const TEnumerationIterator& Iterator, std::default_sentinel_t)
    {
        return !Iterator.FHasCurrent;
    }

private:
    void Advance() { FHasCurrent = FEnumerator->MoveNext(); }

    std::unique_ptr<TZorEnumerator<T>> FEnumerator;
    bool FHasCurrent = false;
};

// A sequence that hands out enumerators over itself.
template <typename T>
class TZorEnumerable : public TPersistent {
public:
    std::unique_ptr<TZorEnumerator<T>> GetEnumerator() const { return NewEnumerator(); }

    // All elements in enumeration order.
    virtual std::vector<T> ToArray() const
    {
        std::vector<T> result;
        result.reserve(10);
        for (T element : *this) {
            if (result.size() == result.capacity())
                result.reserve(result.capacity() * 2);
            result.push_back(std::move(element));
        }
        result.shrink_to_fit();
        return result;
    }

    TEnumerationIterator<T> begin() const { return TEnumerationIterator<T>(GetEnumerator()); }
    std::default_sentinel_t end() const { return {}; }

protected:
    // A new enumerator, owned by the caller.
    virtual std::unique_ptr<TZorEnumerator<T>> NewEnumerator() const = 0;

    // ToArray for sequences that know their length up front.
    std::vector<T> ToArrayOfCount(int Count) const
    {
        std::vector<T> result;
        result.reserve(std::size_t(Count));
        for (T element : *this)
            result.push_back(std::move(element));
        return result;
    }
};

} // namespace zor
