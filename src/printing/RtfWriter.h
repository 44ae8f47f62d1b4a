#pragma once

#include "base/AppError.h"
#include "printing/ReportDocument.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// A picture ready to embed: PNG bytes and the pixel size.
struct RtfPicture
{
    QByteArray png;
    int widthPx = 0;
    int heightPx = 0;
};

// Turns a picture file into PNG bytes; nullopt when the file cannot be read or decoded.
using RtfPictureLoader = std::function<std::optional<RtfPicture>(const QString& path)>;

// Writes a ReportDocument as an RTF 1.x document that word processors open: Windows-1252 text (other
// characters as \u escapes), a font table of the fonts used, the paper and margins, a header with the three
// parts of the running page text (the page number as a PAGE field), paragraphs with font, size, weight and
// alignment, tables as RTF rows (the header row repeated on each page), each page break as "page break
// before" on the next paragraph (word processors drop a \page that follows a table row), and pictures
// embedded as PNG in a frame at their position; a picture that cannot be loaded shows a "Picture not found"
// box in its place, as on the printed page. A block that starts below the pictures begins with a clearing
// line break when a picture may still be beside it.
class RtfWriter
{
public:
    // Without a loader only PNG files are embedded (pngPictureLoader).
    explicit RtfWriter(RtfPictureLoader loader = RtfPictureLoader());

    QByteArray toRtf(const ReportDocument& doc) const;
    // Writes the whole document to the device; returns false when the device fails.
    bool write(const ReportDocument& doc, QIODevice* device) const;
    // Writes the document to a file through QSaveFile, so that a failure leaves any earlier file in place.
    // Returns the failure, if any.
    std::optional<AppError> writeFile(const ReportDocument& doc, const QString& path) const;

    // Reads PNG files only (signature and size from the file itself); anything else gives nullopt.
    static std::optional<RtfPicture> pngPictureLoader(const QString& path);
    // The RTF form of a text: control characters escaped, line breaks as \line.
    static QByteArray escape(const QString& text);

private:
    RtfPictureLoader m_loader;
};
