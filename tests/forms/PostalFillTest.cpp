// The Japanese form fills the address from the postal code: an empty address
// at once, a typed one only when asked and undoably, several rows by choice,
// unknown codes with a hint and no message box.

#include "FormsTestSupport.h"
#include "model/PostalCodeTable.h"
#include "views/forms/AddrCardJaView.h"

#include <QInputDialog>
#include <QToolButton>
#include <QtTest>

#include <filesystem>
#include <fstream>

namespace {

std::string FixtureTable() {
    const auto path = std::filesystem::temp_directory_path() / "kolvane_form_postal.tsv";
    std::ofstream(path, std::ios::binary) << "#source\ttest\t2025-09-30\n"
                                             "1000001\t東京都\t千代田区\t千代田\n"
                                             "1008111\t東京都\t千代田区\t千代田\t１－１\t宮内庁\n"
                                             "4980000\t愛知県\t弥富市\t\n"
                                             "4980000\t三重県\t桑名郡木曽岬町\t\n";
    return path.string();
}

// Types code into the postal code and leaves it with Tab.
void EnterCode(FormFixture& f, const char* code) {
    QLineEdit* zip = f.Line("zipEdit");
    zip->setFocus();
    zip->selectAll();
    TypeText(zip, Q(code));
    QTest::keyClick(zip, Qt::Key_Tab);
}

} // namespace

class PostalFillTest : public QObject {
    Q_OBJECT
private slots:
    void fillsAnEmptyAddressAndNeverATypedOne() {
        CPostalCodeTable table(FixtureTable());
        FormFixture f(NOTATION_JAPANESE);
        auto* form = static_cast<CAddrCardJaView*>(f.form.get());
        form->SetPostalTable(&table);
        f.Show(nullptr);
        QPlainTextEdit* address = f.Box("addressEdit");
        QLineEdit* company = f.Line("companyEdit");

        EnterCode(f, "１００－０００１");
        QCOMPARE(address->toPlainText(), Q("東京都千代田区千代田"));
        address->undo();
        QCOMPARE(address->toPlainText(), QString());

        // A large office's block, and its name for the empty company.
        EnterCode(f, "1008111");
        QCOMPARE(address->toPlainText(), Q("東京都千代田区千代田１－１"));
        QCOMPARE(company->text(), Q("宮内庁"));

        // A typed address stays; the code offers its address in a hint and
        // the search button takes it, undoably.
        address->setPlainText(Q("大阪府大阪市北区梅田"));
        EnterCode(f, "100-0001");
        QCOMPARE(address->toPlainText(), Q("大阪府大阪市北区梅田"));
        QCOMPARE(f.Line("zipEdit")->toolTip(),
                 Q("住所検索で住所を「東京都千代田区千代田」に置き換えられます。"));
        QTest::mouseClick(form->AddressSearchButton(), Qt::LeftButton);
        QCOMPARE(address->toPlainText(), Q("東京都千代田区千代田"));
        address->undo();
        QCOMPARE(address->toPlainText(), Q("大阪府大阪市北区梅田"));

        // Unknown: nothing filled, a hint and no message box.
        address->clear();
        EnterCode(f, "1234567");
        QCOMPARE(address->toPlainText(), QString());
        QCOMPARE(f.Line("zipEdit")->toolTip(), Q("郵便番号 1234567 の住所は見つかりません。"));

        // Several rows: the user chooses one.
        WhenDialogOpens<QInputDialog>([](QInputDialog* dlg) {
            QCOMPARE(dlg->comboBoxItems(),
                     QStringList({Q("愛知県弥富市"), Q("三重県桑名郡木曽岬町")}));
            dlg->setTextValue(Q("三重県桑名郡木曽岬町"));
            dlg->accept();
        });
        EnterCode(f, "4980000");
        QCOMPARE(address->toPlainText(), Q("三重県桑名郡木曽岬町"));
        QVERIFY(f.user.ui.Problems().empty());
        SaveScreenshot(form, QStringLiteral("form-postal-ja"));
    }

    void englishFormHasNoAddressSearch() {
        FormFixture f(NOTATION_ENGLISH);
        QVERIFY(!f.form->findChild<QToolButton*>(QStringLiteral("addressSearch")));
    }
};

KOLVANE_FORMS_TEST(PostalFillTest);
#include "PostalFillTest.moc"
