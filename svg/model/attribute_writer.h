#pragma once
// Writing the attributes of one element of the model onto its XML node: the
// one place where element classes turn values into attribute text, so that
// numbers, lengths, references and presentation properties are written the
// same way by every class.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTransform>
#include <optional>

#include "platform/xml_document.h"
#include "svg/values/style_properties.h"

namespace zor {

class TSVGElement;
class TSVGLength;
class TSVGLengths;

class TSVGAttributeWriter {
public:
    // Numbers and lengths are written with FormatStr ("0.###" and the like);
    // an empty one writes the shortest text that reads back the same number.
    // Compact (by default the element's soCompactExport) leaves out values
    // equal to their defaults.
    TSVGAttributeWriter(const TSVGElement& Element, TXMLNode Node, QString FormatStr,
                        std::optional<bool> Compact = std::nullopt);

    TXMLNode& Node() { return FNode; }
    const QString& FormatStr() const { return FFormatStr; }
    // soCompactExport: values equal to their defaults are left out.
    bool Compact() const { return FCompact; }

    // Sets Name to Text unless Skip, in which case an attribute Name already
    // on the node is removed; true when written.
    bool WriteAttribute(const QString& Name, const QString& Text, bool Skip = false);
    // The entries joined by Separator; nothing for an empty list.
    bool WriteListAttribute(const QString& Name, const QStringList& List, QChar Separator = u' ');
    // A child element Name holding Text; nothing for an empty text.
    void WriteChildText(const QString& Name, const QString& Text);

    QString Number(double Value) const;
    QString Length(const TSVGLength& Value) const;
    // A length "when set": always without compact export, otherwise only
    // when it differs from Default (same number, percentage and unit).
    void WriteLength(const QString& Name, const TSVGLength& Value, const TSVGLength& Default);
    void WriteLength(const QString& Name, const TSVGLength& Value, float Default = 0);
    // A number "when set", as WriteLength.
    void WriteNumber(const QString& Name, double Value, double Default);
    // A transform list unless Matrix is within 0.00001 of the identity.
    void WriteTransform(const QString& Name, const QTransform& Matrix);

    // The reference to the element with ID: "#" + the id as written.
    void WriteHref(const QString& ID);
    // A link to a resource that is no element (a data URI, a file name), as it is.
    void WriteLink(const QString& URI);
    // How the id of a referenced element is written: its own id, or for an id
    // the document generated the name the saving gives it (see TSVGSaveContext).
    QString ReferenceID(const QString& ID) const;

    // A presentation property as the attribute of its name, or, when
    // Preferred, as a declaration of the "style" attribute. With Inherited
    // the property is left to inheritance: nothing is written when it is
    // inherited by default, "inherit" otherwise. A Text equal to Default is
    // written only for a property inherited by default, where it stops the
    // inheritance. An empty Text whose default is "none" is written "none".
    void WriteStyleProperty(TSVGStyleProperty Property, const QString& Text, bool Inherited, bool Preferred,
                            const QString& Default);

private:
    void AppendStyleDeclaration(const QString& Name, const QString& Value);

    const TSVGElement& FElement;
    TXMLNode FNode;
    QString FFormatStr;
    bool FCompact;
    QString FStyle;
};

} // namespace zor
