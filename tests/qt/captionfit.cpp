// SPDX-License-Identifier: MIT
#include "captionfit.h"
#include "qttestsupport.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "qt/picturebox.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace pemtos::qt {
namespace {

/// Why the caption of `button` does not fit, or empty.
std::string buttonCutOff(const QAbstractButton &button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const bool isOption = qobject_cast<const QRadioButton *>(&button) != nullptr;
    const QRect contents = button.style()->subElementRect(
        isOption ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, &button);
    const QRect text =
        button.fontMetrics().boundingRect(contents, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, button.text());
    if (!button.rect().contains(text) || text.width() > contents.width() || text.height() > contents.height())
        return "text " + std::to_string(text.width()) + "x" + std::to_string(text.height()) + " in " +
               std::to_string(contents.width()) + "x" + std::to_string(contents.height());
    // Nothing of the caption may lie under a sibling drawn above it.
    const QRect inParent = text.translated(button.pos());
    for (QObject *sibling : button.parentWidget()->children()) {
        auto *picture = qobject_cast<PictureBox *>(sibling);
        if (picture != nullptr && picture->geometry().intersects(inParent))
            return "under " + picture->objectName().toStdString();
    }
    return {};
}

/// A caption fits `size` when every line is within its width and the ink of the last
/// line (not the empty part of its line box below the glyphs) is within its height.
bool fits(const QFontMetrics &metrics, QSize size, const QString &text)
{
    const QRect needed = metrics.boundingRect(QRect(QPoint(), size), Qt::AlignLeft | Qt::TextWordWrap, text);
    const int inkBottom = needed.height() - metrics.height() + metrics.ascent() +
                          (text.isEmpty() ? 0 : metrics.tightBoundingRect(text).bottom());
    return inkBottom <= size.height() && needed.width() <= size.width();
}

bool fits(const QLabel &label, const QString &text)
{
    return fits(label.fontMetrics(), label.size(), text);
}

} // namespace

std::vector<std::string> captionsCutOff(const QtForm &form)
{
    std::vector<std::string> cutOff;
    for (const window::LayoutEntry &entry : window::layout()) {
        if (const auto *button = qobject_cast<const QAbstractButton *>(form.control(entry.name))) {
            if (const std::string why = buttonCutOff(*button); !why.empty())
                cutOff.push_back(name(entry.name) + ": " + why);
        }
    }

    // The labels whose captions never change are drawn by their container.
    for (std::u16string_view control : {u"Label1", u"Label4", u"Label10", u"Label11", u"Label12"}) {
        const WindowlessControls::Control *drawn = form.drawnControl(control);
        if (drawn == nullptr || !fits(QFontMetrics(drawn->font, drawn->container), drawn->rect.size(), drawn->caption))
            cutOff.push_back(name(control) + ": its caption");
    }
    const auto label = [&form](std::u16string_view control) { return qobject_cast<QLabel *>(form.control(control)); };
    for (const catalogue::TreeFormCategory &tree : catalogue::treeForms()) {
        if (!fits(*label(u"Label2"), qs(tree.description)))
            cutOff.push_back("Label2: the description of tree form " + std::to_string(tree.number));
    }
    for (const catalogue::SpeciesNote &row : catalogue::speciesNotes()) {
        if (!fits(*label(u"Label3"), qs(row.note)))
            cutOff.push_back("Label3: the note on " + name(row.name));
    }
    return cutOff;
}

} // namespace pemtos::qt
