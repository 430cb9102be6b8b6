// Fonts, dialog units and captions that must fit. The layouts were drawn for
// fonts this platform does not have; dialog units follow the substitute
// font's metrics, and a caption that does not fit takes free room beside it.
#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "dialog/dialog_internal.h"
#include "dialog/widgets.h"

namespace dialog_qt {

QFont DialogFont(const LayoutDef& layout) {
    QFont font;
    QStringList families{QString::fromLatin1(layout.fontFamily)};
    if (layout.serifFont) families << QStringLiteral("DejaVu Serif") << QStringLiteral("Liberation Serif");
    else families << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans");
    font.setFamilies(families);
    font.setStyleHint(layout.serifFont ? QFont::Serif : QFont::SansSerif);
    // Points at the 96 dpi of the layouts' design, rounded as the layouts expect.
    font.setPixelSize((layout.fontPoints * 96 + 36) / 72);
    return font;
}

BaseUnits UnitsOf(const QFont& font) {
    QFontMetrics fm(font);
    const int letters = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    BaseUnits units;
    units.x = std::max(1, (letters / 26 + 1) / 2);
    units.y = std::max(1, fm.height());
    return units;
}

// The bit edits must show every bit at once, in the dialog's font. The room
// comes first from the edit's own inner margins, then from free room on its
// right; the font never changes.
void FitBitEdit(OrvaneEdit* edit, int digits) {
    const QString zeros(digits, u'0');
    const QString ones(digits, u'1');
    auto fits = [&] { return std::max(EditTextNeed(edit, zeros), EditTextNeed(edit, ones)) <= edit->textRoom(); };
    // Negative text margins hand the text the edit's blank padding (two
    // pixels on each side, kept clear of the frame line by one pixel).
    for (int margin = 0; margin >= -2; --margin) {
        edit->setTextMargins(margin, 0, margin, 0);
        if (fits()) return;
    }
    QWidget* window = edit->parentWidget();
    if (!window) return;
    const int missing = std::max(EditTextNeed(edit, zeros), EditTextNeed(edit, ones)) - edit->textRoom();
    int right = window->width() - 2;
    const QRect r = edit->geometry();
    for (QWidget* other : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other == edit || other->isHidden() || qobject_cast<QGroupBox*>(other)) continue;
        const QRect o = other->geometry();
        if (o.top() <= r.bottom() && o.bottom() >= r.top() && o.left() > r.left())
            right = std::min(right, o.left() - 2);
    }
    const int width = std::min(r.width() + missing, right - r.x() + 1);
    if (width > r.width()) edit->resize(width, r.height());
    // Caption fitting starts from this rectangle instead of the layout's.
    edit->setProperty("fittedGeometry", edit->geometry());
    if (!fits()) qWarning("Bit edit %s cannot show all %d bits", qPrintable(edit->objectName()), digits);
}

namespace {

// One control of a window while its captions are fitted: its rectangle in
// the layout and the rectangle it gets.
struct Box {
    QWidget* w;
    QRect layout;
    QRect r;
    bool frame;    // group box: the controls inside move with it
    bool visible;  // hidden controls take no room
};

bool Overlap(int a0, int a1, int b0, int b1) { return a0 <= b1 && b0 <= a1; }

// Width a control needs so that its caption is not clipped, at `width`.
int WidthForCaption(QWidget* w, int width) {
    QFontMetrics fm(w->font());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty()) return width;
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.rect.setWidth(width);
        opt.text = button->text();
        const QStyle::SubElement contents = qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                            : qobject_cast<QCheckBox*>(w)  ? QStyle::SE_CheckBoxContents
                                                                           : QStyle::SE_PushButtonContents;
        const int room = w->style()->subElementRect(contents, &opt, w).width();
        const int need = fm.horizontalAdvance(button->text());
        return need > room ? width + (need - room) : width;
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // Each line of the caption on one row.
        int need = 0;
        for (const QString& line : label->text().split(u'\n')) need = std::max(need, fm.horizontalAdvance(line));
        const int frame = label->width() - label->contentsRect().width();
        return std::max(width, need + frame);
    }
    return width;
}

