// Platform services over Qt: message boxes, the file chooser, icons, the
// message loop and the language of the platform's own windows. Message boxes
// and the file chooser pass through PlatformHooks, so tests answer them
// without a modal window.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHash>
#include <QIconEngine>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <QTranslator>
#include <QXmlStreamReader>
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "dialog/dialog_qt.h"
#include "dialog/platform.h"

namespace {

platform::PlatformHooks& Hooks() {
    static platform::PlatformHooks hooks;
    return hooks;
}

bool g_quitPending = false;
int g_quitCode = 0;
// The program's message loop while it runs. Ending it through its own loop,
// not QCoreApplication::exit, leaves later modal loops (and tests) working.
QEventLoop* g_loop = nullptr;

// Renders the vector source at whatever size is asked, so icons stay crisp at any scale.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = scaledPixmap(rect.size(), mode, state, ratio);
        painter->drawPixmap(rect, pm);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        QSvgRenderer renderer(path_);
        const QSize device = (QSizeF(size) * scale).toSize();
        QPixmap pm(device.isEmpty() ? QSize(1, 1) : device);
        pm.fill(Qt::transparent);
        if (renderer.isValid()) {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            renderer.render(&p);
        }
        pm.setDevicePixelRatio(scale);
        if (mode == QIcon::Disabled && qApp) {
            QStyleOption opt;
            opt.palette = QApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(QIcon::Disabled, pm, &opt);
        }
        return pm;
    }
    QIconEngine* clone() const override { return new SvgIconEngine(path_); }
    QString key() const override { return QStringLiteral("orvane-svg"); }

private:
    QString path_;
};

// ---- Language -------------------------------------------------------------

int g_language = 1;  // 1 Romanian, 2 English
bool Romanian() { return g_language != 2; }

// The platform's own texts, written in English; their Romanian forms come
// with the translation of the standard dialogs.
QString Tr(const char* text) { return QCoreApplication::translate("Orvane", text); }

// Romanian for the standard dialogs (chooser, buttons, menus) and for the
// texts above, built from translations/qt_ro.ts into the resources.
QTranslator* RomanianTranslator() {
    static QPointer<QTranslator> translator;
    if (!translator && qApp) {
        translator = new QTranslator(qApp);
        if (!translator->load(QStringLiteral(":/i18n/qt_ro.qm")))
            qWarning("The Romanian translation of the standard dialogs is missing.");
    }
    return translator;
}

// Installs the Romanian translator for Romanian and removes it for English.
void ApplyLanguage() {
    if (!qApp) return;
    static QPointer<QTranslator> installed;
    QTranslator* romanian = RomanianTranslator();
    if (Romanian() && installed != romanian) {
        QCoreApplication::installTranslator(romanian);
        installed = romanian;
    } else if (!Romanian() && installed) {
        QCoreApplication::removeTranslator(installed);
        installed = nullptr;
    }
}

QLocale LanguageLocale() {
    return Romanian() ? QLocale(QLocale::Romanian, QLocale::Romania) : QLocale(QLocale::English, QLocale::UnitedStates);
}

// ---- Message boxes --------------------------------------------------------

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0u) {
    case platform::MB_ICONERROR: return QMessageBox::Critical;
    case platform::MB_ICONQUESTION: return QMessageBox::Question;
    case platform::MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case platform::MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int ShowBox(const QString& text, const QString& caption, unsigned style, QWidget* parent = nullptr) {
    if (!qApp) return 0;
    QMessageBox box(IconOf(style), caption, DisplayLineBreaks(text), QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & 0x0Fu) == platform::MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? platform::IDYES : platform::IDNO;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

int RealMessageBox(std::string_view text, std::string_view caption, unsigned style) {
    return ShowBox(FromWindows1252(text), FromWindows1252(caption), style);
}

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
        const std::string pattern = list.substr(descEnd + 1, (patEnd == std::string::npos ? list.size() : patEnd) - descEnd - 1);
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
    QFile file(QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                      QStringLiteral("mime/%1.xml").arg(type.name())));
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
        case 3:
            return LanguageLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    mutable QHash<QString, QString> types_;  // file path -> type description
};

