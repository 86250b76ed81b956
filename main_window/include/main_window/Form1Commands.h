#pragma once

// What each command of the main window does, written once for every face.
// The window forwards its eleven events here and lends its fields through
// Form1View; the commands read and write field texts, show messages and end
// the program through the Platform, and keep the one About dialog.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "about/AboutDialog.h"

namespace zenalto {

class Platform;

enum class Field { Text1, Text2, Text3, Text4 };

// The name the layout table gives the field's text box: "Text1" to "Text4".
[[nodiscard]] std::string_view FieldName(Field field) noexcept;

// The main window's fields, as the commands reach them.
class Form1View {
public:
    Form1View() = default;
    Form1View(const Form1View&) = delete;
    Form1View& operator=(const Form1View&) = delete;
    Form1View(Form1View&&) = delete;
    Form1View& operator=(Form1View&&) = delete;
    virtual ~Form1View() = default;

    [[nodiscard]] virtual std::u16string text(Field field) = 0;
    virtual void setText(Field field, std::u16string_view text) = 0;
    // Empties the list's edit area and leaves no entry selected; the entries stay.
    virtual void clearListText() = 0;
    // Has a screen reader say `text` politely, whatever has the focus and
    // without moving it: what a command has just written into fields the
    // user is not on. Called after those fields have their new texts.
    virtual void announce(std::u16string_view text) = 0;
};

class Form1Commands {
public:
    using AboutFactory = std::function<std::unique_ptr<AboutDialog>()>;

    // `makeAbout` makes the About dialog on the first "Acerca de...".
    Form1Commands(Form1View& view, Platform& platform, AboutFactory makeAbout);

    void Command1_Click();  // "Calcular"
    void Command2_Click();  // "Borrar"
    void Command3_Click();  // "Salir"
    void Command4_Click();  // "Acerca de..."
    void Calcular_Click();  // "&Calcular"
    void Borrar_Click();    // "&Borrar"
    void Salir_Click();     // "&Salir"
    void Ayuda_Click();     // "A&yuda"
    void Acerca_Click();    // "A&cerca de..."
    // The entry at `listIndex` was chosen from the list (-1: none).
    void Combo1_Click(int listIndex);
    // The scroll bar stands at `position`: after an arrow or track click, or
    // on the release of its dragged thumb.
    void HScroll1_Change(int position);

    // The same events by the name the layout table gives the button, the
    // menu item, the list or the scroll bar, so that every face forwards its
    // events one way. A name that has no handler runs nothing.
    void Click(std::string_view name);
    void ListClick(std::string_view name, int listIndex);
    void ScrollChange(std::string_view name, int position);

    // The About dialog once it has been shown; nullptr until then.
    [[nodiscard]] AboutDialog* aboutDialog() const { return m_frmAbout.get(); }

private:
    void calculate(bool fromMenu);
    void clearFields();
    void showAbout();

    Form1View& m_view;
    Platform& m_platform;
    AboutFactory m_makeAbout;
    std::unique_ptr<AboutDialog> m_frmAbout;
};

// The factory a face's main window gives its commands: `makeAbout` when one
// was injected (a test's), otherwise one that makes the face's own About
// dialog, `Dialog(platform, extra...)`. The platform is kept by reference,
// the extra arguments by value.
template <class Dialog, class... Extra>
[[nodiscard]] Form1Commands::AboutFactory AboutFactoryOr(Form1Commands::AboutFactory makeAbout,
                                                         Platform& platform, Extra... extra) {
    if (makeAbout) {
        return makeAbout;
    }
    return [&platform, extra...] { return std::make_unique<Dialog>(platform, extra...); };
}

}  // namespace zenalto
