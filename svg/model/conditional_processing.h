#pragma once
// Language tags and feature strings of the conditional-processing attributes
// (systemLanguage, lang, requiredFeatures).

#include <QString>
#include <QStringList>
#include <QStringView>

namespace zor {

// The languages of a list such as "de, en-GB": cut at commas and white space,
// empty pieces dropped.
QStringList SplitLanguageList(QStringView Text);

// Tag belongs to Range when it equals Range or continues it with a subtag
// ("en-GB" belongs to "en", "en" not to "en-GB"), ignoring letter case.
bool LanguageInRange(QStringView Tag, QStringView Range);

// Whether Feature is one of the SVG 1.1 feature strings that the renderer
// supports; the comparison is exact.
bool IsSupportedFeature(QStringView Feature);

} // namespace zor
