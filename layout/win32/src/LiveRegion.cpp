#include "LiveRegion.h"

#include <oleacc.h>

#include <string>

#include "SystemFunction.h"
#include "layout/Win32Text.h"

namespace zenalto::win32 {

namespace {

// UI Automation's LiveSetting property and its value Polite, which
// mingw-w64's UI Automation headers lack.
constexpr GUID LiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG Polite = 1;

// Gives the label its LiveSetting through the annotation service of oleacc,
// which Windows' proxy reads for UI Automation. COM loads oleacc from where
// the service is registered, the system folder. Wine's service answers
// E_NOTIMPL; the event is sent all the same.
void makePolite(HWND label) {
    const auto coCreateInstance =
        SystemFunction<decltype(&::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    IAccPropServices* services = nullptr;
    if (coCreateInstance == nullptr || !UseCom() ||
        FAILED(coCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        return;
    }
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = Polite;
    static_cast<void>(services->SetHwndProp(label, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                            LiveSettingProperty, polite));
    services->Release();
}

}  // namespace

HWND MakeLiveRegion(HWND window, HINSTANCE instance) {
    // Not a tab stop, and with no prefix, so that no "&" in a text becomes an
    // access key; below every control, so that a screen reader that walks the
    // window meets it last.
    const HWND label =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 1,
                          1, window, nullptr, instance, nullptr);
    if (label != nullptr) {
        ::SetWindowPos(label, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        makePolite(label);
    }
    return label;
}

void Announce(HWND region, std::u16string_view text) {
    if (region == nullptr) {
        return;
    }
    ::SetWindowTextW(region, wide(text).c_str());
    // Said again when the text is the same: the user asked again.
    ::NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, region, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace zenalto::win32
