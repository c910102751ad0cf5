#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace asv {

class HCText;
class OstraGraph;

// The graph window: the graph control with its display settings, paging, print and colours. The
// report that fills it hands over labels and values only.
class FrmOstraGraph : public QWidget {
    Q_OBJECT
public:
    explicit FrmOstraGraph(QWidget* parent = nullptr);
    ~FrmOstraGraph() override;

    void ClearGraph();
    void AddData(const QString& label, double value);
    // Draws the current page with the stored settings and shows the page and the count.
    void ReDrawGraph();
    // -1 the previous page, +1 the next.
    void cmdMovePage(int step);

private:
    // Maximum columns, maximum Y, bottom margin: numbers of 1 or more.
    void maxFieldDone(int index);
    void showMaxFields();
    void chooseColour(bool bar);
    void printGraph();

    OstraGraph* m_graph;
    QList<HCText*> m_htMax;
    QComboBox* m_cboGraphType;
    QComboBox* m_cboUnit;
    QPushButton* m_cmdPrev;
    QPushButton* m_cmdNext;
    QLabel* m_lblPage;
    QLabel* m_lblCount;
};

} // namespace asv
