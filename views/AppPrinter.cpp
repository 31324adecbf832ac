#include "views/AppPrinter.h"

#include <QCoreApplication>
#include <QPrinter>

namespace {

QPrinter* g_pPrinter = nullptr;

// The printer goes with the application object, while the printing system it
// talks to is still there.
void FreePrinter() {
    delete g_pPrinter;
    g_pPrinter = nullptr;
}

} // namespace

QPrinter& AfxGetAppPrinter() {
    if (!g_pPrinter) {
        g_pPrinter = new QPrinter(QPrinter::HighResolution);
        qAddPostRoutine(FreePrinter);
    }
    return *g_pPrinter;
}
