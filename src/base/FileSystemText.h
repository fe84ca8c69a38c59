#pragma once
// Text that comes from the file system: the names of files and folders, and the
// system's own error texts that come with them. Both are the system's bytes, UTF-8 on
// this platform (the window program's Qt reads file names the same way), while every
// text the program shows is Windows-1252. A path goes into a message or a title only
// through this one conversion.

#include <string>
#include <string_view>

namespace tarnex {

// Each character that Windows-1252 holds becomes its byte; any other character, and
// every byte that is not part of a well-formed UTF-8 sequence, becomes "?".
std::string FileSystemText(std::string_view systemText);

}  // namespace tarnex
