// One running copy of the program for the clipboard test between two
// processes: the real main window on the book named on the command line,
// with settings in memory and no single-instance guard, obeying one command a
// line on standard input; every answer ends with the line "ok".
//   select ROW...  these rows of the list are selected, no others
//   key KEYS       a key sequence such as Ctrl+C, pressed in the list
//   blob HEX       the clipboard holds these bytes as cards, nothing else
//   formats        the clipboard's formats, one a line
//   messages       the message boxes shown so far, one a line
//   save           saves the book

#include "app/KolvaneApp.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingUserInteraction.h"
#include "res/AppStrings.h"
#include "views/AddrListView.h"
#include "views/JapaneseUi.h"
#include "views/MainFrame.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

void Obey(const QString& line, CKolvaneApp& app, const RecordingUserInteraction& ui) {
    const QString command = line.section(u' ', 0, 0);
    const QString rest = line.section(u' ', 1);
    CAddrListView& list = app.MainFrame().ListView();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (command == u"select") {
        list.selectionModel()->clear();
        for (const QString& row : rest.split(u' '))
            list.selectionModel()->select(list.model()->index(row.toInt(), 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    } else if (command == u"key") {
        const QKeyCombination key = QKeySequence::fromString(rest)[0];
        // The window's keys need it active: the other copy may have taken the focus.
        app.MainFrame().activateWindow();
        if (!QTest::qWaitForWindowActive(&app.MainFrame()))
            std::printf("the window is not active\n");
        list.setFocus();
        QTest::keyClick(&list, key.key(), key.keyboardModifiers());
    } else if (command == u"blob") {
        auto* data = new QMimeData;
        data->setData(QStringLiteral("Kolvane Cards"), QByteArray::fromHex(rest.toLatin1()));
        clipboard->setMimeData(data);
    } else if (command == u"formats") {
        for (const QString& format : clipboard->mimeData()->formats())
            std::printf("%s\n", qPrintable(format));
    } else if (command == u"messages") {
        for (const RecordingUserInteraction::Message& message : ui.messages)
            std::printf("%s\n", message.text.c_str());
    } else if (command == u"save") {
        app.Document().DoFileSave();
    }
    std::printf("ok\n");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    SetUpJapaneseUi(qapp);
    CMemorySettingsStore settings;
    AfxSetProfile(&settings);
    RecordingUserInteraction ui;
    AfxSetUserInteraction(&ui);
    AfxSetResourceStrings(&AppStrings());
    const QTemporaryDir folder;
    CKolvaneApp app({0, [] { return false; }, folder.path()});
    if (argc < 2 || !app.InitInstance({QString::fromLocal8Bit(argv[1])}))
        return 1;
    app.MainFrame().activateWindow();
    if (!QTest::qWaitForWindowActive(&app.MainFrame()))
        return 1;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        std::string line;
        if (!std::getline(std::cin, line))
            QApplication::quit();
        else
            Obey(QString::fromStdString(line), app, ui);
    });
    std::printf("ok\n");
    std::fflush(stdout);
    const int result = QApplication::exec();
    app.ExitInstance();
    AfxSetUserInteraction(nullptr);
    AfxSetProfile(nullptr);
    return result;
}
