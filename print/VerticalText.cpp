#include "print/VerticalText.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStepPoints = 0.5;
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr char16_t kLongMark = u'ー';
constexpr char16_t kIdeographicSpace = u'\u3000';

bool IsHyphen(char32_t c) {
    switch (c) {
    case u'-':
    case u'\uFF0D':
    case u'\u2010':
    case u'\u2011':
    case u'\u2012':
    case u'\u2013':
    case u'\u2014':
    case u'\u2015':
    case u'\u2212':
    case u'ー':
    case u'\uFF70':
        return true;
    default:
        return false;
    }
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Characters set a quarter turn: their vertical forms are the same glyphs turned.
bool IsRotated(char32_t c) {
    static const QString rotated =
        QString::fromUtf8("ー〜～－‐―—−…‥（）「」『』【】〔〕［］｛｝〈〉《》＜＞＝：；｜＿→←");
    return c < 0x10000 && rotated.contains(QChar(static_cast<char16_t>(c)));
}

bool IsSmallKana(char32_t c) {
    static const QString small =
        QString::fromUtf8("ぁぃぅぇぉっゃゅょゎゕゖァィゥェォッャュョヮヵヶ");
    return c < 0x10000 && small.contains(QChar(static_cast<char16_t>(c)));
}

// Cells a line is not broken before.
bool IsLineStartForbidden(const VerticalCell& cell) {
    static const QString closing = QString::fromUtf8("ー）」』】〕〉》");
    return cell.kind == VerticalCell::Small || cell.kind == VerticalCell::Comma ||
           (cell.text.size() == 1 && closing.contains(cell.text.front()));
}

QString DigitByDigit(QStringView digits) {
    static const char16_t kanji[] = u"〇一二三四五六七八九";
    QString out;
    for (QChar d : digits)
        out += QChar(kanji[d.unicode() - u'0']);
    return out;
}

// 12 → 十二, 101 → 百一, 2000 → 二千; longer numbers or those with a leading
// zero digit by digit.
QString Positional(QStringView digits) {
    if (digits.size() > 4 || (digits.size() > 1 && digits.front() == u'0'))
        return DigitByDigit(digits);
    static const char16_t units[] = u"千百十";
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int d = digits[i].unicode() - u'0';
        const qsizetype power = digits.size() - 1 - i;
        if (power == 0) {
            if (d != 0 || digits.size() == 1)
                out += DigitByDigit(digits.mid(i, 1));
        } else if (d != 0) {
            if (d != 1)
                out += DigitByDigit(digits.mid(i, 1));
            out += QChar(units[3 - power]);
        }
    }
    return out;
}

// Half-width katakana full width (voiced marks joined), full-width digits half
// width, so that numbers are found in one form.
QString Normalize(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) {
            qsizetype j = i;
            while (j < text.size() && text[j].unicode() >= 0xFF61 && text[j].unicode() <= 0xFF9F)
                ++j;
            out += text.mid(i, j - i).normalized(QString::NormalizationForm_KC);
            i = j;
            continue;
        }
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            out += QChar(c.unicode() - 0xFF10 + u'0');
        else
            out += c;
        ++i;
    }
    return out;
}

struct Converted {
    QString text;
    std::vector<bool> number; // per UTF-16 unit
};

void Append(Converted& out, const QString& text, bool number) {
    out.text += text;
    out.number.insert(out.number.end(), static_cast<size_t>(text.size()), number);
}

