// "Save to File" of the summary dialog: the chooser, the question before an
// existing file is replaced, the safe write and the report of its outcome in
// a message box naming the file (in the current language); the program
// carries on after any failure.
#include "save/summary_file.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "app/fixed_text.h"
#include "app/state.h"
#include "dialog/platform.h"
#include "save/failure_texts.h"
#include "save/safe_replace.h"
#include "save/summary_content.h"

using namespace std::string_view_literals;
using save_text::Bilingual;

namespace {

constexpr std::size_t kNameLength = 260;

// The text up to its first NUL character (the whole text if it has none).
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

constexpr Bilingual kAlreadyExists{"\nAcest fisier exista deja.\nDoriti sa il inlocuiti?",
                                   "\nThis file already exists.\nDo you want to replace it?"};

void ShowFailure(std::string_view path, std::string_view reason) {
    std::string text = bilingual::PickString(save_text::kCouldNotSave, COMUN::LANG);
    text += path;
    text += "\n\n";
    text += reason;
    platform::MessageBoxA(nullptr, text, "Error", platform::MB_OK | platform::MB_ICONERROR);
}

// Asks before an existing file is replaced; true when the user agrees.
bool ConfirmReplace(std::string_view path) {
    std::string text(path);
    text += bilingual::PickString(kAlreadyExists, COMUN::LANG);
    return platform::MessageBoxA(nullptr, text, "Saved Topic", platform::MB_YESNO | platform::MB_ICONEXCLAMATION) ==
           platform::IDYES;
}

// The name the user agreed, while the chooser was open, to have replaced
// (Windows-1252, as chosen); empty when the question was not asked there.
std::string& ReplaceAgreedInChooser() {
    static std::string path;
    return path;
}

// The chooser's own question before it returns a name: for an existing file
// that the save would replace, whether to replace it. No keeps the chooser open.
bool ConfirmInChooser(std::string_view shown, const std::string& fileSystemName) {
    if (!ReplaceNeedsConfirmation(fileSystemName)) return true;
    if (!ConfirmReplace(shown)) return false;
    ReplaceAgreedInChooser() = std::string(shown);
    return true;
}

// Writes the summary file to `path` (Windows-1252, as chosen and as shown in
// the messages); false (with the message shown) on failure or when the user
// declines to replace an existing file. The replace question is asked here
// only when the chooser did not ask it (a chooser answered by a hook, or a
// file that appeared after the chooser closed).
bool SaveSummary(const std::string& path, std::string_view content) {
    const std::string name = path.empty() ? std::string() : platform::FileSystemPath(path);
    const bool agreed = !path.empty() && ReplaceAgreedInChooser() == path;
    const FileWriteResult result = WriteUserFile(
        name, content, [&path, agreed] { return agreed || ConfirmReplace(path); }, COMUN::LANG);
    if (result.status == FileWriteResult::Status::kFailed) ShowFailure(path, result.reason);
    return result.status == FileWriteResult::Status::kWritten;
}

}  // namespace

void SAVE_TO_FILE(DIALOG&, int, int) {
    std::string FNAME(kNameLength, ' ');
    FNAME[1] = '\0';
    int selected = 0;
    ReplaceAgreedInChooser().clear();
    GETFILE(FNAME, selected, "Saved Topic");
    if (selected == 0) return;

    const std::string path(UpToNul(FNAME));
    if (!SaveSummary(path, SummaryFileContent(COMUN::LANG))) return;
    platform::MessageBoxA(nullptr, path, "Saved to File", platform::MB_OK | platform::MB_ICONINFORMATION);
}

void GETFILE(std::string& FNAME, int& selected, std::string_view title) {
    std::array<char, kNameLength> folder{};
    std::string startFolder(1, '\0');
    const unsigned length = platform::GetCurrentDirectoryA(kNameLength, folder.data());
    if (length > 0 && length < kNameLength) startFolder.assign(folder.data(), length);

    constexpr std::string_view filters =
        "Text Files (*.txt)\0*.txt\0Data Files (*.dat)\0*.dat\0All files (*.*)\0*.*\0\0"sv;
    const std::string paddedTitle = Padded(title, kNameLength);
    SELECTFILE(startFolder, filters, paddedTitle, 1, "txt", FNAME, selected);
}

void SELECTFILE(std::string_view startFolder, std::string_view filters, std::string_view title, int filterIndex,
                std::string_view defaultExtension, std::string& FILE_SPEC, int& selected) {
    // The buffer the chooser writes into holds the full name length.
    if (FILE_SPEC.size() < kNameLength) FILE_SPEC.resize(kNameLength, ' ');

    platform::OPENFILENAMEA request;
    request.lStructSize = 88;
    request.hwndOwner = nullptr;
    request.lpstrFilter = std::string(filters);
    request.nFilterIndex = filterIndex > 0 ? static_cast<unsigned>(filterIndex) : 0;
    request.lpstrFile = FILE_SPEC.data();
    request.nMaxFile = kNameLength;
    request.lpstrInitialDir = std::string(UpToNul(startFolder));
    request.lpstrTitle = std::string(RightTrim(title));
    request.Flags = platform::OFN_PATHMUSTEXIST | platform::OFN_CREATEPROMPT;
    request.lpstrDefExt = std::string(defaultExtension);
    request.confirmChoice = ConfirmInChooser;
    selected = platform::GetOpenFileNameA(request);
}
