// The text elements: content, position lists, chunk building and the cache
// of the layout, which the outermost text element keeps for its subtree.

#include "svg/shapes/text_element.h"

#include <algorithm>

#include "platform/font_service.h"
#include "platform/update_scope.h"
#include "svg/model/document.h"
#include "svg/model/element_classes.h"
#include "svg/model/viewport.h"
#include "svg/shapes/text_content.h"
#include "svg/shapes/text_layout.h"
#include "svg/shapes/text_path.h"
#include "svg/values/length_text.h"
#include "svg/values/number_format.h"
#include "svg/values/number_parsers.h"

namespace zor {

struct TSVGCustomText::TLayoutState {
    bool Stale = true;
    std::uint64_t FontsGeneration = 0;
    std::uint64_t Count = 0;
    double Advance = 0;
};

namespace {

// Numbers of the position lists as attribute text.
QString FormatOf(const TSVGElement& Element)
{
    return Element.SaveFormatStr();
}

// The character collected last, 0 when none.
char32_t LastCollected(const TSVGTextChunks& Chunks)
{
    for (auto chunk = Chunks.rbegin(); chunk != Chunks.rend(); ++chunk)
        if (!chunk->Chars.empty())
            return chunk->Chars.back().Char;
    return 0;
}

const TSVGTextPath* PathOfLastCollected(const TSVGTextChunks& Chunks)
{
    for (auto chunk = Chunks.rbegin(); chunk != Chunks.rend(); ++chunk)
        if (!chunk->Chars.empty())
            return chunk->Chars.back().Element->EnclosingTextPath();
    return nullptr;
}

} // namespace

QString TSVGTextChunk::Text() const
{
    QString text;
    for (const TSVGCharChunk& c : Chars)
        text += QString::fromUcs4(&c.Char, 1);
    return text;
}

// --- TSVGCustomText --------------------------------------------------------------

TSVGCustomText::TSVGCustomText(TSVGDocument* aOwner)
    : Inherited(aOwner)
    , FX(CreateLengths())
    , FY(CreateLengths())
    , FDX(CreateLengths())
    , FDY(CreateLengths())
{
}

TSVGCustomText::~TSVGCustomText() = default;

QString TSVGCustomText::GetText() const
{
    return FText;
}

void TSVGCustomText::SetText(const QString& Value)
{
    if (Value == GetText())
        return;
    FText = Value;
    Changed(this);
}

void TSVGCustomText::AddTextContent(const QString& Content)
{
    const QString text = NormalizeTextContent(Content, EffectiveXmlSpace() == TSVGXmlSpace::xsPreserve);
    if (Items().IsEmpty()) {
        SetText(FText + text);
        return;
    }
    // Pieces that follow each other (text and CDATA) go into one span.
    if (auto* last = dynamic_cast<TSVGTextSpan*>(Items()[Items().Count() - 1]); last && last == FContentSpan) {
        last->SetText(last->Text() + text);
        return;
    }
    // After a child element: an anonymous span keeps the text in its place.
    auto span = std::make_unique<TSVGTextSpan>(ChildOwner());
    span->SetText(text);
    FContentSpan = AppendChild(std::move(span));
}

void TSVGCustomText::SetXmlSpace(TSVGXmlSpace Value)
{
    if (Value == FXmlSpace)
        return;
    FXmlSpace = Value;
    Changed(this);
}

TSVGXmlSpace TSVGCustomText::EffectiveXmlSpace() const
{
    for (const TSVGElement* e = this; e != nullptr; e = e->Parent())
        if (const auto* text = dynamic_cast<const TSVGCustomText*>(e); text && text->FXmlSpace != TSVGXmlSpace::xsInherit)
            return text->FXmlSpace;
    return TSVGXmlSpace::xsDefault;
}

// --- Position lists ------------------------------------------------------------------

void TSVGCustomText::ListChanged()
{
    Changed(this);
}

void TSVGCustomText::SetXList(const TSVGLengths& Value)
{
    Value.Clone(*FX);
    ListChanged();
}

void TSVGCustomText::SetYList(const TSVGLengths& Value)
{
    Value.Clone(*FY);
    ListChanged();
}

void TSVGCustomText::SetDXList(const TSVGLengths& Value)
{
    Value.Clone(*FDX);
    ListChanged();
}

void TSVGCustomText::SetDYList(const TSVGLengths& Value)
{
    Value.Clone(*FDY);
    ListChanged();
}

void TSVGCustomText::SetRotate(const QList<float>& Value)
{
    FRotate = Value;
    ListChanged();
}

QString TSVGCustomText::XStr() const
{
    return FormatLengthList(*FX, FormatOf(*this), QStringLiteral(" "));
}

void TSVGCustomText::SetXStr(QStringView Value)
{
    ParseLengthList(Value, *FX, 0, 1);
    ListChanged();
}

QString TSVGCustomText::YStr() const
{
    return FormatLengthList(*FY, FormatOf(*this), QStringLiteral(" "));
}

void TSVGCustomText::SetYStr(QStringView Value)
{
    ParseLengthList(Value, *FY, 0, 1);
    ListChanged();
}

QString TSVGCustomText::DXStr() const
{
    return FormatLengthList(*FDX, FormatOf(*this), QStringLiteral(" "));
}

void TSVGCustomText::SetDXStr(QStringView Value)
{
    ParseLengthList(Value, *FDX, 0, 1);
    ListChanged();
}

QString TSVGCustomText::DYStr() const
{
    return FormatLengthList(*FDY, FormatOf(*this), QStringLiteral(" "));
}

void TSVGCustomText::SetDYStr(QStringView Value)
{
    ParseLengthList(Value, *FDY, 0, 1);
    ListChanged();
}

QString TSVGCustomText::RotateStr() const
{
    return FormatNumberList(FRotate, FormatOf(*this), QStringLiteral(" "));
}

void TSVGCustomText::SetRotateStr(QStringView Value)
{
    FRotate = ParseNumberList(Value, FRotate);
    ListChanged();
}

TSVGCustomText* TSVGCustomText::TextParent() const
{
    return dynamic_cast<TSVGCustomText*>(Parent());
}

float TSVGCustomText::LengthAt(const TSVGLengths& List, qsizetype i, bool Horizontal) const
{
    const TSVGLength& length = List[i];
    if (length.IsPercent())
        if (const TSVGCustomViewBox* viewport = GetNearestViewBox()) {
            const QRectF box = viewport->ViewBox().Rect();
            return length.Pixels() * (Horizontal ? box.width() : box.height());
        }
    return length.Pixels();
}

float TSVGCustomText::ListValueAt(const TSVGLengths& List, qsizetype i, bool Horizontal,
                                  float (TSVGCustomText::*FromParent)(qsizetype) const) const
{
    if (i < List.Count())
        return LengthAt(List, i, Horizontal);
    const TSVGCustomText* parent = TextParent();
    return parent != nullptr ? (parent->*FromParent)(i + FStartInParent) : 0;
}

float TSVGCustomText::GetXAt(qsizetype i) const
{
    return ListValueAt(*FX, i, true, &TSVGCustomText::GetXAt);
}

float TSVGCustomText::GetYAt(qsizetype i) const
{
    return ListValueAt(*FY, i, false, &TSVGCustomText::GetYAt);
}

float TSVGCustomText::GetDXAt(qsizetype i) const
{
    return ListValueAt(*FDX, i, true, &TSVGCustomText::GetDXAt);
}

float TSVGCustomText::GetDYAt(qsizetype i) const
{
    return ListValueAt(*FDY, i, false, &TSVGCustomText::GetDYAt);
}

float TSVGCustomText::GetRotateAt(qsizetype i) const
{
    if (!FRotate.isEmpty())
        return FRotate[std::min(i, FRotate.size() - 1)];
    const TSVGCustomText* parent = TextParent();
    return parent != nullptr ? parent->GetRotateAt(i + FStartInParent) : 0;
}

bool TSVGCustomText::IsXSpecifiedAt(qsizetype i) const
{
    const TSVGCustomText* parent = TextParent();
    return i < FX->Count() || (parent != nullptr && parent->IsXSpecifiedAt(i + FStartInParent));
}

bool TSVGCustomText::IsYSpecifiedAt(qsizetype i) const
{
    const TSVGCustomText* parent = TextParent();
    return i < FY->Count() || (parent != nullptr && parent->IsYSpecifiedAt(i + FStartInParent));
}

bool TSVGCustomText::IsClippedAt(qsizetype) const
{
    return false;
}

bool TSVGCustomText::ReferencesChanged() const
{
    return false;
}

bool TSVGCustomText::StartsChunkAt(qsizetype i) const
{
    return IsVertical() ? IsYSpecifiedAt(i) : IsXSpecifiedAt(i);
}

// --- Chunks ------------------------------------------------------------------------------

TSVGCustomText* TSVGCustomText::LayoutRoot() const
{
    const TSVGCustomText* root = this;
    while (const TSVGCustomText* parent = root->TextParent())
        root = parent;
    return const_cast<TSVGCustomText*>(root);
}

TSVGTextPath* TSVGCustomText::EnclosingTextPath() const
{
    for (const TSVGCustomText* e = this; e != nullptr; e = e->TextParent())
        if (auto* path = dynamic_cast<const TSVGTextPath*>(e))
            return const_cast<TSVGTextPath*>(path);
    return nullptr;
}

void TSVGCustomText::CountCollected(qsizetype Count)
{
    for (TSVGCustomText* e = this; e != nullptr; e = e->TextParent())
        e->FCurrentTextIndex += Count;
}

void TSVGCustomText::BuildTextChunks(TSVGTextChunks& Chunks)
{
    const TSVGCustomText* parent = TextParent();
    FStartInParent = parent != nullptr ? parent->FCurrentTextIndex : 0;
    FCurrentTextIndex = 0;
    const bool collapse = EffectiveXmlSpace() != TSVGXmlSpace::xsPreserve;
    const TSVGTextPath* path = EnclosingTextPath();
    qsizetype i = 0;
    for (char32_t c : GetText().toUcs4()) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
        // Runs of spaces meet across elements: one is kept, none at the start.
        if (collapse && c == u' ' && (LastCollected(Chunks) == 0 || LastCollected(Chunks) == u' '))
            continue;
        // A text path and what follows it begin chunks of their own.
        if (Chunks.empty() || StartsChunkAt(i) || PathOfLastCollected(Chunks) != path)
            Chunks.emplace_back();
        TSVGCharChunk r;
        r.Char = c;
        r.X = GetXAt(i);
        r.XIsSpecified = IsXSpecifiedAt(i);
        r.Y = GetYAt(i);
        r.YIsSpecified = IsYSpecifiedAt(i);
        r.DX = GetDXAt(i);
        r.DY = GetDYAt(i);
        r.Rotate = GetRotateAt(i);
        r.IsClipped = IsClippedAt(i);
        r.Element = this;
        Chunks.back().Chars.push_back(r);
        CountCollected(1);
        ++i;
    }
    BuildChildTextChunks(Chunks);
    // No space at the end of the whole text.
    if (parent == nullptr && !Chunks.empty() && !Chunks.back().Chars.empty()) {
        const TSVGCharChunk& last = Chunks.back().Chars.back();
        if (last.Char == u' ' && last.Element->EffectiveXmlSpace() != TSVGXmlSpace::xsPreserve)
            Chunks.back().Chars.pop_back();
    }
}

