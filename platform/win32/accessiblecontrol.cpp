// SPDX-License-Identifier: MIT
#include "win32/accessiblecontrol.h"

#include "win32/handles.h"
#include "win32/text.h"

#include <memory>
#include <utility>
#include <vector>

namespace pemtos::win32 {
namespace {

/// Where an attached control keeps what it tells screen readers: a window property,
/// as the control classes leave GWLP_USERDATA to the form's own subclasses.
constexpr const wchar_t *kProperty = L"pemtos.accessible";

struct Attached {
    WNDPROC own;
    AccessibleControl::Facts facts;
    std::wstring announcement;       ///< the last one, or empty
    std::wstring shownWhenAnnounced; ///< what the control showed when it was made
    std::vector<MSAAPROPID> annotated;
};

// The system's annotation service and the UI Automation properties given through
// it, as Windows defines them (the cross-compiler's headers lack them, and import
// its own GUIDs from oleacc.dll as code, not data).
constexpr CLSID kAccPropServices = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID kIAccPropServices = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID kLiveSetting = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr MSAAPROPID kPositionInSet = {0x33d1dc54, 0x641e, 0x4d76, {0xa6, 0xb1, 0x13, 0xf3, 0x41, 0xc1, 0xf8, 0x96}};
constexpr MSAAPROPID kSizeOfSet = {0x1600d33c, 0x3b9f, 0x4369, {0x94, 0x31, 0xaa, 0x29, 0x3f, 0x34, 0x4c, 0xf1}};
constexpr LONG kPolite = 1; ///< LiveSetting's Polite

/// The annotation service, or nullptr where there is none (COM not started on this
/// thread, or a system without it).
IAccPropServices *annotationService()
{
    IAccPropServices *service = nullptr;
    if (FAILED(CoCreateInstance(kAccPropServices, nullptr, CLSCTX_INPROC_SERVER, kIAccPropServices,
                                reinterpret_cast<void **>(&service))))
        return nullptr;
    return service;
}

Attached *attachedTo(HWND control)
{
    return static_cast<Attached *>(GetPropW(control, kProperty));
}

// VARIANT is COM's tagged union: its member is read and written after its tag.
bool isSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF; // NOLINT(cppcoreguidelines-pro-type-union-access)
}

void setLong(VARIANT &variant, LONG value)
{
    VariantInit(&variant);
    variant.vt = VT_I4;   // NOLINT(cppcoreguidelines-pro-type-union-access)
    variant.lVal = value; // NOLINT(cppcoreguidelines-pro-type-union-access)
}

/// Gives the control's UI Automation properties that MSAA has no room for; returns
/// those given.
std::vector<MSAAPROPID> annotate(HWND control, const AccessibleControl::Facts &facts)
{
    std::vector<std::pair<MSAAPROPID, LONG>> properties;
    if (facts.live)
        properties.emplace_back(kLiveSetting, kPolite);
    if (facts.position > 0) {
        properties.emplace_back(kPositionInSet, facts.position);
        properties.emplace_back(kSizeOfSet, facts.setSize);
    }
    std::vector<MSAAPROPID> given;
    IAccPropServices *service = properties.empty() ? nullptr : annotationService();
    if (service == nullptr)
        return given;
    for (const auto &[property, value] : properties) {
        VARIANT variant;
        setLong(variant, value);
        if (SUCCEEDED(service->SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, property, variant)))
            given.push_back(property);
    }
    service->Release();
    return given;
}

void clearAnnotations(HWND control, const std::vector<MSAAPROPID> &given)
{
    IAccPropServices *service = given.empty() ? nullptr : annotationService();
    if (service == nullptr)
        return;
    service->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, given.data(),
                            static_cast<int>(given.size()));
    service->Release();
}

/// `text` as a string the caller frees; E_OUTOFMEMORY when there is no room for it.
HRESULT giveString(const std::wstring &text, BSTR *out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

bool AccessibleControl::attach(HWND control, Facts facts)
{
    auto attached = std::make_unique<Attached>(Attached{nullptr, std::move(facts), {}, {}, {}});
    if (SetPropW(control, kProperty, attached.get()) == FALSE)
        return false;
    attached->own =
        fromInteger<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc)));
    if (attached->own == nullptr) {
        RemovePropW(control, kProperty);
        return false;
    }
    attached->annotated = annotate(control, attached->facts);
    // The control owns it from here; WM_NCDESTROY frees it (the analyzer loses it
    // in the window property).
    static_cast<void>(attached.release());
    return true; // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
}

void AccessibleControl::announce(HWND control, std::wstring announcement)
{
    Attached *attached = attachedTo(control);
    if (attached == nullptr)
        return;
    attached->announcement = std::move(announcement);
    attached->shownWhenAnnounced = windowText(control);
    // NVDA speaks a live-region change with the object's name; UI Automation passes
    // it on as its LiveRegionChanged event. The name change is for clients that
    // watch the label's name instead.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, control, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT CALLBACK AccessibleControl::windowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    Attached *attached = attachedTo(control);
    if (attached == nullptr)
        return DefWindowProcW(control, message, wParam, lParam);
    const WNDPROC own = attached->own;
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        IAccessible *standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void **>(&standard)))) {
            // Made with one reference, which is given up once the object is handed
            // over: the client's references keep it alive (the analyzer does not
            // follow the count).
            auto *wrapped = new AccessibleControl(control, standard);
            const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, wrapped);
            wrapped->Release();
            return result; // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks)
        }
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallWindowProcW(own, control, message, wParam, lParam);
        clearAnnotations(control, attached->annotated);
        RemovePropW(control, kProperty);
        delete attached;
        return result;
    }
    return CallWindowProcW(own, control, message, wParam, lParam);
}

