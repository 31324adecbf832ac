// postcards: the cards list selects, addressed vertically on postcards or
// envelopes, to PDF.

#include "CliCommands.h"
#include "CliMessages.h"
#include "LayoutLookup.h"
#include "ListSelection.h"

#include "model/AddrBookFile.h"
#include "platform/CodePage.h"
#include "platform/QtSettingsStore.h"
#include "platform/QtText.h"
#include "print/PostcardPdf.h"
#include "print/PrintFonts.h"

#include <QGuiApplication>

#include <algorithm>

namespace {

std::string CardName(const CAddrCard& card) {
    std::string name = cp932::ToUtf8Lossy(card.m_strName.view());
    if (name.empty())
        name = cp932::ToUtf8Lossy(card.m_strCompany.view());
    return name.empty() ? Tr("(no name)", "(名前なし)") : name;
}

// The card whose name is name, blanks aside.
const CAddrCard* FindCardByName(const CAddrBook& book, const CString& name) {
    const QString wanted = qtext::FromSjis(name).simplified().remove(QLatin1Char(' '));
    for (const auto& card : book.Cards())
        if (!wanted.isEmpty() &&
            qtext::FromSjis(card->m_strName).simplified().remove(QLatin1Char(' ')) == wanted)
            return card.get();
    return nullptr;
}

void ReportProblems(const std::vector<PostcardProblem>& problems) {
    for (const PostcardProblem& p : problems) {
        const std::string name = CardName(*p.card);
        if (p.report.badZip)
            PrintError(Format(Tr("%1: the postal code \"%2\" is not 7 digits; its boxes are "
                                 "left empty",
                                 "%1: 郵便番号 \"%2\" が 7 桁でないため、枠は空けてあります"),
                              {name, cp932::ToUtf8Lossy(p.card->m_strZip.view())}));
        if (!p.report.undrawable.isEmpty())
            PrintError(Format(Tr("%1: the font cannot draw \"%2\"",
                                 "%1: \"%2\" はﾌｫﾝﾄにない文字のため印刷できません"),
                              {name, p.report.undrawable.toStdString()}));
        if (!p.report.fits)
            PrintError(Format(Tr("%1: the text does not fit even in the smallest type; a part "
                                 "of it runs outside its place",
                                 "%1: 最小の文字でも収まらないため、文字の一部がはみ出します"),
                              {name}));
        if (p.report.badSenderZip)
            PrintError(Tr("the sender's postal code is not 7 digits; its boxes are left empty",
                          "差出人の郵便番号が 7 桁でないため、枠は空けてあります"));
    }
}

} // namespace

