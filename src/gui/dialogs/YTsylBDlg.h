#pragma once

#include "core/reports/YHaulTable.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;
class YUserIO;

// "路基土石方运量统计表": the names of the construction methods, the manual share and the
// distance limits, and whether each method's second column is the average haul distance or
// the haul volume. "输出" checks the numbers first and keeps the dialog open on a bad one.
class YTsylBDlg : public QDialog {
    Q_OBJECT
  public:
    YTsylBDlg(YUserIO& io, QWidget* parent = nullptr);

    YHaulTableOptions Options() const { return m_options; }
    // The text fields by their position: 0 manual name, 1 share, 2 bulldozer, 3 its limit,
    // 4 scraper, 5 its limit, 6 excavator, 7 rock bulldozer, 8 its limit, 9 rock manual,
    // 10 its limit, 11 dump truck.
    QLineEdit* Field(int i) const { return m_fields[size_t(i)]; }
    QRadioButton* VolumeRadio() const { return m_pVolume; }

    void accept() override;

  private:
    YUserIO& m_io;
    YHaulTableOptions m_options;
    std::array<QLineEdit*, 12> m_fields{};
    QRadioButton* m_pDistance = nullptr;
    QRadioButton* m_pVolume = nullptr;
};
