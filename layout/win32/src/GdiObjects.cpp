#include "GdiObjects.h"

#include <string>

#include "layout/LayoutWindow.h"
#include "layout/Win32Text.h"

namespace zenalto::win32 {

GdiObjects::~GdiObjects() {
    for (const auto& [key, font] : m_fonts) {
        ::DeleteObject(font);
    }
    for (const auto& [key, brush] : m_brushes) {
        ::DeleteObject(brush);
    }
    for (const auto& [key, picture] : m_pictures) {
        ::DeleteObject(picture);
    }
}

HFONT GdiObjects::font(const layout::Font& font) {
    const auto key = std::make_pair(font.face, font.bold);
    if (const auto found = m_fonts.find(key); found != m_fonts.end()) {
        return found->second;
    }
    std::wstring face = wide(font.face);
    // "MS Sans Serif" is a bitmap font, drawn for 96 dots per inch and
    // blurred when scaled; its TrueType twin keeps denser screens sharp.
    if (m_dpi != USER_DEFAULT_SCREEN_DPI && face == L"MS Sans Serif") {
        face = L"Microsoft Sans Serif";
    }
    const HFONT made =
        ::CreateFontW(-fontPixelHeight(m_dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE,
                      FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str());
    m_fonts.emplace(key, made);
    return made;
}

HBRUSH GdiObjects::brush(COLORREF colour) {
    if (const auto found = m_brushes.find(colour); found != m_brushes.end()) {
        return found->second;
    }
    const HBRUSH made = ::CreateSolidBrush(colour);
    m_brushes.emplace(colour, made);
    return made;
}

void GdiObjects::keepPicture(std::size_t index, HBITMAP picture) {
    if (const auto found = m_pictures.find(index); found != m_pictures.end()) {
        ::DeleteObject(found->second);
    }
    m_pictures[index] = picture;
}

}  // namespace zenalto::win32
