#pragma once
// The one place where the program's 8-bit text meets QString. Log data, section names
// and messages are Windows-1252 bytes (the code page of the machines whose files
// users bring along); every byte 0-255 maps to one character and back unchanged,
// the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// included, as U+0081 and so on. File names are the file system's own bytes.

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace tarnex {

class TextCodec {
  public:
    // Windows-1252 bytes to text.
    static QString ToQString(std::string_view bytes);
    // Text to Windows-1252 bytes; a character the code page cannot hold becomes "?".
    static std::string ToBytes(QStringView text);
    // True when every character of the text has a Windows-1252 byte.
    static bool CanEncode(QStringView text);

    // File names: the path bytes the program hands to the file system, to and from
    // the text a file dialog or a message shows.
    static QString PathToQString(const std::string& path);
    static std::string QStringToPath(const QString& path);
};

}  // namespace tarnex
