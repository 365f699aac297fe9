#pragma once

#include <QLoggingCategory>

// Why a questionnaire workbook was refused or its result not saved. Quiet unless turned on:
// QT_LOGGING_RULES="palmora.questionnaire.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcQuestionnaire)
