// The "How it was rounded" window in Qt Widgets: a read-only text of the
// host's lines, a button that copies them and one that closes the window.
#include "dialog/steps_window.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "dialog/dialog_qt.h"
#include "dialog/steps_window_qt.h"
#include "dialog/widgets.h"
#include "numeric/rounding_steps_view.h"
#include "text/bilingual.h"

namespace {

QString Say(const bilingual::Text& text, int lang) {
    return QString::fromLatin1(bilingual::Pick(text, lang).data(),
                               static_cast<int>(bilingual::Pick(text, lang).size()));
}

class StepsWindow : public QDialog {
public:
    StepsWindow(StepsSource source, const StepsHost& host, QWidget* parent)
        : QDialog(parent), source_(source), host_(host) {
        setObjectName(source == StepsSource::Conversion ? QStringLiteral("IDD_STEPS_CONVERSION")
                                                        : QStringLiteral("IDD_STEPS_OPERATION"));
        setModal(false);
        auto* layout = new QVBoxLayout(this);
        text_ = new dialog_qt::OrvaneTextBox(this);
        text_->setObjectName(QStringLiteral("steps"));
        text_->setReadOnly(true);
        text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        text_->setTabChangesFocus(true);
        layout->addWidget(text_);
        auto* buttons = new QHBoxLayout;
        copy_ = new QPushButton(this);
        copy_->setObjectName(QStringLiteral("copy"));
        close_ = new QPushButton(this);
        close_->setObjectName(QStringLiteral("close"));
        for (QPushButton* b : {copy_, close_}) b->setAutoDefault(false);
        buttons->addWidget(copy_);
        buttons->addStretch();
        buttons->addWidget(close_);
        layout->addLayout(buttons);
        connect(copy_, &QPushButton::clicked, this,
                [this] { QGuiApplication::clipboard()->setText(FromWindows1252(stepsview::PlainText(lines_))); });
        connect(close_, &QPushButton::clicked, this, &QDialog::close);
        const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
        resize(digit * 118, fontMetrics().lineSpacing() * 30);
        Retranslate();
    }

    StepsSource source() const { return source_; }

    // Several changes in one event (a keystroke that forgets the old typed
    // number, then shows the new datum) give one refresh, after them.
    void ScheduleRefresh() {
        if (pending_) return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            pending_ = false;
            Refresh();
        });
    }

    void Retranslate() {
        lang_ = host_.language ? host_.language() : 1;
        setWindowTitle(Say({"Cum a fost rotunjit", "How it was rounded"}, lang_));
        text_->setAccessibleName(Say({"Pasii rotunjirii", "Steps of the rounding"}, lang_));
        copy_->setText(Say({"&Copiaza textul", "&Copy the text"}, lang_));
        copy_->setAccessibleName(Say({"Copiaza textul", "Copy the text"}, lang_));
        close_->setText(Say({"Inchide", "Close"}, lang_));
        close_->setAccessibleName(close_->text());
        Refresh();
    }

    void Refresh() {
        lines_ = host_.lines ? host_.lines(lang_) : std::vector<std::string>{};
        std::string text = stepsview::PlainText(lines_);
        if (!text.empty()) text.pop_back();  // no empty last line
        text_->ShowText(FromWindows1252(text));
    }

private:
    StepsSource source_;
    StepsHost host_;
    int lang_ = 1;
    bool pending_ = false;
    std::vector<std::string> lines_;
    dialog_qt::OrvaneTextBox* text_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* close_ = nullptr;
};

QPointer<StepsWindow> g_windows[2];

QPointer<StepsWindow>& Slot(StepsSource source) { return g_windows[source == StepsSource::Conversion ? 0 : 1]; }

}  // namespace

void OpenStepsWindow(StepsSource source, const StepsHost& host, QWidget* owner) {
    QPointer<StepsWindow>& window = Slot(source);
    if (!window) window = new StepsWindow(source, host, owner);
    else window->Refresh();
    window->show();
    window->raise();
    window->activateWindow();
}

void STEPS_OPEN(const StepsHost& host, DIALOG& owner) {
    OpenStepsWindow(StepsSource::Conversion, host, DialogWindow(owner));
}

void STEPS_REFRESH(StepsSource source) {
    QPointer<StepsWindow>& window = Slot(source);
    if (window && window->isVisible()) window->ScheduleRefresh();
}

void STEPS_LANGUAGE_CHANGED() {
    for (QPointer<StepsWindow>& window : g_windows)
        if (window) window->Retranslate();
}

void STEPS_CLOSE() {
    for (QPointer<StepsWindow>& window : g_windows) delete window.data();
}
