#pragma once
// The base of every instrument: an SVG control that shows an artwork of the
// program, with a level of detail, an exchangeable decoration emblem in its
// own colours, gradients that can be turned into flat colours, a light colour
// with the shadow colour derived from it, a number format and a change event.
//
// Every setter compares, stores and then runs one protected operation; the
// instruments override those operations to change their artwork's elements,
// found by id.

#include <QString>
#include <functional>
#include <memory>

#include "instruments/decoration_catalogue.h"
#include "instruments/svg_control.h"
#include "platform/events.h"
#include "platform/persistent.h"
#include "svg/model/document.h"
#include "svg/values/colors.h"

namespace zor {

class TSVGCustomGradient;

enum class TSVGDesign { sdDetailed, sdSimple };
constexpr std::size_t EnumCount(TSVGDesign) { return 2; }

class TZorSVGCustomInstrument;

// Makes an instrument of class T from Arguments and runs its
// after-construction step (the artwork is loaded), then StoredValues (when
// given), which sets the values a stored layout or the caller gives it
// through the ordinary setters.
template <typename T, typename... Arguments>
std::unique_ptr<T> CreateInstrument(const std::function<void(T&)>& StoredValues, Arguments&&... Args);
template <typename T>
std::unique_ptr<T> CreateInstrument()
{
    return CreateInstrument<T>(std::function<void(T&)>());
}

class TZorSVGCustomInstrument : public TZorSVGControl {
    Q_OBJECT
    Q_PROPERTY(zor::TDecoration Decoration READ Decoration WRITE SetDecoration NOTIFY decorationChanged)
    Q_PROPERTY(zor::TAlphaColor DecorationFillColor READ DecorationFillColor WRITE SetDecorationFillColor NOTIFY
                   decorationFillColorChanged)
    Q_PROPERTY(zor::TAlphaColor DecorationStrokeColor READ DecorationStrokeColor WRITE SetDecorationStrokeColor NOTIFY
                   decorationStrokeColorChanged)
    Q_PROPERTY(zor::TSVGDesign Design READ Design WRITE SetDesign NOTIFY designChanged)
    Q_PROPERTY(bool EnableGradients READ EnableGradients WRITE SetEnableGradients NOTIFY enableGradientsChanged)
    Q_PROPERTY(zor::TAlphaColor LightColor READ LightColor WRITE SetLightColor NOTIFY lightColorChanged)
    Q_PROPERTY(zor::TAlphaColor ShadowColor READ ShadowColor NOTIFY lightColorChanged)
    Q_PROPERTY(QString FormatStr READ FormatStr WRITE SetFormatStr NOTIFY formatStrChanged)

public:
    static constexpr int DefaultSide = 200;
    static inline const QString DefaultFormatStr = QStringLiteral("0.#");
    static constexpr TAlphaColor DefaultLightColor = 0xFFFFFFFF;

    explicit TZorSVGCustomInstrument(QWidget* Parent = nullptr);
    ~TZorSVGCustomInstrument() override;

    // The emblem shown in the decoration element.
    TDecoration Decoration() const { return FDecoration; }
    void SetDecoration(TDecoration Value);
    // Fill and stroke of the decoration element; 0 paints nothing. Loading
    // an artwork reads them from it.
    TAlphaColor DecorationFillColor() const { return FDecorationFillColor; }
    void SetDecorationFillColor(TAlphaColor Value);
    TAlphaColor DecorationStrokeColor() const { return FDecorationStrokeColor; }
    void SetDecorationStrokeColor(TAlphaColor Value);
    // The level of detail; going back to sdDetailed reloads the artwork.
    TSVGDesign Design() const { return FDesign; }
    void SetDesign(TSVGDesign Value);
    bool EnableGradients() const { return FEnableGradients; }
    void SetEnableGradients(bool Value);
    // Colour of the highlights.
    TAlphaColor LightColor() const { return FLightColor; }
    void SetLightColor(TAlphaColor Value);
    // The light colour less its smallest channel, with its alpha.
    TAlphaColor ShadowColor() const;
    // Picture format of generated labels and of the value read out. A
    // format whose numbers do not read back as those numbers (literal text,
    // negatives without their sign, zero as nothing; thousands separators
    // allowed) raises EConvertError "'%s' is not a valid number format" and
    // the previous one stays.
    const QString& FormatStr() const { return FFormatStr; }
    void SetFormatStr(const QString& Value);
    // The id of the path that shows the decoration.
    const QString& DecorationID() const { return FDecorationID; }

    // Raised by value changes (DoChange), with the instrument as sender.
    TEvent<TZorSVGCustomInstrument*> OnChange;

    // Loads the artwork, then reads the decoration colours from it.
    void LoadFromResource(const QString& ResName) override;

