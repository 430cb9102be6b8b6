// The standard windows in the program's language: the real file chooser (its
// labels, buttons, tool tips, columns, menus, the new folder, the delete and
// create questions) and the Yes/No box, opened offscreen in Romanian and in
// English. Every text they ask the translators for must have a Romanian
// translation, and every visible text must differ between the two languages
// unless it is the same word in both (a key name, "OK") or data (file names,
// paths, numbers).
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMutex>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QTranslator>
#include <map>
#include <memory>
#include <string>

#include "app/controls.h"
#include "dialog/dialog_qt.h"
#include "dialog/platform.h"
#include "harness.h"
#include "modal_window.h"

namespace {

// Records what is asked of the translators; answers nothing, so the next
// translator (the program's Romanian one, or none) answers.
class RecordingTranslator : public QTranslator {
public:
    struct Request {
        QString context, source, disambiguation;
        int n;
    };
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
        const Request r{QString::fromUtf8(context), QString::fromUtf8(source), QString::fromUtf8(disambiguation), n};
        QMutexLocker lock(&mutex_);  // the chooser's file-information thread asks too
        const QString key = r.context + u'|' + r.source + u'|' + r.disambiguation;
        if (!seen_.contains(key)) {
            seen_.insert(key);
            requests_.push_back(r);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
    std::vector<Request> requests() const {
        QMutexLocker lock(&mutex_);
        return requests_;
    }

private:
    mutable QMutex mutex_;
    mutable QSet<QString> seen_;
    mutable std::vector<Request> requests_;
};

using Texts = std::map<std::string, QString>;  // where it is shown -> text

QString WithoutShortcut(const QString& text) { return text.section(u'\t', 0, 0); }

// Every visible text of the open chooser that is not data: labels, buttons,
// tool tips, column titles, the size/type/date cells, the sidebar's places,
// the menus of the view, the column titles and the name box.
void CollectChooser(QFileDialog* chooser, const QStringList& dataNames, Texts& out) {
    for (QWidget* w : chooser->findChildren<QWidget*>()) {
        if (!w->isVisible()) continue;
        const std::string name = w->objectName().toStdString();
        if (!w->toolTip().isEmpty()) out["tip:" + name] = w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty())
            out["label:" + name] = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && !button->text().isEmpty())
            out["button:" + name + ":" + std::to_string(w->parentWidget()->children().indexOf(w))] = button->text();
    }
    auto* view = chooser->findChild<QAbstractItemView*>("treeView");
    auto* header = chooser->findChild<QHeaderView*>();
    if (view && header) {
        for (int i = 0; i < header->count(); ++i)
            out["header:" + std::to_string(i)] = view->model()->headerData(i, Qt::Horizontal).toString();
        for (int i = 0; i < header->actions().size(); ++i)
            out["header-menu:" + std::to_string(i)] = header->actions()[i]->text();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            const QString file = view->model()->index(row, 0, root).data().toString();
            for (int column = 1; column < view->model()->columnCount(root); ++column)
                out["cell:" + file.toStdString() + ":" + std::to_string(column)] =
                    view->model()->index(row, column, root).data().toString();
        }
    }
    if (auto* sidebar = chooser->findChild<QAbstractItemView*>("sidebar")) {
        for (int row = 0; row < sidebar->model()->rowCount(); ++row) {
            const QString place = sidebar->model()->index(row, 0).data().toString();
            if (!dataNames.contains(place)) out["place:" + std::to_string(row)] = place;
        }
    }
    for (QAction* action : chooser->findChildren<QAction*>())
        if (!action->text().isEmpty() && !action->objectName().isEmpty())
            out["action:" + action->objectName().toStdString()] = WithoutShortcut(action->text());
    if (auto* edit = chooser->findChild<QLineEdit*>("fileNameEdit")) {
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        int i = 0;
        for (QAction* action : menu->actions())
            if (!action->text().isEmpty()) out["name-menu:" + std::to_string(i++)] = WithoutShortcut(action->text());
    }
}

