#include "instruments/artwork_instrument.h"

#include "svg/model/graphic_element.h"

namespace zor {

TZorArtworkInstrument::TZorArtworkInstrument(TArtworkKind Kind, QWidget* Parent)
    : TZorSVGCustomInstrument(Parent)
    , FKind(Kind)
{
    SetDecorationID(QString::fromLatin1(ArtworkContract(Kind).DecorationID));
}

QString TZorArtworkInstrument::GetResourceName() const
{
    return QString::fromLatin1(ArtworkContract(FKind).ResourceName);
}

void TZorArtworkInstrument::LoadFromResource(const QString& ResName)
{
    TZorSVGCustomInstrument::LoadFromResource(ResName);
    TSVGGraphicElement* active = nullptr;
    TryGetElement(QString::fromLatin1(ArtworkContract(FKind).ActiveID), active);
    SetActiveSVGElement(active);
}

} // namespace zor
