#include "gui/app/YFormatMenu.h"

#include "core/import/TfFormat.h"
#include "gui/app/YCommandIds.h"

#include <QAction>
#include <QMenu>

std::vector<YFormatMenu::Entry> YFormatMenu::Entries(const std::function<QString(int)>& slotName) {
    std::vector<Entry> entries;
    for (int i = 0; i < TfFormat::SlotCount; ++i) {
        const QString name = slotName(i);
        const int id = YCmd::ReadTfFirst + i;
        if (name.isEmpty()) {
            entries.push_back({id, QStringLiteral("&%1 我有新格式土方文件").arg(i + 1)});
            break;
        }
        entries.push_back({id, QStringLiteral("&%1 读入 %2 土方文件").arg(i + 1).arg(name)});
    }
    return entries;
}

std::vector<YFormatMenu::Entry> YFormatMenu::ProfileEntries() {
    return Entries([](int slot) { return TfFormat::SlotName(slot); });
}

void YFormatMenu::Rebuild(QMenu& menu, const std::function<void(int)>& onChosen) {
    const QList<QAction*> actions = menu.actions();
    for (QAction* action : actions) {
        const int id = action->data().toInt();
        if (id >= YCmd::ReadTfFirst && id <= YCmd::ReadTfLast) {
            menu.removeAction(action);
            action->deleteLater();
        }
    }
    QAction* before = menu.actions().isEmpty() ? nullptr : menu.actions().constFirst();
    for (const Entry& entry : ProfileEntries()) {
        auto* action = new QAction(entry.strText, &menu);
        action->setData(entry.nId);
        const int id = entry.nId;
        QObject::connect(action, &QAction::triggered, &menu, [onChosen, id] { onChosen(id); });
        menu.insertAction(before, action);
    }
}
