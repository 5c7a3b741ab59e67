#pragma once

#include <QElapsedTimer>

// Lets a progress display repaint at most once per interval (100 ms by default), however
// often the work reports. The first report always passes so a window shows up at once.
class YProgressThrottle {
  public:
    explicit YProgressThrottle(qint64 intervalMs = 100) : m_intervalMs(intervalMs) {}

    void Restart() { m_started = false; }

    bool Due() {
        if (!m_started) {
            m_started = true;
            m_timer.start();
            return true;
        }
        if (m_timer.elapsed() < m_intervalMs) {
            return false;
        }
        m_timer.restart();
        return true;
    }

  private:
    qint64 m_intervalMs;
    bool m_started = false;
    QElapsedTimer m_timer;
};