Converted Convert(const QString& input, NumeralStyle style) {
    const QString s = Normalize(input);
    const bool chome = style == NumeralStyle::KanjiChome && s.contains(QStringLiteral("丁目"));
    const auto numeral = [&](QStringView digits) {
        switch (style) {
        case NumeralStyle::TateChuYoko:
            return digits.toString();
        case NumeralStyle::KanjiChome:
            return chome ? Positional(digits) : DigitByDigit(digits);
        case NumeralStyle::Kanji:
            break;
        }
        return DigitByDigit(digits);
    };
    // After 丁目 the numbers of a chain N-N become N番N号.
    bool afterChome = false;
    int chainIndex = 0;
    Converted out;
    for (qsizetype i = 0; i < s.size();) {
        const QChar c = s[i];
        if (IsDigit(c)) {
            qsizetype j = i;
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            Append(out, numeral(QStringView(s).mid(i, j - i)), true);
            const bool hyphenNext =
                j + 1 < s.size() && IsHyphen(s[j].unicode()) && IsDigit(s[j + 1]);
            if (chome && afterChome && chainIndex < 2) {
                if (chainIndex == 0 && hyphenNext) {
                    Append(out, QStringLiteral("番"), true);
                    ++j;
                } else if (chainIndex == 1) {
                    const QChar next = j < s.size() ? s[j] : QChar();
                    if (next != u'号' && next != u'番')
                        Append(out, QStringLiteral("号"), true);
                }
                ++chainIndex;
            }
            // Suffixes of the number stay with it.
            for (const QString& suffix :
                 {QStringLiteral("丁目"), QStringLiteral("番地"), QStringLiteral("番"),
                  QStringLiteral("号"), QStringLiteral("の")}) {
                if (QStringView(s).mid(j).startsWith(suffix)) {
                    Append(out, suffix, true);
                    j += suffix.size();
                    if (suffix == QStringLiteral("丁目")) {
                        afterChome = true;
                        chainIndex = 0;
                    }
                    break;
                }
            }
            i = j;
            continue;
        }
        if (IsHyphen(c.unicode()) &&
            ((i > 0 && IsDigit(s[i - 1])) || (i + 1 < s.size() && IsDigit(s[i + 1])) ||
             (!out.number.empty() && out.number.back()))) {
            Append(out, QString(QChar(kLongMark)), i + 1 < s.size() && IsDigit(s[i + 1]));
            ++i;
            continue;
        }
        if (c == u' ')
            Append(out, QString(QChar(kIdeographicSpace)), false);
        else if (c.unicode() > 0x20 && c.unicode() < 0x7F)
            Append(out, QString(QChar(c.unicode() + 0xFEE0)), false);
        else
            Append(out, QString(c), false);
        ++i;
    }
    return out;
}

} // namespace

QString VerticalNumerals(const QString& text, NumeralStyle style) {
    return Convert(text, style).text;
}

VerticalLine VerticalCells(const QString& line, NumeralStyle style) {
    const Converted converted = Convert(line, style);
    const QString& s = converted.text;
    VerticalLine cells;
    for (qsizetype i = 0; i < s.size();) {
        const bool number = converted.number[static_cast<size_t>(i)];
        if (IsDigit(s[i])) {
            qsizetype j = i;
            while (j < s.size() && IsDigit(s[j]))
                ++j;
            // Groups of two from the start; a lone digit stands upright full width.
            for (qsizetype k = i; k < j; k += 2) {
                if (j - k == 1)
                    cells.push_back(
                        {QString(QChar(s[k].unicode() + 0xFEE0)), VerticalCell::Upright, number});
                else
                    cells.push_back({s.mid(k, 2), VerticalCell::Group, number});
            }
            i = j;
            continue;
        }
        const qsizetype length = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
        const char32_t c = QStringView(s).mid(i, length).toUcs4().value(0);
        VerticalCell::Kind kind = VerticalCell::Upright;
        if (IsRotated(c))
            kind = VerticalCell::Rotated;
        else if (IsSmallKana(c))
            kind = VerticalCell::Small;
        else if (c == u'、' || c == u'。' || c == u'，' || c == u'．')
            kind = VerticalCell::Comma;
        cells.push_back({s.mid(i, length), kind, number});
        i += length;
    }
    return cells;
}

