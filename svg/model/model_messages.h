#pragma once
// Message texts of the document model.

namespace zor::messages {

inline constexpr const char* ChildTypeNotAllowed = "SVG element <%s> does not allow children of <%s> element type";
inline constexpr const char* OwnParent = "An svg element cannot have itself as its parent";
inline constexpr const char* NilChild = "SVG element <%s> cannot take a nil child";
inline constexpr const char* ChildHasParent = "SVG element <%s> already has a parent";
inline constexpr const char* AppendToGiveParent =
    "SVG element <%s> has no parent to move from: give it one with AppendChild or InsertChild";
inline constexpr const char* ExtractToLeaveParent = "SVG element <%s> leaves its parent through ExtractChild";
inline constexpr const char* NestedTooDeep = "SVG elements cannot nest deeper than %d levels";
inline constexpr const char* EmptyXMLDocument = "Empty XML document";
inline constexpr const char* NotValidSVG = "Not a valid SVG";
inline constexpr const char* UnknownElement = "Unknown SVG element <%s> in document: %s";
inline constexpr const char* CloneClassMismatch = "%s creates a %s where a copy of its own class is needed";

} // namespace zor::messages
