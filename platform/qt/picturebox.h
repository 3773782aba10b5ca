// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QPixmap>

namespace pemtos::qt {

/// A picture box: a sunken frame that shows its bitmap at natural size from the
/// inner top-left corner, cut off at the right and bottom, never scaled. On
/// high-density screens it shows the drawing made at twice the size instead.
class PictureBox final : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    /// Sets the drawing and its double-size version (either may be null).
    void setPictures(const QPixmap &normal, const QPixmap &doubleSize);
    /// The pixmap that is drawn at the current device pixel ratio.
    QPixmap shownPixmap() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_normal;
    QPixmap m_doubleSize;
};

} // namespace pemtos::qt
