#include "widgets/DataTableWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace yarrow {

DataTableWindow::DataTableWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmDataTable");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    about_ = new QLabel(this);
    about_->setObjectName("lblDataTableAbout");
    about_->setWordWrap(true);
    about_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    column->addWidget(about_);
    table_ = new QTableWidget(this);
    table_->setObjectName("gridDataTable");
    table_->setAccessibleName("Plotted points");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(table_, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* copy = buttons->addButton("&Copy", QDialogButtonBox::ActionRole);
    copy->setObjectName("cmdDataTableCopy");
    copy->setAccessibleName("Copy data table");
    copy->setToolTip("Copy every row, headings first, as TAB-separated text (Ctrl+C)");
    connect(copy, &QPushButton::clicked, this, &DataTableWindow::CopyAll);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName("cmdDataTableClose");
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    column->addWidget(buttons);
    // Ctrl+C in the grid copies the whole table: the points are read as one list.
    auto* copyKey = new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, this, &DataTableWindow::CopyAll);
    resize(560, 480);
}

void DataTableWindow::SetTable(const PlotTable& table, const QString& description) {
    data_ = table;
    about_->setText(description);
    table_->setAccessibleDescription(description);
    table_->clear();
    table_->setColumnCount(static_cast<int>(table.headings.size()));
    table_->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headings;
    for (const std::string& h : table.headings)
        headings << QString::fromStdString(h);
    table_->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const auto& row = table.rows[static_cast<size_t>(r)];
        for (int c = 0; c < table_->columnCount() && c < static_cast<int>(row.size()); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(row[static_cast<size_t>(c)]));
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    table_->resizeColumnsToContents();
    if (table_->rowCount() > 0)
        table_->setCurrentCell(0, 0);
}

void DataTableWindow::CopyAll() const {
    QApplication::clipboard()->setText(QString::fromStdString(data_.Text()));
}

DataTableWindow* DataTableWindow::Show(QWidget* owner, const PlotTable& table, const QString& title,
                                       const QString& description) {
    auto* w = owner->findChild<DataTableWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!w)
        w = new DataTableWindow(owner);
    w->setWindowTitle(title);
    w->SetTable(table, description);
    w->show();
    w->raise();
    w->activateWindow();
    w->table_->setFocus();
    return w;
}

} // namespace yarrow
