#pragma once

// The GDI objects of a loaded window at its density, made when first asked
// for and deleted with it: one font per face and weight, one brush per line
// colour, the pictures drawn at that density (by control index).

#include <windows.h>

#include <cstddef>
#include <map>
#include <string_view>
#include <utility>

#include "layout/Layout.h"

namespace zenalto::win32 {

class GdiObjects {
public:
    explicit GdiObjects(unsigned dpi) : m_dpi(dpi) {}
    GdiObjects(const GdiObjects&) = delete;
    GdiObjects& operator=(const GdiObjects&) = delete;
    GdiObjects(GdiObjects&&) = delete;
    GdiObjects& operator=(GdiObjects&&) = delete;
    ~GdiObjects();

    [[nodiscard]] unsigned dpi() const noexcept { return m_dpi; }
    // The font for a face and weight at the density.
    [[nodiscard]] HFONT font(const layout::Font& font);
    // A solid brush of that colour.
    [[nodiscard]] HBRUSH brush(COLORREF colour);
    // Keeps the picture drawn for the control at `index`, to delete it with the rest.
    void keepPicture(std::size_t index, HBITMAP picture);

private:
    unsigned m_dpi;
    std::map<std::pair<std::u16string_view, bool>, HFONT> m_fonts;
    std::map<COLORREF, HBRUSH> m_brushes;
    std::map<std::size_t, HBITMAP> m_pictures;
};

}  // namespace zenalto::win32
