#pragma once

// Rules about pens that the line type page and the pen editor share: which
// pens may not go (in use, last of their kind) and which mask bits a solid
// pen must keep clear because no other solid pen has them clear.

namespace penrules {

inline constexpr int kSolidStyle = 1;
inline constexpr int kAssistStyle = 6;
inline constexpr int kStyleCount = 6;
inline constexpr int kInUseBit = 0x1;
inline constexpr int kMaskBits[3] = {0x1, 0x2, 0x4};

// The pen is used by elements of the figure.
bool inUse(void* pens, int pen);
// The pen is the last of its kind: with two pens or fewer every pen is;
// otherwise the only assist-line pen, the only solid pen, or the only pen
// that is not an assist line.
bool lastOfItsKind(void* pens, int pen);
// No pen of plot style 1 other than `pen` has mask bit `bit` clear.
bool onlySolidWithBitClear(void* pens, int pen, int bit);

}  // namespace penrules