std::vector<VerticalLine> BreakVerticalLine(const VerticalLine& line, int capacity) {
    const auto blank = [&](size_t i) { return line[i].text == QString(QChar(kIdeographicSpace)); };
    const auto allowed = [&](size_t i) {
        return !(line[i - 1].number && line[i].number) && !IsLineStartForbidden(line[i]);
    };
    // Before a building name: after a house number, or at a blank.
    const auto preferred = [&](size_t i) {
        return (line[i - 1].number && !line[i].number) || blank(i) || blank(i - 1);
    };
    // Else after a prefecture, city or ward, before the town's name.
    const auto afterDivision = [&](size_t i) {
        static const QString divisions = QString::fromUtf8("都道府県市区郡");
        return line[i - 1].text.size() == 1 && divisions.contains(line[i - 1].text.front()) &&
               !line[i].number;
    };
    std::vector<VerticalLine> lines;
    size_t start = 0;
    const size_t n = line.size();
    const size_t room = static_cast<size_t>(std::max(capacity, 1));
    while (start < n) {
        size_t end = n;
        if (n - start > room) {
            size_t best = 0;
            size_t division = 0;
            size_t fallback = 0;
            for (size_t i = start + 1; i <= start + room && i < n; ++i) {
                if (!allowed(i))
                    continue;
                fallback = i;
                if (preferred(i))
                    best = i;
                else if (afterDivision(i))
                    division = i;
            }
            if (!best)
                best = division ? division : fallback;
            for (size_t i = start + room + 1; !best && i < n; ++i)
                if (allowed(i))
                    best = i;
            if (best)
                end = best;
        }
        size_t last = end;
        while (last > start && blank(last - 1))
            --last;
        lines.emplace_back(line.begin() + static_cast<std::ptrdiff_t>(start),
                           line.begin() + static_cast<std::ptrdiff_t>(last));
        start = end;
        while (start < n && blank(start))
            ++start;
    }
    return lines;
}

VerticalBlock LayOutVertical(const QStringList& lines, NumeralStyle style, double points,
                             double minPoints, double widthMm, double heightMm, double lineSpacing,
                             int maxLines) {
    if (!(widthMm > 0) || !(heightMm > 0) || !(points > 0))
        return {};
    std::vector<VerticalLine> source;
    for (const QString& line : lines) {
        VerticalLine cells = VerticalCells(line.trimmed(), style);
        if (!cells.empty())
            source.push_back(std::move(cells));
    }
    const double smallest = std::min(minPoints, points);
    VerticalBlock block;
    for (int k = 0;; ++k) {
        const double size = std::max(points - k * kStepPoints, smallest);
        block = VerticalBlock{};
        block.points = size;
        block.cellMm = size * kMmPerPoint;
        block.linePitchMm = block.cellMm * lineSpacing;
        const int capacity = static_cast<int>(std::floor(heightMm / block.cellMm + 1e-9));
        bool fits = capacity > 0;
        for (const VerticalLine& line : source) {
            for (VerticalLine& broken : BreakVerticalLine(line, capacity)) {
                fits = fits && static_cast<int>(broken.size()) <= capacity;
                block.lines.push_back(std::move(broken));
            }
        }
        const double across =
            block.lines.empty()
                ? 0
                : block.cellMm + block.linePitchMm * static_cast<double>(block.lines.size() - 1);
        block.fits = fits && across <= widthMm + 1e-9 &&
                     (maxLines <= 0 || block.lines.size() <= static_cast<size_t>(maxLines));
        if (block.fits || size <= smallest)
            return block;
    }
}

QString UndrawableCharacters(const QString& text, const QFont& font) {
    QStringList families = font.families();
    if (!font.family().isEmpty() && !families.contains(font.family()))
        families.prepend(font.family());
    const QString key = families.join(QLatin1Char('\n')) + QLatin1Char('\n');
    // What each face list draws, found once a character: asking the fonts is slow.
    static QHash<QString, bool> known;
    std::vector<QFontMetricsF> metrics;
    bool haveMetrics = false;
    QString missing;
    for (const char32_t c : text.toUcs4()) {
        if (c <= 0x20 || c == kIdeographicSpace || c == QChar::LineSeparator)
            continue;
        const QString ch = QString::fromUcs4(&c, 1);
        auto it = known.find(key + ch);
        if (it == known.end()) {
            if (!haveMetrics) {
                for (const QString& family : families)
                    if (QFontDatabase::hasFamily(family))
                        metrics.emplace_back(QFont(family));
                haveMetrics = true;
            }
            const bool drawable =
                c != QChar::ReplacementCharacter &&
                std::any_of(metrics.begin(), metrics.end(),
                            [c](const QFontMetricsF& m) { return m.inFontUcs4(c); });
            it = known.insert(key + ch, drawable);
        }
        if (!*it && !missing.contains(ch))
            missing += ch;
    }
    return missing;
}
