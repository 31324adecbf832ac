// Small whole programs for bench/cold.sh:
//   cold_probe make COUNT OUT.kvd   writes the generated book of COUNT cards
//   cold_probe load FILE.kvd        loads a book and exits: the first load alone
//   cold_probe naive-pdf COUNT OUT  COUNT three-line labels, 12 a page, through a
//                                   plain QPdfWriter loop: the floor Qt sets

#include "ModelBenchBook.h"

#include "model/AddrBookFile.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int NaivePdf(int count, const char* out, char* program) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    QGuiApplication app(argc, &program);
    QPdfWriter writer(QString::fromLocal8Bit(out));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(720);
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("IPAMincho"), 11));
    const int cellWidth = 2 * 720 * 84 / 254;
    const int cellHeight = 720 * 423 / 254;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && i % 12 == 0)
            writer.newPage();
        const int cell = i % 12;
        const QRect rect((cell % 2) * cellWidth, (cell / 2) * cellHeight, cellWidth, cellHeight);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("〒100-%1\n東京都千代田区丸の内一丁目%2\n山田 太郎 様")
                             .arg(i % 10000, 4, 10, QLatin1Char('0'))
                             .arg(i % 50));
    }
    return painter.end() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && !std::strcmp(argv[1], "make")) {
        CAddrBook book;
        MakeBenchBook(book, std::atoi(argv[2]));
        return SaveAddrBook(argv[3], book) ? 1 : 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "load")) {
        // Kept to the end, as the program keeps the book it opens: freeing it
        // is no part of the wait.
        static CAddrBook* const book = new CAddrBook;
        return LoadAddrBook(argv[2], *book) ? 1 : 0;
    }
    if (argc == 4 && !std::strcmp(argv[1], "naive-pdf"))
        return NaivePdf(std::atoi(argv[2]), argv[3], argv[0]);
    std::fputs("usage: cold_probe make COUNT OUT.kvd | load FILE.kvd | naive-pdf COUNT OUT.pdf\n",
               stderr);
    return 1;
}
