#pragma once

#include <QString>

// How the core talks to the person at the keyboard. The core never opens a dialog of its own:
// the desktop program answers with message boxes and progress windows, the command-line
// program with stderr and --yes, the tests with a recorder that keeps the exact texts.
enum class YMsgKind { Info, Warning, Error };

class YUserIO {
  public:
    virtual ~YUserIO() = default;

    virtual void Message(YMsgKind kind, const QString& text) = 0;
    // A yes/no question; true means yes.
    virtual bool Ask(const QString& question) = 0;

    // Wait indication (the wait cursor) around short blocking work. Calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // Progress over a long operation. Advance() may be called for every item: the
    // implementation repaints at most once per 100 ms. Returns false when the user cancelled.
    virtual void BeginProgress(const QString& title, qint64 total) = 0;
    virtual bool Advance(qint64 done) = 0;
    virtual void EndProgress() = 0;

    // Shorthands for the common kinds.
    void Info(const QString& text) { Message(YMsgKind::Info, text); }
    void Warning(const QString& text) { Message(YMsgKind::Warning, text); }
    void Error(const QString& text) { Message(YMsgKind::Error, text); }
};

// Scoped wait indication, so every return path ends it.
class YWaitScope {
  public:
    explicit YWaitScope(YUserIO& io) : m_io(io) { m_io.BeginWait(); }
    ~YWaitScope() { m_io.EndWait(); }
    YWaitScope(const YWaitScope&) = delete;
    YWaitScope& operator=(const YWaitScope&) = delete;

  private:
    YUserIO& m_io;
};

// Scoped progress window.
class YProgressScope {
  public:
    YProgressScope(YUserIO& io, const QString& title, qint64 total) : m_io(io) {
        m_io.BeginProgress(title, total);
    }
    ~YProgressScope() { m_io.EndProgress(); }
    bool Advance(qint64 done) { return m_io.Advance(done); }
    YProgressScope(const YProgressScope&) = delete;
    YProgressScope& operator=(const YProgressScope&) = delete;

  private:
    YUserIO& m_io;
};
