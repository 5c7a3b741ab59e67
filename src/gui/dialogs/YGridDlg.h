#pragma once

#include "gui/dialogs/YGridModel.h"

#include <QDialog>

class CDalvexDoc;
class QPushButton;
class YRecordset;
class QTableView;
class YFileChooser;
struct YInputTableDef;

// Base of the data-entry dialogs with a grid bound to one input table: the grid, buttons to
// add and delete rows, export and import of the rows as text, OK and Cancel. While the project
// has results its input is read-only ("(只读)") or, for structures and pits, only the existing
// cells stay editable ("(部分只读)"); import, new rows and deletions are then refused.
class YGridDlg : public QDialog {
    Q_OBJECT
  public:
    struct Setup {
        QString title;
        QString table;
        std::vector<YGridModel::Column> columns; // the record source, in grid order
        QString sort;                            // sort column of the grid's rows, or empty
        bool bPartlyEditable = false; // existing cells stay editable when the project has results
        bool bExport = true;          // offers text export and import
        bool bResizable = false;
        QString placementKey; // profile entry of the remembered placement, or empty
    };

    YGridDlg(CDalvexDoc& doc, YFileChooser& chooser, Setup setup, QWidget* parent = nullptr);
    ~YGridDlg() override;

    CDalvexDoc& Document() const { return m_doc; }
    YGridModel& Model() const { return *m_pModel; }
    QTableView& View() const { return *m_pView; }
    QPushButton* ImportButton() const { return m_pImport; }
    QPushButton* ExportButton() const { return m_pExport; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    bool IsProjectEditable() const { return m_bEditable; }

    // The export and import of the rows (the handlers of the two buttons).
    void Export();
    void Import();
    void accept() override;

  protected:
    // The dialog's checks and edits on OK; false keeps it open.
    [[nodiscard]] virtual bool OnOk() { return true; }
    // The import of this dialog (the text rows of the table by default).
    virtual void DoImport();
    // The text layout of the table, or null when the dialog has none.
    virtual const YInputTableDef* TextDef() const;
    YFileChooser& Chooser() const { return m_chooser; }
    // OK of the station-keyed tables: while the input may change, each row's numeric station
    // follows its text (stopping at a text that does not read, or with the message, at a
    // repeated one); then the document's record set of the table reads the rows again.
    void SyncStations(YRecordset& documentSet);
    void Refresh();
    void done(int result) override;

  private:
    void SavePlacement() const;
    void RestorePlacement();

    CDalvexDoc& m_doc;
    YFileChooser& m_chooser;
    Setup m_setup;
    bool m_bEditable = true;
    YGridModel* m_pModel = nullptr;
    QTableView* m_pView = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
    QPushButton* m_pExport = nullptr;
    QPushButton* m_pImport = nullptr;
};
