#pragma once

#include "core/platform/YUserIO.h"

// A user IO that shows nothing and answers yes: for work nobody watches (a scratch copy priced
// and thrown away, a fuzzing run).
class YSilentUserIO : public YUserIO {
  public:
    void Message(YMsgKind, const QString&) override {}
    bool Ask(const QString&) override { return true; }
    void BeginWait() override {}
    void EndWait() override {}
    void BeginProgress(const QString&, qint64) override {}
    bool Advance(qint64) override { return true; }
    void EndProgress() override {}
};