int RunPostcards(const Args& args) {
    const QString value = QStringLiteral("value");
    const QCommandLineOption layoutOption(QStringLiteral("layout"), QString(), value);
    const QCommandLineOption outOption(QStringLiteral("out"), QString(), value);
    const QCommandLineOption senderOption(QStringLiteral("sender"), QString(), value);
    const QCommandLineOption numeralsOption(QStringLiteral("numerals"), QString(), value);
    const QCommandLineOption guidesOption(QStringLiteral("guides"));
    const QCommandLineOption barcodeOption(QStringLiteral("barcode"));
    const QCommandLineOption noBarcodeOption(QStringLiteral("no-barcode"));
    const QCommandLineOption offsetOption(QStringLiteral("offset"), QString(), value);
    QList<QCommandLineOption> specs = ListOptionSpecs();
    specs << layoutOption << outOption << senderOption << numeralsOption << guidesOption
          << offsetOption << barcodeOption << noBarcodeOption;
    QCommandLineParser parser;
    if (const auto stop = ParseCommand("postcards", args, specs, parser))
        return *stop;
    ListOptions options;
    if (const int status = ReadListOptions("postcards", parser, options); status != EXIT_OK)
        return status;
    const std::string layoutGiven = Bytes(parser.value(layoutOption));
    const std::string out = Bytes(parser.value(outOption));
    if (layoutGiven.empty())
        return UsageError("postcards", Tr("no postcard layout given (--layout NAME or FILE.KVP)",
                                          "はがきﾚｲｱｳﾄがありません (--layout 名前 か ﾌｧｲﾙ.KVP)"));
    if (out.empty() || IsStdStream(out))
        return UsageError("postcards", Tr("no output file given (--out FILE.pdf)",
                                          "出力ﾌｧｲﾙがありません (--out ﾌｧｲﾙ.pdf)"));

    CQtSettingsStore store;
    AfxSetProfile(&store);
    PostcardSettings settings;
    settings.LoadFromProfile();
    CPrintFonts fonts;
    fonts.LoadFromProfile();
    fonts.SetMissingToDefaults(kDefaultFontDpi);
    AfxSetProfile(nullptr);

    if (parser.isSet(numeralsOption)) {
        const QString numerals = parser.value(numeralsOption);
        if (numerals == QStringLiteral("kanji"))
            settings.numerals = NumeralStyle::Kanji;
        else if (numerals == QStringLiteral("chome"))
            settings.numerals = NumeralStyle::KanjiChome;
        else if (numerals == QStringLiteral("tate-chu-yoko"))
            settings.numerals = NumeralStyle::TateChuYoko;
        else
            return UsageError("postcards",
                              Tr("--numerals takes kanji, chome or tate-chu-yoko",
                                 "--numerals には kanji, chome, tate-chu-yoko のどれかを指定して"
                                 "ください"));
    }
    PrintOffset offset;
    if (parser.isSet(offsetOption)) {
        const auto given = ParsePrintOffset(Bytes(parser.value(offsetOption)));
        if (!given)
            return UsageError(
                "postcards", Tr("--offset takes X,Y in millimetres, each from -20 to 20",
                                "--offset には 横,縦 を -20 から 20 までの mm で指定してください"));
        offset = *given;
    }
    if (parser.isSet(barcodeOption) && parser.isSet(noBarcodeOption))
        return UsageError("postcards", Tr("--barcode and --no-barcode cannot be given together",
                                          "--barcode と --no-barcode は同時に指定できません"));
    if (parser.isSet(barcodeOption) || parser.isSet(noBarcodeOption))
        settings.barcode = settings.envelopeBarcode = parser.isSet(barcodeOption);
    const bool senderGiven = parser.isSet(senderOption);
    if (senderGiven && !cp932::FromUtf8(Bytes(parser.value(senderOption)), settings.sender))
        return UsageError("postcards", Tr("the sender's name holds a character code page 932 "
                                          "cannot hold",
                                          "差出人の名前にｺｰﾄﾞﾍﾟｰｼﾞ 932 にない文字があります"));

    CAddrBook book;
    if (const int status = ReportFileError(LoadAddrBook(options.path.c_str(), book));
        status != EXIT_OK)
        return status;
    CPostcardLayout layout;
    std::string layoutPath;
    if (const int status = LoadNamedLayout("postcards", {"postcard layout", "はがきﾚｲｱｳﾄ"},
                                           layoutGiven, layout, layoutPath);
        status != EXIT_OK)
        return status;
    if (const int status = RefuseInputAsOutput(out, {options.path, layoutPath}); status != EXIT_OK)
        return status;
    std::vector<PostcardSize> sizes;
    const CString sizesPath = PostcardSizesPath();
    if (const int status = ReportFileError(ReadPostcardSizes(sizesPath, sizes)); status != EXIT_OK)
        return status;
    const PostcardSize* found = FindPostcardSize(sizes, layout.m_strSize.view());
    if (!found) {
        PrintError(Format(Tr("%1: the size \"%2\" of the layout is not in %3 or is damaged there",
                             "%1: ﾚｲｱｳﾄの大きさ \"%2\" が %3 にないか、値が正しくありません"),
                          {layoutPath, layout.m_strSize.str(), sizesPath.str()}));
        return EXIT_FILE_ERROR;
    }
    PostcardSize size = *found;
    AfxSetProfile(&store);
    size.Nudge(LoadPostalBoxNudge(size.key.c_str()));
    AfxSetProfile(nullptr);

    PostcardOptions postcard;
    postcard.numerals = settings.numerals;
    postcard.barcode = WantsBarcode(size, settings.barcode, settings.envelopeBarcode);
    postcard.face = MakePostcardFont(settings.face);
    postcard.english = MakeLabelFonts(fonts, kDefaultFontDpi).english;
    // Western addresses on a card read at a postcard's distance, not a label's.
    postcard.english.setPointSizeF(std::max(postcard.english.pointSizeF(), 12.0));
    if (!settings.sender.IsEmpty()) {
        postcard.sender = FindCardByName(book, settings.sender);
        if (!postcard.sender) {
            const std::string problem =
                Format(Tr("no card of the book is named \"%1\" to be the sender",
                          "差出人の \"%1\" という名前のｶｰﾄﾞがありません"),
                       {cp932::ToUtf8Lossy(settings.sender.view())});
            if (senderGiven)
                return UsageError("postcards", problem);
            PrintError(problem + Tr("; the sender is left blank", "。差出人は空けます"));
        }
    }

    std::vector<const CAddrCard*> cards;
    int skipped = 0;
    for (const CAddrCard* card : SelectCards(book, options)) {
        if (HasPostcardText(*card))
            cards.push_back(card);
        else
            ++skipped;
    }
    if (skipped > 0)
        PrintError(Format(Tr("%1 cards have no address or no name and get no postcard",
                             "住所か名前のないｶｰﾄﾞ %1 枚は印刷しません"),
                          {std::to_string(skipped)}));
    if (cards.empty()) {
        PrintError(Format(Tr("postcards: no card to print; %1 was not written",
                             "postcards: 印刷するｶｰﾄﾞがありません。%1 は書き込んでいません。"),
                          {out}));
        return EXIT_NOTHING_TO_PRINT;
    }
    const CPostcardPainter painter(layout, size, postcard, offset);
    std::vector<PostcardProblem> problems;
    std::optional<CFileError> error;
    if (!WritePostcardsPdf(WriteTarget(out).c_str(), cards, painter, parser.isSet(guidesOption),
                           &problems, &error))
        return error ? ReportFileError(error) : EXIT_FILE_ERROR;
    ReportProblems(problems);
    return EXIT_OK;
}
