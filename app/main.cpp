// kolvane: the address book program.

#include "app/KolvaneApp.h"
#include "app/QtUserInteraction.h"
#include "doc/LayoutFolders.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtText.h"
#include "platform/StringTable.h"
#include "res/AppStrings.h"
#include "views/JapaneseUi.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCommandLineParser>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

// Qt's own options, which QApplication takes out of the arguments later; they
// are accepted here so that only options nobody knows are refused.
void AcceptQtOptions(QCommandLineParser& parser) {
    static const char* const kWithValue[] = {"platform",    "platformpluginpath", "platformtheme",
                                             "plugin",      "qmljsdebugger",      "qwindowgeometry",
                                             "qwindowicon", "qwindowtitle",       "session",
                                             "display",     "geometry",           "title",
                                             "style",       "stylesheet",         "name"};
    static const char* const kFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char* name : kWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

const char kUsage[] = "Usage: kolvane [options] [FILE.kvd]\n"
                      "Kolvane (ｺﾙｳﾞｧﾈ), an address book. Opens FILE.kvd, or else "
                      "the book used last time,\n"
                      "or asks for a new address book file.\n"
                      "\n"
                      "Options:\n"
                      "  -h, --help     show this help and exit\n"
                      "  -v, --version  show the version and exit\n"
                      "  Qt's own options (-platform, -style, ...) are passed on to Qt.\n";

// Reads the command line before any window system is reached, so that --help,
// --version and a wrong option work without a display. Returns the exit status
// when the program is done, else nothing, with the address book named (if any)
// in file.
std::optional<int> ParseCommandLine(int argc, char** argv, QString& file) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    AcceptQtOptions(parser);

    const bool parsed = parser.parse(arguments);
    QString error = parsed ? QString() : parser.errorText();
    if (parsed && !parser.isSet(help) && !parser.isSet(version) &&
        parser.positionalArguments().size() > 1)
        error = QStringLiteral("Only one address book can be named.");
    if (!error.isEmpty()) {
        std::fprintf(stderr, "kolvane: %s\n\n%s", qPrintable(error), kUsage);
        return 1;
    }
    if (parser.isSet(help)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("kolvane %s\n", KOLVANE_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        file = parser.positionalArguments().front();
        // A name given after "--" may begin with '-', which the start-up would skip.
        if (file.startsWith(QLatin1Char('-')))
            file.prepend(QStringLiteral("./"));
    }
    return std::nullopt;
}

// The cold-start benchmark's hook (bench/cold.sh): with
// KOLVANE_EXIT_AFTER_FIRST_PAINT set, the process ends right after the card
// list first paints rows, so that timing the whole process times the wait for
// the first painted list. The book is unchanged by then; nothing is saved.
class ExitAfterFirstListPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const auto* list = qobject_cast<QAbstractItemView*>(watched->parent());
            // Queued: the paint and the flush to the window come first.
            if (list && list->viewport() == watched &&
                list->objectName() == QLatin1String("cardList") && list->model()->rowCount() > 0)
                QMetaObject::invokeMethod(
                    this, [] { std::_Exit(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QString file;
    if (const std::optional<int> status = ParseCommandLine(argc, argv, file))
        return *status;

    QApplication qapp(argc, argv);
    if (qEnvironmentVariableIsSet("KOLVANE_EXIT_AFTER_FIRST_PAINT"))
        qapp.installEventFilter(new ExitAfterFirstListPaint(&qapp));
    // Qt took the C library's locale from the environment; numbers keep their point.
    std::setlocale(LC_NUMERIC, "C");
    QGuiApplication::setDesktopFileName(QStringLiteral("jp.tavrin.kolvane"));
    SetUpJapaneseUi(qapp);
    CQtSettingsStore settings;
    AfxSetProfile(&settings);
    CQtUserInteraction interaction;
    AfxSetUserInteraction(&interaction);
    AfxSetResourceStrings(&AppStrings());
    ChooseLayoutFolders(qtext::ToPath(QCoreApplication::applicationDirPath()));

    int result = 0;
    {
        CKolvaneApp app;
        if (app.InitInstance(file.isEmpty() ? QStringList() : QStringList{file})) {
            result = QApplication::exec();
            app.ExitInstance();
        } else {
            result = app.GetStartFailureStatus();
        }
    }
    settings.Sync();
    AfxSetUserInteraction(nullptr);
    AfxSetProfile(nullptr);
    return result;
}
