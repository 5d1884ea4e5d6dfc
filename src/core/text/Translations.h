// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QCoreApplication;
class QLocale;

namespace Translations {

// Installs the program's translation for the user's language, and Qt's own
// for its standard buttons and messages. A language without one keeps the
// texts as written, with the English plural forms of counts ("%n
// channel(s)"). Returns whether the language has the program's translation.
bool install(QCoreApplication *app);
bool install(QCoreApplication *app, const QLocale &locale);

// Where the installed programs find the .qm files beside the built-in ones:
// one put there (a packager's newer one, or a new language) is taken first.
QString installedFolder();

} // namespace Translations
