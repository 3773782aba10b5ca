// SPDX-License-Identifier: MIT
// Each kind of control operation failed once on the real window, with the real
// message box: the report names the control, its interface and the operation, the
// test dismisses it as a user would, and the window goes on working.
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "catalogue/speciesnote.h"
#include "catalogue/treeform.h"
#include "window/handlers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

namespace pemtos::qt {
namespace {

using window::Operation;

/// Watches for message boxes while a click runs, remembers what they showed and
/// presses their button.
class DialogWatcher {
public:
    DialogWatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (box == nullptr || box == m_lastBox)
                return;
            m_lastBox = box;
            ++m_shown;
            m_title = box->windowTitle();
            m_text = box->text();
            m_icon = box->icon();
            m_parent = box->parentWidget();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->close();
        });
        m_timer.start();
    }

    int shown() const { return m_shown; }
    const QString &title() const { return m_title; }
    const QString &text() const { return m_text; }
    QMessageBox::Icon icon() const { return m_icon; }
    const QWidget *parent() const { return m_parent; }

private:
    QTimer m_timer;
    QMessageBox *m_lastBox = nullptr;
    int m_shown = 0;
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    const QWidget *m_parent = nullptr;
};

class QtFaultInjectionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    template <typename Widget = QWidget> Widget *get(std::u16string_view control) const
    {
        return qobject_cast<Widget *>(m_form->control(control));
    }

    void click(std::u16string_view control) const
    {
        QWidget *widget = get(control);
        ASSERT_NE(widget, nullptr);
        clickLikeAPerson(widget);
    }

    void selectRow(int row) const { clickRow(get<QListWidget>(u"List1"), row); }

    int selectedRow() const { return selectedRowOf(get<QListWidget>(u"List1")); }

    QString caption(std::u16string_view label) const { return get<QLabel>(label)->text(); }

    QStringList rows() const { return rowTexts(get<QListWidget>(u"List1")); }

    static QStringList names(const catalogue::TreeFormCategory &form)
    {
        QStringList texts;
        for (std::u16string_view name : form.species)
            texts << qs(name);
        return texts;
    }

    std::unique_ptr<QtForm> m_form;
};

/// One kind of operation, failed on its first use by a click.
struct Injection {
    const char *what;
    Operation operation;
    std::u16string_view control;
    std::u16string_view option; ///< selected and shown with cmdGo beforehand, when not empty
    int row;                    ///< list row selected before the click, -1 for none
    std::u16string_view button; ///< the button clicked
    int failing;                ///< which operation of that click fails
};

// cmdGo with optRera: Label2, Label3, Clear, optUran, optNuman, optRera, Label2, six rows.
// Command1 with a row: ListIndex, ListIndex, List, Label3.
constexpr Injection kInjections[] = {
    {"caption set by cmdGo", Operation::CaptionSet, u"Label2", u"", -1, u"cmdGo", 1},
    {"list clear", Operation::Clear, u"List1", u"", -1, u"cmdGo", 3},
    {"option value read", Operation::ValueGet, u"optNuman", u"", -1, u"cmdGo", 5},
    {"item added", Operation::AddItem, u"List1", u"", -1, u"cmdGo", 9},
    {"selected index read", Operation::ListIndexGet, u"List1", u"optNuman", 3, u"Command1", 2},
    {"row text read", Operation::ListGet, u"List1", u"optNuman", 3, u"Command1", 3},
    {"caption set by Command1", Operation::CaptionSet, u"Label3", u"optNuman", 3, u"Command1", 4},
};

TEST_F(QtFaultInjectionTest, EachOperationKindFailsOnceWithTheJapaneseReport)
{
    const catalogue::TreeFormCategory &rera = *catalogue::findTreeFormByOption(u"optRera");
    const catalogue::TreeFormCategory &numan = *catalogue::findTreeFormByOption(u"optNuman");
    for (const Injection &injection : kInjections) {
        SCOPED_TRACE(injection.what);
        SetUp(); // a fresh window for each kind
        if (!injection.option.empty()) {
            click(injection.option);
            click(u"cmdGo");
        } else {
            click(u"optRera");
        }
        if (injection.row >= 0)
            selectRow(injection.row);
        const QString label2Before = caption(u"Label2");
        const QString label3Before = caption(u"Label3");

        DialogWatcher watcher;
        m_form->controls().failOperation(injection.failing);
        click(injection.button);

        ASSERT_EQ(watcher.shown(), 1);
        EXPECT_EQ(watcher.title().toStdString(), qs(window::errorReportTitle()).toStdString());
        EXPECT_EQ(watcher.icon(), QMessageBox::Critical);
        EXPECT_EQ(watcher.parent(), m_form.get()) << "the report belongs to the window";
        const window::ControlError error{injection.operation, std::u16string(injection.control)};
        EXPECT_EQ(watcher.text().toStdString(), qs(window::errorReportText(error)).toStdString());
        EXPECT_TRUE(watcher.text().contains(qs(injection.control) + QStringLiteral(" (") +
                                            qs(window::interfaceName(window::interfaceOf(injection.operation))) +
                                            QStringLiteral(")")));
        EXPECT_TRUE(watcher.text().contains(qs(window::operationName(injection.operation))));

        // What the click did before the failure stays; nothing after it ran.
        if (injection.button == u"cmdGo") {
            // Steps 1-3 blank and clear, 4-6 read the options, 7 describes, 8 on add rows.
            const int failing = injection.failing;
            EXPECT_EQ(caption(u"Label2"),
                      failing == 1 ? label2Before : (failing <= 7 ? qs(window::kBlankCaption) : qs(rera.description)));
            EXPECT_EQ(caption(u"Label3"), failing <= 2 ? label3Before : qs(window::kBlankCaption));
            if (failing <= 3)
                EXPECT_EQ(rows(), names(catalogue::treeForms().front()));
            else
                EXPECT_EQ(rows(), names(rera).mid(0, std::max(0, failing - 8))) << "the rows added before";
        } else {
            EXPECT_EQ(caption(u"Label3"), label3Before);
            EXPECT_EQ(caption(u"Label2"), label2Before);
            EXPECT_EQ(rows(), names(numan));
            EXPECT_EQ(selectedRow(), injection.row);
        }

        // The window still works, and the report is not raised again.
        click(injection.button);
        EXPECT_EQ(watcher.shown(), 1);
        if (injection.button == u"cmdGo") {
            EXPECT_EQ(caption(u"Label2"), qs(rera.description));
            EXPECT_EQ(rows(), names(rera));
        } else {
            EXPECT_EQ(caption(u"Label3"), qs(*catalogue::findSpeciesNote(numan.species[3])));
        }
        EXPECT_TRUE(m_form->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

} // namespace
} // namespace pemtos::qt
