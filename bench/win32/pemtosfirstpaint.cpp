// SPDX-License-Identifier: MIT
// pemtos.exe as shipped, except that it ends after its first frame.
#include "firstpaintloop.h"
#include "win32/dpi.h"
#include "win32/win32form.h"

#include <windows.h>

namespace {

pemtos::win32::Win32Form *g_form = nullptr;

bool preTranslate(const MSG &message)
{
    return g_form->preTranslateMessage(message);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand)
{
    pemtos::win32::declarePerMonitorDpiAwareness();
    pemtos::win32::Win32Form form(instance);
    g_form = &form;
    form.show(showCommand);
    // Ends at once: the figure is taken, and under Wine without a window manager
    // closing the window waits two seconds for one to answer.
    ExitProcess(static_cast<UINT>(pemtos::bench::runUntilFirstFrame(form.window(), &preTranslate)));
}
