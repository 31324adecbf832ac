#pragma once
// A small picture of a label sheet (print/SheetPainter) on the window's
// background. A layout that cannot be drawn shows the background only.

#include "print/PageLayout.h"

#include <QWidget>

#include <optional>

class CSheetPreview : public QWidget {
public:
    explicit CSheetPreview(QWidget* parent = nullptr);

    void SetLayout(const std::optional<CPageLayout>& layout);
    const std::optional<CPageLayout>& Layout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<CPageLayout> m_layout;
};
