#include "gui/app/CDalvexApp.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/platform/YConf.h"
#include "core/platform/YProfile.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YAllocCommands.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YDocCommands.h"
#include "gui/app/YGuiUserIO.h"
#include "gui/app/YReportCommands.h"
#include "gui/app/YViewCommands.h"
#include "gui/diagram/YEyeReactor.h"
#include "gui/diagram/YTool.h"
#include "gui/diagram/YToolReactor.h"
#include "gui/dialogs/CAboutDlg.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YFileChooser.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTranslator>
#include <QUrl>

namespace {
const QString NewFilter = QStringLiteral("土方调配数据库文件(*.dvx)|*.dvx||");
const QString OpenFilter = QStringLiteral("土石方调配文件(*.dvx)|*.dvx|所有文件(*.*)|*.*||");
} // namespace

CDalvexApp::CDalvexApp(std::unique_ptr<YUserIO> io, QObject* parent)
    : QObject(parent), m_pIO(std::move(io)), m_pChooser(std::make_unique<YFileChooser>()) {}

CDalvexApp::~CDalvexApp() {
    if (m_pManager) {
        m_pManager->CloseAll(); // the windows go with their projects
        m_pManager->SetFrontEnd(nullptr);
    }
    m_pReportCommands.reset();
    m_pDocCommands.reset();
    m_pMainFrame.reset();
    m_pManager.reset();
    YToolState::Reset(); // the program's tool goes with the windows it worked in
}

bool CDalvexApp::LoadQtTranslations() {
    // Once per process: the stock dialogs (message-box buttons, file dialogs, print set-up)
    // speak the program's language. Qt's own Chinese comes with Debian's qt6-translations-l10n.
    static QTranslator* translator = nullptr;
    if (translator != nullptr) {
        return true;
    }
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

bool CDalvexApp::InitInstance(const QStringList& files) {
    // 0. Qt's stock texts in Chinese (without the package they stay English; nothing else).
    (void)LoadQtTranslations();
    // 1. Configuration first, with the product key.
    YConf::Instance().Init(QString(), QStringLiteral("RavelTF"));
    // 3. The application's name is the product title.
    const QString title = YConf::Instance().Text(1000);
    QApplication::setApplicationName(title);
    // 4. The profile lives under "RavelCAD.co" and the product title (recent files: 4).
    QApplication::setOrganizationName(QString::fromLatin1(YProfile::Organisation));
    if (!m_pIO) {
        m_pIO = std::make_unique<YGuiUserIO>();
    }
    // 5. The one kind of document: the project file, shown in a child frame.
    m_pManager = std::make_unique<YDocManager>(*m_pIO);
    m_pManager->SetFrontEnd(this);
    // 6.–8. The main frame, titled with the product title, accepting dropped project files.
    m_pMainFrame = std::make_unique<CMainFrame>();
    m_pMainFrame->setWindowTitle(title);
    if (auto* gui = dynamic_cast<YGuiUserIO*>(m_pIO.get())) {
        gui->SetParent(m_pMainFrame.get());
    }
    connect(m_pMainFrame.get(), &CMainFrame::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths) {
            OpenDocumentFile(path);
        }
    });
    connect(m_pMainFrame.get(), &CMainFrame::LastFrameClosed, this,
            [this](CDalvexDoc* doc) { m_pManager->CloseDocument(doc); });
    connect(m_pMainFrame.get(), &CMainFrame::FrameClosing, this,
            [this] { m_pManager->CloseAll(); });
    m_pDocCommands = std::make_unique<YDocCommands>(*this);
    m_pReportCommands = std::make_unique<YReportCommands>(*this);
    RegisterCommands();
    // 10. A file named on the command line is opened; none: start without a project.
    for (const QString& file : files) {
        if (OpenDocumentFile(file) == nullptr) {
            return false;
        }
    }
    ConnectChooser();
    // 11. Shown maximised.
    m_pMainFrame->showMaximized();
    m_pMainFrame->UpdateCommandUI();
    return true;
}

void CDalvexApp::SetFileChooser(std::unique_ptr<YFileChooser> chooser) {
    m_pChooser = std::move(chooser);
    ConnectChooser();
}

void CDalvexApp::ConnectChooser() {
    m_pChooser->SetProjectFolderFinder([this] {
        const CDalvexDoc* doc = m_pMainFrame ? m_pMainFrame->ActiveDocument() : nullptr;
        return doc != nullptr ? QFileInfo(doc->GetPathName()).absolutePath() : QString();
    });
}

