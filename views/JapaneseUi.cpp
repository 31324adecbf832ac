#include "views/JapaneseUi.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

void SetUpJapaneseUi(QApplication& app) {
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}) {
        if (families.contains(family)) {
            QFont font(family);
            font.setPointSizeF(QApplication::font().pointSizeF());
            QApplication::setFont(font);
            break;
        }
    }
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}
