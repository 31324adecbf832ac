// The layout editor's picture and refresh: the sheet picture of a layout of
// 100 x 100 cells painted by the preview widget at the editor's size, and one
// refresh of the editor (an orientation click: values read, shown anew, the
// paper looked up and the picture painted) with 1,000 papers in PAPERS.DEF. Each should stay well
// under a frame (16 ms).

#include "layouts/LayoutRoot.h"
#include "platform/RecordingUserInteraction.h"
#include "views/SheetPreview.h"
#include "views/dialogs/PageLayoutDlg.h"

#include <QApplication>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_SheetPreview100x100(benchmark::State& state) {
    CPageLayout layout;
    layout.m_lenPageWidth = Length::fromMm(210.0f);
    layout.m_lenPageHeight = Length::fromMm(297.0f);
    layout.m_nColumns = layout.m_nRows = 100;
    CSheetPreview preview;
    preview.resize(200, 280);
    preview.SetLayout(layout);
    for (auto _ : state)
        benchmark::DoNotOptimize(preview.grab());
}
BENCHMARK(BM_SheetPreview100x100)->Unit(benchmark::kMillisecond);

void BM_EditorRefresh1000Papers(benchmark::State& state) {
    QTemporaryDir dir;
    std::string papers;
    for (int i = 0; i < 1000; ++i)
        papers += "Paper " + std::to_string(i) + "," + std::to_string(100 + i % 500) + ".5," +
                  std::to_string(150 + i) + "\r\n";
    QFile file(dir.filePath(QStringLiteral("PAPERS.DEF")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(papers.data(), static_cast<qint64>(papers.size())) < 0) {
        state.SkipWithError("cannot write PAPERS.DEF");
        return;
    }
    file.close();
    SetLayoutRoot(dir.path().toLocal8Bit().constData());
    CPageLayoutDlg editor{CPageLayout()};
    editor.show();
    auto* portrait = editor.findChild<QRadioButton*>(QStringLiteral("portrait"));
    auto* landscape = editor.findChild<QRadioButton*>(QStringLiteral("landscape"));
    bool turn = false;
    for (auto _ : state) {
        (turn ? portrait : landscape)->click();
        QApplication::processEvents(); // the picture painted anew
        turn = !turn;
    }
    SetLayoutRoot(nullptr);
}
BENCHMARK(BM_EditorRefresh1000Papers)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    RecordingUserInteraction quiet;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
