#pragma once

// What the page's markup and its style sheet share: an attribute written
// into a tag, and the id of a control's element, by which the style sheet
// finds it. The texts themselves (UTF-8, escapes, captions, access keys) are
// in layout/PageWriter.h.

#include <string>
#include <string_view>

#include "layout/Layout.h"

namespace zenalto::web {

// ` name="value"`, the value escaped.
[[nodiscard]] std::string Attribute(std::string_view name, std::string_view value);

// The id of a control's element: its name, or, in a dialog, the dialog's name
// and its own where the page's main window has a control of that name too.
[[nodiscard]] std::string ElementId(const layout::Window& window, const layout::Control& control,
                                    const layout::Window* beside);

}  // namespace zenalto::web
