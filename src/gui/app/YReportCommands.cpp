#include "gui/app/YReportCommands.h"

#include "core/document/CDalvexDoc.h"
#include "core/platform/YConf.h"
#include "core/reports/COutQQk.h"
#include "core/reports/YKmTables.h"
#include "core/reports/YTableOutput.h"
#include "draw/YReportDiagram.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/dialogs/YDvxjsBDlg.h"
#include "gui/dialogs/YTemplateDlg.h"
#include "gui/dialogs/YTsylBDlg.h"
#include "gui/widgets/YFileChooser.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

const char* const kFilter = "Excel 工作簿(*.xlsx)|*.xlsx||";

} // namespace

void YReportCommands::Register(CMainFrame& frame) {
    const auto open = [this] { return Active() != nullptr; };
    frame.SetCommand(YCmd::TableCalc, {[this] { CalcTable(); }, open, {}});
    frame.SetCommand(YCmd::TableHaul, {[this] { HaulTable(); }, open, {}});
    frame.SetCommand(YCmd::TablePits, {[this] { PitTable(); }, open, {}});
    frame.SetCommand(YCmd::TablePerKm, {[this] { KmTable(false); }, open, {}});
    frame.SetCommand(YCmd::TablePerKmHaul, {[this] { KmTable(true); }, open, {}});
    frame.SetCommand(YCmd::TableTemplates, {[this] { Templates(); }, {}, {}});
}

CDalvexDoc* YReportCommands::Active() const {
    CMainFrame* frame = m_app.MainFrame();
    CDalvexDoc* doc = frame != nullptr ? frame->ActiveDocument() : nullptr;
    return doc != nullptr && doc->IsOpen() ? doc : nullptr;
}

QString YReportCommands::AskPath(CDalvexDoc& doc, const QString& tableName) const {
    return m_app.FileChooser().SaveFileName(m_app.MainFrame(), QString::fromUtf8(kFilter),
                                            YTableOutput::DefaultPath(doc, tableName),
                                            QStringLiteral("xlsx"));
}

void YReportCommands::Show(const QString& path) const {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void YReportCommands::CalcTable() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    YDvxjsBDlg dialog(*doc, m_app.MainFrame());
    if (!dialog.HasPages() || dialog.exec() != QDialog::Accepted) {
        return;
    }
    const YCalcTableOptions opt = dialog.Options();
    const QString path =
        AskPath(*doc, YConf::TableName(opt.sixClass ? YConf::ClassDetailTable : YConf::CalcTable));
    if (path.isEmpty()) {
        return;
    }
    YCalcTable& table = dialog.Table();
    table.m_diagram = [doc](const YCalcTableOptions&) { return YReportDiagram(*doc); };
    if (table.Output(opt, path)) {
        Show(path);
    }
}

void YReportCommands::HaulTable() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    YHaulTable table(*doc);
    if (!table.Prepare()) {
        return;
    }
    YTsylBDlg dialog(m_app.UserIO(), m_app.MainFrame());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const YHaulTableOptions opt = dialog.Options();
    const QString path =
        AskPath(*doc, YConf::TableName(opt.mode == 0 ? YConf::HaulTable : YConf::HaulTable1));
    if (!path.isEmpty() && table.Output(opt, path)) {
        Show(path);
    }
}

void YReportCommands::PitTable() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    COutQQk table(*doc);
    const QString path = AskPath(*doc, YConf::TableName(YConf::PitTable));
    if (!path.isEmpty() && table.Output(path)) {
        Show(path);
    }
}

void YReportCommands::KmTable(bool bHaul) {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    const auto kind = bHaul ? YKmTables::Kind::Haul : YKmTables::Kind::Quantities;
    const QString path = AskPath(*doc, YKmTables::TableName(kind));
    if (!path.isEmpty() && YKmTables(*doc).Output(kind, path)) {
        Show(path);
    }
}

void YReportCommands::Templates() {
    YTemplateDlg dialog(m_app.FileChooser(), m_app.MainFrame());
    dialog.exec();
}
