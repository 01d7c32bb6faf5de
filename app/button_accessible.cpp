#include "button_accessible.h"

#include <oleacc.h>

#include <string>

#include "image_button.h"
#include "system_library.h"

// The interface identity is taken from the header's declaration (__uuidof): with MinGW's
// oleacc import library, IID_IAccessible resolves to an import thunk instead of the GUID.
namespace orlivane {
namespace {

// Assistive technology is not there on most runs: its libraries load when first asked for.
BSTR AllocateString(const wchar_t* text) {
    using SysAllocStringFunction = BSTR(WINAPI*)(const OLECHAR*);
    static const auto allocate =
        SystemFunctionAs<SysAllocStringFunction>(L"oleaut32.dll", "SysAllocString");
    return allocate ? allocate(text) : nullptr;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Wraps the system's standard object for the window and corrects what it cannot know.
class ButtonAccessible final : public IAccessible {
  public:
    ButtonAccessible(HWND button, IAccessible* standard) : button_(button), standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG remaining = InterlockedDecrement(&references_);
        if (remaining == 0) delete this;
        return static_cast<ULONG>(remaining);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* error) override {
        return standard_->Invoke(id, iid, locale, flags, params, result, exception, error);
    }

    // IAccessible: what differs from a plain window.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        const int length = GetWindowTextLengthW(button_);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(button_, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        *name = AllocateString(text.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (FAILED(result) || !IsSelf(child) || state->vt != VT_I4) return result;
        state->lVal &= ~(STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);  // never takes the focus
        if (ImageButtonIsHot(button_)) state->lVal |= STATE_SYSTEM_HOTTRACKED;
        if (ImageButtonIsPressed(button_)) state->lVal |= STATE_SYSTEM_PRESSED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
        *action = AllocateString(L"Press");
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
        if (!IsWindowVisible(button_) || !IsWindowEnabled(button_)) return E_FAIL;
        PostMessageW(button_, kImageButtonAccessibleClick, 0, 0);
        return S_OK;
    }

    // Everything else as the standard object answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
        return standard_->get_accChild(child, dispatch);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        return standard_->get_accFocus(focus);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~ButtonAccessible() { standard_->Release(); }

    LONG references_ = 1;
    HWND button_;
    IAccessible* standard_;
};

}  // namespace

LRESULT ButtonAccessibleResult(HWND button, WPARAM wparam, LPARAM lparam) {
    using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    static const auto create_standard = SystemFunctionAs<CreateStdAccessibleObjectFunction>(
        L"oleacc.dll", "CreateStdAccessibleObject");
    static const auto result_from_object =
        SystemFunctionAs<LresultFromObjectFunction>(L"oleacc.dll", "LresultFromObject");
    if (!create_standard || !result_from_object)
        return DefWindowProcW(button, WM_GETOBJECT, wparam, lparam);
    EnsureComApartment();

    IAccessible* standard = nullptr;
    if (FAILED(create_standard(button, OBJID_CLIENT, __uuidof(IAccessible),
                               reinterpret_cast<void**>(&standard))) ||
        !standard)
        return DefWindowProcW(button, WM_GETOBJECT, wparam, lparam);
    auto* accessible = new (std::nothrow) ButtonAccessible(button, standard);
    if (!accessible) {
        standard->Release();
        return 0;
    }
    const LRESULT result = result_from_object(__uuidof(IAccessible), wparam, accessible);
    accessible->Release();
    return result;
}

}  // namespace orlivane
