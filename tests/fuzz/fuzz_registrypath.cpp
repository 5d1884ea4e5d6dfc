// Settings path splitter: never crashes, and the pieces put back together
// with the separator that split them give the trimmed path again.
#include "FuzzCheck.h"

#include "settings/RegistryPath.h"
#include "text/TextUtil.h"
#include "text/Win1252.h"

namespace {

const QString kOne = QStringLiteral("\\");
const QString kTwo = QStringLiteral("\\\\");
const QString kThree = QStringLiteral("\\\\\\");

void checkSplit(const QString &path, const RegistryPath &p)
{
    const QString t = TextUtil::trimBlanks(path);
    FUZZ_CHECK(p.empty == t.isEmpty());
    if (p.empty) {
        FUZZ_CHECK(p.root == RegistryRoot::None && p.keyPath.isEmpty() && p.valueName.isEmpty());
        return;
    }
    const qsizetype first = t.indexOf(QLatin1Char('\\'));
    const QString rootName = first < 0 ? t : t.left(first);
    FUZZ_CHECK(p.root == registryRootFromName(TextUtil::trimBlanks(rootName).toUpper()));
    if (first < 0) {
        FUZZ_CHECK(p.keyPath.isEmpty() && p.valueName.isEmpty());
        return;
    }
    const QString rest = t.mid(first + 1);
    if (rest.contains(kThree)) {
        // The value name keeps two of the three backslashes.
        FUZZ_CHECK(p.valueName.startsWith(kTwo));
        FUZZ_CHECK(p.keyPath + kOne + p.valueName == rest);
        FUZZ_CHECK(!p.valueName.contains(kThree));
    } else if (rest.contains(kTwo)) {
        FUZZ_CHECK(p.keyPath + kTwo + p.valueName == rest);
        FUZZ_CHECK(!p.valueName.contains(kTwo));
    } else if (rest.contains(kOne)) {
        FUZZ_CHECK(p.keyPath + kOne + p.valueName == rest);
        FUZZ_CHECK(!p.valueName.contains(kOne));
    } else {
        FUZZ_CHECK(p.keyPath == rest && p.valueName.isEmpty());
    }

    QStringList names;
    const bool ok = p.keyNames(names);
    if (p.keyPath.isEmpty()) {
        FUZZ_CHECK(ok && names.isEmpty());
    } else if (ok) {
        FUZZ_CHECK(names.join(kOne) == p.keyPath);
        for (const QString &n : names)
            FUZZ_CHECK(!n.isEmpty() && !n.contains(kOne));
    } else {
        FUZZ_CHECK(p.keyPath.split(kOne).contains(QString()));
    }
}

bool same(const RegistryPath &a, const RegistryPath &b)
{
    return a.empty == b.empty && a.root == b.root && a.keyPath == b.keyPath
        && a.valueName == b.valueName;
}

void checkPath(const QString &path)
{
    const RegistryPath value = RegistryPath::split(path);
    checkSplit(path, value);

    // A key path is the value path with one "\" added when it lacks one.
    const QString t = TextUtil::trimBlanks(path);
    const RegistryPath key = RegistryPath::splitKey(path);
    const QString asKey = t.isEmpty() || t.endsWith(kOne) ? t : t + kOne;
    FUZZ_CHECK(same(key, RegistryPath::split(asKey)));
    checkSplit(asKey, key);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkPath(Win1252::decode(FuzzInput::bytes(data, size)));
    checkPath(FuzzInput::utf16(data, size));
    return 0;
}
