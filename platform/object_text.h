#pragma once
// The text form of stored objects, for layouts written and read by people:
//
//     object Panel1: TPanel          // a component and its name
//       Width = 100                  // integers, also 0xFF00FFFF
//       Value = 950.0                // numbers with a point or an exponent
//       Caption = 'It''s'            // texts, '' for a quote
//       Align = alLeft               // identifiers; True and False
//       Parts = [gpFrame, gpHands]   // sets
//       Labels = ('0' '1' '2')       // lists
//       Font = object TFont          // an object owned by the component
//         Size = 8.0
//       end
//       object Child1: TButton ...   // children, after the properties
//       end
//     end
//
// The text becomes the binary stream the reader takes (streaming.h); the
// registry tells which classes store children. A line comment starts with
// "//".

#include <QByteArray>
#include <QString>

namespace zor {

class TStreamRegistry;

namespace messages {
inline constexpr const char* ObjectTextError = "Object text, line %d: %s";
} // namespace messages

// The binary stream of the object Text describes; raises EReadError
// ("Object text, line %d: %s") at the first thing that does not read.
QByteArray ObjectTextToBinary(const QString& Text, const TStreamRegistry& Registry);

} // namespace zor
