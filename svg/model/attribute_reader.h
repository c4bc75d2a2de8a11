#pragma once
// Reading the attributes of one XML element into an element of the model:
// the one place where element classes turn attribute text into values. A
// text that cannot be read keeps the previous value and is recorded as a
// diagnostic of the element; an absent attribute changes nothing.

#include <QString>
#include <QStringView>
#include <QTransform>
#include <optional>
#include <span>
#include <type_traits>

#include "platform/xml_document.h"
#include "svg/values/text_utils.h"

namespace zor {

class TSVGElement;
class TSVGLength;
class TSVGLengths;

// The namespace of "xlink:" attributes.
inline constexpr QStringView XLinkNamespace = u"http://www.w3.org/1999/xlink";
// The namespace of "xml:" attributes (xml:space, xml:lang).
inline constexpr QStringView XMLNamespace = u"http://www.w3.org/XML/1998/namespace";
// The same as a string, made once.
const QString& XMLNamespaceURI();

// One keyword of an enumerated attribute and its value.
template <typename E>
struct TSVGKeyword {
    const char16_t* Name;
    E Value;
};

class TSVGAttributeReader {
public:
    TSVGAttributeReader(TSVGElement& Element, const TXMLNode& Node);

    const TXMLNode& Node() const { return FNode; }

    // The attribute without namespace.
    bool Has(const QString& Name) const;
    std::optional<QString> Text(const QString& Name) const;

    // A length with its unit; a percentage is kept as a fraction of the
    // range it is measured against (Length's owner gives the range).
    bool ReadLength(const QString& Name, TSVGLength& Length) const;
    // The same into the length Target gives, asked for only when the
    // attribute is there: for lengths made when first set.
    template <typename LengthTarget>
        requires std::is_invocable_r_v<TSVGLength&, LengthTarget>
    bool ReadLength(const QString& Name, LengthTarget&& Target) const
    {
        return ReadChecked(Name, IsReadableLength, NotALength(),
                           [&Target](QStringView Text) { ParseLength(Text, Target()); });
    }
    // A list of lengths, as the x and y of text; every entry must read.
    bool ReadLengths(const QString& Name, TSVGLengths& Lengths) const;
    // A finite number within the range of a 32-bit float.
    bool ReadNumber(const QString& Name, double& Value) const;
    bool ReadNumber(const QString& Name, float& Value) const;
    // One of the keywords of Table, compared exactly.
    template <typename E>
    bool ReadEnum(const QString& Name, std::span<const TSVGKeyword<E>> Table, E& Value) const
    {
        const std::optional<QString> text = Text(Name);
        if (!text)
            return false;
        const QString trimmed = text->trimmed();
        for (const TSVGKeyword<E>& keyword : Table)
            if (trimmed == QStringView(keyword.Name)) {
                Value = keyword.Value;
                return true;
            }
        Refuse(Name, *text, UnknownKeyword());
        return false;
    }
    // A transform list; an unreadable list leaves Matrix as it is.
    bool ReadTransform(const QString& Name, QTransform& Matrix) const;

    // The id an element references: "xlink:href", or a plain "href" when
    // there is no "xlink:href"; the leading "#" (or "url(#…)") removed.
    // Empty when neither is given.
    std::optional<QString> Href() const;
    // xml:space is "preserve" here; nullopt when the element does not say.
    std::optional<bool> PreservesSpace() const;

    // Records that Text of attribute Name was refused, and why.
    void Refuse(const QString& Name, QStringView Text, const QString& Reason) const;

private:
    static QString UnknownKeyword();
    static QString NotALength();
    static bool IsReadableLength(QStringView Text);
    static void ParseLength(QStringView Text, TSVGLength& Length);
    // The attribute's text in the reader's buffer, valid until the next
    // call: most values of a file are read without a string of their own.
    std::optional<QStringView> TextView(const QString& Name) const;
    // Applies the attribute's text when IsReadable holds for it, refuses it
    // for Reason otherwise; false when absent or refused.
    template <typename Check, typename Apply>
    bool ReadChecked(const QString& Name, Check&& IsReadable, const QString& Reason, Apply&& ApplyText) const
    {
        const std::optional<QStringView> text = TextView(Name);
        if (!text)
            return false;
        if (!IsReadable(*text)) {
            Refuse(Name, *text, Reason);
            return false;
        }
        ApplyText(*text);
        return true;
    }

    TSVGElement& FElement;
    TXMLNode FNode;
    mutable TUtf16Text FBuffer;
};

} // namespace zor
