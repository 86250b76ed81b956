#include "AccessibleName.h"

#include <oleacc.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SubclassedWindows.h"
#include "SystemFunction.h"

namespace zenalto::win32 {

namespace {

// oleaut32's and oleacc's functions, bound at the first question of a screen
// reader (see SystemFunction.h).
decltype(&::SysAllocString) sysAllocString() {
    static const auto function =
        SystemFunction<decltype(&::SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    return function;
}
decltype(&::CreateStdAccessibleObject) createStdAccessibleObject() {
    static const auto function = SystemFunction<decltype(&::CreateStdAccessibleObject)>(
        L"oleacc.dll", "CreateStdAccessibleObject");
    return function;
}
decltype(&::LresultFromObject) lresultFromObject() {
    static const auto function =
        SystemFunction<decltype(&::LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    return function;
}

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT textAnswer(const std::wstring& text, BSTR* answer) {
    if (answer == nullptr) {
        return E_INVALIDARG;
    }
    const auto allocate = sysAllocString();
    *answer = allocate != nullptr ? allocate(text.c_str()) : nullptr;
    return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Windows' standard object of a control with another name, description or
// role where given; everything else is the standard object's. A COM object is
// destroyed by its own Release(), never through an interface pointer, so its
// interfaces have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* standard, std::wstring name, std::wstring description, long role)
        : m_standard(standard),
          m_name(std::move(name)),
          m_description(std::move(description)),
          m_role(role) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;
    NamedAccessible(NamedAccessible&&) = delete;
    NamedAccessible& operator=(NamedAccessible&&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // IEnumVARIANT, IOleWindow...: those of the standard object.
        return m_standard->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return m_standard->Invoke(id, iid, locale, flags, parameters, result, exception,
                                  argumentError);
    }

    // IAccessible: the name, description and role of the control itself are
    // ours where given.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (isSelf(child) && !m_name.empty()) {
            return textAnswer(m_name, name);
        }
        return m_standard->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (isSelf(child) && !m_description.empty()) {
            return textAnswer(m_description, description);
        }
        return m_standard->get_accDescription(child, description);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (isSelf(child) && m_role != 0 && role != nullptr) {
            role->vt = VT_I4;
            role->lVal = m_role;
            return S_OK;
        }
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
        return m_standard->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

private:
    ~NamedAccessible() { m_standard->Release(); }

    IAccessible* m_standard;
    std::wstring m_name;
    std::wstring m_description;
    long m_role;  // 0: the standard object's
    ULONG m_references = 1;
};
#pragma GCC diagnostic pop

// What a named control keeps: its own window procedure, its texts and role.
struct Named {
    WNDPROC original;
    std::wstring name;
    std::wstring description;
    long role = 0;

    std::optional<LRESULT> answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        if (message != WM_GETOBJECT ||
            static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) {
            return std::nullopt;
        }
        const auto createStandard = createStdAccessibleObject();
        const auto answerWith = lresultFromObject();
        IAccessible* standard = nullptr;
        // The answer is marshalled through COM.
        if (createStandard != nullptr && answerWith != nullptr && UseCom() &&
            SUCCEEDED(createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&standard)))) {
            auto* accessible = new NamedAccessible(standard, name, description, role);
            const LRESULT result = answerWith(__uuidof(IAccessible), wParam, accessible);
            accessible->Release();
            return result;
        }
        return std::nullopt;
    }
};

// The named controls of this thread.
using NamedControls = SubclassedWindows<Named>;

}  // namespace

void SetAccessibleName(HWND control, std::u16string_view name, std::u16string_view description) {
    if (control == nullptr || name.empty() || NamedControls::find(control) != nullptr) {
        return;
    }
    NamedControls::add(control, Named{nullptr, std::wstring(name.begin(), name.end()),
                                      std::wstring(description.begin(), description.end())});
}

void SetAccessibleDialog(HWND window, std::u16string_view description) {
    if (window == nullptr || NamedControls::find(window) != nullptr) {
        return;
    }
    NamedControls::add(
        window, Named{nullptr, std::wstring(), std::wstring(description.begin(), description.end()),
                      ROLE_SYSTEM_DIALOG});
}

}  // namespace zenalto::win32