// ---- The file chooser -----------------------------------------------------

// The open-style chooser of a request. It stays open until it has a name the
// request accepts: not blank, in a folder that exists (OFN_PATHMUSTEXIST),
// fitting the buffer, and, for a file that does not exist, confirmed by the
// user (OFN_CREATEPROMPT).
class FileChooser : public QFileDialog {
public:
    explicit FileChooser(const platform::OPENFILENAMEA& request)
        : QFileDialog(nullptr, FromWindows1252(request.lpstrTitle)), request_(request) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setOption(QFileDialog::DontConfirmOverwrite, true);
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile);
        setWindowModality(Qt::ApplicationModal);
        setProxyModel(new ChooserColumns(this));
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
            if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")); types && types->count() == applied.size())
                for (int i = 0; i < types->count(); ++i) types->setItemText(i, filters[static_cast<std::size_t>(i)].shown);
        }
        if (!request.lpstrDefExt.empty()) setDefaultSuffix(FromWindows1252(request.lpstrDefExt));
        const std::string offered(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
        if (!offered.empty()) selectFile(FromWindows1252(offered));
    }

    // The accepted path (in the file system's own characters).
    const QString& chosen() const { return chosen_; }

protected:
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
        chosen_ = path;
        QFileDialog::accept();
    }

private:
    const platform::OPENFILENAMEA& request_;
    QString chosen_;
};

int RealFileChooser(platform::OPENFILENAMEA& request) {
    if (!qApp || !request.lpstrFile || request.nMaxFile == 0) return 0;
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

}  // namespace

namespace platform_qt {
bool QuitPending(int* code) {
    if (code && g_quitPending) *code = g_quitCode;
    return g_quitPending;
}
void ClearQuit() {
    g_quitPending = false;
    g_quitCode = 0;
}
}  // namespace platform_qt

namespace platform {

int MessageBoxA(void*, std::string_view text, std::string_view caption, unsigned style) {
    if (Hooks().messageBox) {
        auto hook = Hooks().messageBox;  // a copy: the hook may replace the hooks
        return hook(text, caption, style);
    }
    return RealMessageBox(text, caption, style);
}

int GetOpenFileNameA(OPENFILENAMEA& request) {
    g_lastChoice = {};  // an answer given by a hook has no other file-system name
    if (Hooks().openFileName) {
        auto hook = Hooks().openFileName;
        return hook(request);
    }
    return RealFileChooser(request);
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

void SetLanguage(int lang) {
    g_language = lang == 2 ? 2 : 1;
    ApplyLanguage();
}

PlatformHooks SetPlatformHooks(PlatformHooks hooks) {
    std::swap(Hooks(), hooks);
    return hooks;
}

HICON LoadIconResource(int resourceId, int width, int height) {
    EnsureResources();
    const QString path = QStringLiteral(":/icons/%1.svg").arg(resourceId);
    if (!QFileInfo::exists(path)) return nullptr;
    if (width <= 0 || height <= 0) {
        const int side = qApp ? QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize) : 16;
        width = height = side;
    }
    static std::map<std::tuple<int, int, int>, std::unique_ptr<IconResource>> cache;
    auto& slot = cache[{resourceId, width, height}];
    if (!slot) {
        slot = std::make_unique<IconResource>();
        slot->resourceId = resourceId;
        slot->size = QSize(width, height);
        slot->icon = QIcon(new SvgIconEngine(path));
    }
    return slot.get();
}

int RunMessageLoop() {
    if (!g_quitPending && qApp && !g_loop) {
        QApplication::setQuitOnLastWindowClosed(false);
        QEventLoop loop;
        g_loop = &loop;
        loop.exec();
        g_loop = nullptr;
    }
    const int code = g_quitCode;
    platform_qt::ClearQuit();
    return code;
}

void PostQuitMessage(int code) {
    g_quitPending = true;
    g_quitCode = code;
    if (g_loop) g_loop->exit(code);
}

}  // namespace platform
