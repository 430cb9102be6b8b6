// The texts a failed save is reported with, in Romanian and English.
#pragma once

#include <string>
#include <string_view>

#include "text/bilingual.h"

namespace save_text {

using Bilingual = bilingual::Text;

inline constexpr Bilingual kNoName{"Nu a fost dat niciun nume de fisier.", "No file name was given."};
inline constexpr Bilingual kIsFolder{"Numele este al unui dosar, nu al unui fisier.",
                                     "The name is that of a folder, not of a file."};
inline constexpr Bilingual kDanglingLink{"Legatura indica un fisier care nu exista.",
                                         "The link names a file that does not exist."};
inline constexpr Bilingual kReadOnlyFile{"Fisierul este doar pentru citire.", "The file is read-only."};
inline constexpr Bilingual kMayNotChange{"Nu aveti dreptul sa modificati acest fisier (permisiune refuzata).",
                                         "You may not change this file (permission denied)."};
inline constexpr Bilingual kTooLargeToKeep{"Fisierul este prea mare pentru a fi rescris in siguranta in acest loc.",
                                           "The file is too large to be rewritten safely in this place."};
inline constexpr Bilingual kNotRestored{"\nContinutul sau vechi nu a putut fi refacut complet.",
                                        "\nIts old content could not be put back completely."};
inline constexpr Bilingual kCouldNotSave{"Fisierul nu a putut fi salvat:\n", "The file could not be saved:\n"};

// Why a system call failed with `error`, as a sentence in language `lang`.
std::string ReasonFromErrno(int error, int lang);

}  // namespace save_text
