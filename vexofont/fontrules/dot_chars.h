// How the tools write a glyph's dots as text, one character a dot: the
// glyph text and show's pictures use the same two, so that a picture
// pasted from show reads as glyph rows.
#ifndef VEXOCNVT_VEXOFONT_FONTRULES_DOT_CHARS_H_
#define VEXOCNVT_VEXOFONT_FONTRULES_DOT_CHARS_H_

namespace vexo {

constexpr char kSetDot = '#';
constexpr char kClearDot = '.';

}  // namespace vexo

#endif  // VEXOCNVT_VEXOFONT_FONTRULES_DOT_CHARS_H_
