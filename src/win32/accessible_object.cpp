#include "win32/accessible_object.h"

#include <oleacc.h>

namespace vz::win32 {

namespace {

bool Self(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::wstring& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = text.empty() ? nullptr : ::SysAllocString(text.c_str());
    return text.empty() ? S_FALSE : S_OK;
}

// The system's object, with the role, name, description and value the core
// gives for the object itself; everything else, its children included, is
// the system's.
class DescribedObject : public IAccessible {
public:
    DescribedObject(IAccessible* system, Described described)
        : system_(system), described_(std::move(described)) {}

    // IUnknown.
    STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
            riid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return system_->QueryInterface(riid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            system_->Release();
            delete this;
        }
        return left;
    }

    // IDispatch.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return system_->GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
        return system_->GetTypeInfo(i, l, t);
    }
    STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return system_->GetIDsOfNames(r, n, c, l, d);
    }
    STDMETHODIMP Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                        EXCEPINFO* e, UINT* a) override {
        return system_->Invoke(d, r, l, f, p, v, e, a);
    }

    // IAccessible: the object's own role and texts.
    STDMETHODIMP get_accName(VARIANT child, BSTR* out) override {
        return Self(child) ? Text(described_.name, out) : system_->get_accName(child, out);
    }
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* out) override {
        return Self(child) && !described_.description.empty()
                   ? Text(described_.description, out)
                   : system_->get_accDescription(child, out);
    }
    STDMETHODIMP get_accValue(VARIANT child, BSTR* out) override {
        return Self(child) && !described_.value.empty() ? Text(described_.value, out)
                                                        : system_->get_accValue(child, out);
    }
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* out) override {
        if (!Self(child) || !described_.role || !out) return system_->get_accRole(child, out);
        out->vt = VT_I4;
        out->lVal = described_.role;
        return S_OK;
    }

    // IAccessible: the rest as the system has it.
    STDMETHODIMP get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
    STDMETHODIMP get_accChildCount(long* n) override { return system_->get_accChildCount(n); }
    STDMETHODIMP get_accChild(VARIANT c, IDispatch** p) override { return system_->get_accChild(c, p); }
    STDMETHODIMP get_accState(VARIANT c, VARIANT* s) override { return system_->get_accState(c, s); }
    STDMETHODIMP get_accHelp(VARIANT c, BSTR* h) override { return system_->get_accHelp(c, h); }
    STDMETHODIMP get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return system_->get_accHelpTopic(f, c, t);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
        return system_->get_accKeyboardShortcut(c, k);
    }
    STDMETHODIMP get_accFocus(VARIANT* f) override { return system_->get_accFocus(f); }
    STDMETHODIMP get_accSelection(VARIANT* s) override { return system_->get_accSelection(s); }
    STDMETHODIMP get_accDefaultAction(VARIANT c, BSTR* a) override {
        return system_->get_accDefaultAction(c, a);
    }
    STDMETHODIMP accSelect(long f, VARIANT c) override { return system_->accSelect(f, c); }
    STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
        return system_->accLocation(x, y, w, h, c);
    }
    STDMETHODIMP accNavigate(long d, VARIANT s, VARIANT* e) override {
        return system_->accNavigate(d, s, e);
    }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* c) override { return system_->accHitTest(x, y, c); }
    STDMETHODIMP accDoDefaultAction(VARIANT c) override { return system_->accDoDefaultAction(c); }
    STDMETHODIMP put_accName(VARIANT c, BSTR n) override { return system_->put_accName(c, n); }
    STDMETHODIMP put_accValue(VARIANT c, BSTR v) override { return system_->put_accValue(c, v); }

private:
    virtual ~DescribedObject() = default;
    IAccessible* system_;
    Described described_;
    ULONG references_ = 1;
};

}  // namespace

LRESULT AnswerObject(HWND window, WPARAM w, const Described& described) {
    IAccessible* system = nullptr;
    if (FAILED(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&system))) ||
        !system)
        return 0;
    auto* object = new DescribedObject(system, described);
    const LRESULT answer = ::LresultFromObject(__uuidof(IAccessible), w, object);
    object->Release();
    return answer;
}

}  // namespace vz::win32
