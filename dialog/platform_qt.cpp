// Platform services over Qt: message boxes, the file chooser, icons and the
// message loop. Message boxes and the file chooser pass through PlatformHooks,
// so tests answer them without a modal window.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QIconEngine>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

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

QMessageBox::Icon IconOf(unsigned style) {
    switch (style & 0xF0u) {
    case platform::MB_ICONERROR: return QMessageBox::Critical;
    case platform::MB_ICONQUESTION: return QMessageBox::Question;
    case platform::MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case platform::MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int RealMessageBox(std::string_view text, std::string_view caption, unsigned style) {
    if (!qApp) return 0;
    QMessageBox box(IconOf(style), FromWindows1252(caption), DisplayLineBreaks(FromWindows1252(text)));
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

// "Text files (*.txt)\0*.txt\0All files\0*.*\0\0" -> Qt name filters.
QStringList FiltersOf(const std::string& list) {
    QStringList out;
    std::size_t pos = 0;
    while (pos < list.size() && list[pos] != '\0') {
        const std::size_t descEnd = list.find('\0', pos);
        if (descEnd == std::string::npos) break;
        const std::size_t patEnd = list.find('\0', descEnd + 1);
        const std::string desc = list.substr(pos, descEnd - pos);
        const std::string pattern = list.substr(descEnd + 1, (patEnd == std::string::npos ? list.size() : patEnd) - descEnd - 1);
        QString patterns = FromWindows1252(pattern);
        patterns.replace(u';', u' ');
        QString description = FromWindows1252(desc);
        if (!description.contains(u'(')) description += QStringLiteral(" (%1)").arg(patterns);
        else description = QStringLiteral("%1 (%2)").arg(description.section(u'(', 0, 0).trimmed(), patterns);
        out << description;
        if (patEnd == std::string::npos) break;
        pos = patEnd + 1;
    }
    return out;
}

int RealFileChooser(platform::OPENFILENAMEA& request) {
    if (!qApp || !request.lpstrFile || request.nMaxFile == 0) return 0;
    QFileDialog chooser(nullptr, FromWindows1252(request.lpstrTitle));
    chooser.setOption(QFileDialog::DontUseNativeDialog, true);
    chooser.setOption(QFileDialog::DontConfirmOverwrite, true);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setWindowModality(Qt::ApplicationModal);
    if (!request.lpstrInitialDir.empty()) chooser.setDirectory(FromWindows1252(request.lpstrInitialDir));
    const QStringList filters = FiltersOf(request.lpstrFilter);
    if (!filters.isEmpty()) {
        chooser.setNameFilters(filters);
        const unsigned index = request.nFilterIndex;
        if (index >= 1 && index <= static_cast<unsigned>(filters.size())) chooser.selectNameFilter(filters[static_cast<int>(index - 1)]);
    }
    if (!request.lpstrDefExt.empty()) chooser.setDefaultSuffix(FromWindows1252(request.lpstrDefExt));
    const std::string offered(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile));
    if (!offered.empty()) chooser.selectFile(FromWindows1252(offered));
    for (;;) {
        if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return 0;
        const QString chosen = QDir::toNativeSeparators(chooser.selectedFiles().first());
        const QFileInfo info(chosen);
        if ((request.Flags & platform::OFN_PATHMUSTEXIST) && !info.absoluteDir().exists()) {
            RealMessageBox(ToWindows1252(QStringLiteral("The folder %1 does not exist.").arg(info.absolutePath())),
                           "Save", platform::MB_ICONEXCLAMATION);
            continue;
        }
        const std::string bytes = ToWindows1252(chosen);
        if (FromWindows1252(bytes) != chosen) {
            RealMessageBox("The file name contains characters that cannot be used here. Please choose another name.",
                           "Save", platform::MB_ICONEXCLAMATION);
            continue;
        }
        if (bytes.size() + 1 > request.nMaxFile) {
            RealMessageBox("The path is too long. Please choose a shorter one.", "Save", platform::MB_ICONEXCLAMATION);
            continue;
        }
        if ((request.Flags & platform::OFN_CREATEPROMPT) && !info.exists()) {
            const std::string question = ToWindows1252(QStringLiteral("%1\nThis file does not exist.\nCreate the file?").arg(chosen));
            if (RealMessageBox(question, FromWindows1252(request.lpstrTitle).isEmpty() ? "Save" : request.lpstrTitle,
                               platform::MB_YESNO | platform::MB_ICONEXCLAMATION) != platform::IDYES)
                continue;
        }
        std::memcpy(request.lpstrFile, bytes.data(), bytes.size());
        request.lpstrFile[bytes.size()] = '\0';
        return 1;
    }
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
