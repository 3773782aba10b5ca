// SPDX-License-Identifier: MIT
#include "accessiblefactory.h"

#include "containeraccessible.h"
#include "framebox.h"
#include "optionaccessible.h"
#include "qt/picturebox.h"
#include "qt/qtform.h"
#include "wrappingradiobutton.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace pemtos::qt {
namespace {

/// Qt asks for each class of `object` in turn, from its own up: each interface is
/// made for the class it belongs to.
QAccessibleInterface *makeAccessible(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr)
        return nullptr;
    const auto is = [&className](const QMetaObject &kind) { return className == QLatin1String(kind.className()); };
    // A picture box is a graphic named after what it shows, not the plain frame Qt
    // would take it for.
    if (is(PictureBox::staticMetaObject))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    // An option tells its position among the fourteen options, not among everything
    // in the frame.
    if (auto *option = qobject_cast<WrappingRadioButton *>(widget);
        option != nullptr && is(WrappingRadioButton::staticMetaObject))
        return new OptionAccessible(option);
    // The window is announced as a window, by its title.
    if (is(QtForm::staticMetaObject))
        return new ContainerAccessible(widget, QAccessible::Window);
    if (is(FrameBox::staticMetaObject))
        return new ContainerAccessible(widget, QAccessible::Grouping);
    return nullptr;
}

} // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace pemtos::qt
