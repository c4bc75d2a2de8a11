#include "svg/values/style_keywords.h"

namespace zor {

namespace {

struct TCursorKeyword {
    const char* Keyword;
    int Code;
};

// The platform cursor codes: crDefault 0, crCross -3, crIBeam -4,
// crSizeNESW -6, crSizeNS -7, crSizeNWSE -8, crSizeWE -9, crHourGlass -11,
// crDrag -12, crHelp -20, crHandPoint -21.
constexpr std::array<TCursorKeyword, 16> CursorKeywords = {{
    {"auto", 0},
    {"crosshair", -3},
    {"default", 0},
    {"pointer", -21},
    {"move", -12},
    {"e-resize", -9},
    {"ne-resize", -6},
    {"nw-resize", -8},
    {"n-resize", -7},
    {"se-resize", -8},
    {"sw-resize", -6},
    {"s-resize", -7},
    {"w-resize", -9},
    {"text", -4},
    {"wait", -11},
    {"help", -20},
}};

constexpr int NoCursor = -1;

constexpr std::array<const char*, 3> TextAlignNames = {"middle", "start", "end"};

} // namespace

QLatin1String TextAlignName(TSVGTextAlign Value)
{
    return QLatin1String(TextAlignNames[static_cast<std::size_t>(Value)]);
}

QLatin1String VisibilityName(bool Visible)
{
    return Visible ? QLatin1String("visible") : QLatin1String("hidden");
}

bool FontSizeFromKeyword(QStringView Word, float& Size)
{
    for (std::size_t i = 1; i < FontSizeKeywords.size(); ++i)
        if (Word == QLatin1String(FontSizeKeywords[i])) {
            Size = FontSizeKeywordSizes[i];
            return true;
        }
    return false;
}

int CursorFromKeyword(QStringView Word)
{
    for (const TCursorKeyword& entry : CursorKeywords)
        if (Word == QLatin1String(entry.Keyword))
            return entry.Code;
    return NoCursor;
}

QLatin1String CursorKeyword(int Code)
{
    for (const TCursorKeyword& entry : CursorKeywords)
        if (entry.Code == Code)
            return QLatin1String(entry.Keyword);
    return QLatin1String();
}

} // namespace zor
