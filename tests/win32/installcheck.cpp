// SPDX-License-Identifier: MIT
// What an installation of pemtos leaves on a Windows system, looked at through
// the Windows API from inside it (installer_test.sh runs it under Wine):
//
//   installcheck installed <UpgradeCode> <version>   one product of that upgrade code
//       is registered with the Japanese name, the version, a publisher and an icon;
//       pemtos.exe is in its own folder under Program Files; the Start-menu shortcut
//       points at it with an icon; the program the shortcut starts opens its window
//       and does both of its jobs.
//   installcheck removed <UpgradeCode>   none of that is left.
//
// Prints what it found wrong, one line each; exits 0 when nothing, 1 otherwise.
#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "win32/text.h"
#include "win32/win32form.h"
#include "window/layout.h"

#include <windows.h>

#include <msi.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using pemtos::win32::toWide;
using pemtos::win32::Win32Form;

int g_faults = 0;

void fault(std::wstring_view what)
{
    ++g_faults;
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, what.data(), static_cast<int>(what.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, what.data(), static_cast<int>(what.size()), bytes.data(), size, nullptr, nullptr);
    std::printf("installcheck: %s\n", bytes.c_str());
    std::fflush(stdout);
}

void expectEqual(std::wstring_view what, std::wstring_view actual, std::wstring_view expected)
{
    if (actual != expected)
        fault(std::wstring(what) + L" is \"" + std::wstring(actual) + L"\", not \"" + std::wstring(expected) + L"\"");
}

/// The window title is the name the program is installed under.
std::wstring programName()
{
    return toWide(pemtos::window::layout().front().caption);
}

std::wstring knownFolder(REFKNOWNFOLDERID folder)
{
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(folder, 0, nullptr, &path)))
        result = path;
    CoTaskMemFree(path);
    return result;
}

bool exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring installFolder()
{
    return knownFolder(FOLDERID_ProgramFiles) + L"\\pemtos";
}

/// Where a per-machine shortcut belongs; Wine's installer puts it in the user's
/// Start menu instead, so both are looked at.
std::vector<std::wstring> shortcutPlaces()
{
    const std::wstring file = L"\\" + programName() + L".lnk";
    return {knownFolder(FOLDERID_CommonPrograms) + file, knownFolder(FOLDERID_Programs) + file};
}

std::vector<std::wstring> relatedProducts(const std::wstring &upgradeCode)
{
    std::vector<std::wstring> products;
    std::wstring product(39, L'\0');
    for (DWORD index = 0; MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, index, product.data()) == ERROR_SUCCESS;
         ++index)
        products.emplace_back(product.c_str());
    return products;
}

std::wstring productInfo(const std::wstring &product, LPCWSTR property)
{
    std::wstring value(512, L'\0');
    DWORD size = static_cast<DWORD>(value.size());
    if (MsiGetProductInfoW(product.c_str(), property, value.data(), &size) != ERROR_SUCCESS)
        return {};
    value.resize(size);
    return value;
}

std::wstring registryString(HKEY key, LPCWSTR name)
{
    std::wstring value(512, L'\0');
    DWORD bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value.data(), &bytes) != ERROR_SUCCESS)
        return {};
    value.resize(bytes / sizeof(wchar_t) - 1);
    return value;
}

constexpr LPCWSTR kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

/// The installed-programs entries, by key name, whose display name is the program's.
std::vector<std::wstring> uninstallEntries()
{
    std::vector<std::wstring> entries;
    HKEY uninstall = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | KEY_WOW64_64KEY, &uninstall) != ERROR_SUCCESS)
        return entries;
    std::wstring name(256, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(uninstall, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY entry = nullptr;
        if (RegOpenKeyExW(uninstall, name.c_str(), 0, KEY_READ, &entry) == ERROR_SUCCESS) {
            if (registryString(entry, L"DisplayName") == programName())
                entries.emplace_back(name.c_str());
            RegCloseKey(entry);
        }
    }
    RegCloseKey(uninstall);
    return entries;
}

