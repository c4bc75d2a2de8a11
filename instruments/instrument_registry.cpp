#include "instruments/instrument_registry.h"

#include <algorithm>

#include "instruments/artwork_instrument.h"
#include "instruments/gallery_instruments.h"
#include "instruments/round_instruments.h"
#include "platform/date_time.h"

namespace zor {

double ToDateTime(const QDateTime& Value)
{
    const QDate date = Value.date();
    const QTime time = Value.time();
    return EncodeDate(date.year(), date.month(), date.day()) +
           EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

TInstrumentRegistry::TInstrumentRegistry()
{
    for (const TArtworkContract& contract : ArtworkContracts()) {
        const TArtworkKind kind = contract.Kind;
        Register({QString::fromLatin1(contract.Name),
                  [kind]() -> std::unique_ptr<TZorSVGCustomInstrument> {
                      return CreateInstrument<TZorArtworkInstrument>(nullptr, kind);
                  },
                  nullptr, nullptr});
    }
    RegisterRoundInstruments(*this);
    RegisterGalleryInstruments(*this);
}

void TInstrumentRegistry::Register(TInstrumentClass Class)
{
    const auto same = [&](const TInstrumentClass& Entry) {
        return Entry.Name.compare(Class.Name, Qt::CaseInsensitive) == 0;
    };
    const auto found = std::find_if(FClasses.begin(), FClasses.end(), same);
    if (found != FClasses.end())
        *found = std::move(Class);
    else
        FClasses.push_back(std::move(Class));
}

const TInstrumentClass* TInstrumentRegistry::Find(const QString& Name) const
{
    for (const TInstrumentClass& entry : FClasses)
        if (entry.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &entry;
    return nullptr;
}

QStringList TInstrumentRegistry::Names() const
{
    QStringList names;
    for (const TInstrumentClass& entry : FClasses)
        names << entry.Name;
    return names;
}

} // namespace zor
