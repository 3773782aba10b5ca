// SPDX-License-Identifier: MIT
// Draws the program's window into a PNG file, as it looks after one tree-form
// lookup and one species note: 卵円形 selected, its species listed, and the
// note on プラタナス shown. Used by tools/screenshot.sh; renders offscreen unless
// the caller chose a platform.
//
//   pemtos_screenshot <output.png>
#include "qt/application.h"
#include "qt/qtform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QTest>

#include <iostream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <output.png>\n";
        return 64;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    pemtos::qt::setUpApplication();

    pemtos::qt::QtForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;

    auto *option = qobject_cast<QAbstractButton *>(form.control(u"optNuman"));
    auto *list = qobject_cast<QListWidget *>(form.control(u"List1"));
    auto *lookUp = qobject_cast<QAbstractButton *>(form.control(u"cmdGo"));
    auto *note = qobject_cast<QAbstractButton *>(form.control(u"Command1"));
    if (option == nullptr || list == nullptr || lookUp == nullptr || note == nullptr)
        return 1;
    option->setFocus(Qt::OtherFocusReason);
    option->click();
    lookUp->click();
    const QList<QListWidgetItem *> rows = list->findItems(QStringLiteral("プラタナス"), Qt::MatchExactly);
    if (rows.size() != 1)
        return 1;
    list->setCurrentItem(rows.first());
    list->scrollToItem(rows.first());
    note->click();
    QApplication::processEvents();

    if (!form.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::cerr << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
