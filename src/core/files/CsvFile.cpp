// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/CsvFile.h"

#include "text/NumberRule.h"
#include "text/TextUtil.h"

#include <QCoreApplication>
#include <QStringView>

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
// field is refused.
bool readEntry(QStringView line, int fileLine, const Bands::Limits &limits, MemoryEntry &e,
               QString &message)
{
    const QStringList f = line.toString().split(QLatin1Char(';'));
    qint64 v = 0;
    if (!readField(f[0], std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(),
                   QCoreApplication::translate("CsvFile", "frequency"), fileLine, v, message))
        return false;
    e.frequency = static_cast<qint32>(v);
    e.band = Bands::bandOf(e.frequency, limits);
    if (f.size() >= 2)
        e.setName(f[1]);
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

} // namespace

QString entryLine(const MemoryEntry &e)
{
    return QString::number(e.frequency) + QLatin1Char(';')
        + TextUtil::trimBlanksRight(textField(e.name, MemoryEntry::kNameWidth)) + QLatin1Char(';')
        + TextUtil::trimBlanks(textField(e.pi, MemoryEntry::kPiWidth)) + QLatin1Char(';')
        + QString::number(e.bandwidth) + QLatin1Char(';') + QString::number(e.stereo);
}

QString text(const MemoryTable &table)
{
    QString out = kHeader + kLineEnd;
    for (const MemoryEntry &e : table.entries())
        out += entryLine(e) + kLineEnd;
    return out;
}

QString channelLines(const QVector<MemoryEntry> &entries)
{
    QString out;
    for (const MemoryEntry &e : entries)
        out += entryLine(e) + kLineEnd;
    return out;
}

LoadResult parseChannels(const QString &text, const Bands::Limits &limits)
{
    LoadResult r;
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &l : lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast(); // the piece after the last line end
    const int first = !lines.isEmpty() && lines.constFirst().startsWith(kHeaderPrefix) ? 1 : 0;
    for (int i = first; i < lines.size(); ++i) {
        MemoryEntry e;
        if (!lines[i].isEmpty() && !readEntry(lines[i], i + 1, limits, e, r.message)) {
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
            if (!readEntry(line, fileLine, limits, entries[k - 1], r.message)) {
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
