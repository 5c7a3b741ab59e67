#pragma once

#include <QTableView>
#include <vector>

// A report-style list of the allocation panes: whole-row single selection shown also without
// focus, grid lines, centred columns, rows supplied by the model on demand. Each column keeps
// its width as a fraction of the list's width: a border the user drags updates the fraction,
// a resize of the pane gives every column its fraction of the new width.
class YControlBar;

class YFractionTableView : public QTableView {
    Q_OBJECT
  public:
    explicit YFractionTableView(std::vector<double> fractions, QWidget* parent = nullptr);

    const std::vector<double>& Fractions() const { return m_fractions; }
    void setModel(QAbstractItemModel* model) override;

  protected:
    // Shows the model in the list and the bar while bWanted (a document with segments), as far
    // as the user's check mark of the bar allows; without it the bar's command is greyed.
    void Follow(YControlBar& bar, QAbstractItemModel* model, bool bWanted);
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ApplyFractions();
    void OnSectionResized(int column, int oldSize, int newSize);

    std::vector<double> m_fractions;
    bool m_bApplying = false;
};