AccessibleControl::AccessibleControl(HWND control, IAccessible *standard) : m_control(control), m_standard(standard) {}

AccessibleControl::~AccessibleControl()
{
    m_standard->Release();
}

HRESULT AccessibleControl::QueryInterface(REFIID iid, void **object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, __uuidof(IUnknown)) || IsEqualIID(iid, __uuidof(IDispatch)) ||
        IsEqualIID(iid, __uuidof(IAccessible))) {
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    // The system object's enumeration of its children and its window, and nothing
    // else of it: its marshalling or service provider would hand clients the
    // system object itself, without what this one says differently.
    if (IsEqualIID(iid, __uuidof(IEnumVARIANT)) || IsEqualIID(iid, __uuidof(IOleWindow)))
        return m_standard->QueryInterface(iid, object);
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleControl::AddRef()
{
    return ++m_references;
}

ULONG AccessibleControl::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT AccessibleControl::GetTypeInfoCount(UINT *count)
{
    return m_standard->GetTypeInfoCount(count);
}

HRESULT AccessibleControl::GetTypeInfo(UINT index, LCID locale, ITypeInfo **info)
{
    return m_standard->GetTypeInfo(index, locale, info);
}

HRESULT AccessibleControl::GetIDsOfNames(REFIID iid, LPOLESTR *names, UINT count, LCID locale, DISPID *ids)
{
    return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
}

HRESULT AccessibleControl::Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS *parameters,
                                  VARIANT *result, EXCEPINFO *exception, UINT *argumentError)
{
    return m_standard->Invoke(member, iid, locale, flags, parameters, result, exception, argumentError);
}

HRESULT AccessibleControl::get_accParent(IDispatch **parent)
{
    return m_standard->get_accParent(parent);
}

HRESULT AccessibleControl::get_accChildCount(LONG *count)
{
    return m_standard->get_accChildCount(count);
}

HRESULT AccessibleControl::get_accChild(VARIANT child, IDispatch **object)
{
    return m_standard->get_accChild(child, object);
}

HRESULT AccessibleControl::get_accName(VARIANT child, BSTR *name)
{
    if (const Attached *attached = isSelf(child) ? attachedTo(m_control) : nullptr) {
        // The announcement names the label only while the label still shows what it
        // announced: the other command blanks it.
        if (!attached->announcement.empty() && windowText(m_control) == attached->shownWhenAnnounced)
            return giveString(attached->announcement, name);
        return giveString(attached->facts.name.empty() ? windowText(m_control) : attached->facts.name, name);
    }
    return m_standard->get_accName(child, name);
}

HRESULT AccessibleControl::get_accValue(VARIANT child, BSTR *value)
{
    return m_standard->get_accValue(child, value);
}

HRESULT AccessibleControl::get_accDescription(VARIANT child, BSTR *description)
{
    const Attached *attached = isSelf(child) ? attachedTo(m_control) : nullptr;
    if (attached != nullptr && !attached->facts.description.empty())
        return giveString(attached->facts.description, description);
    return m_standard->get_accDescription(child, description);
}

HRESULT AccessibleControl::get_accRole(VARIANT child, VARIANT *role)
{
    const Attached *attached = isSelf(child) ? attachedTo(m_control) : nullptr;
    if (attached == nullptr || attached->facts.role == 0)
        return m_standard->get_accRole(child, role);
    if (role == nullptr)
        return E_POINTER;
    setLong(*role, attached->facts.role);
    return S_OK;
}

HRESULT AccessibleControl::get_accState(VARIANT child, VARIANT *state)
{
    return m_standard->get_accState(child, state);
}

HRESULT AccessibleControl::get_accHelp(VARIANT child, BSTR *help)
{
    return m_standard->get_accHelp(child, help);
}

HRESULT AccessibleControl::get_accHelpTopic(BSTR *file, VARIANT child, LONG *topic)
{
    return m_standard->get_accHelpTopic(file, child, topic);
}

HRESULT AccessibleControl::get_accKeyboardShortcut(VARIANT child, BSTR *shortcut)
{
    return m_standard->get_accKeyboardShortcut(child, shortcut);
}

HRESULT AccessibleControl::get_accFocus(VARIANT *child)
{
    return m_standard->get_accFocus(child);
}

HRESULT AccessibleControl::get_accSelection(VARIANT *children)
{
    return m_standard->get_accSelection(children);
}

HRESULT AccessibleControl::get_accDefaultAction(VARIANT child, BSTR *action)
{
    return m_standard->get_accDefaultAction(child, action);
}

HRESULT AccessibleControl::accSelect(LONG flags, VARIANT child)
{
    return m_standard->accSelect(flags, child);
}

HRESULT AccessibleControl::accLocation(LONG *left, LONG *top, LONG *width, LONG *height, VARIANT child)
{
    return m_standard->accLocation(left, top, width, height, child);
}

HRESULT AccessibleControl::accNavigate(LONG direction, VARIANT start, VARIANT *end)
{
    return m_standard->accNavigate(direction, start, end);
}

HRESULT AccessibleControl::accHitTest(LONG left, LONG top, VARIANT *child)
{
    return m_standard->accHitTest(left, top, child);
}

HRESULT AccessibleControl::accDoDefaultAction(VARIANT child)
{
    return m_standard->accDoDefaultAction(child);
}

HRESULT AccessibleControl::put_accName(VARIANT child, BSTR name)
{
    return m_standard->put_accName(child, name);
}

HRESULT AccessibleControl::put_accValue(VARIANT child, BSTR value)
{
    return m_standard->put_accValue(child, value);
}

} // namespace pemtos::win32