void checkRegistration(const std::wstring &upgradeCode, const std::wstring &version)
{
    const std::vector<std::wstring> products = relatedProducts(upgradeCode);
    if (products.size() != 1) {
        fault(L"products installed under the upgrade code: " + std::to_wstring(products.size()) + L", not 1");
        return;
    }
    const std::wstring &product = products.front();
    expectEqual(L"installed product name", productInfo(product, INSTALLPROPERTY_INSTALLEDPRODUCTNAME), programName());
    expectEqual(L"installed version", productInfo(product, INSTALLPROPERTY_VERSIONSTRING), version);
    if (productInfo(product, INSTALLPROPERTY_PUBLISHER).empty())
        fault(L"the installed product has no publisher");
    const std::wstring icon = productInfo(product, INSTALLPROPERTY_PRODUCTICON);
    if (icon.empty() || ExtractIconExW(icon.c_str(), -1, nullptr, nullptr, 0) == 0)
        fault(L"the installed product's icon \"" + icon + L"\" holds no icon");

    // The entry in the installed-programs list, as the list reads it.
    const std::vector<std::wstring> entries = uninstallEntries();
    if (entries.size() != 1 || entries.front() != product) {
        fault(L"installed-programs entries named " + programName() + L": " + std::to_wstring(entries.size()) +
              L", not just " + product);
        return;
    }
    HKEY entry = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kUninstallKey) + L"\\" + product).c_str(), 0,
                      KEY_READ | KEY_WOW64_64KEY, &entry) != ERROR_SUCCESS)
        return;
    expectEqual(L"DisplayVersion", registryString(entry, L"DisplayVersion"), version);
    if (registryString(entry, L"Publisher").empty())
        fault(L"the installed-programs entry has no Publisher");
    RegCloseKey(entry);
}

/// The installed program, as the Start-menu shortcut starts it; empty when the
/// shortcut is missing or points elsewhere.
std::wstring checkShortcut()
{
    std::wstring found;
    for (const std::wstring &place : shortcutPlaces()) {
        if (exists(place))
            found = place;
    }
    if (found.empty()) {
        fault(L"no Start-menu shortcut " + shortcutPlaces().front());
        return {};
    }
    IShellLinkW *link = nullptr;
    IPersistFile *file = nullptr;
    std::wstring target(MAX_PATH, L'\0');
    std::wstring icon(MAX_PATH, L'\0');
    int iconIndex = 0;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void **>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) ||
        FAILED(file->Load(found.c_str(), STGM_READ)) ||
        FAILED(link->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0)) ||
        FAILED(link->GetIconLocation(icon.data(), static_cast<int>(icon.size()), &iconIndex))) {
        fault(L"cannot read the shortcut " + found);
        target.clear();
    }
    if (file != nullptr)
        file->Release();
    if (link != nullptr)
        link->Release();
    target.resize(wcslen(target.c_str()));
    icon.resize(wcslen(icon.c_str()));

    const std::wstring program = installFolder() + L"\\pemtos.exe";
    if (CompareStringOrdinal(target.c_str(), -1, program.c_str(), -1, TRUE) != CSTR_EQUAL) {
        fault(L"the shortcut starts \"" + target + L"\", not " + program);
        return {};
    }
    if (ExtractIconExW(icon.c_str(), iconIndex, nullptr, nullptr, 0) == 0 &&
        ExtractIconExW(icon.c_str(), -1, nullptr, nullptr, 0) == 0)
        fault(L"the shortcut's icon \"" + icon + L"\" holds no icon");
    return target;
}

// ---- The installed program's window, driven from outside its process --------

