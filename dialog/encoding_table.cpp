// The table of every encoding of a small format, in Qt Widgets. Its texts
// come from EncodingList; this file lays them out and names every control in
// the chosen language.
#include "dialog/encoding_table.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <string>

#include "dialog/dialog_qt.h"
#include "text/bilingual.h"

namespace {

QString Say(const bilingual::Text& text, int lang) { return FromWindows1252(bilingual::PickString(text, lang)); }

// The rows as a model: the view asks only for the cells it shows.
class EncodingModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    std::vector<EncodingEntry> entries;
    QStringList headers;

    void Reset(std::vector<EncodingEntry> rows) {
        beginResetModel();
        entries = std::move(rows);
        endResetModel();
    }
    void Classes(const std::vector<EncodingEntry>& rows) {
        for (std::size_t r = 0; r < rows.size() && r < entries.size(); ++r) entries[r].klass = rows[r].klass;
        if (!entries.empty()) emit dataChanged(index(0, 3), index(rowCount() - 1, 3));
    }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
        const EncodingEntry& e = entries[static_cast<std::size_t>(index.row())];
        const std::string* texts[] = {&e.bits, &e.hex, &e.value, &e.klass};
        return FromWindows1252(*texts[index.column()]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headers.size())
            return headers[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    void SetHeaders(const QStringList& texts) {
        headers = texts;
        emit headerDataChanged(Qt::Horizontal, 0, 3);
    }
};

// Enter on a row chooses it, as a click does.
class EncodingGrid : public QTableView {
public:
    using QTableView::QTableView;
    std::function<void(int)> chosen;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentIndex().isValid()) {
            if (chosen) chosen(currentIndex().row());
            return;
        }
        QTableView::keyPressEvent(event);
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
        model_ = new EncodingModel(this);
        table_ = new EncodingGrid(this);
        table_->setModel(model_);
        table_->setObjectName("IDC_ENCODINGS_TABLE");
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->verticalHeader()->setVisible(false);
        table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->setTabKeyNavigation(false);
        table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
        heading_->setBuddy(table_);
        close_ = new QPushButton(this);
        close_->setObjectName("IDC_ENCODINGS_CLOSE");
        layout->addWidget(heading_);
        layout->addWidget(table_, 1);
        layout->addWidget(close_, 0, Qt::AlignRight);
        connect(close_, &QPushButton::clicked, this, &QDialog::close);
        connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) { Choose(index.row()); });
        table_->chosen = [this](int row) { Choose(row); };
        resize(560, 480);
        Captions();
    }

    int Refill() {
        const ieee::FormatInfo* f = host_.format ? host_.format() : nullptr;
        const int lang = host_.language ? host_.language() : 1;
        if (f != nullptr && f->kind == kind_ && lang == lang_ && !model_->entries.empty()) {
            // The same format: the rows stay (a click on one of them may be
            // what changed the main dialog).
            MarkCurrent();
            return static_cast<int>(model_->entries.size());
        }
        lang_ = lang;
        kind_ = f ? f->kind : 0;
        model_->Reset(f ? EncodingList(*f, lang) : std::vector<EncodingEntry>{});
        FitColumns();
        name_ = f ? f->name : "";
        Captions();
        MarkCurrent();
        return static_cast<int>(model_->entries.size());
    }

    // The row of the main dialog's pattern is the current one.
    void MarkCurrent() {
        if (!host_.isCurrent || !host_.isCurrent() || !host_.currentPattern) return;
        const ieee::uint128 p = host_.currentPattern();
        if (p < model_->entries.size()) table_->selectRow(static_cast<int>(p));
    }

    void Retranslate() {
        Captions();
        const int lang = host_.language ? host_.language() : 1;
        if (model_->entries.empty() || lang == lang_) return;
        // The class column follows the language.
        lang_ = lang;
        model_->Classes(EncodingList(*ieee::FormatFor(kind_), lang));
        FitColumns();
    }

    void Captions() {
        const int lang = host_.language ? host_.language() : 1;
        setWindowTitle(Say({"Codarile formatului", "Encodings of the format"}, lang) + " " +
                       QString::fromLatin1(name_.c_str()));
        model_->SetHeaders({Say({"Biti", "Bits"}, lang), Say({"Hex", "Hex"}, lang),
                            Say({"Valoare exacta", "Exact value"}, lang), Say({"Clasa", "Class"}, lang)});
        heading_->setText(model_->entries.empty()
                              ? Say({"Formatul ales are mai mult de 8 biti: nu are tabel de codari.",
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
    // Each column as wide as its longest text (measured, not laid out item by item).
    void FitColumns() {
        const QFontMetrics metrics(table_->font());
        for (int column = 0; column < 3; ++column) {
            int width = metrics.horizontalAdvance(model_->headers.value(column));
            for (const EncodingEntry& e : model_->entries) {
                const std::string& text = column == 0 ? e.bits : column == 1 ? e.hex : e.value;
                width = std::max(width, metrics.horizontalAdvance(FromWindows1252(text)));
            }
            table_->horizontalHeader()->resizeSection(column, width + 16);
        }
    }

    void Choose(int row) {
        if (row < 0 || row >= static_cast<int>(model_->entries.size()) || !host_.choose) return;
        host_.choose(kind_, model_->entries[static_cast<std::size_t>(row)].pattern);
    }

    EncodingTableHost host_;
    QLabel* heading_ = nullptr;
    EncodingGrid* table_ = nullptr;
    QPushButton* close_ = nullptr;
    EncodingModel* model_ = nullptr;
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