void TSVGCustomText::BuildChildTextChunks(TSVGTextChunks& Chunks)
{
    for (TSVGElement* child : Items())
        if (auto* text = dynamic_cast<TSVGCustomText*>(child))
            if (text->IsRenderable())
                text->BuildTextChunks(Chunks);
}

// --- Modes and directions -----------------------------------------------------------------

bool TSVGCustomText::UseFillText() const
{
    return Options().Contains(TSVGOption::soUseFillText);
}

TSVGTextAlign TSVGCustomText::GetTextAnchor() const
{
    const TSVGTextAlign align = ResolvedValues().TextAlign;
    if (ResolvedValues().Direction != TSVGDirection::dirRightToLeft)
        return align;
    switch (align) {
    case TSVGTextAlign::staLeading:
        return TSVGTextAlign::staTrailing;
    case TSVGTextAlign::staTrailing:
        return TSVGTextAlign::staLeading;
    default:
        return align;
    }
}

TSVGTextAlign TSVGCustomTextContentChild::GetTextAnchor() const
{
    return ResolvedValues().TextAlign;
}

bool TSVGCustomText::IsVertical() const
{
    switch (LayoutRoot()->ResolvedValues().WritingMode) {
    case TSVGWritingMode::wmTopBottom:
    case TSVGWritingMode::wmTopBottom_RightLeft:
        return true;
    default:
        return false;
    }
}

