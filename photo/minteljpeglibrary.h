#pragma once

#include "platform/safefile.h"

#include <QString>

class cDIBSection;

// Writes a bitmap buffer to a JPEG file through libjpeg-turbo.
namespace mIntelJPEGLibrary {

// The export's own failures are raised as RaisedError number 26001.
constexpr int errorNumber = 26001;
// File-system failures (the target cannot be replaced) are raised as the
// path/file access error.
constexpr int fileAccessErrorNumber = 75;

// Encodes the buffer at the quality given (1 to 100) into the file, which is
// replaced only once the new picture is complete (written in place only where
// the folder allows no temporary file beside it); a file it replaces passes
// on its access and modification times and its permissions. Returns true;
// every failure is raised as a RaisedError and leaves an existing file as it was.
bool SaveJpegFile(const cDIBSection &buffer, const QString &fileName, int quality, const SafeFile &files = SafeFile());

// "<executable name>.mIntelJPEGLibrary", the source of the errors raised.
QString errorSource();

} // namespace mIntelJPEGLibrary
