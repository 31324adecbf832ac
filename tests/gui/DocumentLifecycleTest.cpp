#include <QTest>
class DocumentLifecycleTest : public QObject {
    Q_OBJECT
};
QTEST_MAIN(DocumentLifecycleTest)
#include "DocumentLifecycleTest.moc"
