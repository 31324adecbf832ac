// Draws arbitrary layouts as the sheet picture of page setup and the layout
// editor: two bytes choose the size of a small image, the rest are the 13
// fields of a layout body (any floats, NaN and infinities included, any
// counts). No crash, no undefined behaviour; a layout that is not valid draws
// nothing.

#include "print/SheetPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

template <class T> T Take(const uint8_t*& data, size_t& size) {
    T value{};
    const size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int width = Take<uint8_t>(data, size) % 64;
    const int height = Take<uint8_t>(data, size) % 64;
    CPageLayout layout;
    layout.m_nOrientation = Take<int32_t>(data, size);
    Length* const lengths[] = {&layout.m_lenPageWidth,      &layout.m_lenPageHeight,
                               &layout.m_lenPageMarginTop,  &layout.m_lenPageMarginBottom,
                               &layout.m_lenPageMarginLeft, &layout.m_lenPageMarginRight};
    for (Length* length : lengths)
        *length = Length::fromMm(Take<float>(data, size));
    layout.m_nColumns = Take<int32_t>(data, size);
    layout.m_nRows = Take<int32_t>(data, size);
    for (Length* length : {&layout.m_lenCellMarginTop, &layout.m_lenCellMarginBottom,
                           &layout.m_lenCellMarginLeft, &layout.m_lenCellMarginRight})
        *length = Length::fromMm(Take<float>(data, size));

    QImage image(width + 1, height + 1, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter painter(&image);
    const bool drawn = PaintSheet(painter, image.rect().adjusted(1, 1, -1, -1), layout);
    if (drawn && !layout.IsValid())
        std::abort();
    return 0;
}
