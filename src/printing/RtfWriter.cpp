#include "printing/RtfWriter.h"

#include "storage/Cp1252.h"
#include "storage/SafeFile.h"

#include <QFile>

#include <cmath>

namespace {

int twips(double inches)
{
    return static_cast<int>(std::lround(inches * 1440.0));
}

QByteArray num(int value)
{
    return QByteArray::number(value);
}

QByteArray alignWord(ReportAlign align)
{
    switch (align) {
    case ReportAlign::Center:
        return "\\qc";
    case ReportAlign::Right:
        return "\\qr";
    case ReportAlign::Left:
        break;
    }
    return "\\ql";
}

class FontTable
{
public:
    explicit FontTable(const ReportDocument& doc)
    {
        add(QStringLiteral("Arial"));
        for (const ReportBlock& b : doc.blocks())
            add(b.fontName);
    }
    int index(const QString& name) const
    {
        const int i = m_names.indexOf(name.isEmpty() ? QStringLiteral("Arial") : name);
        return i < 0 ? 0 : i;
    }
    QByteArray table() const
    {
        QByteArray out = "{\\fonttbl";
        for (int i = 0; i < m_names.size(); ++i)
            out += "{\\f" + num(i) + "\\fswiss\\fcharset0 " + RtfWriter::escape(m_names.at(i)) + ";}";
        return out + "}\r\n";
    }

private:
    void add(const QString& name)
    {
        if (!name.isEmpty() && !m_names.contains(name))
            m_names.append(name);
    }
    QStringList m_names;
};

QByteArray charFormat(const FontTable& fonts, const QString& fontName, double size, bool bold)
{
    QByteArray out = "\\plain\\f" + num(fonts.index(fontName)) + "\\fs" + num(static_cast<int>(std::lround(size * 2)));
    if (bold)
        out += "\\b";
    return out + ' ';
}

QByteArray hex(const QByteArray& data)
{
    QByteArray out;
    const QByteArray h = data.toHex();
    for (int i = 0; i < h.size(); i += 128)
        out += h.mid(i, 128) + "\r\n";
    return out;
}

} // namespace

RtfWriter::RtfWriter(RtfPictureLoader loader)
    : m_loader(loader ? std::move(loader) : RtfPictureLoader(&RtfWriter::pngPictureLoader))
{
}

QByteArray RtfWriter::escape(const QString& text)
{
    QByteArray out;
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QChar c : t) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += static_cast<char>(u);
        } else {
            const QByteArray b = Cp1252::encode(QString(c));
            if (b.size() == 1 && b.at(0) != '?') {
                out += "\\'" + QByteArray(1, b.at(0)).toHex();
            } else {
                // RTF takes a signed 16-bit number, followed by one fallback character for old readers.
                out += "\\u" + num(static_cast<short>(u)) + '?';
            }
        }
    }
    return out;
}

std::optional<RtfPicture> RtfWriter::pngPictureLoader(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray data = f.readAll();
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (data.size() < 24 || !data.startsWith(signature) || data.mid(12, 4) != "IHDR")
        return std::nullopt;
    auto be32 = [&data](int at) {
        const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at);
        return static_cast<int>((quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3]);
    };
    RtfPicture pic;
    pic.png = data;
    pic.widthPx = be32(16);
    pic.heightPx = be32(20);
    if (pic.widthPx <= 0 || pic.heightPx <= 0)
        return std::nullopt;
    return pic;
}

