#pragma once
// Generators of hostile documents: each builds its bytes in memory, so that
// a case of many megabytes costs no stored file.

#include <QByteArray>

namespace zor::testing {

// An svg root with the xlink namespace around Content.
QByteArray SVGDocument(const QByteArray& Content, const QByteArray& RootAttributes = {});

// Entities that each reference the one before ten times, Levels deep.
QByteArray EntityExpansionBomb(int Levels);
// An entity naming an external file, referenced in a text.
QByteArray ExternalEntity(const QByteArray& SystemId);
// Groups nested Depth deep around a square.
QByteArray NestedGroups(int Depth);
// Uses that reference each other in a ring of Length.
QByteArray UseCycle(int Length);
// A chain of Length uses, each referencing the one before, down to a green square.
QByteArray UseChain(int Length);
// Levels groups, each holding Fanout uses of the group before.
QByteArray UseFanout(int Levels, int Fanout);
// Levels markers, each drawing a path of Vertices vertices marked with the
// marker before, and a path marked with the last.
QByteArray MarkerFanout(int Levels, int Vertices);
// Levels patterns, each painting Children squares with the pattern before
// in tiles of TileSize user units, and a square painted with the last.
QByteArray PatternFanout(int Levels, int Children, const QByteArray& TileSize);
// A path whose Attribute holds Bytes bytes of repeated Filler.
QByteArray LongAttribute(const QByteArray& Attribute, qsizetype Bytes, char Filler);
// A style element with Rules rules, each with its own class selector, and a
// square of the last class.
QByteArray ManyStyleRules(int Rules);
// An image element of 64 × 64 units showing Reference.
QByteArray ImageReference(const QByteArray& Reference);
// SVG pictures in data URIs, each showing the one inside it, Levels deep
// around a square.
QByteArray NestedSVGImages(int Levels);
// Levels SVG pictures in data URIs, each showing the one below Fanout times.
QByteArray SVGImageFanout(int Levels, int Fanout);
// The base64 of a PNG header that claims Width × Height pixels, with no pixel data.
QByteArray ClaimedPNG(quint32 Width, quint32 Height);

} // namespace zor::testing
