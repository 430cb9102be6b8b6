// The Operations window in Qt Widgets. Every text it shows comes from
// opsview::Build; this file only lays the widgets out, reads the choices,
// puts the texts on the widgets (only those that changed) and names every
// control in the chosen language.
#include "dialog/operations_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QGuiApplication>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <limits>
#include <string>

#include "dialog/dialog_qt.h"
#include "dialog/widgets.h"
#include "numeric/ieee/scientific_text.h"
#include "numeric/ieee/stored_value.h"
#include "numeric/operations_view.h"
#include "numeric/rounding_steps_view.h"
#include "dialog/steps_window_qt.h"

namespace {

struct Words {
    const char* romanian;
    const char* english;
};

QString Say(const Words& w, int lang) {
    return QString::fromLatin1(opsview::LanguageIndex(lang) == 1 ? w.english : w.romanian);
}
QString FromStd(const std::string& text) { return FromWindows1252(text); }

// A flag indicator: a check box that only the program sets, so that a screen
// reader reads it as on or off and the user can reach it but not change it.
class Indicator : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

// A widget that fills its whole rectangle itself: when its text changes, the
// window and the group around it need not paint anything beneath it.
void Opaque(QWidget* w) { w->setAutoFillBackground(true); }

// A line edit with a plain one-pixel border instead of the style's rounded
// frame, whose antialiased outline costs more to paint than everything else
// a keystroke changes in this window.
class PlainEdit : public QLineEdit {
public:
    explicit PlainEdit(QWidget* parent) : QLineEdit(parent) {
        setFrame(false);
        setTextMargins(3, 2, 3, 2);
        Opaque(this);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QLineEdit* Display(QWidget* parent) {
    auto* edit = new PlainEdit(parent);
    edit->setReadOnly(true);
    edit->setMaxLength(std::numeric_limits<int>::max());
    return edit;
}

// A read-only box of several lines, the one the main dialog's exact value
// uses: a text of thousands of digits is laid out only where it is seen, is
// copied whole and reads to a screen reader as it copies.
QPlainTextEdit* TextBox(QWidget* parent, int lines) {
    auto* box = new dialog_qt::OrvaneTextBox(parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * lines + 12);
    return box;
}

void Show(QLineEdit* edit, const std::string& text) {
    const QString shown = FromStd(text);
    if (edit->text() != shown) {
        edit->setText(shown);
        edit->setCursorPosition(0);
    }
}
void Show(QPlainTextEdit* box, const std::string& text) {
    static_cast<dialog_qt::OrvaneTextBox*>(box)->ShowText(FromStd(text));
}

constexpr const char* kOperandNames[3] = {"a", "b", "c"};

class OperationsWindow : public QDialog {
public:
    OperationsWindow(const OperationsHost& host, QWidget* parent) : QDialog(parent), host_(host) {
        setObjectName(QStringLiteral("IDD_OPERATIONS"));
        setModal(false);
        // Everything but the buttons scrolls, so that the window fits any screen.
        auto* outer = new QVBoxLayout(this);
        auto* scroll = new QScrollArea(this);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidgetResizable(true);
        auto* content = new QWidget(scroll);
        auto* top = new QVBoxLayout(content);
        const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));

        // Format, operation and the target of a conversion.
        auto* choices = new QGridLayout;
        format_ = new QComboBox(this);
        operation_ = new QComboBox(this);
        target_ = new QComboBox(this);
        format_->setObjectName(QStringLiteral("format"));
        operation_->setObjectName(QStringLiteral("operation"));
        target_->setObjectName(QStringLiteral("target"));
        for (const ieee::FormatInfo& f : ieee::AllFormats()) {
            format_->addItem(QString::fromLatin1(f.name), f.kind);
            target_->addItem(QString::fromLatin1(f.name), f.kind);
        }
        // A custom width chosen in the main dialog is offered too.
        if (const ieee::FormatInfo* main = host_.currentKind ? ieee::FormatFor(host_.currentKind()) : nullptr;
            main != nullptr && format_->findData(main->kind) < 0) {
            format_->addItem(QString::fromLatin1(main->name), main->kind);
            target_->addItem(QString::fromLatin1(main->name), main->kind);
        }
        for (std::size_t k = 0; k < std::size(opsview::kAllOperations); ++k) operation_->addItem(QString());
        operation_->setMaxVisibleItems(12);
        formatLabel_ = Caption(format_);
        operationLabel_ = Caption(operation_);
        targetLabel_ = Caption(target_);
        choices->addWidget(formatLabel_, 0, 0);
        choices->addWidget(format_, 0, 1);
        choices->addWidget(operationLabel_, 0, 2);
        choices->addWidget(operation_, 0, 3);
        choices->addWidget(targetLabel_, 0, 4);
        choices->addWidget(target_, 0, 5);
        // The 8-bit formats' saturating conversion: an overflow gives the largest finite value.
        saturate_ = new QCheckBox(this);
        saturate_->setObjectName(QStringLiteral("saturate"));
        choices->addWidget(saturate_, 0, 6);
        choices->setColumnStretch(3, 1);
        top->addLayout(choices);

        // Rounding direction and tininess.
        auto* radios = new QHBoxLayout;
        roundingGroup_ = new QGroupBox(this);
        auto* roundingLayout = new QGridLayout(roundingGroup_);
        auto* roundingButtons = new QButtonGroup(this);
        for (std::size_t k = 0; k < rounding_.size(); ++k) {
            rounding_[k] = new QRadioButton(roundingGroup_);
            rounding_[k]->setObjectName(QStringLiteral("rounding%1").arg(k));
            roundingButtons->addButton(rounding_[k], static_cast<int>(k));
            roundingLayout->addWidget(rounding_[k], static_cast<int>(k % 3), static_cast<int>(k / 3));
        }
        rounding_[0]->setChecked(true);
        tininessGroup_ = new QGroupBox(this);
        auto* tininessLayout = new QVBoxLayout(tininessGroup_);
        auto* tininessButtons = new QButtonGroup(this);
        for (std::size_t k = 0; k < tininess_.size(); ++k) {
            tininess_[k] = new QRadioButton(tininessGroup_);
            tininess_[k]->setObjectName(QStringLiteral("tininess%1").arg(k));
            tininessButtons->addButton(tininess_[k], static_cast<int>(k));
            tininessLayout->addWidget(tininess_[k]);
        }
        tininess_[0]->setChecked(true);
        tininessLayout->addStretch();
        radios->addWidget(roundingGroup_, 3);
        radios->addWidget(tininessGroup_, 2);
        top->addLayout(radios);

        // Operands: the text, the button that takes the main dialog's
        // pattern, the stored pattern and the value.
        operandGroup_ = new QGroupBox(this);
        auto* operands = new QGridLayout(operandGroup_);
        for (int k = 0; k < 3; ++k) {
            Operand& o = operands_[static_cast<std::size_t>(k)];
            o.edit = new PlainEdit(operandGroup_);
            o.edit->setMaxLength(std::numeric_limits<int>::max());
            o.edit->setObjectName(QStringLiteral("operand_%1").arg(QLatin1String(kOperandNames[k])));
            o.label = Caption(o.edit);
            o.fromMain = new QPushButton(operandGroup_);
            o.fromMain->setObjectName(QStringLiteral("from_main_%1").arg(QLatin1String(kOperandNames[k])));
            o.hex = Display(operandGroup_);
            o.fields = Display(operandGroup_);
            o.value = Display(operandGroup_);
            o.value->setObjectName(QStringLiteral("operand_value_%1").arg(QLatin1String(kOperandNames[k])));
            o.value->setMinimumWidth(44 * digit);  // a binary128 scientific text
            o.hex->setMinimumWidth(37 * digit);    // a binary128 hexadecimal word
            o.hex->setObjectName(QStringLiteral("operand_hex_%1").arg(QLatin1String(kOperandNames[k])));
            operands->addWidget(o.label, 2 * k, 0);
            operands->addWidget(o.edit, 2 * k, 1, 1, 2);
            operands->addWidget(o.fromMain, 2 * k, 3);
            operands->addWidget(o.value, 2 * k, 4);
            operands->addWidget(o.hex, 2 * k + 1, 1);
            operands->addWidget(o.fields, 2 * k + 1, 2, 1, 3);
            connect(o.edit, &QLineEdit::textChanged, this, [this] { Update(); });
            connect(o.fromMain, &QPushButton::clicked, this, [this, k] { TakeFromMain(k); });
        }
        operands->setColumnStretch(2, 1);
        top->addWidget(operandGroup_);

        // The result in the chosen direction.
        resultGroup_ = new QGroupBox(this);
        auto* result = new QGridLayout(resultGroup_);
        exact_ = TextBox(resultGroup_, 2);
        exactMark_ = Display(resultGroup_);
        fields_ = Display(resultGroup_);
        hex_ = Display(resultGroup_);
        scientific_ = Display(resultGroup_);
        value_ = TextBox(resultGroup_, 2);
        error_ = TextBox(resultGroup_, 2);
        ulps_ = Display(resultGroup_);
        outcome_ = Display(resultGroup_);
        const std::array<std::pair<QWidget*, const char*>, 9> named{{{exact_, "exact"},
                                                                     {exactMark_, "exact_mark"},
                                                                     {fields_, "fields"},
                                                                     {hex_, "hex"},
                                                                     {scientific_, "scientific"},
                                                                     {value_, "value"},
                                                                     {error_, "error"},
                                                                     {ulps_, "error_ulps"},
                                                                     {outcome_, "outcome"}}};
        // Where each display goes: row, column of its caption (the display
        // follows it) and how many columns the display spans.
        const int places[9][3] = {{0, 0, 3}, {1, 0, 1}, {2, 0, 3}, {3, 0, 1}, {3, 2, 1},
                                  {4, 0, 3}, {5, 0, 3}, {6, 0, 1}, {1, 2, 1}};
        for (std::size_t k = 0; k < named.size(); ++k) {
            auto [widget, name] = named[k];
            widget->setObjectName(QLatin1String(name));
            QLabel* label = Caption(widget);
            resultLabels_.push_back(label);
            result->addWidget(label, places[k][0], places[k][1]);
            result->addWidget(widget, places[k][0], places[k][1] + 1, 1, places[k][2]);
        }
        hex_->setMinimumWidth(37 * digit);
        scientific_->setMinimumWidth(44 * digit);
        result->setColumnStretch(1, 1);
        result->setColumnStretch(3, 1);
        flagsLabel_ = new QLabel(resultGroup_);
        result->addWidget(flagsLabel_, 7, 0);
        auto* flagRow = new QHBoxLayout;
        for (int k = 0; k < 5; ++k) {
            flags_[static_cast<std::size_t>(k)] = new Indicator(resultGroup_);
            flags_[static_cast<std::size_t>(k)]->setObjectName(QStringLiteral("flag%1").arg(k));
            flagRow->addWidget(flags_[static_cast<std::size_t>(k)]);
        }
        flagRow->addStretch();
        result->addLayout(flagRow, 7, 1, 1, 3);
        top->addWidget(resultGroup_);

        // One row per direction.
        tableLabel_ = new QLabel(this);
        table_ = new QTableWidget(5, 4, this);
        table_->setObjectName(QStringLiteral("directions"));
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setTabKeyNavigation(false);
        table_->verticalHeader()->hide();
        table_->horizontalHeader()->setStretchLastSection(true);
        table_->setWordWrap(false);
        table_->setColumnWidth(0, fontMetrics().horizontalAdvance(QStringLiteral("roundTowardPositive")) + 4 * digit);
        table_->setColumnWidth(1, 37 * digit);
        table_->setColumnWidth(2, 44 * digit);
        for (int r = 0; r < 5; ++r)
            for (int col = 0; col < 4; ++col) table_->setItem(r, col, new QTableWidgetItem);
        table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() +
                               5 * table_->verticalHeader()->defaultSectionSize() + 4);
        tableLabel_->setBuddy(table_);
        top->addWidget(tableLabel_);
        top->addWidget(table_);

