#include "app/AppPrinter.h"

#include <QPrinter>

QPrinter& AfxGetAppPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
