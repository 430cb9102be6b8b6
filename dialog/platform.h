// Platform services the program takes from the windowing system: message
// boxes, the file chooser, icons, the message loop. Message boxes and the file
// chooser go through one replaceable seam (PlatformHooks) so tests can answer
// them without a modal window.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

namespace platform {

// Message box styles (the values of the Windows constants).
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_ICONHAND = 0x10;  // error / stop
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_YESNO = 0x04;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Modal message box with no owner window; returns the id of the button pressed.
int MessageBoxA(void* owner, std::string_view text, std::string_view caption, unsigned style);

// File chooser request, as the Windows open-file request carries it.
constexpr unsigned OFN_PATHMUSTEXIST = 0x0800;
constexpr unsigned OFN_CREATEPROMPT = 0x2000;

struct OPENFILENAMEA {
    unsigned lStructSize = 88;
    void* hwndOwner = nullptr;
    // Pairs of NUL-terminated texts (description, pattern) ended by one more NUL.
    std::string lpstrFilter;
    unsigned nFilterIndex = 0;  // 1-based pair preselected
    char* lpstrFile = nullptr;  // in: offered name; out: chosen full path, NUL-terminated
    unsigned nMaxFile = 0;
    std::string lpstrInitialDir;
    std::string lpstrTitle;
    unsigned Flags = 0;
    std::string lpstrDefExt;
    // The program's own question about the name the chooser is about to
    // return, asked while the chooser is still open: the name as the program
    // shows it (Windows-1252) and as the file system names it (UTF-8). False
    // keeps the chooser open. Empty: no question. A hook that answers instead
    // of the chooser does not ask it.
    std::function<bool(std::string_view shown, const std::string& fileSystemName)> confirmChoice;
};
// Runs the chooser; nonzero when a file was chosen (its path is in lpstrFile).
int GetOpenFileNameA(OPENFILENAMEA& request);
// Current folder into buf (size n, NUL-terminated); its length, 0 on failure.
unsigned GetCurrentDirectoryA(unsigned n, char* buf);

// The file-system name (UTF-8) of a path the program holds as Windows-1252
// text. The chooser's last answer maps back to the exact path chosen, even
// where its folder or file name has characters without a Windows-1252 byte
// (shown there as '?'); any other text is converted character by character.
std::string FileSystemPath(std::string_view windowsPath);

// Language of the platform's own windows and texts (the file chooser, the
// standard buttons, the chooser's questions): 1 Romanian, 2 English.
void SetLanguage(int lang);

// The seam: when a hook is set, it answers instead of the real window.
struct PlatformHooks {
    std::function<int(std::string_view text, std::string_view caption, unsigned style)> messageBox;
    std::function<int(OPENFILENAMEA& request)> openFileName;
};
// Installs hooks and returns the previous ones; empty functions restore the real windows.
PlatformHooks SetPlatformHooks(PlatformHooks hooks);

// Icons loaded from the program's resources at the given pixel size
// (0 x 0 = the platform's small-icon size); nullptr when missing.
HICON LoadIconResource(int resourceId, int width, int height);

// Message loop: runs until PostQuitMessage, returns its code.
int RunMessageLoop();
void PostQuitMessage(int code);

}  // namespace platform
