#pragma once

#include <QLoggingCategory>

// Why a news page could not be fetched or kept. Quiet unless turned on:
// QT_LOGGING_RULES="palmora.news.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcNews)
