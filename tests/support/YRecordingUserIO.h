#pragma once

#include "core/platform/YUserIO.h"

#include <QStringList>
#include <deque>
#include <vector>

// User IO for tests and scripted runs: keeps every message and question with its exact text
// and answers questions from a script (default answer when the script is empty).
class YRecordingUserIO : public YUserIO {
  public:
    struct Entry {
        YMsgKind kind;
        QString text;
    };

    void Message(YMsgKind kind, const QString& text) override;
    bool Ask(const QString& question) override;
    void BeginWait() override {
        ++m_nWaitDepth;
        ++m_nWaitCount;
    }
    void EndWait() override { --m_nWaitDepth; }
    void BeginProgress(const QString& title, qint64 total) override;
    bool Advance(qint64 done) override;
    void EndProgress() override { m_bInProgress = false; }

    // Scripted answers, used in order; then the default.
    void QueueAnswer(bool answer) { m_answers.push_back(answer); }
    // Makes Advance() report a cancel after this many calls (-1: never).
    void CancelAfter(int advances) { m_nCancelAfter = advances; }

    const std::vector<Entry>& Messages() const { return m_messages; }
    QStringList Texts() const;
    const QStringList& Questions() const { return m_questions; }
    const QStringList& ProgressTitles() const { return m_progressTitles; }
    qint64 LastProgressTotal() const { return m_nLastTotal; }
    qint64 LastProgressDone() const { return m_nLastDone; }
    int WaitDepth() const { return m_nWaitDepth; }
    int WaitCount() const { return m_nWaitCount; }
    bool InProgress() const { return m_bInProgress; }
    void Clear();

  private:
    std::vector<Entry> m_messages;
    QStringList m_questions;
    QStringList m_progressTitles;
    std::deque<bool> m_answers;
    bool m_bDefaultAnswer = true;
    int m_nCancelAfter = -1;
    int m_nAdvances = 0;
    int m_nWaitDepth = 0;
    int m_nWaitCount = 0;
    bool m_bInProgress = false;
    qint64 m_nLastTotal = 0;
    qint64 m_nLastDone = 0;
};
