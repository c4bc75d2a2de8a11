#include "platform/control.h"

#include <array>

namespace zor {

namespace {

constexpr std::array<const char*, EnumCount(TAlignLayout{})> AlignNames = {"alNone", "alTop",    "alLeft",
                                                                            "alRight", "alBottom", "alClient"};
constexpr std::array<const char*, EnumCount(TAnchorKind{})> AnchorKindNames = {"akLeft", "akTop", "akRight",
                                                                                "akBottom"};

// Margins are one list of four numbers: left, top, right, bottom.
void WriteMargins(const TControl& Control, TWriter& Writer)
{
    const QMarginsF& margins = Control.Margins();
    Writer.WriteListBegin();
    for (const double side : {margins.left(), margins.top(), margins.right(), margins.bottom()})
        Writer.WriteDouble(side);
    Writer.WriteListEnd();
}

void ReadMargins(TControl& Control, TReader& Reader)
{
    std::array<double, 4> sides{};
    Reader.ReadListBegin();
    for (double& side : sides) {
        if (Reader.EndOfList())
            Raise<EReadError>(messages::StreamPropertyValue,
                              {QStringLiteral("a list of fewer than 4 numbers"), QStringLiteral("Margins")});
        side = Reader.ReadDouble();
    }
    if (!Reader.EndOfList())
        Raise<EReadError>(messages::StreamPropertyValue,
                          {QStringLiteral("a list of more than 4 numbers"), QStringLiteral("Margins")});
    Reader.ReadListEnd();
    Control.SetMargins(QMarginsF(sides[0], sides[1], sides[2], sides[3]));
}

} // namespace

std::span<const char* const> AlignLayoutNames()
{
    return AlignNames;
}

std::span<const char* const> AnchorNames()
{
    return AnchorKindNames;
}

void RegisterControlClass(TStreamRegistry& Registry)
{
    Registry.Register<TControl, TComponent>(QStringLiteral("TControl"), {})
        .Enum(QStringLiteral("Align"), &TControl::Align, &TControl::SetAlign, TAlignLayout::alNone, AlignNames)
        .Property(QStringLiteral("Left"), &TControl::Left, &TControl::SetLeft, 0.0)
        .Property(QStringLiteral("Top"), &TControl::Top, &TControl::SetTop, 0.0)
        .Property(QStringLiteral("Width"), &TControl::Width, &TControl::SetWidth)
        .Property(QStringLiteral("Height"), &TControl::Height, &TControl::SetHeight)
        .Define(
            QStringLiteral("Margins"), [](const TControl& control) { return !control.Margins().isNull(); },
            WriteMargins, ReadMargins)
        .Set(QStringLiteral("Anchors"), &TControl::Anchors, &TControl::SetAnchors,
             TAnchors{TAnchorKind::akLeft, TAnchorKind::akTop}, AnchorKindNames);
}

} // namespace zor
