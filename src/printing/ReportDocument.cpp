#include "printing/ReportDocument.h"

#include <QRegularExpression>

namespace {

double widthFromText(const QString& text, bool* ok)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([0-9]*\\.?[0-9]+)\\s*(in|cm|mm|pt)?\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(text);
    *ok = m.hasMatch();
    if (!*ok)
        return 0.0;
    const double value = m.captured(1).toDouble();
    const QString unit = m.captured(2).toLower();
    if (unit == QLatin1String("in"))
        return value;
    if (unit == QLatin1String("cm"))
        return value / 2.54;
    if (unit == QLatin1String("mm"))
        return value / 25.4;
    if (unit == QLatin1String("pt"))
        return value / 72.0;
    return value / 1440.0;
}

} // namespace

ReportTableFormat ReportTableFormat::parse(const QString& format)
{
    ReportTableFormat result;
    QString text = format.trimmed();
    if (text.endsWith(QLatin1Char('~'))) {
        result.plain = true;
        text.chop(1);
    }
    if (text.isEmpty())
        return result;
    const QStringList parts = text.split(QLatin1Char('|'));
    for (const QString& part : parts) {
        ReportColumn column;
        int i = 0;
        for (; i < part.size(); ++i) {
            const QChar c = part.at(i);
            if (c == QLatin1Char('<') || c == QLatin1Char('='))
                column.align = ReportAlign::Left;
            else if (c == QLatin1Char('^'))
                column.align = ReportAlign::Center;
            else if (c == QLatin1Char('>'))
                column.align = ReportAlign::Right;
            else if (c != QLatin1Char('+') && !c.isSpace())
                break;
        }
        bool ok = false;
        column.widthInches = widthFromText(part.mid(i), &ok);
        if (!ok || column.widthInches <= 0.0)
            column.widthInches = 1.0;
        result.columns.append(column);
    }
    return result;
}

double ReportTableFormat::totalWidthInches() const
{
    double total = 0.0;
    for (const ReportColumn& c : columns)
        total += c.widthInches;
    return total;
}

ReportPaper ReportPaper::indexCard()
{
    ReportPaper p;
    p.widthInches = 5.0;
    p.heightInches = 3.0;
    p.marginTop = 0.6;
    p.marginLeft = 0.0;
    p.marginRight = 0.0;
    p.marginBottom = 0.0;
    p.customCard = true;
    return p;
}

bool ReportPaper::operator==(const ReportPaper& o) const
{
    return widthInches == o.widthInches && heightInches == o.heightInches && marginLeft == o.marginLeft
        && marginRight == o.marginRight && marginTop == o.marginTop && marginBottom == o.marginBottom
        && customCard == o.customCard;
}

void ReportDocument::startDoc()
{
    m_blocks.clear();
    m_header.clear();
    m_fontName = QStringLiteral("Arial");
    m_fontSize = 10.0;
    m_bold = false;
    m_align = ReportAlign::Left;
    m_ended = false;
    m_belowPictures = false;
}

void ReportDocument::setHeader(const QString& text)
{
    m_header = text.split(QLatin1Char('|'));
    while (m_header.size() < 3)
        m_header.append(QString());
}

QString ReportDocument::headerPart(int part, int page) const
{
    return QString(m_header.value(part)).replace(QLatin1String("%d"), QString::number(page));
}

bool ReportDocument::hasHeader() const
{
    for (const QString& part : m_header) {
        if (!part.isEmpty())
            return true;
    }
    return false;
}

ReportBlock ReportDocument::styled(ReportBlock::Kind kind) const
{
    ReportBlock b;
    b.kind = kind;
    b.fontName = m_fontName;
    b.fontSize = m_fontSize;
    b.bold = m_bold;
    b.align = m_align;
    return b;
}

void ReportDocument::append(ReportBlock block)
{
    block.belowPictures = m_belowPictures;
    m_belowPictures = false;
    m_blocks.append(block);
}

void ReportDocument::paragraph(const QString& text)
{
    ReportBlock b = styled(ReportBlock::Paragraph);
    b.text = text;
    append(b);
}

void ReportDocument::addTable(const QString& format, const QStringList& header, const QVector<QStringList>& rows)
{
    ReportBlock b = styled(ReportBlock::Table);
    b.format = ReportTableFormat::parse(format);
    const int columns = b.format.columns.size();
    auto fit = [columns](QStringList cells) {
        while (cells.size() < columns)
            cells.append(QString());
        return cells.mid(0, columns);
    };
    bool anyHeader = false;
    for (const QString& h : header)
        anyHeader = anyHeader || !h.isEmpty();
    if (anyHeader && !b.format.plain)
        b.header = fit(header);
    for (const QStringList& row : rows)
        b.rows.append(fit(row));
    append(b);
}

void ReportDocument::addTable(const QString& format, const QString& header, const QString& body)
{
    addTable(format, header.isEmpty() ? QStringList() : header.split(QLatin1Char('|')), splitBody(body));
}

QVector<QStringList> ReportDocument::splitBody(const QString& body)
{
    QVector<QStringList> rows;
    QStringList lines = body.split(QLatin1Char('~'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (const QString& line : lines)
        rows.append(line.split(QLatin1Char('|')));
    return rows;
}

void ReportDocument::drawPicture(const QString& path, double leftInches, double widthInches, double heightInches)
{
    ReportBlock b = styled(ReportBlock::Picture);
    b.picturePath = path;
    b.pictureLeft = leftInches;
    b.pictureWidth = widthInches;
    b.pictureHeight = heightInches;
    append(b);
}

void ReportDocument::newPage()
{
    append(styled(ReportBlock::PageBreak));
}

int ReportDocument::pageBreakCount() const
{
    int n = 0;
    for (const ReportBlock& b : m_blocks)
        n += b.kind == ReportBlock::PageBreak ? 1 : 0;
    return n;
}

QStringList ReportDocument::texts() const
{
    QStringList out;
    for (const ReportBlock& b : m_blocks) {
        if (b.kind == ReportBlock::Paragraph)
            out << b.text;
        if (b.kind == ReportBlock::Table) {
            out << b.header;
            for (const QStringList& row : b.rows)
                out << row;
        }
    }
    return out;
}
