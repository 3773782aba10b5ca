// SPDX-License-Identifier: MIT
// A long random session on the real window: thousands of user actions chosen by a
// fixed seed (click a tree form, press either button, pick a species row or clear
// the pick, click an illustration or a label). After every action the window must
// show what a small model of its rules says, the model being written here from
// those rules alone and its texts read from the golden catalogue
// (tests/golden/catalogue.txt): it never calls the click handlers or the catalogue.
#include "qt/qtform.h"
#include "qttestsupport.h"

#include "goldentext.h"
#include "window/illustrations.h"
#include "window/layout.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace pemtos::qt {
namespace {

constexpr std::uint32_t kSeed = 0x5EED'2026;
constexpr int kActions = 30000;

/// What the window should show, kept by the rules of the two buttons.
class WindowModel {
public:
    WindowModel()
    {
        for (const golden::Catalogue::Form &form : golden::catalogue().forms) {
            m_forms.push_back({qs(form.option), qs(form.description), {}});
            for (const std::u16string &name : form.species)
                m_forms.back().species << qs(name);
        }
        for (const auto &[name, note] : golden::catalogue().notes)
            m_notes.emplace(qs(name), qs(note)); // names are unique: first row wins anyway
        // The list opens with tree form 1's names; nothing is selected and both labels are empty.
        rows = m_forms.front().species;
    }

    void chooseForm(int form) { option = form; }
    void pickRow(int row) { selected = row; }
    void clearPick() { selected = -1; }

    /// cmdGo: both labels blank, the list emptied, then the chosen form shown.
    void pressCmdGo()
    {
        const QString blank(5, QChar(0x3000));
        label2 = blank;
        label3 = blank;
        rows.clear();
        selected = -1;
        if (option >= 0) {
            label2 = m_forms[static_cast<std::size_t>(option)].description;
            rows = m_forms[static_cast<std::size_t>(option)].species;
        }
    }

    /// Command1: the picked row's note (nothing picked reads as the empty name); a
    /// name without a note leaves the label alone.
    void pressCommand1()
    {
        const QString name = selected >= 0 ? rows[selected] : QString();
        const auto note = m_notes.find(name);
        if (note != m_notes.end())
            label3 = note->second;
    }

    int formCount() const { return static_cast<int>(m_forms.size()); }
    const QString &optionName(int form) const { return m_forms[static_cast<std::size_t>(form)].option; }

