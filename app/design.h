#pragma once
// The main window's design as data: every component with its kind, parent, place, size,
// caption, font, colours, visibility, tab order and hint, in tables that read like the
// designer's property sheets. Nothing here has behaviour; builder.cpp turns the tables
// into widgets and form1*.cpp binds the handlers.
#include "widgets/flatlook.h"

#include <QRect>
#include <QRgb>
#include <QSize>

#include <span>
#include <string_view>

namespace design {

enum class Kind {
  Panel,        // a filled rectangle with bevels, no caption
  Label,        // a text (counters, Label2, Label3)
  RadioButton,  // a prize slot
  GroupBox,     // a plain transparent container
  FlatButton,   // flat face, one-pixel border, caption centred
  FlatPanel,    // the pool caption Label13
  SpeedButton,  // flat, never takes the focus
  NumberEdit,   // the draw-size field
  ListBox,      // the pool
  Image,        // the picture, colour-keyed
  StaticText,   // the headline: fixed size, word wrap
  StatusBar,
};

enum class Bevel { None, Raised, Lowered };

// A colour of the design: none (inherit / not drawn) or an RGB value.
struct Colour {
  enum Source { None, Rgb } source = None;
  QRgb rgb = 0;
  bool isSet() const { return source == Rgb; }
};
constexpr Colour rgb(QRgb v) { return {Colour::Rgb, 0xFF000000u | v}; }

// Colours used (RGB).
inline constexpr Colour kPrizeBarBlue = rgb(0xD0E1FD);
inline constexpr Colour kStageGrey = rgb(0xEFEFEF);
inline constexpr Colour kFlatFace = rgb(flatlook::kFace);
inline constexpr Colour kGrey = rgb(flatlook::kBorder);
inline constexpr Colour kWhite = rgb(0xFFFFFF);
inline constexpr Colour kBlue = rgb(0x0000FF);
inline constexpr Colour kRed = rgb(0xFF0000);
inline constexpr Colour kMaroon = rgb(0x800000);

// A font: face and character height in pixels. No face means the window's own font.
struct Font {
  const char* face = nullptr;
  int pixels = 0;
  bool bold = false;
};

struct Component {
  const char* name;
  Kind kind;
  const char* parent;  // nullptr: the window itself
  QRect rect;          // left, top, width, height relative to the parent
  int tabOrder = -1;   // place in the parent's tab order; -1: none
  bool tabStop = false;
  bool visible = true;
  bool checked = false;           // a radio button selected at start
  const char* caption = nullptr;  // UTF-8
  int minValue = 0;               // the number edit's range and value
  int maxValue = 0;
  int value = 0;
  Font font{};
  Colour textColour{};
  Colour fill{};
  Colour border{};
  Bevel outer = Bevel::None;
  Bevel inner = Bevel::None;
  bool transparent = false;
  const char* hint = nullptr;  // tooltip, UTF-8
  const char* accessibleName = nullptr;  // where the caption is not the name
};

// The window itself.
struct WindowDesign {
  const char* caption;
  QSize outerSize;
  QSize clientSize;
  Font font;
};
const WindowDesign& window();

// Every component, in the order of the rows of design.cpp (which is the stacking).
std::span<const Component> components();
// The row of a component; aborts on a name the design does not have.
const Component& component(std::string_view name);

// The prize slots, slot 1 first (kSlotCount rows): the radio button that chooses the prize
// and the counter label beside it.
struct PrizeSlot {
  const char* button;
  const char* counter;
};
std::span<const PrizeSlot> prizeSlots();

// Status bar panels, left to right. Width 0: to the right end of the bar.
struct StatusPanel {
  int width;
  const char* text;
};
std::span<const StatusPanel> statusPanels();

// Timers, both off in the design.
struct TimerDesign {
  const char* name;
  int intervalMs;
};
std::span<const TimerDesign> timers();

// The pool's right-click menu, and its items top to bottom. A null caption is a separator
// line.
inline constexpr const char* kPopupMenu = "PopupMenu1";
struct MenuItem {
  const char* name;
  const char* caption;
};
std::span<const MenuItem> popupMenu();

}  // namespace design
