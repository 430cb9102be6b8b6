// The Compare formats window in Qt Widgets. Every text of its table comes
// from compareview::Build; this file lays the widgets out, follows the value
// field, puts the texts on the cells (only those that changed) and names
// every control in the chosen language.
#include "dialog/compare_window.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <string>

#include "dialog/dialog_qt.h"
#include "numeric/compare_view.h"
#include "numeric/ieee/format_table.h"
#include "text/bilingual.h"

namespace {

QString Say(const bilingual::Text& text, int lang) {
    const std::string_view s = bilingual::Pick(text, lang);
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

class CompareWindow : public QDialog {
public:
    CompareWindow(const CompareHost& host, QLineEdit* value, QWidget* parent)
        : QDialog(parent), host_(host), value_(value) {
        setObjectName(QStringLiteral("IDD_COMPARE"));
        setModal(false);
        auto* top = new QVBoxLayout(this);
        const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));

        auto* numberRow = new QHBoxLayout;
        numberLabel_ = new QLabel(this);
        number_ = new QLineEdit(this);
        number_->setObjectName(QStringLiteral("compare_number"));
        number_->setReadOnly(true);
        numberLabel_->setBuddy(number_);
        numberRow->addWidget(numberLabel_);
        numberRow->addWidget(number_, 1);
        top->addLayout(numberRow);

        tableLabel_ = new QLabel(this);
        const int rows = static_cast<int>(ieee::AllFormats().size());
        table_ = new QTableWidget(rows, compareview::kColumns, this);
        table_->setObjectName(QStringLiteral("compare_table"));
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setTabKeyNavigation(false);
        table_->setWordWrap(false);
        table_->verticalHeader()->hide();
        table_->horizontalHeader()->setStretchLastSection(true);
        const int widths[compareview::kColumns] = {10, 42, 36, 28, 10, 10};  // in digits
        for (int c = 0; c < compareview::kColumns; ++c) table_->setColumnWidth(c, (widths[c] + 2) * digit);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < compareview::kColumns; ++c) table_->setItem(r, c, new QTableWidgetItem);
        table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height() +
                                 rows * table_->verticalHeader()->defaultSectionSize() + 4);
        tableLabel_->setBuddy(table_);
        top->addWidget(tableLabel_);
        top->addWidget(table_, 1);

        hint_ = new QLabel(this);
        hint_->setWordWrap(true);
        top->addWidget(hint_);
        auto* buttons = new QHBoxLayout;
        close_ = new QPushButton(this);
        close_->setObjectName(QStringLiteral("close"));
        close_->setAutoDefault(false);
        buttons->addStretch();
        buttons->addWidget(close_);
        top->addLayout(buttons);

        connect(close_, &QPushButton::clicked, this, &QDialog::close);
        // Enter on a row, or a double click, chooses its format.
        connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) { Choose(index.row()); });
        if (value_) connect(value_, &QLineEdit::textChanged, this, [this] { Refresh(); });

        int width = 4 * digit;
        for (int c = 0; c < compareview::kColumns; ++c) width += table_->columnWidth(c);
        resize(width, sizeHint().height());
        Retranslate();
        int first = 0;
        const int kind = host_.currentKind ? host_.currentKind() : 0;
        for (const ieee::FormatInfo& f : ieee::AllFormats())
            if (f.kind == kind) first = static_cast<int>(&f - ieee::AllFormats().data());
        table_->setCurrentCell(first, 0);
    }

    void Retranslate() {
        lang_ = host_.language ? host_.language() : 1;
        setWindowTitle(Say({"Comparatie formate", "Compare formats"}, lang_));
        numberLabel_->setText(Say({"&Numarul din campul valorii:", "&Number in the value field:"}, lang_));
        Name(number_, Say({"Numarul din campul valorii", "Number in the value field"}, lang_));
        tableLabel_->setText(Say({"&Formatele", "&Formats"}, lang_));
        Name(table_, Say({"Numarul in fiecare format", "The number in every format"}, lang_));
        QStringList titles;
        for (int c = 0; c < compareview::kColumns; ++c) titles << FromWindows1252(compareview::ColumnTitle(c, lang_));
        table_->setHorizontalHeaderLabels(titles);
        hint_->setText(Say({"Enter sau dublu clic pe un rand: formatul lui devine alegerea dialogului principal.",
                            "Enter or a double click on a row: its format becomes the main dialog's choice."},
                           lang_));
        close_->setText(Say({"Inchide", "Close"}, lang_));
        Name(close_, close_->text());
        Refresh();
    }

    // The rows for the value field's text of this moment. A closed (hidden)
    // window costs the keystrokes nothing; it catches up when shown.
    void Refresh() {
        if (!isVisible()) return;
        const QString typed = value_ ? value_->text() : QString();
        if (number_->text() != typed) {
            number_->setText(typed);
            number_->setCursorPosition(0);
        }
        const std::string text = ToWindows1252(typed);
        rows_ = compareview::Build(text, lang_);
        for (int r = 0; r < static_cast<int>(rows_.size()) && r < table_->rowCount(); ++r)
            for (int c = 0; c < compareview::kColumns; ++c) {
                QTableWidgetItem* item = table_->item(r, c);
                const QString shown = FromWindows1252(rows_[static_cast<std::size_t>(r)].cells[c]);
                if (item->text() != shown) item->setText(shown);
            }
    }

    void FocusTable() { table_->setFocus(Qt::OtherFocusReason); }

protected:
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        Refresh();
    }

private:
    static void Name(QWidget* w, const QString& name) {
        if (w && w->accessibleName() != name) w->setAccessibleName(name);
    }

    void Choose(int row) {
        if (row < 0 || row >= static_cast<int>(rows_.size()) || !host_.chooseFormat) return;
        if (!host_.chooseFormat(rows_[static_cast<std::size_t>(row)].format->kind)) QApplication::beep();
    }

    CompareHost host_;
    QPointer<QLineEdit> value_;
    int lang_ = 1;
    std::vector<compareview::Row> rows_;
    QLabel* numberLabel_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLabel* tableLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* hint_ = nullptr;
    QPushButton* close_ = nullptr;
};

QPointer<CompareWindow> g_window;

}  // namespace

void COMPARE_OPEN(const CompareHost& host, DIALOG& owner) {
    if (!g_window) {
        auto* value = qobject_cast<QLineEdit*>(DialogControl(owner, host.valueControl));
        g_window = new CompareWindow(host, value, DialogWindow(owner));
        g_window->show();
        g_window->FocusTable();
    } else {
        g_window->show();
    }
    g_window->raise();
    g_window->activateWindow();
}

void COMPARE_LANGUAGE_CHANGED() {
    if (g_window) g_window->Retranslate();
}

void COMPARE_CLOSE() { delete g_window.data(); }