// --- The layout cache ------------------------------------------------------------------------

void TSVGCustomText::InvalidateLayout() const
{
    TSVGCustomText* root = LayoutRoot();
    if (!root->FLayout)
        root->FLayout = std::make_unique<TLayoutState>();
    root->FLayout->Stale = true;
}

void TSVGCustomText::MarkBoundsStale() const
{
    InvalidateLayout();
}

void TSVGCustomText::ReferenceChanged(TSVGElement* Sender)
{
    InvalidateLayout();
    Inherited::ReferenceChanged(Sender);
}

void TSVGCustomText::ResetResults() const
{
    FGlyphs.clear();
    FDecorations.Clear();
    FOutlineStale = true;
    for (const TSVGElement* child : Items())
        if (auto* text = dynamic_cast<const TSVGCustomText*>(child))
            text->ResetResults();
}

void TSVGCustomText::EnsureLayout() const
{
    TSVGCustomText* root = LayoutRoot();
    if (!root->FLayout)
        root->FLayout = std::make_unique<TLayoutState>();
    TLayoutState& state = *root->FLayout;
    const std::uint64_t fonts = FontsServiceGeneration();
    if (!state.Stale && state.FontsGeneration == fonts && !root->AnyReferenceChanged())
        return;
    root->ResetResults();
    TSVGTextLayout layout(*root);
    state.Advance = layout.Run();
    state.Stale = false;
    state.FontsGeneration = fonts;
    ++state.Count;
}

