// Serial settings text: setting any text never crashes, a text without four
// fields changes nothing, and what reads back, set again, reads back the same
// on this port and on a new one.
#include "FuzzCheck.h"

#include "serial/SettingsText.h"
#include "serial/clsCommPort.h"
#include "text/Win1252.h"

namespace {

bool isListedBaud(qint32 baud)
{
    static const qint32 rates[] = {110,   300,    600,    1200,   2400,   4800,   9600,   19200,
                                   38400, 57600,  115200, 128000, 256000, 230400, 460800, 921600};
    for (qint32 r : rates) {
        if (r == baud)
            return true;
    }
    return false;
}

void checkReadBack(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    FUZZ_CHECK(parts.size() == 4);
    FUZZ_CHECK(parts[1].size() == 1 && QStringLiteral("NOEMS").contains(parts[1]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Win1252::decode(FuzzInput::bytes(data, size));

    clsCommPort port;
    const QString before = port.cSettings();
    port.setCSettings(text);
    const QString after = port.cSettings();
    if (!SettingsText::parse(text)) {
        FUZZ_CHECK(after == before);
        return 0;
    }
    checkReadBack(after);
    FUZZ_CHECK(isListedBaud(port.cBaudRate()));
    FUZZ_CHECK(port.cDataBits() >= 4 && port.cDataBits() <= 8);
    FUZZ_CHECK(port.stopBitsCode() <= 2);

    port.setCSettings(after);
    FUZZ_CHECK(port.cSettings() == after);

    clsCommPort fresh;
    fresh.setCSettings(after);
    FUZZ_CHECK(fresh.cSettings() == after);
    return 0;
}
