// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliOptions.h"
#include "CliRunner.h"

#include "identity/ProgramIdentity.h"
#include "text/Translations.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Translations::install(&app);
    CliOptions options;
    QString error;
    if (!options.parse(app.arguments().mid(1), &error)) {
        std::fprintf(stderr, "presetta-cli: %s\n%s\n", qPrintable(error),
                     qPrintable(QCoreApplication::translate("CliOptions", "Try 'presetta-cli --help'.")));
        return CliOptions::kUsage;
    }
    if (options.help) {
        std::fputs(qPrintable(CliOptions::helpText()), stdout);
        return CliOptions::kDone;
    }
    if (options.version) {
        std::printf("presetta-cli %s\n", qPrintable(ProgramIdentity::versionText()));
        return CliOptions::kDone;
    }
    CliRunner runner(options);
    return runner.run();
}