// Wrapped text fits a rectangle when all its lines fit in the height and no
// word is wider than a line.
bool WrappedTextFits(QLabel* label, int width, int height) {
    if (label->heightForWidth(width) > height) return false;
    const int room = width - (label->width() - label->contentsRect().width());
    QFontMetrics fm(label->font());
    for (const QString& word : label->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > room) return false;
    return true;
}

class Fitter {
public:
    explicit Fitter(QWidget* window) : window_(window) {
        for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const QVariant layoutRect = w->property("layoutGeometry");
            if (!layoutRect.isValid()) continue;
            const QVariant fitted = w->property("fittedGeometry");
            const QRect r = fitted.isValid() ? fitted.toRect() : layoutRect.toRect();
            boxes_.push_back({w, r, r, qobject_cast<QGroupBox*>(w) != nullptr, !w->isHidden()});
        }
        const QVariant size = window->property("layoutSize");
        size_ = size.isValid() ? size.toSize() : window->size();
        // The window keeps the margin its layout has below its lowest control.
        int lowest = 0;
        for (const Box& b : boxes_)
            if (b.visible) lowest = std::max(lowest, b.layout.bottom());
        margin_ = std::clamp(size_.height() - 1 - lowest, 3, 24);
    }

    void Run() {
        std::vector<std::size_t> order;
        for (std::size_t i = 0; i < boxes_.size(); ++i)
            if (!boxes_[i].frame && boxes_[i].visible) order.push_back(i);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return std::pair(boxes_[a].layout.y(), boxes_[a].layout.x()) <
                   std::pair(boxes_[b].layout.y(), boxes_[b].layout.x());
        });
        for (std::size_t i : order) Fit(i);
    }

    void Apply() {
        for (Box& b : boxes_)
            if (b.w->geometry() != b.r) b.w->setGeometry(b.r);
        if (window_->size() != size_) window_->setFixedSize(size_);
    }