        auto* buttons = new QHBoxLayout;
        send_ = new QPushButton(this);
        send_->setObjectName(QStringLiteral("send_to_main"));
        close_ = new QPushButton(this);
        close_->setObjectName(QStringLiteral("close"));
        close_->setAutoDefault(false);
        send_->setAutoDefault(false);
        steps_ = new QPushButton(this);
        steps_->setObjectName(QStringLiteral("steps"));
        steps_->setAutoDefault(false);
        buttons->addWidget(send_);
        buttons->addWidget(steps_);
        buttons->addStretch();
        buttons->addWidget(close_);
        outer->addWidget(scroll);
        outer->addLayout(buttons);
        scroll->setWidget(content);
        // As large as the content in its captions of the moment (never
        // smaller than it is), within the screen.
        fit_ = [this, scroll, content, buttons] {
            content->layout()->activate();
            QSize size = content->sizeHint() +
                         QSize(scroll->verticalScrollBar()->sizeHint().width() + 40, buttons->sizeHint().height() + 40);
            if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
                size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
            resize(size.expandedTo(this->size()));
        };
        connect(send_, &QPushButton::clicked, this, [this] { Send(); });
        connect(steps_, &QPushButton::clicked, this, [this] { OpenSteps(); });
        connect(close_, &QPushButton::clicked, this, &QDialog::close);

