#include "photo/photolog.h"

// Warnings only by default: what goes wrong is logged as info, for whoever turns it on.
Q_LOGGING_CATEGORY(lcPhoto, "palmora.photo", QtWarningMsg)
