// SPDX-License-Identifier: MIT
#pragma once

#include <QRadioButton>

namespace pemtos::qt {

/// An option button whose caption wraps onto further lines beside the circle
/// when it is wider than the button, and which reacts to a click anywhere in its
/// rectangle, not only on the circle or the first line of text.
class WrappingRadioButton final : public QRadioButton {
    Q_OBJECT

public:
    explicit WrappingRadioButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

} // namespace pemtos::qt
