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
    auto *own = new QTranslator(app);
    bool found = false;
    for (const QString &folder : {installedFolder(), QStringLiteral(":/i18n")}) {
        if ((found = own->load(locale, QStringLiteral("presetta"), QStringLiteral("_"), folder)))
            break;
    }
    if (!found) {
        delete own;
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
