// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExtraPortsRegistration.h"
#include "ReceiverSimulator.h"
#include "SimCommandLine.h"
#include "UnixSignalWatcher.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    SimCommandLine cli;
    if (!cli.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "presetta-sim: %s\n(see --help)\n", qPrintable(cli.error()));
        return 2;
    }
    if (cli.helpWanted()) {
        std::fputs(qPrintable(SimCommandLine::helpText()), stdout);
        return 0;
    }

    // Before anything registers, so a signal can never skip the clean-up.
    UnixSignalWatcher signalWatcher({SIGINT, SIGTERM, SIGHUP});
    QObject::connect(&signalWatcher, &UnixSignalWatcher::caught, &app, &QCoreApplication::quit);

    ReceiverSimulator sim(cli.options());
    QString error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "presetta-sim: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(&sim, &ReceiverSimulator::hungUp, &app, &QCoreApplication::quit);

    // Registered before the path is printed: whoever waits for that line
    // finds the port offered already.
    ExtraPortsRegistration registration;
    if (cli.registerPort())
        registration.add(sim.devicePath());

    std::printf("%s\n", qPrintable(sim.devicePath()));
    std::fflush(stdout);

    const int rc = app.exec();
    registration.remove();
    sim.stop();
    return rc;
}
