#pragma once
// An instrument that shows one of the program's artworks as it comes: its
// active element drawn live between the cached layers and its decoration
// path showing the decoration. The instruments of each kind build on the
// same artworks with their own classes; this one serves the artwork as such,
// to look at and to check.

#include "instruments/artwork_contract.h"
#include "instruments/custom_instrument.h"

namespace zor {

class TZorArtworkInstrument : public TZorSVGCustomInstrument {
    Q_OBJECT

public:
    explicit TZorArtworkInstrument(TArtworkKind Kind, QWidget* Parent = nullptr);

    TArtworkKind Kind() const { return FKind; }

    // Makes the contract's active element the live one again after loading.
    void LoadFromResource(const QString& ResName) override;

protected:
    QString GetResourceName() const override;

private:
    TArtworkKind FKind;
};

} // namespace zor
