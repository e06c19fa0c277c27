#include "app/design.h"

#include "data/window.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace design {

namespace {

using K = Kind;
using B = Bevel;

constexpr WindowDesign kWindow{
    .caption = "澄曜晚会抽奖系统 V3.7 霁岩版",
    .outerSize = {940, 700},
    .clientSize = {932, 673},
    .font = {"MS Sans Serif", 11, false},
};

// Parents come before their children. Within a container the rows are in stacking order,
// bottom to top: the builder creates the widgets in row order, and Qt puts a widget over
// the siblings created before it. This order is the one statement of the stacking.
constexpr Component kComponents[] = {
    // Children of the window.
    // The prize bar: prize slots, draw size, record shortcut; disabled during a draw.
    {.name = "Panel8", .kind = K::Panel, .parent = nullptr, .rect = {0, 0, 932, 46},
     .tabOrder = 0, .font = {"新宋体", 14}, .fill = kPrizeBarBlue,
     .outer = B::Lowered, .inner = B::Raised, .accessibleName = "奖项栏"},
    // The stage: picture, headline, buttons and pool.
    {.name = "Panel18", .kind = K::Panel, .parent = nullptr, .rect = {0, 46, 932, 605},
     .tabOrder = 1, .fill = kStageGrey, .outer = B::None, .inner = B::Lowered,
     .accessibleName = "抽奖区"},
    // Publisher notice and the settings hint.
    {.name = "StatusBar1", .kind = K::StatusBar, .parent = nullptr, .rect = {0, 651, 932, 22},
     .accessibleName = "状态栏"},

    // Children of Panel8, the prize bar.
    // Slot 1 counter: how many have won this prize.
    {.name = "Label1", .kind = K::Label, .parent = "Panel8", .rect = {105, 16, 14, 14},
     .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue, .transparent = true},
    // Slot 2 counter.
    {.name = "Label4", .kind = K::Label, .parent = "Panel8", .rect = {223, 16, 14, 14},
     .visible = false, .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue,
     .transparent = true},
    // Slot 3 counter.
    {.name = "Label5", .kind = K::Label, .parent = "Panel8", .rect = {341, 16, 14, 14},
     .visible = false, .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue,
     .transparent = true},
    // Slot 4 counter.
    {.name = "Label6", .kind = K::Label, .parent = "Panel8", .rect = {461, 16, 14, 14},
     .visible = false, .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue,
     .transparent = true},
    // Slot 5 counter.
    {.name = "Label7", .kind = K::Label, .parent = "Panel8", .rect = {581, 16, 14, 14},
     .visible = false, .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue,
     .transparent = true},
    // Slot 6 counter (under cxGroupBox3 at the design width).
    {.name = "Label8", .kind = K::Label, .parent = "Panel8", .rect = {701, 16, 14, 14},
     .visible = false, .caption = "00", .font = {"新宋体", 14}, .textColour = kBlue,
     .transparent = true},
    // Prize slot 1: choosing the prize of the next draw; the caption is the prize name.
    {.name = "RadioButton1", .kind = K::RadioButton, .parent = "Panel8", .rect = {11, 10, 94, 25},
     .tabOrder = 0, .tabStop = true, .checked = true, .caption = "特等奖", .font = {"黑体", 24},
     .transparent = true},
    // Prize slot 2.
    {.name = "RadioButton2", .kind = K::RadioButton, .parent = "Panel8", .rect = {128, 10, 94, 25},
     .tabOrder = 1, .visible = false, .caption = "一等奖", .font = {"黑体", 24},
     .transparent = true},
    // Prize slot 3.
    {.name = "RadioButton3", .kind = K::RadioButton, .parent = "Panel8", .rect = {246, 10, 94, 25},
     .tabOrder = 2, .visible = false, .caption = "二等奖", .font = {"黑体", 24},
     .transparent = true},
    // Prize slot 4.
    {.name = "RadioButton4", .kind = K::RadioButton, .parent = "Panel8", .rect = {365, 10, 94, 25},
     .tabOrder = 3, .visible = false, .caption = "三等奖", .font = {"黑体", 24},
     .transparent = true},
    // Draw size and record shortcut, anchored to the prize bar's right edge.
    {.name = "cxGroupBox3", .kind = K::GroupBox, .parent = "Panel8", .rect = {618, 0, 313, 46},
     .tabOrder = 4, .transparent = true},
    // Prize slot 5 (lies over cxGroupBox3 on a narrow window).
    {.name = "RadioButton5", .kind = K::RadioButton, .parent = "Panel8", .rect = {485, 10, 94, 25},
     .tabOrder = 5, .visible = false, .caption = "四等奖", .font = {"黑体", 24},
     .transparent = true},
    // Prize slot 6 (lies over cxGroupBox3 at the design width).
    {.name = "RadioButton6", .kind = K::RadioButton, .parent = "Panel8", .rect = {605, 10, 94, 25},
     .tabOrder = 6, .visible = false, .caption = "五等奖", .font = {"黑体", 24},
     .transparent = true},

    // Children of cxGroupBox3: the draw size and the record view.
    // Caption of the draw size, filled with the prize bar's colour.
    {.name = "Label3", .kind = K::Label, .parent = "cxGroupBox3", .rect = {10, 14, 95, 19},
     .caption = "本次选出：", .font = {"黑体", 19}, .fill = kPrizeBarBlue},
    // Unit after the draw size.
    {.name = "Label2", .kind = K::Label, .parent = "cxGroupBox3", .rect = {158, 13, 19, 19},
     .caption = "人", .font = {"黑体", 19}, .transparent = true},
    // Record shortcut: opens the winners record in an editor.
    {.name = "Button3", .kind = K::FlatButton, .parent = "cxGroupBox3", .rect = {185, 9, 112, 28},
     .tabOrder = 0, .tabStop = true, .caption = "查看获奖名单", .font = {"新宋体", 12},
     .fill = kFlatFace, .border = kGrey},
    // The draw-size field: how many names one draw picks.
    {.name = "SpinEdit1", .kind = K::NumberEdit, .parent = "cxGroupBox3", .rect = {105, 12, 44, 22},
     .tabOrder = 1, .tabStop = true, .minValue = 1, .maxValue = 999, .value = 5,
     .font = {"新宋体", 16, true},
     .accessibleName = "本次选出人数"},

    // Children of Panel18.
    // The picture from the basic settings file, colour-keyed.
    {.name = "Image1", .kind = K::Image, .parent = "Panel18", .rect = {56, 64, 593, 489},
     .transparent = true, .accessibleName = "图片"},
    // The headline: the event's title from the basic settings file, then each pick.
    {.name = "StaticText1", .kind = K::StaticText, .parent = "Panel18", .rect = {9, 17, 608, 328},
     .caption = "澄曜幸运星 天天拿奖金", .font = {"楷体_GB2312", 29, true}, .textColour = kRed,
     .transparent = true},
    // The buttons under the headline; its centre follows the stage's width.
    {.name = "cxGroupBox1", .kind = K::GroupBox, .parent = "Panel18", .rect = {68, 450, 585, 137},
     .tabOrder = 0, .transparent = true},
    // The pool area, docked to the stage's right edge.
    {.name = "cxGroupBox2", .kind = K::GroupBox, .parent = "Panel18", .rect = {738, 1, 193, 603},
     .tabOrder = 1, .transparent = true},

    // Children of cxGroupBox1: the buttons.
    // Start/Stop.
    {.name = "Button1", .kind = K::FlatButton, .parent = "cxGroupBox1", .rect = {64, 62, 241, 75},
     .tabOrder = 0, .tabStop = true, .caption = "开始", .font = {"隶书", 56, true},
     .textColour = kMaroon, .fill = kFlatFace, .border = kGrey, .hint = "点这里开始抽奖"},
    // Cancel: ends a draw without recording it.
    {.name = "FlatButton1", .kind = K::FlatButton, .parent = "cxGroupBox1", .rect = {320, 94, 73, 43},
     .tabOrder = 1, .tabStop = true, .caption = "取消", .font = {"宋体", 16, true},
     .textColour = kMaroon, .fill = kFlatFace, .border = kGrey, .hint = "取消正在进行的抽奖"},
    // Settings shortcut: opens the basic settings file.
    {.name = "FlatButton2", .kind = K::FlatButton, .parent = "cxGroupBox1", .rect = {408, 94, 73, 43},
     .tabOrder = 2, .tabStop = true, .caption = "设置", .font = {"宋体", 16, true},
     .textColour = kMaroon, .fill = kFlatFace, .border = kGrey},
    // Prizes shortcut: opens the prize names file.
    {.name = "FlatButton3", .kind = K::FlatButton, .parent = "cxGroupBox1", .rect = {496, 94, 73, 43},
     .tabOrder = 3, .tabStop = true, .caption = "奖项", .font = {"宋体", 16, true},
     .textColour = kMaroon, .fill = kFlatFace, .border = kGrey},

    // Children of cxGroupBox2, Panel4 and Label13: the pool area.
    // Frame of the pool list.
    {.name = "Panel4", .kind = K::Panel, .parent = "cxGroupBox2", .rect = {11, 29, 175, 503},
     .tabOrder = 0, .outer = B::Lowered, .inner = B::None},
    // The pool: the names still in the draw; right click opens PopupMenu1.
    {.name = "ListBox1", .kind = K::ListBox, .parent = "Panel4", .rect = {1, 1, 173, 501},
     .tabOrder = 0, .tabStop = false, .fill = kWhite, .accessibleName = "抽奖名单"},
    // Pool caption "抽奖名单[n]人"; a click switches the page-key lock.
    {.name = "Label13", .kind = K::FlatPanel, .parent = "cxGroupBox2", .rect = {11, 5, 174, 27},
     .tabOrder = 1, .caption = "  抽奖名单", .fill = kFlatFace, .border = kGrey,
     .hint = "点这里可以屏蔽翻页键"},
    // Candidate list shortcut: opens the candidate list file.
    {.name = "SpeedButton1", .kind = K::SpeedButton, .parent = "Label13", .rect = {88, 3, 82, 20},
     .caption = "批量编辑名单", .font = {"新宋体", 12}},
};

constexpr PrizeSlot kPrizeSlots[] = {
    {"RadioButton1", "Label1"}, {"RadioButton2", "Label4"}, {"RadioButton3", "Label5"},
    {"RadioButton4", "Label6"}, {"RadioButton5", "Label7"}, {"RadioButton6", "Label8"},
};
static_assert(std::size(kPrizeSlots) == kSlotCount);

constexpr StatusPanel kStatusPanels[] = {
    {555, "澄曜晚会抽奖系统 · 霁岩工作室出品"},  // the publisher notice
    {0, "提示：修改设置后，需重新打开软件才能生效。"},  // settings are read at start only
};

constexpr TimerDesign kTimers[] = {
    {"Timer1", 16},    // picks: one fresh pick per frame while a draw runs (the screen's pace)
    {"Timer2", 2000},  // the lock-out: Start/Stop is disabled until it fires
};

constexpr MenuItem kPopupMenuItems[] = {
    {"N1", "临时添加名单"},  // adds a name typed into an input box to the pool
    {"N4", nullptr},
    {"N2", "删除所选"},  // deletes the selected names from the pool
    {"N5", nullptr},
    {"N3", "取消"},  // closes the menu, nothing else
};

}  // namespace

const WindowDesign& window() { return kWindow; }

std::span<const Component> components() { return kComponents; }

const Component& component(std::string_view name) {
  for (const Component& c : kComponents)
    if (name == c.name) return c;
  std::abort();  // a name outside the design is a programming error
}

std::span<const PrizeSlot> prizeSlots() { return kPrizeSlots; }
std::span<const StatusPanel> statusPanels() { return kStatusPanels; }
std::span<const TimerDesign> timers() { return kTimers; }
std::span<const MenuItem> popupMenu() { return kPopupMenuItems; }

}  // namespace design
