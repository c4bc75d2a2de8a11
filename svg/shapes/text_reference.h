#pragma once
// The link from an element that follows another one (a tref, a textPath) to
// the element it registered with: kept as a pointer, so that the element
// leaves exactly that one's listeners again, even after its id changed.

namespace zor {

class TSVGElement;

class TSVGReferenceLink {
public:
    explicit TSVGReferenceLink(TSVGElement& Listener)
        : FListener(Listener)
    {
    }
    // Leaves the followed element.
    ~TSVGReferenceLink();
    TSVGReferenceLink(const TSVGReferenceLink&) = delete;
    TSVGReferenceLink& operator=(const TSVGReferenceLink&) = delete;

    // Leaves the element followed until now and follows Target (null: none).
    void Follow(TSVGElement* Target);
    // The element followed; null once it dropped its listeners (cleared or
    // destroyed).
    TSVGElement* Target() const;

private:
    TSVGElement& FListener;
    TSVGElement* FTarget = nullptr;
};

} // namespace zor
