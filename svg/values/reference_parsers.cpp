#include "svg/values/reference_parsers.h"

#include "svg/values/colors.h"
#include "svg/values/text_utils.h"

namespace zor {

namespace {

bool StartsWithUrl(QStringView Text)
{
    return Text.startsWith(u"url(#", Qt::CaseInsensitive) || Text.startsWith(u"uri(#", Qt::CaseInsensitive);
}

// The id inside "url(#id)" or "uri(#id)", or a null view.
QStringView UrlReference(QStringView Text)
{
    if (!StartsWithUrl(Text) || !Text.endsWith(u')'))
        return QStringView();
    return Text.sliced(5, Text.size() - 6);
}

template <typename Parser>
QString ParseReferenceProperty(QStringView Text, const QString& Current, bool& Inherited, Parser Parse)
{
    const QStringView text = TrimBlanks(Text);
    if (!ApplyInheritProtocol(text, Inherited))
        return Current;
    const QString id = Parse(text);
    return id.isEmpty() ? Current : id;
}

} // namespace

QString ParsePaintReference(QStringView Text)
{
    const QStringView text = TrimBlanks(Text);
    if (text.startsWith(u'#'))
        return IsHexColor(text) ? QString() : text.sliced(1).toString();
    return SplitPaintReference(text).ID;
}

TSVGPaintReferenceParts SplitPaintReference(QStringView Text)
{
    const QStringView text = TrimBlanks(Text);
    const qsizetype close = StartsWithUrl(text) ? text.indexOf(u')') : -1;
    if (close < 0)
        return {};
    return {text.sliced(5, close - 5).toString(), TrimBlanks(text.sliced(close + 1))};
}

// Unlike paint values, these never hold a colour, so "#fab" is the id "fab".
QString ParseReference(QStringView Text)
{
    const QStringView text = TrimBlanks(Text);
    if (text.startsWith(u'#'))
        return text.sliced(1).toString();
    const QStringView url = UrlReference(text);
    return url.isNull() ? text.toString() : url.toString();
}

QString ParseReferenceValue(QStringView Text, const QString& Current, bool& Inherited)
{
    // "none" (the initial value) names no element: the reference is cleared.
    if (TrimBlanks(Text).compare(u"none", Qt::CaseInsensitive) == 0) {
        Inherited = false;
        return QString();
    }
    return ParseReferenceProperty(Text, Current, Inherited, ParseReference);
}

QString ParsePaintReferenceValue(QStringView Text, const QString& Current, bool& Inherited)
{
    return ParseReferenceProperty(Text, Current, Inherited, ParsePaintReference);
}

} // namespace zor