private:
    // How far box i may reach to the right and downwards without covering a
    // visible neighbour (one pixel kept clear) or crossing its frame.
    int FreeRight(std::size_t i) const {
        const QRect r = boxes_[i].r;
        int right = size_.width() - 3;
        for (std::size_t j = 0; j < boxes_.size(); ++j) {
            const Box& o = boxes_[j];
            if (j == i || !o.visible) continue;
            if (o.frame) {
                if (o.r.contains(r)) right = std::min(right, o.r.right() - 3);
                continue;
            }
            if (Overlap(o.r.top(), o.r.bottom(), r.top(), r.bottom()) && o.r.left() > r.left())
                right = std::min(right, o.r.left() - 2);
        }
        return right;
    }
    int FreeBottom(std::size_t i) const {
        const QRect r = boxes_[i].r;
        int bottom = size_.height() - 1 - margin_;
        for (std::size_t j = 0; j < boxes_.size(); ++j) {
            const Box& o = boxes_[j];
            if (j == i || !o.visible) continue;
            if (o.frame) {
                if (o.r.contains(r)) bottom = std::min(bottom, o.r.bottom() - 3);
                continue;
            }
            if (Overlap(o.r.left(), o.r.right(), r.left(), r.right()) && o.r.top() > r.top())
                bottom = std::min(bottom, o.r.top() - 2);
        }
        return bottom;
    }

    void Fit(std::size_t i) {
        Box& b = boxes_[i];
        auto* label = qobject_cast<QLabel*>(b.w);
        if (!label && !qobject_cast<QAbstractButton*>(b.w)) return;
        if (!label || !label->wordWrap()) {
            // One-line captions: as wide as the caption, where there is room.
            const int want = WidthForCaption(b.w, b.r.width());
            if (want > b.r.width()) b.r.setWidth(std::max(b.r.width(), std::min(want, FreeRight(i) - b.r.x() + 1)));
            return;
        }
        if (label->text().isEmpty() || WrappedTextFits(label, b.r.width(), b.r.height())) return;
        // Wrapped text: the least extra width that makes it fit, then extra
        // height into free room, then all the room beside and below, and
        // last the controls below move down to make room (their frames and
        // the window grow with them).
        const int width0 = b.r.width();
        const int widest = std::max(width0, std::min(WidthForCaption(b.w, width0), FreeRight(i) - b.r.x() + 1));
        const int tallest = std::max(b.r.height(), FreeBottom(i) - b.r.y() + 1);
        for (int width = width0 + 1; width <= widest; ++width) {
            if (WrappedTextFits(label, width, b.r.height())) {
                b.r.setWidth(width);
                return;
            }
        }
        for (int width : {width0, widest}) {
            const int height = label->heightForWidth(width);
            if (height <= tallest && WrappedTextFits(label, width, height)) {
                b.r.setSize(QSize(width, std::max(height, b.r.height())));
                return;
            }
        }
        const QRect old = b.r;
        b.r.setSize(QSize(widest, std::max(label->heightForWidth(widest), b.r.height())));
        Push(i, old);
    }

    // Box i grew from `old` to its new rectangle: the boxes below it that it
    // now reaches move down, keeping up to two blank pixels above them; a
    // frame that no longer holds its controls grows, and so does the window.
    void Push(std::size_t i, const QRect& old) {
        std::vector<std::pair<std::size_t, QRect>> work{{i, old}};
        while (!work.empty()) {
            auto [p, before] = work.back();
            work.pop_back();
            const QRect now = boxes_[p].r;
            for (std::size_t j = 0; j < boxes_.size(); ++j) {
                Box& o = boxes_[j];
                if (j == p || o.r.top() <= before.bottom() || Inside(j, p)) continue;
                if (!Overlap(o.r.left(), o.r.right(), now.left(), now.right())) continue;
                const int gap = std::clamp(o.r.top() - before.bottom() - 1, 0, 2);
                const int by = now.bottom() + 1 + gap - o.r.top();
                if (by <= 0) continue;
                const QRect was = o.r;
                Move(j, by);
                work.push_back({j, was});
            }
            // Frames that hold box p grow to hold it again.
            for (std::size_t f = 0; f < boxes_.size(); ++f) {
                Box& frame = boxes_[f];
                if (!frame.frame || f == p || !Inside(p, f)) continue;
                if (now.bottom() > frame.r.bottom() - 3) {
                    const QRect was = frame.r;
                    frame.r.setBottom(now.bottom() + 3);
                    work.push_back({f, was});
                }
            }
            size_.setHeight(std::max(size_.height(), now.bottom() + 1 + margin_));
        }
    }

    // Box j lies inside frame f (by their layouts).
    bool Inside(std::size_t j, std::size_t f) const {
        return boxes_[f].frame && j != f && boxes_[f].layout.contains(boxes_[j].layout);
    }
    void Move(std::size_t j, int by) {
        boxes_[j].r.translate(0, by);
        if (!boxes_[j].frame) return;
        for (std::size_t k = 0; k < boxes_.size(); ++k)
            if (Inside(k, j)) boxes_[k].r.translate(0, by);
    }

    QWidget* window_;
    std::vector<Box> boxes_;
    QSize size_;
    int margin_ = 3;
};

}  // namespace

// Fonts differ from the ones the layouts were drawn for. Every caption is
// fitted afresh from the layout's rectangles in the dialog's own font: a
// caption that does not fit takes free room on its right (and, for wrapped
// text, below), and where that is not enough the controls below it move
// down. No text is cut off and no font is made smaller.
void FitCaptions(QWidget* window) {
    if (!window) return;
    Fitter fitter(window);
    fitter.Run();
    fitter.Apply();
}

}  // namespace dialog_qt
