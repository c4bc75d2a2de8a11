#pragma once
// What the instruments rely on in their artworks: for each artwork the
// resource it is stored under, its active element, its decoration path, and
// the ids the code addresses with their kinds, their place in document order
// (before, inside or after the active element) and their containers. Any
// artwork that keeps these works with the instrument code; everything else in
// it is free.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "platform/enum_set.h"

namespace zor {

class TSVGDocument;
class TSVGElement;

enum class TArtworkKind {
    akCircularGauge,
    akTrafficLight,
    akCubeLight,
    akSpeedometer,
    akBattery,
    akBatteryModern,
    akThermometer,
    akCompassMetallic,
    akClockClassic,
    akClockDigital
};
constexpr std::size_t EnumCount(TArtworkKind) { return 10; }

// The kinds of element the code looks ids up as.
enum class TArtworkElementKind {
    ekGraphic,  // anything drawable
    ekGroup,    // g
    ekPath,     // path
    ekText,     // text or tspan
    ekRect,     // rect
    ekGradient, // linear or radial gradient
    ekUse       // use
};
constexpr std::size_t EnumCount(TArtworkElementKind) { return 7; }

// Where an element lies in document order, which decides the cached layer
// it is drawn in.
enum class TArtworkPlace {
    apAnywhere, // definitions, or wherever the artwork likes
    apBefore,   // before the active element: the background layer
    apActive,   // the active element or inside it: drawn live
    apAfter     // after the active element: the foreground layer
};
constexpr std::size_t EnumCount(TArtworkPlace) { return 4; }

enum class TArtworkRule {
    arRequired,     // the instrument cannot work without it (an error, not a step skipped)
    arUntransformed // the code replaces its transform: it must carry none
};
constexpr std::size_t EnumCount(TArtworkRule) { return 2; }
using TArtworkRules = TEnumSet<TArtworkRule>;

struct TArtworkElement {
    const char* ID;
    TArtworkElementKind Kind;
    TArtworkPlace Place = TArtworkPlace::apAnywhere;
    // The id of an element that must contain it; none when null.
    const char* Within = nullptr;
    // The least number of own stop children (gradients), or of graphic
    // children (groups).
    int MinChildren = 0;
    TArtworkRules Rules = {};
};

struct TArtworkContract {
    TArtworkKind Kind;
    // The kind as the tools name it ("circular_gauge").
    const char* Name;
    // The resource name the instrument asks for ("CircularGaugeSVG").
    const char* ResourceName;
    // The artwork file in the artwork folder.
    const char* FileName;
    const char* ActiveID;
    // Empty for an artwork without decoration.
    const char* DecorationID;
    std::span<const TArtworkElement> Elements;
};

const TArtworkContract& ArtworkContract(TArtworkKind Kind);
std::span<const TArtworkContract> ArtworkContracts();
// The contract of the kind named Name ("circular_gauge") or stored under the
// resource name Name, compared without case.
std::optional<TArtworkKind> ArtworkKindByName(const QString& Name);
// The element kind as findings name it ("group").
QString ArtworkElementKindName(TArtworkElementKind Kind);

// What breaks an artwork's contract.
struct TArtworkFindings {
    // Ids the contract names that the artwork lacks.
    QStringList Missing;
    // Ids of the wrong kind, in the wrong place, outside their container,
    // with too few children or with a transform the code would lose; each
    // entry says which and why.
    QStringList Misplaced;
    // Ids that occur more than once.
    QStringList Extra;

    bool IsEmpty() const { return Missing.isEmpty() && Misplaced.isEmpty() && Extra.isEmpty(); }
    // Every finding on a line of its own, "missing: Hands".
    QStringList Lines() const;
};

// The ids that the artwork text Text gives to more than one element, each
// once, in the order of their second occurrence. Raises the XML service's
// error for text that is not XML.
QStringList DuplicateArtworkIDs(const QByteArray& Text);

// Checks a loaded artwork against Contract. DuplicateIDs are the ids its
// text gives to more than one element (a document keeps one of them).
TArtworkFindings CheckArtwork(const TArtworkContract& Contract, const TSVGDocument& Document,
                              const QStringList& DuplicateIDs = {});

} // namespace zor