void CollectBox(QMessageBox* box, const std::string& which, Texts& out) {
    out[which + ":title"] = box->windowTitle();
    out[which + ":text"] = box->text();
    for (QAbstractButton* button : box->buttons())
        out[which + ":button:" + std::to_string(box->standardButton(button))] = button->text();
}

// Waits until the chooser's detail view shows `rows` rows with every
// column filled (the folder's type and the files' details come later).
bool WaitForRows(QFileDialog* chooser, int rows) {
    auto* view = chooser->findChild<QAbstractItemView*>("treeView");
    return view && QTest::qWaitFor(
                       [&] {
                           const QModelIndex root = view->rootIndex();
                           if (view->model()->rowCount(root) < rows) return false;
                           for (int row = 0; row < rows; ++row)
                               for (int column = 2; column < 4; ++column)
                                   if (view->model()->index(row, column, root).data().toString().isEmpty())
                                       return false;
                           return true;
                       },
                       5000);
}

struct Session {
    Texts texts;
    std::vector<RecordingTranslator::Request> requests;
    QString newFolder;  // name the "Create New Folder" button gave the new folder
};

// Opens the real chooser and the real Yes/No box in language `lang` and
// collects what they show and what they asked the translators for.
Session OpenTheWindows(int lang, const QString& folder, int rows, const QStringList& dataNames) {
    platform::SetLanguage(lang);
    RecordingTranslator recorder;
    QCoreApplication::installTranslator(&recorder);
    Session s;

    std::vector<char> buffer(260, '\0');
    platform::OPENFILENAMEA request;
    request.lpstrFilter = std::string("Text Files (*.txt)\0*.txt\0All files (*.*)\0*.*\0\0", 46);
    request.nFilterIndex = 2;
    request.lpstrFile = buffer.data();
    request.nMaxFile = 260;
    request.lpstrInitialDir = ToWindows1252(folder);
    request.lpstrTitle = "Saved Topic";
    request.Flags = platform::OFN_PATHMUSTEXIST | platform::OFN_CREATEPROMPT;
    request.lpstrDefExt = "txt";
    modal::WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
        EXPECT_TRUE(WaitForRows(chooser, rows));
        CollectChooser(chooser, dataNames, s.texts);
        // The new folder takes its name from the language.
        const QStringList before = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        auto* create = chooser->findChild<QToolButton*>("newFolderButton");
        EXPECT_NE(create, nullptr);
        if (create) QTest::mouseClick(create, Qt::LeftButton);
        for (const QString& name : QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            if (!before.contains(name)) s.newFolder = name;
        if (QWidget* editor = QApplication::focusWidget()) QTest::keyClick(editor, Qt::Key_Escape);  // ends the naming
        QDir(folder).rmdir(s.newFolder);
        // The delete question of the view, for a file; answered No.
        auto* view = chooser->findChild<QAbstractItemView*>("treeView");
        const QModelIndexList found = view->model()->match(view->model()->index(0, 0, view->rootIndex()),
                                                           Qt::DisplayRole, QStringLiteral("notes.txt"));
        EXPECT_FALSE(found.isEmpty());
        if (!found.isEmpty()) view->setCurrentIndex(found.first());
        modal::WhenOpen<QMessageBox>([&](QMessageBox* box) {
            CollectBox(box, "delete", s.texts);
            modal::ClickButton(box, QMessageBox::No);
        });
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Delete);
        view->clearSelection();  // else the selected file, not the typed name, is the choice
        // The create question; No returns to the chooser, which is then cancelled.
        modal::WhenOpen<QMessageBox>([&](QMessageBox* box) {
            CollectBox(box, "create", s.texts);
            modal::ClickButton(box, QMessageBox::No);
            modal::WhenOpen<QFileDialog>([](QFileDialog* again) { again->reject(); });
        });
        modal::ChooseName(chooser, QStringLiteral("brand-new"));
    });
    EXPECT_EQ(platform::GetOpenFileNameA(request), 0);

    modal::WhenOpen<QMessageBox>([&](QMessageBox* box) {
        CollectBox(box, "yes-no", s.texts);
        modal::ClickButton(box, QMessageBox::No);
    });
    EXPECT_EQ(platform::MessageBoxA(nullptr, "x", "Saved Topic", platform::MB_YESNO | platform::MB_ICONEXCLAMATION),
              platform::IDNO);

    QCoreApplication::removeTranslator(&recorder);
    s.requests = recorder.requests();
    return s;
}

