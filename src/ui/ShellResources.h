#pragma once
// The pictures and texts of the program's small windows, compiled into the program.

#include <QString>

namespace tarnex {

// Makes sure the compiled-in resources are registered (the library is static, so
// nothing else pulls them in). Cheap to call more than once.
void EnsureShellResources();

inline const QString kSplashPicture = QStringLiteral(":/shell/splash.png");
inline const QString kAboutPicture = QStringLiteral(":/shell/about.png");
inline const QString kInstructionsResource = QStringLiteral(":/shell/istruzioni.txt");

}  // namespace tarnex
