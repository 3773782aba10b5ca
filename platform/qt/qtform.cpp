// SPDX-License-Identifier: MIT
#include "qt/qtform.h"

#include "accessiblefactory.h"
#include "announcer.h"
#include "framebox.h"
#include "listentryfocus.h"
#include "optionkeys.h"
#include "qt/conversions.h"
#include "qt/fonts.h"
#include "qt/picturebox.h"
#include "window/accessibility.h"
#include "window/handlers.h"
#include "window/illustrations.h"
#include "window/navigation.h"
#include "window/speech.h"
#include "window/stacking.h"
#include "wrappingpushbutton.h"
#include "wrappingradiobutton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

// The bitmaps are compiled into this static library; naming their initialiser
// keeps the linker from dropping them.
static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace pemtos::qt {
namespace {

QRect pixelRect(const window::LayoutEntry &entry)
{
    const window::Rect rect = window::toPixels(window::Rect{entry.left, entry.top, entry.width, entry.height});
    return {rect.left, rect.top, rect.width, rect.height};
}

QString artPath(std::string_view file, const char *suffix)
{
    return QStringLiteral(":/art/%1%2.bmp")
        .arg(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())), QString::fromLatin1(suffix));
}

/// What the control shows when the window opens: its caption, or its rows.
QString shownText(const window::LayoutEntry &entry)
{
    QString text = toQString(entry.caption);
    for (std::u16string_view row : window::initialRows(entry))
        text += toQString(row);
    return text;
}

bool showsText(window::ControlClass controlClass)
{
    return controlClass != window::ControlClass::PictureBox && controlClass != window::ControlClass::Image;
}

void describeForScreenReaders(QWidget *widget, const window::LayoutEntry &entry)
{
    // Captions name their controls already; a label without a name of its own
    // announces each new text it is given.
    if (const std::u16string_view name = window::accessibleName(entry.name); !name.empty())
        widget->setAccessibleName(toQString(name));
    if (const std::u16string_view description = window::accessibleDescription(entry.name); !description.empty())
        widget->setAccessibleDescription(toQString(description));
    // An option says its height group and what its drawing shows: two pairs of
    // options share a caption.
    if (entry.controlClass == window::ControlClass::OptionButton)
        widget->setAccessibleDescription(toQString(window::optionDescription(entry.name)));
}

} // namespace

QtForm::QtForm(QWidget *parent) : QWidget(parent), m_controls(this), m_announcer(new Announcer(*this))
{
    // Before the title is set: the interface made then is the one screen readers keep.
    installAccessibility();
    initArtResources();
    for (const window::LayoutEntry &entry : window::layout()) {
        if (entry.controlClass == window::ControlClass::Form) {
            setObjectName(toQString(entry.name));
            setWindowTitle(toQString(entry.caption));
            setFixedSize(window::twipsToPixels(entry.width), window::twipsToPixels(entry.height));
            setFont(fontFor(nullptr, toQString(entry.caption)));
            applyColours(this, entry);
            m_controls.add(this);
            continue;
        }
        QWidget *container = control(entry.container);
        // Labels and images are drawn on their container's surface; only the labels
        // the commands write to need widgets of their own.
        if (!window::isWindowed(entry.controlClass) && !window::writesCaption(entry.name)) {
            drawOnContainer(entry, *container);
            continue;
        }
        QWidget *widget = createControl(entry, container);
        widget->setObjectName(toQString(entry.name));
        widget->setGeometry(pixelRect(entry));
        // Picture boxes and images show no text: they keep their container's font
        // rather than have one worked out and set for nothing.
        if (showsText(entry.controlClass))
            widget->setFont(fontFor(entry.font, shownText(entry)));
        applyColours(widget, entry);
        describeForScreenReaders(widget, entry);
        if (entry.onClick != nullptr)
            connectClick(widget, entry.onClick);
        m_controls.add(widget);
    }
    chainTabOrder();
    watchOptionKeys();
    followFocusWithDefault(nullptr);
    m_focusFollower = connect(qApp, &QApplication::focusChanged, this,
                              [this](QWidget * /*old*/, QWidget *now) { followFocusWithDefault(now); });
}

QtForm::~QtForm()
{
    // Closing the window moves the focus once more, when the controls are already gone.
    disconnect(m_focusFollower);
}

