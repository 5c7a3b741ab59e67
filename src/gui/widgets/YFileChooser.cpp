#include "gui/widgets/YFileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

QString YFileChooser::SaveFileName(QWidget* parent, const QString& filter,
                                   const QString& proposedName, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), StartFolder(Purpose::Write), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    Remember(dialog.selectedFiles().constFirst());
    return dialog.selectedFiles().constFirst();
}

QString YFileChooser::OpenFileName(QWidget* parent, const QString& filter) {
    const QString path = QFileDialog::getOpenFileName(parent, QString(), StartFolder(Purpose::Read),
                                                      QtFilter(filter));
    Remember(path);
    return path;
}

QString YFileChooser::StartFolder(Purpose purpose) const {
    const QString project = m_projectFolder ? m_projectFolder() : QString();
    const QString first = purpose == Purpose::Write ? project : m_strLastFolder;
    const QString second = purpose == Purpose::Write ? m_strLastFolder : project;
    if (!first.isEmpty()) {
        return first;
    }
    return !second.isEmpty() ? second : QDir::currentPath();
}

void YFileChooser::Remember(const QString& chosenFile) {
    if (!chosenFile.isEmpty()) {
        m_strLastFolder = QFileInfo(chosenFile).absolutePath();
    }
}

QString YFileChooser::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString& pattern = parts.at(i + 1);
        // Qt reads the patterns from the description's parentheses.
        out.append(description.contains(QLatin1Char('('))
                       ? description
                       : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return out.join(QStringLiteral(";;"));
}
