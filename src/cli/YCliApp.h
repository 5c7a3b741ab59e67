#pragma once

#include <QStringList>

// Command line of dalvex-cli: global options (--help, --version, --yes, --json), then a verb
// and its arguments.
class YCliApp {
  public:
    // Runs the command line (without the program name); returns the exit code.
    static int Run(const QStringList& args);
    static QString HelpText();
};
