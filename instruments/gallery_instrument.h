#pragma once
// The base of the instruments that each draw an artwork of their own: the
// lights, the level and needle instruments, the metallic compass and the
// clocks. It gives them the edits they make to their artwork by id, paints
// a live part that only turns from turned pictures (as the round gauge
// does), brings the state its properties hold back into a freshly loaded
// artwork, and answers assistive technology.

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "instruments/custom_instrument.h"
#include "instruments/instrument_accessibility.h"
#include "instruments/live_picture.h"
#include "instruments/rotor_sprites.h"
#include "platform/enum_set.h"

namespace zor {

class TSVGCustomGradient;
class TSVGFont;

// How a gradient follows a new colour: its stops keep their brightness
// ratios from the first or from the last stop, or their differences to a
// reference stop.
struct TRecolouring {
    enum class TKind { rkScaleFromFirst, rkScaleFromLast, rkShift };
    TKind Kind;
    int RefIndex = 0;

    static TRecolouring ScaleFromFirst() { return {TKind::rkScaleFromFirst}; }
    static TRecolouring ScaleFromLast() { return {TKind::rkScaleFromLast}; }
    static TRecolouring Shift(int RefIndex) { return {TKind::rkShift, RefIndex}; }
};

// An element the parts show: it needs every one of Parts.
template <typename E>
struct TPartElement {
    const char* ID;
    TEnumSet<E> Parts;
};

// An element painted with a gradient, or with a flat colour without gradients.
struct TPaintServerUse {
    const char* ElementID;
    const char* GradientID;
    TAlphaColor FlatColor;
};

class TZorCustomGalleryInstrument : public TZorSVGCustomInstrument, public IInstrumentAccessibility {
    Q_OBJECT

public:
    // The stop index that stands for a gradient's last stop.
    static constexpr int LastStop = -1;

    explicit TZorCustomGalleryInstrument(QWidget* Parent = nullptr);

    // Loads the artwork, reads what it says of the colours (ArtworkLoaded)
    // and shows what the properties say (RestoreState).
    void LoadFromResource(const QString& ResName) override;

    // The size the instrument is made with.
    QSize sizeHint() const override { return FDefaultSize; }

    // Without a range unless an instrument says otherwise.
    bool HasAccessibleRange() const override { return false; }
    double AccessibleMinimum() const override { return 0; }
    double AccessibleMaximum() const override { return 0; }
    double AccessibleValue() const override { return 0; }
    void SetAccessibleValue(double) override {}
    QString AccessibleValueText() const override { return QString(); }
    QString AccessibleName() const override { return InstrumentKindName(*this); }

protected:
    // Resizes the instrument to Size, the size it prefers, and stores it.
    void SetDefaultSize(QSize Size);

    // Runs after every load: makes the live part active and reads the
    // colours the artwork has.
    virtual void ArtworkLoaded() {}
    // Runs after every load, the first one included: the artwork takes the
    // parts, gradients, light colour and emblem the properties name (an
    // emblem of dcNone leaves the artwork's own), and each instrument adds
    // its moving part.
    virtual void RestoreState();
    // The emblem the properties name, unless it is dcNone.
    virtual void RestoreDecoration();

    // The setters' pattern with the edit given in place: an unchanged value
    // does nothing; a new one is stored, Edit brings the artwork in line and
    // the notification follows.
    template <typename T, typename Instrument, typename EditFunction>
    void ChangeField(T& Field, const T& Value, EditFunction&& Edit, void (Instrument::*Notify)())
    {
        if (Field == Value)
            return;
        Field = Value;
        Edit();
        Q_EMIT(static_cast<Instrument*>(this)->*Notify)();
    }

    // --- Edits by id; each skips an id the artwork lacks -----------------------
    template <typename T = TSVGGraphicElement>
    T* Element(const QString& ID) const
    {
        T* element = nullptr;
        TryGetElement(ID, element);
        return element;
    }
    // The element ID, or EListError "Item not found" when the artwork lacks
    // it: for the elements an instrument cannot work without.
    template <typename T = TSVGGraphicElement>
    T& RequiredElement(const QString& ID) const
    {
        T* element = Element<T>(ID);
        if (element == nullptr)
            RaiseMissingElement(ID);
        return *element;
    }
    // display of element ID.
    void ShowElement(const QString& ID, bool Shown);
    // display of each element.
    void ShowElements(std::initializer_list<const char*> IDs, bool Shown);
    // Each element of Table shown when Parts has all its parts.
    template <typename E>
    void ShowParts(std::span<const TPartElement<E>> Table, const TEnumSet<E>& Parts)
    {
        for (const TPartElement<E>& row : Table)
            ShowElement(QString::fromLatin1(row.ID), (Parts & row.Parts) == row.Parts);
    }
    bool Detailed() const { return Design() == TSVGDesign::sdDetailed; }
    // Each element's fill paints its gradient (Enabled) or its flat colour.
    void ApplyPaintServers(std::initializer_list<TPaintServerUse> Uses, bool Enabled);
    // The fill (or stroke) of element ID becomes its own and paints Color;
    // 0 paints nothing.
    void SetFillOf(const QString& ID, TAlphaColor Color);
    void SetStrokeOf(const QString& ID, TAlphaColor Color);
    // The colour of the fill (or the stroke) of element ID, its kind kept.
    void SetBrushColor(const QString& ID, TAlphaColor Color);
    void SetPenColor(const QString& ID, TAlphaColor Color);
    // Reads the fill (or stroke) colour of element ID into Field; a missing
    // element leaves Field as it is.
    void ReadFill(const QString& ID, TAlphaColor& Field) const;
    void ReadStroke(const QString& ID, TAlphaColor& Field) const;

