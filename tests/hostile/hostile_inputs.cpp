#include "tests/hostile/hostile_inputs.h"

#include <QtEndian>

namespace zor::testing {

namespace {

// A 64 × 64 square from the origin.
const QByteArray Square = "d=\"M0 0H64V64H0z\"";

QByteArray Number(qsizetype Value)
{
    return QByteArray::number(Value);
}

// The CRC-32 that PNG chunks carry (bitwise: a few bytes only).
quint32 Crc32(const QByteArray& Bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : Bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// One PNG chunk: length, type, data and the CRC of type and data.
QByteArray PNGChunk(const QByteArray& Type, const QByteArray& Data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(Data.size()), chunk.data());
    const QByteArray body = Type + Data;
    chunk += body;
    QByteArray crc(4, '\0');
    qToBigEndian(Crc32(body), crc.data());
    return chunk + crc;
}

} // namespace

QByteArray SVGDocument(const QByteArray& Content, const QByteArray& RootAttributes)
{
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
           "width=\"64\" height=\"64\" " +
           RootAttributes + ">" + Content + "</svg>";
}

QByteArray EntityExpansionBomb(int Levels)
{
    QByteArray declarations = "<!ENTITY e0 \"expand\">";
    for (int level = 1; level <= Levels; ++level) {
        QByteArray references;
        for (int i = 0; i < 10; ++i)
            references += "&e" + Number(level - 1) + ";";
        declarations += "<!ENTITY e" + Number(level) + " \"" + references + "\">";
    }
    return "<?xml version=\"1.0\"?><!DOCTYPE svg [" + declarations + "]>" +
           SVGDocument("<text>&e" + Number(Levels) + ";</text>");
}

QByteArray ExternalEntity(const QByteArray& SystemId)
{
    return "<?xml version=\"1.0\"?><!DOCTYPE svg [<!ENTITY outside SYSTEM \"" + SystemId + "\">]>" +
           SVGDocument("<text id=\"t\">&outside;</text>");
}

QByteArray NestedGroups(int Depth)
{
    QByteArray open;
    QByteArray close;
    open.reserve(Depth * 3);
    close.reserve(Depth * 4);
    for (int i = 0; i < Depth; ++i) {
        open += "<g>";
        close += "</g>";
    }
    return SVGDocument(open + "<path d=\"M0 0H10V10H0z\"/>" + close);
}

QByteArray UseCycle(int Length)
{
    QByteArray content;
    for (int i = 0; i < Length; ++i)
        content += "<use id=\"u" + Number(i) + "\" xlink:href=\"#u" + Number((i + 1) % Length) + "\"/>";
    return SVGDocument(content);
}

QByteArray UseChain(int Length)
{
    QByteArray content = "<defs><path id=\"u0\" " + Square + " fill=\"green\"/>";
    for (int i = 1; i < Length; ++i)
        content += "<use id=\"u" + Number(i) + "\" xlink:href=\"#u" + Number(i - 1) + "\"/>";
    return SVGDocument(content + "</defs><use xlink:href=\"#u" + Number(Length - 1) + "\"/>");
}

QByteArray UseFanout(int Levels, int Fanout)
{
    QByteArray content = "<defs><g id=\"l0\"><path " + Square + " fill=\"green\"/></g>";
    for (int level = 1; level <= Levels; ++level) {
        content += "<g id=\"l" + Number(level) + "\">";
        for (int i = 0; i < Fanout; ++i)
            content += "<use xlink:href=\"#l" + Number(level - 1) + "\"/>";
        content += "</g>";
    }
    return SVGDocument(content + "</defs><use xlink:href=\"#l" + Number(Levels) + "\"/>");
}

QByteArray MarkerFanout(int Levels, int Vertices)
{
    QByteArray path = "M0 0";
    for (int i = 1; i < Vertices; ++i)
        path += " L" + Number(i % 2) + " " + Number(i);
    QByteArray content = "<defs><marker id=\"m0\"><path " + Square + " fill=\"green\"/></marker>";
    for (int level = 1; level <= Levels; ++level)
        content += "<marker id=\"m" + Number(level) + "\" overflow=\"visible\"><path d=\"" + path +
                   "\" marker-mid=\"url(#m" + Number(level - 1) + ")\"/></marker>";
    return SVGDocument(content + "</defs><path d=\"" + path + "\" marker-mid=\"url(#m" + Number(Levels) + ")\"/>");
}

QByteArray PatternFanout(int Levels, int Children, const QByteArray& TileSize)
{
    const QByteArray tile = "patternUnits=\"userSpaceOnUse\" width=\"" + TileSize + "\" height=\"" + TileSize + "\"";
    QByteArray content = "<defs><pattern id=\"p0\" " + tile + "><path " + Square + " fill=\"green\"/></pattern>";
    for (int level = 1; level <= Levels; ++level) {
        content += "<pattern id=\"p" + Number(level) + "\" " + tile + ">";
        for (int i = 0; i < Children; ++i)
            content += "<path " + Square + " fill=\"url(#p" + Number(level - 1) + ")\"/>";
        content += "</pattern>";
    }
    return SVGDocument(content + "</defs><path " + Square + " fill=\"url(#p" + Number(Levels) + ")\"/>");
}

QByteArray LongAttribute(const QByteArray& Attribute, qsizetype Bytes, char Filler)
{
    return SVGDocument("<path " + Attribute + "=\"" + QByteArray(Bytes, Filler) + "\"/>");
}

QByteArray ManyStyleRules(int Rules)
{
    QByteArray sheet;
    for (int i = 0; i < Rules; ++i)
        sheet += ".c" + Number(i) + "{fill:#" + QByteArray::number(i % 4096, 16).rightJustified(3, '0') + "}\n";
    return SVGDocument("<style>" + sheet + "</style><path class=\"c" + Number(Rules - 1) +
                       "\" " + Square + "/>");
}

QByteArray ImageReference(const QByteArray& Reference)
{
    return SVGDocument("<image width=\"64\" height=\"64\" xlink:href=\"" + Reference + "\"/>");
}

namespace {

QByteArray SVGImageDataURI(const QByteArray& Document)
{
    return "data:image/svg+xml;base64," + Document.toBase64();
}

} // namespace

QByteArray NestedSVGImages(int Levels)
{
    QByteArray document = SVGDocument("<path " + Square + " fill=\"green\"/>");
    for (int level = 0; level < Levels; ++level)
        document = ImageReference(SVGImageDataURI(document));
    return document;
}

QByteArray SVGImageFanout(int Levels, int Fanout)
{
    QByteArray document = SVGDocument("<path " + Square + " fill=\"green\"/>");
    for (int level = 0; level < Levels; ++level) {
        const QByteArray image = ImageReference(SVGImageDataURI(document));
        document = SVGDocument(image.repeated(Fanout));
    }
    return document;
}

QByteArray ClaimedPNG(quint32 Width, quint32 Height)
{
    QByteArray header(13, '\0');
    qToBigEndian(Width, header.data());
    qToBigEndian(Height, header.data() + 4);
    header[8] = 8; // bits per channel
    header[9] = 6; // RGBA
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + PNGChunk("IHDR", header) +
                           PNGChunk("IDAT", QByteArray()) + PNGChunk("IEND", QByteArray());
    return png.toBase64();
}

} // namespace zor::testing
