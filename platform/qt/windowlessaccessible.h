// SPDX-License-Identifier: MIT
#pragma once

#include "widgetpartaccessible.h"

namespace pemtos::qt {

/// One control a container draws, for screen readers: a static text named by its
/// caption, or an empty image named for what it is.
class WindowlessAccessible final : public WidgetPartAccessible {
public:
    /// The `index`-th control `container` draws.
    WindowlessAccessible(QWidget *container, int index);

    bool isValid() const override;
    QString text(QAccessible::Text type) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

protected:
    QRect partRect() const override;

private:
    int m_index;
};

} // namespace pemtos::qt
