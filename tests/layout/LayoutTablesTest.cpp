// The two windows' layout tables hold together: every value a whole number of
// pixels, every control inside its window or its frame, a frame listed before
// what it holds, the tab indexes each used once from 0 up, and every control
// that takes the focus in that order.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "about/frmAboutLayout.h"
#include "layout/Layout.h"
#include "layout/TableRules.h"
#include "main_window/Form1Layout.h"

namespace zenalto {
namespace {

using layout::Control;
using layout::Kind;
using layout::Window;

struct Table {
    const Window* window;
    friend void PrintTo(const Table& table, std::ostream* out) { *out << table.window->name; }
};

class LayoutTable : public ::testing::TestWithParam<Table> {};

bool WholePixels(int twips) {
    return twips % layout::TwipsPerPixel == 0;
}

TEST_P(LayoutTable, HoldsTogether) {
    const Window& window = *GetParam().window;
    EXPECT_TRUE(WholePixels(window.clientLeft) && WholePixels(window.clientTop) &&
                WholePixels(window.clientWidth) && WholePixels(window.clientHeight));

    std::set<std::string_view> listed;
    std::vector<int> tabIndexes;
    int defaults = 0;
    int cancels = 0;
    for (const Control& control : window.controls) {
        SCOPED_TRACE(std::string(control.name));
        EXPECT_TRUE(listed.insert(control.name).second) << "listed twice";
        EXPECT_TRUE(WholePixels(control.left) && WholePixels(control.top) &&
                    WholePixels(control.width) && WholePixels(control.height));
        EXPECT_GT(control.width, 0);
        EXPECT_GT(control.height, 0);

        int containerWidth = window.clientWidth;
        int containerHeight = window.clientHeight;
        if (!control.container.empty()) {
            const Control* frame = layout::find(window, control.container);
            ASSERT_NE(frame, nullptr) << "no container " << control.container;
            EXPECT_EQ(frame->kind, Kind::Frame);
            EXPECT_TRUE(listed.contains(control.container)) << "listed before its frame";
            containerWidth = frame->width;
            containerHeight = frame->height;
        }
        EXPECT_TRUE(control.left >= 0 && control.top >= 0 &&
                    control.left + control.width <= containerWidth &&
                    control.top + control.height <= containerHeight)
            << "outside its container";

        if (control.tabIndex >= 0) {
            tabIndexes.push_back(control.tabIndex);
        }
        EXPECT_TRUE(!layout::takesFocus(control.kind) || control.tabIndex >= 0)
            << "takes the focus";
        if (!control.buddy.empty()) {
            EXPECT_EQ(control.kind, Kind::Label);
            const Control* buddy = layout::find(window, control.buddy);
            EXPECT_TRUE(buddy != nullptr && layout::takesFocus(buddy->kind))
                << "buddy " << control.buddy;
        }
        defaults += control.isDefault ? 1 : 0;
        cancels += control.isCancel ? 1 : 0;
        EXPECT_TRUE(control.kind == Kind::PushButton || !(control.isDefault || control.isCancel));
    }
    EXPECT_LE(defaults, 1);
    EXPECT_LE(cancels, 1);

    std::sort(tabIndexes.begin(), tabIndexes.end());
    for (std::size_t i = 0; i < tabIndexes.size(); ++i) {
        EXPECT_EQ(tabIndexes[i], static_cast<int>(i)) << "tab indexes run from 0, each once";
    }
}

// What every face reads from the table instead of working it out: the focus
// order holds each control that takes the focus once, by rising tab index,
// and a dropped list shows all of its entries.
TEST_P(LayoutTable, SharedRulesFollowTheTable) {
    const Window& window = *GetParam().window;
    const std::vector<const Control*> order = layout::focusOrder(window);
    const auto focusable =
        std::count_if(window.controls.begin(), window.controls.end(),
                      [](const Control& c) { return layout::takesFocus(c.kind); });
    ASSERT_EQ(static_cast<std::ptrdiff_t>(order.size()), focusable);
    for (std::size_t i = 1; i < order.size(); ++i) {
        EXPECT_LT(order[i - 1]->tabIndex, order[i]->tabIndex) << order[i]->name;
    }
    for (const Control& control : window.controls) {
        if (control.kind == Kind::ComboBox) {
            EXPECT_GE(layout::DroppedListRows, static_cast<int>(control.items.size()))
                << control.name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, LayoutTable,
                         ::testing::Values(Table{&Form1Layout}, Table{&frmAboutLayout}),
                         [](const auto& row) { return std::string(row.param.window->name); });

// What each kind of control is to every face: whether it takes the focus,
// the event it reports, and whether the wheel moves it only with the focus.
struct KindRule {
    Kind kind;
    bool takesFocus;
    layout::Event event;
    bool wheelNeedsFocus;
};

constexpr std::array KindRules{
    KindRule{Kind::Frame, false, layout::Event::None, false},
    KindRule{Kind::Label, false, layout::Event::None, false},
    KindRule{Kind::TextBox, true, layout::Event::None, false},
    KindRule{Kind::ComboBox, true, layout::Event::ListClick, true},
    KindRule{Kind::HScrollBar, true, layout::Event::ScrollChange, true},
    KindRule{Kind::PushButton, true, layout::Event::Click, false},
    KindRule{Kind::Picture, false, layout::Event::None, false},
    KindRule{Kind::Line, false, layout::Event::None, false},
};

TEST(TableRules, EachKindTakesTheFocusReportsAndTakesTheWheelAsRuled) {
    for (const KindRule& rule : KindRules) {
        SCOPED_TRACE(static_cast<int>(rule.kind));
        EXPECT_EQ(layout::takesFocus(rule.kind), rule.takesFocus);
        EXPECT_EQ(layout::eventOf(rule.kind), rule.event);
        EXPECT_EQ(layout::wheelNeedsFocus(rule.kind), rule.wheelNeedsFocus);
    }
}

// Enter and Esc press the buttons that the table marks, and only push
// buttons: a mark on another kind is none. The About window's one button is
// both; the main window has neither.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
namespace button_check {
constexpr std::array TwoButtons{
    Control{.name = "Note", .kind = Kind::Label, .isDefault = true, .isCancel = true},
    Control{.name = "Yes", .kind = Kind::PushButton, .isDefault = true},
    Control{.name = "No", .kind = Kind::PushButton, .isCancel = true}};
constexpr Window Question{.name = "Question", .controls = TwoButtons};
}  // namespace button_check
#pragma GCC diagnostic pop

struct ButtonRule {
    const Window* window;
    std::string_view defaultButton;  // empty: none
    std::string_view cancelButton;
};

TEST(TableRules, EnterAndEscPressTheMarkedButtons) {
    const std::array rows{ButtonRule{&button_check::Question, "Yes", "No"},
                          ButtonRule{&frmAboutLayout, "cmdOK", "cmdOK"},
                          ButtonRule{&Form1Layout, "", ""}};
    const auto nameOf = [](const Control* control) {
        return control != nullptr ? control->name : std::string_view();
    };
    for (const ButtonRule& row : rows) {
        SCOPED_TRACE(std::string(row.window->name));
        EXPECT_EQ(nameOf(layout::defaultButton(*row.window)), row.defaultButton);
        EXPECT_EQ(nameOf(layout::cancelButton(*row.window)), row.cancelButton);
    }
}

// The check that keeps each table's clicks and its commands' handlers in step,
// on a small window: a button, a label and a menu item. Its entries name only
// the fields they use, as the tables' do.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
namespace handler_check {
struct Handler {
    std::string_view name;
};
constexpr std::array SmallControls{Control{.name = "Go", .kind = Kind::PushButton},
                                   Control{.name = "Note", .kind = Kind::Label}};
constexpr std::array SmallItems{layout::MenuItem{"Open", u"&Open"}};
constexpr std::array SmallMenus{
    layout::Menu{.name = "File", .caption = u"&File", .items = SmallItems}};
constexpr Window Small{.name = "Small", .controls = SmallControls, .menus = SmallMenus};

static_assert(layout::handlesEveryClick(Small, std::array{Handler{"Go"}, Handler{"Open"}}));
static_assert(!layout::handlesEveryClick(Small, std::array{Handler{"Go"}}),
              "a menu item without a handler");
static_assert(!layout::handlesEveryClick(Small, std::array{Handler{"Open"}}),
              "a button without a handler");
static_assert(!layout::handlesEveryClick(Small,
                                         std::array{Handler{"Go"}, Handler{"Open"}, Handler{"Go"}}),
              "two handlers for one button");
static_assert(!layout::handlesEveryClick(Small, std::array{Handler{"Go"}, Handler{"Open"},
                                                           Handler{"Note"}}),
              "a handler for a label");
static_assert(!layout::handlesEveryClick(Small, std::array{Handler{"Go"}, Handler{"Open"},
                                                           Handler{"File"}}),
              "a handler for a menu's title");
}  // namespace handler_check
#pragma GCC diagnostic pop

}  // namespace
}  // namespace zenalto
