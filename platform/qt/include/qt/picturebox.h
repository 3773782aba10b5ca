// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QPainter>
#include <QPixmap>
#include <QString>

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
    /// Sets the files of the drawing and of its double-size version. Neither is read
    /// here: only the one the screen needs is, when it is first drawn, so that the
    /// window opens without decoding bitmaps it does not show.
    void setPictureFiles(const QString &normal, const QString &doubleSize);
    /// The pixmap that is drawn at the current device pixel ratio.
    QPixmap shownPixmap() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    /// Reads `file` into `pixmap` the first time it is needed.
    static void loadOnce(QPixmap &pixmap, QString &file);

    mutable QPixmap m_normal;
    mutable QPixmap m_doubleSize;
    mutable QString m_normalFile;     ///< not read yet; empty once read
    mutable QString m_doubleSizeFile; ///< not read yet; empty once read
};

} // namespace pemtos::qt
