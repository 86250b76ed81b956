#include "platform/WebPlatform.h"

#include <emscripten.h>

#include <string>

// The texts cross to the page through ZenaltoUtf16 (utf16.js).
// clang-format off
EM_JS(void, zenalto_message_box, (const char16_t* prompt, int promptLength, int style,
                                  const char16_t* title, int titleLength,
                                  const char* language, int languageLength), {
    ZenaltoPlatform.messageBox(ZenaltoUtf16.read(prompt, promptLength), style,
                               ZenaltoUtf16.read(title, titleLength),
                               String.fromCharCode.apply(null, HEAPU8.subarray(language, language + languageLength)));
});
EM_JS(int, zenalto_separator_length, (), {
    return ZenaltoPlatform.decimalSeparator().length;
});
EM_JS(void, zenalto_read_separator, (char16_t* buffer, int length), {
    ZenaltoUtf16.write(ZenaltoPlatform.decimalSeparator(), buffer, length);
});
EM_JS(void, zenalto_end_program, (), {
    ZenaltoPlatform.end();
});
// clang-format on

namespace zenalto::web {

void WebPlatform::messageBox(std::u16string_view prompt, MessageStyle style,
                             std::u16string_view title) {
    messageBoxInLanguage(prompt, style, title, "");
}

void WebPlatform::messageBoxInLanguage(std::u16string_view prompt, MessageStyle style,
                                       std::u16string_view title, std::string_view language) {
    const std::u16string_view shown = MessageTitle(title);
    zenalto_message_box(prompt.data(), static_cast<int>(prompt.size()), static_cast<int>(style),
                        shown.data(), static_cast<int>(shown.size()), language.data(),
                        static_cast<int>(language.size()));
}

std::u16string WebPlatform::decimalSeparator() {
    std::u16string separator(static_cast<std::size_t>(zenalto_separator_length()), u'\0');
    zenalto_read_separator(separator.data(), static_cast<int>(separator.size()));
    return separator;
}

void WebPlatform::endProgram() {
    zenalto_end_program();
}

std::int32_t WebPlatform::regOpenKeyEx(RegistryKey /*root*/, std::string_view /*subKey*/,
                                       std::uint32_t /*options*/, std::uint32_t /*samDesired*/,
                                       RegistryKey& /*result*/) {
    return ErrorFileNotFound;
}

std::int32_t WebPlatform::regQueryValueEx(RegistryKey /*key*/, std::string_view /*valueName*/,
                                          std::uint32_t& /*type*/, std::span<std::byte> /*data*/,
                                          std::int32_t& /*dataSize*/) {
    return ErrorFileNotFound;
}

std::int32_t WebPlatform::regCloseKey(RegistryKey /*key*/) {
    return ErrorSuccess;
}

bool WebPlatform::fileExists(std::string_view /*path*/) {
    return false;
}

void WebPlatform::startProcess(std::string_view path) {
    throw PlatformError("a page cannot start the program " + std::string(path));
}

}  // namespace zenalto::web
