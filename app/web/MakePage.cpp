// Writes the web page of the program from the two layout tables, at build
// time: index.html (the main window, the About dialog as a template that the
// page loads when it is shown, and the platform's message box), zenalto.css
// (the classic look, the message box's, then every control's place, size,
// font and colour) and, for the font subsets, the characters the page draws in
// each weight. The message box's markup and style are the web platform's.
//
//   zenalto_make_page <classic.css> <message box .html> <message box .css> <output folder>

#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "about/frmAboutLayout.h"
#include "layout/PageWriter.h"
#include "main_window/Form1Layout.h"

namespace {

using zenalto::Form1Layout;
using zenalto::frmAboutLayout;
using zenalto::web::EscapeHtml;
using zenalto::web::Utf8;

// What a page that cannot start its program says: with scripts off
// (<noscript>, at once), and where the script does not start (refused by the
// host's type, a browser too old): the same words, shown by the style sheet
// alone when the program has not said it is ready some seconds after the
// page opened.
constexpr const char* NoStart = "Zenalto no puede arrancar: necesita JavaScript.";

constexpr const char* NoStartStyle =
    ".nostart{position:fixed;left:0;right:0;bottom:0;z-index:1000;margin:0;padding:8px;"
    "background:#ffffe1;color:#000;border-top:1px solid #000;font:16px var(--system)}\n"
    ".nostart.later{visibility:hidden;animation:nostart 0s 10s forwards}\n"
    "@keyframes nostart{to{visibility:visible}}\n"
    "[data-ready] .nostart{display:none}\n"
    "@media (scripting:none){.nostart.later{display:none}}\n";

// `messageBox`: the platform's message box, put in after the windows.
std::string Page(const std::string& messageBox) {
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"es\">\n<head>\n<meta charset=\"utf-8\">\n"
        // Before anything it governs. Only the page's own files, no inline
        // script or style (every style is in zenalto.css; scripts change
        // element.style, which a policy allows), WebAssembly compiled, and
        // no script address but the service worker's through a policy.
        // frame-ancestors would need a header; a meta cannot set it.
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; "
        "script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self'; "
        "object-src 'none'; base-uri 'none'; form-action 'none'; "
        "require-trusted-types-for 'script'; trusted-types zenalto\">\n"
        // The screen's width: the style sheet scales the windows to it.
        "<meta name=\"viewport\" content=\"width=device-width\">\n"
        "<meta name=\"color-scheme\" content=\"light\">\n"
        "<meta name=\"theme-color\" content=\"#efefef\">\n"
        "<meta name=\"description\" content=\"Calcula la velocidad de un satélite en órbita "
        "circular a partir de su altitud y del radio terrestre.\">\n<title>" +
        EscapeHtml(Utf8(Form1Layout.title)) +
        "</title>\n"
        "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
        "<link rel=\"icon\" href=\"icons/zenalto-32.png\" sizes=\"32x32\" type=\"image/png\">\n"
        "<link rel=\"apple-touch-icon\" href=\"icons/zenalto-touch-180.png\">\n"
        // The script first: it is the longest to come, and async.
        "<script src=\"zenalto.js\" async></script>\n"
        "<link rel=\"stylesheet\" href=\"zenalto.css\">\n"
        "<link rel=\"preload\" href=\"fonts/zenalto-sans.woff2\" as=\"font\" type=\"font/woff2\" "
        "crossorigin>\n"
        "<link rel=\"preload\" href=\"fonts/zenalto-sans-bold.woff2\" as=\"font\" "
        "type=\"font/woff2\" crossorigin>\n</head>\n<body>\n";
    // The program's windows are one application, named by the main window's
    // title: a screen reader that has handed the keys to the page in a field
    // keeps handing them on the buttons and the scroll bar (whose arrows its
    // browse mode would take), and the access keys reach the page. The About
    // window and the message box are in it too: a reader that sees the focus
    // leave an application for the page around it takes that for a change of
    // document and says nothing of where the focus went. The page's main
    // landmark holds the application (an application inside a landmark is
    // allowed, the main landmark inside another is not), so that a reader
    // never leaves it or enters it again while the focus is in a window.
    page += "<main><div id=\"Zenalto\" role=\"application\" aria-labelledby=\"" +
            std::string(Form1Layout.name) + "-heading\">\n";
    page += zenalto::web::WindowMarkup(Form1Layout) + "\n";
    page += "<template id=\"" + std::string(frmAboutLayout.name) + "-template\">" +
            zenalto::web::WindowMarkup(frmAboutLayout, &Form1Layout) + "</template>\n";
    page += messageBox + "</div></main>\n";
    page += std::string("<noscript><p class=\"nostart\">") + NoStart +
            "</p></noscript>\n<p class=\"nostart later\">" + NoStart + "</p>\n";
    return page + "</body>\n</html>\n";
}

// Every printable character of ASCII and Latin-1, which the fields show as
// the user types them and in which the program's messages are written, and
// any other character that the windows draw in that weight.
std::string Characters(bool bold) {
    std::u16string characters;
    for (char16_t c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0) {
            characters += c;
        }
    }
    for (const auto* window : {&Form1Layout, &frmAboutLayout}) {
        for (const char16_t c : zenalto::web::DrawnCharacters(*window, bold)) {
            if (characters.find(c) == std::u16string::npos) {
                characters += c;
            }
        }
    }
    return Utf8(characters);
}

bool Read(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream read;
    read << in.rdbuf();
    if (!in) {
        std::cerr << "zenalto_make_page: cannot read " << path << "\n";
        return false;
    }
    text = read.str();
    return true;
}

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "zenalto_make_page: cannot write " << path << "\n";
        return false;
    }
    return true;
}

int Make(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: zenalto_make_page <classic.css> <message box .html> "
                     "<message box .css> <output folder>\n";
        return 2;
    }
    std::string classic;
    std::string messageBox;
    std::string messageBoxStyle;
    if (!Read(argv[1], classic) || !Read(argv[2], messageBox) || !Read(argv[3], messageBoxStyle)) {
        return 1;
    }
    // The message box's markup without the comment that heads its file.
    const std::size_t markup = messageBox.find("<dialog");
    if (markup == std::string::npos) {
        std::cerr << "zenalto_make_page: no <dialog> in " << argv[2] << "\n";
        return 1;
    }
    const std::string style = classic + messageBoxStyle + zenalto::web::WindowStyle(Form1Layout) +
                              zenalto::web::WindowStyle(frmAboutLayout, &Form1Layout) +
                              zenalto::web::ScreenFitStyle(Form1Layout) + NoStartStyle;
    const std::string folder = argv[4];
    const bool written = Write(folder + "/index.html", Page(messageBox.substr(markup))) &&
                         Write(folder + "/zenalto.css", style) &&
                         Write(folder + "/regular.txt", Characters(false)) &&
                         Write(folder + "/bold.txt", Characters(true));
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // A build step: a failure of any kind says so and fails the build.
    try {
        return Make(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "zenalto_make_page: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "zenalto_make_page: failed\n";
    }
    return 1;
}
