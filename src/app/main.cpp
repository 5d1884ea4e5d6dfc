// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"
#include "WindowOptions.h"
#include "frmMain.h"
#include "text/Translations.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {
int answer(const WindowOptions &o)
{
    switch (o.action) {
    case WindowOptions::Action::Help:
        std::fputs(qPrintable(WindowOptions::helpText()), stdout);
        return 0;
    case WindowOptions::Action::Version:
        std::fputs(qPrintable(WindowOptions::versionText()), stdout);
        return 0;
    case WindowOptions::Action::Usage:
        std::fprintf(stderr, "presetta: %s\n%s\n", qPrintable(o.error),
                     qPrintable(QCoreApplication::translate("WindowOptions", "Try 'presetta --help'.")));
        return 2;
    case WindowOptions::Action::Run:
        break;
    }
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    // Help and the version are told without a display.
    if (WindowOptions::asksForText(raw)) {
        QCoreApplication app(argc, argv);
        Translations::install(&app);
        return answer(WindowOptions::parse(QCoreApplication::arguments()));
    }
    QApplication app(argc, argv);
    Translations::install(&app);
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const WindowOptions options = WindowOptions::parse(QApplication::arguments());
    if (options.action != WindowOptions::Action::Run)
        return answer(options);
    QtDialogs dialogs;
    frmMain window(&dialogs);
    window.Form_Load(options.file);
    return app.exec();
}
