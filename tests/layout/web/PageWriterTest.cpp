// The web page written from the two layout tables: every control has one
// element, named as the tests and the page's script find it, and a rule that
// puts it where its table does; captions keep their access keys and their
// characters; Tab follows the tab indexes; the wheel's rule is on the
// controls it needs the focus for.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "about/frmAboutLayout.h"
#include "layout/PageWriter.h"
#include "main_window/Form1Layout.h"

namespace zenalto::web {
namespace {

using layout::Control;
using layout::Kind;
using layout::Window;

struct Page {
    const Window* window;
    const Window* beside;  // the page's other window
    friend void PrintTo(const Page& page, std::ostream* out) { *out << page.window->name; }
};

class PageOfTable : public ::testing::TestWithParam<Page> {};

// Dialog controls whose names the main window uses too have the dialog's
// name before theirs.
std::string IdOf(const Page& page, const Control& control) {
    if (page.window->border == layout::Border::FixedDialog &&
        layout::find(*page.beside, control.name) != nullptr) {
        return std::string(page.window->name) + "-" + std::string(control.name);
    }
    return std::string(control.name);
}

std::vector<std::string> Ids(const std::string& markup) {
    std::vector<std::string> ids;
    const std::string marker = " id=\"";
    for (auto at = markup.find(marker); at != std::string::npos; at = markup.find(marker, at)) {
        at += marker.size();
        ids.push_back(markup.substr(at, markup.find('"', at) - at));
    }
    return ids;
}

std::string Px(int twips) {
    return "calc(" + std::to_string(twips / layout::TwipsPerPixel) + "*var(--u))";
}

std::string PlacePx(int twips) {
    return "calc(" + std::to_string(twips / layout::TwipsPerPixel) + "*var(--page-u))";
}

TEST_P(PageOfTable, PlacesEveryControlAsItsTableDoes) {
    const Page page = GetParam();
    const std::string markup = WindowMarkup(*page.window, page.beside);
    const std::string style = WindowStyle(*page.window, page.beside);
    const std::vector<std::string> ids = Ids(markup);

    std::vector<const Control*> focusable;
    for (const Control& control : page.window->controls) {
        const std::string id = IdOf(page, control);
        SCOPED_TRACE(id);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 1);
        const std::string selector = id + (control.kind == Kind::ComboBox ? "-box" : "");
        EXPECT_NE(style.find("#" + selector + "{left:" + PlacePx(control.left) +
                             ";top:" + PlacePx(control.top) + ";width:" + Px(control.width) +
                             ";height:" + Px(control.height) + ";"),
                  std::string::npos);
        if (control.kind == Kind::TextBox || control.kind == Kind::ComboBox) {
            EXPECT_NE(markup.find("value=\"" + Utf8(control.caption) + "\""), std::string::npos);
            if (control.maxLength > 0) {
                EXPECT_NE(markup.find("value=\"" + Utf8(control.caption) + "\" maxlength=\"" +
                                      std::to_string(control.maxLength) + "\""),
                          std::string::npos);
            }
        } else if (!control.caption.empty()) {
            EXPECT_NE(markup.find(">" + CaptionMarkup(control.caption) + "<"), std::string::npos);
        }
        if (!control.accessibleName.empty()) {
            const std::string name = (control.kind == Kind::Picture ? "alt=\"" : "aria-label=\"") +
                                     Utf8(control.accessibleName) + "\"";
            EXPECT_NE(markup.find(name), std::string::npos);
        }
        // The wheel moves a list or a scroll bar only while it has the focus;
        // the page's script reads which from the element's own tag.
        const std::size_t tag = markup.find(" id=\"" + id + "\"");
        ASSERT_NE(tag, std::string::npos);
        const std::string opening = markup.substr(tag, markup.find('>', tag) - tag);
        EXPECT_EQ(opening.find(" data-wheel=\"focus\"") != std::string::npos,
                  control.kind == Kind::ComboBox || control.kind == Kind::HScrollBar);
        if (control.kind == Kind::TextBox || control.kind == Kind::ComboBox ||
            control.kind == Kind::HScrollBar || control.kind == Kind::PushButton) {
            focusable.push_back(&control);
        }
    }
    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    std::string order;
    for (const Control* control : focusable) {
        order += (order.empty() ? "" : " ") + IdOf(page, *control);
    }
    EXPECT_NE(markup.find("data-focus-order=\"" + order + "\""), std::string::npos) << order;
}

INSTANTIATE_TEST_SUITE_P(BothWindows, PageOfTable,
                         ::testing::Values(Page{&Form1Layout, &frmAboutLayout},
                                           Page{&frmAboutLayout, &Form1Layout}));

TEST(Page, IdsAreUniqueAcrossBothWindows) {
    std::set<std::string> seen;
    for (const std::string& markup :
         {WindowMarkup(Form1Layout, &frmAboutLayout), WindowMarkup(frmAboutLayout, &Form1Layout)}) {
        for (const std::string& id : Ids(markup)) {
            EXPECT_TRUE(seen.insert(id).second) << id;
        }
    }
}

struct CaptionCase {
    std::u16string_view caption;
    std::string_view markup;
    char16_t accessKey;
};

TEST(Page, CaptionsKeepTheirAccessKeysAndCharacters) {
    const CaptionCase cases[] = {
        {u"&System Info...", "<u>S</u>ystem Info...", u's'},
        {u"A&cerca de...", "A<u>c</u>erca de...", u'c'},
        {u"Salt && pepper", "Salt &amp; pepper", 0},
        {u"end&", "end&amp;", 0},
        {u"<b>\"x\"", "&lt;b&gt;&quot;x&quot;", 0},
        {u"Otoño, 2004", "Oto\xC3\xB1o, 2004", 0},
        {u"\U0001F600\xD800", "\xF0\x9F\x98\x80\xEF\xBF\xBD", 0},
    };
    for (const CaptionCase& c : cases) {
        EXPECT_EQ(CaptionMarkup(c.caption), c.markup);
        EXPECT_EQ(AccessKey(c.caption), c.accessKey);
    }
}

}  // namespace
}  // namespace zenalto::web
