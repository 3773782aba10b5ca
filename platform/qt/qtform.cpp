// SPDX-License-Identifier: MIT
#include "platform/qt/qtform.h"

#include "platform/qt/fonts.h"
#include "platform/qt/optiongroup.h"
#include "platform/qt/picturebox.h"
#include "platform/qt/wrappingpushbutton.h"
#include "platform/qt/wrappingradiobutton.h"
#include "window/accessibility.h"
#include "window/illustrations.h"

#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <vector>

// The bitmaps are compiled into this static library; naming their initialiser
// keeps the linker from dropping them.
static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace pemtos::qt {
namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor toQColor(platform::OleColour colour)
{
    const platform::Rgb rgb = platform::resolveColour(colour);
    return {rgb.red, rgb.green, rgb.blue};
}

QRect pixelRect(const window::ControlSpec &spec)
{
    const window::Rect rect = window::toPixels(window::Rect{spec.left, spec.top, spec.width, spec.height});
    return {rect.left, rect.top, rect.width, rect.height};
}

QString artPath(std::string_view file, const char *suffix)
{
    return QStringLiteral(":/art/%1%2.bmp")
        .arg(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())), QString::fromLatin1(suffix));
}

void describeForScreenReaders(QWidget *widget, const window::ControlSpec &spec)
{
    // Captions name their controls already; a label without a name of its own
    // announces each new text it is given.
    if (const std::u16string_view name = window::accessibleName(spec.name); !name.empty())
        widget->setAccessibleName(toQString(name));
    if (const std::u16string_view description = window::accessibleDescription(spec.name); !description.empty())
        widget->setAccessibleDescription(toQString(description));
}

} // namespace

QtForm::QtForm(QWidget *parent) : QWidget(parent), m_controls(this)
{
    initArtResources();
    for (const window::ControlSpec &spec : window::layout()) {
        if (spec.controlClass == window::ControlClass::Form) {
            setObjectName(toQString(spec.name));
            setWindowTitle(toQString(spec.caption));
            setFixedSize(window::twipsToPixels(spec.width), window::twipsToPixels(spec.height));
            setFont(defaultFont());
            applyColours(this, spec);
            m_controls.add(this);
            continue;
        }
        QWidget *container = control(spec.container);
        QWidget *widget = createControl(spec, container);
        widget->setObjectName(toQString(spec.name));
        widget->setGeometry(pixelRect(spec));
        widget->setFont(fontFor(spec.font));
        applyColours(widget, spec);
        describeForScreenReaders(widget, spec);
        if (spec.onClick != nullptr)
            connectClick(widget, spec.onClick);
        m_controls.add(widget);
    }
    chainTabOrder();
    groupOptions();
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

QWidget *QtForm::createControl(const window::ControlSpec &spec, QWidget *container)
{
    const QString caption = toQString(spec.caption);
    switch (spec.controlClass) {
    case window::ControlClass::Frame:
        return new QGroupBox(caption, container);
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
        auto *list = new QListWidget(container);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (std::u16string_view row : spec.rows)
            list->addItem(toQString(row));
        return list;
    }
    case window::ControlClass::PictureBox: {
        auto *picture = new PictureBox(container);
        if (const window::Illustration *art = window::findIllustration(spec.name))
            picture->setPictureFiles(artPath(art->file, ""), artPath(art->file, "@2x"));
        return picture;
    }
    case window::ControlClass::Image:
    case window::ControlClass::Form:
        break;
    }
    // An empty image control: it draws nothing and reacts to nothing.
    return new QWidget(container);
}

void QtForm::applyColours(QWidget *widget, const window::ControlSpec &spec)
{
    if (!spec.backColour && !spec.foreColour)
        return;
    QPalette palette = widget->palette();
    if (spec.backColour) {
        palette.setColor(widget->backgroundRole(), toQColor(*spec.backColour));
        widget->setAutoFillBackground(true);
    }
    if (spec.foreColour)
        palette.setColor(widget->foregroundRole(), toQColor(*spec.foreColour));
    widget->setPalette(palette);
}

void QtForm::connectClick(QWidget *widget, window::ClickHandler handler)
{
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (button == nullptr)
        return;
    connect(button, &QAbstractButton::clicked, this, [this, handler] { handler(m_controls); });
}

void QtForm::chainTabOrder()
{
    std::vector<const window::ControlSpec *> stops;
    for (const window::ControlSpec &spec : window::layout()) {
        if (spec.tabIndex >= 0)
            stops.push_back(&spec);
    }
    std::sort(stops.begin(), stops.end(),
              [](const auto *left, const auto *right) { return left->tabIndex < right->tabIndex; });

    QWidget *previous = nullptr;
    for (const window::ControlSpec *spec : stops) {
        QWidget *widget = control(spec->name);
        // Frames and labels hold a place in the order but never take the focus.
        if (widget == nullptr || widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous == nullptr)
            widget->setFocus(Qt::OtherFocusReason);
        else
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void QtForm::groupOptions()
{
    // Options that share a container form one group, walked in tab order.
    std::vector<const window::ControlSpec *> options;
    for (const window::ControlSpec &spec : window::layout()) {
        if (spec.controlClass == window::ControlClass::OptionButton)
            options.push_back(&spec);
    }
    std::sort(options.begin(), options.end(),
              [](const auto *left, const auto *right) { return left->tabIndex < right->tabIndex; });

    QHash<QWidget *, OptionGroup *> groups;
    for (const window::ControlSpec *spec : options) {
        auto *option = qobject_cast<QAbstractButton *>(control(spec->name));
        if (option == nullptr)
            continue;
        OptionGroup *&group = groups[option->parentWidget()];
        if (group == nullptr)
            group = new OptionGroup(this);
        group->add(option);
    }
}

std::vector<QPushButton *> QtForm::commandButtons() const
{
    std::vector<QPushButton *> buttons;
    for (const window::ControlSpec &spec : window::layout()) {
        if (spec.controlClass != window::ControlClass::CommandButton)
            continue;
        if (auto *button = qobject_cast<QPushButton *>(control(spec.name)))
            buttons.push_back(button);
    }
    return buttons;
}

void QtForm::followFocusWithDefault(QWidget *focused)
{
    const std::vector<QPushButton *> buttons = commandButtons();
    // Only the window's own command buttons: not those of a message box over it.
    auto *focusedButton = qobject_cast<QPushButton *>(focused);
    if (std::find(buttons.begin(), buttons.end(), focusedButton) == buttons.end())
        focusedButton = nullptr;
    QPushButton *chosen =
        focusedButton != nullptr ? focusedButton : qobject_cast<QPushButton *>(control(window::kDefaultButton));
    for (QPushButton *button : buttons)
        button->setDefault(button == chosen);
}

} // namespace pemtos::qt
