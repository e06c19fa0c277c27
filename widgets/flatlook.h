#pragma once
// The flat look's two colours, shared by the flat buttons, the flat panel (the pool
// caption), the window's design tables and the generator of Button3's glyph, whose
// smoothed edges are blended into the face colour. RGB values, 0xRRGGBB.
#include <cstdint>

namespace flatlook {

inline constexpr std::uint32_t kFace = 0xE7EFFE;    // the face of flat buttons and panels
inline constexpr std::uint32_t kBorder = 0x808080;  // their one-pixel border

}  // namespace flatlook