    // Element ID draws its texts in Font of its own (no longer inherited).
    void SetTextFont(const QString& ID, const TSVGFont& Font);

    // --- Gradients ---------------------------------------------------------------
    // Reads the colour of stop Index (LastStop for the last) into Field.
    void ReadStopColor(const QString& GradientID, int Index, TAlphaColor& Field) const;
    // Keeps the artwork's stop colours, for later recolourings to start from.
    void SaveGradient(const QString& GradientID);
    // The stops from the artwork's colours recoloured to Color.
    void RecolourGradient(const QString& GradientID, TAlphaColor Color, TRecolouring How);
    // Stop Index takes Color.
    void SetStopColor(const QString& GradientID, int Index, TAlphaColor Color);
    // Stops 0, 1, ... take Colors.
    void SetStopColors(const QString& GradientID, std::initializer_list<TAlphaColor> Colors);
    // Every stop takes Color.
    void SetEveryStop(const QString& GradientID, TAlphaColor Color);

    // --- Turning -------------------------------------------------------------------
    // The centre of element ID: of its bounds in its own user space, or with
    // its own transform included; none without the element or its bounds.
    std::optional<QPointF> CentreOf(const QString& ID, bool WithOwnTransform) const;
    // Element ID turned by Degrees (clockwise) about Pivot, its transform replaced.
    void TurnElement(const QString& ID, QPointF Pivot, double Degrees);

    // --- Repainting ----------------------------------------------------------------
    // The live part is drawn once into a picture, which later paints copy
    // until it changes: each change of it must say so. A live part that only
    // turns (Rotors) is copied turned instead.
    // The drawing changed outside the live part: the layers are drawn again.
    void ArtworkChanged();
    // The live part looks different (not only moved).
    void LivePartChanged();
    // The live part moved: its parts turned, or its geometry changed. The
    // rotors' repaint covers where they were and where they are.
    void LivePartMoved();
    // The live part's geometry or display changed within DocumentArea of
    // the document's user space (where the changed elements were and are):
    // only that area of its picture, and of the screen, is drawn again. A
    // null area stands for the whole live part.
    void LivePartMovedWithin(const QRectF& DocumentArea);
    // The area of the document's user space Element covers, its bounds
    // through its transforms, whether it is shown or not.
    static QRectF AreaOf(const TSVGGraphicElement& Element);
    // The parts of the live drawing that only turn, in drawing order; none
    // draws the live part as one picture.
    virtual std::vector<TSVGGraphicElement*> Rotors() const { return {}; }
    // Whether the rotors' pictures are drawn in a pose of their own, which
    // PoseForPictures sets (Drawing) and takes back.
    virtual bool HasPicturePose() const { return false; }
    virtual void PoseForPictures(bool /*Drawing*/) {}
    void PaintActiveElement(QPainter& Painter, const QRect& Target) override;
    const TRotorSprites& Sprites() const { return FSprites; }
    const TLivePicture& LivePicture() const { return FLivePicture; }

    // The child groups of element ID that are shown, as rotors.
    std::vector<TSVGGraphicElement*> ShownChildren(const QString& ID) const;

private:
    [[noreturn]] static void RaiseMissingElement(const QString& ID);

    // The key of the layers the rotors' pictures were drawn in their pose for.
    struct TPoseKey {
        qint64 LayerKey = 0;
        QSize Size;
        int Quality = 0;
        bool Valid = false;
    };
    void PaintRotors(QPainter& Painter, const QRect& Target, const std::vector<TSVGGraphicElement*>& Rotors);

    QSize FDefaultSize{DefaultSide, DefaultSide};
    TRotorSprites FSprites;
    TLivePicture FLivePicture;
    TPoseKey FPoseKey;
};

} // namespace zor
