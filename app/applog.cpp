#include "app/applog.h"

// Warnings only by default: what goes wrong is logged as info, for whoever turns it on.
Q_LOGGING_CATEGORY(lcApp, "palmora.app", QtWarningMsg)
