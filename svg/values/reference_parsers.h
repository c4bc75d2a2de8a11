#pragma once
// References to other elements by id in attribute text: "url(#id)", "#id".

#include <QString>
#include <QStringView>

namespace zor {

// The id of a paint server in a fill, stroke or color value: "url(#id)" or
// "uri(#id)" (prefix in any case), or "#id" when that is not a hex colour.
// Empty when the text holds no reference.
QString ParsePaintReference(QStringView Text);

// A paint value of the url form split at its reference: "url(#g) red" gives
// the id "g" and the fallback "red", painted when "g" cannot be. The id is
// empty for any other text; the fallback is empty when none is written.
struct TSVGPaintReferenceParts {
    QString ID;
    QStringView Fallback;
};
TSVGPaintReferenceParts SplitPaintReference(QStringView Text);

// The id in a clip-path, marker or href value: "url(#id)", "uri(#id)" or
// "#id"; any other text is taken whole as the id.
QString ParseReference(QStringView Text);

// The style property forms with the "inherit" keyword: the current id is kept
// for "inherit", an empty text, or a text without a reference; "none" clears
// an element reference (a paint keeps its server for later).
QString ParseReferenceValue(QStringView Text, const QString& Current, bool& Inherited);
QString ParsePaintReferenceValue(QStringView Text, const QString& Current, bool& Inherited);

} // namespace zor
