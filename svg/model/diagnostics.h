#pragma once
// Recoverable problems found while reading a document's values.

#include <QString>

namespace zor {

// One value an element did not take: the element (its id, or its tag name
// when it has no id of its own), the property or attribute, the text, and why
// it was refused. The element kept its previous value.
struct TSVGDiagnostic {
    QString Element;
    QString Property;
    QString Text;
    QString Reason;

    bool operator==(const TSVGDiagnostic&) const = default;
};

} // namespace zor
