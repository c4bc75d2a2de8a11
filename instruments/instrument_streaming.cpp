#include "instruments/instrument_streaming.h"

#include <array>

#include "platform/control.h"
#include "svg/values/font.h"

namespace zor {

namespace {

constexpr std::array<const char*, EnumCount(TSVGDesign{})> DesignValueNames = {"sdDetailed", "sdSimple"};
constexpr std::array<const char*, EnumCount(TFontStyle{})> FontStyleValueNames = {"fsBold", "fsItalic",
                                                                                    "fsUnderline", "fsStrikeOut"};

} // namespace

std::span<const char* const> DesignNames()
{
    return DesignValueNames;
}

std::span<const char* const> FontStyleNames()
{
    return FontStyleValueNames;
}

void RegisterInstrumentStreamClasses(TStreamRegistry& Registry)
{
    Registry.Register<TSVGFont>(QStringLiteral("TFont"))
        .Property(QStringLiteral("Family"), &TFont::Family, &TSVGFont::SetFamily)
        .Stored([](const TSVGFont& font) { return font.Family() != TFont::DefaultFamily(); })
        .Property(QStringLiteral("Size"), &TFont::Size, &TFont::SetSize, TFont::DefaultSize)
        .Set(QStringLiteral("Style"), &TFont::Style, &TFont::SetStyle, TFontStyles(), FontStyleValueNames);

    TClassBuilder<TZorSVGControl> control =
        Registry.Register<TZorSVGControl, TControl>(QStringLiteral("TZorSVGControl"), {});
    control.Property(QStringLiteral("Buffered"), &TZorSVGControl::Buffered, &TZorSVGControl::SetBuffered, true)
        .Property(QStringLiteral("Stretch"), &TZorSVGControl::Stretch, &TZorSVGControl::SetStretch, false)
        .Property(QStringLiteral("Quality"), &TZorSVGControl::Quality, &TZorSVGControl::SetQuality,
                  TZorSVGControl::DefaultQuality)
        .Children([&Registry](const TZorSVGControl& parent) { return StoredChildren(parent, Registry); },
                  [](TZorSVGControl& parent, std::unique_ptr<TPersistent> child) {
                      AdoptChild(parent, std::move(child));
                  });
    Event<TZorSVGControl>(control, QStringLiteral("OnClick"), [](TZorSVGControl& target, THandler handler) {
        target.OnClick = handler ? TEvent<TZorSVGControl*>([handler](TZorSVGControl* sender) { handler(*sender); })
                                 : TEvent<TZorSVGControl*>();
    });

    using TInstrument = TZorSVGCustomInstrument;
    TClassBuilder<TInstrument> instrument =
        Registry.Register<TInstrument, TZorSVGControl>(QStringLiteral("TZorSVGCustomInstrument"), {});
    instrument
        .Enum(QStringLiteral("Design"), &TInstrument::Design, &TInstrument::SetDesign, TSVGDesign::sdDetailed,
              DesignValueNames)
        .Enum(QStringLiteral("Decoration"), &TInstrument::Decoration, &TInstrument::SetDecoration,
              TDecoration::dcNone, DecorationNames())
        .Property(QStringLiteral("DecorationFillColor"), &TInstrument::DecorationFillColor,
                  &TInstrument::SetDecorationFillColor)
        .Property(QStringLiteral("DecorationStrokeColor"), &TInstrument::DecorationStrokeColor,
                  &TInstrument::SetDecorationStrokeColor)
        .Property(QStringLiteral("EnableGradients"), &TInstrument::EnableGradients, &TInstrument::SetEnableGradients,
                  true)
        .Property(QStringLiteral("LightColor"), &TInstrument::LightColor, &TInstrument::SetLightColor,
                  TInstrument::DefaultLightColor)
        .Property(QStringLiteral("FormatStr"), &TInstrument::FormatStr, &TInstrument::SetFormatStr,
                  TInstrument::DefaultFormatStr);
    Event<TInstrument>(instrument, QStringLiteral("OnChange"), [](TInstrument& target, THandler handler) {
        target.OnChange = handler ? TEvent<TInstrument*>([handler](TInstrument* sender) { handler(*sender); })
                                  : TEvent<TInstrument*>();
    });
}

} // namespace zor
