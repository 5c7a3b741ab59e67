#include "gui/app/YDocCommands.h"

#include "core/compute/YDocPreprocess.h"
#include "core/db/YDatabase.h"
#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YPrjFDSet.h"
#include "core/db/YSQXSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/import/YDocImport.h"
#include "core/model/YClassFilter.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/dialogs/YGzwDlg.h"
#include "gui/dialogs/YLandXmlDlg.h"
#include "gui/dialogs/YLcDlg.h"
#include "gui/dialogs/YPreprocessDlg.h"
#include "gui/dialogs/YPrjFDDlg.h"
#include "gui/dialogs/YQitkDlg.h"
#include "gui/dialogs/YQutkDlg.h"
#include "gui/dialogs/YReadTfDlg.h"
#include "gui/dialogs/YSQXDlg.h"
#include "gui/dialogs/YSelDPFDDlg.h"
#include "gui/dialogs/YTshlDlg.h"
#include "gui/dialogs/YTsxsDlg.h"
#include "gui/dialogs/YZzmjDlg.h"
#include "gui/widgets/YFileChooser.h"

YDocCommands::YDocCommands(CDalvexApp& app) : m_app(app) {}

CDalvexDoc* YDocCommands::Active() const {
    CMainFrame* frame = m_app.MainFrame();
    CDalvexDoc* doc = frame != nullptr ? frame->ActiveDocument() : nullptr;
    return doc != nullptr && doc->IsOpen() ? doc : nullptr;
}

void YDocCommands::Register(CMainFrame& frame) {
    const auto open = [this] { return Active() != nullptr; };
    const auto segments = [this] {
        CDalvexDoc* doc = Active();
        return doc != nullptr && doc->GetVersion() >= 5 && doc->GetPrjFDSet().IsOpen();
    };
    for (int id : {YCmd::EditZzmj, YCmd::EditLc, YCmd::EditTsxs, YCmd::EditTshl, YCmd::EditGzw,
                   YCmd::EditQutk, YCmd::EditQitk}) {
        frame.SetCommand(id, {[this, id] { EditTable(id); }, open, {}});
    }
    // Older files may lack the vertical curve.
    frame.SetCommand(YCmd::EditSqx, {[this] { EditTable(YCmd::EditSqx); },
                                     [this] {
                                         CDalvexDoc* doc = Active();
                                         return doc != nullptr && doc->GetSQXSet().IsOpen();
                                     },
                                     {}});
    frame.SetCommand(YCmd::EditPrjFD, {[this] { EditTable(YCmd::EditPrjFD); }, segments, {}});
    frame.SetCommand(YCmd::SelectDPFD, {[this] { SelectSegment(); }, segments, {}});
    frame.SetCommand(YCmd::Preprocess, {[this] { Preprocess(); }, open, {}});
    frame.SetCommand(YCmd::StartDP, {[this] { StartAllocation(); }, open, {}});
    for (int id = YCmd::ReadTfFirst; id <= YCmd::ReadTfLast; ++id) {
        frame.SetCommand(id, {[this, id] { ReadEarthworkFile(id); }, open, {}});
    }
    frame.SetCommand(YCmd::ReadRavelProject, {[this] { ReadRavelProject(); }, open, {}});
    frame.SetCommand(YCmd::ReadLandXml, {[this] { ReadLandXml(); }, open, {}});
    RegisterClassFilter(frame);
}

void YDocCommands::RegisterClassFilter(CMainFrame& frame) {
    const auto hasSegments = [this] {
        CDalvexDoc* doc = Active();
        return doc != nullptr && doc->GetSegmentCount() > 0;
    };
    // Command and the filter bits it toggles; it is marked while any of them is set.
    const struct {
        int id;
        quint32 bits;
    } rows[] = {{YCmd::ShowSoil, YClassFilter::SoilAllowed},
                {YCmd::ShowRock, YClassFilter::RockAllowed},
                {YCmd::SelectCutSoil, quint32(YClass::SoilMask)},
                {YCmd::SelectCutRock, quint32(YClass::RockMask)},
                {YCmd::SelectFill, quint32(YClass::FillBit)},
                {YCmd::SelectClass1, quint32(YClass::Bit(1))},
                {YCmd::SelectClass2, quint32(YClass::Bit(2))},
                {YCmd::SelectClass3, quint32(YClass::Bit(3))},
                {YCmd::SelectClass4, quint32(YClass::Bit(4))},
                {YCmd::SelectClass5, quint32(YClass::Bit(5))},
                {YCmd::SelectClass6, quint32(YClass::Bit(6))}};
    for (const auto& row : rows) {
        const quint32 bits = row.bits;
        frame.SetCommand(row.id, {[this, bits] {
                                      if (CDalvexDoc* doc = Active()) {
                                          doc->ToggleClassFilter(bits);
                                      }
                                  },
                                  hasSegments, [bits] { return (g_nClassFilter & bits) != 0; }});
    }
    // Swapping the stacking order is always available and carries no mark.
    frame.SetCommand(YCmd::SwapShow, {[this] {
                                          if (CDalvexDoc* doc = Active()) {
                                              doc->ToggleClassFilter(YClassFilter::DisplayFlag);
                                          } else {
                                              g_nClassFilter ^= YClassFilter::DisplayFlag;
                                          }
                                      },
                                      {},
                                      {}});
}

