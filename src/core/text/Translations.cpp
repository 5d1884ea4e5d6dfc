// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

QString installedFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath()
                           + QStringLiteral("/" PRESETTA_TRANSLATIONS_FROM_BIN));
}

bool install(QCoreApplication *app)
{
    return install(app, QLocale());
}

bool install(QCoreApplication *app, const QLocale &locale)
{
    // A second call replaces what the first installed.
    for (QTranslator *old : app->findChildren<QTranslator *>(QStringLiteral("presetta-translation"),
                                                             Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    const auto add = [app](QTranslator *t) {
        t->setObjectName(QStringLiteral("presetta-translation"));
        QCoreApplication::installTranslator(t);
    };
    const auto load = [app](const QLocale &language) -> QTranslator * {
        auto *t = new QTranslator(app);
        for (const QString &folder : {installedFolder(), QStringLiteral(":/i18n")}) {
            if (t->load(language, QStringLiteral("presetta"), QStringLiteral("_"), folder))
                return t;
        }
        delete t;
        return nullptr;
    };
    QTranslator *own = load(locale);
    if (!own) {
        // The texts are English already, but their counts need its plural forms.
        if (QTranslator *english = load(QLocale(QLocale::English)))
            add(english);
        return false;
    }
    add(own);
    auto *qt = new QTranslator(app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        add(qt);
    else
        delete qt;
    return true;
}

} // namespace Translations
