// SPDX-License-Identifier: MIT
#include "firstpaintloop.h"

namespace pemtos::bench {

int runUntilFirstFrame(HWND window, bool (*preTranslate)(const MSG &message))
{
    MSG message{};
    for (;;) {
        // PeekMessage hands out WM_PAINT only when nothing else is queued, and for as
        // long as any window of the thread still needs painting. So once the queue is
        // empty while the window is shown and has nothing left to paint, the window
        // and all of its controls are drawn: that is the first frame, whether it was
        // painted from the queue or at once when the window was shown.
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE) == 0)
                break;
            WaitMessage();
            continue;
        }
        if (message.message == WM_QUIT)
            return 1;
        if (preTranslate != nullptr && preTranslate(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    constexpr char kLine[] = "first-paint\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), kLine, sizeof kLine - 1, &written, nullptr);
    return 0;
}

} // namespace pemtos::bench