struct WindowSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK findProgramWindow(HWND window, LPARAM search)
{
    auto *wanted = reinterpret_cast<WindowSearch *>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::wstring name(64, L'\0');
    name.resize(static_cast<std::size_t>(GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    if (process == wanted->process && name == Win32Form::kClassName && IsWindowVisible(window)) {
        wanted->found = window;
        return FALSE;
    }
    return TRUE;
}

/// The window's control of design name `name`: its window ID follows the layout.
HWND control(HWND form, std::u16string_view name)
{
    const auto layout = pemtos::window::layout();
    for (std::size_t row = 0; row < layout.size(); ++row) {
        if (layout[row].name != name)
            continue;
        struct Search {
            int id;
            HWND found;
        } search{Win32Form::kFirstControlId + static_cast<int>(row), nullptr};
        EnumChildWindows(
            form,
            [](HWND child, LPARAM data) -> BOOL {
                auto *wanted = reinterpret_cast<Search *>(data);
                if (GetDlgCtrlID(child) != wanted->id)
                    return TRUE;
                wanted->found = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    return nullptr;
}

/// Sends `message`, giving up after a while: an error report would wait for a click.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result) == 0)
        fault(L"the program did not answer message " + std::to_wstring(message));
    return static_cast<LRESULT>(result);
}

std::wstring text(HWND window)
{
    std::wstring value(static_cast<std::size_t>(send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    value.resize(static_cast<std::size_t>(
        send(window, WM_GETTEXT, static_cast<WPARAM>(value.size()), reinterpret_cast<LPARAM>(value.data()))));
    return value;
}

std::vector<std::wstring> rows(HWND list)
{
    std::vector<std::wstring> texts;
    const LRESULT count = send(list, LB_GETCOUNT);
    for (LRESULT row = 0; row < count; ++row) {
        std::wstring value(static_cast<std::size_t>(send(list, LB_GETTEXTLEN, static_cast<WPARAM>(row))) + 1, L'\0');
        value.resize(static_cast<std::size_t>(
            send(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(value.data()))));
        texts.push_back(value);
    }
    return texts;
}

/// Looks up the last tree form, then the note on its second species, as a user would.
void driveBothJobs(HWND form)
{
    const pemtos::catalogue::TreeFormCategory &treeForm = pemtos::catalogue::treeForms().back();
    HWND option = control(form, treeForm.option);
    HWND list = control(form, u"List1");
    if (option == nullptr || list == nullptr) {
        fault(L"the window lacks its option buttons or its list");
        return;
    }
    send(option, BM_CLICK);
    send(control(form, u"cmdGo"), BM_CLICK);
    expectEqual(L"Label2 after the tree-form lookup", text(control(form, u"Label2")), toWide(treeForm.description));
    const std::vector<std::wstring> listed = rows(list);
    if (listed.size() != treeForm.species.size() || listed.at(1) != toWide(treeForm.species[1])) {
        fault(L"the species list does not hold the species of " + toWide(treeForm.caption));
        return;
    }

    send(list, LB_SETCURSEL, 1);
    send(control(form, u"Command1"), BM_CLICK);
    const auto note = pemtos::catalogue::findSpeciesNote(treeForm.species[1]);
    expectEqual(L"Label3 after the species-note lookup", text(control(form, u"Label3")),
                toWide(note.value_or(u"(no note)")));
}

void runProgram(const std::wstring &program)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const std::wstring folder = installFolder();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
        fault(L"cannot start " + program + L": error " + std::to_wstring(GetLastError()));
        return;
    }
    WaitForInputIdle(process.hProcess, 30000);
    WindowSearch search{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 300 && search.found == nullptr; ++tries) {
        EnumWindows(findProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr)
            Sleep(100);
    }
    if (search.found == nullptr) {
        fault(L"the installed program showed no window");
        TerminateProcess(process.hProcess, 1);
    } else {
        expectEqual(L"the window title", text(search.found), programName());
        driveBothJobs(search.found);
        PostMessageW(search.found, WM_CLOSE, 0, 0);
        DWORD exitCode = 1;
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            fault(L"the program did not end when its window was closed");
            TerminateProcess(process.hProcess, 1);
        } else if (GetExitCodeProcess(process.hProcess, &exitCode) && exitCode != 0) {
            fault(L"the program ended with exit code " + std::to_wstring(exitCode));
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

void checkInstalled(const std::wstring &upgradeCode, const std::wstring &version)
{
    checkRegistration(upgradeCode, version);
    if (!exists(installFolder() + L"\\pemtos.exe"))
        fault(L"pemtos.exe is not in " + installFolder());
    const std::wstring program = checkShortcut();
    if (!program.empty())
        runProgram(program);
}

void checkRemoved(const std::wstring &upgradeCode)
{
    if (!relatedProducts(upgradeCode).empty())
        fault(L"a product of the upgrade code is still installed");
    if (!uninstallEntries().empty())
        fault(L"the installed-programs list still names " + programName());
    if (exists(installFolder()))
        fault(installFolder() + L" is still there");
    for (const std::wstring &place : shortcutPlaces()) {
        if (exists(place))
            fault(place + L" is still there");
    }
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    const std::vector<std::wstring> args(argv + 1, argv + argc);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (args.size() == 3 && args[0] == L"installed") {
        checkInstalled(args[1], args[2]);
    } else if (args.size() == 2 && args[0] == L"removed") {
        checkRemoved(args[1]);
    } else {
        std::fputs("usage: installcheck installed <UpgradeCode> <version> | removed <UpgradeCode>\n", stderr);
        return 2;
    }
    CoUninitialize();
    return g_faults == 0 ? 0 : 1;
}
