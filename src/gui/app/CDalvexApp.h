#pragma once

#include "core/document/YDocFrontEnd.h"
#include "core/platform/YUserIO.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class CMainFrame;
class CDalvexDoc;
class YDocCommands;
class YReportCommands;
class YDocManager;
class YFileChooser;

// The desktop program (土石方调配): starts up in its fixed order, owns the open-project
// registry and the main frame, handles the application's commands (new, open, recent files,
// help, about, exit) and shows every project that the registry opens in a window of its own.
class CDalvexApp : public QObject, public YDocFrontEnd {
    Q_OBJECT
  public:
    // Document template string: file-type name, filter, extension, registry id, document name.
    static constexpr const char* DocString = "\n土石方调配文件\n土石方调配文件\n土石方调配文件(*."
                                             "dvx)\n.dvx\nDalvex.Document\n土石方调配文件";

    // io: where messages go (null: message boxes over the main frame).
    explicit CDalvexApp(std::unique_ptr<YUserIO> io = nullptr, QObject* parent = nullptr);
    ~CDalvexApp() override;

    // Installs Qt's own Chinese translations for the stock dialogs; false when they are not
    // installed.
    static bool LoadQtTranslations();
    // Start-up with the program's arguments (the project file to open, if any). False when the
    // named file cannot be opened: the program then ends.
    [[nodiscard]] bool InitInstance(const QStringList& files);

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    YDocManager& DocManager() const { return *m_pManager; }
    YUserIO& UserIO() const { return *m_pIO; }
    YFileChooser& FileChooser() const { return *m_pChooser; }
    void SetFileChooser(std::unique_ptr<YFileChooser> chooser);

    // Opens a project and the neighbours it brings along; null on failure.
    CDalvexDoc* OpenDocumentFile(const QString& path);
    // "新建": asks where, then creates the project from the template. Null when cancelled.
    CDalvexDoc* OnFileNew();
    // "打开": asks for a project file and opens it. Null when cancelled or failed.
    CDalvexDoc* OnFileOpen();
    // Queues a project file to open after the one being opened.
    void QueueFile(const QString& path);
    CDalvexDoc* FindDocumentByGuid(const QString& guid) const;
    void ListDocuments(std::vector<CDalvexDoc*>& docs) const;

    // YDocFrontEnd
    void DocumentOpened(CDalvexDoc& doc) override;
    void DocumentClosing(CDalvexDoc& doc) override;
    void ActivateDocument(CDalvexDoc& doc) override;

  private:
    // The chooser opens its dialogs in the active project's folder.
    void ConnectChooser();
    void RegisterCommands();
    void OpenRecent(int index);
    void SaveAs();
    void CloseActive();
    void Exit();
    void ShowHelp();
    void PrintSetup();
    QString DefaultTitle();

    std::unique_ptr<YUserIO> m_pIO;
    std::unique_ptr<YFileChooser> m_pChooser;
    std::unique_ptr<YDocManager> m_pManager;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    std::unique_ptr<YDocCommands> m_pDocCommands;
    std::unique_ptr<YReportCommands> m_pReportCommands;
    int m_nUntitled = 0;
};
