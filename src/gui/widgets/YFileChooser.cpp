#include "gui/widgets/YFileChooser.h"

#include <QFileDialog>
#include <QStringList>

QString YFileChooser::SaveFileName(QWidget* parent, const QString& filter,
                                   const QString& proposedName, const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QString(), QtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

QString YFileChooser::OpenFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QtFilter(filter));
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
