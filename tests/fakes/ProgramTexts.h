#pragma once

// The program's messages as the tests expect to see them, written out here
// once for every C++ test that quotes them. They are literals on purpose, not
// the program's own constants: a message changed in the program must make the
// tests fail until this file is changed with it.

#include <string_view>

namespace zenalto::program_texts {

// An input message as the button and as the menu command show it.
struct InputPrompt {
    std::u16string_view button;
    std::u16string_view menu;
};

// The title of every input message; the messages themselves follow, one per
// fault of the input, each beginning with a blank.
inline constexpr std::u16string_view InputErrorTitle = u"Error en la introducción de datos";

inline constexpr InputPrompt NoAltitudePrompt{u" Introduzca un valor de altitud satelital",
                                              u" introduzca un valor de altitud satelital"};
inline constexpr InputPrompt NoRadiusPrompt{u" Introduzca un valor de radio terrestre",
                                            u" introduzca un valor de radio terrestre"};
inline constexpr InputPrompt AltitudeTooLargePrompt{u" Introduzca una altitud satelital menor",
                                                    u" introduzca una altitud satelital menor"};
inline constexpr InputPrompt RadiusTooLargePrompt{u" Introduzca un valor de radio terrestre menor",
                                                  u" introduzca un valor de radio terrestre menor"};
inline constexpr InputPrompt NoOrbitPrompt{
    u" Introduzca una altitud satelital mayor que menos el radio terrestre",
    u" introduzca una altitud satelital mayor que menos el radio terrestre"};

// "Ayuda": the help line and its title.
inline constexpr std::u16string_view HelpPrompt =
    u"Introduzca la altura del satelite,luego seleccione el radio terrestre";
inline constexpr std::u16string_view HelpTitle = u"Ayuda";

// What the About dialog's System Information button shows when no tool can
// be started; it names no title of its own.
inline constexpr std::u16string_view SysInfoUnavailablePrompt =
    u"System Information Is Unavailable At This Time";

}  // namespace zenalto::program_texts
