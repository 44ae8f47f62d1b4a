#include "printing/ui/ReportPdf.h"

#include "printing/ui/ReportPainter.h"

#include <QPdfWriter>
#include <QSaveFile>

std::optional<AppError> writeReportPdf(const ReportDocument& doc, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return AppError(AppError::PathFileAccessError, file.errorString());
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(doc.docName());
        writer.setCreator(QStringLiteral("Zestora Plus"));
        writer.setResolution(600);
        const ReportPainter painter(doc);
        painted = painter.paintPages(writer, 1, painter.pageCount());
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return AppError(AppError::DeviceIoError, reason);
    }
    if (!file.commit())
        return AppError(AppError::DeviceIoError, file.errorString());
    return std::nullopt;
}
