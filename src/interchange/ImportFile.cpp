#include "interchange/ImportFile.h"

#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"
#include "storage/SafeFile.h"

#include <QFile>

namespace ImportFile {

QString progressText(int count, bool done)
{
    return QStringLiteral("Importing Recipes: ") + QString::number(count)
        + (done ? QStringLiteral(" (DONE)") : QString());
}

bool run(const QString& path, RecipeImporter& importer, const ImportOptions& options, ImportResult& result,
         QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    LineSource source = LineSource::fromDevice(file);
    file.close();
    result = importer.run(source, options);
    return true;
}

QString skippedSummary(const ImportResult& result, int maxListed)
{
    if (result.skipped.isEmpty())
        return QString();
    const int n = result.skipped.size();
    QString text = n == 1 ? QStringLiteral("1 recipe could not be read:")
                          : QStringLiteral("%1 recipes could not be read:").arg(n);
    for (int i = 0; i < n && (maxListed < 0 || i < maxListed); ++i) {
        const ImportResult::Skip& s = result.skipped.at(i);
        text += InterchangeText::CrLf + QStringLiteral("line %1: %2").arg(s.line).arg(s.reason);
    }
    if (maxListed >= 0 && n > maxListed)
        text += InterchangeText::CrLf + QStringLiteral("...");
    return text;
}

QString writeRejects(const QString& path, const ImportResult& result)
{
    QByteArray bytes;
    for (const ImportResult::Skip& s : result.skipped)
        bytes += s.text;
    bytes += result.notReached;
    const auto error = SafeFile::write(path, bytes);
    return error ? error->description() : QString();
}

} // namespace ImportFile