        const int kind = host_.currentKind ? host_.currentKind() : ieee::KIND_BINARY32;
        format_->setCurrentIndex(std::max(0, format_->findData(kind)));
        target_->setCurrentIndex(std::max(0, target_->findData(ieee::KIND_BINARY16)));
        connect(format_, &QComboBox::currentIndexChanged, this, [this] { Update(); });
        connect(operation_, &QComboBox::currentIndexChanged, this, [this] { Update(); });
        connect(target_, &QComboBox::currentIndexChanged, this, [this] { Update(); });
        connect(saturate_, &QCheckBox::toggled, this, [this] { Update(); });
        connect(roundingButtons, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on) Update();
        });
        connect(tininessButtons, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on) Update();
        });
        setTabOrder(format_, operation_);
        setTabOrder(operation_, target_);
        Retranslate();
        fit_();
    }

    void Fit() { fit_(); }

    // Captions, item texts and accessible names in the host's language; the
    // result texts follow.
    void Retranslate() {
        const int lang = Language();
        lang_ = lang;
        setWindowTitle(Say({"Operatii", "Operations"}, lang));
        formatLabel_->setText(Say({"&Format", "&Format"}, lang));
        operationLabel_->setText(Say({"&Operatie", "&Operation"}, lang));
        targetLabel_->setText(Say({"Format &destinatie", "&Target format"}, lang));
        for (std::size_t k = 0; k < std::size(opsview::kAllOperations); ++k)
            operation_->setItemText(static_cast<int>(k),
                                    FromStd(opsview::OperationName(opsview::kAllOperations[k], lang)));
        roundingGroup_->setTitle(Say({"Directia de rotunjire", "Rounding direction"}, lang));
        for (std::size_t k = 0; k < rounding_.size(); ++k)
            rounding_[k]->setText(FromStd(opsview::RoundingName(ieee::kAllRoundings[k], lang)));
        tininessGroup_->setTitle(Say({"Detectarea valorilor mici (tininess)", "Tininess"}, lang));
        tininess_[0]->setText(Say({"dupa rotunjire", "after rounding"}, lang));
        tininess_[1]->setText(Say({"inainte de rotunjire", "before rounding"}, lang));
        operandGroup_->setTitle(Say({"Operanzi", "Operands"}, lang));
        for (int k = 0; k < 3; ++k) {
            Operand& o = operands_[static_cast<std::size_t>(k)];
            const QString name = QLatin1String(kOperandNames[k]);
            o.label->setText(QStringLiteral("&") + name);
            o.fromMain->setText(Say({"Din dialogul principal", "From the main dialog"}, lang));
            Name(o.edit, Say({"Operandul %1", "Operand %1"}, lang).arg(name));
            Name(o.fromMain,
                 Say({"Operandul %1 din dialogul principal", "Operand %1 from the main dialog"}, lang).arg(name));
            Name(o.hex, Say({"Operandul %1: cuvant hexazecimal", "Operand %1: hexadecimal word"}, lang).arg(name));
            Name(
                o.fields,
                Say({"Operandul %1: semn, exponent, fractie", "Operand %1: sign, exponent, fraction"}, lang).arg(name));
            Name(o.value, Say({"Operandul %1: valoare", "Operand %1: value"}, lang).arg(name));
        }
        resultGroup_->setTitle(Say({"Rezultat", "Result"}, lang));
        const Words captions[] = {
            {"Rezultatul exact", "Exact result"},
            {"Rezultatul exact este", "Exact result is"},
            {"Semn, exponent, fractie", "Sign, exponent, fraction"},
            {"Cuvant hexazecimal", "Hexadecimal word"},
            {"Valoare", "Value"},
            {"Valoarea exacta a rezultatului", "Exact value of the result"},
            {"Eroarea (exact - rotunjit)", "Error (exact - rounded)"},
            {"Eroarea in ULP", "Error in ULPs"},
            {"Comparatie", "Comparison"},
        };
        for (std::size_t k = 0; k < resultLabels_.size(); ++k) {
            resultLabels_[k]->setText(Say(captions[k], lang));
            Name(resultLabels_[k]->buddy(), Say(captions[k], lang));
        }
        flagsLabel_->setText(Say({"Exceptii", "Flags"}, lang));
        for (int k = 0; k < 5; ++k) {
            QCheckBox* flag = flags_[static_cast<std::size_t>(k)];
            flag->setText(FromStd(opsview::FlagName(k, lang)));
            Name(flag, flag->text());
        }
        tableLabel_->setText(Say({"Toate directiil&e", "All d&irections"}, lang));
        Name(table_, Say({"Toate directiile", "All directions"}, lang));
        table_->setHorizontalHeaderLabels({Say({"Directia", "Direction"}, lang),
                                           Say({"Cuvant hexazecimal", "Hexadecimal word"}, lang),
                                           Say({"Valoare", "Value"}, lang), Say({"Exceptii", "Flags"}, lang)});
        send_->setText(Say({"&Trimite in dialogul principal", "&Send to the main dialog"}, lang));
        Name(send_, Say({"Trimite in dialogul principal", "Send to the main dialog"}, lang));
        steps_->setText(Say({"Cum a fost &rotunjit", "&How it was rounded"}, lang));
        Name(steps_, Say({"Cum a fost rotunjit", "How it was rounded"}, lang));
        close_->setText(Say({"Inchide", "Close"}, lang));
        Name(close_, close_->text());
        Name(format_, Say({"Format", "Format"}, lang));
        Name(operation_, Say({"Operatie", "Operation"}, lang));
        Name(target_, Say({"Format destinatie", "Target format"}, lang));
        saturate_->setText(Say({"Saturare", "Saturate"}, lang));
        Name(saturate_, Say({"Conversie cu saturare: depasirea da cea mai mare valoare finita",
                             "Saturating conversion: an overflow gives the largest finite value"},
                            lang));
        Update();
    }

    // Works out every text from the choices and shows it.
    void Update() {
        opsview::Choices c;
        c.format = ieee::FormatFor(format_->currentData().toInt());
        c.operation = opsview::kAllOperations[std::max(0, operation_->currentIndex())];
        c.target = ieee::FormatFor(target_->currentData().toInt());
        // Offered for the conversions to the 8-bit formats that have a value
        // beyond the largest finite one (an infinity or a NaN).
        const bool canSaturate = c.operation == ieee::Operation::ConvertFormat && c.target != nullptr &&
                                 c.target->bits == 8 && c.target->hasNaN();
        saturate_->setEnabled(canSaturate);
        c.saturate = canSaturate && saturate_->isChecked();
        for (std::size_t k = 0; k < rounding_.size(); ++k)
            if (rounding_[k]->isChecked()) c.rounding = ieee::kAllRoundings[k];
        c.tininess = tininess_[1]->isChecked() ? ieee::Tininess::BeforeRounding : ieee::Tininess::AfterRounding;
        for (std::size_t k = 0; k < 3; ++k) {
            texts_[k] = ToWindows1252(operands_[k].edit->text());
            c.operands[k] = texts_[k];
        }
        c.lang = lang_;
        choices_ = c;
        view_ = opsview::Build(c);
        STEPS_REFRESH(StepsSource::Operation);

        const bool conversion = c.operation == ieee::Operation::ConvertFormat;
        targetLabel_->setEnabled(conversion);
        target_->setEnabled(conversion);
        for (std::size_t k = 0; k < 3; ++k) {
            const Operand& o = operands_[k];
            const opsview::OperandView& shown = view_.operands[k];
            for (QWidget* w :
                 {static_cast<QWidget*>(o.label), static_cast<QWidget*>(o.edit), static_cast<QWidget*>(o.fromMain),
                  static_cast<QWidget*>(o.hex), static_cast<QWidget*>(o.fields), static_cast<QWidget*>(o.value)})
                w->setEnabled(shown.used);
            Show(o.hex, shown.hex);
            Show(o.fields, shown.fields);
            Show(o.value, shown.scientific);
        }
        Show(exact_, view_.result.exact);
        Show(exactMark_, view_.exactMark);
        Show(fields_, view_.fields);
        Show(hex_, view_.hex);
        Show(scientific_, view_.scientific);
        Show(value_, view_.value);
        Show(error_, view_.error);
        Show(ulps_, view_.errorUlps);
        Show(outcome_, view_.outcome);
        const bool comparison = ieee::IsComparison(c.operation);
        outcome_->setEnabled(comparison);
        for (int k = 0; k < 5; ++k) {
            QCheckBox* flag = flags_[static_cast<std::size_t>(k)];
            const bool on = view_.hasResult && opsview::FlagOf(view_.result.flags, k);
            if (flag->isChecked() != on) flag->setChecked(on);
        }
        for (int r = 0; r < 5; ++r) {
            const opsview::DirectionRow& shownRow = view_.rows[static_cast<std::size_t>(r)];
            const std::string cells[4] = {shownRow.direction, shownRow.hex, shownRow.scientific, shownRow.flags};
            for (int col = 0; col < 4; ++col) {
                QTableWidgetItem* item = table_->item(r, col);
                const QString text = FromStd(cells[col]);
                if (item->text() != text) item->setText(text);
            }
        }
        send_->setEnabled(view_.hasResult && view_.result.hasPattern);
    }

    // The "How it was rounded" window of this window's result: it follows
    // every update while open, and closes with this window.
    void OpenSteps() {
        StepsHost host;
        host.lines = [this](int lang) {
            opsview::Choices c = choices_;
            c.lang = lang;
            return stepsview::OperationLines(c, c.lang == lang_ ? view_ : opsview::Build(c));
        };
        host.language = [this] { return host_.language ? host_.language() : 1; };
        OpenStepsWindow(StepsSource::Operation, host, this);
    }

    void FocusFirstOperand() { operands_[0].edit->setFocus(Qt::OtherFocusReason); }

