// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

namespace pemtos::qt {

/// A frame: a group box whose etched line the style would draw as two outlines clipped
/// around the caption. At a device pixel ratio of 1 the same pixels are filled here
/// as one-pixel rectangles beside the caption, a fraction of the style's clipped
/// strokes; at other ratios, and for any other look, the style draws it all.
class FrameBox final : public QGroupBox {
    Q_OBJECT

public:
    explicit FrameBox(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace pemtos::qt
