// The file chooser: an open-style chooser that asks its questions while it is
// open, with its size, type and date columns in the program's language, and
// the bridge between its answer (Windows-1252, as the program holds names)
// and the file-system name it stands for.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dialog/dialog_qt.h"
#include "dialog/platform_internal.h"

namespace {

using platform_qt::LanguageLocale;
using platform_qt::Romanian;
using platform_qt::ShowBox;
using platform_qt::Tr;

// ---- File names -----------------------------------------------------------

// The chooser's last answer: the Windows-1252 text handed to the program and
// the file-system name it stands for.
struct ChosenPath {
    std::string windows;
    std::string real;
};
ChosenPath g_lastChoice;

// The start folder of a request. The current folder is reported in
// Windows-1252, where a character without a byte reads '?'; such a name still
// opens the real current folder.
QString StartFolder(const std::string& windowsFolder) {
    const QString folder = FromWindows1252(windowsFolder);
    if (QFileInfo(folder).isDir()) return folder;
    const QString current = QDir::currentPath();
    if (ToWindows1252(QDir::toNativeSeparators(current)) == windowsFolder) return current;
    return folder;
}

// A name that is only blanks, or only blanks before its extension (the offered
// blank with the default extension added), names no file.
bool IsBlankName(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot < 0 ? fileName : fileName.left(dot);
    return !stem.isEmpty() && stem.trimmed().isEmpty();
}

// One file type of the chooser: the text shown, and the filter Qt applies.
// "*.*" means every file (also names without a dot), as "*" does for Qt.
struct NameFilter {
    QString shown;
    QString applied;
};

// "Text files (*.txt)\0*.txt\0All files\0*.*\0\0" -> the chooser's file types.
std::vector<NameFilter> FiltersOf(const std::string& list) {
    std::vector<NameFilter> out;
    std::size_t pos = 0;
    while (pos < list.size() && list[pos] != '\0') {
        const std::size_t descEnd = list.find('\0', pos);
        if (descEnd == std::string::npos) break;
        const std::size_t patEnd = list.find('\0', descEnd + 1);
        const std::string desc = list.substr(pos, descEnd - pos);
        const std::string pattern =
            list.substr(descEnd + 1, (patEnd == std::string::npos ? list.size() : patEnd) - descEnd - 1);
        QStringList shownPatterns, appliedPatterns;
        for (const QString& one : FromWindows1252(pattern).split(u';', Qt::SkipEmptyParts)) {
            const QString p = one.trimmed();
            if (p.isEmpty()) continue;
            shownPatterns << p;
            appliedPatterns << (p == QStringLiteral("*.*") ? QStringLiteral("*") : p);
        }
        QString name = FromWindows1252(desc);
        if (name.contains(u'(')) name = name.section(u'(', 0, 0).trimmed();
        out.push_back({QStringLiteral("%1 (%2)").arg(name, shownPatterns.join(u' ')),
                       QStringLiteral("%1 (%2)").arg(name, appliedPatterns.join(u' '))});
        if (patEnd == std::string::npos) break;
        pos = patEnd + 1;
    }
    return out;
}

// ---- The chooser's columns in the program's language ----------------------

QString WithoutDiacritics(const QString& text) {
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing) out += c;
    return out.normalized(QString::NormalizationForm_C);
}

// The English and Romanian descriptions of a file type from the shared MIME
// database (empty where it has none), read once per type.
struct TypeComments {
    QString english, romanian;
};
const TypeComments& CommentsOf(const QMimeType& type) {
    static QHash<QString, TypeComments> known;
    if (const auto found = known.constFind(type.name()); found != known.constEnd()) return *found;
    TypeComments comments;
    QFile file(
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("mime/%1.xml").arg(type.name())));
    if (file.open(QIODevice::ReadOnly)) {
        QXmlStreamReader xml(&file);
        if (xml.readNextStartElement()) {
            while (xml.readNextStartElement()) {
                if (xml.name() != QStringLiteral("comment")) {
                    xml.skipCurrentElement();
                    continue;
                }
                const QString lang = xml.attributes().value(QStringLiteral("xml:lang")).toString();
                const QString comment = xml.readElementText();
                if (lang.isEmpty()) comments.english = comment;
                else if (lang == QStringLiteral("ro")) comments.romanian = comment;
            }
        }
    }
    return *known.insert(type.name(), comments);
}

// The description of a file's type in the program's language (Romanian
// without diacritics, like every text of the program).
QString TypeDescription(const QFileInfo& info) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    const TypeComments& comments = CommentsOf(type);
    if (Romanian()) {
        if (!comments.romanian.isEmpty()) return WithoutDiacritics(comments.romanian);
        const QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? Tr("File") : Tr("%1 File").arg(suffix);
    }
    if (!comments.english.isEmpty()) return comments.english;
    return type.comment().isEmpty() ? type.name() : type.comment();
}

