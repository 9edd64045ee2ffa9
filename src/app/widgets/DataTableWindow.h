#pragma once

#include "core/draw/PlotText.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace yarrow {

// The plotted points of a picture as a grid a screen reader can read, with Copy: the text
// alternative of a plot. One window per owner, filled afresh each time it is asked for.
//
//     DataTableWindow::Show(this, PlotDataTable(box->Plot(), box->Subject()), "Curves", box->accessibleName());
class DataTableWindow : public QDialog {
    Q_OBJECT
public:
    explicit DataTableWindow(QWidget* parent = nullptr);

    void SetTable(const PlotTable& table, const QString& description);
    QTableWidget* Table() const { return table_; }
    // The whole table, headings first, as TAB text on the clipboard.
    void CopyAll() const;

    // Opens (or raises and refills) the owner's data table window.
    static DataTableWindow* Show(QWidget* owner, const PlotTable& table, const QString& title,
                                 const QString& description);

private:
    QLabel* about_ = nullptr;
    QTableWidget* table_ = nullptr;
    PlotTable data_;
};

} // namespace yarrow
