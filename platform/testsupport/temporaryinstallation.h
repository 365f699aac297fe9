#pragma once

#include "platform/installation.h"
#include "platform/testsupport/quitflag.h"

#include <QTemporaryDir>

// A program folder and a user data folder of the test's own, with the quit
// flag clear while the object lives and afterwards.
class TemporaryInstallation
{
public:
    TemporaryInstallation() { clearQuitFlag(); }
    ~TemporaryInstallation() { clearQuitFlag(); }
    TemporaryInstallation(const TemporaryInstallation &) = delete;
    TemporaryInstallation &operator=(const TemporaryInstallation &) = delete;

    bool isValid() const { return program.isValid() && fallback.isValid(); }

    // The installation the features under test are given.
    Installation installation(Installation::ProgramFolderWrites writes = Installation::ProgramFolderWrites::AsAllowed,
                              const QString &userData = QString()) const
    {
        return Installation(program.path(), userData.isEmpty() ? fallback.path() : userData, writes);
    }

    QTemporaryDir program;
    QTemporaryDir fallback;
};