void QtForm::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        for (QPushButton *button : commandButtons()) {
            if (button->isDefault() && button->isEnabled() && button->isVisible()) {
                button->click();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

QWidget *QtForm::createControl(const window::LayoutEntry &entry, QWidget *container)
{
    const QString caption = toQString(entry.caption);
    switch (entry.controlClass) {
    case window::ControlClass::Frame:
        return new FrameBox(caption, container);
    case window::ControlClass::CommandButton: {
        auto *button = new WrappingPushButton(caption, container);
        button->setAutoDefault(false);
        return button;
    }
    case window::ControlClass::OptionButton:
        return new WrappingRadioButton(caption, container);
    case window::ControlClass::Label: {
        auto *label = new QLabel(container);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(caption);
        return label;
    }
    case window::ControlClass::ListBox: {
        // People scroll, click, type into and read this list every time: it is Qt's
        // own list with Qt's own scroll bar and screen-reader interface, never one
        // drawn by the window to start faster.
        auto *list = new QListWidget(container);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Every row is one line in one font: the list sizes one row, not each.
        list->setUniformItemSizes(true);
        QStringList rows;
        for (std::u16string_view row : window::initialRows(entry))
            rows.append(toQString(row));
        list->addItems(rows);
        new ListEntryFocus(*list); // NOLINT(clang-analyzer-cplusplus.NewDeleteLeaks): the list owns it
        return list;
    }
    case window::ControlClass::PictureBox: {
        auto *picture = new PictureBox(container);
        if (const window::Illustration *art = window::findIllustration(entry.name))
            picture->setPictureFiles(artPath(art->file, ""), artPath(art->file, "@2x"));
        return picture;
    }
    case window::ControlClass::Image:
    case window::ControlClass::Form:
        break;
    }
    // Images are drawn by their container and the window is built above: a plain
    // widget that draws nothing and reacts to nothing stands for anything else.
    return new QWidget(container);
}

void QtForm::drawOnContainer(const window::LayoutEntry &entry, QWidget &container)
{
    WindowlessControls::Control control;
    control.name = toQString(entry.name);
    control.isImage = entry.controlClass == window::ControlClass::Image;
    control.rect = pixelRect(entry);
    control.caption = toQString(entry.caption);
    control.font = showsText(entry.controlClass) ? fontFor(entry.font, shownText(entry)) : container.font();
    if (entry.backColour)
        control.back = toQColor(*entry.backColour);
    control.text = entry.foreColour ? toQColor(*entry.foreColour) : container.palette().color(QPalette::WindowText);
    control.accessibleName = toQString(window::accessibleName(entry.name));
    WindowlessControls::of(container).add(std::move(control));
}

bool QtForm::givesColours(const QWidget &widget) const
{
    return std::ranges::find(m_coloured, &widget) != m_coloured.end();
}

const WindowlessControls::Control *QtForm::drawnControl(std::u16string_view name) const
{
    const QString wanted = toQString(name);
    for (const WindowlessControls *drawn : findChildren<const WindowlessControls *>()) {
        for (const WindowlessControls::Control &control : drawn->controls()) {
            if (control.name == wanted)
                return &control;
        }
    }
    return nullptr;
}

void QtForm::applyColours(QWidget *widget, const window::LayoutEntry &entry)
{
    if (!entry.backColour && !entry.foreColour)
        return;
    m_coloured.push_back(widget);
    // A control takes its container's palette as it is made; most share the
    // window's background, so only a colour that differs is set (each palette
    // set is resolved again against every ancestor's).
    QPalette palette = widget->palette();
    bool differs = false;
    const auto use = [&palette, &differs](QPalette::ColorRole role, const QColor &colour) {
        if (palette.color(role) != colour) {
            palette.setColor(role, colour);
            differs = true;
        }
    };
    if (entry.backColour) {
        const QColor back = toQColor(*entry.backColour);
        use(widget->backgroundRole(), back);
        // A control whose background is its container's colour leaves the container to
        // paint it: filling its own would make it opaque, and the container be painted
        // round it.
        const QWidget *container = widget->parentWidget();
        if (container == nullptr || container->palette().color(container->backgroundRole()) != back)
            widget->setAutoFillBackground(true);
    }
    if (entry.foreColour)
        use(widget->foregroundRole(), toQColor(*entry.foreColour));
    if (differs)
        widget->setPalette(palette);
}

void QtForm::connectClick(QWidget *widget, window::ClickHandler handler)
{
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (button == nullptr)
        return;
    connect(button, &QAbstractButton::clicked, this, [this, handler] {
        const int reported = m_controls.errorsReported();
        handler(m_controls);
        // A command that failed is told by its error report.
        if (m_controls.errorsReported() == reported)
            announceResultOf(handler);
    });
}

void QtForm::announceResultOf(window::ClickHandler handler)
{
    const auto *list = qobject_cast<const QListWidget *>(control(u"List1"));
    const auto caption = [this](std::u16string_view label) {
        const auto *shown = qobject_cast<const QLabel *>(control(label));
        return shown != nullptr ? shown->text().toStdU16String() : std::u16string();
    };
    if (list == nullptr)
        return;
    if (handler == &window::cmdGo_Click)
        m_announcer->announce(toQString(window::treeFormAnnouncement(caption(u"Label2"), list->count())));
    else if (handler == &window::command1_Click)
        m_announcer->announce(
            toQString(window::speciesNoteAnnouncement(caption(u"Label3"), !list->selectedItems().isEmpty())));
}

QString QtForm::announced() const
{
    return m_announcer->text();
}

void QtForm::chainTabOrder()
{
    QWidget *previous = nullptr;
    for (const window::LayoutEntry *entry : window::tabStops()) {
        QWidget *widget = control(entry->name);
        if (widget == nullptr)
            continue;
        if (previous == nullptr)
            widget->setFocus(Qt::OtherFocusReason);
        else
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtForm::watchOptionKeys()
{
    m_optionKeys = new OptionKeys(this);
    for (const window::LayoutEntry &entry : window::layout()) {
        if (entry.controlClass != window::ControlClass::OptionButton)
            continue;
        if (auto *option = qobject_cast<QAbstractButton *>(control(entry.name)))
            m_optionKeys->add(option);
    }
}

std::vector<QPushButton *> QtForm::commandButtons() const
{
    std::vector<QPushButton *> buttons;
    for (const window::LayoutEntry &entry : window::layout()) {
        if (entry.controlClass != window::ControlClass::CommandButton)
            continue;
        if (auto *button = qobject_cast<QPushButton *>(control(entry.name)))
            buttons.push_back(button);
    }
    return buttons;
}

void QtForm::followFocusWithDefault(QWidget *focused)
{
    // Only the window's own controls: not those of a message box over it.
    const std::u16string focusedName = focused != nullptr ? focused->objectName().toStdU16String() : std::u16string();
    const bool ownControl = focused != nullptr && control(focusedName) == focused;
    auto *chosen = qobject_cast<QPushButton *>(
        control(window::buttonForEnter(ownControl ? focusedName : std::u16string_view{}).name));
    for (QPushButton *button : commandButtons())
        button->setDefault(button == chosen);
}

} // namespace pemtos::qt
