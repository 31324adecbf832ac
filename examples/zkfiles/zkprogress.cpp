// zkprogress: counts to N in ZkLib's progress window, then prints "done".
//   zkprogress N
// Runs without a display with QT_QPA_PLATFORM=offscreen.

#include <zklib/dialogs/ZkProgressDlg.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc == 2 ? std::atoi(argv[1]) : -1;
    if (count < 0) {
        std::fputs("usage: zkprogress N\n", stderr);
        return 2;
    }
    CZkProgressDlg progress;
    progress.SetText("Counting to %d", count);
    progress.SetRange(0, count);
    progress.Create();
    for (int i = 0; i < count; ++i) {
        progress.StepIt();
        if (!progress.PeekAndPump() || progress.IsAborted())
            return 1;
    }
    if (progress.GetPos() != count)
        return 1;
    progress.Destroy();
    std::puts("done");
    return 0;
}