bool TSVGCustomText::AnyReferenceChanged() const
{
    if (ReferencesChanged())
        return true;
    for (const TSVGElement* child : Items())
        if (auto* text = dynamic_cast<const TSVGCustomText*>(child); text && text->AnyReferenceChanged())
            return true;
    return false;
}

const std::vector<TSVGPlacedGlyph>& TSVGCustomText::PlacedGlyphs() const
{
    EnsureLayout();
    return FGlyphs;
}

const TZorPathData& TSVGCustomText::DecorationOutline() const
{
    EnsureLayout();
    return FDecorations;
}

double TSVGCustomText::TextAdvance() const
{
    EnsureLayout();
    return LayoutRoot()->FLayout->Advance;
}

std::uint64_t TSVGCustomText::LayoutCount() const
{
    const TSVGCustomText* root = LayoutRoot();
    return root->FLayout ? root->FLayout->Count : 0;
}

QSizeF TSVGCustomText::GetTextSize() const
{
    return BoundsRect().size();
}

// --- Shape and bounds ----------------------------------------------------------------------------

const TZorPathData& TSVGCustomText::ShapeForDrawing(TZorPathData&) const
{
    return GetShape();
}

const TZorPathData& TSVGCustomText::GetShape() const
{
    EnsureLayout();
    if (FOutlineStale) {
        const TUpdateScope update(FOutline);
        FOutline.Clear();
        for (const TSVGPlacedGlyph& placed : FGlyphs)
            FOutline.AddPainterPath(placed.Glyph.Outline(placed.Placement));
        if (!FDecorations.IsEmpty())
            FOutline.Append(FDecorations);
        FOutlineStale = false;
    }
    return FOutline;
}

QRectF TSVGCustomText::BoundsRect() const
{
    QRectF bounds;
    if (const TZorPathData& shape = GetShape(); !shape.IsEmpty())
        bounds = shape.GetBounds();
    // The root's box is the whole text's, as paint servers and hosts see it.
    if (TextParent() == nullptr) {
        std::vector<const TSVGCustomText*> pending;
        for (const TSVGElement* child : Items())
            if (auto* text = dynamic_cast<const TSVGCustomText*>(child))
                pending.push_back(text);
        while (!pending.empty()) {
            const TSVGCustomText* text = pending.back();
            pending.pop_back();
            if (const TZorPathData& shape = text->GetShape(); !shape.IsEmpty())
                bounds = bounds.isNull() ? shape.GetBounds() : bounds | shape.GetBounds();
            for (const TSVGElement* child : text->Items())
                if (auto* inner = dynamic_cast<const TSVGCustomText*>(child))
                    pending.push_back(inner);
        }
    }
    return bounds;
}

QRectF TSVGCustomText::GetBoundsRect(const QTransform& aMatrix) const
{
    return MapBounds(BoundsRect(), Matrix() * aMatrix);
}

// --- Element ---------------------------------------------------------------------------------------

void TSVGCustomText::Clear()
{
    TUpdateScope update(*this);
    FText.clear();
    FXmlSpace = TSVGXmlSpace::xsInherit;
    FX->Clear();
    FY->Clear();
    FDX->Clear();
    FDY->Clear();
    FRotate.clear();
    Inherited::Clear();
    Changed(this);
}

void TSVGCustomText::AssignProperties(const TSVGElement* Source)
{
    if (const auto* text = dynamic_cast<const TSVGCustomText*>(Source); text != nullptr && text != this) {
        FText = text->FText;
        FXmlSpace = text->FXmlSpace;
        text->FX->Clone(*FX);
        text->FY->Clone(*FY);
        text->FDX->Clone(*FDX);
        text->FDY->Clone(*FDY);
        FRotate = text->FRotate;
        Changed(this);
    }
    Inherited::AssignProperties(Source);
}

