#include "masterlists/MasterListImport.h"

#include "base/Dialogs.h"
#include "storage/Cp1252.h"

#include <QStringDecoder>

namespace MasterListImport {

Line splitLine(const QString& line)
{
    const QChar quote = QLatin1Char('"');
    Line out;
    if (line.contains(quote)) {
        const int pair = line.lastIndexOf(QStringLiteral("\","));
        if (line.startsWith(quote) && pair > 0) {
            out.ingredient = line.mid(1, pair - 1);
            out.aisle = line.mid(pair + 2).trimmed();
            // A quoted aisle loses its quotes, as the ingredient does.
            if (out.aisle.size() >= 2 && out.aisle.startsWith(quote) && out.aisle.endsWith(quote))
                out.aisle = out.aisle.mid(1, out.aisle.size() - 2);
        } else if (line.size() >= 2 && line.startsWith(quote) && line.endsWith(quote)) {
            out.ingredient = line.mid(1, line.size() - 2);
        } else {
            out.ingredient = line;
        }
    } else {
        const int first = line.indexOf(QLatin1Char(','));
        if (first > 0) {
            // The last comma separates the aisle, so "Bread, white,7" keeps its inner comma in the name.
            const int last = line.lastIndexOf(QLatin1Char(','));
            out.ingredient = line.left(last);
            out.aisle = line.mid(last + 1);
        } else {
            out.ingredient = line;
        }
    }
    out.ingredient = out.ingredient.trimmed();
    out.aisle = out.aisle.trimmed();
    return out;
}

QStringList decodeLines(const QByteArray& bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        text = Cp1252::decode(data);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString databaseLimitTitle()
{
    return QStringLiteral("Database Limit");
}

QString databaseLimitText()
{
    return QStringLiteral("You may not have more than  %1 records.  This is a synchronization limit.")
        .arg(kDatabaseLimit);
}

QString progressText(int count)
{
    return QStringLiteral("Importing Records: ") + QString::number(count);
}

QString doneText(int count)
{
    return progressText(count) + QStringLiteral(" (DONE)");
}

int importLines(const QStringList& lines, const Run& run)
{
    int count = 0;
    for (const QString& line : lines) {
        if (run.listCount() >= kDatabaseLimit) {
            Dialogs::message(databaseLimitTitle(), databaseLimitText());
            break;
        }
        ++count;
        if (run.progress)
            run.progress(count);
        run.add(splitLine(line));
    }
    return count;
}

} // namespace MasterListImport
