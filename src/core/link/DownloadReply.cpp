// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/DownloadReply.h"

#include "text/NumberRule.h"

#include <QStringView>

#include <optional>
#include <vector>

namespace DownloadReply {

namespace {

// The number rule, refusing values that do not fit T instead of clamping.
template <typename T>
std::optional<T> fitting(QStringView text)
{
    const double v = NumberRule::value(text);
    if (!NumberRule::fits<T>(v))
        return std::nullopt;
    return static_cast<T>(NumberRule::roundHalfEven(v));
}

// "a:" / "f:" value: two comma-separated numbers, kept as their texts.
bool limitPair(QStringView value, QString &lo, QString &hi)
{
    const QList<QStringView> parts = value.split(QLatin1Char(','));
    if (parts.size() < 2 || !NumberRule::parse(parts[0]).found || !NumberRule::parse(parts[1]).found)
        return false;
    lo = parts[0].toString();
    hi = parts[1].toString();
    return true;
}

// Raw memory lines of the list being received. An "m:" line empties only the
// slots filled since the last one, so a reply full of "m:" lines costs no more
// than its length.
class RawSlots
{
public:
    void restart(int count)
    {
        for (int i : m_filled)
            m_slots[static_cast<size_t>(i)].clear();
        m_filled.clear();
        if (m_slots.size() < static_cast<size_t>(count))
            m_slots.resize(static_cast<size_t>(count));
        m_count = count;
    }
    void store(int n, const QString &line)
    {
        m_slots[static_cast<size_t>(n - 1)] = line;
        m_filled.push_back(n - 1);
    }
    QStringList lines() const
    {
        QStringList out;
        out.reserve(m_count);
        for (int i = 0; i < m_count; ++i)
            out << m_slots[static_cast<size_t>(i)];
        return out;
    }

private:
    std::vector<QString> m_slots;
    std::vector<int> m_filled;
    int m_count = 0;
};

} // namespace

std::optional<qint16> memoryCount(QStringView value)
{
    const NumberRule::Parsed p = NumberRule::parse(value);
    const qint64 m = NumberRule::roundHalfEven(p.value);
    if (!p.found || m < 1 || m > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(m);
}

int memoryNumber(QStringView line, int maxNumber)
{
    // At most as many digits as 32767 has: parse once, never test every number.
    constexpr int kMaxDigits = 5;
    if (line.isEmpty() || line[0] < QLatin1Char('1') || line[0] > QLatin1Char('9'))
        return 0;
    int n = 0;
    qsizetype i = 0;
    while (i < line.size() && i < kMaxDigits + 1 && line[i].isDigit() && line[i].unicode() < 128) {
        n = n * 10 + (line[i].unicode() - '0');
        ++i;
    }
    if (i > kMaxDigits || i >= line.size() || line[i] != QLatin1Char(','))
        return 0;
    return n <= maxNumber ? n : 0;
}

bool apply(const QString &reply, MemoryTable &table, Values &values)
{
    QString text = reply;
    text.remove(QLatin1Char('\r'));

    RawSlots raw;
    bool list = false;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringView key = line.left(2);
        const QStringView value = line.mid(2);
        if (key == QLatin1String("r:")) {
            if (const auto r = fitting<qint16>(value))
                values.r = *r;
        } else if (key == QLatin1String("v:")) {
            values.v = value.toString();
        } else if (key == QLatin1String("m:")) {
            if (const auto m = memoryCount(value)) {
                table.setMemoryCount(*m);
                raw.restart(*m);
                list = true;
            }
        } else if (key == QLatin1String("s:")) {
            if (const auto s = fitting<qint32>(value))
                values.s = *s;
        } else if (key == QLatin1String("o:")) {
            if (const auto o = fitting<qint32>(value))
                values.o = *o;
        } else if (key == QLatin1String("a:")) {
            limitPair(value, table.limits().aMin, table.limits().aMax);
        } else if (key == QLatin1String("f:")) {
            limitPair(value, table.limits().fMin, table.limits().fMax);
        }
        // Memory lines only count for a list this reply announced.
        if (list) {
            if (const int n = memoryNumber(line, table.memoryCount()))
                raw.store(n, line.toString());
        }
    }
    if (list)
        table.rawLines() = raw.lines();
    return list;
}

} // namespace DownloadReply