QString SizeText(qint64 bytes) {
    if (bytes == 1) return Tr("1 byte");
    if (bytes < 1024) return Tr("%1 bytes").arg(bytes);
    return LanguageLocale().formattedDataSize(bytes);
}

// The size, type and date columns of the chooser's detail view, written in the
// program's language (the file system model writes them in the system's).
class ChooserColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() < 1 || index.column() > 3)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QFileInfo info = files->fileInfo(source);
        switch (index.column()) {
        case 1:
            if (info.isFile()) return SizeText(files->size(source));
            break;
        case 2:
            if (info.isFile()) {
                // Recognising a type may read the file: once per file and chooser.
                auto known = types_.constFind(info.absoluteFilePath());
                if (known == types_.constEnd()) known = types_.insert(info.absoluteFilePath(), TypeDescription(info));
                return *known;
            }
            break;
        case 3: return LanguageLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    mutable QHash<QString, QString> types_;  // file path -> type description
};

// ---- The file chooser -----------------------------------------------------

// The chooser keeps its state (folder history, view, splitter and column
// widths) in the toolkit's user settings file. That file is pointed at a
// folder of the program's read-only resources, which can never be created, so
// the settings are neither read nor written; the state of the last chooser is
// kept in memory instead and given to the next one for the rest of the run.
void KeepChooserSettingsInMemory() {
    static const bool once = [] {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral(":/no-settings"));
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QStringLiteral(":/no-settings"));
        return true;
    }();
    (void)once;
}
QByteArray& ChooserState() {
    static QByteArray state;
    return state;
}

// The open-style chooser of a request. It stays open until it has a name the
// request accepts: not blank, in a folder that exists (OFN_PATHMUSTEXIST),
// fitting the buffer, for a file that does not exist confirmed by the user
// (OFN_CREATEPROMPT), and agreed to by the request's own question
// (confirmChoice: replacing an existing file). A question answered No leaves
// the chooser open.
class FileChooser : public QFileDialog {
public:
    explicit FileChooser(const platform::OPENFILENAMEA& request)
        : QFileDialog(nullptr, FromWindows1252(request.lpstrTitle)), request_(request) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setOption(QFileDialog::DontConfirmOverwrite, true);
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile);
        setWindowModality(Qt::ApplicationModal);
        if (!ChooserState().isEmpty()) restoreState(ChooserState());
        setProxyModel(new ChooserColumns(this));
        // The size, type and date columns get room for their words in either
        // language, once now for the titles and again whenever a folder's
        // entries have been read.
        FitColumns();
        if (auto* files = qobject_cast<QFileSystemModel*>(proxyModel()->sourceModel()))
            connect(files, &QFileSystemModel::directoryLoaded, this,
                    [this] { QTimer::singleShot(0, this, [this] { FitColumns(); }); });
        if (!request.lpstrInitialDir.empty()) setDirectory(StartFolder(request.lpstrInitialDir));
        const std::vector<NameFilter> filters = FiltersOf(request.lpstrFilter);
        if (!filters.empty()) {
            QStringList applied;
            for (const NameFilter& f : filters) applied << f.applied;
            setNameFilters(applied);
            const unsigned index = request.nFilterIndex;
            if (index >= 1 && index <= filters.size()) selectNameFilter(applied[static_cast<int>(index - 1)]);
            // The types list shows the request's own patterns ("*.*"); the
            // chooser filters by position, with the patterns applied above.
            if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                types && types->count() == applied.size())
                for (int i = 0; i < types->count(); ++i)
                    types->setItemText(i, filters[static_cast<std::size_t>(i)].shown);
        }
        if (!request.lpstrDefExt.empty()) setDefaultSuffix(FromWindows1252(request.lpstrDefExt));
        const std::string offered(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
        if (!offered.empty()) selectFile(FromWindows1252(offered));
    }
    ~FileChooser() override { ChooserState() = saveState(); }
    FileChooser(const FileChooser&) = delete;
    FileChooser& operator=(const FileChooser&) = delete;

    // The accepted path (in the file system's own characters).
    const QString& chosen() const { return chosen_; }

