// Entry status reply: never crashes; a reply is a status reply exactly when
// its cleaned text holds "S:"; acceptance follows bit 7; every error bit of
// the word gives one message, highest bit first.
#include "FuzzCheck.h"

#include "link/EntryStatus.h"
#include "memlist/NumberRule.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

#include <QSet>

namespace {

QString cleaned(QString s)
{
    s.remove(QChar(0));
    s.remove(QLatin1Char('\n'));
    s.remove(QLatin1Char('\r'));
    return TextUtil::trimBlanks(s);
}

void checkMessages(quint16 word)
{
    static const QSet<QString> focusNames = {QStringLiteral("tPI"), QStringLiteral("tFreq"),
                                             QStringLiteral("coST"), QStringLiteral("coBW")};
    const QList<EntryStatus::ErrorMessage> messages = EntryStatus::errorMessages(word);
    int errorBits = 0;
    for (int bit = 0; bit <= 5; ++bit)
        errorBits += (word >> bit) & 1;
    FUZZ_CHECK(messages.size() == errorBits);
    QSet<QString> texts;
    for (const EntryStatus::ErrorMessage &m : messages) {
        FUZZ_CHECK(m.text.startsWith(QLatin1String("  ")) && m.text.endsWith(QLatin1String("  ")));
        FUZZ_CHECK(m.text.size() > 4);
        FUZZ_CHECK(focusNames.contains(m.focusName));
        texts.insert(m.text);
    }
    FUZZ_CHECK(texts.size() == messages.size()); // one message per bit, none twice

    const QString title = EntryStatus::errorTitle(word);
    FUZZ_CHECK(title.startsWith(QLatin1String(" ERROR: ")));
    FUZZ_CHECK(NumberRule::value(QStringView(title).mid(8)) == word);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString line = Win1252::decode(FuzzInput::bytes(data, size));
    const EntryStatus::Reply r = EntryStatus::parse(line);
    FUZZ_CHECK(r.isStatus == cleaned(line).contains(QLatin1String("S:")));
    if (!r.isStatus) {
        FUZZ_CHECK(r.accepted);
    } else if (!r.fits) {
        FUZZ_CHECK(!r.accepted);
    } else {
        FUZZ_CHECK(r.accepted == ((r.word & 0x80) != 0));
    }
    checkMessages(r.word);
    if (size >= 2)
        checkMessages(static_cast<quint16>(data[0] | (data[1] << 8)));
    return 0;
}
