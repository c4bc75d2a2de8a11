#pragma once
// Character chunks: the characters of a text subtree, one record each with
// its resolved position data and the element it belongs to, cut into runs
// that are laid out (and aligned by text-anchor) together.

#include <QString>
#include <vector>

namespace zor {

class TSVGCustomText;

struct TSVGCharChunk {
    char32_t Char = 0;
    float X = 0;
    bool XIsSpecified = false;
    float Y = 0;
    bool YIsSpecified = false;
    float DX = 0;
    float DY = 0;
    float Rotate = 0;
    // Not drawn (a character off its path), but still advancing.
    bool IsClipped = false;
    // The element the character belongs to; not owned.
    TSVGCustomText* Element = nullptr;
};
using TSVGCharChunks = std::vector<TSVGCharChunk>;

// A run of characters laid out together: it begins at the first character of
// the text and at every character with an absolute position on the main axis.
struct TSVGTextChunk {
    TSVGCharChunks Chars;

    // The characters as text.
    QString Text() const;
};
using TSVGTextChunks = std::vector<TSVGTextChunk>;

} // namespace zor
