#pragma once

#include <QLoggingCategory>

// Why the first-start marker could not be written. Quiet unless turned on:
// QT_LOGGING_RULES="palmora.app.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcApp)
