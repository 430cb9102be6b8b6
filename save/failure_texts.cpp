// Sentences for the errors a save may meet; an error without its own
// sentence is named by the system (English) or by its number (Romanian).
#include "save/failure_texts.h"

#include <cerrno>
#include <cstring>

namespace save_text {

std::string ReasonFromErrno(int error, int lang) {
    struct Entry {
        int error;
        Bilingual text;
    };
    static constexpr Entry kReasons[] = {
        {ENOENT, {"Dosarul nu exista.", "The folder does not exist."}},
        {ENOTDIR, {"O parte a caii nu este un dosar.", "A part of the path is not a folder."}},
        {EACCES, {"Permisiune refuzata.", "Permission denied."}},
        {EPERM, {"Permisiune refuzata.", "Permission denied."}},
        {ENOSPC,
         {"Nu mai este spatiu pe dispozitiv (discul este plin).", "No space left on the device (the disk is full)."}},
        {EDQUOT, {"Cota de spatiu pe disc este depasita.", "The disk quota is used up."}},
        {EROFS, {"Sistemul de fisiere permite doar citirea.", "The file system is read-only."}},
        {EISDIR, kIsFolder},
        {EFBIG,
         {"Fisierul ar depasi dimensiunea cea mai mare permisa.", "The file would exceed the largest size allowed."}},
        {ENAMETOOLONG, {"Numele este prea lung.", "The name is too long."}},
        {ELOOP, {"Prea multe legaturi simbolice in cale.", "Too many symbolic links in the path."}},
        {EIO, {"Eroare de intrare/iesire pe dispozitiv.", "Input/output error on the device."}},
        {ENXIO,
         {"Nimic nu citeste de acolo, sau dispozitivul lipseste.", "Nothing reads from it, or the device is missing."}},
        {EPIPE, {"Cel care citea a inchis legatura.", "The reader closed the connection."}},
        {ETXTBSY, {"Fisierul este folosit de un program care ruleaza.", "The file is in use by a running program."}},
        {EBUSY, {"Fisierul sau dispozitivul este ocupat.", "The file or device is busy."}},
    };
    for (const Entry& entry : kReasons)
        if (entry.error == error) return bilingual::PickString(entry.text, lang);
    if (lang == 2) return std::string(std::strerror(error)) + ".";
    return "Eroare de sistem (cod " + std::to_string(error) + ").";
}

}  // namespace save_text
