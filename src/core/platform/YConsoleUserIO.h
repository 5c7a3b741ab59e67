#pragma once

#include "core/platform/YProgressThrottle.h"
#include "core/platform/YUserIO.h"

#include <cstdio>

// User IO of the command-line program: messages on stderr, questions answered by --yes (or
// read from the terminal when there is one; "no" otherwise, so a script never hangs), and a
// text progress bar redrawn in place when stderr is a terminal.
class YConsoleUserIO : public YUserIO {
  public:
    explicit YConsoleUserIO(bool bYes, std::FILE* err = stderr, std::FILE* in = stdin);

    void Message(YMsgKind kind, const QString& text) override;
    bool Ask(const QString& question) override;
    void BeginWait() override {}
    void EndWait() override {}
    void BeginProgress(const QString& title, qint64 total) override;
    bool Advance(qint64 done) override;
    void EndProgress() override;

    // The text of a progress bar line, e.g. "预处理 [#####     ] 50%".
    static QString ProgressLine(const QString& title, qint64 done, qint64 total, int width = 30);

  private:
    void Write(const QString& text);

    bool m_bYes;
    std::FILE* m_err;
    std::FILE* m_in;
    bool m_bTerminal;
    QString m_strTitle;
    qint64 m_nTotal = 0;
    qint64 m_nDone = 0;
    YProgressThrottle m_throttle;
};
