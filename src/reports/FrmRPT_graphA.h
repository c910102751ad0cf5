#pragma once

#include <QWidget>

class QButtonGroup;

namespace asv {

class FrmOstraGraph;
class HCTerm;
class ucFindBox;

// The sales graph: sales totals or charged AS amounts of a period summed per day, month or year,
// optionally for one product, drawn in the graph window below the filters.
class FrmRPT_graphA : public QWidget {
    Q_OBJECT
public:
    explicit FrmRPT_graphA(QWidget* parent = nullptr);

    void query();

    QSize sizeHint() const override { return {1000, 640}; }

private:
    HCTerm* m_hmDate;
    ucFindBox* m_fbProd;
    QButtonGroup* m_optCustType;
    QButtonGroup* m_optType;
    FrmOstraGraph* m_graph;
};

} // namespace asv
