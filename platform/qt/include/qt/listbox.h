// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QElapsedTimer>
#include <QFrame>
#include <QStringList>

namespace pemtos::qt {

class DrawnScrollBar;

/// A list of one-line text rows of which at most one is selected, drawn as the
/// style draws an item view (sunken frame, rows in the list's font, a vertical
/// scroll bar when the rows outgrow it) but without Qt's item-view machinery or a
/// scroll bar widget, whose code the window's one short list does not need. Its screen
/// reader interface is a list whose rows are selected through its table.
class ListBox final : public QFrame {
    Q_OBJECT

public:
    explicit ListBox(QWidget *parent = nullptr);

    /// Removes every row.
    void clear();
    /// Appends a row showing `text`.
    void addItem(const QString &text);
    /// The number of rows.
    int count() const;
    /// The text of `row`; empty when there is no such row.
    QString item(int row) const;
    /// The selected row, or -1 when none is.
    int selectedRow() const;
    /// The row the keyboard is on, or -1.
    int currentRow() const;
    /// Makes `row` the current row and selects it, scrolling it into view; -1 clears
    /// the selection and leaves the current row as it is.
    void selectRow(int row);
    /// The rectangle of `row` in the list's coordinates, wherever it is scrolled to.
    QRect rowRect(int row) const;
    /// The part of the list the rows are drawn in.
    QRect rowArea() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    int rowHeight() const;
    /// How many rows fit whole in the row area.
    int visibleRows() const;
    int rowAt(const QPoint &position) const;
    /// Moves the keyboard to `row`, selecting it when `select` is true.
    void moveTo(int row, bool select);
    void scrollTo(int row);
    /// Sizes the scroll bar to the rows, showing it only when they outgrow the list.
    void updateScrollBar();
    /// Selects the next row starting with what has been typed in quick succession.
    bool searchByTyping(const QString &text);
    void drawRow(QPainter &painter, int row, const QRect &rect) const;
    /// Tells screen readers what happened to `row`.
    void announce(int row, QAccessible::Event type);

    QStringList m_rows;
    DrawnScrollBar *m_scrollBar;
    int m_selected = -1;
    int m_current = -1;
    QString m_typed;
    QElapsedTimer m_typedAt;
};

} // namespace pemtos::qt
