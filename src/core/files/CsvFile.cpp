// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvFile.h"

#include "text/NumberRule.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

#include <QCoreApplication>
#include <QStringView>

#include <algorithm>
#include <limits>
#include <optional>

namespace CsvFile {

const QString kHeader = QStringLiteral("Freq(KHz);Name(PS);PI-Code;BWidth;Stereo(Auto)");
const QString kHeaderPrefix = QStringLiteral("Freq(KHz)");

QString errorTitle()
{
    return QCoreApplication::translate("CsvFile", " ERROR");
}

QString notCompatible()
{
    return QCoreApplication::translate("CsvFile", "  CSV-File is not compatible!  ");
}

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// A text field as written: ";" would split the field on the next load.
QString textField(const QString &stored, int width)
{
    QString s = MemoryEntry::fixedWidth(stored, width);
    s.replace(QLatin1Char(';'), QLatin1Char(','));
    return s;
}

// A whole number with optional blanks around and an optional sign; a decimal
// part rounds half to even. Anything else, the empty field included, is not a
// number.
std::optional<qint64> wholeNumber(const QString &field)
{
    const QString t = TextUtil::trimBlanks(field);
    if (t.isEmpty())
        return std::nullopt;
    const QChar c = t.front();
    if (!(c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.')))
        return std::nullopt;
    const NumberRule::Parsed p = NumberRule::parse(t);
    if (!p.found || p.length != t.size())
        return std::nullopt;
    return NumberRule::roundHalfEven(p.value);
}

QString refusal(int fileLine, const QString &reason)
{
    return QCoreApplication::translate("CsvFile", "  Line %1: %2!  ").arg(fileLine).arg(reason);
}

// Reads one numeric field into [lo, hi]; on failure sets the message.
bool readField(const QString &field, qint64 lo, qint64 hi, const QString &what, int fileLine,
               qint64 &out, QString &message)
{
    const std::optional<qint64> v = wholeNumber(field);
    if (!v) {
        message = refusal(fileLine, QCoreApplication::translate("CsvFile", "%1 is not a number").arg(what));
        return false;
    }
    if (*v < lo || *v > hi) {
        message = refusal(fileLine, QCoreApplication::translate("CsvFile", "%1 out of range").arg(what));
        return false;
    }
    out = *v;
    return true;
}

// Sets e from the fields present in a data line; false with a message when a
// field is refused. Counts a name cut to the field's width.
bool readEntry(const QStringList &f, int fileLine, const Bands::Limits &limits, MemoryEntry &e,
               QString &message, int &namesCut)
{
    qint64 v = 0;
    if (!readField(f[0], std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                   QCoreApplication::translate("CsvFile", "frequency"), fileLine, v, message))
        return false;
    e.frequency = static_cast<qint32>(v);
    e.band = Bands::bandOf(e.frequency, limits);
    if (f.size() >= 2) {
        // Blanks past the width are the padding a save drops anyway.
        if (!TextUtil::trimBlanks(f[1].mid(MemoryEntry::kNameWidth)).isEmpty())
            ++namesCut;
        e.setName(f[1]);
    }
    if (f.size() >= 3)
        e.setPi(f[2]);
    if (f.size() >= 4) {
        if (!readField(f[3], 0, 255, QCoreApplication::translate("CsvFile", "bandwidth"), fileLine, v, message))
            return false;
        e.bandwidth = static_cast<quint8>(v);
    }
    if (f.size() >= 5) {
        if (!readField(f[4], 0, 255, QCoreApplication::translate("CsvFile", "stereo"), fileLine, v, message))
            return false;
        e.stereo = static_cast<quint8>(v);
    }
    return true;
}

// A pasted line's fields, none for an empty line. A spreadsheet separates its
// cells by tabs and quotes a cell that holds a quote ("A""B" is A"B); its row
// of empty cells is an empty line. Else the fields are the file's.
QStringList pastedFields(const QString &line)
{
    if (line.isEmpty())
        return {};
    if (!line.contains(QLatin1Char('\t')))
        return line.split(QLatin1Char(';'));
    QStringList cells = line.split(QLatin1Char('\t'));
    const QChar quote(QLatin1Char('"'));
    for (QString &c : cells) {
        if (c.size() >= 2 && c.startsWith(quote) && c.endsWith(quote))
            c = c.mid(1, c.size() - 2).replace(QStringLiteral("\"\""), QString(quote));
    }
    const bool blank = std::all_of(cells.cbegin(), cells.cend(),
                                   [](const QString &c) { return TextUtil::trimBlanks(c).isEmpty(); });
    return blank ? QStringList() : cells;
}

} // namespace

QStringList entryFields(const MemoryEntry &e)
{
    return {QString::number(e.frequency), TextUtil::trimBlanksRight(textField(e.name, MemoryEntry::kNameWidth)),
            TextUtil::trimBlanks(textField(e.pi, MemoryEntry::kPiWidth)), QString::number(e.bandwidth),
            QString::number(e.stereo)};
}

QString entryLine(const MemoryEntry &e)
{
    return entryFields(e).join(QLatin1Char(';'));
}

QString text(const MemoryTable &table)
{
    QString out = kHeader + kLineEnd;
    for (const MemoryEntry &e : table.entries())
        out += entryLine(e) + kLineEnd;
    return out;
}

QString channelLines(const QVector<MemoryEntry> &entries, bool withHeader)
{
    QString out = withHeader ? kHeader + kLineEnd : QString();
    for (const MemoryEntry &e : entries)
        out += entryLine(e) + kLineEnd;
    return out;
}

QString channelTable(const QVector<MemoryEntry> &entries, bool withHeader)
{
    // Spreadsheets read a name or PI of digits as a number ("0000" as 0):
    // these cells are marked as text, for Excel and for LibreOffice alike.
    const QString textCell = QStringLiteral("<td style=\"mso-number-format:'\\@'\" sdnum=\"1033;0;@\">");
    const auto row = [&textCell](const QStringList &cells, bool header) {
        QString out = QStringLiteral("<tr>");
        for (int i = 0; i < cells.size(); ++i) {
            const QString open = header ? QStringLiteral("<th>") : (i == 1 || i == 2) ? textCell : QStringLiteral("<td>");
            out += open + cells[i].toHtmlEscaped() + (header ? QStringLiteral("</th>") : QStringLiteral("</td>"));
        }
        return out + QStringLiteral("</tr>\n");
    };
    QString out = QStringLiteral("<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">"
                                 "</head><body><table>\n");
    if (withHeader)
        out += row(kHeader.split(QLatin1Char(';')), true);
    for (const MemoryEntry &e : entries)
        out += row(entryFields(e), false);
    return out + QStringLiteral("</table></body></html>\n");
}

LoadResult parseChannels(const QString &text, const Bands::Limits &limits)
{
    LoadResult r;
    QStringList lines = Win1252::representable(text).split(QLatin1Char('\n'));
    for (QString &l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the piece after the last line end
    const int first = !lines.isEmpty() && lines.constFirst().startsWith(kHeaderPrefix) ? 1 : 0;
    for (int i = first; i < lines.size(); ++i) {
        MemoryEntry e;
        const QStringList fields = pastedFields(lines[i]);
        if (!fields.isEmpty() && !readEntry(fields, i + 1, limits, e, r.message, r.namesCut)) {
            r.status = LoadStatus::Invalid;
            r.entries.clear();
            return r;
        }
        r.entries << e;
    }
    r.status = r.entries.isEmpty() ? LoadStatus::Ignored : LoadStatus::Ok;
    return r;
}

int dataLines(const QString &text)
{
    const qsizetype ends = text.count(kLineEnd);
    const bool unended = !text.isEmpty() && !text.endsWith(kLineEnd);
    return static_cast<int>(qMax<qsizetype>(0, ends - 1 + (unended && ends > 0 ? 1 : 0)));
}

LoadResult parse(const QString &text, qint16 memoryCount, const Bands::Limits &limits)
{
    LoadResult r;
    qsizetype end = text.indexOf(kLineEnd);
    if (end < 0)
        return r;
    if (!QStringView(text).left(end).startsWith(kHeaderPrefix)) {
        r.status = LoadStatus::NotCompatible;
        r.message = notCompatible();
        return r;
    }

    QVector<MemoryEntry> entries(qMax<qsizetype>(0, memoryCount));
    int k = 0; // entry number of the current data line
    qsizetype start = end + kLineEnd.size();
    // Walk the lines in place: a large file is never split up front.
    while (start <= text.size()) {
        end = text.indexOf(kLineEnd, start);
        const qsizetype stop = end < 0 ? text.size() : end;
        const QStringView line = QStringView(text).mid(start, stop - start);
        ++k;
        if (!line.isEmpty()) {
            const int fileLine = k + 1;
            if (k > entries.size()) {
                r.status = LoadStatus::Invalid;
                const int memories = static_cast<int>(entries.size());
                r.message = refusal(fileLine, QCoreApplication::translate("CsvFile", "more entries than the %n memory(s)",
                                                                          nullptr, memories));
                return r;
            }
            if (!readEntry(line.toString().split(QLatin1Char(';')), fileLine, limits, entries[k - 1], r.message,
                           r.namesCut)) {
                r.status = LoadStatus::Invalid;
                return r;
            }
        }
        if (end < 0)
            break;
        start = end + kLineEnd.size();
    }
    r.status = LoadStatus::Ok;
    r.entries = entries;
    return r;
}

} // namespace CsvFile
