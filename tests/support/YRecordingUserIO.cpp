#include "support/YRecordingUserIO.h"

void YRecordingUserIO::Message(YMsgKind kind, const QString& text) {
    m_messages.push_back({kind, text});
}

bool YRecordingUserIO::Ask(const QString& question) {
    m_questions.append(question);
    if (m_answers.empty()) {
        return m_bDefaultAnswer;
    }
    const bool answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void YRecordingUserIO::BeginProgress(const QString& title, qint64 total) {
    m_progressTitles.append(title);
    m_nLastTotal = total;
    m_nLastDone = 0;
    m_nAdvances = 0;
    m_bInProgress = true;
}

bool YRecordingUserIO::Advance(qint64 done) {
    m_nLastDone = done;
    ++m_nAdvances;
    return m_nCancelAfter < 0 || m_nAdvances <= m_nCancelAfter;
}

QStringList YRecordingUserIO::Texts() const {
    QStringList texts;
    for (const Entry& e : m_messages) {
        texts.append(e.text);
    }
    return texts;
}

void YRecordingUserIO::Clear() {
    m_messages.clear();
    m_questions.clear();
    m_progressTitles.clear();
    m_answers.clear();
}