    QSize sizeHint() const override;

    // The notifications of the properties, after the artwork changed.
Q_SIGNALS:
    void decorationChanged();
    void decorationFillColorChanged();
    void decorationStrokeColorChanged();
    void designChanged();
    void enableGradientsChanged();
    void lightColorChanged();
    void formatStrChanged();

protected:
    template <typename T, typename... Arguments>
    friend std::unique_ptr<T> CreateInstrument(const std::function<void(T&)>& StoredValues, Arguments&&... Args);

    // Runs once, after the constructor of the most derived class: loads the
    // artwork named by GetResourceName. Descendants add their first refresh.
    virtual void AfterConstruction();

    // --- The operations the setters run ------------------------------------
    virtual void ApplyGradients(bool Enabled);
    // sdDetailed reloads the untouched artwork.
    virtual void ApplyDesign();
    virtual void ApplyLightColor();
    virtual void ApplyParts();
    // Shows the catalogue emblem of Decoration in the decoration path.
    virtual void ApplyDecoration();
    virtual void DesignChanged();
    virtual void EnableGradientsChanged();
    virtual void LightColorChanged();
    virtual void FormatStrChanged();
    // Runs ApplyParts when the document has anything in it.
    virtual void PartsChanged();
    virtual void DoChange();
    // The name of the artwork resource; empty here.
    virtual QString GetResourceName() const;
    virtual void DecorationFillColorChanged();
    virtual void DecorationStrokeColorChanged();

    void SetDecorationID(const QString& Value) { FDecorationID = Value; }

    // The setters' template: an unchanged value does nothing; a new one is
    // stored, the operation that brings the artwork in line runs, and the
    // property's notification follows.
    template <typename T, typename Instrument>
    void Change(T& Field, const T& Value, void (Instrument::*Operation)(), void (Instrument::*Notify)())
    {
        if (Field == Value)
            return;
        Field = Value;
        (static_cast<Instrument*>(this)->*Operation)();
        Q_EMIT(static_cast<Instrument*>(this)->*Notify)();
    }

    // --- Shared element edits ------------------------------------------------
    // The element with id ID as a T: false when there is none; raises
    // EInvalidCast "Invalid class typecast" when it is of another class.
    template <typename T>
    bool TryGetElement(const QString& ID, T*& Element) const
    {
        TSVGElement* found = nullptr;
        Element = nullptr;
        if (ID.isEmpty() || !SVG().AllItems().TryGetValue(ID, found) || found == nullptr)
            return false;
        Element = CheckedCast<T>(found);
        return true;
    }
    // The fill (IsFill) or stroke of element ElementID paints gradient
    // GradientID, or Color when UseGradient is false; nothing without the element.
    void SetPaintServer(const QString& ElementID, const QString& GradientID, bool IsFill, TAlphaColor Color,
                        bool UseGradient);

    // --- Gradient recolouring: on the gradient's own stops, in order ----------
    // Keeps each stop's colour in its Tag, so that recolourings start from
    // the artwork's colours each time instead of piling up.
    static void SaveGradientColors(TSVGCustomGradient& Gradient);
    static void RestoreGradientColors(TSVGCustomGradient& Gradient);
    // The stops take Color, keeping their differences to stop RefIndex
    // (ShiftedColors); a RefIndex outside them raises EListError.
    static void ShiftGradientColors(TSVGCustomGradient& Gradient, TAlphaColor Color, int RefIndex);
    // The stops take Color, keeping their brightness ratios (ScaledColors).
    static void ScaleGradientColors(TSVGCustomGradient& Gradient, TAlphaColor Color, bool FromFirst);

private:
    // The fill (IsFill) or the stroke of the decoration element takes Color;
    // 0 paints nothing.
    void PaintDecoration(bool IsFill, TAlphaColor Color);

    TSVGDesign FDesign = TSVGDesign::sdDetailed;
    TDecoration FDecoration = TDecoration::dcNone;
    TAlphaColor FLightColor = DefaultLightColor;
    TAlphaColor FDecorationFillColor = 0;
    TAlphaColor FDecorationStrokeColor = 0;
    QString FDecorationID;
    QString FFormatStr = DefaultFormatStr;
    bool FEnableGradients = true;
};

template <typename T, typename... Arguments>
std::unique_ptr<T> CreateInstrument(const std::function<void(T&)>& StoredValues, Arguments&&... Args)
{
    auto instrument = std::make_unique<T>(std::forward<Arguments>(Args)...);
    // Through the base, whose friend this is: descendants keep their
    // override protected.
    static_cast<TZorSVGCustomInstrument&>(*instrument).AfterConstruction();
    if (StoredValues)
        StoredValues(*instrument);
    return instrument;
}

} // namespace zor
