// SPDX-License-Identifier: MIT
#include "qtwindowdriver.h"

#include "qt/fonts.h"
#include "qt/picturebox.h"
#include "qttestsupport.h"
#include "window/layout.h"
#include "window/stacking.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace pemtos::qt {
namespace {

std::u16string text16(const QString &text)
{
    return text.toStdU16String();
}

behaviour::Colour rgb(const QColor &colour)
{
    return static_cast<behaviour::Colour>(colour.rgb() & 0xFFFFFFU);
}

/// The design class of a control, from the widget the window built for it.
std::string designClass(const QWidget *widget, const QWidget *form)
{
    if (widget == form)
        return "Form";
    if (qobject_cast<const QGroupBox *>(widget) != nullptr)
        return "Frame";
    if (qobject_cast<const QPushButton *>(widget) != nullptr)
        return "CommandButton";
    if (qobject_cast<const QRadioButton *>(widget) != nullptr)
        return "OptionButton";
    if (qobject_cast<const QLabel *>(widget) != nullptr)
        return "Label";
    if (qobject_cast<const QListWidget *>(widget) != nullptr)
        return "ListBox";
    if (qobject_cast<const PictureBox *>(widget) != nullptr)
        return "PictureBox";
    if (widget->metaObject() == &QWidget::staticMetaObject)
        return "Image"; // a bare widget: draws nothing, reacts to nothing
    return std::string("?") + widget->metaObject()->className();
}

/// The face the window asked for, recognised by the first face Qt was given for it.
std::u16string designedFace(const QFont &font)
{
    for (std::u16string_view face :
         {std::u16string_view(u"ＭＳ Ｐゴシック"), std::u16string_view(u"HGP創英角ﾎﾟｯﾌﾟ体")}) {
        if (!font.families().isEmpty() && font.families().constFirst() == faceChain(face).value(0))
            return std::u16string(face);
    }
    return text16(font.families().join(u','));
}

unsigned checksum(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    unsigned hash = 2166136261U;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb pixel = pixels.pixel(x, y);
            for (const int channel : {qRed(pixel), qGreen(pixel), qBlue(pixel)})
                hash = (hash ^ static_cast<unsigned>(channel)) * 16777619U;
        }
    }
    return hash;
}

} // namespace

QtWindowDriver::QtWindowDriver() : m_form(std::make_unique<QtForm>())
{
    m_form->show();
    m_form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_form.get()));
    m_firstFocus = QApplication::focusWidget();
    m_reportWatch.setInterval(5);
    QObject::connect(&m_reportWatch, &QTimer::timeout, [this] { dismissReport(); });
    m_reportWatch.start();
}

QtWindowDriver::~QtWindowDriver() = default;

QWidget *QtWindowDriver::widget(std::u16string_view control) const
{
    QWidget *found = m_form->control(control);
    if (found == nullptr)
        ADD_FAILURE() << "no control " << name(control);
    return found;
}

bool QtWindowDriver::isControl(const QWidget *widget) const
{
    return !widget->objectName().isEmpty() && m_form->control(widget->objectName().toStdU16String()) == widget;
}

std::u16string QtWindowDriver::nameOf(const QWidget *widget) const
{
    for (; widget != nullptr; widget = widget->parentWidget()) {
        if (isControl(widget))
            return text16(widget->objectName());
    }
    return {};
}

void QtWindowDriver::dismissReport()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (box == nullptr || box == m_lastBox)
        return;
    m_lastBox = box;
    m_reports.push_back(text16(box->windowTitle() + u'\n' + box->text()));
    m_lastIcon = box->icon();
    m_lastParent = box->parentWidget();
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->close();
}

void QtWindowDriver::click(std::u16string_view control)
{
    if (QWidget *target = widget(control))
        clickLikeAPerson(target);
}

std::u16string QtWindowDriver::caption(std::u16string_view label)
{
    auto *shown = qobject_cast<QLabel *>(widget(label));
    return shown == nullptr ? std::u16string() : text16(shown->text());
}

std::vector<std::u16string> QtWindowDriver::rows()
{
    std::vector<std::u16string> texts;
    for (const QString &row : rowTexts(qobject_cast<QListWidget *>(widget(u"List1"))))
        texts.push_back(text16(row));
    return texts;
}

int QtWindowDriver::selectedRow()
{
    return selectedRowOf(qobject_cast<QListWidget *>(widget(u"List1")));
}

void QtWindowDriver::selectRow(int row)
{
    clickRow(qobject_cast<QListWidget *>(widget(u"List1")), row);
}

std::vector<std::u16string> QtWindowDriver::checkedOptions()
{
    std::vector<std::u16string> checked;
    for (const QRadioButton *option : m_form->findChildren<QRadioButton *>()) {
        if (option->isChecked())
            checked.push_back(text16(option->objectName()));
    }
    return checked;
}

std::u16string QtWindowDriver::focused()
{
    return nameOf(QApplication::focusWidget());
}

void QtWindowDriver::focus(std::u16string_view control)
{
    if (QWidget *target = widget(control))
        target->setFocus(Qt::OtherFocusReason);
}

void QtWindowDriver::press(behaviour::Key key)
{
    static constexpr Qt::Key kKeys[] = {Qt::Key_Tab,  Qt::Key_Left,  Qt::Key_Right, Qt::Key_Up,
                                        Qt::Key_Down, Qt::Key_Space, Qt::Key_Return};
    QTest::keyClick(QApplication::focusWidget(), kKeys[static_cast<int>(key)]);
}

