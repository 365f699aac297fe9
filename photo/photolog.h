#pragma once

#include <QLoggingCategory>

// Why a photo could not be saved. Quiet unless turned on:
// QT_LOGGING_RULES="palmora.photo.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcPhoto)
