#pragma once

#include "core/platform/YProgressThrottle.h"
#include "core/platform/YUserIO.h"

#include <QPointer>

class QProgressDialog;
class QWidget;

// User IO of the desktop program: message boxes, the wait cursor, a progress window that
// repaints at most once per 100 ms.
class YGuiUserIO : public YUserIO {
  public:
    explicit YGuiUserIO(QWidget* parent = nullptr) : m_parent(parent) {}
    ~YGuiUserIO() override;

    // The window the message boxes and progress windows belong to.
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(YMsgKind kind, const QString& text) override;
    bool Ask(const QString& question) override;
    void BeginWait() override;
    void EndWait() override;
    void BeginProgress(const QString& title, qint64 total) override;
    bool Advance(qint64 done) override;
    void EndProgress() override;

  private:
    QPointer<QWidget> m_parent;
    QProgressDialog* m_progress = nullptr;
    qint64 m_nTotal = 0;
    YProgressThrottle m_throttle;
};