QByteArray RtfWriter::toRtf(const ReportDocument& doc) const
{
    const FontTable fonts(doc);
    const ReportPaper& paper = doc.paper();
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\r\n";
    out += fonts.table();
    out += "{\\info{\\title " + escape(doc.docName()) + "}}\r\n";
    out += "\\paperw" + num(twips(paper.widthInches)) + "\\paperh" + num(twips(paper.heightInches));
    out += "\\margl" + num(twips(paper.marginLeft)) + "\\margr" + num(twips(paper.marginRight));
    out += "\\margt" + num(twips(paper.marginTop)) + "\\margb" + num(twips(paper.marginBottom));
    out += "\\headery" + num(twips(paper.marginTop / 2.0));
    if (paper.widthInches > paper.heightInches)
        out += "\\landscape";
    out += "\\sectd\r\n";

    const int contentTwips = twips(paper.contentWidth());
    if (doc.hasHeader()) {
        const double headerSize = doc.paper().customCard ? 7.0 : 8.0;
        out += "{\\header\\pard" + charFormat(fonts, QStringLiteral("Arial"), headerSize, false);
        out += "\\tqc\\tx" + num(contentTwips / 2) + "\\tqr\\tx" + num(contentTwips) + ' ';
        for (int part = 0; part < 3; ++part) {
            if (part > 0)
                out += "\\tab ";
            const QStringList pieces = doc.headerPart(part).split(QStringLiteral("%d"));
            for (int i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    out += "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}";
                out += escape(pieces.at(i));
            }
        }
        out += "\\par}\r\n";
    }

    // A page break is written as "page break before" on the next paragraph: word processors drop a \\page that
    // follows a table row. Before anything but a paragraph, an empty paragraph carries it.
    bool breakPending = false;
    auto flushBreak = [&]() {
        if (breakPending)
            out += "\\pard\\plain\\pagebb\\par\r\n";
        breakPending = false;
    };
    // A clearing line break moves what follows below a picture frame; only written when one may be beside it.
    bool pictureBeside = false;
    for (const ReportBlock& b : doc.blocks()) {
        const bool clear = b.belowPictures && pictureBeside && b.kind != ReportBlock::PageBreak;
        if (clear && b.kind != ReportBlock::Paragraph) {
            flushBreak();
            out += "\\pard\\plain{\\lbr3\\line}\\par\r\n";
        }
        if (clear || b.kind == ReportBlock::PageBreak)
            pictureBeside = false;
        switch (b.kind) {
        case ReportBlock::Paragraph:
            out += "\\pard" + QByteArray(breakPending ? "\\pagebb" : "") + alignWord(b.align)
                + charFormat(fonts, b.fontName, b.fontSize, b.bold);
            breakPending = false;
            if (clear)
                out += "{\\lbr3\\line}";
            out += escape(b.text) + "\\par\r\n";
            break;
        case ReportBlock::PageBreak:
            flushBreak();
            breakPending = true;
            break;
        case ReportBlock::Picture: {
            flushBreak();
            pictureBeside = true;
            const std::optional<RtfPicture> pic = m_loader(b.picturePath);
            if (!pic) {
                // The same box the printed page shows, so that no output passes over a broken picture silently.
                out += "\\pard\\phpg\\posx" + num(twips(b.pictureLeft)) + "\\pvpara\\posy0\\absw"
                    + num(twips(b.pictureWidth)) + "\\absh-" + num(twips(b.pictureHeight))
                    + "\\dxfrtext144\\box\\brdrs\\brdrw10\\brsp72\\qc"
                    + charFormat(fonts, QStringLiteral("Arial"), 8, false) + "Picture not found\\par\\pard\r\n";
                break;
            }
            // Scale into the box keeping the picture's proportions.
            const double scale = std::min(b.pictureWidth / pic->widthPx, b.pictureHeight / pic->heightPx);
            const int w = twips(pic->widthPx * scale);
            const int h = twips(pic->heightPx * scale);
            out += "\\pard\\phpg\\posx" + num(twips(b.pictureLeft)) + "\\pvpara\\posy0\\absw" + num(w) + "\\absh-"
                + num(h) + "\\dxfrtext144 ";
            out += "{\\pict\\pngblip\\picw" + num(pic->widthPx) + "\\pich" + num(pic->heightPx) + "\\picwgoal" + num(w)
                + "\\pichgoal" + num(h) + "\r\n";
            out += hex(pic->png) + "}\\par\\pard\r\n";
            break;
        }
        case ReportBlock::Table: {
            flushBreak();
            auto row = [&](const QStringList& cells, bool header) {
                out += "\\trowd\\trgaph72\\trleft0";
                if (header)
                    out += "\\trhdr";
                int right = 0;
                for (const ReportColumn& c : b.format.columns) {
                    if (header && !b.format.plain)
                        out += "\\clbrdrb\\brdrs\\brdrw10";
                    right += twips(c.widthInches);
                    out += "\\cellx" + num(right);
                }
                out += "\r\n\\pard\\intbl";
                for (int i = 0; i < cells.size(); ++i) {
                    out += alignWord(b.format.columns.at(i).align)
                        + charFormat(fonts, b.fontName, b.fontSize, header || b.bold) + escape(cells.at(i)) + "\\cell ";
                }
                out += "\\row\r\n";
            };
            if (!b.header.isEmpty())
                row(b.header, true);
            for (const QStringList& r : b.rows)
                row(r, false);
            out += "\\pard\r\n";
            break;
        }
        }
    }
    flushBreak();
    out += "}\r\n";
    return out;
}

bool RtfWriter::write(const ReportDocument& doc, QIODevice* device) const
{
    const QByteArray bytes = toRtf(doc);
    return device->write(bytes) == bytes.size();
}

std::optional<AppError> RtfWriter::writeFile(const ReportDocument& doc, const QString& path) const
{
    return SafeFile::write(path, [this, &doc](QIODevice& device) { return write(doc, &device); });
}
