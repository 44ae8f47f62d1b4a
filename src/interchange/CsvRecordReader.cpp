#include "interchange/CsvRecordReader.h"

#include "interchange/InterchangeText.h"
#include "interchange/LineSource.h"

QStringList CsvRecordReader::read(LineSource& source)
{
    enum State { FieldStart, Unquoted, Quoted, AfterQuote };
    QStringList fields;
    QString field;
    State state = FieldStart;
    QString line = source.current();
    int i = 0;
    auto finish = [&]() {
        fields << (state == Quoted || state == AfterQuote ? field : field.trimmed());
        field.clear();
        state = FieldStart;
    };
    for (;;) {
        if (i >= line.size()) {
            if (state == Quoted && source.readLine()) {
                field += InterchangeText::CrLf;
                line = source.current();
                i = 0;
                continue;
            }
            finish();
            break;
        }
        const QChar c = line.at(i++);
        switch (state) {
        case FieldStart:
            if (c == QLatin1Char('"')) {
                state = Quoted;
            } else if (c == QLatin1Char(',')) {
                finish();
            } else if (c != QLatin1Char(' ')) {
                field += c;
                state = Unquoted;
            }
            break;
        case Unquoted:
            if (c == QLatin1Char(','))
                finish();
            else
                field += c;
            break;
        case Quoted:
            if (c == QLatin1Char('"')) {
                if (i < line.size() && line.at(i) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    state = AfterQuote;
                }
            } else {
                field += c;
            }
            break;
        case AfterQuote:
            // Stray text after the closing quote belongs to the field.
            if (c == QLatin1Char(','))
                finish();
            else if (c != QLatin1Char(' ') || !field.isEmpty())
                field += c;
            break;
        }
    }
    return fields;
}
