#pragma once

#include "platform/programfolder.h"
#include "platform/testsupport/quitflag.h"

#include <QTemporaryDir>

// A program folder and a fallback folder of the test's own, in force while the
// object lives, with the quit flag clear; everything is put back afterwards.
class TemporaryInstallation
{
public:
    TemporaryInstallation()
    {
        ProgramFolder::setPathForTesting(program.path());
        ProgramFolder::setFallbackForTesting(fallback.path());
        clearQuitFlag();
    }
    ~TemporaryInstallation()
    {
        ProgramFolder::setPathForTesting(QString());
        ProgramFolder::setFallbackForTesting(QString());
        ProgramFolder::setWritableForTesting(0);
        clearQuitFlag();
    }
    TemporaryInstallation(const TemporaryInstallation &) = delete;
    TemporaryInstallation &operator=(const TemporaryInstallation &) = delete;

    bool isValid() const { return program.isValid() && fallback.isValid(); }

    QTemporaryDir program;
    QTemporaryDir fallback;
};