// --- text, tspan ------------------------------------------------------------------------------------

TSVGElementType TSVGText::SVGType() const
{
    return TSVGElementType::etText;
}

TSVGElementTypes TSVGText::ChildSVGTypes() const
{
    using enum TSVGElementType;
    return DescriptiveTypes() | TSVGElementTypes{etTSpan, etTextPath, etTRef};
}

std::unique_ptr<TSVGElement> TSVGText::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGText>(aOwner);
}

TSVGElementType TSVGTextSpan::SVGType() const
{
    return TSVGElementType::etTSpan;
}

TSVGElementTypes TSVGTextSpan::ChildSVGTypes() const
{
    using enum TSVGElementType;
    return DescriptiveTypes() | TSVGElementTypes{etTSpan, etTRef};
}

std::unique_ptr<TSVGElement> TSVGTextSpan::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGTextSpan>(aOwner);
}

// --- tref ---------------------------------------------------------------------------------------------

TSVGTextRef::TSVGTextRef(TSVGDocument* aOwner)
    : Inherited(aOwner)
{
}

TSVGTextRef::~TSVGTextRef() = default;

TSVGElementType TSVGTextRef::SVGType() const
{
    return TSVGElementType::etTRef;
}

TSVGElementTypes TSVGTextRef::ChildSVGTypes() const
{
    return DescriptiveTypes();
}

void TSVGTextRef::SetReference(const QString& Value)
{
    if (Value == FReference)
        return;
    FReference = Value;
    FLink.Follow(FindReferencedElement(FReference));
    Changed(this);
}

const TSVGCustomText* TSVGTextRef::ReferencedText() const
{
    auto* text = dynamic_cast<TSVGCustomText*>(FindReferencedElement(FReference));
    if (text == this)
        return nullptr;
    // A reference read before its element existed starts following it now.
    if (text != nullptr && FLink.Target() != text)
        FLink.Follow(text);
    return text;
}

QString TSVGTextRef::GetText() const
{
    const TSVGCustomText* text = ReferencedText();
    if (text == nullptr)
        return Inherited::GetText();
    // All the character data of the referenced element, in order; the own
    // texts only, so that references through trefs cannot go round.
    QString result;
    std::vector<const TSVGCustomText*> pending = {text};
    while (!pending.empty()) {
        const TSVGCustomText* e = pending.back();
        pending.pop_back();
        result += e->TSVGCustomText::GetText();
        const TSVGElementList& items = e->Items();
        for (qsizetype i = items.Count() - 1; i >= 0; --i)
            if (auto* child = dynamic_cast<const TSVGCustomText*>(items[i]))
                pending.push_back(child);
    }
    return result;
}

void TSVGTextRef::BuildTextChunks(TSVGTextChunks& Chunks)
{
    FLaidOutText = GetText();
    Inherited::BuildTextChunks(Chunks);
}

bool TSVGTextRef::ReferencesChanged() const
{
    return GetText() != FLaidOutText;
}

void TSVGTextRef::Clear()
{
    TUpdateScope update(*this);
    SetReference(QString());
    Inherited::Clear();
}

void TSVGTextRef::AssignProperties(const TSVGElement* Source)
{
    if (const auto* ref = dynamic_cast<const TSVGTextRef*>(Source); ref != nullptr && ref != this)
        SetReference(ref->FReference);
    Inherited::AssignProperties(Source);
}

std::unique_ptr<TSVGElement> TSVGTextRef::NewInstance(TSVGDocument* aOwner) const
{
    return std::make_unique<TSVGTextRef>(aOwner);
}

// --- Registration ----------------------------------------------------------------------------------------

void RegisterTextElementClasses()
{
    RegisterSVGElementClass(TSVGElementType::etText, SVGElementClassOf<TSVGText>());
    RegisterSVGElementClass(TSVGElementType::etTSpan, SVGElementClassOf<TSVGTextSpan>());
    RegisterSVGElementClass(TSVGElementType::etTRef, SVGElementClassOf<TSVGTextRef>());
    RegisterSVGElementClass(TSVGElementType::etTextPath, SVGElementClassOf<TSVGTextPath>());
}

namespace {
const bool TextClassesRegistered = (RegisterTextElementClasses(), true);
} // namespace

} // namespace zor
