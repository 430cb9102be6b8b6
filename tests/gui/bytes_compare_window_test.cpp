// The bytes box, Copy as and the Compare formats window through the real
// windows: bytes shown and pasted in either order, a hex-float typed into the
// value field, what Copy as puts on the clipboard, and the table that
// follows the value field and chooses the main dialog's format.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

#include "app/controls.h"
#include "app/state.h"
#include "dialog/copy_menu.h"
#include "numeric/ieee/format_table.h"
#include "represent_support.h"

namespace {

using harness::Messages;
using harness::Text;
using represent_test::Retype;

class BytesCompareWindow : public harness::AppTest {
protected:
    void TearDown() override {
        SetCopyMenuHook({});
        harness::AppTest::TearDown();
    }
    void PasteBytes(const char* text) {
        harness::ClickInto(IDC_BYTES);
        harness::Key(IDC_BYTES, Qt::Key_A, Qt::ControlModifier);
        harness::Paste(IDC_BYTES, QString::fromLatin1(text));
    }
    static QTableWidget* Table() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* table = w->findChild<QTableWidget*>(QStringLiteral("compare_table"))) return table;
        return nullptr;
    }
    static int RowOf(QTableWidget* table, const char* name) {
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text() == QLatin1String(name)) return r;
        return -1;
    }
};

TEST_F(BytesCompareWindow, BytesCopyAsAndCompare) {
    // Bytes of 0.1 in binary32, in both orders; pasted C bytes set the same bits.
    Retype(IDC_VALUE, "0.1");
    EXPECT_EQ(Text(IDC_BYTES), "CD CC CC 3D");
    harness::Click(IDC_BIG_ENDIAN);
    EXPECT_EQ(Text(IDC_BYTES), "3D CC CC CD");
    harness::Click(IDC_BIG_ENDIAN);
    Retype(IDC_VALUE, "2");
    Retype(IDC_BYTES, "00 00 80 3f");  // typed key by key: a half byte waits
    EXPECT_EQ(Text(IDC_HEX), "3F800000");
    PasteBytes("\\xcd\\xcc\\xcc\\x3d");
    EXPECT_EQ(Text(IDC_HEX), "3DCCCCCD");
    EXPECT_TRUE(Messages().empty());
    // Too many bytes: a message, nothing changes.
    PasteBytes("{0xCD,0xCC,0xCC,0x3D,0x00}");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Text(IDC_BYTES), "\\xcd\\xcc\\xcc\\x3d");  // the bytes last taken, as typed
    EXPECT_EQ(Text(IDC_HEX), "3DCCCCCD");
    Messages().clear();

    // A hex-float typed key by key: no message on the way, one rounding, error 0.
    Retype(IDC_VALUE, "0x1.0000011p0");
    EXPECT_EQ(Text(IDC_HEX), "3F800001");
    EXPECT_TRUE(Messages().empty());

    // Copy as: every entry says what it copies; the C literal goes to the clipboard.
    CopyMenuEntries offered;
    SetCopyMenuHook([&offered](const CopyMenuEntries& entries) {
        offered = entries;
        return 0;
    });
    harness::Click(IDC_COPY_AS);
    ASSERT_FALSE(offered.empty());
    for (const CopyMenuEntry& entry : offered)
        EXPECT_NE(entry.caption.find(entry.text.substr(0, 10)), std::string::npos);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("0x1.000002p+0f"));
    EXPECT_EQ(offered.back().text.rfind("{\"format\": \"binary32\", \"hex\": \"3F800001\"", 0), 0u);
    // The same entries from the context menu of a display of the group.
    const std::size_t count = offered.size();
    offered.clear();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(2, 2), QPoint(2, 2));
    QApplication::sendEvent(harness::Widget(IDC_SHORTEST), &menu);
    EXPECT_EQ(offered.size(), count);

    // Compare formats: one row per format, following the value field.
    harness::Key(IDC_VALUE, Qt::Key_M, Qt::AltModifier);
    harness::ProcessEvents();
    QTableWidget* table = Table();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), static_cast<int>(ieee::AllFormats().size()));
    harness::Window(ORVANEGLOBALS::DLG_MAIN)->activateWindow();  // back to the value field
    harness::ProcessEvents();
    Retype(IDC_VALUE, "0.1");
    const int half = RowOf(table, "binary16");
    ASSERT_GE(half, 0);
    EXPECT_EQ(table->item(half, 2)->text(), QStringLiteral("2E66"));
    EXPECT_EQ(table->item(RowOf(table, "binary32"), 4)->text(), QStringLiteral("-0.2"));
    Retype(IDC_VALUE, "1e39");
    EXPECT_EQ(table->item(RowOf(table, "binary32"), 1)->text(), QStringLiteral("Valoare invalida"));
    EXPECT_EQ(table->item(RowOf(table, "binary64"), 2)->text(), QStringLiteral("48078287F49C4A1D"));
    Messages().clear();
    // Enter on the binary64 row makes it the main dialog's format, with the number read into it.
    table->setFocus();
    table->setCurrentCell(RowOf(table, "binary64"), 0);
    QTest::keyClick(table, Qt::Key_Return);
    harness::ProcessEvents();
    EXPECT_EQ(COMUN::FORMAT_KIND, ieee::KIND_BINARY64);
    EXPECT_EQ(Text(IDC_HEX), "48078287F49C4A1D");
    // The window follows the language.
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("Stored value"));
    EXPECT_EQ(table->accessibleName(), QStringLiteral("The number in every format"));
}

}  // namespace