std::u16string QtWindowDriver::defaultLookingButton()
{
    for (const QPushButton *button : m_form->findChildren<QPushButton *>()) {
        if (button->isDefault())
            return text16(button->objectName());
    }
    return {};
}

std::u16string QtWindowDriver::controlAt(std::u16string_view control, int x, int y)
{
    const QPoint at = shownRect(*m_form, control).topLeft() + QPoint(x, y);
    return nameOf(m_form->childAt(at));
}

void QtWindowDriver::failOperation(int n)
{
    m_form->controls().failOperation(n);
}

std::vector<std::u16string> QtWindowDriver::takeErrorReports()
{
    return std::exchange(m_reports, {});
}

behaviour::BuiltControl QtWindowDriver::describe(QWidget *widget) const
{
    behaviour::BuiltControl built;
    built.controlClass = designClass(widget, m_form.get());
    built.name = text16(widget->objectName());
    const bool isForm = widget == m_form.get();
    built.container = isForm ? std::u16string() : nameOf(widget->parentWidget());
    const QRect geometry = isForm ? QRect(QPoint(0, 0), widget->size()) : widget->geometry();
    built.left = geometry.left();
    built.top = geometry.top();
    built.width = geometry.width();
    built.height = geometry.height();
    built.visible = widget->isVisible();
    built.enabled = widget->isEnabled();

    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        built.caption = text16(button->text());
    else if (auto *label = qobject_cast<QLabel *>(widget))
        built.caption = text16(label->text());
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        built.caption = text16(frame->title());
    else if (isForm)
        built.caption = text16(widget->windowTitle());
    built.accessibleName = text16(widget->accessibleName());

    const std::string &kind = built.controlClass;
    if (kind != "Form" && kind != "PictureBox" && kind != "Image") {
        built.face = designedFace(widget->font());
        built.fontPixels = widget->font().pixelSize();
        built.fontWeight = widget->font().weight();
    }
    // Colours the window gave the control, as the widget shows them.
    if (m_form->givesColours(*widget)) {
        built.back = rgb(widget->palette().color(widget->backgroundRole()));
        if (!isForm)
            built.text = rgb(widget->palette().color(widget->foregroundRole()));
    }

    // The Tab order: the focus chain from the control that has the focus at start.
    int stop = 0;
    QWidget *step = m_firstFocus;
    do {
        if (step != nullptr && step->focusPolicy() != Qt::NoFocus && isControl(step)) {
            ++stop;
            if (step == widget) {
                built.tabStop = stop;
                break;
            }
        }
        step = step == nullptr ? nullptr : step->nextInFocusChain();
    } while (step != nullptr && step != m_firstFocus && stop < 100);

    if (auto *list = qobject_cast<QListWidget *>(widget)) {
        for (const QString &row : rowTexts(list))
            built.rows.push_back(text16(row));
    }
    if (auto *picture = qobject_cast<PictureBox *>(widget)) {
        const QPixmap drawing = picture->shownPixmap();
        if (!drawing.isNull()) {
            built.drawingWidth = drawing.width();
            built.drawingHeight = drawing.height();
            built.drawingChecksum = checksum(drawing.toImage());
        }
    }
    return built;
}

behaviour::BuiltControl QtWindowDriver::describe(const WindowlessControls::Control &control) const
{
    behaviour::BuiltControl built;
    built.controlClass = control.isImage ? "Image" : "Label";
    built.name = text16(control.name);
    built.container = nameOf(control.container);
    built.left = control.rect.left();
    built.top = control.rect.top();
    built.width = control.rect.width();
    built.height = control.rect.height();
    built.caption = text16(control.caption);
    built.accessibleName = text16(control.accessibleName);
    if (!control.isImage) {
        built.face = designedFace(control.font);
        built.fontPixels = control.font.pixelSize();
        built.fontWeight = control.font.weight();
    }
    if (control.back) {
        built.back = rgb(*control.back);
        built.text = rgb(control.text);
    }
    return built;
}

void QtWindowDriver::describeTree(QWidget *container, std::vector<behaviour::BuiltControl> &built) const
{
    built.push_back(describe(container));
    // Labels and images lie beneath the other controls: drawn on the container's
    // surface or, the two the commands write to, widgets there. They do not overlap,
    // so they are listed in the design's order.
    struct Beneath {
        const window::LayoutEntry *entry;
        QWidget *widget;
        const WindowlessControls::Control *drawn;
    };
    std::vector<Beneath> beneath;
    std::vector<QWidget *> above;
    if (const WindowlessControls *drawn = WindowlessControls::find(*container)) {
        for (const WindowlessControls::Control &control : drawn->controls())
            beneath.push_back({window::findControl(control.name.toStdU16String()), nullptr, &control});
    }
    for (QObject *child : container->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget == nullptr || !isControl(widget))
            continue;
        const window::LayoutEntry *entry = window::findControl(widget->objectName().toStdU16String());
        if (entry != nullptr && !window::isWindowed(entry->controlClass))
            beneath.push_back({entry, widget, nullptr});
        else
            above.push_back(widget);
    }
    // The layout table is one array: its rows' addresses are in the design's order.
    std::ranges::sort(beneath, std::less<>(), &Beneath::entry);
    for (const Beneath &control : beneath) {
        if (control.widget != nullptr)
            describeTree(control.widget, built);
        else
            built.push_back(describe(*control.drawn));
    }
    for (QWidget *widget : above)
        describeTree(widget, built);
}

std::vector<behaviour::BuiltControl> QtWindowDriver::builtControls()
{
    std::vector<behaviour::BuiltControl> built;
    describeTree(m_form.get(), built);
    return built;
}

} // namespace pemtos::qt