// Same in both languages and still right: the program's own texts (the title
// and the question it passes), "OK", and texts without letters (sizes, dates).
bool SameInBothLanguages(const QString& text) {
    static const QStringList kSame = {"Saved Topic", "x", "OK", "&OK"};
    if (kSame.contains(text)) return true;
    for (QChar c : text)
        if (c.isLetter()) return false;
    return true;
}

struct NoHooksLanguage : ::testing::Test {
    platform::PlatformHooks saved;
    void SetUp() override { saved = platform::SetPlatformHooks({}); }
    void TearDown() override {
        platform::SetPlatformHooks(saved);
        platform::SetLanguage(2);
    }
};

}  // namespace

TEST_F(NoHooksLanguage, TheChooserAndTheYesNoBoxSpeakTheChosenLanguage) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList dataNames = {"notes.txt", "README", "sub"};
    for (const char* name : {"notes.txt", "README"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("some text\n");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    QStringList places = dataNames;
    places << QDir::home().dirName();

    const Session ro = OpenTheWindows(1, dir.path(), dataNames.size(), places);
    const Session en = OpenTheWindows(2, dir.path(), dataNames.size(), places);

    // Every text asked for has its Romanian form in the program's translation.
    QTranslator romanian;
    ASSERT_TRUE(romanian.load(QStringLiteral(":/i18n/qt_ro.qm")));
    EXPECT_GT(ro.requests.size(), 40u);
    for (const auto& r : ro.requests) {
        const QString translated =
            romanian.translate(r.context.toUtf8(), r.source.toUtf8(),
                               r.disambiguation.isEmpty() ? nullptr : r.disambiguation.toUtf8().constData(), r.n);
        EXPECT_FALSE(translated.isNull()) << "no Romanian for " << r.context.toStdString() << " \""
                                          << r.source.toStdString() << "\" (" << r.disambiguation.toStdString() << ")";
    }

    // The same places show a text in both languages, and it differs unless it
    // is the same word in both.
    std::vector<std::string> roKeys, enKeys;
    for (const auto& [where, text] : ro.texts) roKeys.push_back(where);
    for (const auto& [where, text] : en.texts) enKeys.push_back(where);
    EXPECT_EQ(roKeys, enKeys);
    for (const auto& [where, text] : en.texts) {
        const auto other = ro.texts.find(where);
        if (other == ro.texts.end() || SameInBothLanguages(text)) continue;
        EXPECT_NE(other->second, text) << where << ": still English in Romanian";
    }

    // The wording, both ways.
    struct Expect {
        const char* where;
        const char* romanian;
        const char* english;
    };
    const Expect words[] = {
        {"label:lookInLabel", "Cauta in:", "Look in:"},
        {"label:fileNameLabel", "&Nume fisier:", "File &name:"},
        {"label:fileTypeLabel", "Tip fisiere:", "Files of type:"},
        {"tip:newFolderButton", "Creeaza dosar nou", "Create New Folder"},
        {"header:1", "Dimensiune", "Size"},
        {"cell:sub:2", "Dosar", "Folder"},
        {"cell:notes.txt:1", "10 octeti", "10 bytes"},
        {"action:qt_new_folder_action", "Dosar &nou", "&New Folder"},
        {"create:button:16384", "&Da", "&Yes"},
        {"create:button:65536", "&Nu", "&No"},
        {"yes-no:button:16384", "&Da", "&Yes"},
        {"yes-no:button:65536", "&Nu", "&No"},
    };
    for (const Expect& e : words) {
        EXPECT_EQ(ro.texts.count(e.where), 1u) << e.where;
        if (!ro.texts.count(e.where) || !en.texts.count(e.where)) continue;
        EXPECT_EQ(ro.texts.at(e.where).toStdString(), e.romanian) << e.where;
        EXPECT_EQ(en.texts.at(e.where).toStdString(), e.english) << e.where;
    }
    std::map<std::string, int> buttons;  // the chooser's own Open and Cancel buttons
    for (const auto& [where, text] : ro.texts)
        if (where.rfind("button:", 0) == 0) ++buttons[text.toStdString()];
    EXPECT_EQ(buttons["&Deschide"], 1);
    EXPECT_EQ(buttons["Anuleaza"], 1);
    for (const char* where : {"create:text", "delete:text", "yes-no:text", "name-menu:0", "header-menu:0", "place:0"}) {
        EXPECT_EQ(ro.texts.count(where), 1u) << where;
        EXPECT_EQ(en.texts.count(where), 1u) << where;
    }
    EXPECT_NE(ro.texts.at("create:text").indexOf("Acest fisier nu exista.\nCreati fisierul?"), -1);
    EXPECT_NE(en.texts.at("create:text").indexOf("This file does not exist.\nCreate the file?"), -1);
    EXPECT_EQ(ro.newFolder, "Dosar nou");
    EXPECT_EQ(en.newFolder, "New Folder");
}

// The chooser's column titles and cells are shown whole in either language
// (the Romanian words are the longer ones), and every column is in view.
TEST_F(NoHooksLanguage, TheChoosersColumnsHaveRoomForTheirWords) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"notes.txt", "README"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("some text\n");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    for (int lang : {1, 2}) {
        SCOPED_TRACE(lang);
        platform::SetLanguage(lang);
        std::vector<char> buffer(260, '\0');
        platform::OPENFILENAMEA request;
        request.lpstrFile = buffer.data();
        request.nMaxFile = 260;
        request.lpstrInitialDir = ToWindows1252(dir.path());
        QStringList cut;
        modal::WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
            EXPECT_TRUE(WaitForRows(chooser, 3));
            auto* view = chooser->findChild<QTreeView*>("treeView");
            ASSERT_NE(view, nullptr);
            QHeaderView* header = view->header();
            const int margin = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            const auto shortOfRoom = [&] {
                QStringList found;
                for (int column = 1; column < header->count(); ++column) {
                    const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
                    if (header->fontMetrics().horizontalAdvance(title) + margin > header->sectionSize(column))
                        found << title;
                    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row) {
                        const QString cell = view->model()->index(row, column, view->rootIndex()).data().toString();
                        if (view->fontMetrics().horizontalAdvance(cell) + margin > header->sectionSize(column))
                            found << cell;
                    }
                }
                if (header->length() > view->viewport()->width()) found << QStringLiteral("<columns out of view>");
                return found;
            };
            (void)QTest::qWaitFor([&] { return shortOfRoom().isEmpty(); }, 2000);  // the fit follows the rows
            cut = shortOfRoom();
            chooser->reject();
        });
        platform::GetOpenFileNameA(request);
        EXPECT_TRUE(cut.isEmpty()) << cut.join(u',').toStdString();
    }
}

namespace {

using LanguageOfTheProgram = harness::AppTest;

// The program starts in Romanian and its RO / EN buttons switch the standard
// windows with the captions.
TEST_F(LanguageOfTheProgram, StartUpAndTheSwitchSetTheChoosersLanguage) {
    struct Restore {
        platform::PlatformHooks hooks = platform::SetPlatformHooks({});
        ~Restore() { platform::SetPlatformHooks(hooks); }
    } restore;
    const auto lookIn = [] {
        std::vector<char> buffer(260, '\0');
        platform::OPENFILENAMEA request;
        request.lpstrFile = buffer.data();
        request.nMaxFile = 260;
        QString shown;
        modal::WhenOpen<QFileDialog>([&](QFileDialog* chooser) {
            if (auto* label = chooser->findChild<QLabel*>("lookInLabel")) shown = label->text();
            chooser->reject();
        });
        platform::GetOpenFileNameA(request);
        return shown.toStdString();
    };
    EXPECT_EQ(lookIn(), "Cauta in:");
    harness::Click(IDC_LANG_EN);
    EXPECT_EQ(lookIn(), "Look in:");
    harness::Click(IDC_LANG_RO);
    EXPECT_EQ(lookIn(), "Cauta in:");
}

}  // namespace
