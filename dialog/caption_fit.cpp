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
    if (layout.serifFont)
        families << QStringLiteral("DejaVu Serif") << QStringLiteral("Liberation Serif");
    else
        families << QStringLiteral("DejaVu Sans") << QStringLiteral("Liberation Sans");
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

// The bit edits must show every bit at once; try narrower fonts when the
// dialog font is too wide for them.
void FitBitEdit(OrvaneEdit* edit, int digits) {
    const QString bits(digits, u'0');
    if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    // First give the text the edit's inner margin (one-bit fields are very narrow).
    edit->setTextMargins(-1, 0, -1, 0);
    if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    edit->setTextMargins(0, 0, 0, 0);
    QFont font = edit->font();
    const QStringList narrow{QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                             QStringLiteral("Nimbus Sans Narrow"), QStringLiteral("DejaVu Sans Mono")};
    for (const QString& family : narrow) {
        QFont candidate = font;
        candidate.setFamilies({family});
        if (QFontInfo(candidate).family() != family) continue;
        edit->setFont(candidate);
        if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    }
    QFont smaller = edit->font();
    for (int size = font.pixelSize() - 1; size >= 6; --size) {
        smaller.setPixelSize(size);
        edit->setFont(smaller);
        if (EditTextNeed(edit, bits) <= edit->textRoom()) return;
    }
}


namespace {

// Width a control needs so that its caption is not clipped (its own width when it fits).
int WidthForCaption(QWidget* w) {
    QFontMetrics fm(w->font());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (button->text().isEmpty()) return w->width();
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QStyle::SubElement contents = qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                            : qobject_cast<QCheckBox*>(w)  ? QStyle::SE_CheckBoxContents
                                                                           : QStyle::SE_PushButtonContents;
        const int room = w->style()->subElementRect(contents, &opt, w).width();
        const int need = fm.horizontalAdvance(button->text());
        return need > room ? w->width() + (need - room) : w->width();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // Each line of the caption on one row, where there is room for it.
        int need = 0;
        for (const QString& line : label->text().split(u'\n')) need = std::max(need, fm.horizontalAdvance(line));
        const int room = label->contentsRect().width();
        return need > room ? w->width() + (need - room) : w->width();
    }
    return w->width();
}

// Fonts differ from the ones the layout was drawn for: a caption that does not
// fit may widen its control into free space on its right, never over another
// control nor past the frame around it.
struct Room {
    int right;
    int bottom;
};

// How far a control may grow to the right and downwards without covering
// another control or crossing the frame around it.
Room FreeRoom(QWidget* w) {
    QWidget* window = w->parentWidget();
    const QRect r = w->geometry();
    Room room{window->width() - 2, window->height() - 2};
    for (QWidget* other : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other == w || other->isHidden()) continue;
        const QRect o = other->geometry();
        if (qobject_cast<QGroupBox*>(other)) {
            if (o.contains(r)) {
                room.right = std::min(room.right, o.right() - 3);
                room.bottom = std::min(room.bottom, o.bottom() - 3);
            }
            continue;
        }
        const bool besideVertically = o.top() <= r.bottom() && o.bottom() >= r.top();
        if (besideVertically && o.left() > r.left()) room.right = std::min(room.right, o.left() - 1);
        const bool besideHorizontally = o.left() <= r.right() && o.right() >= r.left();
        if (besideHorizontally && o.top() > r.top()) room.bottom = std::min(room.bottom, o.top() - 1);
    }
    return room;
}

// Fonts differ from the ones the layouts were drawn for. A caption that does
// not fit first takes free room on its right (and, for wrapped text, below),
// and only then a smaller font; no text is ever cut off.
// Wrapped text fits when all its lines fit in the height and no word is wider than a line.
bool WrappedTextFits(QLabel* label) {
    if (label->heightForWidth(label->width()) > label->height()) return false;
    QFontMetrics fm(label->font());
    const QString text = label->text();
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        if (fm.horizontalAdvance(word) > label->contentsRect().width()) return false;
    return true;
}

}  // namespace

void WidenForCaption(QWidget* w) {
    QWidget* window = w->parentWidget();
    if (!window || (!qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLabel*>(w))) return;
    // Each caption is fitted afresh from the layout's rectangle and the dialog font.
    const QVariant layoutRect = w->property("layoutGeometry");
    if (layoutRect.isValid()) w->setGeometry(layoutRect.toRect());
    w->setFont(QFont());
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || !label->wordWrap()) {
        // One-line captions: as wide as the caption, where there is room.
        const int want = WidthForCaption(w);
        if (want > w->width()) {
            const Room room = FreeRoom(w);
            const int width = std::min(want, room.right - w->x() + 1);
            if (width > w->width()) w->resize(width, w->height());
        }
        return;
    }
    // Wrapped text: the least extra width that makes it fit, then extra
    // height, then a smaller font.
    if (label->text().isEmpty() || WrappedTextFits(label)) return;
    const Room room = FreeRoom(w);
    const int widest = std::max(w->width(), std::min(WidthForCaption(w), room.right - w->x() + 1));
    const int tallest = std::max(w->height(), room.bottom - w->y() + 1);
    const QSize layoutSize = w->size();
    // 1. The least extra width.
    for (int width = layoutSize.width() + 1; width <= widest; ++width) {
        w->resize(width, layoutSize.height());
        if (WrappedTextFits(label)) return;
    }
    // 2. The least extra height at the layout's width.
    auto growDown = [&](int width) {
        w->resize(width, layoutSize.height());
        const int height = std::min(label->heightForWidth(width), tallest);
        if (height > w->height()) w->resize(width, height);
        return WrappedTextFits(label);
    };
    if (growDown(layoutSize.width())) return;
    // 3. All the room there is, then 4. a smaller font.
    if (growDown(widest)) return;
    QFont font = label->font();
    while (!WrappedTextFits(label) && font.pixelSize() > 7) {
        font.setPixelSize(font.pixelSize() - 1);
        label->setFont(font);
    }
}

}  // namespace dialog_qt
