#pragma once

#include "core/document/CDalvexDoc.h"
#include "gui/widgets/YControlBar.h"

#include <QPointer>

class CDPCtrlPropertyItemManager;
class YDPSettingsModel;
class YPropertyGrid;

// The pane "调配设置": a property grid over the program-wide allocation settings (categories
// "选项" and "参数"). Every change takes effect at the next allocation command; nothing is
// stored. The pane shows itself while the active project has segments and hides otherwise.
class YDPCtrlBar : public YControlBar {
    Q_OBJECT
  public:
    static constexpr int MinWidth = 200;
    static constexpr int MinHeight = 150;

    explicit YDPCtrlBar(QWidget* parent = nullptr);
    ~YDPCtrlBar() override;

    YPropertyGrid& Grid() const { return *m_pGrid; }
    YDPSettingsModel& Model() const { return *m_pModel; }

    // Gives the document the pane's observer (once per document).
    void Attach(CDalvexDoc& doc);
    // The active project changed (null: none); the pane follows it at the next idle moment.
    void Activate(CDalvexDoc* doc);
    // A project's contents changed; only the active one matters.
    void DocumentChanged(CDalvexDoc* doc);
    CDalvexDoc* ActiveDocument() const { return m_pActive; }

  protected:
    void OnIdleUpdate() override;

  private:
    void Follow();

    YPropertyGrid* m_pGrid;
    YDPSettingsModel* m_pModel;
    CDPCtrlPropertyItemManager* m_pManager;
    QPointer<CDalvexDoc> m_pActive;
    bool m_bWanted = false;
};
