#include "gui/app/YGuiUserIO.h"

#include "core/platform/YConf.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>

YGuiUserIO::~YGuiUserIO() {
    delete m_progress;
}

void YGuiUserIO::Message(YMsgKind kind, const QString& text) {
    const QString title = YConf::Instance().Text(1000);
    switch (kind) {
    case YMsgKind::Info:
        QMessageBox::information(m_parent, title, text);
        break;
    case YMsgKind::Warning:
        QMessageBox::warning(m_parent, title, text);
        break;
    case YMsgKind::Error:
        QMessageBox::critical(m_parent, title, text);
        break;
    }
}

bool YGuiUserIO::Ask(const QString& question) {
    return QMessageBox::question(m_parent, YConf::Instance().Text(1000), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void YGuiUserIO::BeginWait() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void YGuiUserIO::EndWait() {
    QApplication::restoreOverrideCursor();
}

void YGuiUserIO::BeginProgress(const QString& title, qint64 total) {
    delete m_progress;
    m_nTotal = qMax<qint64>(total, 1);
    m_progress = new QProgressDialog(title, QStringLiteral("取消"), 0, 1000, m_parent);
    m_progress->setWindowTitle(title);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_throttle.Restart();
}

bool YGuiUserIO::Advance(qint64 done) {
    if (m_progress == nullptr) {
        return true;
    }
    if (m_throttle.Due()) {
        m_progress->setValue(int(1000.0 * double(done) / double(m_nTotal)));
        QApplication::processEvents();
    }
    return !m_progress->wasCanceled();
}

void YGuiUserIO::EndProgress() {
    delete m_progress;
    m_progress = nullptr;
}
