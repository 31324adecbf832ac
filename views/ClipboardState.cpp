#include "views/ClipboardState.h"

#include "transfer/CardClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

CClipboardState::CClipboardState(QObject* parent) : QObject(parent) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        Read();
        emit changed();
    });
    Read();
}

void CClipboardState::Read() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    m_bCards = data && data->hasFormat(QString::fromLatin1(kCardsMimeName));
    m_bText = data && data->hasText();
}
