// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;

namespace pemtos::qt {

/// The labels and images a container draws on its own surface, beneath its child
/// widgets, as a window draws its windowless controls: a caption that never changes
/// needs no widget of its own. Each keeps its designed place, font and colours, and
/// screen readers find it among the container's children. It lives as a child of the
/// container, which it draws on. Only what nobody operates is drawn this way: every
/// control people click, type into or scroll is Qt's own widget.
class WindowlessControls final : public QObject {
    Q_OBJECT

public:
    /// One control drawn by its container.
    struct Control {
        QString name;
        QWidget *container = nullptr;
        bool isImage = false; ///< an empty image: nothing to draw, only a name to give
        QRect rect;           ///< in the container's coordinates
        QFont font;
        std::optional<QColor> back; ///< the designed background, drawn where it is not the container's
        QColor text;                ///< the colour its caption is drawn in
        QString caption;
        QString accessibleName; ///< where the caption does not name it
    };

    /// Those of `container`, made on first use.
    static WindowlessControls &of(QWidget &container);
    /// Those of `container`, or nullptr when it draws none.
    static const WindowlessControls *find(const QWidget &container);

    /// Adds `control`, drawn from then on.
    void add(Control control);
    /// In the order they were added, which is the order they are drawn in.
    [[nodiscard]] const QList<Control> &controls() const { return m_controls; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit WindowlessControls(QWidget &container);

    QWidget &m_container;
    QList<Control> m_controls;
};

} // namespace pemtos::qt