    int option = -1;
    QString label2;
    QString label3;
    QStringList rows;
    int selected = -1;

private:
    struct Form {
        QString option;
        QString description;
        QStringList species;
    };
    std::vector<Form> m_forms;
    std::map<QString, QString> m_notes;
};

class RandomSessionTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_form = std::make_unique<QtForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        m_list = qobject_cast<QListWidget *>(m_form->control(u"List1"));
        ASSERT_NE(m_list, nullptr);
        // Each label where it is clicked: its own widget, or the container that draws it.
        for (const window::LayoutEntry &entry : window::layout()) {
            if (entry.controlClass != window::ControlClass::Label)
                continue;
            if (QWidget *label = m_form->control(entry.name))
                m_passive.push_back({label, label->rect().center()});
            else if (const WindowlessControls::Control *drawn = m_form->drawnControl(entry.name))
                m_passive.push_back({drawn->container, drawn->rect.center()});
        }
        m_labelCount = m_passive.size();
        for (const window::Illustration &art : window::illustrations())
            m_passive.push_back({m_form->control(art.picture), m_form->control(art.picture)->rect().center()});
        m_passive.push_back({m_form->control(u"Picture9"), m_form->control(u"Picture9")->rect().center()});
    }

    QWidget *control(const QString &name) const { return m_form->control(name.toStdU16String()); }

    void press(std::u16string_view button) const
    {
        QWidget *widget = m_form->control(button);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    int shownSelection() const { return selectedRowOf(m_list); }

    /// Where the window differs from the model, or empty.
    std::string difference(const WindowModel &model) const
    {
        std::ostringstream out;
        const auto text = [](std::u16string_view label, const QWidget *form) {
            return qobject_cast<QLabel *>(static_cast<const QtForm *>(form)->control(label))->text();
        };
        if (text(u"Label2", m_form.get()) != model.label2)
            out << "Label2 shows \"" << text(u"Label2", m_form.get()).toStdString() << "\", expected \""
                << model.label2.toStdString() << "\"; ";
        if (text(u"Label3", m_form.get()) != model.label3)
            out << "Label3 shows \"" << text(u"Label3", m_form.get()).toStdString() << "\", expected \""
                << model.label3.toStdString() << "\"; ";
        QStringList rows;
        for (int row = 0; row < m_list->count(); ++row)
            rows << m_list->item(row)->text();
        if (rows != model.rows)
            out << "List1 holds " << rows.size() << " rows (" << rows.join(u',').toStdString() << "), expected "
                << model.rows.size() << " (" << model.rows.join(u',').toStdString() << "); ";
        if (shownSelection() != model.selected)
            out << "List1 has row " << shownSelection() << " selected, expected " << model.selected << "; ";
        for (int form = 0; form < model.formCount(); ++form) {
            const bool checked = qobject_cast<QRadioButton *>(control(model.optionName(form)))->isChecked();
            if (checked != (form == model.option))
                out << model.optionName(form).toStdString() << (checked ? " is" : " is not") << " selected; ";
        }
        return out.str();
    }

    /// Performs one random action on the window and on the model; returns what it was, or
    /// nothing when the chosen action is not possible on the window as it is.
    std::string act(std::mt19937 &random, WindowModel &model)
    {
        const auto pick = [&random](std::size_t count) { return static_cast<int>(random() % count); };
        const int kind = pick(100);
        if (kind < 30) {
            const int form = pick(static_cast<std::size_t>(model.formCount()));
            QWidget *option = control(model.optionName(form));
            // On its circle: the right edge of some options lies under their illustration.
            QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
            model.chooseForm(form);
            return "click " + model.optionName(form).toStdString();
        }
        if (kind < 45) {
            press(u"cmdGo");
            model.pressCmdGo();
            return "press cmdGo";
        }
        if (kind < 65) {
            if (m_list->count() == 0)
                return {}; // nothing to pick: not an action
            const int row = pick(static_cast<std::size_t>(m_list->count()));
            clickRow(m_list, row);
            model.pickRow(row);
            return "pick row " + std::to_string(row);
        }
        if (kind < 72) {
            // Ctrl+click on the picked row drops the pick; so does a click below the last row.
            if (model.selected >= 0 && pick(2) == 0) {
                clickRow(m_list, model.selected, Qt::ControlModifier);
                model.clearPick();
                return "ctrl+click the picked row";
            }
            const QRect area = m_list->viewport()->rect();
            const int below =
                m_list->count() > 0 ? m_list->visualItemRect(m_list->item(m_list->count() - 1)).bottom() + 2 : 2;
            if (below >= area.bottom())
                return {}; // the rows fill the list
            QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, QPoint(10, (below + area.bottom()) / 2));
            model.clearPick();
            return "click below the rows";
        }
        if (kind < 92) {
            press(u"Command1");
            model.pressCommand1();
            return "press Command1";
        }
        // Illustrations and labels react to nothing.
        const std::size_t pictures = m_passive.size() - m_labelCount;
        const std::size_t index = kind < 96 ? m_labelCount + static_cast<std::size_t>(pick(pictures))
                                            : static_cast<std::size_t>(pick(m_labelCount));
        const auto &[target, at] = m_passive[index];
        QTest::mouseClick(target, Qt::LeftButton, {}, at);
        return "click " + target->objectName().toStdString() + " at " + std::to_string(at.x()) + "," +
               std::to_string(at.y());
    }

    std::unique_ptr<QtForm> m_form;
    QListWidget *m_list = nullptr;
    /// Where the labels and then the illustrations are clicked: they react to nothing.
    std::vector<std::pair<QWidget *, QPoint>> m_passive;
    std::size_t m_labelCount = 0;
};

TEST_F(RandomSessionTest, TheWindowAlwaysShowsWhatTheRulesSay)
{
    std::mt19937 random(kSeed);
    WindowModel model;
    std::deque<std::string> recent;
    ASSERT_EQ(difference(model), "") << "as the window opens";

    int checked = 0;
    std::map<std::string, int> tally;
    for (int attempt = 1; checked < kActions && attempt <= 2 * kActions; ++attempt) {
        const std::string action = act(random, model);
        if (action.empty())
            continue;
        ++checked;
        ++tally[action.substr(0, action.find(' ', action.find(' ') + 1))];
        recent.push_back(action);
        if (recent.size() > 12)
            recent.pop_front();
        const std::string wrong = difference(model);
        if (!wrong.empty()) {
            std::string history;
            for (const std::string &earlier : recent)
                history += "\n  " + earlier;
            FAIL() << "seed 0x" << std::hex << kSeed << std::dec << ", action " << checked << " of " << kActions << ": "
                   << wrong << "\nlast actions:" << history;
        }
    }
    EXPECT_EQ(checked, kActions);
    // Every kind of action must have happened often, or the session proves little.
    for (const char *kind : {"press cmdGo", "press Command1", "pick row", "ctrl+click the", "click below"})
        EXPECT_GT(tally[kind], kActions / 200) << kind;
    RecordProperty("actions_checked", checked);
}

} // namespace
} // namespace pemtos::qt
