// The card list and the program with a 100,000-card book: refilling the list
// for a search text (model reset and sort, then painting), copying and pasting
// 10,000 cards, and opening the book
// until the list is first painted; the import dialog opening on the
// 100,000-record CSV file with every row selected.

#include "CsvBenchFile.h"
#include "ModelBenchBook.h"

#include "app/KolvaneApp.h"
#include "doc/KolvaneDoc.h"
#include "model/AddrBookFile.h"
#include "model/ListFilters.h"
#include "platform/CodePage.h"
#include "platform/MemorySettingsStore.h"
#include "platform/SettingsStore.h"
#include "views/AddrListView.h"
#include "views/MainFrame.h"
#include "views/dialogs/ImportDlg.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kCards = 100000;

CString Sjis(const char* utf8) {
    CString out;
    cp932::FromUtf8(utf8, out);
    return out;
}

// The card list over a 100,000-card book, shown, with settings of its own.
struct BenchList {
    struct ProfileInstalled {
        explicit ProfileInstalled(ISettingsStore* store) { AfxSetProfile(store); }
        ~ProfileInstalled() { AfxSetProfile(nullptr); }
    };

    BenchList() {
        MakeBenchBook(doc.GetBook(), kCards);
        list.resize(800, 600);
        list.show();
    }

    CMemorySettingsStore settings;
    ProfileInstalled installed{&settings};
    CKolvaneDoc doc;
    CAddrListView list{doc};
};

// Each iteration types a search text into an empty box, as a user starts a
// search: every card is tested, the matches sorted and the list repainted.
void BM_ListRebuildForSearch(benchmark::State& state, const char* text) {
    BenchList bench;
    CAddrListView& list = bench.list;
    const CString search = Sjis(text);
    for (auto _ : state) {
        state.PauseTiming();
        list.SetSearchText("");
        list.SetFilter(FILTER_ALL);
        list.RebuildList();
        QApplication::processEvents();
        state.ResumeTiming();
        list.SetSearchText(search);
        list.SetFilter(FILTER_SEARCH);
        list.RebuildList();
        list.viewport()->repaint();
    }
    state.counters["listed"] = list.GetRowCount();
}
BENCHMARK_CAPTURE(BM_ListRebuildForSearch, kanji, "山")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListRebuildForSearch, kana, "た")->Unit(benchmark::kMillisecond);

// Clearing the search box lists and sorts every card of the book.
void BM_ListRebuildAllCards(benchmark::State& state) {
    BenchList bench;
    CAddrListView& list = bench.list;
    for (auto _ : state) {
        list.SetSearchText("");
        list.SetFilter(FILTER_ALL);
        list.RebuildList();
        list.viewport()->repaint();
    }
    state.counters["listed"] = list.GetRowCount();
}
BENCHMARK(BM_ListRebuildAllCards)->Unit(benchmark::kMillisecond);

// A click on a column header sorts every row of the list anew.
void BM_SortByColumnClick(benchmark::State& state) {
    BenchList bench;
    CAddrListView& list = bench.list;
    list.RebuildList();
    int column = 0;
    for (auto _ : state) {
        column = column == 0 ? 1 : 0;
        emit list.header()->sectionClicked(column);
        list.viewport()->repaint();
    }
}
BENCHMARK(BM_SortByColumnClick)->Unit(benchmark::kMillisecond);

// Copying 10,000 selected rows: both clipboard blocks and the copy text, handed
// to the clipboard; then pasting them into the book: read, appended at once,
// rows for them with one sort, selected, painted.
void SelectFirstRows(CAddrListView& list, int rows) {
    list.RebuildList();
    list.selectionModel()->select(
        QItemSelection(list.model()->index(0, 0), list.model()->index(rows - 1, 2)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void BM_CopyCards(benchmark::State& state) {
    BenchList bench;
    SelectFirstRows(bench.list, 10000);
    for (auto _ : state)
        if (!bench.list.OnEditCopy())
            state.SkipWithError("the clipboard did not take the cards");
}
BENCHMARK(BM_CopyCards)->Unit(benchmark::kMillisecond);

void BM_PasteCards(benchmark::State& state) {
    BenchList bench;
    CAddrListView& list = bench.list;
    SelectFirstRows(list, 10000);
    list.OnEditCopy();
    for (auto _ : state) {
        list.OnEditPaste();
        list.viewport()->repaint();
        state.PauseTiming();
        if (list.GetSelectedCount() != 10000)
            state.SkipWithError("the pasted cards are not selected");
        list.DeleteSelected();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteCards)->Unit(benchmark::kMillisecond)->Iterations(5);

// The program starts on the book and paints its window with the list.
void BM_OpenBookToFirstPaint(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string path = QDir(dir.path()).filePath(QStringLiteral("big.kvd")).toStdString();
    {
        CAddrBook book;
        MakeBenchBook(book, kCards);
        book.m_methods.SetDefaults();
        SaveAddrBook(path.c_str(), book);
    }
    for (auto _ : state) {
        CMemorySettingsStore settings;
        AfxSetProfile(&settings);
        {
            CKolvaneApp::Options options;
            options.guardId = 0;
            CKolvaneApp app(options);
            if (!app.InitInstance({QString::fromStdString(path)}))
                state.SkipWithError("the book did not open");
            app.MainFrame().repaint();
            state.PauseTiming();
        }
        AfxSetProfile(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBookToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

// The dialog reads the file, fills its table, selects every importable row
// and is painted.
void BM_ImportDialogOpen(benchmark::State& state) {
    const std::string path = CsvBenchFile();
    if (path.empty()) {
        state.SkipWithError("no CSV file: set KOLVANE_CSV_BENCH_FILE or install python3");
        return;
    }
    CMemorySettingsStore settings;
    AfxSetProfile(&settings);
    CAddrBook book;
    book.m_methods.SetDefaults();
    QString selected;
    for (auto _ : state) {
        {
            CImportDlg dialog(path, book);
            dialog.show();
            dialog.repaint();
            QApplication::processEvents();
            selected = dialog.findChild<QLabel*>(QStringLiteral("selected"))->text();
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    AfxSetProfile(nullptr);
    state.counters["selected"] = selected.toDouble();
}
BENCHMARK(BM_ImportDialogOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
