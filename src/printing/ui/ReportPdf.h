#pragma once

#include "base/AppError.h"
#include "printing/ReportDocument.h"

#include <optional>

// Writes the report as a PDF file, page by page as the preview shows it, through QSaveFile so that a
// failure leaves any earlier file in place. Needs a QGuiApplication (fonts). Returns the failure, if any.
std::optional<AppError> writeReportPdf(const ReportDocument& doc, const QString& path);
