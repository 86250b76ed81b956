#pragma once

// The reference ellipsoids offered in the radius list, in list order. The
// radius is kept as the text written into the radius field, trailing zero and
// all, and is never derived from the name.

#include <array>
#include <optional>
#include <string_view>

namespace zenalto {

struct ReferenceEllipsoid {
    std::u16string_view name;
    std::u16string_view radiusText;  // equatorial radius in km
};

inline constexpr std::array<ReferenceEllipsoid, 10> ReferenceEllipsoids{{
    {u"WGS84", u"6378.137"},
    {u"GRS80", u"6378.137"},
    {u"WGS72", u"6378.135"},
    {u"AUSTRALIAN", u"6378.160"},
    {u"KRASOVSKY", u"6378.245"},
    {u"INTERNACIONAL", u"6378.388"},
    {u"CLARKE 1866", u"6378.206"},
    {u"BESSEL", u"6377.397"},
    {u"AIRY", u"6377.563"},
    {u"EVEREST", u"6377.276"},
}};

// The radius text of the entry at a list index, or nothing when the index
// names no entry (-1: nothing selected).
[[nodiscard]] constexpr std::optional<std::u16string_view> RadiusTextOfEllipsoid(
    int index) noexcept {
    if (index < 0 || index >= static_cast<int>(ReferenceEllipsoids.size())) {
        return std::nullopt;
    }
    return ReferenceEllipsoids[static_cast<std::size_t>(index)].radiusText;
}

}  // namespace zenalto