void CDalvexApp::RegisterCommands() {
    CMainFrame& frame = *m_pMainFrame;
    const auto hasDoc = [this] { return m_pMainFrame->ActiveDocument() != nullptr; };
    frame.SetCommand(YCmd::FileNew, {[this] { OnFileNew(); }, {}, {}});
    frame.SetCommand(YCmd::FileOpen, {[this] { OnFileOpen(); }, {}, {}});
    frame.SetCommand(YCmd::FileClose, {[this] { CloseActive(); }, hasDoc, {}});
    frame.SetCommand(YCmd::FileSaveAs, {[this] { SaveAs(); }, hasDoc, {}});
    frame.SetCommand(YCmd::FilePrintSetup, {[this] { PrintSetup(); }, {}, {}});
    frame.SetCommand(YCmd::AppExit, {[this] { Exit(); }, {}, {}});
    frame.SetCommand(YCmd::AppAbout, {[this] { CAboutDlg(m_pMainFrame.get()).exec(); }, {}, {}});
    frame.SetCommand(YCmd::Help, {[this] { ShowHelp(); }, {}, {}});
    for (int i = 0; i < YRecentFileList::MaxFiles; ++i) {
        frame.SetCommand(YCmd::FileMruFirst + i, {[this, i] { OpenRecent(i); }, {}, {}});
    }
    m_pDocCommands->Register(frame);
    m_pReportCommands->Register(frame);
    YTool::RegisterTools();
    YViewCommands(frame).Register();
    (new YAllocCommands(frame))->Register(); // owned by the frame
}

CDalvexDoc* CDalvexApp::OpenDocumentFile(const QString& path) {
    return m_pManager->OpenDocumentFile(path);
}

QString CDalvexApp::DefaultTitle() {
    // The document name of the template, numbered like every new document.
    return QString::fromUtf8(DocString).section(QLatin1Char('\n'), 6, 6) +
           QString::number(++m_nUntitled);
}

CDalvexDoc* CDalvexApp::OnFileNew() {
    const QString path = m_pChooser->SaveFileName(m_pMainFrame.get(), NewFilter, DefaultTitle(),
                                                  QStringLiteral("dvx"));
    if (path.isEmpty()) {
        return nullptr; // the new document is abandoned
    }
    return m_pManager->NewDocumentFile(path);
}

CDalvexDoc* CDalvexApp::OnFileOpen() {
    const QString path = m_pChooser->OpenFileName(m_pMainFrame.get(), OpenFilter);
    if (path.isEmpty()) {
        return nullptr;
    }
    return OpenDocumentFile(path);
}

void CDalvexApp::OpenRecent(int index) {
    const QString path = m_pMainFrame->RecentFiles().Files().value(index);
    if (!path.isEmpty() && OpenDocumentFile(path) == nullptr) {
        m_pMainFrame->RecentFiles().Remove(path); // a file that cannot be opened drops out
    }
}

void CDalvexApp::QueueFile(const QString& path) {
    m_pManager->QueueOpen(path);
}

CDalvexDoc* CDalvexApp::FindDocumentByGuid(const QString& guid) const {
    return m_pManager->FindOpenProject(guid);
}

void CDalvexApp::ListDocuments(std::vector<CDalvexDoc*>& docs) const {
    m_pManager->ListDocuments(docs);
}

void CDalvexApp::DocumentOpened(CDalvexDoc& doc) {
    m_pMainFrame->RecentFiles().Add(doc.GetPathName());
    m_pMainFrame->DPCtrlBar()->Attach(doc);
    doc.AddReactor(std::make_unique<YEyeReactor>(*m_pMainFrame->EyeWnd()));
    doc.AddReactor(std::make_unique<YToolReactor>());
    YAllocCommands::AttachDocument(doc);
    connect(&doc, &CDalvexDoc::ViewsUpdate, m_pMainFrame.get(), &CMainFrame::UpdateCommandUI);
    m_pMainFrame->CreateChildFrame(doc);
}

void CDalvexApp::DocumentClosing(CDalvexDoc& doc) {
    m_pMainFrame->CloseFramesOf(doc);
}

void CDalvexApp::ActivateDocument(CDalvexDoc& doc) {
    if (CChildFrame* frame = m_pMainFrame->FirstFrameOf(doc)) {
        frame->ActivateFrame();
    }
}

void CDalvexApp::CloseActive() {
    if (CDalvexDoc* doc = m_pMainFrame->ActiveDocument()) {
        m_pManager->CloseDocument(doc);
    }
}

void CDalvexApp::SaveAs() {
    CDalvexDoc* doc = m_pMainFrame->ActiveDocument();
    if (doc == nullptr) {
        return;
    }
    const QString path =
        m_pChooser->SaveFileName(m_pMainFrame.get(), NewFilter,
                                 QFileInfo(doc->GetPathName()).fileName(), QStringLiteral("dvx"));
    // The copy is a snapshot: the open project stays on its own file.
    if (!path.isEmpty() && !doc->DoSave(path)) {
        m_pIO->Error(QStringLiteral("未能保存文档。"));
    }
}

void CDalvexApp::Exit() {
    m_pMainFrame->close();
}

void CDalvexApp::ShowHelp() {
    QDesktopServices::openUrl(QUrl::fromLocalFile(YConf::Instance().Text(3)));
}

void CDalvexApp::PrintSetup() {
    QPrinter printer;
    QPageSetupDialog dialog(&printer, m_pMainFrame.get());
    dialog.exec();
}
