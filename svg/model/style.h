#pragma once
// A named table of declarations: a style-sheet rule (named by its selector),
// an element's presentation attributes or its own style (no name).

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "collections/hash_table_strings.h"
#include "platform/events.h"
#include "platform/persistent.h"
#include "svg/values/style_properties.h"

namespace zor {

class TSVGSelector;

// Declaration name to value text.
using TSVGStyleTable = TZorStringHashTable<QString>;

class TSVGStyle : public TPersistent {
public:
    // A declaration of a presentation property, as the cascade applies it.
    struct TDeclaration {
        TSVGStyleProperty Property;
        QString Value;
        bool Important;
    };

    TSVGStyle();
    // A rule: the name is stored as it is, the declarations are read from aStyles.
    TSVGStyle(const QString& aName, QStringView aStyles);
    ~TSVGStyle() override;

    // Every declaration, presentation properties or not, as a table. The
    // style keeps its declarations more compactly (every element has one or
    // two styles); the table is made when asked for and kept until the next
    // change.
    const TSVGStyleTable& StyleValues() const;
    // The selector of a rule; empty for the styles of an element.
    const QString& Name() const { return FName; }
    void SetName(const QString& Value);
    // A disabled rule takes no part in the cascade.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

    // Replaces every declaration by those of a declaration text.
    void SetStyle(QStringView aStyles);
    // Adds the declarations of a declaration text, as CSS reads a block: a
    // later declaration of a name replaces an earlier one unless only the
    // earlier one is !important. Returns the presentation properties named
    // (ipNone for other names).
    TSVGStyleProperties AddStyle(QStringView aStyles);
    // Adds one attribute of an element as it was read; attributes that are no
    // presentation property are kept too, for attribute selectors. Returns the
    // property, ipNone for other names and for an excluded attribute, which is
    // not stored.
    TSVGStyleProperty AddAttribute(QStringView Name, QStringView Value);
    // Room for Count more declarations of Characters characters of names
    // and values in all, as when an element's attributes are read.
    void Reserve(qsizetype Count, qsizetype Characters);
    // Takes the declarations of a later block with the same selector, as if
    // they followed this rule's own: they replace those of the same name
    // unless only the earlier one is !important.
    void Merge(const TSVGStyle& Later);
    // "marker" is a property of style text only, never an attribute.
    virtual bool IsExcludedAttribute(QStringView Name) const;

    // The value under the CSS name of Index; empty when there is none.
    QString GetStyleProp(TSVGStyleProperty Index) const;
    // Sets a normal (not !important) declaration under the CSS name of Index.
    void SetStyleProp(TSVGStyleProperty Index, const QString& Value);
    // The same by name.
    QString Value(const QString& Name) const;
    // The value of Name; nothing when there is no such declaration.
    std::optional<QString> ValueIfPresent(QStringView Name) const;
    void SetValue(const QString& Name, const QString& Value, bool Important = false);
    bool IsImportant(const QString& Name) const;
    void Clear();
    bool IsEmpty() const { return FEntries.empty(); }

    // "name=value" lines in table order, joined by CR LF.
    QString StylesToString() const;
    // Name, " { ", StylesToString, " }".
    QString ToString() const;

    // From another style: name, declarations and their importance. From a
    // string list: the declarations of its name=value lines, the name kept.
    // Other sources write themselves into the style (a graphic element
    // exports its current property values).
    void Assign(const TPersistent* Source) override;

    // The presentation-property declarations in the order they are applied:
    // color first (currentColor refers to it), then the font shorthand before
    // its longhands, the others, and the marker shorthand last, which
    // overrides the three markers given beside it.
    const std::vector<TDeclaration>& Declarations() const;
    // The properties of Declarations.
    TSVGStyleProperties DeclaredProperties() const;
    // The Name read as a selector, kept until the name changes. Raises
    // "Invalid selector: %s" when the name is not one.
    const TSVGSelector& Selector() const;

    // Counts the changes of the style, so that what is derived from it can
    // tell that it is out of date.
    std::uint64_t Generation() const { return FGeneration; }

    TEvent<TSVGStyle&> OnChange;

protected:
    virtual void Changed();
    // Into a string list: StylesToString as its text.
    void AssignTo(TPersistent* Dest) const override;

private:
    // One declaration: its name and its value are pieces of FText.
    struct TEntry {
        std::uint32_t NameStart;
        std::uint32_t ValueStart;
        std::uint32_t ValueLength;
        std::uint16_t NameLength;
        TSVGStyleProperty Property;
        bool Important;
    };

    QStringView NameOf(const TEntry& Entry) const { return QStringView(FText).sliced(Entry.NameStart, Entry.NameLength); }
    QStringView ValueOf(const TEntry& Entry) const
    {
        return QStringView(FText).sliced(Entry.ValueStart, Entry.ValueLength);
    }
    const TEntry* Find(QStringView Name) const;
    // The declarations in the order a table of them enumerates: the order of
    // a table that received them in the order they were first given.
    std::vector<const TEntry*> TableOrder() const;
    // Stores the declarations of a text without reporting the change.
    TSVGStyleProperties StoreDeclarations(QStringView aStyles);
    // Stores one declaration; false when an !important one of the name stays.
    bool Store(QStringView Name, QStringView Value, bool Important);
    // Sets the value of an entry or adds one, without looking at importance.
    void Put(QStringView Name, QStringView Value, bool Important);
    // Drops the text of replaced values once it makes up most of FText.
    void DropReplacedText();
    void ClearEntries();

    // Every declaration in the order its name was first given; a name
    // appears once. Elements hold a style each, so a declaration costs a few
    // bytes here rather than a table slot and two strings.
    std::vector<TEntry> FEntries;
    QString FText;
    QString FName;
    bool FEnabled = true;
    std::uint64_t FGeneration = 0;
    mutable std::unique_ptr<std::vector<TDeclaration>> FDeclarations;
    mutable std::unique_ptr<TSVGSelector> FSelector;
    mutable std::unique_ptr<TSVGStyleTable> FTable;
};

} // namespace zor
