#pragma once
// The session bus's activation file for the automation object, so that a client can
// have the bus start the program as the object's server. A normal start refreshes it.

#include <QString>

namespace tarnex {

// Name of the file in the services folder.
QString ActivationFileName();

// "[D-BUS Service]", the service name and the command line: the program's path and
// "-Automation".
QString ActivationFileText(const QString& programPath);

// Writes the file into servicesFolder when its content differs (the folder is made
// when missing). An empty folder means the user's own services folder. False when
// it could not be written; the program does not tell the person.
bool RefreshActivationFile(const QString& programPath, const QString& servicesFolder = {});

}  // namespace tarnex
