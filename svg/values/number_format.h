#pragma once
// Locale-free number text: reading with "." as the decimal point and writing
// with picture formats such as "0.###", whatever the user's locale.

#include <QString>
#include <QStringView>

namespace zor {

// Reads a whole text as a decimal number: optional sign, digits with an
// optional "." fraction, optional exponent. No grouping, no hexadecimal, no
// surrounding blanks. Infinite and NaN results are rejected.
bool TryStrToFloat(QStringView Text, double& Value);
// As TryStrToFloat; raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(QStringView Text);

// Reads a whole text as a 32-bit decimal integer (optional sign, digits).
bool TryStrToInt(QStringView Text, int& Value);
// As TryStrToInt; raises EConvertError "'%s' is not a valid integer value".
int StrToInt(QStringView Text);

// Formats Value with a picture format: "0" a required digit, "#" an optional
// digit, "." the decimal point, "," grouping of thousands, "E+"/"E-"/"e+"/"e-"
// scientific notation, text in quotes literal, up to three sections separated
// by ";" (positive; negative; zero). Rounding is half away from zero on the
// value's 15-digit decimal form. An empty format gives the shortest form.
QString FormatFloat(const QString& Format, double Value);

// The shortest text that reads back as the same double, with "." as the decimal point.
QString FloatToStr(double Value);

} // namespace zor