void YDocCommands::EditTable(int nCommandId) {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    QWidget* parent = m_app.MainFrame();
    YFileChooser& chooser = m_app.FileChooser();
    std::unique_ptr<QDialog> dialog;
    switch (nCommandId) {
    case YCmd::EditZzmj:
        dialog = std::make_unique<YZzmjDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditLc:
        dialog = std::make_unique<YLcDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditTsxs:
        dialog = std::make_unique<YTsxsDlg>(*doc, parent);
        break;
    case YCmd::EditTshl:
        dialog = std::make_unique<YTshlDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditGzw:
        dialog = std::make_unique<YGzwDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditQutk:
        dialog = std::make_unique<YQutkDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditQitk:
        dialog = std::make_unique<YQitkDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditSqx:
        dialog = std::make_unique<YSQXDlg>(*doc, chooser, parent);
        break;
    case YCmd::EditPrjFD:
        dialog = std::make_unique<YPrjFDDlg>(*doc, chooser, parent);
        break;
    default:
        return;
    }
    dialog->exec();
}

void YDocCommands::SelectSegment() {
    if (CDalvexDoc* doc = Active()) {
        YSelDPFDDlg(*doc, m_app.MainFrame()).exec();
    }
}

void YDocCommands::Preprocess() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    YPreprocessDlg dialog(doc->UserIO(), m_app.MainFrame());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    // Stopped with its message, declined or rolled back: the tables are as before.
    (void)YDocPreprocess::Run(*doc, dialog.Options());
}

void YDocCommands::StartAllocation() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr || !doc->ReloadModel()) {
        return;
    }
    // With grade points to show, the grade band comes up with the diagram.
    CDalvexView* view = m_app.MainFrame()->ActiveView();
    if (view != nullptr && doc->GetSQXSet().IsOpen() && !doc->GetSQXSet().GradePoints().empty()) {
        view->SetShowProfile(true);
    }
}

void YDocCommands::ReadEarthworkFile(int nCommandId) {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    TfFormat format;
    {
        YReadTfDlg dialog(nCommandId - YCmd::ReadTfFirst, doc->UserIO(), m_app.MainFrame());
        if (dialog.exec() != QDialog::Accepted) {
            return; // the format is still stored (when the dialog goes)
        }
        format = dialog.Format();
    }
    (void)YReadTfDlg::ImportFile(*doc, m_app.FileChooser(), format, YTfImport::Scope::Project,
                                 m_app.MainFrame());
}

void YDocCommands::ReadRavelProject() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    const QString path = m_app.FileChooser().OpenFileName(
        m_app.MainFrame(),
        QStringLiteral("Ravel道路辅助设计系统项目文件(*.Prj)|*.Prj|所有文件(*.*)|*.*|"));
    if (path.isEmpty()) {
        return;
    }
    (void)YDocImport::RavelProject(*doc, path); // what went wrong was said
    doc->UpdateAllViews();
}

void YDocCommands::ReadLandXml() {
    CDalvexDoc* doc = Active();
    if (doc == nullptr) {
        return;
    }
    const QString path = m_app.FileChooser().OpenFileName(
        m_app.MainFrame(), QStringLiteral("LandXML文件(*.xml)|*.xml|所有文件(*.*)|*.*|"));
    if (path.isEmpty()) {
        return;
    }
    std::optional<YLandXmlChoices> choices = YLandXmlImport::Inspect(path, doc->UserIO());
    if (!choices) {
        return; // the file's fault was shown
    }
    YLandXmlDlg dialog(std::move(*choices), m_app.MainFrame());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    (void)YDocImport::LandXml(*doc, path, dialog.Options());
    doc->UpdateAllViews();
}
