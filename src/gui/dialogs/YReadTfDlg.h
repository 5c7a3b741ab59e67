#pragma once

#include "core/import/TfFormat.h"
#include "core/import/YTfImport.h"

#include <QDialog>

class CDalvexDoc;
class YFileChooser;
class YPropertyGrid;
class YReadPropertyItemManager;
class YUserIO;

// "土方数据格式 选择/修改/定义": choose, change or define the layout of an earthwork text
// file. Opened on a profile slot (or on none: all defaults, name "自定义"). OK checks the name
// and the columns; whether confirmed or cancelled, the format is then stored in the profile
// under its name (never as "自定义" or without a name).
class YReadTfDlg : public QDialog {
    Q_OBJECT
  public:
    static constexpr int GridId = 1052;

    // slot: 0–9, or −1 for none.
    YReadTfDlg(int slot, YUserIO& io, QWidget* parent = nullptr);
    ~YReadTfDlg() override;

    const TfFormat& Format() const;
    YPropertyGrid& Grid() const { return *m_pGrid; }

    void accept() override;

    // Asks for the file ("%s 土方文件(*.%s)") and reads it into the project with the format;
    // the import reports "读入土方数据完成! ". False when cancelled or not read.
    static bool ImportFile(CDalvexDoc& doc, YFileChooser& chooser, const TfFormat& format,
                           YTfImport::Scope scope, QWidget* parent);

  private:
    YUserIO& m_io;
    YPropertyGrid* m_pGrid;
    YReadPropertyItemManager* m_pManager;
};
