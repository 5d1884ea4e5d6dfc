// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;
class QLocale;

namespace Translations {

// Installs the program's translation for the user's language, and Qt's own
// for its standard buttons and messages. Nothing for a language without
// one: the texts stay as written. Returns whether the program's was found.
bool install(QCoreApplication *app);
bool install(QCoreApplication *app, const QLocale &locale);

} // namespace Translations
