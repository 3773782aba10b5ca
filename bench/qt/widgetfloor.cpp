// SPDX-License-Identifier: MIT
#include "widgetfloor.h"

#include "floorcontrol.h"
#include "qt/conversions.h"
#include "window/accessibility.h"
#include "window/layout.h"
#include "window/navigation.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace pemtos::bench {
namespace {

using window::ControlClass;

} // namespace

WidgetFloor::WidgetFloor(PictureBoxes pictureBoxes) : m_palette(floorPalette()), m_painting(*style(), m_palette)
{
    // Every pixel is painted below: Qt need not clear the window first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Passed on to the widgets as they are made.
    setPalette(m_palette);
    setFont(floorFont(nullptr));
    const std::span<const window::LayoutEntry> layout = window::layout();
    std::vector<QWidget *> widgets(layout.size(), nullptr); // by layout row
    for (std::size_t row = 0; row < layout.size(); ++row) {
        const window::LayoutEntry &entry = layout[row];
        if (entry.controlClass == ControlClass::Form) {
            setWindowTitle(qt::toQString(entry.caption));
            setFixedSize(window::twipsToPixels(entry.width), window::twipsToPixels(entry.height));
        } else if (mustBeControl(entry, pictureBoxes)) {
            // Made from the bottom of the stack up, so each is stacked as designed.
            widgets[row] = createControl(entry);
        } else {
            m_painting.add(entry);
        }
    }
    // The designed focus order, starting on the first option.
    QWidget *previous = nullptr;
    for (const window::LayoutEntry *stop : window::tabStops()) {
        QWidget *widget = widgets[static_cast<std::size_t>(stop - layout.data())];
        if (widget == nullptr)
            continue;
        if (previous == nullptr)
            widget->setFocus(Qt::OtherFocusReason);
        else
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget *WidgetFloor::createControl(const window::LayoutEntry &entry)
{
    QWidget *widget = nullptr;
    switch (entry.controlClass) {
    case ControlClass::OptionButton: {
        // Options with one parent form one exclusive group.
        auto *option = new FloorControl<QRadioButton>(entry, m_palette, *this);
        option->setText(qt::toQString(entry.caption));
        widget = option;
        break;
    }
    case ControlClass::CommandButton: {
        auto *button = new FloorControl<QPushButton>(entry, m_palette, *this);
        button->setText(qt::toQString(entry.caption));
        widget = button;
        break;
    }
    case ControlClass::ListBox:
    case ControlClass::PictureBox:
        widget = new FloorControl<QWidget>(entry, m_palette, *this);
        widget->setFocusPolicy(Qt::StrongFocus);
        break;
    case ControlClass::Label:
    case ControlClass::Form:
    case ControlClass::Frame:
    case ControlClass::Image:
        widget = new QLabel(this);
        break;
    }
    widget->setGeometry(floorRect(entry));
    if (const std::u16string_view name = window::accessibleName(entry.name); !name.empty())
        widget->setAccessibleName(qt::toQString(name));
    if (const std::u16string_view description = window::accessibleDescription(entry.name); !description.empty())
        widget->setAccessibleDescription(qt::toQString(description));
    return widget;
}

void WidgetFloor::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_palette.color(QPalette::Window));
    m_painting.paint(painter, *this);
}

} // namespace pemtos::bench