protected:
    void showEvent(QShowEvent* event) override {
        QFileDialog::showEvent(event);
        QTimer::singleShot(0, this, [this] { FitColumns(); });
    }

    void accept() override {
        const QStringList files = selectedFiles();
        if (files.isEmpty()) return QFileDialog::accept();
        const QString path = QDir::toNativeSeparators(files.first());
        const QFileInfo info(path);
        if (info.isDir()) return QFileDialog::accept();  // opens the folder
        // A typed folder name without a dot comes back with the default
        // extension added; it too opens the folder.
        const QString suffix = QLatin1Char('.') + defaultSuffix();
        if (!info.exists() && suffix.size() > 1 && path.endsWith(suffix)) {
            const QString folder = path.chopped(suffix.size());
            if (QFileInfo(folder).isDir()) {
                setDirectory(folder);
                if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) name->clear();
                return;
            }
        }
        if (IsBlankName(info.fileName())) return;
        if ((request_.Flags & platform::OFN_PATHMUSTEXIST) && !info.absoluteDir().exists()) {
            ShowBox(Tr("The folder %1 does not exist.").arg(QDir::toNativeSeparators(info.absolutePath())), Tr("Save"),
                    platform::MB_ICONEXCLAMATION, this);
            return;
        }
        if (ToWindows1252(path).size() + 1 > request_.nMaxFile) {
            ShowBox(Tr("The path is too long. Please choose a shorter one."), Tr("Save"), platform::MB_ICONEXCLAMATION,
                    this);
            return;
        }
        if ((request_.Flags & platform::OFN_CREATEPROMPT) && !info.exists()) {
            const QString title = windowTitle().trimmed().isEmpty() ? Tr("Save") : windowTitle().trimmed();
            if (ShowBox(Tr("%1\nThis file does not exist.\nCreate the file?").arg(path), title,
                        platform::MB_YESNO | platform::MB_ICONEXCLAMATION, this) != platform::IDYES)
                return;
        }
        if (request_.confirmChoice && !request_.confirmChoice(ToWindows1252(path), path.toUtf8().toStdString())) return;
        chosen_ = path;
        QFileDialog::accept();
    }

private:
    // Widens (never narrows) the detail view's size, type and date columns to
    // their titles and to the texts of the rows shown, and, once the window is
    // shown, the window with them (within the screen), so that every column
    // stays in view and the name column keeps its room.
    void FitColumns() {
        auto* view = findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!view || !view->model()) return;
        QHeaderView* header = view->header();
        const QAbstractItemView* rows = view;  // its size hint of a column is public there
        for (int column = 1; column < header->count(); ++column) {
            const int need = std::max(header->sectionSizeHint(column), rows->sizeHintForColumn(column));
            if (header->sectionSize(column) < need) header->resizeSection(column, need);
        }
        if (!isVisible()) return;
        int target = width() + header->length() - view->viewport()->width();
        if (const QScreen* shownOn = screen()) target = std::min(target, shownOn->availableGeometry().width());
        if (target > width()) resize(target, height());
    }

    const platform::OPENFILENAMEA& request_;
    QString chosen_;
};

}  // namespace

namespace platform_qt {

int RealFileChooser(platform::OPENFILENAMEA& request) {
    if (!qApp || !request.lpstrFile || request.nMaxFile == 0) return 0;
    KeepChooserSettingsInMemory();
    FileChooser chooser(request);
    if (chooser.exec() != QDialog::Accepted || chooser.chosen().isEmpty()) return 0;
    // The program gets the Windows-1252 form; the real name is kept for FileSystemPath.
    const std::string bytes = ToWindows1252(chooser.chosen());
    if (bytes.size() + 1 > request.nMaxFile) return 0;
    std::memcpy(request.lpstrFile, bytes.data(), bytes.size());
    request.lpstrFile[bytes.size()] = '\0';
    g_lastChoice = {bytes, chooser.chosen().toUtf8().toStdString()};
    return 1;
}

}  // namespace platform_qt

namespace platform {

int GetOpenFileNameA(OPENFILENAMEA& request) {
    g_lastChoice = {};  // an answer given by a hook has no other file-system name
    if (platform_qt::Hooks().openFileName) {
        auto hook = platform_qt::Hooks().openFileName;
        return hook(request);
    }
    return platform_qt::RealFileChooser(request);
}

unsigned GetCurrentDirectoryA(unsigned n, char* buf) {
    const std::string path = ToWindows1252(QDir::toNativeSeparators(QDir::currentPath()));
    if (!buf || n < path.size() + 1) return static_cast<unsigned>(path.size() + 1);  // size needed
    std::memcpy(buf, path.data(), path.size());
    buf[path.size()] = '\0';
    return static_cast<unsigned>(path.size());
}

std::string FileSystemPath(std::string_view windowsPath) {
    if (!g_lastChoice.windows.empty() && windowsPath == g_lastChoice.windows) return g_lastChoice.real;
    return FromWindows1252(windowsPath).toUtf8().toStdString();
}

}  // namespace platform
