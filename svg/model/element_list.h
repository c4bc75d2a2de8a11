#pragma once
// The child list of an element.

#include <QList>
#include <QtGlobal>
#include <iterator>
#include <memory>
#include <vector>

namespace zor {

class TSVGElement;

// The children of one element, in document order. The list owns them, and
// only its element changes it, through the element's ownership operations
// (AppendChild, InsertChild, ReplaceChild, ExtractChild, RemoveChild,
// MoveChild, SetItems). To everyone else it is a read-only sequence of
// TSVGElement pointers that do not own.
class TSVGElementList {
    using TOwners = std::vector<std::unique_ptr<TSVGElement>>;

public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = TSVGElement*;
        using difference_type = std::ptrdiff_t;
        using reference = TSVGElement*;

        const_iterator() = default;
        TSVGElement* operator*() const { return FAt->get(); }
        TSVGElement* operator[](difference_type Offset) const { return FAt[Offset].get(); }
        const_iterator& operator++()
        {
            ++FAt;
            return *this;
        }
        const_iterator operator++(int) { return const_iterator(FAt++); }
        const_iterator& operator--()
        {
            --FAt;
            return *this;
        }
        const_iterator operator--(int) { return const_iterator(FAt--); }
        const_iterator& operator+=(difference_type Offset)
        {
            FAt += Offset;
            return *this;
        }
        const_iterator& operator-=(difference_type Offset)
        {
            FAt -= Offset;
            return *this;
        }
        friend const_iterator operator+(const_iterator It, difference_type Offset) { return It += Offset; }
        friend const_iterator operator+(difference_type Offset, const_iterator It) { return It += Offset; }
        friend const_iterator operator-(const_iterator It, difference_type Offset) { return It -= Offset; }
        friend difference_type operator-(const const_iterator& A, const const_iterator& B) { return A.FAt - B.FAt; }
        friend auto operator<=>(const const_iterator&, const const_iterator&) = default;

    private:
        friend class TSVGElementList;
        explicit const_iterator(TOwners::const_iterator At)
            : FAt(At)
        {
        }

        TOwners::const_iterator FAt;
    };

    TSVGElementList() = default;
    ~TSVGElementList();
    TSVGElementList(const TSVGElementList&) = delete;
    TSVGElementList& operator=(const TSVGElementList&) = delete;

    qsizetype Count() const { return static_cast<qsizetype>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }

    // Raise "List index out of bounds (%d)" outside the list, and "List is
    // empty" for First and Last of an empty list.
    TSVGElement* Items(qsizetype Index) const;
    TSVGElement* operator[](qsizetype Index) const { return Items(Index); }
    TSVGElement* First() const;
    TSVGElement* Last() const;

    // The position of Element, or -1 when it is not in the list.
    qsizetype IndexOf(const TSVGElement* Element) const;
    bool Contains(const TSVGElement* Element) const { return IndexOf(Element) >= 0; }

    const_iterator begin() const { return const_iterator(FItems.cbegin()); }
    const_iterator end() const { return const_iterator(FItems.cend()); }
    // A snapshot, for callers that change the tree while they walk it.
    QList<TSVGElement*> ToList() const;

private:
    friend class TSVGElement;

    void CheckIndex(qsizetype Index) const;

    TOwners FItems;
};

} // namespace zor
