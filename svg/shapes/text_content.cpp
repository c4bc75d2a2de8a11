#include "svg/shapes/text_content.h"

#include <QChar>

namespace zor {

bool IsTextWhiteSpace(char32_t C)
{
    if ((C >= 9 && C <= 13) || C == 32 || C == 133 || C == 160)
        return true;
    if (C <= 255)
        return false;
    const QChar::Category category = QChar::category(C);
    return category == QChar::Separator_Space || category == QChar::Separator_Line
        || category == QChar::Separator_Paragraph;
}

QString NormalizeTextContent(QStringView Text, bool Preserve)
{
    QString result;
    result.reserve(Text.size());
    for (const QChar c : Text) {
        const bool blank = c == u'\n' || c == u'\r' || c == u'\t' || c == u' ';
        if (!blank)
            result += c;
        else if (Preserve || !result.endsWith(u' '))
            result += u' ';
    }
    return result;
}

char32_t ApplyFontVariant(char32_t C, TSVGFontVariant Variant, bool& TitleStart)
{
    switch (Variant) {
    case TSVGFontVariant::fvUpperCase:
        return QChar::toUpper(C);
    case TSVGFontVariant::fvLowerCase:
        return QChar::toLower(C);
    case TSVGFontVariant::fvTitleCase: {
        char32_t result = QChar::toLower(C);
        if (TitleStart && (QChar::isLetter(C) || QChar::isDigit(C))) {
            result = QChar::toUpper(C);
            TitleStart = false;
        }
        if (IsTextWhiteSpace(C))
            TitleStart = true;
        return result;
    }
    default:
        return C;
    }
}

} // namespace zor
