#pragma once
// A small picture of a label sheet: the printed page scaled to fit, its cells
// outlined and the text area of each cell shaded.

#include "print/PageLayout.h"

#include <QWidget>

#include <optional>

class CSheetPreview : public QWidget {
public:
    explicit CSheetPreview(QWidget* parent = nullptr);

    // Nothing shows without a layout, or for one out of range.
    void SetLayout(const std::optional<CPageLayout>& layout);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<CPageLayout> m_layout;
};
