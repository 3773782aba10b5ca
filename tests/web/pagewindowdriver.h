// SPDX-License-Identifier: MIT
#pragma once

#include "pagesession.h"
#include "windowdriver.h"

#include <QJsonObject>

#include <memory>

namespace pemtos::page {

/// The page in headless Chromium, reloaded for each test and driven as its user
/// would: the mouse clicks (sent through the DevTools protocol) and WebDriver's key
/// presses are the browser's own trusted input, so the page's Tab, arrow and Enter
/// handling is what runs. What the page shows is read from its elements; the control
/// operations run in the page's module.
class PageWindowDriver : public behaviour::WindowDriver {
public:
    ~PageWindowDriver() override;
    PageWindowDriver(const PageWindowDriver &) = delete;
    PageWindowDriver &operator=(const PageWindowDriver &) = delete;
    PageWindowDriver(PageWindowDriver &&) = delete;
    PageWindowDriver &operator=(PageWindowDriver &&) = delete;

    void click(std::u16string_view control) override;
    std::u16string caption(std::u16string_view label) override;
    std::vector<std::u16string> rows() override;
    int selectedRow() override;
    void selectRow(int row) override;
    std::vector<std::u16string> checkedOptions() override;
    std::u16string focused() override;
    void focus(std::u16string_view control) override;
    void press(behaviour::Key key) override;
    std::u16string defaultLookingButton() override;
    std::u16string controlAt(std::u16string_view control, int x, int y) override;
    void failOperation(int n) override;
    std::vector<std::u16string> takeErrorReports() override;
    window::Controls &controls() override;
    std::vector<behaviour::BuiltControl> builtControls() override;

    /// Runs `body` in the page (a function body with the driver's helpers in scope),
    /// failing the test on an error; its return value.
    QJsonValue run(const QString &body, const QJsonArray &arguments = {});

protected:
    /// Loads the page afresh at `viewport`'s size.
    explicit PageWindowDriver(const Viewport &viewport);

private:
    /// Clicks with the mouse in the middle of the element that the script `find` sets
    /// `target` to (from `arguments`); `what` names it in a failure.
    void clickAt(const QString &find, const QJsonArray &arguments, const std::string &what);

    PageSession &m_session;
    bool m_designedLayout;
    std::u16string m_firstFocus; ///< the control focused when the page opened
    std::unique_ptr<window::Controls> m_controls;
};

/// The page at 1280x800: the designed window.
class WidePage final : public PageWindowDriver {
public:
    WidePage() : PageWindowDriver({1280, 800, false}) {}
};

/// The page at 360x740 on a phone: the one-column layout.
class NarrowPage final : public PageWindowDriver {
public:
    NarrowPage() : PageWindowDriver({360, 740, true}) {}
};

} // namespace pemtos::page
