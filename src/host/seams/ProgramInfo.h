#pragma once

#include <QString>

namespace korven::host {

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

// The program title that boxes without a title of their own carry.
QString ProgramTitle();
// The version the build was made as.
ProgramVersion Version();
// The folder of the running executable, without a trailing separator except at the root.
QString SystemProgramFolder();

} // namespace korven::host
