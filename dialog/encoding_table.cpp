// The table of every encoding of a small format, in Qt Widgets. Its texts
// come from EncodingList; this file lays them out and names every control in
// the chosen language.
#include "dialog/encoding_table.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>
#include <string>

#include "dialog/dialog_qt.h"
#include "text/bilingual.h"

namespace {

QString Say(const bilingual::Text& text, int lang) { return FromWindows1252(bilingual::PickString(text, lang)); }

// Enter on a row chooses it, as a click does.
class EncodingGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void(int)> chosen;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
            if (chosen) chosen(currentRow());
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

class EncodingWindow : public QDialog {
public:
    EncodingWindow(const EncodingTableHost& host, QWidget* parent) : QDialog(parent), host_(host) {
        setObjectName("IDD_ENCODINGS");
        setModal(false);
        auto* layout = new QVBoxLayout(this);
        heading_ = new QLabel(this);
        heading_->setObjectName("IDC_ENCODINGS_HEADING");
        table_ = new EncodingGrid(0, 4, this);
        table_->setObjectName("IDC_ENCODINGS_TABLE");
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->verticalHeader()->setVisible(false);
        table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->setTabKeyNavigation(false);
        heading_->setBuddy(table_);
        close_ = new QPushButton(this);
        close_->setObjectName("IDC_ENCODINGS_CLOSE");
        layout->addWidget(heading_);
        layout->addWidget(table_, 1);
        layout->addWidget(close_, 0, Qt::AlignRight);
        connect(close_, &QPushButton::clicked, this, &QDialog::close);
        connect(table_, &QTableWidget::cellClicked, this, [this](int row, int) { Choose(row); });
        table_->chosen = [this](int row) { Choose(row); };
        resize(560, 480);
        Captions();
    }

    int Refill() {
        const ieee::FormatInfo* f = host_.format ? host_.format() : nullptr;
        const int lang = host_.language ? host_.language() : 1;
        if (f != nullptr && f->kind == kind_ && lang == lang_ && !entries_.empty()) {
            // The same format: the rows stay (a click on one of them may be
            // what changed the main dialog).
            MarkCurrent();
            return static_cast<int>(entries_.size());
        }
        lang_ = lang;
        entries_ = f ? EncodingList(*f, lang) : std::vector<EncodingEntry>{};
        kind_ = f ? f->kind : 0;
        table_->setUpdatesEnabled(false);
        table_->clearContents();
        table_->setRowCount(static_cast<int>(entries_.size()));
        for (int r = 0; r < static_cast<int>(entries_.size()); ++r) {
            const EncodingEntry& e = entries_[static_cast<std::size_t>(r)];
            const std::string* texts[] = {&e.bits, &e.hex, &e.value, &e.klass};
            for (int column = 0; column < 4; ++column)
                table_->setItem(r, column, new QTableWidgetItem(FromWindows1252(*texts[column])));
        }
        table_->resizeColumnsToContents();
        table_->setUpdatesEnabled(true);
        name_ = f ? f->name : "";
        Captions();
        MarkCurrent();
        return static_cast<int>(entries_.size());
    }

    // The row of the main dialog's pattern is the current one.
    void MarkCurrent() {
        if (!host_.isCurrent || !host_.isCurrent() || !host_.currentPattern) return;
        const ieee::uint128 p = host_.currentPattern();
        if (p < entries_.size()) table_->selectRow(static_cast<int>(p));
    }

    void Retranslate() {
        Captions();
        const int lang = host_.language ? host_.language() : 1;
        if (entries_.empty() || lang == lang_) return;
        // The class column follows the language.
        lang_ = lang;
        const std::vector<EncodingEntry> texts = EncodingList(*ieee::FormatFor(kind_), lang);
        for (int r = 0; r < static_cast<int>(texts.size()) && r < table_->rowCount(); ++r)
            if (QTableWidgetItem* item = table_->item(r, 3))
                item->setText(FromWindows1252(texts[static_cast<std::size_t>(r)].klass));
    }

    void Captions() {
        const int lang = host_.language ? host_.language() : 1;
        setWindowTitle(Say({"Codarile formatului", "Encodings of the format"}, lang) + " " +
                       QString::fromLatin1(name_.c_str()));
        table_->setHorizontalHeaderLabels({Say({"Biti", "Bits"}, lang), Say({"Hex", "Hex"}, lang),
                                           Say({"Valoare exacta", "Exact value"}, lang),
                                           Say({"Clasa", "Class"}, lang)});
        heading_->setText(entries_.empty() ? Say({"Formatul ales are mai mult de 8 biti: nu are tabel de codari.",
                                                  "The chosen format has more than 8 bits: it has no table."},
                                                 lang)
                                           : Say({"Click sau Enter pe un rand: modelul devine data.",
                                                  "Click or Enter on a row: the pattern becomes the datum."},
                                                 lang));
        table_->setAccessibleName(Say({"Tabelul codarilor", "Table of encodings"}, lang) + " " +
                                  QString::fromLatin1(name_.c_str()));
        table_->setAccessibleDescription(heading_->text());
        close_->setText(Say({"Inchide", "Close"}, lang));
        close_->setAccessibleName(close_->text());
    }

private:
    void Choose(int row) {
        if (row < 0 || row >= static_cast<int>(entries_.size()) || !host_.choose) return;
        host_.choose(kind_, entries_[static_cast<std::size_t>(row)].pattern);
    }

    EncodingTableHost host_;
    QLabel* heading_ = nullptr;
    EncodingGrid* table_ = nullptr;
    QPushButton* close_ = nullptr;
    std::vector<EncodingEntry> entries_;
    std::string name_;
    int kind_ = 0;
    int lang_ = 0;
};

QPointer<EncodingWindow> g_window;

}  // namespace

void ENCODING_TABLE_OPEN(const EncodingTableHost& host, DIALOG& owner) {
    if (!g_window) {
        g_window = new EncodingWindow(host, DialogWindow(owner));
        g_window->Refill();
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
}

void ENCODING_TABLE_FOLLOW() {
    if (g_window) g_window->Refill();
}

void ENCODING_TABLE_LANGUAGE_CHANGED() {
    if (g_window) g_window->Retranslate();
}

void ENCODING_TABLE_CLOSE() { delete g_window.data(); }

int ENCODING_TABLE_REFILL() { return g_window ? g_window->Refill() : -1; }