private:
    struct Operand {
        QLabel* label = nullptr;
        QLineEdit* edit = nullptr;
        QPushButton* fromMain = nullptr;
        QLineEdit* hex = nullptr;
        QLineEdit* fields = nullptr;
        QLineEdit* value = nullptr;
    };

    QLabel* Caption(QWidget* buddy) {
        auto* label = new QLabel(buddy->parentWidget());
        label->setBuddy(buddy);
        return label;
    }
    static void Name(QWidget* w, const QString& name) {
        if (w && w->accessibleName() != name) w->setAccessibleName(name);
    }
    int Language() const { return host_.language ? host_.language() : 1; }

    // The main dialog's pattern as operand k: the pattern itself in the same
    // format, else its exact value (a hex-float text, or the word of an
    // infinity or a NaN), rounded once to this window's format.
    void TakeFromMain(int k) {
        if (!host_.currentKind || !host_.currentPattern) return;
        const ieee::FormatInfo* main = ieee::FormatFor(host_.currentKind());
        const ieee::FormatInfo* mine = ieee::FormatFor(format_->currentData().toInt());
        if (!main || !mine) return;
        const ieee::uint128 bits = host_.currentPattern();
        std::string text;
        if (main == mine) {
            for (char ch : ieee::HexWord(*main, bits))
                if (ch != ' ') text += ch;
            text = "0x" + text;
        } else if (ieee::IsFinitePattern(*main, bits)) {
            text = ieee::HexFloatText(*main, bits);
        } else {
            text = ieee::ScientificText(*main, bits, false);
        }
        operands_[static_cast<std::size_t>(k)].edit->setText(FromStd(text));
    }

    void Send() {
        if (!view_.hasResult || !view_.result.hasPattern || !host_.sendPattern) return;
        host_.sendPattern(view_.result.format->kind, view_.result.bits);
    }

    OperationsHost host_;
    int lang_ = 1;
    opsview::View view_;
    QComboBox* format_ = nullptr;
    QComboBox* operation_ = nullptr;
    QComboBox* target_ = nullptr;
    QCheckBox* saturate_ = nullptr;
    QLabel* formatLabel_ = nullptr;
    QLabel* operationLabel_ = nullptr;
    QLabel* targetLabel_ = nullptr;
    QGroupBox* roundingGroup_ = nullptr;
    QGroupBox* tininessGroup_ = nullptr;
    std::array<QRadioButton*, 5> rounding_{};
    std::array<QRadioButton*, 2> tininess_{};
    QGroupBox* operandGroup_ = nullptr;
    std::array<Operand, 3> operands_{};
    QGroupBox* resultGroup_ = nullptr;
    QPlainTextEdit* exact_ = nullptr;
    QLineEdit* exactMark_ = nullptr;
    QLineEdit* fields_ = nullptr;
    QLineEdit* hex_ = nullptr;
    QLineEdit* scientific_ = nullptr;
    QPlainTextEdit* value_ = nullptr;
    QPlainTextEdit* error_ = nullptr;
    QLineEdit* ulps_ = nullptr;
    QLineEdit* outcome_ = nullptr;
    std::vector<QLabel*> resultLabels_;
    QLabel* flagsLabel_ = nullptr;
    std::array<QCheckBox*, 5> flags_{};
    QLabel* tableLabel_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* send_ = nullptr;
    QPushButton* steps_ = nullptr;
    opsview::Choices choices_;  // the choices of the last update; its operands view texts_
    std::array<std::string, 3> texts_;
    QPushButton* close_ = nullptr;
    std::function<void()> fit_;  // sizes the window to its content
};

QPointer<OperationsWindow> g_window;

}  // namespace

void OPERATIONS_OPEN(const OperationsHost& host, DIALOG& owner) {
    if (!g_window) {
        g_window = new OperationsWindow(host, DialogWindow(owner));
        g_window->show();
        g_window->FocusFirstOperand();
    } else {
        g_window->show();
    }
    g_window->raise();
    g_window->activateWindow();
}

void OPERATIONS_LANGUAGE_CHANGED() {
    if (!g_window) return;
    g_window->Retranslate();
    g_window->Fit();  // the other language's captions may need more room
}

void OPERATIONS_CLOSE() { delete g_window.data(); }
