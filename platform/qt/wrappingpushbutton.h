// SPDX-License-Identifier: MIT
#pragma once

#include <QPushButton>

namespace pemtos::qt {

/// A command button whose caption wraps onto further lines inside the button
/// instead of being cut off when it is wider than the button.
class WrappingPushButton final : public QPushButton {
    Q_OBJECT

public:
    explicit WrappingPushButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace pemtos::qt
