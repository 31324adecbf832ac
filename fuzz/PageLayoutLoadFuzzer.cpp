// Reads arbitrary bytes as a page layout file with ReadName and Load: no crash,
// no message box, an error with a text or a layout that holds values in range. Every cell of a
// loaded layout is measured and one page of labels is drawn on a small image.

#include "FuzzedLayoutFile.h"
#include "print/LabelPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string g_path;
const CAddrCard* g_cards[3];

CAddrCard MakeCard(int notation, const char* name, const char* zip, const char* address) {
    CAddrCard card;
    card.m_nNotation = notation;
    card.m_strName = name;
    card.m_strZip = zip;
    card.m_strAddress = address;
    return card;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    g_path = "/tmp/kolvane-layout-fuzz-" + std::to_string(getpid()) + ".KVL";
    std::atexit([] { std::remove(g_path.c_str()); });
    static const CAddrCard cards[] = {
        MakeCard(0, "\x8e\x52\x93\x63", "123-4567", "\x93\x8c\x8b\x9e\x93\x73\r\nA & B"),
        MakeCard(1, "John Smith", "", "1 Main St.\r\nSpringfield"),
        MakeCard(-1, "", "", "a-very-long-word-without-any-blank-in-it-at-all"),
    };
    for (int i = 0; i < 3; ++i)
        g_cards[i] = &cards[i];
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordingUserInteraction quiet;
    CPageLayout layout;
    if (!LoadFuzzedLayoutFile(g_path, data, size, layout, quiet))
        return 0;
    if (!layout.IsInRange())
        std::abort();

    const int cells = layout.GetCellCount();
    if (cells < 1 || cells > CPageLayout::kMaxColumnsRows * CPageLayout::kMaxColumnsRows)
        std::abort();
    for (int cell = 0; cell < cells; ++cell) {
        layout.GetCellRect(cell);
        layout.GetCellTextRect(cell);
        layout.GetCellTextRectF(cell);
    }
    QImage image(48, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const CPagePlan plan({g_cards[0], g_cards[1], g_cards[2]}, cells);
    const LabelFonts fonts{QFont(QStringLiteral("DejaVu Sans"), 9),
                           QFont(QStringLiteral("IPAGothic"), 9)};
    const auto unfit =
        CLabelPainter(layout, fonts).DrawPage(painter, PxPerMm{0.2, 0.2}, plan, 0, true);
    if (unfit.size() > 3)
        std::abort();
    return 0;
}
