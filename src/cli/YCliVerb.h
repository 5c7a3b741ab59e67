#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class YUserIO;

// One verb of dalvex-cli ("new", "info", "preprocess", ...). Each verb lives in its own source
// file and registers itself with a static YCliVerbRegistration, so adding a verb touches only
// its own file and src/cli/sources.cmake.
struct YCliContext {
    QStringList args;   // the verb's own arguments (options already removed)
    bool bJson = false; // --json: machine-readable output on stdout
    bool bYes = false;  // --yes: answer every question with yes
    YUserIO* io = nullptr;
    // Output for the user's results (stdout); messages and progress go through io (stderr).
    std::function<void(const QString&)> out;
};

struct YCliVerb {
    QString name;
    QString usage;                        // e.g. "new <file.dvx>"
    QString summary;                      // one line for --help
    std::function<int(YCliContext&)> run; // exit code: 0 success
};

class YCliVerbs {
  public:
    static std::vector<YCliVerb>& All();
    static const YCliVerb* Find(const QString& name);
};

struct YCliVerbRegistration {
    explicit YCliVerbRegistration(YCliVerb verb) { YCliVerbs::All().push_back(std::move(verb)); }
};
