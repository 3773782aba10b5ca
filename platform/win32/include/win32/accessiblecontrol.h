// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace pemtos::win32 {

/// What Windows screen readers (MSAA, and UI Automation through its MSAA proxy) are
/// told about one control where the system's own accessible object says too little:
/// a role, name or description of the window's own, and for an output label the
/// text it announces after a command. Attached in front of the control's procedure,
/// it answers WM_GETOBJECT with the system's object for the control, wrapped so that
/// only what is given here differs; everything else (state, place, children, the
/// list's rows, default actions) stays the system's. What MSAA has no room for (an
/// output's live setting, an option's place in its group) is annotated on the
/// control for the system's UI Automation providers. A COM object: only Release
/// ends it, with its last reference, so its destructor is private.
class AccessibleControl final : public IAccessible { // NOLINT(cppcoreguidelines-virtual-class-destructor)
public:
    struct Facts {
        LONG role = 0;            ///< 0: the system's role for the control's class
        std::wstring name;        ///< empty: the text the control shows
        std::wstring description; ///< empty: none
        /// An output label: what it announces is said politely (UI Automation's live setting).
        bool live = false;
        /// An option: its place 1..`setSize` in its group (UI Automation's position in set).
        int position = 0;
        int setSize = 0;
    };

    /// Makes `control` answer screen readers with `facts`. Returns false when its
    /// procedure cannot be put in front.
    static bool attach(HWND control, Facts facts);
    /// Tells screen readers, politely and without moving the focus, that `control`
    /// (an attached label) now says `announcement`: the label is named by it for as
    /// long as it shows the text it shows now, and a name change and a live-region
    /// change are raised for it.
    static void announce(HWND control, std::wstring announcement);

    AccessibleControl(const AccessibleControl &) = delete;
    AccessibleControl &operator=(const AccessibleControl &) = delete;
    AccessibleControl(AccessibleControl &&) = delete;
    AccessibleControl &operator=(AccessibleControl &&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, the system object's
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale, DISPID *ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS *parameters,
                                     VARIANT *result, EXCEPINFO *exception, UINT *argumentError) override;

    // IAccessible: the name, description and role of the control itself are its own;
    // the rest is the system object's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch **parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG *count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch **object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR *value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR *description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT *role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT *state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR *help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR *shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT *child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT *children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR *action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG *left, LONG *top, LONG *width, LONG *height, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT *end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT *child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    AccessibleControl(HWND control, IAccessible *standard);
    ~AccessibleControl();

    static LRESULT CALLBACK windowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    ULONG m_references = 1;
    HWND m_control;
    IAccessible *m_standard; ///< the system's object for the control, owned
};

} // namespace pemtos::win32
